#ifndef MORVEL_BASE_UTF8_H_
#define MORVEL_BASE_UTF8_H_

#include <cstdint>
#include <string>

// The strict rules of UTF-8, for the readers of untrusted text (scene and
// scenario files), and the one encoder every part of the library uses.
namespace morvel {

// What may follow a lead byte: `follow` continuation bytes, the first of
// them within `low`..`high` and the others within 0x80..0xBF. That keeps out
// overlong forms, surrogates and anything past U+10FFFF.
struct Utf8Lead {
  int follow = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
};

// The rule for a byte that starts a multi-byte character; false for a byte
// that cannot start one (an ASCII byte, a continuation byte, 0xC0, 0xC1,
// 0xF5 and up).
inline bool Utf8LeadOf(unsigned char lead, Utf8Lead& rule) {
  rule = Utf8Lead{};
  if (lead >= 0xC2 && lead <= 0xDF) {
    rule.follow = 1;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    rule.follow = 2;
    if (lead == 0xE0) rule.low = 0xA0;
    if (lead == 0xED) rule.high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    rule.follow = 3;
    if (lead == 0xF0) rule.low = 0x90;
    if (lead == 0xF4) rule.high = 0x8F;
  } else {
    return false;
  }
  return true;
}

// Appends `code_point` to `out` as UTF-8; a surrogate or a value past
// U+10FFFF becomes U+FFFD.
void AppendUtf8(std::string& out, std::uint32_t code_point);

}  // namespace morvel

#endif  // MORVEL_BASE_UTF8_H_

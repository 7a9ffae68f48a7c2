#include "widgets/text_util.h"

namespace morvel {
namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

std::size_t DecodeUtf8(std::string_view text, std::size_t pos,
                       std::uint32_t& code_point) {
  auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length;
  std::uint32_t value;
  if (lead < 0x80) {
    code_point = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
    value = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    value = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    value = lead & 0x07;
  } else {
    code_point = 0xFFFD;
    return 1;
  }
  if (pos + length > text.size()) {
    code_point = 0xFFFD;
    return 1;
  }
  for (std::size_t i = 1; i < length; ++i) {
    auto c = static_cast<unsigned char>(text[pos + i]);
    if (!IsContinuation(c)) {
      code_point = 0xFFFD;
      return 1;
    }
    value = (value << 6) | (c & 0x3F);
  }
  code_point = value;
  return length;
}

Long CharCount(std::string_view text) {
  Long count = 0;
  std::uint32_t ignored;
  for (std::size_t pos = 0; pos < text.size(); ++count) {
    pos += DecodeUtf8(text, pos, ignored);
  }
  return count;
}

std::size_t ByteOffset(std::string_view text, Long index) {
  std::size_t pos = 0;
  std::uint32_t ignored;
  for (Long i = 0; i < index && pos < text.size(); ++i) {
    pos += DecodeUtf8(text, pos, ignored);
  }
  return pos;
}

}  // namespace morvel

#ifndef MORVEL_MEMSCENE_JSON_SCAN_H_
#define MORVEL_MEMSCENE_JSON_SCAN_H_

#include <cstdint>
#include <string_view>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The byte-level rules of JSON text that the reader (json_reader.cc) and
// the scene file's quick node reader (quick_node.cc) share, so that the two
// take exactly the same strings and numbers.
namespace morvel::mem {

inline bool IsDigit(int c) { return c >= '0' && c <= '9'; }

// A byte that may belong to a number's text; the run of them is then
// checked against the grammar as a whole.
inline bool InNumber(int c) {
  return IsDigit(c) || c == '-' || c == '+' || c == '.' || c == 'e' ||
         c == 'E';
}

// Where a run of string bytes that are taken as they stand ends, at `stop`
// at the latest: at a quote, a backslash, a control character or a byte of
// a multi-byte character. Sixteen bytes at a time where the machine can.
inline const char* PlainRunEnd(const char* p, const char* stop) {
#if defined(__SSE2__)
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i backslash = _mm_set1_epi8('\\');
  const __m128i space = _mm_set1_epi8(0x20);
  while (stop - p >= 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    // Compared as signed bytes, those from 0x80 up are negative: "below a
    // space" takes them together with the control characters.
    const __m128i special = _mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(bytes, quote),
                     _mm_cmpeq_epi8(bytes, backslash)),
        _mm_cmplt_epi8(bytes, space));
    if (const int mask = _mm_movemask_epi8(special); mask != 0)
      return p + __builtin_ctz(static_cast<unsigned>(mask));
    p += 16;
  }
#endif
  for (; p < stop; ++p) {
    const auto c = static_cast<unsigned char>(*p);
    if (c == '"' || c == '\\' || c < 0x20 || c >= 0x80) break;
  }
  return p;
}

// The grammar of a JSON number: -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
inline bool IsJsonNumber(std::string_view t) {
  std::size_t i = 0;
  auto digits = [&] {
    std::size_t from = i;
    while (i < t.size() && IsDigit(t[i])) ++i;
    return i > from;
  };
  if (i < t.size() && t[i] == '-') ++i;
  if (i < t.size() && t[i] == '0') {
    ++i;
  } else if (!digits()) {
    return false;
  }
  if (i < t.size() && t[i] == '.') {
    ++i;
    if (!digits()) return false;
  }
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (!digits()) return false;
  }
  return i == t.size();
}

// A number of at most 15 digits with no exponent ("-12", "0.75") at `p`,
// read exactly in one pass: its digits as a whole number and a power of ten
// are both exact Doubles, and one division of exact values rounds
// correctly, as the general conversion does. Returns where the number
// ends, when it ends before `end` at a byte that cannot go on a number;
// nullptr for anything else, which the general conversion then reads (or
// refuses).
inline const char* ShortDecimal(const char* p, const char* end,
                                double& value) {
  static constexpr double kTens[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,
                                     1e6, 1e7, 1e8,  1e9,  1e10, 1e11,
                                     1e12, 1e13, 1e14, 1e15};
  const bool negative = p < end && *p == '-';
  if (negative) ++p;
  std::uint64_t digits = 0;
  int count = 0;
  if (p < end && *p == '0') {
    ++p;
    count = 1;
  } else {
    for (; p < end && IsDigit(*p); ++p, ++count)
      digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
  }
  if (count == 0) return nullptr;
  int fraction = 0;
  if (p < end && *p == '.') {
    ++p;
    for (; p < end && IsDigit(*p); ++p, ++fraction)
      digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
    if (fraction == 0) return nullptr;
  }
  if (p == end || InNumber(static_cast<unsigned char>(*p)) ||
      count + fraction > 15) {
    return nullptr;
  }
  value = static_cast<double>(digits) / kTens[fraction];
  if (negative) value = -value;
  return p;
}

enum class NumberText { kNumber, kNotANumber, kNotFinite };

// The value of a number's whole text as every reader of scene files takes
// it: one too small for a Double reads as 0, one too large is not finite.
NumberText ConvertNumber(std::string_view text, double& value);

}  // namespace morvel::mem

#endif  // MORVEL_MEMSCENE_JSON_SCAN_H_

#ifndef MORVEL_FUZZ_NUMBER_PROPERTIES_H_
#define MORVEL_FUZZ_NUMBER_PROPERTIES_H_

// What must hold for every number the panel writes: the text has the promised
// shape, and it reads back as (nearly) the value it was written from.

#include <cfloat>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "base/error.h"
#include "base/numbers.h"
#include "fuzz_check.h"

namespace morvel::fuzz {

inline constexpr std::string_view kPatterns[] = {"0.0##", "0.0###", "#.0###",
                                                 "0.0"};

// Distance from `x` to the next representable value away from zero.
inline double Ulp(double x) {
  return std::fabs(std::nextafter(x, x < 0 ? -HUGE_VAL : HUGE_VAL) - x);
}
inline double Ulp(float x) {
  return std::fabs(static_cast<double>(
                       std::nextafter(x, x < 0 ? -HUGE_VALF : HUGE_VALF)) -
                   x);
}

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// `text` is [-]digits[sep digits] or [-]d[sep digits]E(+|-)dd with at most
// seven significant digits and no trailing zeros after the separator.
inline void CheckSingleTextShape(const std::string& text, char sep) {
  std::size_t i = 0;
  if (i < text.size() && text[i] == '-') ++i;
  const std::size_t mantissa_begin = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  const std::size_t integer_end = i;
  MORVEL_FUZZ_CHECK(i > mantissa_begin, "text \"%s\"", text.c_str());
  int significant = 0;
  bool leading = true;
  for (std::size_t k = mantissa_begin; k < i; ++k) {
    if (text[k] != '0') leading = false;
    if (!leading) ++significant;
  }
  if (i < text.size() && text[i] == sep) {
    ++i;
    const std::size_t fraction_begin = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    MORVEL_FUZZ_CHECK(i > fraction_begin && text[i - 1] != '0',
                      "text \"%s\"", text.c_str());
    for (std::size_t k = fraction_begin; k < i; ++k) {
      if (text[k] != '0') leading = false;
      if (!leading) ++significant;
    }
  }
  MORVEL_FUZZ_CHECK(significant <= 7, "text \"%s\"", text.c_str());
  if (i < text.size()) {
    MORVEL_FUZZ_CHECK(text[i] == 'E' && i + 4 <= text.size() &&
                          (text[i + 1] == '+' || text[i + 1] == '-') &&
                          IsDigit(text[i + 2]) && IsDigit(text[i + 3]) &&
                          integer_end == mantissa_begin + 1 &&
                          text[mantissa_begin] != '0',
                      "text \"%s\"", text.c_str());
    i += 4;
    while (i < text.size() && IsDigit(text[i])) ++i;
  }
  MORVEL_FUZZ_CHECK(i == text.size(), "text \"%s\"", text.c_str());
  MORVEL_FUZZ_CHECK(text != "-0", "negative zero written");
}

// The general text of `value` reads back within half a unit of its seventh
// significant digit, and reading and writing again changes nothing more.
inline void CheckSingleText(Single value) {
  const std::string text = SingleToText(value);
  CheckSingleTextShape(text, DecimalSeparator());
  Single back = 0;
  try {
    back = TextToSingle(text);
  } catch (const Error& e) {
    MORVEL_FUZZ_CHECK(false, "\"%s\" (from %.9g) does not read back: %s",
                      text.c_str(), value, e.what());
  }
  if (value == 0) {
    MORVEL_FUZZ_CHECK(back == 0, "0 read back as %.9g", back);
    return;
  }
  const double unit =
      std::pow(10.0, std::floor(std::log10(std::fabs(value))) - 6);
  MORVEL_FUZZ_CHECK(
      std::fabs(static_cast<double>(back) - value) <=
          unit / 2 * (1 + 1e-9) + Ulp(value),
      "%.9g written as \"%s\" reads back as %.9g", value, text.c_str(), back);
  const Single again = TextToSingle(SingleToText(back));
  MORVEL_FUZZ_CHECK(again == back, "%.9g -> \"%s\" -> %.9g -> %.9g", value,
                    text.c_str(), back, again);
}

struct PatternShape {
  bool integer_zero;
  int min_decimals;
  int max_decimals;
};

inline PatternShape ShapeOf(std::string_view pattern) {
  if (pattern == "0.0##") return {true, 1, 3};
  if (pattern == "0.0###") return {true, 1, 4};
  if (pattern == "#.0###") return {false, 1, 4};
  return {true, 1, 1};  // "0.0"
}

// The patterned text of `value` has the pattern's shape and reads back within
// half a unit of its last place.
inline void CheckPatternText(double value, std::string_view pattern) {
  const std::string text = FormatNumber(value, pattern);
  const PatternShape shape = ShapeOf(pattern);
  const char sep = DecimalSeparator();
  const std::size_t point = text.find(sep);
  MORVEL_FUZZ_CHECK(point != std::string::npos, "\"%s\"", text.c_str());
  const std::size_t digits_begin = text[0] == '-' ? 1 : 0;
  const std::string integer = text.substr(digits_begin, point - digits_begin);
  const std::string fraction = text.substr(point + 1);
  for (char c : integer + fraction) {
    MORVEL_FUZZ_CHECK(IsDigit(c), "\"%s\"", text.c_str());
  }
  MORVEL_FUZZ_CHECK(static_cast<int>(fraction.size()) >= shape.min_decimals &&
                        static_cast<int>(fraction.size()) <= shape.max_decimals,
                    "\"%s\" with %.*s", text.c_str(),
                    static_cast<int>(pattern.size()), pattern.data());
  MORVEL_FUZZ_CHECK(static_cast<int>(fraction.size()) == shape.min_decimals ||
                        fraction.back() != '0',
                    "trailing zero in \"%s\"", text.c_str());
  if (shape.integer_zero) {
    MORVEL_FUZZ_CHECK(!integer.empty() &&
                          (integer.size() == 1 || integer[0] != '0'),
                      "\"%s\"", text.c_str());
  } else {
    MORVEL_FUZZ_CHECK(integer.empty() || integer[0] != '0', "\"%s\"",
                      text.c_str());
  }
  const double back = TextToDouble(text);
  if (text[0] == '-') {
    MORVEL_FUZZ_CHECK(back != 0, "\"%s\" is a negative zero", text.c_str());
  }
  const double half_unit = std::pow(10.0, -shape.max_decimals) / 2;
  // Rounding starts from the shortest decimal that reads back as the value:
  // for a value that is exactly a Single, the Single's shortest decimal, which
  // lies within half a Single step of it.
  const bool is_single =
      std::fabs(value) <= FLT_MAX &&
      static_cast<double>(static_cast<float>(value)) == value;
  const double step = is_single ? Ulp(static_cast<float>(value)) : Ulp(value);
  MORVEL_FUZZ_CHECK(
      std::fabs(back - value) <= half_unit * (1 + 1e-9) + step + Ulp(back),
      "%.17g with %.*s written as \"%s\"", value,
      static_cast<int>(pattern.size()), pattern.data(), text.c_str());
}

}  // namespace morvel::fuzz

#endif  // MORVEL_FUZZ_NUMBER_PROPERTIES_H_

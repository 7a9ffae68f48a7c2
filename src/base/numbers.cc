#include "base/numbers.h"

#include <algorithm>
#include <atomic>
#include <cfloat>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <system_error>

#include "base/error.h"
#include "base/numbers_testing.h"

// How numbers are read and written.
//
// Reading. Typed text is accepted in exactly one shape:
//   [blanks] [+|-] digits [sep [digits]] [(e|E) [+|-] digits] [blanks]
//   or the same with no digits before the separator ("-.25").
// Blanks are spaces and tabs. `sep` is the locale's decimal separator and
// nothing else: under a locale whose separator is ',' a '.' is refused, since
// there it is the thousands separator and guessing what the user meant would
// silently change the value. Thousands separators, currency signs, hexadecimal
// ("&H10", "0x10"), "inf", "nan", a lone sign or a lone separator are all
// error 13. A value whose magnitude is beyond the target type ("1e400", and
// "1e39" for a Single) is error 6; a value too small to represent becomes 0,
// as the platform's conversion does.
//
// The digits are handed to std::from_chars, which is locale-independent and
// correctly rounded, after the separator has been replaced by '.'. So the
// result never depends on whatever the C library's global locale happens to
// do inside strtod.
//
// Writing. A double is first turned into an exact decimal digit string and
// then rounded in decimal, so that the rounding happens on digits a person can
// check by hand rather than on a binary fraction:
//   - FormatNumber rounds the value's exact decimal expansion at the
//     pattern's last place, halves to the even neighbour, as every rounding
//     of this system does. The value is what the scene holds, not what was
//     once typed: the Single nearest 2.00045 is 2.00044989..., below the
//     half, so it shows as "2.0004" with four decimals, and the next commit
//     of that text stores what was shown. A true tie (0.0625 at three
//     places) goes to the even digit ("0.062").
//   - SingleToText rounds the Single's exact value to seven significant
//     digits. Working from the exact value keeps the largest Single at
//     "3.402823E+38", which reads back, instead of "3.402824E+38", which
//     would not.
namespace morvel {
namespace {

std::atomic<char> g_separator_override{0};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number: value = 0.d1 d2 ... dn x 10^point, i.e. `point` digits
// stand before the decimal point (it may be negative or exceed n). An empty
// digit string is zero. The digits carry no trailing zeros.
struct Decimal {
  bool negative = false;
  std::string digits;
  int point = 0;
};

void TrimTrailingZeros(Decimal& d) {
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

// Reads the output of std::to_chars in scientific form ("-1.2345e+06").
Decimal FromScientific(std::string_view text) {
  Decimal d;
  std::size_t i = 0;
  if (i < text.size() && text[i] == '-') {
    d.negative = true;
    ++i;
  }
  for (; i < text.size() && text[i] != 'e'; ++i) {
    if (IsDigit(text[i])) d.digits.push_back(text[i]);
  }
  int exponent = 0;
  if (i < text.size()) {
    ++i;  // 'e'
    if (i < text.size() && text[i] == '+') ++i;
    std::from_chars(text.data() + i, text.data() + text.size(), exponent);
  }
  d.point = exponent + 1;
  // to_chars never writes leading zeros except for the value zero itself.
  if (d.digits.find_first_not_of('0') == std::string::npos) {
    d.digits.clear();
    d.point = 0;
  }
  TrimTrailingZeros(d);
  return d;
}

// The exact decimal expansion of a double. A Single's has at most 112
// significant digits (the smallest subnormal), a double's at most 767, so
// these precisions lose nothing; a Single takes the short road, since every
// value the scene hands over is one.
Decimal ExactDecimal(double value) {
  const bool is_single =
      std::fabs(value) <= FLT_MAX &&
      static_cast<double>(static_cast<float>(value)) == value;
  char buffer[800];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                              std::chars_format::scientific,
                              is_single ? 120 : 770);
  return FromScientific(std::string_view(buffer, result.ptr - buffer));
}

enum class Halves { kAwayFromZero, kToEven };

// Keeps the first `keep` digits, rounding the rest off. The digits are exact,
// so a tie is exactly a "5" with nothing after it.
void RoundToDigits(Decimal& d, long keep, Halves halves) {
  if (keep >= static_cast<long>(d.digits.size())) return;
  if (keep < 0) {
    d.digits.clear();
    d.point = 0;
    return;
  }
  const char first_dropped = d.digits[keep];
  bool up = first_dropped > '5';
  if (first_dropped == '5') {
    const bool tie =
        d.digits.find_first_not_of('0', keep + 1) == std::string::npos;
    const bool last_kept_odd = keep > 0 && (d.digits[keep - 1] - '0') % 2 == 1;
    up = !tie || halves == Halves::kAwayFromZero || last_kept_odd;
  }
  d.digits.resize(keep);
  if (up) {
    long i = keep - 1;
    for (; i >= 0; --i) {
      if (d.digits[i] == '9') {
        d.digits[i] = '0';
      } else {
        ++d.digits[i];
        break;
      }
    }
    if (i < 0) {
      d.digits.insert(d.digits.begin(), '1');
      ++d.point;
    }
  }
  TrimTrailingZeros(d);
  if (d.digits.empty()) d.point = 0;
}

char DigitAt(const Decimal& d, long index) {
  if (index < 0 || index >= static_cast<long>(d.digits.size())) return '0';
  return d.digits[index];
}

// Fixed-point text of an already rounded decimal.
std::string FixedText(const Decimal& d, bool integer_zero, int min_decimals,
                      int max_decimals, char separator) {
  std::string text;
  if (d.negative && !d.digits.empty()) text.push_back('-');
  if (d.point > 0) {
    for (long i = 0; i < d.point; ++i) text.push_back(DigitAt(d, i));
  } else if (integer_zero) {
    text.push_back('0');
  }
  std::string fraction;
  for (int i = 0; i < max_decimals; ++i) {
    fraction.push_back(DigitAt(d, d.point + i));
  }
  while (static_cast<int>(fraction.size()) > min_decimals &&
         fraction.back() == '0') {
    fraction.pop_back();
  }
  if (!fraction.empty()) {
    text.push_back(separator);
    text += fraction;
  }
  return text;
}

struct Pattern {
  std::string_view text;
  bool integer_zero;  // "0" before the point: always write an integer digit
  int min_decimals;   // the "0"s after the point
  int max_decimals;   // all places after the point
};

constexpr Pattern kPatterns[] = {
    {"0.0##", true, 1, 3},
    {"0.0###", true, 1, 4},
    {"#.0###", false, 1, 4},
    {"0.0", true, 1, 1},
};

// The parts of a typed number that decide its meaning, in the neutral form
// std::from_chars reads.
struct ScannedNumber {
  std::string neutral;
  bool negative = false;
  bool zero = true;
  // Decimal exponent of the first significant digit (saturated); tells an
  // overflow from an underflow when the value does not fit.
  long long magnitude = 0;
};

std::optional<ScannedNumber> Scan(std::string_view text, char separator) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  std::size_t i = begin;

  ScannedNumber scanned;
  if (i < end && (text[i] == '+' || text[i] == '-')) {
    scanned.negative = text[i] == '-';
    ++i;
  }
  const std::size_t integer_begin = i;
  while (i < end && IsDigit(text[i])) ++i;
  const std::string_view integer = text.substr(integer_begin, i - integer_begin);
  std::string_view fraction;
  if (i < end && text[i] == separator) {
    ++i;
    const std::size_t fraction_begin = i;
    while (i < end && IsDigit(text[i])) ++i;
    fraction = text.substr(fraction_begin, i - fraction_begin);
  }
  if (integer.empty() && fraction.empty()) return std::nullopt;

  constexpr long long kExponentLimit = 100000000;
  long long exponent = 0;
  bool exponent_negative = false;
  if (i < end && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
      exponent_negative = text[i] == '-';
      ++i;
    }
    if (i >= end || !IsDigit(text[i])) return std::nullopt;
    for (; i < end && IsDigit(text[i]); ++i) {
      exponent = std::min(exponent * 10 + (text[i] - '0'), kExponentLimit);
    }
  }
  if (i != end) return std::nullopt;
  if (exponent_negative) exponent = -exponent;

  const std::size_t first_integer = integer.find_first_not_of('0');
  const std::size_t first_fraction = fraction.find_first_not_of('0');
  if (first_integer != std::string_view::npos) {
    scanned.zero = false;
    scanned.magnitude =
        static_cast<long long>(integer.size() - first_integer) - 1 + exponent;
  } else if (first_fraction != std::string_view::npos) {
    scanned.zero = false;
    scanned.magnitude = -static_cast<long long>(first_fraction) - 1 + exponent;
  }

  if (scanned.negative) scanned.neutral.push_back('-');
  scanned.neutral.append(integer.empty() ? std::string_view("0") : integer);
  scanned.neutral.push_back('.');
  scanned.neutral.append(fraction);
  scanned.neutral.push_back('e');
  scanned.neutral += std::to_string(exponent);
  return scanned;
}

template <class T>
T ParseNumber(std::string_view text) {
  const std::optional<ScannedNumber> scanned = Scan(text, DecimalSeparator());
  if (!scanned) RaiseError(kErrTypeMismatch);
  if (scanned->zero) return T(0);
  T value{};
  const std::string& neutral = scanned->neutral;
  const auto result =
      std::from_chars(neutral.data(), neutral.data() + neutral.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    if (scanned->magnitude >= 0) RaiseError(kErrOverflow);
    return T(0);  // too small to represent: the platform reads it as 0
  }
  if (result.ec != std::errc() ||
      result.ptr != neutral.data() + neutral.size()) {
    RaiseError(kErrTypeMismatch);
  }
  if (!std::isfinite(value)) RaiseError(kErrOverflow);
  return value;
}

template <class T>
T RoundHalfEven(double value) {
  if (std::isnan(value)) RaiseError(kErrOverflow);
  const double floor = std::floor(value);
  const double fraction = value - floor;  // exact for every finite double
  double rounded = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) {
    rounded = floor + 1.0;
  }
  if (!(rounded >= static_cast<double>(std::numeric_limits<T>::min()) &&
        rounded <= static_cast<double>(std::numeric_limits<T>::max()))) {
    RaiseError(kErrOverflow);
  }
  return static_cast<T>(rounded);
}

}  // namespace

Long RoundToLong(double value) { return RoundHalfEven<Long>(value); }

Integer RoundToInteger(double value) { return RoundHalfEven<Integer>(value); }

Single TextToSingle(std::string_view text) { return ParseNumber<float>(text); }

double TextToDouble(std::string_view text) { return ParseNumber<double>(text); }

std::string FormatNumber(double value, std::string_view pattern) {
  const Pattern* chosen = nullptr;
  for (const Pattern& candidate : kPatterns) {
    if (candidate.text == pattern) chosen = &candidate;
  }
  if (chosen == nullptr) {
    RaiseError(kErrInvalidProcedureCall,
               "Invalid procedure call or argument: unknown number pattern \"" +
                   std::string(pattern) + "\"");
  }
  if (!std::isfinite(value)) RaiseError(kErrOverflow);
  Decimal decimal = ExactDecimal(value);
  RoundToDigits(decimal, static_cast<long>(decimal.point) + chosen->max_decimals,
                Halves::kToEven);
  return FixedText(decimal, chosen->integer_zero, chosen->min_decimals,
                   chosen->max_decimals, DecimalSeparator());
}

std::string SingleToText(Single value) {
  constexpr int kSignificantDigits = 7;
  if (!std::isfinite(value)) RaiseError(kErrOverflow);
  Decimal decimal = ExactDecimal(value);
  RoundToDigits(decimal, kSignificantDigits, Halves::kAwayFromZero);
  if (decimal.digits.empty()) return "0";
  const char separator = DecimalSeparator();
  const int exponent = decimal.point - 1;  // of the first significant digit
  if (exponent > -5 && exponent < kSignificantDigits) {
    const int decimals =
        std::max(0, static_cast<int>(decimal.digits.size()) - decimal.point);
    return FixedText(decimal, true, 0, decimals, separator);
  }
  std::string text;
  if (decimal.negative) text.push_back('-');
  text.push_back(decimal.digits[0]);
  if (decimal.digits.size() > 1) {
    text.push_back(separator);
    text.append(decimal.digits, 1);
  }
  text.push_back('E');
  text.push_back(exponent < 0 ? '-' : '+');
  const int magnitude = std::abs(exponent);
  if (magnitude < 10) text.push_back('0');
  text += std::to_string(magnitude);
  return text;
}

std::string LongToText(Long value) { return std::to_string(value); }

char DecimalSeparator() {
  const char forced = g_separator_override.load(std::memory_order_relaxed);
  if (forced != 0) return forced;
  // A locale whose separator is not a single byte, or is a character that
  // already means something in a number, is treated like the C locale.
  const std::lconv* conventions = std::localeconv();
  if (conventions == nullptr || conventions->decimal_point == nullptr) {
    return '.';
  }
  const char* point = conventions->decimal_point;
  if (point[0] == '\0' || point[1] != '\0') return '.';
  const char c = point[0];
  if (IsDigit(c) || IsBlank(c) || c == '+' || c == '-' || c == 'e' ||
      c == 'E') {
    return '.';
  }
  return c;
}

ScopedDecimalSeparatorForTesting::ScopedDecimalSeparatorForTesting(
    char separator)
    : previous_(g_separator_override.exchange(separator)) {}

ScopedDecimalSeparatorForTesting::~ScopedDecimalSeparatorForTesting() {
  g_separator_override.store(previous_);
}

}  // namespace morvel

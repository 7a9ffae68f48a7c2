// Typed text into numbers: whatever the user types, the conversion either
// gives a finite number or raises error 13 or 6, the Single and Double
// conversions agree on what is a number, and every Single read this way
// survives being written and read again.

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/error.h"
#include "base/numbers.h"
#include "base/numbers_testing.h"
#include "fuzz_check.h"
#include "number_properties.h"

using morvel::Error;

namespace {

// What one conversion made of the text: the number, or the error it raised,
// which must be type mismatch (not a number) or overflow.
template <class T>
struct Reading {
  std::optional<T> number;
  morvel::Long error = 0;
};

template <class Convert>
auto Read(const char* conversion, Convert convert)
    -> Reading<decltype(convert())> {
  Reading<decltype(convert())> reading;
  try {
    reading.number = convert();
  } catch (const Error& e) {
    reading.error = e.Number();
  }
  MORVEL_FUZZ_CHECK(reading.number ||
                        reading.error == morvel::kErrTypeMismatch ||
                        reading.error == morvel::kErrOverflow,
                    "%s conversion raised error %d", conversion,
                    static_cast<int>(reading.error));
  return reading;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the locale's decimal separator; the rest is typed.
  const char separator = (data[0] & 1) != 0 ? ',' : '.';
  morvel::ScopedDecimalSeparatorForTesting locale(separator);
  const std::string_view text(reinterpret_cast<const char*>(data + 1),
                              size - 1);

  const auto [as_double, double_error] = Read(
      "Double", [&] { return morvel::TextToDouble(text); });
  if (as_double) MORVEL_FUZZ_CHECK(std::isfinite(*as_double), "non-finite");
  const auto [as_single, single_error] = Read(
      "Single", [&] { return morvel::TextToSingle(text); });

  // Both read the same texts as numbers.
  MORVEL_FUZZ_CHECK((double_error == morvel::kErrTypeMismatch) ==
                        (single_error == morvel::kErrTypeMismatch),
                    "errors %d and %d", static_cast<int>(double_error),
                    static_cast<int>(single_error));
  if (double_error == morvel::kErrOverflow) {
    MORVEL_FUZZ_CHECK(single_error == morvel::kErrOverflow,
                      "a Double overflow fits a Single");
  }
  if (as_double && !as_single) {
    MORVEL_FUZZ_CHECK(std::fabs(*as_double) > FLT_MAX,
                      "%.17g fits a Single yet overflowed", *as_double);
  }
  if (as_double && as_single) {
    // Reading through a Double may round twice: one step apart at most.
    const float via_double = static_cast<float>(*as_double);
    MORVEL_FUZZ_CHECK(*as_single == via_double ||
                          *as_single == std::nextafter(via_double, HUGE_VALF) ||
                          *as_single == std::nextafter(via_double, -HUGE_VALF),
                      "Single %.9g, Double %.17g", *as_single, *as_double);
  }

  if (as_single) {
    MORVEL_FUZZ_CHECK(std::isfinite(*as_single), "non-finite Single");
    morvel::fuzz::CheckSingleText(*as_single);
    for (std::string_view pattern : morvel::fuzz::kPatterns) {
      morvel::fuzz::CheckPatternText(*as_single, pattern);
    }
  }
  return 0;
}

// Numbers into text: any Double or Single, with any pattern text, is either
// written in the promised shape (and reads back) or refused with error 6 (not
// a finite number) or 5 (not a pattern).

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "base/error.h"
#include "base/numbers.h"
#include "base/numbers_testing.h"
#include "fuzz_check.h"
#include "number_properties.h"

using morvel::Error;

namespace {

template <class F>
morvel::Long ErrorNumberOf(F&& body) {
  try {
    body();
  } catch (const Error& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace

// Input: 8 bytes of a Double, 4 bytes of a Single, one byte of options, and
// then (optionally) a pattern text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  if (size < 13) return 0;
  double value;
  float single;
  std::memcpy(&value, data, sizeof value);
  std::memcpy(&single, data + 8, sizeof single);
  const std::uint8_t options = data[12];
  morvel::ScopedDecimalSeparatorForTesting locale((options & 1) != 0 ? ','
                                                                     : '.');
  const std::string_view pattern_text(reinterpret_cast<const char*>(data + 13),
                                      size - 13);

  for (std::string_view pattern : morvel::fuzz::kPatterns) {
    if (std::isfinite(value)) {
      morvel::fuzz::CheckPatternText(value, pattern);
    } else {
      MORVEL_FUZZ_CHECK(ErrorNumberOf([&] {
                          morvel::FormatNumber(value, pattern);
                        }) == morvel::kErrOverflow,
                        "non-finite Double formatted");
    }
    if (std::isfinite(single)) {
      morvel::fuzz::CheckPatternText(single, pattern);
    }
  }
  if (std::isfinite(single)) {
    morvel::fuzz::CheckSingleText(single);
  } else {
    MORVEL_FUZZ_CHECK(ErrorNumberOf([&] { morvel::SingleToText(single); }) ==
                          morvel::kErrOverflow,
                      "non-finite Single written");
  }

  // Any other pattern text is refused with error 5, whatever the value.
  bool known = false;
  for (std::string_view pattern : morvel::fuzz::kPatterns) {
    known = known || pattern == pattern_text;
  }
  if (!known) {
    MORVEL_FUZZ_CHECK(ErrorNumberOf([&] {
                        morvel::FormatNumber(1.5, pattern_text);
                      }) == morvel::kErrInvalidProcedureCall,
                      "pattern accepted");
  }
  return 0;
}

#include "base/numbers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/error_testing.h"
#include "base/numbers_testing.h"

namespace morvel {
namespace {

using ::morvel::testing::ErrorOf;
using ::morvel::testing::ErrorNumberOf;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// What `convert` makes of `input`: `expected`, or error `error` when set.
template <class In, class Out>
struct Case {
  In input;
  Out expected;
  Long error = 0;
};

template <class In, class Out, class F>
void ExpectEach(const std::vector<Case<In, Out>>& cases, F convert) {
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.input));
    if (c.error != 0) {
      EXPECT_EQ(ErrorNumberOf([&] { convert(c.input); }), c.error);
    } else {
      EXPECT_EQ(convert(c.input), c.expected);
    }
  }
}

TEST(RoundTest, HalvesGoToTheEvenNeighbourAndOverflowIsError6) {
  // clang-format off
  ExpectEach<double, Long>({
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {-3.5, -4}, {2.5000001, 3},
      {-2.5000001, -3}, {0.49999999999999994, 0},
      // A tie whose even neighbour is out of range, and one whose is not.
      {2147483647.5, 0, kErrOverflow}, {-2147483648.5, -2147483647 - 1},
      {-2147483648.6, 0, kErrOverflow}, {-kInf, 0, kErrOverflow},
      {kNaN, 0, kErrOverflow}}, RoundToLong);
  ExpectEach<double, Integer>({
      {3.5, 4}, {32767.5, 0, kErrOverflow}, {-32768.5, -32768},
      {-32768.51, 0, kErrOverflow}}, RoundToInteger);
  // clang-format on
  EXPECT_EQ(ErrorOf([] { RoundToLong(1e10); }).Description(), "Overflow");
}

TEST(FormatNumberTest, WritesEachPattern) {
  // clang-format off
  const struct {
    double value;
    const char* pattern;
    const char* expected;
  } cases[] = {
      // "0.0##": one to three decimals.
      {2, "0.0##", "2.0"}, {1.23456, "0.0##", "1.235"}, {-0.0, "0.0##", "0.0"},
      {0.1f, "0.0##", "0.1"}, {99999.9999, "0.0##", "100000.0"},
      // Rounding works on the value held, not on a decimal once typed: the
      // Single nearest 1.0005 is 1.00049996..., below the half.
      {1.0005f, "0.0##", "1.0"}, {1.0015f, "0.0##", "1.002"},
      // A true tie goes to the even neighbour, either sign.
      {0.0625, "0.0##", "0.062"}, {-0.0625, "0.0##", "-0.062"},
      {0.1875, "0.0##", "0.188"},
      // Negative values that round to zero lose their sign.
      {-0.0004, "0.0##", "0.0"}, {-0.0005, "0.0##", "-0.001"},
      // Every digit of the value held: 1e20f is 100000002004087734272.
      {1e20f, "0.0##", "100000002004087734272.0"},
      // "0.0###": one to four decimals. 2.00045f is 2.00044989...
      {1.234567, "0.0###", "1.2346"}, {-0.00004, "0.0###", "0.0"},
      {2.00045f, "0.0###", "2.0004"}, {2.00055f, "0.0###", "2.0006"},
      {0.03125, "0.0###", "0.0312"}, {0.09375, "0.0###", "0.0938"},
      // "#.0###": no integer digit when the integer part is zero.
      {0, "#.0###", ".0"}, {-0.25, "#.0###", "-.25"}, {0.99999, "#.0###", "1.0"},
      {359.99999f, "#.0###", "360.0"}, {-0.03125, "#.0###", "-.0312"},
      // "0.0": exactly one decimal. 0.45f is 0.449999988..., 0.35 as a
      // double 0.34999999999999997...; 0.25 and 0.75 are ties.
      {0.45f, "0.0", "0.4"}, {0.35, "0.0", "0.3"}, {0.25, "0.0", "0.2"},
      {0.75, "0.0", "0.8"}, {-0.05, "0.0", "-0.1"}, {0.05f, "0.0", "0.1"}};
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(FormatNumber(c.value, c.pattern), c.expected)
        << c.value << " with " << c.pattern;
  }
}

TEST(FormatNumberTest, RefusesOtherPatternsWith5AndNonFiniteValuesWith6) {
  for (const char* pattern : {"", "0.0####", " 0.0##"}) {
    try {
      FormatNumber(1.5, pattern);
      ADD_FAILURE() << "pattern \"" << pattern << "\" was accepted";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), kErrInvalidProcedureCall) << pattern;
      EXPECT_NE(e.Description().find(pattern), std::string::npos)
          << e.Description();
    }
  }
  EXPECT_EQ(ErrorNumberOf([] { FormatNumber(kInf, "0.0"); }), kErrOverflow);
  EXPECT_EQ(ErrorNumberOf([] { FormatNumber(kNaN, "0.0##"); }), kErrOverflow);
}

TEST(SingleToTextTest, WritesTheGeneralForm) {
  // clang-format off
  const struct {
    Single value;
    const char* expected;
  } cases[] = {
      {-0.0f, "0"}, {-45.5f, "-45.5"}, {2.0f / 3.0f, "0.6666667"},
      {3.1415927f, "3.141593"},
      // The joint limit a user sees after degrees -> radians -> degrees.
      {0.7853982f / 3.141593f * 180.0f, "45"}, {9999999.0f, "9999999"},
      {12345678.0f, "1.234568E+07"}, {9999999.5f, "1E+07"},
      {0.00012345f, "0.00012345"}, {0.00001f, "1E-05"},
      {-1.25e-6f, "-1.25E-06"}, {FLT_MAX, "3.402823E+38"},
      {std::numeric_limits<float>::denorm_min(), "1.401298E-45"},
      // Exactly halfway between two seven-digit texts.
      {1234568.5f, "1234569"}, {-1234568.5f, "-1234569"}};
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(SingleToText(c.value), c.expected) << c.value;
  }
  EXPECT_EQ(ErrorNumberOf(
                [] { SingleToText(std::numeric_limits<float>::quiet_NaN()); }),
            kErrOverflow);
  EXPECT_EQ(LongToText(-2147483647 - 1), "-2147483648");
}

// (That every text written reads back as the same figure, and that any
// text read is a finite number or error 13 or 6, is what the two number
// fuzzers check over many values.)

TEST(TextToNumberTest, ReadsOneShapeOfNumberOrRefuses) {
  // clang-format off
  ExpectEach<std::string, double>({
      {"+12", 12}, {"-.25", -0.25}, {"5.", 5}, {"  2.5\t", 2.5},
      {"1E+3", 1000}, {"1.e2", 100}, {"0e999999999999999999999", 0},
      // Too small to represent reads as zero; too large is an overflow.
      {"1e-99999999999999999999", 0}, {"1e400", 0, kErrOverflow},
      {"0.0001e312", 1e308}, {"0.0001e313", 0, kErrOverflow},
      {std::string(400, '0') + "1.5", 1.5},
      {"0." + std::string(400, '0') + "1e401", 1.0},
      {"1" + std::string(400, '0'), 0, kErrOverflow},
      // Correctly rounded: just above halfway between 1 and the next double.
      {"1.00000000000000011102230246251565404236316680908203126",
       std::nextafter(1.0, 2.0)},
      // Garbage, empty and half-written numbers.
      {"   ", 0, kErrTypeMismatch}, {"-.", 0, kErrTypeMismatch},
      {"e5", 0, kErrTypeMismatch}, {"1e+", 0, kErrTypeMismatch},
      {"1.2.3", 0, kErrTypeMismatch}, {"+-1", 0, kErrTypeMismatch},
      {"1 2", 0, kErrTypeMismatch}, {"-Infinity", 0, kErrTypeMismatch},
      {"0x10", 0, kErrTypeMismatch}, {"1,000", 0, kErrTypeMismatch},
      {"1d3", 0, kErrTypeMismatch}, {"\n5", 0, kErrTypeMismatch},
      {std::string("1\0" "5", 3), 0, 13}}, TextToDouble);
  ExpectEach<std::string, Single>({
      {"0.1", 0.1f}, {"16777217", 16777216}, {"-3.4028235e38", -FLT_MAX},
      // Above the largest Single by more than half a step.
      {"3.4028236e38", 0, kErrOverflow}, {"1e308", 0, kErrOverflow},
      {"1e-40", 1e-40f}, {"1e-50", 0}, {"1.0.", 0, kErrTypeMismatch}},
      TextToSingle);
  // clang-format on
  EXPECT_EQ(ErrorOf([] { TextToSingle("abc"); }).Description(),
            "Type mismatch");
}

TEST(TextToNumberTest, ReadAndWrittenWithOnlyTheLocaleSeparator) {
  EXPECT_EQ(DecimalSeparator(), '.');
  {
    ScopedDecimalSeparatorForTesting comma(',');
    EXPECT_EQ(TextToSingle(" -,25 "), -0.25f);
    EXPECT_EQ(TextToDouble("2,5e1"), 25.0);
    // Under a comma locale the point is the thousands separator: refused.
    EXPECT_EQ(ErrorNumberOf([] { TextToDouble("1.5"); }), kErrTypeMismatch);
    EXPECT_EQ(FormatNumber(-0.25, "#.0###"), "-,25");
    EXPECT_EQ(SingleToText(-1.5e20f), "-1,5E+20");
    {
      ScopedDecimalSeparatorForTesting apostrophe('\'');
      EXPECT_EQ(TextToDouble("2'5"), 2.5);
    }
    EXPECT_EQ(DecimalSeparator(), ',');
  }
  EXPECT_EQ(DecimalSeparator(), '.');
}

// With a real locale whose separator is a comma, when the machine has one:
// the separator comes from the C library's numeric locale.
TEST(TextToNumberTest, FollowsTheNumericLocale) {
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  const char* found = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8",
                           "nl_NL.UTF-8", "de_DE", "fr_FR"}) {
    if (std::setlocale(LC_NUMERIC, name) != nullptr &&
        std::string(std::localeconv()->decimal_point) == ",") {
      found = name;
      break;
    }
  }
  if (found == nullptr) {
    std::setlocale(LC_NUMERIC, previous.c_str());
    GTEST_SKIP() << "no locale with a comma separator is installed";
  }
  EXPECT_EQ(DecimalSeparator(), ',') << found;
  EXPECT_EQ(TextToDouble("1,5"), 1.5);
  EXPECT_EQ(ErrorNumberOf([] { TextToDouble("1.5"); }), kErrTypeMismatch);
  EXPECT_EQ(SingleToText(0.5f), "0,5");
  std::setlocale(LC_NUMERIC, previous.c_str());
  EXPECT_EQ(DecimalSeparator(), '.');
}

}  // namespace
}  // namespace morvel

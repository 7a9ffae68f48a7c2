#include "base/numbers.h"

#include <cfloat>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "base/error.h"
#include "base/numbers_testing.h"

namespace morvel {
namespace {

// Runs `body` and returns the number of the Error it raised, or 0.
template <class F>
Long ErrorNumberOf(F&& body) {
  try {
    body();
  } catch (const Error& e) {
    return e.Number();
  }
  return 0;
}

struct RoundCase {
  double value;
  Long expected;  // 0 with `error` set when the conversion must fail
  Long error;
};

class RoundToLongTest : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundToLongTest, RoundsHalvesToEvenOrOverflows) {
  const RoundCase& c = GetParam();
  if (c.error != 0) {
    EXPECT_EQ(ErrorNumberOf([&] { RoundToLong(c.value); }), c.error);
  } else {
    EXPECT_EQ(RoundToLong(c.value), c.expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, RoundToLongTest,
    testing::Values(
        RoundCase{0.0, 0, 0}, RoundCase{-0.0, 0, 0}, RoundCase{0.5, 0, 0},
        RoundCase{1.5, 2, 0}, RoundCase{2.5, 2, 0}, RoundCase{3.5, 4, 0},
        RoundCase{-0.5, 0, 0}, RoundCase{-1.5, -2, 0}, RoundCase{-2.5, -2, 0},
        RoundCase{-3.5, -4, 0}, RoundCase{2.4999999, 2, 0},
        RoundCase{2.5000001, 3, 0}, RoundCase{-2.5000001, -3, 0},
        RoundCase{12.5, 12, 0}, RoundCase{0.49999999999999994, 0, 0},
        RoundCase{2147483647.0, 2147483647, 0},
        RoundCase{2147483647.4, 2147483647, 0},
        // 2147483647.5 is a tie whose even neighbour is out of range.
        RoundCase{2147483647.5, 0, kErrOverflow},
        RoundCase{2147483648.0, 0, kErrOverflow},
        RoundCase{-2147483648.0, -2147483647 - 1, 0},
        // ... and -2147483648.5 is a tie whose even neighbour fits.
        RoundCase{-2147483648.5, -2147483647 - 1, 0},
        RoundCase{-2147483648.6, 0, kErrOverflow},
        RoundCase{1e300, 0, kErrOverflow},
        RoundCase{std::numeric_limits<double>::infinity(), 0, kErrOverflow},
        RoundCase{-std::numeric_limits<double>::infinity(), 0, kErrOverflow},
        RoundCase{std::numeric_limits<double>::quiet_NaN(), 0, kErrOverflow}));

class RoundToIntegerTest : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundToIntegerTest, RoundsHalvesToEvenOrOverflows) {
  const RoundCase& c = GetParam();
  if (c.error != 0) {
    EXPECT_EQ(ErrorNumberOf([&] { RoundToInteger(c.value); }), c.error);
  } else {
    EXPECT_EQ(RoundToInteger(c.value), c.expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, RoundToIntegerTest,
    testing::Values(RoundCase{2.5, 2, 0}, RoundCase{3.5, 4, 0},
                    RoundCase{-2.5, -2, 0}, RoundCase{32767.0, 32767, 0},
                    RoundCase{32767.49, 32767, 0},
                    RoundCase{32767.5, 0, kErrOverflow},
                    RoundCase{32768.0, 0, kErrOverflow},
                    RoundCase{-32768.5, -32768, 0},
                    RoundCase{-32768.51, 0, kErrOverflow},
                    RoundCase{-40000.0, 0, kErrOverflow},
                    RoundCase{std::numeric_limits<double>::quiet_NaN(), 0,
                              kErrOverflow}));

TEST(RoundTest, OverflowCarriesTheStandardDescription) {
  try {
    RoundToLong(1e10);
    FAIL() << "no error raised";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), kErrOverflow);
    EXPECT_EQ(e.Description(), "Overflow");
  }
}

struct FormatCase {
  double value;
  const char* pattern;
  const char* expected;
};

class FormatNumberTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumberTest, WritesThePattern) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(FormatNumber(c.value, c.pattern), c.expected)
      << c.value << " with " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatNumberTest,
    testing::Values(
        // "0.0##": one to three decimals.
        FormatCase{2, "0.0##", "2.0"}, FormatCase{0.25, "0.0##", "0.25"},
        FormatCase{1.23456, "0.0##", "1.235"},
        FormatCase{1.23456f, "0.0##", "1.235"}, FormatCase{0, "0.0##", "0.0"},
        FormatCase{-0.0, "0.0##", "0.0"}, FormatCase{-2, "0.0##", "-2.0"},
        FormatCase{0.1f, "0.0##", "0.1"}, FormatCase{0.0625, "0.0##", "0.063"},
        FormatCase{-0.0625, "0.0##", "-0.063"},
        FormatCase{0.9995, "0.0##", "1.0"}, FormatCase{9.9996, "0.0##", "10.0"},
        FormatCase{99999.9999, "0.0##", "100000.0"},
        FormatCase{100000, "0.0##", "100000.0"},
        FormatCase{-100000, "0.0##", "-100000.0"},
        // Halves are judged on the decimal the user typed: the Single nearest
        // 1.0005 is 1.00049996..., yet 1.0005 was typed and shows as 1.001.
        FormatCase{1.0005, "0.0##", "1.001"},
        FormatCase{1.0005f, "0.0##", "1.001"},
        FormatCase{2.675, "0.0##", "2.675"},
        FormatCase{0.0004, "0.0##", "0.0"}, FormatCase{0.0005, "0.0##", "0.001"},
        // Negative values that round to zero lose their sign.
        FormatCase{-0.0004, "0.0##", "0.0"},
        FormatCase{-0.0005, "0.0##", "-0.001"},
        FormatCase{1e-30, "0.0##", "0.0"},
        FormatCase{1e20f, "0.0##", "100000000000000000000.0"},
        FormatCase{123456789.0, "0.0##", "123456789.0"},
        // "0.0###": one to four decimals.
        FormatCase{0, "0.0###", "0.0"}, FormatCase{2.25, "0.0###", "2.25"},
        FormatCase{1.234567, "0.0###", "1.2346"},
        FormatCase{0.0625, "0.0###", "0.0625"},
        FormatCase{0.00005, "0.0###", "0.0001"},
        FormatCase{-0.00004, "0.0###", "0.0"},
        FormatCase{-999999, "0.0###", "-999999.0"},
        FormatCase{0.1f + 0.2f, "0.0###", "0.3"},
        // "#.0###": no integer digit when the integer part is zero.
        FormatCase{0, "#.0###", ".0"}, FormatCase{0.5, "#.0###", ".5"},
        FormatCase{-0.25, "#.0###", "-.25"}, FormatCase{90, "#.0###", "90.0"},
        FormatCase{-90, "#.0###", "-90.0"},
        FormatCase{0.99999, "#.0###", "1.0"},
        FormatCase{-0.00001, "#.0###", ".0"},
        FormatCase{359.99999f, "#.0###", "360.0"},
        FormatCase{45.0000001, "#.0###", "45.0"},
        // "0.0": exactly one decimal.
        FormatCase{0, "0.0", "0.0"}, FormatCase{1, "0.0", "1.0"},
        FormatCase{0.25, "0.0", "0.3"}, FormatCase{0.35, "0.0", "0.4"},
        FormatCase{0.04, "0.0", "0.0"}, FormatCase{-0.04, "0.0", "0.0"},
        FormatCase{-0.05, "0.0", "-0.1"}, FormatCase{1.95, "0.0", "2.0"},
        FormatCase{0.159f, "0.0", "0.2"}));

TEST(FormatNumberTest, UsesTheLocaleSeparator) {
  ScopedDecimalSeparatorForTesting comma(',');
  EXPECT_EQ(FormatNumber(2.25, "0.0##"), "2,25");
  EXPECT_EQ(FormatNumber(-0.25, "#.0###"), "-,25");
  EXPECT_EQ(FormatNumber(3, "0.0"), "3,0");
}

TEST(FormatNumberTest, RefusesOtherPatternsWithError5) {
  for (const char* pattern : {"", "0.00", "#.##", "0", "0.0#", "0.0####",
                              "0,0##", " 0.0##", "0.0## ", "General"}) {
    try {
      FormatNumber(1.5, pattern);
      ADD_FAILURE() << "pattern \"" << pattern << "\" was accepted";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), kErrInvalidProcedureCall) << pattern;
      EXPECT_NE(e.Description().find(pattern), std::string::npos)
          << e.Description();
    }
  }
}

TEST(FormatNumberTest, RefusesNonFiniteValuesWithError6) {
  EXPECT_EQ(ErrorNumberOf([] {
              FormatNumber(std::numeric_limits<double>::infinity(), "0.0");
            }),
            kErrOverflow);
  EXPECT_EQ(ErrorNumberOf([] {
              FormatNumber(std::numeric_limits<double>::quiet_NaN(), "0.0##");
            }),
            kErrOverflow);
}

struct SingleTextCase {
  Single value;
  const char* expected;
};

class SingleToTextTest : public testing::TestWithParam<SingleTextCase> {};

TEST_P(SingleToTextTest, WritesTheGeneralForm) {
  EXPECT_EQ(SingleToText(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SingleToTextTest,
    testing::Values(
        SingleTextCase{0.0f, "0"}, SingleTextCase{-0.0f, "0"},
        SingleTextCase{2.0f, "2"}, SingleTextCase{-2.0f, "-2"},
        SingleTextCase{0.5f, "0.5"}, SingleTextCase{-0.5f, "-0.5"},
        SingleTextCase{0.05f, "0.05"}, SingleTextCase{0.1f, "0.1"},
        SingleTextCase{90.0f, "90"}, SingleTextCase{-45.5f, "-45.5"},
        SingleTextCase{1.0f / 3.0f, "0.3333333"},
        SingleTextCase{2.0f / 3.0f, "0.6666667"},
        SingleTextCase{3.141593f, "3.141593"},
        SingleTextCase{3.1415927f, "3.141593"},
        // The joint limit a user sees after degrees -> radians -> degrees.
        SingleTextCase{0.7853982f / 3.141593f * 180.0f, "45"},
        SingleTextCase{1234567.0f, "1234567"},
        SingleTextCase{9999999.0f, "9999999"},
        SingleTextCase{12345678.0f, "1.234568E+07"},
        SingleTextCase{10000000.0f, "1E+07"}, SingleTextCase{1e10f, "1E+10"},
        SingleTextCase{1e15f, "1E+15"}, SingleTextCase{-1.5e20f, "-1.5E+20"},
        SingleTextCase{9999999.5f, "1E+07"},
        SingleTextCase{0.0001f, "0.0001"},
        SingleTextCase{0.00012345f, "0.00012345"},
        SingleTextCase{0.00001f, "1E-05"}, SingleTextCase{1e-7f, "1E-07"},
        SingleTextCase{-1.25e-6f, "-1.25E-06"},
        SingleTextCase{FLT_MAX, "3.402823E+38"},
        SingleTextCase{-FLT_MAX, "-3.402823E+38"},
        SingleTextCase{FLT_MIN, "1.175494E-38"},
        SingleTextCase{std::numeric_limits<float>::denorm_min(),
                       "1.401298E-45"},
        // 1234568.5 is exactly halfway between two seven-digit texts.
        SingleTextCase{1234568.5f, "1234569"},
        SingleTextCase{-1234568.5f, "-1234569"}));

TEST(SingleToTextTest, UsesTheLocaleSeparator) {
  ScopedDecimalSeparatorForTesting comma(',');
  EXPECT_EQ(SingleToText(0.5f), "0,5");
  EXPECT_EQ(SingleToText(-1.5e20f), "-1,5E+20");
  EXPECT_EQ(SingleToText(2.0f), "2");
}

TEST(SingleToTextTest, RefusesNonFiniteValuesWithError6) {
  EXPECT_EQ(ErrorNumberOf([] {
              SingleToText(std::numeric_limits<float>::infinity());
            }),
            kErrOverflow);
  EXPECT_EQ(ErrorNumberOf([] {
              SingleToText(std::numeric_limits<float>::quiet_NaN());
            }),
            kErrOverflow);
}

// Every text the panel writes must read back as the same figure: sweep a
// spread of Singles through both directions.
TEST(SingleToTextTest, ReadsBackToAFixedPoint) {
  const float kSeeds[] = {1.0f, 1.1f, 3.4028235e38f, 1.17549435e-38f,
                          8.589973e9f, 9.999999e-5f, 0.3f, 16777217.0f};
  for (float seed : kSeeds) {
    float x = seed;
    for (int step = 0; step < 2000; ++step) {
      const Single once = TextToSingle(SingleToText(x));
      ASSERT_EQ(TextToSingle(SingleToText(once)), once) << x;
      // Within half a unit of the seventh significant digit.
      const double unit =
          std::pow(10.0, std::floor(std::log10(std::fabs(x))) - 6);
      const double spacing = std::fabs(
          static_cast<double>(std::nextafter(x, FLT_MAX)) - x);
      ASSERT_LE(std::fabs(static_cast<double>(once) - x), unit / 2 + spacing)
          << x;
      x = std::nextafter(x, 0.0f);
    }
  }
}

TEST(LongToTextTest, WritesPlainDecimal) {
  EXPECT_EQ(LongToText(0), "0");
  EXPECT_EQ(LongToText(3), "3");
  EXPECT_EQ(LongToText(-17), "-17");
  EXPECT_EQ(LongToText(2147483647), "2147483647");
  EXPECT_EQ(LongToText(-2147483647 - 1), "-2147483648");
}

struct ParseCase {
  const char* text;
  double expected;  // ignored when `error` is set
  Long error;
};

class TextToDoubleTest : public testing::TestWithParam<ParseCase> {};

TEST_P(TextToDoubleTest, ReadsOrRefuses) {
  const ParseCase& c = GetParam();
  if (c.error != 0) {
    EXPECT_EQ(ErrorNumberOf([&] { TextToDouble(c.text); }), c.error)
        << '"' << c.text << '"';
  } else {
    EXPECT_EQ(TextToDouble(c.text), c.expected) << '"' << c.text << '"';
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextToDoubleTest,
    testing::Values(
        ParseCase{"0", 0, 0}, ParseCase{"12", 12, 0}, ParseCase{"-12", -12, 0},
        ParseCase{"+12", 12, 0}, ParseCase{"1.5", 1.5, 0},
        ParseCase{"-.25", -0.25, 0}, ParseCase{".5", 0.5, 0},
        ParseCase{"5.", 5, 0}, ParseCase{"007", 7, 0},
        ParseCase{"  2.5\t", 2.5, 0}, ParseCase{"\t-3 ", -3, 0},
        ParseCase{"1e3", 1000, 0}, ParseCase{"1E+3", 1000, 0},
        ParseCase{"2.5e-1", 0.25, 0}, ParseCase{".5E1", 5, 0},
        ParseCase{"1.e2", 100, 0}, ParseCase{"0.1", 0.1, 0},
        ParseCase{"1e308", 1e308, 0}, ParseCase{"-1e308", -1e308, 0},
        ParseCase{"0e999999999999999999999", 0, 0},
        ParseCase{"0.000e-5", 0, 0},
        // Too small to represent reads as zero; too large is an overflow.
        ParseCase{"1e-400", 0, 0}, ParseCase{"-1e-400", 0, 0},
        ParseCase{"1e-99999999999999999999", 0, 0},
        ParseCase{"1e400", 0, kErrOverflow}, ParseCase{"-1e400", 0, kErrOverflow},
        ParseCase{"1e99999999999999999999", 0, kErrOverflow},
        ParseCase{"0.0001e312", 1e308, 0},
        ParseCase{"0.0001e313", 0, kErrOverflow},
        // Garbage, empty and half-written numbers.
        ParseCase{"", 0, kErrTypeMismatch}, ParseCase{"   ", 0, kErrTypeMismatch},
        ParseCase{"-", 0, kErrTypeMismatch}, ParseCase{"+", 0, kErrTypeMismatch},
        ParseCase{".", 0, kErrTypeMismatch}, ParseCase{"-.", 0, kErrTypeMismatch},
        ParseCase{"e5", 0, kErrTypeMismatch}, ParseCase{"1e", 0, kErrTypeMismatch},
        ParseCase{"1e+", 0, kErrTypeMismatch},
        ParseCase{"1e-", 0, kErrTypeMismatch},
        ParseCase{"1.2.3", 0, kErrTypeMismatch},
        ParseCase{"--1", 0, kErrTypeMismatch},
        ParseCase{"+-1", 0, kErrTypeMismatch},
        ParseCase{"- 1", 0, kErrTypeMismatch},
        ParseCase{"1 2", 0, kErrTypeMismatch},
        ParseCase{"abc", 0, kErrTypeMismatch},
        ParseCase{"12abc", 0, kErrTypeMismatch},
        ParseCase{"inf", 0, kErrTypeMismatch},
        ParseCase{"-Infinity", 0, kErrTypeMismatch},
        ParseCase{"nan", 0, kErrTypeMismatch},
        ParseCase{"0x10", 0, kErrTypeMismatch},
        ParseCase{"&H10", 0, kErrTypeMismatch},
        ParseCase{"1,000", 0, kErrTypeMismatch},
        ParseCase{"1,5", 0, kErrTypeMismatch},
        ParseCase{"$5", 0, kErrTypeMismatch},
        ParseCase{"5%", 0, kErrTypeMismatch},
        ParseCase{"1d3", 0, kErrTypeMismatch},
        ParseCase{"\n5", 0, kErrTypeMismatch},
        ParseCase{"\xef\xbc\x95", 0, kErrTypeMismatch}));  // fullwidth 5

TEST(TextToDoubleTest, ReadsLongDigitStringsExactly) {
  std::string many(400, '0');
  many += "1.5";
  EXPECT_EQ(TextToDouble(many), 1.5);
  std::string tiny = "0." + std::string(400, '0') + "1e401";
  EXPECT_EQ(TextToDouble(tiny), 1.0);
  std::string huge = "1" + std::string(400, '0');
  EXPECT_EQ(ErrorNumberOf([&] { TextToDouble(huge); }), kErrOverflow);
  // Correct rounding of a long mantissa: just above the halfway point
  // between 1 and the next double rounds up.
  EXPECT_EQ(TextToDouble("1.00000000000000011102230246251565404236316680908203126"),
            std::nextafter(1.0, 2.0));
}

TEST(TextToDoubleTest, EmbeddedZeroByteIsGarbage) {
  const std::string text("1\0" "5", 3);
  EXPECT_EQ(ErrorNumberOf([&] { TextToDouble(text); }), kErrTypeMismatch);
}

class TextToSingleTest : public testing::TestWithParam<ParseCase> {};

TEST_P(TextToSingleTest, ReadsOrRefuses) {
  const ParseCase& c = GetParam();
  if (c.error != 0) {
    EXPECT_EQ(ErrorNumberOf([&] { TextToSingle(c.text); }), c.error)
        << '"' << c.text << '"';
  } else {
    EXPECT_EQ(TextToSingle(c.text), static_cast<Single>(c.expected))
        << '"' << c.text << '"';
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextToSingleTest,
    testing::Values(
        ParseCase{"1.5", 1.5, 0}, ParseCase{" -0.25 ", -0.25, 0},
        ParseCase{"0.1", 0.1f, 0}, ParseCase{"3.141593", 3.141593f, 0},
        ParseCase{"16777217", 16777216, 0},
        ParseCase{"3.402823E+38", 3.402823e38f, 0},
        ParseCase{"3.4028235e38", FLT_MAX, 0},
        ParseCase{"-3.4028235e38", -FLT_MAX, 0},
        // Above the largest Single by more than half a step.
        ParseCase{"3.4028236e38", 0, kErrOverflow},
        ParseCase{"1e39", 0, kErrOverflow}, ParseCase{"-1e39", 0, kErrOverflow},
        ParseCase{"1e400", 0, kErrOverflow},
        ParseCase{"1e308", 0, kErrOverflow},
        ParseCase{"1.401298E-45", 1.401298e-45f, 0},
        ParseCase{"1e-40", 1e-40f, 0}, ParseCase{"1e-50", 0, 0},
        ParseCase{"1e-400", 0, 0}, ParseCase{"", 0, kErrTypeMismatch},
        ParseCase{"nan", 0, kErrTypeMismatch},
        ParseCase{"1.0.", 0, kErrTypeMismatch}));

TEST(TextToNumberTest, UsesOnlyTheLocaleSeparator) {
  ScopedDecimalSeparatorForTesting comma(',');
  EXPECT_EQ(DecimalSeparator(), ',');
  EXPECT_EQ(TextToDouble("1,5"), 1.5);
  EXPECT_EQ(TextToSingle(" -,25 "), -0.25f);
  EXPECT_EQ(TextToDouble("2,5e1"), 25.0);
  // Under a comma locale the point is the thousands separator: refused.
  EXPECT_EQ(ErrorNumberOf([] { TextToDouble("1.5"); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { TextToDouble("1.000,5"); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { TextToSingle(","); }), kErrTypeMismatch);
  // What the panel writes under this locale reads back.
  EXPECT_EQ(TextToSingle(SingleToText(0.3f)), 0.3f);
  EXPECT_EQ(TextToDouble(FormatNumber(-0.25, "#.0###")), -0.25);
}

TEST(TextToNumberTest, SeparatorOverrideEndsWithItsScope) {
  const char before = DecimalSeparator();
  {
    ScopedDecimalSeparatorForTesting comma(',');
    {
      ScopedDecimalSeparatorForTesting apostrophe('\'');
      EXPECT_EQ(DecimalSeparator(), '\'');
      EXPECT_EQ(TextToDouble("2'5"), 2.5);
    }
    EXPECT_EQ(DecimalSeparator(), ',');
  }
  EXPECT_EQ(DecimalSeparator(), before);
}

TEST(TextToNumberTest, CLocaleSeparatorIsThePoint) {
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
  EXPECT_EQ(FormatNumber(2.25, "0.0##"), "2,25");
  EXPECT_EQ(SingleToText(0.5f), "0,5");
  std::setlocale(LC_NUMERIC, previous.c_str());
  EXPECT_EQ(DecimalSeparator(), '.');
}

TEST(TextToNumberTest, MismatchCarriesTheStandardDescription) {
  try {
    TextToSingle("abc");
    FAIL() << "no error raised";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), kErrTypeMismatch);
    EXPECT_EQ(e.Description(), "Type mismatch");
  }
}

}  // namespace
}  // namespace morvel

#include "random_user/hostile_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "base/numbers.h"

namespace morvel::random_user {
namespace {

// Each entry tries one way a text can be wrong for a number field, or one
// boundary of the types behind the fields (Long, Integer, Single).
constexpr std::string_view kHostile[] = {
    "",
    " ",
    "abc",
    "1a",
    "a1",
    "--1",
    "+",
    "-",
    ".",
    ",",
    "1e",
    "e5",
    "1e39",
    "-1e39",
    "3.4028236e38",
    "1e308",
    "1e309",
    "-1e400",
    "1e-46",
    "4.9e-324",
    "1e-400",
    "-0",
    "0x10",
    "&H10",
    "1,5",
    "1.234,5",
    "1 000",
    "1,000.5",
    "2147483647",
    "2147483648",
    "-2147483649",
    "32767",
    "32768",
    "-32769",
    "99999999999999999999",
    "-100001",
    "100000.0005",
    "180.5",
    "0.0005",
    "2.5",
    "-2.5",
    "NaN",
    "nan",
    "-nan",
    "inf",
    "-inf",
    "Infinity",
    "-Infinity",
    "1.#INF",
    "1.#QNAN",
    "|",
    "a|b",
    "||||",
    "\t1",
    "1\n",
    "\x7f",
    "\b\b\b",
    "\xd9\xa1\xd9\xa2",          // Arabic-Indic digits one and two
    "\xef\xbc\x91\xef\xbc\x92",  // full-width 1 2
    "\xc2\xbd",                  // a vulgar half
    "\xff\xfe",                  // not UTF-8
    "\xe2\x82",                  // a cut UTF-8 sequence
    "\xf0\x9f\x98\x80",          // outside the 16-bit plane
    std::string_view("1\0"
                     "2",
                     3),
};

std::string Huge(Choices& choices) {
  switch (choices.Below(6)) {
    case 0:
      return std::string(kHugeTextLength, '9');
    case 1:
      return "1" + std::string(kHugeTextLength - 1, '0');
    case 2:
      return "0." + std::string(kHugeTextLength - 3, '0') + "1";
    case 3:
      return "-" + std::string(kHugeTextLength - 1, '7');
    case 4:
      return std::string(kHugeTextLength, '|');
    default: {
      // Two-byte characters, cut in the middle of the last one.
      std::string text;
      while (text.size() < kHugeTextLength) text += "\xc3\xa9";
      text.pop_back();
      return text;
    }
  }
}

// A number with up to `decimals` decimals within [low, high], as a person
// types it in this locale.
std::string NumberWithin(Choices& choices, double low, double high,
                         int decimals) {
  if (!(low <= high)) std::swap(low, high);
  low = std::max(low, -1e6);
  high = std::min(high, 1e6);
  if (low > high) low = high;
  const double steps = 1000;
  double value = low + (high - low) * choices.Below(1001) / steps;
  const int places = static_cast<int>(choices.Below(decimals + 2));
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", places, value);
  std::string result(text);
  const char separator = DecimalSeparator();
  std::replace(result.begin(), result.end(), '.', separator);
  return result;
}

}  // namespace

std::string HostileText(Choices& choices) {
  // The costly texts on the last values: a fuzz input that has run out of
  // bytes chooses 0, and should choose something cheap.
  const std::uint32_t kind = choices.Below(24);
  if (kind == 23) return Huge(choices);
  if (kind >= 20) {
    // A few random bytes.
    std::string text;
    for (std::uint32_t n = choices.Below(12); n > 0; --n)
      text.push_back(static_cast<char>(choices.Below(256)));
    return text;
  }
  return std::string(choices.Pick(kHostile));
}

std::string TextFor(Choices& choices, const TextWidget& field) {
  if (choices.OneIn(2)) return HostileText(choices);
  if (field.Kind() == WidgetKind::kUpDownText) {
    const auto& up_down = static_cast<const UpDownText&>(field);
    return NumberWithin(choices, up_down.MinValue() - 1, up_down.MaxValue() + 1,
                        static_cast<int>(up_down.MaxDecimalPlaces()));
  }
  // Text fields and the material cell editor: words, or the whole percents
  // the material columns take.
  static constexpr std::string_view kWords[] = {"glossy", "Part 7", "T-100", "",
                                                "matte finish"};
  if (choices.OneIn(2)) return std::string(choices.Pick(kWords));
  return NumberWithin(choices, -5, 105, 1);
}

std::string ChosenPath(Choices& choices) {
  static constexpr std::string_view kPaths[] = {
      "wood.png", "bump.png", "", "maps/stone.jpg", "/tmp/absolute.png"};
  if (choices.OneIn(4)) return HostileText(choices);
  return std::string(choices.Pick(kPaths));
}

}  // namespace morvel::random_user

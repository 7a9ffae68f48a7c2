#include "widgets/text_util.h"

#include <gtest/gtest.h>

#include <string>

namespace morvel {
namespace {

struct CountCase {
  const char* text;
  Long characters;
  Long index;
  std::size_t offset;
};

TEST(TextUtilTest, CountsCharactersAndFindsTheirBytes) {
  const CountCase cases[] = {
      {"", 0, 0, 0},
      {"abc", 3, 2, 2},
      {"abc", 3, 7, 3},         // past the end
      {"a\xC3\xA9z", 3, 2, 3},  // two-byte character
      {"\xE2\x82\xAC"
       "1",
       2, 1, 3},                       // euro sign
      {"\xF0\x9F\x99\x82!", 2, 1, 4},  // outside the basic plane
      {"\xC3", 1, 1, 1},               // cut short: one character
      {"\x80\x80", 2, 1, 1},           // stray continuation bytes
      {"\xE2\x28\xA1", 3, 1, 1},       // broken sequence
  };
  for (const CountCase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CharCount(c.text), c.characters);
    EXPECT_EQ(ByteOffset(c.text, c.index), c.offset);
  }
}

TEST(TextUtilTest, EncodesWhatItDecodes) {
  for (std::uint32_t cp : {0x41u, 0xE9u, 0x7FFu, 0x800u, 0x20ACu, 0xFFFFu,
                           0x10000u, 0x1F642u, 0x10FFFFu}) {
    std::string text;
    AppendUtf8(text, cp);
    std::uint32_t decoded = 0;
    EXPECT_EQ(DecodeUtf8(text, 0, decoded), text.size());
    EXPECT_EQ(decoded, cp);
  }
  // Values that are no characters become the replacement character.
  for (std::uint32_t bad : {0xD800u, 0x110000u}) {
    std::string text;
    AppendUtf8(text, bad);
    EXPECT_EQ(text, "\xEF\xBF\xBD");
  }
}

}  // namespace
}  // namespace morvel

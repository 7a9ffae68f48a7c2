#include "scenario/script.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace morvel::scenario {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Texts(const Line& line) {
  std::vector<std::string> out;
  for (const Token& t : line.tokens) out.push_back(t.ToText());
  return out;
}

TEST(TokenizeTest, SplitsWordsStringsVectorsAndSkipsComments) {
  std::vector<Line> lines = Tokenize(
      "# a comment line\n"
      "\n"
      "scene studio.json   # trailing comment\n"
      "  type txtNumClones(0) \"1 2 \\\"3\\\" \\\\\"\n"
      "expect scene Teapot.Clones.Counts = [1, 2,3]\n");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].number, 3);
  EXPECT_THAT(Texts(lines[0]), ElementsAre("scene", "studio.json"));
  EXPECT_EQ(lines[0].source, "scene studio.json");
  EXPECT_EQ(lines[1].number, 4);
  EXPECT_EQ(lines[1].tokens[2].kind, Token::Kind::kString);
  EXPECT_EQ(lines[1].tokens[2].text, "1 2 \"3\" \\");
  EXPECT_EQ(lines[2].tokens[4].kind, Token::Kind::kVector);
  EXPECT_THAT(lines[2].tokens[4].elements, ElementsAre("1", "2", "3"));
}

TEST(TokenizeTest, KeepsParenthesisedPartsWhole) {
  std::vector<Line> lines = Tokenize(
      "expect events evtReqWarn(\"Morvel\", \"a (b) c\", \"FocalBlur\") "
      "evtReqApplySceneChanges(False)\n");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_THAT(Texts(lines[0]),
              ElementsAre("expect", "events",
                          "evtReqWarn(\"Morvel\", \"a (b) c\", \"FocalBlur\")",
                          "evtReqApplySceneChanges(False)"));
}

TEST(TokenizeTest, IgnoresByteOrderMarkAndCarriageReturns) {
  std::vector<Line> lines =
      Tokenize("\xEF\xBB\xBFscene a.json\r\nterminate\r\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_THAT(Texts(lines[0]), ElementsAre("scene", "a.json"));
  EXPECT_THAT(Texts(lines[1]), ElementsAre("terminate"));
  EXPECT_EQ(lines[1].number, 2);
}

TEST(TokenizeTest, HashInsideStringIsNotAComment) {
  std::vector<Line> lines = Tokenize("type txtX \"#.0###\" # comment");
  ASSERT_EQ(lines.size(), 1u);
  ASSERT_EQ(lines[0].tokens.size(), 3u);
  EXPECT_EQ(lines[0].tokens[2].text, "#.0###");
}

Token Word(std::string text) {
  Token t;
  t.text = std::move(text);
  return t;
}

TEST(TokenValueTest, WholeNumbersInDecimalAndHex) {
  EXPECT_EQ(TokenToLong(Word("42"), 1), 42);
  EXPECT_EQ(TokenToLong(Word("-7"), 1), -7);
  EXPECT_EQ(TokenToLong(Word("0xFFFFFF"), 1), 16777215);
  EXPECT_EQ(TokenToLong(Word("0x8000000F"), 1), -2147483633);
  EXPECT_EQ(TokenToLong(Word("2147483647"), 1), 2147483647);
}

TEST(TokenValueTest, BadValuesSayWhatWasExpected) {
  struct Case {
    Token token;
    const char* message;
  } cases[] = {
      {Word("abc"), "bad value abc: expected a whole number"},
      {Word("2.5"), "bad value 2.5: expected a whole number"},
      {Word("2147483648"), "bad value 2147483648: expected a whole number"},
      {Word("0x100000000"), "bad value 0x100000000: expected a whole number"},
  };
  for (const Case& c : cases) {
    try {
      TokenToLong(c.token, 9);
      ADD_FAILURE() << c.token.text;
    } catch (const ScenarioError& e) {
      EXPECT_EQ(e.Line(), 9);
      EXPECT_EQ(e.Message(), c.message);
    }
  }
  Token quoted;
  quoted.kind = Token::Kind::kString;
  quoted.text = "1";
  EXPECT_THROW(TokenToLong(quoted, 1), ScenarioError);
  try {
    TokenToBool(Word("yes"), 4);
    ADD_FAILURE();
  } catch (const ScenarioError& e) {
    EXPECT_EQ(e.Message(), "bad value yes: expected True or False");
  }
  EXPECT_TRUE(TokenToBool(Word("true"), 1));
  EXPECT_FALSE(TokenToBool(Word("False"), 1));
}

TEST(WidgetNameTest, SplitsNameAndIndex) {
  struct Case {
    const char* text;
    bool ok;
    const char* name;
    int index;
  } cases[] = {
      {"sldSmoothingLevel", true, "sldSmoothingLevel", -1},
      {"txtNumClones(2)", true, "txtNumClones", 2},
      {"Label(10)", true, "Label", 10},
      {"txtNumClones(-1)", false, "", 0},
      {"txtNumClones()", false, "", 0},
      {"txtNumClones(a)", false, "", 0},
      {"9lives", false, "", 0},
      {"a.b", false, "", 0},
      {"x(1", false, "", 0},
  };
  for (const Case& c : cases) {
    std::string name;
    int index = 0;
    EXPECT_EQ(SplitWidgetName(c.text, name, index), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(name, c.name);
      EXPECT_EQ(index, c.index);
    }
  }
}

// How a scenario's value compares with what a widget or the scene prints.
TEST(ValueMatchesTest, ComparesAsThePrintedValue) {
  // clang-format off
  const struct {
    const char* expected;  // as a scenario writes it
    const char* found;     // as the widget or scene prints it
    bool matches;
  } cases[] = {
      {"2", "3", false}, {"-50000", "-50000", true},
      // Hex patterns against Longs, colours with the high bit.
      {"0xFFFFFF", "16777215", true}, {"0x8000000F", "-2147483633", true},
      {"0x8000000F", "2147483663", true}, {"0xFF", "&HFF&", true},
      // Singles compare as Singles.
      {"0.1", "0.100000001", true}, {"2", "2.0", true}, {"2.5", "2.4", false},
      {"-.25", "-0.25", true}, {"1E+10", "10000000000", true},
      // Strings are text, exactly.
      {"\"2.0\"", "2", false}, {"\"Lock\"", "lock", false}, {"\"\"", "", true},
      // Booleans, and numbers as their truth.
      {"False", "True", false}, {"True", "-1", true}, {"False", "0", true},
      {"true", "True", true},
      // Vectors element by element.
      {"[1, 2, 3]", "[1,2]", false}, {"[0.1, 0, -1]", "[0.1,0,-1]", true},
      {"[1, 0.5, 0, 1]", "[1,0.5,0,0.5]", false},
      // Bare words compare as text.
      {"Teapot", "Kettle", false}, {"3", "three", false}};
  // clang-format on
  for (const auto& c : cases) {
    std::vector<Line> lines = Tokenize(c.expected);
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].tokens.size(), 1u);
    EXPECT_EQ(ValueMatches(lines[0].tokens[0], c.found), c.matches)
        << c.expected << " vs " << c.found;
  }
}

}  // namespace
}  // namespace morvel::scenario

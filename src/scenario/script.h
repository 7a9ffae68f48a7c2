#ifndef MORVEL_SCENARIO_SCRIPT_H_
#define MORVEL_SCENARIO_SCRIPT_H_

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "base/types.h"

// The words of the scenario language: one command a line, `#` comments,
// "quoted strings" with \" and \\ escapes, vectors [1, 2, 3], and words that
// may carry a parenthesised part (txtNumClones(0), evtReqApplySceneChanges(
// False), List(6)) kept whole even when it holds blanks.
namespace morvel::scenario {

// A mistake in the scenario itself (not in the panel): unknown command or
// widget, bad value, wrong argument count. Carries the 1-based line.
class ScenarioError : public std::exception {
 public:
  ScenarioError(int line, std::string message)
      : line_(line), message_(std::move(message)) {}
  int Line() const { return line_; }
  const std::string& Message() const { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  int line_;
  std::string message_;
};

inline constexpr std::size_t kTokenTextBytes = 256;

struct Token {
  enum class Kind { kWord, kString, kVector };
  Kind kind = Kind::kWord;
  // A word as written; a string without its quotes and escapes; a vector's
  // text between the brackets.
  std::string text;
  // The elements of a vector, trimmed.
  std::vector<std::string> elements;

  bool IsWord(std::string_view word) const {
    return kind == Kind::kWord && text == word;
  }
  // The token as a scenario writes it (strings quoted again), for
  // messages: cut to kTokenTextBytes with "...".
  std::string ToText() const;
};

struct Line {
  int number = 0;
  std::string source;  // the line as written, without comment and blanks
  std::vector<Token> tokens;
};

// A scenario file is text nobody vouches for: these bound what one may hold,
// so that a huge or binary file fails at a line instead of exhausting the
// memory or the patience of whoever runs it.
inline constexpr std::size_t kMaxScenarioBytes = std::size_t{16} << 20;
inline constexpr std::size_t kMaxScenarioLine = 4096;

// Splits scenario text into lines of tokens, leaving out empty lines and
// comments. Raises ScenarioError for an unterminated string, vector or
// parenthesis, for a line longer than kMaxScenarioLine, a control character
// or invalid UTF-8 (a binary file), and at the line that goes past
// kMaxScenarioBytes.
std::vector<Line> Tokenize(std::string_view text);

// Conversions of argument tokens. Each raises ScenarioError at `line` with
// "bad value ...: expected ..." when the token does not fit.
// Integers in decimal or 0x hex (up to 32 bits; 0x8000000F is a negative
// Long, as colours with the high bit are).
Long TokenToLong(const Token& token, int line);
double TokenToNumber(const Token& token, int line);
// True or False (any letter case).
bool TokenToBool(const Token& token, int line);
// A string or a bare word, as text.
std::string TokenToText(const Token& token, int line);

// Parses "name" or "name(i)" into its parts; index -1 when there is none.
// False when the text is not a widget name.
bool SplitWidgetName(std::string_view text, std::string& name, int& index);

// Whether `found` (as the widget or scene prints it) is what `expected`
// asks for. Strings compare as text; True/False compare with True/False (or
// a number's truth); numbers compare as whole numbers when both are whole
// (modulo 2^32, so 0x8000000F matches the Long -2147483633), else as
// Singles; vectors element by element as Singles.
bool ValueMatches(const Token& expected, std::string_view found);

// Parses a number the way the panel and the scene print them ("2", "-.25",
// "1E+10", "&HFF&", "0xFF"). False when `text` is not one.
bool ParseNumber(std::string_view text, double& value);

}  // namespace morvel::scenario

#endif  // MORVEL_SCENARIO_SCRIPT_H_

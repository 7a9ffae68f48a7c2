#include "scenario/script.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "base/error.h"
#include "base/utf8.h"

namespace morvel::scenario {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string Trim(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

// Reads a quoted string starting at text[pos] == '"'; leaves pos after the
// closing quote. Returns false when the string does not end on this line.
bool ReadString(std::string_view text, std::size_t& pos, std::string& out) {
  ++pos;
  while (pos < text.size()) {
    char c = text[pos];
    if (c == '\\' && pos + 1 < text.size() &&
        (text[pos + 1] == '"' || text[pos + 1] == '\\')) {
      out += text[pos + 1];
      pos += 2;
    } else if (c == '"') {
      ++pos;
      return true;
    } else {
      out += c;
      ++pos;
    }
  }
  return false;
}

std::vector<std::string> SplitElements(std::string_view inner) {
  std::vector<std::string> elements;
  if (Trim(inner).empty()) return elements;
  std::size_t start = 0;
  while (true) {
    std::size_t comma = inner.find(',', start);
    elements.push_back(Trim(inner.substr(start, comma - start)));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return elements;
}

// Whole-number parse of a decimal or 0x / &H hex text into 64 bits.
bool ParseWhole(std::string_view text, std::int64_t& value) {
  std::string t = Trim(text);
  if (t.empty()) return false;
  bool negative = false;
  std::string_view body = t;
  if (body[0] == '-' || body[0] == '+') {
    negative = body[0] == '-';
    body.remove_prefix(1);
  }
  int base = 10;
  if (body.size() > 2 && body[0] == '0' && (body[1] == 'x' || body[1] == 'X')) {
    base = 16;
    body.remove_prefix(2);
  } else if (body.size() > 2 && body[0] == '&' &&
             (body[1] == 'H' || body[1] == 'h')) {
    base = 16;
    body.remove_prefix(2);
    if (!body.empty() && body.back() == '&') body.remove_suffix(1);
  }
  if (body.empty()) return false;
  std::uint64_t magnitude = 0;
  auto [end, error] =
      std::from_chars(body.data(), body.data() + body.size(), magnitude, base);
  if (error != std::errc() || end != body.data() + body.size()) return false;
  if (base == 16) {
    if (magnitude > 0xFFFFFFFFull) return false;
    // Hex is a 32-bit pattern: the high bit makes a negative Long.
    magnitude = static_cast<std::uint64_t>(
        static_cast<std::int64_t>(static_cast<Long>(magnitude)));
    value = static_cast<std::int64_t>(magnitude);
    if (negative) value = -value;
    return true;
  }
  if (magnitude > static_cast<std::uint64_t>(INT64_MAX)) return false;
  value = negative ? -static_cast<std::int64_t>(magnitude)
                   : static_cast<std::int64_t>(magnitude);
  return true;
}

// Where a line stops being text: a control character other than a tab or
// a carriage return, or a byte that is not valid UTF-8. npos when it is text.
std::size_t NotTextAt(std::string_view line, std::string& problem) {
  static const char kHex[] = "0123456789ABCDEF";
  auto byte = [&](unsigned char c) {
    return std::string("byte 0x") + kHex[c >> 4] + kHex[c & 0xF];
  };
  for (std::size_t i = 0; i < line.size();) {
    auto c = static_cast<unsigned char>(line[i]);
    if (c < 0x80) {
      if (c < 0x20 && c != '\t' && c != '\r') {
        problem =
            "a control character (" + byte(c) + "): a scenario is a text file";
        return i;
      }
      ++i;
      continue;
    }
    Utf8Lead rule;
    if (!Utf8LeadOf(c, rule)) {
      problem = "invalid UTF-8 (" + byte(c) + ")";
      return i;
    }
    unsigned char low = rule.low, high = rule.high;
    for (int k = 1; k <= rule.follow; ++k) {
      auto next = i + static_cast<std::size_t>(k) < line.size()
                      ? static_cast<unsigned char>(line[i + k])
                      : 0;
      if (next < low || next > high) {
        problem = "invalid UTF-8 (" + byte(c) + ")";
        return i;
      }
      low = 0x80;
      high = 0xBF;
    }
    i += static_cast<std::size_t>(rule.follow) + 1;
  }
  return std::string_view::npos;
}

}  // namespace

std::string Token::ToText() const {
  switch (kind) {
    case Kind::kString: {
      std::string out = "\"";
      for (char c : Excerpt(text, kTokenTextBytes)) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
      }
      return out + "\"";
    }
    case Kind::kVector:
      return "[" + Excerpt(text, kTokenTextBytes) + "]";
    case Kind::kWord:
      break;
  }
  return Excerpt(text, kTokenTextBytes);
}

std::vector<Line> Tokenize(std::string_view text) {
  // Editors on some systems start UTF-8 files with a byte-order mark.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<Line> lines;
  int number = 0;
  std::size_t line_start = 0;
  while (line_start <= text.size()) {
    std::size_t line_end = text.find('\n', line_start);
    if (line_end == std::string_view::npos) line_end = text.size();
    std::string_view raw = text.substr(line_start, line_end - line_start);
    ++number;
    if (line_end > kMaxScenarioBytes) {
      throw ScenarioError(number, "the scenario goes on past " +
                                      std::to_string(kMaxScenarioBytes) +
                                      " bytes");
    }
    if (raw.size() > kMaxScenarioLine) {
      throw ScenarioError(
          number,
          "a line longer than " + std::to_string(kMaxScenarioLine) + " bytes");
    }
    std::string problem;
    if (NotTextAt(raw, problem) != std::string_view::npos)
      throw ScenarioError(number, problem);
    Line line;
    line.number = number;
    std::size_t pos = 0;
    std::size_t source_end = 0;
    while (pos < raw.size()) {
      if (IsBlank(raw[pos])) {
        ++pos;
        continue;
      }
      if (raw[pos] == '#') break;
      Token token;
      if (raw[pos] == '"') {
        token.kind = Token::Kind::kString;
        if (!ReadString(raw, pos, token.text))
          throw ScenarioError(number, "unterminated string");
      } else if (raw[pos] == '[') {
        std::size_t close = raw.find(']', pos);
        if (close == std::string_view::npos)
          throw ScenarioError(number, "unterminated vector: missing \"]\"");
        token.kind = Token::Kind::kVector;
        token.text = Trim(raw.substr(pos + 1, close - pos - 1));
        token.elements = SplitElements(raw.substr(pos + 1, close - pos - 1));
        pos = close + 1;
      } else {
        // A word runs to the next blank; a parenthesised part (which may
        // hold quoted strings and blanks) belongs to it.
        std::size_t start = pos;
        while (pos < raw.size() && !IsBlank(raw[pos]) && raw[pos] != '"') {
          if (raw[pos] == '(') {
            int depth = 0;
            bool closed = false;
            while (pos < raw.size()) {
              char c = raw[pos];
              if (c == '"') {
                std::string ignored;
                if (!ReadString(raw, pos, ignored))
                  throw ScenarioError(number, "unterminated string");
                continue;
              }
              if (c == '(') ++depth;
              if (c == ')' && --depth == 0) {
                ++pos;
                closed = true;
                break;
              }
              ++pos;
            }
            if (!closed)
              throw ScenarioError(number, "unterminated \"(\": missing \")\"");
            continue;
          }
          ++pos;
        }
        token.text = std::string(raw.substr(start, pos - start));
      }
      source_end = pos;
      line.tokens.push_back(std::move(token));
    }
    if (!line.tokens.empty()) {
      line.source = Trim(raw.substr(0, source_end));
      lines.push_back(std::move(line));
    }
    if (line_end == text.size()) break;
    line_start = line_end + 1;
  }
  return lines;
}

Long TokenToLong(const Token& token, int line) {
  std::int64_t value = 0;
  if (token.kind != Token::Kind::kWord || !ParseWhole(token.text, value) ||
      value < INT32_MIN || value > INT32_MAX)
    throw ScenarioError(
        line, "bad value " + token.ToText() + ": expected a whole number");
  return static_cast<Long>(value);
}

double TokenToNumber(const Token& token, int line) {
  double value = 0;
  if (token.kind != Token::Kind::kWord || !ParseNumber(token.text, value))
    throw ScenarioError(line,
                        "bad value " + token.ToText() + ": expected a number");
  return value;
}

bool TokenToBool(const Token& token, int line) {
  if (token.kind == Token::Kind::kWord) {
    if (EqualsNoCase(token.text, "True")) return true;
    if (EqualsNoCase(token.text, "False")) return false;
  }
  throw ScenarioError(
      line, "bad value " + token.ToText() + ": expected True or False");
}

std::string TokenToText(const Token& token, int line) {
  if (token.kind == Token::Kind::kVector)
    throw ScenarioError(line,
                        "bad value " + token.ToText() + ": expected a text");
  return token.text;
}

bool SplitWidgetName(std::string_view text, std::string& name, int& index) {
  std::size_t open = text.find('(');
  std::string_view base = text.substr(0, open);
  if (base.empty() ||
      !(std::isalpha(static_cast<unsigned char>(base[0])) || base[0] == '_'))
    return false;
  for (char c : base) {
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_'))
      return false;
  }
  name = std::string(base);
  index = -1;
  if (open == std::string_view::npos) return true;
  if (text.back() != ')') return false;
  std::string_view digits = text.substr(open + 1, text.size() - open - 2);
  if (digits.empty() || digits.size() > 6) return false;
  int value = 0;
  auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size() || value < 0)
    return false;
  index = value;
  return true;
}

bool ParseNumber(std::string_view text, double& value) {
  std::string t = Trim(text);
  if (t.empty()) return false;
  std::int64_t whole = 0;
  if (ParseWhole(t, whole)) {
    value = static_cast<double>(whole);
    return true;
  }
  // from_chars does not take a leading '+'; "-.25" and "1E+10" it does.
  std::string_view body = t;
  if (body[0] == '+') body.remove_prefix(1);
  double parsed = 0;
  auto [end, error] =
      std::from_chars(body.data(), body.data() + body.size(), parsed);
  if (error != std::errc() || end != body.data() + body.size() ||
      !std::isfinite(parsed))
    return false;
  value = parsed;
  return true;
}

namespace {

bool NumbersMatch(std::string_view expected, std::string_view found) {
  std::int64_t a = 0, b = 0;
  if (ParseWhole(expected, a) && ParseWhole(found, b)) {
    // A colour read back as a Long may be negative where the scenario
    // writes its 32-bit pattern (0x8000000F): compare the patterns.
    auto fits = [](std::int64_t v) {
      return v >= INT32_MIN && v <= static_cast<std::int64_t>(UINT32_MAX);
    };
    return a == b ||
           (fits(a) && fits(b) &&
            static_cast<std::uint32_t>(a) == static_cast<std::uint32_t>(b));
  }
  double x = 0, y = 0;
  if (!ParseNumber(expected, x) || !ParseNumber(found, y)) return false;
  return static_cast<Single>(x) == static_cast<Single>(y);
}

std::vector<std::string> FoundElements(std::string_view found) {
  std::string t = Trim(found);
  std::string_view inner = t;
  if (inner.size() >= 2 && inner.front() == '[' && inner.back() == ']')
    inner = inner.substr(1, inner.size() - 2);
  else if (inner.size() >= 2 && inner.front() == '(' && inner.back() == ')')
    inner = inner.substr(1, inner.size() - 2);
  return SplitElements(inner);
}

}  // namespace

bool ValueMatches(const Token& expected, std::string_view found) {
  switch (expected.kind) {
    case Token::Kind::kString:
      return expected.text == found;
    case Token::Kind::kVector: {
      std::vector<std::string> elements = FoundElements(found);
      if (elements.size() != expected.elements.size()) return false;
      for (std::size_t i = 0; i < elements.size(); ++i) {
        if (!NumbersMatch(expected.elements[i], elements[i]) &&
            expected.elements[i] != elements[i])
          return false;
      }
      return true;
    }
    case Token::Kind::kWord:
      break;
  }
  const std::string& text = expected.text;
  if (EqualsNoCase(text, "True") || EqualsNoCase(text, "False")) {
    bool want = EqualsNoCase(text, "True");
    if (EqualsNoCase(found, "True")) return want;
    if (EqualsNoCase(found, "False")) return !want;
    double number = 0;
    if (ParseNumber(found, number)) return (number != 0) == want;
    return false;
  }
  double ignored = 0;
  if (ParseNumber(text, ignored)) return NumbersMatch(text, found);
  return text == found;
}

}  // namespace morvel::scenario

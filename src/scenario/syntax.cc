#include "scenario/syntax.h"

#include <cctype>

#include "base/numbers.h"

namespace morvel::scenario {

std::string Quoted(std::string_view text) {
  return Quote(Excerpt(text, kQuotedBytes));
}

std::string ErrorText(const Error& error) {
  std::string text =
      "error " + LongToText(error.Number()) + " " + Quoted(error.Description());
  if (!error.Source().empty()) text += " from " + Quoted(error.Source());
  return text;
}

std::string Unprefixed(const Error& error) {
  const std::string& d = error.Description();
  std::string standard = StandardDescription(error.Number()) + ": ";
  if (d.rfind(standard, 0) == 0) return d.substr(standard.size());
  return d;
}

std::string Join(const std::vector<std::string>& parts,
                 std::string_view separator) {
  std::string out;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += separator;
    out += parts[i];
  }
  return out;
}

std::string EventList(const std::vector<RecordedEvent>& events) {
  std::vector<std::string> texts;
  for (const RecordedEvent& e : events) texts.push_back(e.ToText());
  return "[" + Join(texts, " ") + "]";
}

namespace {

// Splits the argument text of an event token at the commas that are not
// inside a string.
std::vector<std::string> SplitEventArguments(std::string_view inner) {
  std::vector<std::string> parts;
  std::string current;
  bool in_string = false;
  for (std::size_t i = 0; i < inner.size(); ++i) {
    char c = inner[i];
    if (in_string) {
      current += c;
      if (c == '\\' && i + 1 < inner.size()) {
        current += inner[++i];
      } else if (c == '"') {
        in_string = false;
      }
    } else if (c == '"') {
      in_string = true;
      current += c;
    } else if (c == ',') {
      parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  parts.push_back(current);
  return parts;
}

}  // namespace

RecordedEvent ParseEvent(const Token& token, int line) {
  auto bad = [&]() {
    return ScenarioError(line, "bad event " + token.ToText() +
                                   ": expected a name such as "
                                   "evtReqApplySceneChanges(False)");
  };
  if (token.kind != Token::Kind::kWord) throw bad();
  RecordedEvent event;
  std::size_t open = token.text.find('(');
  event.name = token.text.substr(0, open);
  if (event.name.empty()) throw bad();
  for (char c : event.name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) throw bad();
  }
  if (open == std::string::npos) return event;
  if (token.text.back() != ')') throw bad();
  std::string inner = token.text.substr(open + 1, token.text.size() - open - 2);
  for (const std::string& part : SplitEventArguments(inner)) {
    std::vector<Line> lines;
    try {
      lines = Tokenize(part);
    } catch (const ScenarioError&) {
      throw bad();  // at the scenario's line, not the argument's
    }
    if (lines.size() != 1 || lines[0].tokens.size() != 1) throw bad();
    const Token& arg = lines[0].tokens[0];
    if (arg.kind == Token::Kind::kString) {
      event.arguments.emplace_back(arg.text);
    } else {
      event.arguments.emplace_back(TokenToBool(arg, line));
    }
  }
  return event;
}

namespace {

bool SplitProperty(std::string_view text, std::string& property,
                   std::optional<Long>& argument) {
  std::size_t open = text.find('(');
  property = std::string(text.substr(0, open));
  if (property.empty()) return false;
  for (char c : property) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  }
  argument.reset();
  if (open == std::string_view::npos) return true;
  if (text.back() != ')') return false;
  Token arg;
  arg.text = std::string(text.substr(open + 1, text.size() - open - 2));
  try {
    argument = TokenToLong(arg, 0);
  } catch (const ScenarioError&) {
    return false;
  }
  return true;
}

}  // namespace

PropertyPath ParsePropertyPath(const Token& token, int line) {
  auto bad = [&]() {
    return ScenarioError(line, "bad widget property " + token.ToText() +
                                   ": expected WIDGET.PROPERTY");
  };
  if (token.kind != Token::Kind::kWord) throw bad();
  // Neither a widget name nor its "(i)" holds a dot: the property starts
  // after the first one.
  std::size_t dot = token.text.find('.');
  if (dot == std::string::npos) throw bad();
  PropertyPath path;
  path.widget = token.text.substr(0, dot);
  std::string name;
  int index = 0;
  if (!SplitWidgetName(path.widget, name, index))
    throw ScenarioError(line, "bad widget name " + Quoted(path.widget));
  if (!SplitProperty(std::string_view(token.text).substr(dot + 1),
                     path.property, path.argument))
    throw bad();
  return path;
}

std::string PropertyText(const PropertyPath& path) {
  std::string text = path.widget + "." + path.property;
  if (path.argument) text += "(" + LongToText(*path.argument) + ")";
  return text;
}

CellPath ParseCellPath(const Token& row, const Token& col_prop, int line) {
  CellPath path;
  path.row = TokenToLong(row, line);
  std::size_t dot = col_prop.text.find('.');
  if (col_prop.kind != Token::Kind::kWord || dot == std::string::npos)
    throw ScenarioError(
        line, "bad cell " + col_prop.ToText() + ": expected COL.PROPERTY");
  Token col;
  col.text = col_prop.text.substr(0, dot);
  path.col = TokenToLong(col, line);
  path.property = col_prop.text.substr(dot + 1);
  static const char* const kCellProperties[] = {"Text", "CellBackColor",
                                                "CellAlignment", "CellPicture"};
  for (const char* p : kCellProperties) {
    if (path.property == p) return path;
  }
  throw ScenarioError(line, "unknown cell property " + Quoted(path.property) +
                                ": expected Text, CellBackColor, "
                                "CellAlignment or CellPicture");
}

namespace {

// Hands each KEY=VALUE word of `line`, from token `first` on, to
// `take(key, value, token)`, the value as a token of its own; any other
// token fails with `bad(token)` as the message.
template <class Bad, class Take>
void ForEachKeyValue(const Line& line, std::size_t first, Bad bad, Take take) {
  for (std::size_t i = first; i < line.tokens.size(); ++i) {
    const Token& token = line.tokens[i];
    const std::size_t eq = token.text.find('=');
    if (token.kind != Token::Kind::kWord || eq == std::string::npos)
      throw ScenarioError(line.number, bad(token));
    Token value;
    value.text = token.text.substr(eq + 1);
    take(token.text.substr(0, eq), value, token);
  }
}

}  // namespace

SetupOptions ParseSetupOptions(const Line& line) {
  SetupOptions options;
  const auto bad = [](const Token& token) {
    return "bad setup option " + token.ToText() +
           ": expected ambient=B, directional=B, scene-selected=B or "
           "render-mode=N";
  };
  ForEachKeyValue(
      line, 2, bad,
      [&](const std::string& key, const Token& value, const Token&) {
        if (key == "ambient") {
          options.ambient = TokenToBool(value, line.number);
        } else if (key == "directional") {
          options.directional = TokenToBool(value, line.number);
        } else if (key == "scene-selected") {
          options.scene_selected = TokenToBool(value, line.number);
        } else if (key == "render-mode") {
          options.render_mode = TokenToLong(value, line.number);
        } else {
          throw ScenarioError(line.number,
                              "unknown setup option " + Quoted(key) +
                                  ": expected ambient, directional, "
                                  "scene-selected or render-mode");
        }
      });
  return options;
}

SetupArguments ParseExplicitSetup(const Line& line) {
  const std::vector<Token>& t = line.tokens;
  const int n = line.number;
  SetupArguments a;
  a.SelectedTab = TokenToLong(t[1], n);
  a.SelectionEntity = TokenToLong(t[2], n);
  a.ShapesSelectedCount = TokenToLong(t[3], n);
  a.LightsSelectedCount = TokenToLong(t[4], n);
  a.BonesSelectedCount = TokenToLong(t[5], n);
  a.CamerasSelectedCount = TokenToLong(t[6], n);
  a.GroupsSelectedCount = TokenToLong(t[7], n);
  a.AmbientLightSelected = TokenToBool(t[8], n);
  a.DirectionalLightSelected = TokenToBool(t[9], n);
  a.SceneSelected = TokenToBool(t[10], n);
  a.RenderMode = TokenToLong(t[11], n);
  return a;
}

Integer ToInteger(const Token& token, int line) {
  Long value = TokenToLong(token, line);
  if (value < INT16_MIN || value > INT16_MAX)
    throw ScenarioError(line, "bad value " + token.ToText() +
                                  ": expected a whole number from -32768 to "
                                  "32767");
  return static_cast<Integer>(value);
}

namespace {

std::string CountText(int min, int max) {
  if (max < 0) return "at least " + std::to_string(min);
  if (min == max) return std::to_string(min);
  return std::to_string(min) + " to " + std::to_string(max);
}

}  // namespace

void CheckCount(const Line& line, std::string_view what, int min, int max) {
  int found = static_cast<int>(line.tokens.size()) - 1;
  if (found < min || (max >= 0 && found > max))
    throw ScenarioError(line.number, "wrong number of arguments for " +
                                         Quoted(what) + ": expected " +
                                         CountText(min, max) + ", found " +
                                         std::to_string(found));
}

void CheckWidgetName(const Token& token, int line) {
  std::string name;
  int index = 0;
  if (token.kind != Token::Kind::kWord ||
      !SplitWidgetName(token.text, name, index))
    throw ScenarioError(line, "bad widget name " + token.ToText());
}

void CheckPanelProperty(const Token& token, int line) {
  if (!token.IsWord("lVBColor") && !token.IsWord("Enabled") &&
      !token.IsWord("hWnd"))
    throw ScenarioError(line, "unknown property " + token.ToText() +
                                  ": expected lVBColor or Enabled");
}

FaultOptions ParseFaultOptions(const Line& line) {
  FaultOptions options;
  const auto bad = [](const Token& token) {
    return "bad value " + token.ToText() + ": expected after=N or times=N";
  };
  ForEachKeyValue(
      line, 4, bad,
      [&](const std::string& key, const Token& count, const Token& token) {
        if (key != "after" && key != "times")
          throw ScenarioError(line.number, bad(token));
        const Long value = TokenToLong(count, line.number);
        if (value < (key == "after" ? 0 : 1))
          throw ScenarioError(
              line.number, "bad value " + token.ToText() + ": expected " + key +
                               "=N with N >= " + (key == "after" ? "0" : "1"));
        (key == "after" ? options.after : options.times) = value;
      });
  return options;
}

}  // namespace morvel::scenario

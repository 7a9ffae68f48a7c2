#include "scenario/interpreter.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <ostream>
#include <sstream>

#include "base/error.h"
#include "base/numbers.h"
#include "scenario/scene_state.h"

namespace morvel::scenario {
namespace {

// A failed expectation: "expected ..., found ...".
class ExpectationFailure : public std::exception {
 public:
  explicit ExpectationFailure(std::string message)
      : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

constexpr const char kMaterialGrid[] = "msgMaterialAttributes";

std::string ErrorText(const Error& error) {
  std::string text =
      "error " + LongToText(error.Number()) + " " + Quote(error.Description());
  if (!error.Source().empty()) text += " from " + Quote(error.Source());
  return text;
}

// The description without the standard text the scene puts before it
// ("Invalid procedure call or argument: no node is named ..." reads as
// "no node is named ..." in a scenario's failure).
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

// Parses `evtName` or `evtName("text", False)` as `expect events` writes an
// event.
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

// "WIDGET.PROP" or "WIDGET.PROP(ARG)".
struct PropertyPath {
  std::string widget;
  std::string property;
  std::optional<Long> argument;
};

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
    throw ScenarioError(line, "bad widget name " + Quote(path.widget));
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

// "ROW COL.PROP" of `expect cell`.
struct CellPath {
  Long row = 0;
  Long col = 0;
  std::string property;
};

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
  throw ScenarioError(line, "unknown cell property " + Quote(path.property) +
                                ": expected Text, CellBackColor, "
                                "CellAlignment or CellPicture");
}

// The options of `setup common|object`.
struct SetupOptions {
  std::optional<bool> ambient, directional, scene_selected;
  std::optional<Long> render_mode;
};

SetupOptions ParseSetupOptions(const Line& line) {
  SetupOptions options;
  for (std::size_t i = 2; i < line.tokens.size(); ++i) {
    const Token& token = line.tokens[i];
    std::size_t eq = token.text.find('=');
    if (token.kind != Token::Kind::kWord || eq == std::string::npos)
      throw ScenarioError(line.number,
                          "bad setup option " + token.ToText() +
                              ": expected ambient=B, directional=B, "
                              "scene-selected=B or render-mode=N");
    std::string key = token.text.substr(0, eq);
    Token value;
    value.text = token.text.substr(eq + 1);
    if (key == "ambient") {
      options.ambient = TokenToBool(value, line.number);
    } else if (key == "directional") {
      options.directional = TokenToBool(value, line.number);
    } else if (key == "scene-selected") {
      options.scene_selected = TokenToBool(value, line.number);
    } else if (key == "render-mode") {
      options.render_mode = TokenToLong(value, line.number);
    } else {
      throw ScenarioError(line.number, "unknown setup option " + Quote(key) +
                                           ": expected ambient, directional, "
                                           "scene-selected or render-mode");
    }
  }
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

// How many arguments a command takes (after its name), and whether it acts
// on the panel or the host (an action starts a new "last action" for
// `expect events`, `expect journal`, `expect message` and `expect error`).
struct CommandSyntax {
  int min_args;
  int max_args;  // -1: any number
  bool action;
  const char* usage;
};

const std::map<std::string, CommandSyntax, std::less<>>& Commands() {
  static const std::map<std::string, CommandSyntax, std::less<>> kCommands = {
      {"scene", {1, 1, true, "scene FILE"}},
      {"select", {0, -1, true, "select NAME..."}},
      {"setup",
       {1, 11, true,
        "setup common|object [options] or setup TAB ENTITY NS NL NB "
        "NC NG AMB DIR SCENE RENDER"}},
      {"size", {3, 3, true, "size INNER OUTER WIDTH"}},
      {"set", {2, 2, true, "set WIDGET VALUE"}},
      {"click", {1, 1, true, "click WIDGET"}},
      {"move", {2, 2, true, "move WIDGET N"}},
      {"pick", {2, 2, true, "pick WIDGET N"}},
      {"check", {2, 2, true, "check WIDGET V"}},
      {"type", {2, 2, true, "type WIDGET TEXT"}},
      {"commit", {1, 2, true, "commit WIDGET [TEXT]"}},
      {"activate", {1, 1, true, "activate WIDGET"}},
      {"step", {2, 2, true, "step WIDGET up|down"}},
      {"select-text", {3, 3, true, "select-text WIDGET START LENGTH"}},
      {"focus", {1, 1, true, "focus WIDGET"}},
      {"blur", {1, 1, true, "blur WIDGET"}},
      {"property", {2, 2, true, "property NAME VALUE"}},
      {"cell", {2, 2, true, "cell ROW COL"}},
      {"key", {1, 1, true, "key CODE"}},
      {"clipboard", {1, 1, false, "clipboard TEXT"}},
      {"answer",
       {2, 3, false, "answer colour RESULT COLOUR or answer mapfile PATH"}},
      {"fault",
       {3, 5, false,
        "fault OPERATION NUMBER \"DESCRIPTION\" [after=N] "
        "[times=N]"}},
      {"terminate", {0, 0, true, "terminate"}},
      {"warn", {3, 3, true, "warn APP \"TEXT\" ENTRY"}},
      {"unload", {0, 0, true, "unload"}},
      {"expect", {1, -1, false, "expect WHAT ..."}},
      {"print", {1, 2, false, "print events|widgets|scene|settings|journal"}},
  };
  return kCommands;
}

std::string CountText(int min, int max) {
  if (max < 0) return "at least " + std::to_string(min);
  if (min == max) return std::to_string(min);
  return std::to_string(min) + " to " + std::to_string(max);
}

void CheckCount(const Line& line, std::string_view what, int min, int max) {
  int found = static_cast<int>(line.tokens.size()) - 1;
  if (found < min || (max >= 0 && found > max))
    throw ScenarioError(line.number, "wrong number of arguments for " +
                                         Quote(what) + ": expected " +
                                         CountText(min, max) + ", found " +
                                         std::to_string(found));
}

}  // namespace

std::string ScenarioResult::Summary(std::string_view name) const {
  if (passed) return "PASS " + std::string(name);
  return "FAIL " + std::string(name) + ": line " + std::to_string(line) + ": " +
         message;
}

void ScenarioHost::SetScene(SceneState& scene,
                            const std::shared_ptr<SceneGraph>& graph,
                            const std::shared_ptr<Applier>& applier) {
  (void)scene;
  Properties* panel = Panel();
  if (panel) panel->SetSceneGraph(graph, applier);
}

void ScenarioHost::Setup(const SetupArguments& a) {
  Properties* panel = Panel();
  if (!panel) return;
  panel->SetupPropertiesPanel(a);
}

void SceneApplyOperation(SceneState& scene, const std::string& operation) {
  scene.RunOperation(operation);
}

// One playing of one scenario.
class Interpreter::Run {
 public:
  Run(ScenarioHost& host, std::ostream* transcript, std::string name,
      std::string base_dir)
      : host_(host),
        transcript_(transcript),
        name_(std::move(name)),
        base_dir_(std::move(base_dir)) {
    recorder_.SetTranscript(transcript);
  }

  ScenarioResult Play(std::string_view text) {
    ScenarioResult result;
    std::vector<Line> lines;
    try {
      lines = Tokenize(text);
      for (const Line& line : lines) Validate(line);
      // A file without a command checks nothing; passing it would hide a
      // mistake (a wrong file, an emptied one).
      if (lines.empty()) throw ScenarioError(1, "the scenario has no commands");
    } catch (const ScenarioError& e) {
      result.line = e.Line();
      result.message = e.Message();
      return result;
    }
    if (transcript_) *transcript_ << "scenario " << name_ << "\n";
    bool begun = false;
    try {
      host_.BeginScenario(recorder_);
      begun = true;
      for (const Line& line : lines) {
        current_line_ = line.number;
        Execute(line);
      }
      CheckNoPendingError();
      result.passed = true;
    } catch (const ScenarioError& e) {
      result.line = e.Line();
      result.message = e.Message();
    } catch (const ExpectationFailure& e) {
      result.line = current_line_;
      result.message = e.Message();
    } catch (const Error& e) {
      result.line = current_line_;
      result.message = "expected no error, found " + ErrorText(e);
    } catch (const std::exception& e) {
      result.line = current_line_;
      result.message = std::string("internal failure: ") + e.what();
    }
    if (begun) Quietly([&] { host_.EndScenario(); });
    if (!begun && result.message.empty()) result.message = "host failed";
    return result;
  }

 private:
  // --- validation, before anything runs -------------------------------

  void Validate(const Line& line) {
    const std::string& name = line.tokens[0].text;
    auto it = line.tokens[0].kind == Token::Kind::kWord ? Commands().find(name)
                                                        : Commands().end();
    if (it == Commands().end())
      throw ScenarioError(line.number,
                          "unknown command " + Quote(line.tokens[0].text));
    const CommandSyntax& syntax = it->second;
    if (name == "setup") {
      ValidateSetup(line);
      return;
    }
    if (name == "expect") {
      ValidateExpect(line);
      return;
    }
    CheckCount(line, name, syntax.min_args, syntax.max_args);
    const std::vector<Token>& t = line.tokens;
    const int n = line.number;
    if (name == "scene") {
      TokenToText(t[1], n);
    } else if (name == "select") {
      for (std::size_t i = 1; i < t.size(); ++i) TokenToText(t[i], n);
    } else if (name == "size") {
      for (int i = 1; i <= 3; ++i) TokenToLong(t[i], n);
    } else if (name == "set") {
      CheckWidgetName(t[1], n);
      if (t[2].kind == Token::Kind::kVector)
        throw ScenarioError(n, "bad value " + t[2].ToText() +
                                   ": expected a number, True/False or a "
                                   "text");
    } else if (name == "move" || name == "pick") {
      CheckWidgetName(t[1], n);
      TokenToLong(t[2], n);
    } else if (name == "check") {
      CheckWidgetName(t[1], n);
      ToInteger(t[2], n);
    } else if (name == "type") {
      CheckWidgetName(t[1], n);
      TokenToText(t[2], n);
    } else if (name == "commit") {
      CheckWidgetName(t[1], n);
      if (t.size() > 2) TokenToText(t[2], n);
    } else if (name == "select-text") {
      CheckWidgetName(t[1], n);
      TokenToLong(t[2], n);
      TokenToLong(t[3], n);
    } else if (name == "step") {
      CheckWidgetName(t[1], n);
      if (!t[2].IsWord("up") && !t[2].IsWord("down"))
        throw ScenarioError(
            n, "bad value " + t[2].ToText() + ": expected up or down");
    } else if (name == "click" || name == "activate" || name == "focus" ||
               name == "blur") {
      CheckWidgetName(t[1], n);
    } else if (name == "property") {
      CheckPanelProperty(t[1], n);
      if (t[1].text == "Enabled")
        TokenToBool(t[2], n);
      else
        TokenToLong(t[2], n);
    } else if (name == "cell") {
      TokenToLong(t[1], n);
      TokenToLong(t[2], n);
    } else if (name == "key") {
      ToInteger(t[1], n);
    } else if (name == "clipboard") {
      TokenToText(t[1], n);
    } else if (name == "answer") {
      if (t[1].IsWord("colour")) {
        CheckCount(line, "answer colour", 3, 3);
        TokenToLong(t[2], n);
        TokenToLong(t[3], n);
      } else if (t[1].IsWord("mapfile")) {
        CheckCount(line, "answer mapfile", 2, 2);
        TokenToText(t[2], n);
      } else {
        throw ScenarioError(
            n, "bad value " + t[1].ToText() + ": expected colour or mapfile");
      }
    } else if (name == "fault") {
      TokenToText(t[1], n);
      TokenToLong(t[2], n);
      TokenToText(t[3], n);
      FaultPlan(line);
    } else if (name == "warn") {
      for (int i = 1; i <= 3; ++i) TokenToText(t[i], n);
    } else if (name == "print") {
      static const char* const kWhat[] = {"events", "widgets", "scene",
                                          "settings", "journal"};
      bool known = false;
      for (const char* w : kWhat) known = known || t[1].IsWord(w);
      if (!known)
        throw ScenarioError(n, "bad value " + t[1].ToText() +
                                   ": expected events, widgets, scene, "
                                   "settings or journal");
      if (t.size() > 2) {
        if (!t[1].IsWord("widgets"))
          CheckCount(line, "print " + t[1].text, 1, 1);
        CheckWidgetName(t[2], n);
      }
    }
  }

  static void CheckWidgetName(const Token& token, int line) {
    std::string name;
    int index = 0;
    if (token.kind != Token::Kind::kWord ||
        !SplitWidgetName(token.text, name, index))
      throw ScenarioError(line, "bad widget name " + token.ToText());
  }

  static void CheckPanelProperty(const Token& token, int line) {
    if (!token.IsWord("lVBColor") && !token.IsWord("Enabled") &&
        !token.IsWord("hWnd"))
      throw ScenarioError(line, "unknown property " + token.ToText() +
                                    ": expected lVBColor or Enabled");
  }

  // The options of `fault`: how many calls succeed first (after=N, 0 by
  // default) and how many then fail (times=N; every call by default).
  struct FaultOptions {
    Long after = 0;
    Long times = -1;
  };
  static FaultOptions FaultPlan(const Line& line) {
    FaultOptions options;
    for (std::size_t i = 4; i < line.tokens.size(); ++i) {
      const Token& token = line.tokens[i];
      std::size_t eq = token.text.find('=');
      std::string key = eq == std::string::npos ? "" : token.text.substr(0, eq);
      if (token.kind != Token::Kind::kWord ||
          (key != "after" && key != "times"))
        throw ScenarioError(line.number, "bad value " + token.ToText() +
                                             ": expected after=N or times=N");
      Token count;
      count.text = token.text.substr(eq + 1);
      Long value = TokenToLong(count, line.number);
      if (value < (key == "after" ? 0 : 1))
        throw ScenarioError(
            line.number, "bad value " + token.ToText() + ": expected " + key +
                             "=N with N >= " + (key == "after" ? "0" : "1"));
      (key == "after" ? options.after : options.times) = value;
    }
    return options;
  }

  void ValidateSetup(const Line& line) {
    const std::vector<Token>& t = line.tokens;
    if (t.size() >= 2 && (t[1].IsWord("common") || t[1].IsWord("object"))) {
      ParseSetupOptions(line);
      return;
    }
    if (t.size() != 12)
      throw ScenarioError(
          line.number,
          "wrong number of arguments for \"setup\": expected common|object "
          "[options] or 11 arguments, found " +
              std::to_string(t.size() - 1));
    ParseExplicitSetup(line);
  }

  // `expect` and its kinds: what follows the kind word, and how to check it.
  void ValidateExpect(const Line& line) {
    const std::vector<Token>& t = line.tokens;
    const int n = line.number;
    if (t.size() < 2)
      throw ScenarioError(n,
                          "wrong number of arguments for \"expect\": "
                          "expected at least 1, found 0");
    const Token& kind = t[1];
    auto need_eq = [&](std::size_t eq_at, const char* usage) {
      if (t.size() != eq_at + 2 || !t[eq_at].IsWord("="))
        throw ScenarioError(n,
                            "bad expectation: expected " + std::string(usage));
    };
    if (kind.IsWord("events")) {
      for (std::size_t i = 2; i < t.size(); ++i) ParseEvent(t[i], n);
    } else if (kind.IsWord("no") && t.size() == 6 && t[2].IsWord("setting")) {
      for (int i = 3; i <= 5; ++i) TokenToText(t[i], n);
    } else if (kind.IsWord("no")) {
      if (t.size() != 3 || !(t[2].IsWord("events") || t[2].IsWord("error") ||
                             t[2].IsWord("message") || t[2].IsWord("journal")))
        throw ScenarioError(n,
                            "bad expectation: expected \"expect no "
                            "events|error|message|journal\" or \"expect "
                            "no setting APP SECTION KEY\"");
    } else if (kind.IsWord("error")) {
      CheckCount(line, "expect", 2, 2);
      TokenToLong(t[2], n);
    } else if (kind.IsWord("refused")) {
      CheckCount(line, "expect", 1, 1);
    } else if (kind.IsWord("message")) {
      CheckCount(line, "expect", 2, 2);
      TokenToText(t[2], n);
    } else if (kind.IsWord("widget")) {
      need_eq(3, "expect widget WIDGET.PROPERTY = VALUE");
      ParsePropertyPath(t[2], n);
    } else if (kind.IsWord("cell")) {
      need_eq(4, "expect cell ROW COL.PROPERTY = VALUE");
      ParseCellPath(t[2], t[3], n);
    } else if (kind.IsWord("scene")) {
      need_eq(3, "expect scene NODE.KEY = VALUE");
      // A node name with blanks is written quoted: "Key Light.LightType".
      if (t[2].kind == Token::Kind::kVector ||
          t[2].text.find('.') == std::string::npos)
        throw ScenarioError(
            n, "bad scene value " + t[2].ToText() + ": expected NODE.KEY");
    } else if (kind.IsWord("setting")) {
      need_eq(5, "expect setting APP SECTION KEY = \"VALUE\"");
      for (int i = 2; i <= 4; ++i) TokenToText(t[i], n);
    } else if (kind.IsWord("clipboard")) {
      CheckCount(line, "expect", 2, 2);
      TokenToText(t[2], n);
    } else if (kind.IsWord("property")) {
      need_eq(3, "expect property NAME = VALUE");
      CheckPanelProperty(t[2], n);
    } else if (kind.IsWord("journal") || kind.IsWord("journal-ops")) {
      for (std::size_t i = 2; i < t.size(); ++i) TokenToText(t[i], n);
    } else if (kind.IsWord("focus")) {
      CheckCount(line, "expect", 2, 2);
      CheckWidgetName(t[2], n);
    } else if (kind.IsWord("debug")) {
      for (std::size_t i = 2; i < t.size(); ++i) TokenToText(t[i], n);
    } else {
      throw ScenarioError(
          n, "unknown expectation " + kind.ToText() +
                 ": expected events, error, message, widget, cell, scene, "
                 "setting, clipboard, property, journal, journal-ops, focus "
                 "or debug");
    }
  }

  // --- execution ------------------------------------------------------

  void Execute(const Line& line) {
    const std::string& name = line.tokens[0].text;
    const CommandSyntax& syntax = Commands().find(name)->second;
    if (transcript_)
      *transcript_ << "  " << line.number << ": " << line.source << "\n";
    if (!syntax.action) {
      if (name == "expect") {
        Expect(line);
      } else {
        Configure(line);
      }
      return;
    }
    CheckNoPendingError();
    recorder_.StartAction();
    journal_mark_ = scene_.JournalSize();
    debug_mark_ = scene_.DebugMessages().size();
    action_line_ = line.number;
    last_error_.reset();
    try {
      Act(line);
    } catch (const Error& e) {
      last_error_ = e;
      error_pending_ = true;
      recorder_.Note(ErrorText(e));
    } catch (const ScenarioError&) {
      NoteJournal();
      throw;
    }
    NoteJournal();
  }

  void NoteJournal() {
    if (!transcript_) return;
    for (const std::string& line : scene_.Journal(journal_mark_))
      recorder_.Note("journal " + line);
  }

  void CheckNoPendingError() {
    if (error_pending_ && last_error_) {
      current_line_ = action_line_;
      throw ExpectationFailure("expected no error, found " +
                               ErrorText(*last_error_));
    }
  }

  Properties& Panel(int line) {
    Properties* panel = host_.Panel();
    if (!panel)
      throw ScenarioError(line, "there is no panel: it was terminated");
    return *panel;
  }

  // Finds a widget of the panel or of the loaded warning dialog.
  Widget& FindWidget(const Token& token, int line) {
    std::string name;
    int index = -1;
    SplitWidgetName(token.text, name, index);
    std::vector<const WidgetTree*> trees;
    if (Properties* panel = host_.Panel()) trees.push_back(&panel->Widgets());
    if (WidgetTree* warn = host_.WarningWidgets()) trees.push_back(warn);
    for (const WidgetTree* tree : trees) {
      if (Widget* w = tree->Find(name, index)) return *w;
    }
    for (const WidgetTree* tree : trees) {
      std::vector<Widget*> elements = tree->Array(name);
      if (!elements.empty()) {
        if (index < 0)
          throw ScenarioError(
              line, "widget " + Quote(name) +
                        " is a control array: name an "
                        "element, as " +
                        name + "(" + std::to_string(elements.front()->Index()) +
                        ")");
        throw ScenarioError(line, "widget " + Quote(name) + " has no element " +
                                      std::to_string(index));
      }
      if (index >= 0 && tree->Find(name, -1))
        throw ScenarioError(
            line, "widget " + Quote(name) + " is not a control array");
    }
    if (trees.empty())
      throw ScenarioError(line, "there is no panel: it was terminated");
    throw ScenarioError(line, "unknown widget " + Quote(token.text));
  }

  template <class T>
  T& FindWidgetOf(const Token& token, int line, const char* command,
                  const char* kind_name) {
    Widget& w = FindWidget(token, line);
    T* typed = dynamic_cast<T*>(&w);
    if (!typed)
      throw ScenarioError(line, Quote(command) + " needs a " + kind_name +
                                    ", and " + w.DisplayName() + " is a " +
                                    std::string(KindName(w.Kind())));
    return *typed;
  }

  std::string ScenePath(const std::string& file) const {
    std::filesystem::path p(file);
    if (p.is_relative() && !base_dir_.empty())
      p = std::filesystem::path(base_dir_) / p;
    return p.string();
  }

  void Act(const Line& line) {
    const std::vector<Token>& t = line.tokens;
    const int n = line.number;
    const std::string& name = t[0].text;
    InputDriver& input = host_.Input();
    if (name == "scene" && t[1].IsWord("none")) {
      // No scene graph and no applier: a panel that never had one stays
      // uninitialised.
      scene_.Clear();
      journal_mark_ = 0;
      host_.SetScene(scene_, nullptr, nullptr);
    } else if (name == "scene") {
      std::string path = ScenePath(t[1].text);
      try {
        scene_.Load(path, &host_.Settings());
      } catch (const Error& e) {
        // The scene names the file as it opened it; the scenario's own
        // words read better and do not depend on where the runner started.
        std::string description = e.Description();
        for (std::size_t at = description.find(path);
             at != std::string::npos && !path.empty();
             at = description.find(path, at + t[1].text.size())) {
          description.replace(at, path.size(), t[1].text);
        }
        throw ScenarioError(n, "cannot load scene " + Quote(t[1].text) + ": " +
                                   ErrorText(Error(e.Number(), description)));
      }
      journal_mark_ = scene_.JournalSize();
      host_.SetScene(scene_, scene_.Graph(), scene_.Applier());
    } else if (name == "select") {
      RequireScene(n);
      std::vector<std::string> names;
      for (std::size_t i = 1; i < t.size(); ++i) names.push_back(t[i].text);
      try {
        scene_.Select(names);
      } catch (const Error& e) {
        throw ScenarioError(n, "cannot select: " + Unprefixed(e));
      }
      host_.SelectionChanged();
    } else if (name == "setup") {
      SetupArguments args;
      if (t[1].IsWord("common") || t[1].IsWord("object")) {
        Long tab = t[1].IsWord("common") ? 2 : 3;
        if (scene_.Loaded()) {
          args = scene_.HostRules(tab);
        } else {
          args.SelectedTab = tab;
        }
        SetupOptions o = ParseSetupOptions(line);
        if (o.ambient) args.AmbientLightSelected = *o.ambient;
        if (o.directional) args.DirectionalLightSelected = *o.directional;
        if (o.scene_selected) args.SceneSelected = *o.scene_selected;
        if (o.render_mode) args.RenderMode = *o.render_mode;
      } else {
        args = ParseExplicitSetup(line);
      }
      Panel(n);
      host_.Setup(args);
    } else if (name == "size") {
      Panel(n);
      host_.Resize(TokenToLong(t[1], n), TokenToLong(t[2], n),
                   TokenToLong(t[3], n));
    } else if (name == "set") {
      SetAsCode(FindWidget(t[1], n), t[2], n);
    } else if (name == "click") {
      Widget& w = FindWidget(t[1], n);
      if (w.Kind() != WidgetKind::kButton &&
          w.Kind() != WidgetKind::kPictureBox &&
          w.Kind() != WidgetKind::kCheckBox)
        throw ScenarioError(n,
                            "\"click\" needs a Button, PictureBox or "
                            "CheckBox, and " +
                                w.DisplayName() + " is a " +
                                std::string(KindName(w.Kind())));
      input.Click(w);
    } else if (name == "move") {
      input.MoveSlider(FindWidgetOf<Slider>(t[1], n, "move", "Slider"),
                       TokenToLong(t[2], n));
    } else if (name == "pick") {
      input.Pick(FindWidgetOf<ComboBox>(t[1], n, "pick", "ComboBox"),
                 TokenToLong(t[2], n));
    } else if (name == "check") {
      input.Check(FindWidgetOf<CheckBox>(t[1], n, "check", "CheckBox"),
                  ToInteger(t[2], n));
    } else if (name == "type") {
      input.Type(FindWidgetOf<TextWidget>(t[1], n, "type", "text widget"),
                 t[2].text);
    } else if (name == "commit") {
      TextWidget& field =
          FindWidgetOf<TextWidget>(t[1], n, "commit", "text widget");
      std::optional<std::string> text;
      if (t.size() > 2) text = t[2].text;
      input.Commit(field, std::move(text));
    } else if (name == "activate") {
      input.Activate(
          FindWidgetOf<UpDownText>(t[1], n, "activate", "UpDownText"));
    } else if (name == "select-text") {
      input.SelectText(
          FindWidgetOf<TextWidget>(t[1], n, "select-text", "text widget"),
          TokenToLong(t[2], n), TokenToLong(t[3], n));
    } else if (name == "step") {
      input.Step(FindWidgetOf<UpDownText>(t[1], n, "step", "UpDownText"),
                 t[2].IsWord("up") ? 1 : -1);
    } else if (name == "focus") {
      input.Focus(FindWidget(t[1], n));
    } else if (name == "blur") {
      input.Blur(FindWidget(t[1], n));
    } else if (name == "property") {
      Properties& panel = Panel(n);
      if (t[1].IsWord("Enabled")) {
        panel.SetEnabled(TokenToBool(t[2], n));
      } else if (t[1].IsWord("lVBColor")) {
        panel.SetlVBColor(TokenToLong(t[2], n));
      } else {
        throw ScenarioError(n, "property " + t[1].ToText() + " is read-only");
      }
    } else if (name == "cell") {
      Properties& panel = Panel(n);
      Widget* grid = panel.Widgets().Find(kMaterialGrid);
      auto* flex = dynamic_cast<FlexGrid*>(grid);
      if (!flex)
        throw ScenarioError(
            n, "the panel has no material grid " + Quote(kMaterialGrid));
      input.ClickCell(*flex, TokenToLong(t[1], n), TokenToLong(t[2], n));
    } else if (name == "key") {
      input.Key(Panel(n), ToInteger(t[1], n));
    } else if (name == "terminate") {
      Panel(n);
      host_.Terminate();
    } else if (name == "warn") {
      host_.LoadWarning(t[1].text, t[2].text, t[3].text);
    } else if (name == "unload") {
      if (!host_.WarningWidgets())
        throw ScenarioError(n, "the warning dialog is not loaded");
      host_.UnloadWarning();
    }
  }

  void RequireScene(int line) const {
    if (!scene_.Loaded())
      throw ScenarioError(line,
                          "there is no scene: load one with "
                          "\"scene FILE\" first");
  }

  // `set`: as the panel's own code would set the widget.
  void SetAsCode(Widget& w, const Token& value, int line) {
    if (auto* slider = dynamic_cast<Slider*>(&w)) {
      slider->SetValue(TokenToLong(value, line));
    } else if (auto* combo = dynamic_cast<ComboBox*>(&w)) {
      combo->SetListIndex(TokenToLong(value, line));
    } else if (auto* box = dynamic_cast<CheckBox*>(&w)) {
      box->SetValue(ToInteger(value, line));
    } else if (auto* text = dynamic_cast<TextWidget*>(&w)) {
      text->SetText(value.text);
    } else {
      throw ScenarioError(line,
                          "\"set\" needs a Slider, ComboBox, CheckBox "
                          "or text widget, and " +
                              w.DisplayName() + " is a " +
                              std::string(KindName(w.Kind())));
    }
  }

  void Configure(const Line& line) {
    const std::vector<Token>& t = line.tokens;
    const int n = line.number;
    const std::string& name = t[0].text;
    if (name == "clipboard") {
      host_.GetClipboard().SetText(t[1].text);
    } else if (name == "answer") {
      if (t[1].IsWord("colour")) {
        scene_.AnswerColour(TokenToLong(t[2], n), TokenToLong(t[3], n));
      } else {
        scene_.AnswerMapFile(t[2].text);
      }
    } else if (name == "fault" && t[1].text.find('.') != std::string::npos) {
      // A platform service: fails until the scenario ends.
      if (t.size() > 4)
        throw ScenarioError(n,
                            "a platform fault lasts until the scenario "
                            "ends: after= and times= are for scene "
                            "operations");
      if (!host_.FaultPlatform(t[1].text,
                               Error(TokenToLong(t[2], n), t[3].text)))
        throw ScenarioError(n, "this host cannot make " + Quote(t[1].text) +
                                   " fail: expected Clipboard.Clear, "
                                   "Clipboard.SetText, Clipboard.GetText, "
                                   "MessageBox.Show, Settings.SaveSetting or "
                                   "Settings.GetSetting");
    } else if (name == "fault") {
      RequireScene(n);
      FaultOptions plan = FaultPlan(line);
      scene_.Fault(t[1].text, TokenToLong(t[2], n), t[3].text, plan.after,
                   plan.times);
    } else if (name == "print") {
      Print(line);
    }
  }

  void Print(const Line& line) {
    if (!transcript_) return;
    const std::vector<Token>& t = line.tokens;
    std::ostream& out = *transcript_;
    if (t[1].IsWord("events")) {
      for (const RecordedEvent& e : recorder_.ActionEvents())
        out << "    " << e.ToText() << "\n";
    } else if (t[1].IsWord("widgets")) {
      if (t.size() > 2) {
        Widget& w = FindWidget(t[2], line.number);
        out << w.Tree().Dump(w, false);
      } else {
        Properties& panel = Panel(line.number);
        out << panel.Widgets().Dump(*panel.Widgets().Root(), true);
        if (WidgetTree* warn = host_.WarningWidgets())
          out << warn->Dump(*warn->Root(), true);
      }
    } else if (t[1].IsWord("scene")) {
      RequireScene(line.number);
      out << scene_.Dump();
    } else if (t[1].IsWord("settings")) {
      for (const RecordedSetting& s : recorder_.Settings())
        out << "    " << Quote(s.application) << " " << Quote(s.section) << " "
            << Quote(s.key) << " = " << Quote(s.value) << "\n";
    } else if (t[1].IsWord("journal")) {
      if (scene_.Loaded()) {
        for (const std::string& j : scene_.Journal())
          out << "    " << j << "\n";
      }
    }
  }

  // --- expectations ---------------------------------------------------

  static std::string Shown(const Token& expected, const std::string& found) {
    return expected.kind == Token::Kind::kString ? Quote(found) : found;
  }

  std::vector<std::string> ActionJournal() const {
    if (journal_mark_ >= scene_.JournalSize()) return {};
    return scene_.Journal(journal_mark_);
  }

  void Expect(const Line& line) {
    const std::vector<Token>& t = line.tokens;
    const int n = line.number;
    const Token& kind = t[1];
    if (kind.IsWord("events") || (kind.IsWord("no") && t[2].IsWord("events"))) {
      std::vector<RecordedEvent> expected;
      for (std::size_t i = 2; i < t.size() && kind.IsWord("events"); ++i)
        expected.push_back(ParseEvent(t[i], n));
      std::vector<RecordedEvent> found = recorder_.ActionEvents();
      if (found != expected)
        Fail((expected.empty() ? std::string("expected no events")
                               : "expected events " + EventList(expected)) +
             ", found " +
             (found.empty() ? std::string("no events") : EventList(found)));
    } else if (kind.IsWord("no") && t[2].IsWord("error")) {
      if (last_error_) {
        error_pending_ = false;
        Fail("expected no error, found " + ErrorText(*last_error_));
      }
    } else if (kind.IsWord("error")) {
      Long number = TokenToLong(t[2], n);
      std::string want =
          "expected error " + LongToText(number) + " from \"Properties\"";
      if (!last_error_) Fail(want + ", found no error");
      error_pending_ = false;
      if (last_error_->Number() != number ||
          last_error_->Source() != kPropertiesSource)
        Fail(want + ", found " + ErrorText(*last_error_));
    } else if (kind.IsWord("refused")) {
      // A refusal comes from the widgets themselves, before the panel
      // sees anything: 5 for a widget out of reach, 380 for a value the
      // widget does not offer.
      std::string want = "expected the input to be refused";
      if (!last_error_) Fail(want + ", found no error");
      error_pending_ = false;
      if ((last_error_->Number() != kErrInvalidProcedureCall &&
           last_error_->Number() != kErrInvalidPropertyValue) ||
          last_error_->Source() == kPropertiesSource)
        Fail(want + ", found " + ErrorText(*last_error_));
    } else if (kind.IsWord("message") ||
               (kind.IsWord("no") && t[2].IsWord("message"))) {
      std::vector<RecordedMessage> found = recorder_.ActionMessages();
      std::vector<std::string> texts;
      for (const RecordedMessage& m : found)
        texts.push_back(Quote(m.text) + " titled " + Quote(m.title));
      std::string found_text =
          found.empty() ? "no message" : "message " + Join(texts, ", ");
      if (kind.IsWord("no")) {
        if (!found.empty()) Fail("expected no message, found " + found_text);
        return;
      }
      if (found.size() != 1 || found[0].text != t[2].text ||
          found[0].title != "Morvel")
        Fail("expected message " + Quote(t[2].text) +
             " titled \"Morvel\", found " + found_text);
    } else if (kind.IsWord("widget")) {
      PropertyPath path = ParsePropertyPath(t[2], n);
      Token widget_token;
      widget_token.text = path.widget;
      Widget& w = FindWidget(widget_token, n);
      std::string what = "expected widget " + PropertyText(path) + " = " +
                         t[4].ToText() + ", found ";
      std::optional<std::string> found;
      try {
        found = w.Property(path.property, path.argument);
      } catch (const Error& e) {
        Fail(what + ErrorText(e));
      }
      if (!found)
        throw ScenarioError(n, w.DisplayName() + " (" +
                                   std::string(KindName(w.Kind())) +
                                   ") has no property " + Quote(path.property));
      if (!ValueMatches(t[4], *found)) Fail(what + Shown(t[4], *found));
    } else if (kind.IsWord("cell")) {
      CellPath path = ParseCellPath(t[2], t[3], n);
      Properties& panel = Panel(n);
      auto* grid = dynamic_cast<FlexGrid*>(panel.Widgets().Find(kMaterialGrid));
      if (!grid)
        throw ScenarioError(
            n, "the panel has no material grid " + Quote(kMaterialGrid));
      std::string what = "expected cell " + LongToText(path.row) + " " +
                         LongToText(path.col) + "." + path.property + " = " +
                         t[5].ToText() + ", found ";
      std::string found;
      try {
        if (path.property == "Text") {
          found = grid->TextMatrix(path.row, path.col);
        } else if (path.property == "CellBackColor") {
          found = LongToText(grid->CellBackColorAt(path.row, path.col));
        } else if (path.property == "CellAlignment") {
          found = LongToText(grid->CellAlignmentAt(path.row, path.col));
        } else {
          found = grid->CellPictureAt(path.row, path.col);
        }
      } catch (const Error& e) {
        Fail(what + ErrorText(e));
      }
      if (!ValueMatches(t[5], found)) Fail(what + Shown(t[5], found));
    } else if (kind.IsWord("scene")) {
      RequireScene(n);
      std::optional<std::string> found = scene_.Value(t[2].text);
      if (!found)
        throw ScenarioError(n, "the scene has no value " + Quote(t[2].text));
      if (!ValueMatches(t[4], *found))
        Fail("expected scene " + t[2].text + " = " + t[4].ToText() +
             ", found " + Shown(t[4], *found));
    } else if (kind.IsWord("no") && t[2].IsWord("setting")) {
      std::optional<std::string> found;
      try {
        found = host_.Settings().GetSetting(t[3].text, t[4].text, t[5].text);
      } catch (const Error& e) {
        Fail("expected no setting " + t[3].ToText() + " " + t[4].ToText() +
             " " + t[5].ToText() + ", found " + ErrorText(e));
      }
      if (found)
        Fail("expected no setting " + t[3].ToText() + " " + t[4].ToText() +
             " " + t[5].ToText() + ", found " + Quote(*found));
    } else if (kind.IsWord("setting")) {
      std::string what = "expected setting " + t[2].ToText() + " " +
                         t[3].ToText() + " " + t[4].ToText() + " = " +
                         t[6].ToText() + ", found ";
      std::optional<std::string> found;
      try {
        found = host_.Settings().GetSetting(t[2].text, t[3].text, t[4].text);
      } catch (const Error& e) {
        Fail(what + ErrorText(e));
      }
      if (!found) Fail(what + "no setting");
      if (!ValueMatches(t[6], *found)) Fail(what + Shown(t[6], *found));
    } else if (kind.IsWord("clipboard")) {
      std::string found = host_.GetClipboard().GetText();
      if (found != t[2].text)
        Fail("expected clipboard " + Quote(t[2].text) + ", found " +
             Quote(found));
    } else if (kind.IsWord("property")) {
      Properties& panel = Panel(n);
      std::string found;
      if (t[2].IsWord("Enabled")) {
        found = panel.Enabled() ? "True" : "False";
      } else if (t[2].IsWord("lVBColor")) {
        found = LongToText(panel.lVBColor());
      } else {
        found = LongToText(panel.hWnd());
      }
      if (!ValueMatches(t[4], found))
        Fail("expected property " + t[2].text + " = " + t[4].ToText() +
             ", found " + Shown(t[4], found));
    } else if (kind.IsWord("journal") || kind.IsWord("journal-ops") ||
               (kind.IsWord("no") && t[2].IsWord("journal"))) {
      bool ops = kind.IsWord("journal-ops");
      std::vector<std::string> found = ActionJournal();
      if (ops) {
        for (std::string& j : found) j = j.substr(0, j.find(' '));
      }
      std::vector<std::string> expected;
      for (std::size_t i = 2; i < t.size() && !kind.IsWord("no"); ++i)
        expected.push_back(t[i].text);
      if (found != expected) {
        auto list = [&](const std::vector<std::string>& items) {
          if (items.empty()) return std::string("no scene writes");
          std::vector<std::string> shown;
          for (const std::string& s : items)
            shown.push_back(ops ? s : Quote(s));
          return std::string(ops ? "journal-ops " : "journal ") +
                 Join(shown, " ");
        };
        Fail("expected " + list(expected) + ", found " + list(found));
      }
    } else if (kind.IsWord("debug")) {
      std::vector<std::string> all = scene_.DebugMessages();
      std::vector<std::string> found;
      for (std::size_t i = debug_mark_; i < all.size(); ++i)
        found.push_back(Quote(all[i]));
      std::vector<std::string> expected;
      for (std::size_t i = 2; i < t.size(); ++i)
        expected.push_back(Quote(t[i].text));
      if (found != expected)
        Fail("expected debug " +
             (expected.empty() ? std::string("nothing") : Join(expected, " ")) +
             ", found " +
             (found.empty() ? std::string("nothing") : Join(found, " ")));
    } else if (kind.IsWord("focus")) {
      Properties& panel = Panel(n);
      Widget& w = FindWidget(t[2], n);
      Widget* focused = panel.Widgets().Focused();
      if (focused != &w)
        Fail("expected focus on " + w.DisplayName() + ", found " +
             (focused ? "focus on " + focused->DisplayName()
                      : std::string("no focused widget")));
    }
  }

  [[noreturn]] static void Fail(std::string message) {
    throw ExpectationFailure(std::move(message));
  }

  ScenarioHost& host_;
  std::ostream* transcript_;
  std::string name_;
  std::string base_dir_;
  Recorder recorder_;
  SceneState scene_;
  int current_line_ = 0;
  int action_line_ = 0;
  std::size_t journal_mark_ = 0;
  std::size_t debug_mark_ = 0;
  std::optional<Error> last_error_;
  bool error_pending_ = false;
};

Interpreter::Interpreter(ScenarioHost& host, std::ostream* transcript)
    : host_(host), transcript_(transcript) {}

Interpreter::~Interpreter() = default;

ScenarioResult Interpreter::RunText(std::string_view text,
                                    const std::string& name,
                                    const std::string& base_dir) {
  Run run(host_, transcript_, name, base_dir);
  return run.Play(text);
}

ScenarioResult Interpreter::RunFile(const std::string& path) {
  ScenarioResult unreadable;
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    unreadable.message = "this is a folder, not a scenario file";
    return unreadable;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    unreadable.message = "cannot read the scenario file";
    return unreadable;
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) {
    unreadable.message = "cannot read the scenario file";
    return unreadable;
  }
  std::string base = std::filesystem::path(path).parent_path().string();
  return RunText(text.str(), path, base);
}

int RunScenarioFiles(ScenarioHost& host, const std::vector<std::string>& files,
                     std::ostream& out, bool verbose) {
  Interpreter interpreter(host, verbose ? &out : nullptr);
  int passed = 0, failed = 0;
  for (const std::string& file : files) {
    ScenarioResult result = interpreter.RunFile(file);
    out << result.Summary(file) << std::endl;
    (result.passed ? passed : failed)++;
  }
  out << passed << " passed, " << failed << " failed" << std::endl;
  return failed == 0 ? 0 : 1;
}

}  // namespace morvel::scenario

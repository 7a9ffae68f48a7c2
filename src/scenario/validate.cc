#include <string>
#include <vector>

#include "memscene/mem_scene_graph.h"
#include "scenario/run.h"

// Mistakes of form (unknown command, bad value, argument count, unterminated
// string) are found before anything runs: a scenario never fails half-way
// for a typo on its last line.
namespace morvel::scenario {

void Interpreter::Run::Validate(const Line& line) {
  const std::string& name = line.tokens[0].text;
  auto it = line.tokens[0].kind == Token::Kind::kWord ? Commands().find(name)
                                                      : Commands().end();
  if (it == Commands().end())
    throw ScenarioError(line.number,
                        "unknown command " + Quoted(line.tokens[0].text));
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
    std::string operation = TokenToText(t[1], n);
    TokenToLong(t[2], n);
    TokenToText(t[3], n);
    ParseFaultOptions(line);
    // A misspelt operation would plan a failure that never comes, and the
    // scenario would check nothing. (Names with a dot are the host's
    // services, which the host itself knows.)
    if (operation.find('.') == std::string::npos &&
        !MemSceneGraph::HasOperation(operation))
      throw ScenarioError(n, "unknown operation " + Quoted(operation));
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
      if (!t[1].IsWord("widgets")) CheckCount(line, "print " + t[1].text, 1, 1);
      CheckWidgetName(t[2], n);
    }
  }
}

void Interpreter::Run::ValidateSetup(const Line& line) {
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
void Interpreter::Run::ValidateExpect(const Line& line) {
  const std::vector<Token>& t = line.tokens;
  const int n = line.number;
  if (t.size() < 2)
    throw ScenarioError(n,
                        "wrong number of arguments for \"expect\": "
                        "expected at least 1, found 0");
  const Token& kind = t[1];
  auto need_eq = [&](std::size_t eq_at, const char* usage) {
    if (t.size() != eq_at + 2 || !t[eq_at].IsWord("="))
      throw ScenarioError(n, "bad expectation: expected " + std::string(usage));
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
    // A node name with blanks is written quoted: "Key Light.LightType";
    // a scene key has no node name: ApplicationRegistryKey, selection[0].
    if (t[2].kind == Token::Kind::kVector || t[2].text.empty())
      throw ScenarioError(n, "bad scene value " + t[2].ToText() +
                                 ": expected NODE.KEY or a scene key");
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

}  // namespace morvel::scenario

#include <optional>
#include <string>
#include <vector>

#include "base/numbers.h"
#include "scenario/commands.h"

// `expect ...`: each kind of expectation compares what the last action did
// (or what the panel, the scene, the settings and the clipboard hold now)
// with what the scenario says, and fails with "expected ..., found ...".
namespace morvel::scenario {
namespace {

std::string Shown(const Token& expected, const std::string& found) {
  return expected.kind == Token::Kind::kString ? Quoted(found) : found;
}

[[noreturn]] void Fail(std::string message) {
  throw ExpectationFailure(std::move(message));
}

bool Negated(const Line& line) { return line.tokens[1].IsWord("no"); }

[[noreturn]] void BadNegation(const Line& line) {
  throw ScenarioError(line.number,
                      "bad expectation: expected \"expect no "
                      "events|error|message|journal\" or \"expect "
                      "no setting APP SECTION KEY\"");
}

// `expect no X` is three words.
void NegationAlone(const Line& line) {
  if (line.tokens.size() != 3) BadNegation(line);
}

// "KIND ... = VALUE" with the "=" at `eq_at`.
void NeedEquals(const Line& line, std::size_t eq_at, const char* usage) {
  const std::vector<Token>& t = line.tokens;
  if (t.size() != eq_at + 2 || !t[eq_at].IsWord("="))
    throw ScenarioError(line.number,
                        "bad expectation: expected " + std::string(usage));
}

// `expect KIND ONE`: one text after the kind.
void OneText(const Line& line) {
  CheckCount(line, "expect", 2, 2);
  TokenToText(line.tokens[2], line.number);
}

void TextsFrom(const Line& line, std::size_t first) {
  for (std::size_t i = first; i < line.tokens.size(); ++i)
    TokenToText(line.tokens[i], line.number);
}

void CheckEvents(Stage& s, const Line& line) {
  std::vector<RecordedEvent> expected;
  for (std::size_t i = 2; i < line.tokens.size() && !Negated(line); ++i)
    expected.push_back(ParseEvent(line.tokens[i], line.number));
  std::vector<RecordedEvent> found = s.recorder.ActionEvents();
  if (found != expected)
    Fail((expected.empty() ? std::string("expected no events")
                           : "expected events " + EventList(expected)) +
         ", found " +
         (found.empty() ? std::string("no events") : EventList(found)));
}

void CheckMessage(Stage& s, const Line& line) {
  std::vector<RecordedMessage> found = s.recorder.ActionMessages();
  std::vector<std::string> texts;
  for (const RecordedMessage& m : found)
    texts.push_back(Quoted(m.text) + " titled " + Quoted(m.title));
  std::string found_text =
      found.empty() ? "no message" : "message " + Join(texts, ", ");
  if (Negated(line)) {
    if (!found.empty()) Fail("expected no message, found " + found_text);
    return;
  }
  const std::string& text = line.tokens[2].text;
  if (found.size() != 1 || found[0].text != text || found[0].title != "Morvel")
    Fail("expected message " + Quoted(text) + " titled \"Morvel\", found " +
         found_text);
}

void CheckWidget(Stage& s, const Line& line) {
  const std::vector<Token>& t = line.tokens;
  const int n = line.number;
  PropertyPath path = ParsePropertyPath(t[2], n);
  Token widget_token;
  widget_token.text = path.widget;
  Widget& w = s.FindWidget(widget_token, n);
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
                               ") has no property " + Quoted(path.property));
  if (!ValueMatches(t[4], *found)) Fail(what + Shown(t[4], *found));
}

void CheckCell(Stage& s, const Line& line) {
  const std::vector<Token>& t = line.tokens;
  CellPath path = ParseCellPath(t[2], t[3], line.number);
  FlexGrid& grid = s.MaterialGrid(line.number);
  std::string what = "expected cell " + LongToText(path.row) + " " +
                     LongToText(path.col) + "." + path.property + " = " +
                     t[5].ToText() + ", found ";
  std::string found;
  try {
    if (path.property == "Text") {
      found = grid.TextMatrix(path.row, path.col);
    } else if (path.property == "CellBackColor") {
      found = LongToText(grid.CellBackColorAt(path.row, path.col));
    } else if (path.property == "CellAlignment") {
      found = LongToText(grid.CellAlignmentAt(path.row, path.col));
    } else {
      found = grid.CellPictureAt(path.row, path.col);
    }
  } catch (const Error& e) {
    Fail(what + ErrorText(e));
  }
  if (!ValueMatches(t[5], found)) Fail(what + Shown(t[5], found));
}

void CheckSetting(Stage& s, const Line& line) {
  const std::vector<Token>& t = line.tokens;
  // `expect setting APP SECTION KEY = "VALUE"` / `expect no setting APP
  // SECTION KEY`: the key starts one word later in the second.
  const std::size_t at = Negated(line) ? 3 : 2;
  std::string key = t[at].ToText() + " " + t[at + 1].ToText() + " " +
                    t[at + 2].ToText();
  std::string what = Negated(line)
                         ? "expected no setting " + key + ", found "
                         : "expected setting " + key + " = " +
                               t[6].ToText() + ", found ";
  std::optional<std::string> found;
  try {
    found = s.host.Settings().GetSetting(t[at].text, t[at + 1].text,
                                         t[at + 2].text);
  } catch (const Error& e) {
    Fail(what + ErrorText(e));
  }
  if (Negated(line)) {
    if (found) Fail(what + Quoted(*found));
    return;
  }
  if (!found) Fail(what + "no setting");
  if (!ValueMatches(t[6], *found)) Fail(what + Shown(t[6], *found));
}

void CheckProperty(Stage& s, const Line& line) {
  const std::vector<Token>& t = line.tokens;
  Properties& panel = s.Panel(line.number);
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
}

void CheckJournal(Stage& s, const Line& line) {
  const std::vector<Token>& t = line.tokens;
  bool ops = t[1].IsWord("journal-ops");
  std::vector<std::string> found = s.ActionJournal();
  if (ops) {
    for (std::string& j : found) j = j.substr(0, j.find(' '));
  }
  std::vector<std::string> expected;
  for (std::size_t i = 2; i < t.size() && !Negated(line); ++i)
    expected.push_back(t[i].text);
  if (found == expected) return;
  auto list = [&](const std::vector<std::string>& items) {
    if (items.empty()) return std::string("no scene writes");
    std::vector<std::string> shown;
    for (const std::string& item : items)
      shown.push_back(ops ? item : Quoted(item));
    return std::string(ops ? "journal-ops " : "journal ") + Join(shown, " ");
  };
  Fail("expected " + list(expected) + ", found " + list(found));
}

void CheckDebug(Stage& s, const Line& line) {
  std::vector<std::string> all = s.scene.DebugMessages();
  std::vector<std::string> found;
  for (std::size_t i = s.debug_mark; i < all.size(); ++i)
    found.push_back(Quoted(all[i]));
  std::vector<std::string> expected;
  for (std::size_t i = 2; i < line.tokens.size(); ++i)
    expected.push_back(Quoted(line.tokens[i].text));
  if (found != expected)
    Fail("expected debug " +
         (expected.empty() ? std::string("nothing") : Join(expected, " ")) +
         ", found " +
         (found.empty() ? std::string("nothing") : Join(found, " ")));
}

// clang-format off
const Expectation kExpectations[] = {
    {.forms = {"events"},
     .doc = "| `expect events E...` | Exactly these events, in this order, "
            "were raised by the last action: `evtShapeHidden8`, "
            "`evtReqPrepareForSceneChanges(\"SysProperties\")`, "
            "`evtReqApplySceneChanges(False)`, "
            "`evtReqApplyOperation(\"Mirror\")`, `evtReqWarn(\"Morvel\", "
            "\"...\", \"FocalBlur\")`. |",
     .validate = [](const Line& line) {
       for (std::size_t i = 2; i < line.tokens.size(); ++i)
         ParseEvent(line.tokens[i], line.number);
     },
     .check = CheckEvents},
    {.forms = {"no events"},
     .doc = "| `expect no events` | The last action raised none. |",
     .validate = NegationAlone,
     .check = CheckEvents},
    {.forms = {"error"},
     .doc = "| `expect error N` | The last action failed with error N, source "
            "\"Properties\". |",
     .validate = [](const Line& line) {
       CheckCount(line, "expect", 2, 2);
       TokenToLong(line.tokens[2], line.number);
     },
     .check = [](Stage& s, const Line& line) {
       Long number = TokenToLong(line.tokens[2], line.number);
       std::string want =
           "expected error " + LongToText(number) + " from \"Properties\"";
       if (!s.last_error) Fail(want + ", found no error");
       s.error_pending = false;
       if (s.last_error->Number() != number ||
           s.last_error->Source() != kPropertiesSource)
         Fail(want + ", found " + ErrorText(*s.last_error));
     }},
    {.forms = {"no error"},
     .doc = "| `expect no error` | It did not fail. |",
     .validate = NegationAlone,
     .check = [](Stage& s, const Line&) {
       if (s.last_error) {
         s.error_pending = false;
         Fail("expected no error, found " + ErrorText(*s.last_error));
       }
     }},
    {.forms = {"refused"},
     .doc = "| `expect refused` | A person could not do it (hidden or disabled "
            "widget, a value the widget does not offer). |",
     .validate = [](const Line& line) { CheckCount(line, "expect", 1, 1); },
     .check = [](Stage& s, const Line&) {
       // A refusal comes from the widgets themselves, before the panel
       // sees anything: 5 for a widget out of reach, 380 for a value the
       // widget does not offer.
       std::string want = "expected the input to be refused";
       if (!s.last_error) Fail(want + ", found no error");
       s.error_pending = false;
       if ((s.last_error->Number() != kErrInvalidProcedureCall &&
            s.last_error->Number() != kErrInvalidPropertyValue) ||
           s.last_error->Source() == kPropertiesSource)
         Fail(want + ", found " + ErrorText(*s.last_error));
     }},
    {.forms = {"message", "no message"},
     .doc = "| `expect message \"TEXT\"` | The last action showed exactly one "
            "message box, with this text and the title \"Morvel\". `expect no "
            "message`: none. |",
     .validate = [](const Line& line) {
       Negated(line) ? NegationAlone(line) : OneText(line);
     },
     .check = CheckMessage},
    {.forms = {"widget"},
     .doc = "| `expect widget WIDGET.PROP = VALUE` | A widget property: `Left "
            "Top Width Height Visible Enabled Caption Value Text ListIndex "
            "ListCount List(I) BackColor Rows Cols ColWidth(C) RowHeight(R) "
            "SelStart SelLength`, a slider's `Min Max SmallChange LargeChange "
            "TickFrequency`, an up-down field's `MinValue MaxValue Increment "
            "MaxDecimalPlaces` (what the kind has). |",
     .validate = [](const Line& line) {
       NeedEquals(line, 3, "expect widget WIDGET.PROPERTY = VALUE");
       ParsePropertyPath(line.tokens[2], line.number);
     },
     .check = CheckWidget},
    {.forms = {"cell"},
     .doc = "| `expect cell ROW COL.PROP = VALUE` | A cell of the material "
            "grid: `Text CellBackColor CellAlignment CellPicture`. |",
     .validate = [](const Line& line) {
       NeedEquals(line, 4, "expect cell ROW COL.PROPERTY = VALUE");
       ParseCellPath(line.tokens[2], line.tokens[3], line.number);
     },
     .check = CheckCell},
    {.forms = {"scene"},
     .doc = "| `expect scene NODE.KEY = VALUE` | A scene value by its "
            "scene-file key path (`docs/scene-format.md`): "
            "`Teapot.SmoothingLevel`, `Teapot.Materials[0].Diffuse`, "
            "`Teapot.Clones.Counts[0]`, `\"Key Light.CastsShadows\"`; a "
            "scene-wide key has no node name: `ApplicationRegistryKey`, "
            "`selection[1]`, `selection = [\"Box\", \"Teapot\"]`. |",
     .validate = [](const Line& line) {
       NeedEquals(line, 3, "expect scene NODE.KEY = VALUE");
       // A node name with blanks is written quoted: "Key
       // Light.LightType"; a scene key has no node name:
       // ApplicationRegistryKey, selection[0].
       const Token& path = line.tokens[2];
       if (path.kind == Token::Kind::kVector || path.text.empty())
         throw ScenarioError(line.number,
                             "bad scene value " + path.ToText() +
                                 ": expected NODE.KEY or a scene key");
     },
     .check = [](Stage& s, const Line& line) {
       const std::vector<Token>& t = line.tokens;
       s.RequireScene(line.number);
       std::optional<std::string> found = s.scene.Value(t[2].text);
       if (!found)
         throw ScenarioError(line.number,
                             "the scene has no value " + Quoted(t[2].text));
       if (!ValueMatches(t[4], *found))
         Fail("expected scene " + t[2].text + " = " + t[4].ToText() +
              ", found " + Shown(t[4], *found));
     }},
    {.forms = {"setting", "no setting"},
     .doc = "| `expect setting APP SECTION KEY = \"VALUE\"` | The settings "
            "store holds this value. `expect no setting APP SECTION KEY`: it "
            "holds none. |",
     .validate = [](const Line& line) {
       if (Negated(line)) {
         if (line.tokens.size() != 6) BadNegation(line);
         return TextsFrom(line, 3);
       }
       NeedEquals(line, 5, "expect setting APP SECTION KEY = \"VALUE\"");
       for (int i = 2; i <= 4; ++i) TokenToText(line.tokens[i], line.number);
     },
     .check = CheckSetting},
    {.forms = {"clipboard"},
     .doc = "| `expect clipboard \"TEXT\"` | The clipboard holds this text. |",
     .validate = OneText,
     .check = [](Stage& s, const Line& line) {
       const std::string& want = line.tokens[2].text;
       std::string found = s.host.GetClipboard().GetText();
       if (found != want)
         Fail("expected clipboard " + Quoted(want) + ", found " +
              Quoted(found));
     }},
    {.forms = {"property"},
     .doc = "| `expect property NAME = VALUE` | A public property of the "
            "panel: `lVBColor`, `Enabled`, `hWnd`. |",
     .validate = [](const Line& line) {
       NeedEquals(line, 3, "expect property NAME = VALUE");
       CheckPanelProperty(line.tokens[2], line.number);
     },
     .check = CheckProperty},
    {.forms = {"journal", "no journal"},
     .doc = "| `expect journal \"LINE\"...` | The scene writes of the last "
            "action, in order, as whole journal lines (`\"SetSmoothingLevel "
            "Teapot 2\"`). `expect journal` alone (or `expect no journal`): no "
            "writes. |",
     .validate = [](const Line& line) {
       if (Negated(line)) return NegationAlone(line);
       TextsFrom(line, 2);
     },
     .check = CheckJournal},
    {.forms = {"journal-ops"},
     .doc = "| `expect journal-ops OP...` | The same, by operation names only "
            "(`SetLocked SetLocked`). |",
     .validate = [](const Line& line) { TextsFrom(line, 2); },
     .check = CheckJournal},
    {.forms = {"focus"},
     .doc = "| `expect focus WIDGET` | The widget has the focus. |",
     .validate = [](const Line& line) {
       CheckCount(line, "expect", 2, 2);
       CheckWidgetName(line.tokens[2], line.number);
     },
     .check = [](Stage& s, const Line& line) {
       Properties& panel = s.Panel(line.number);
       Widget& w = s.FindWidget(line.tokens[2], line.number);
       Widget* focused = panel.Widgets().Focused();
       if (focused != &w)
         Fail("expected focus on " + w.DisplayName() + ", found " +
              (focused ? "focus on " + focused->DisplayName()
                       : std::string("no focused widget")));
     }},
    {.forms = {"debug"},
     .doc = "| `expect debug \"TEXT\"...` | The texts the last action passed to "
            "the scene library's debug sink, in order (`terminate` writes "
            "two). `expect debug` alone: none. |",
     .validate = [](const Line& line) { TextsFrom(line, 2); },
     .check = CheckDebug},
};

const Command kExpectCommands[] = {
    {.name = "expect", .min_args = 1, .max_args = -1,
     // Its rows are those of the expectations above.
     .validate = [](const Line& line) {
       const Token& kind = line.tokens[1];
       const Expectation* expectation = FindExpectation(line);
       if (expectation) return expectation->validate(line);
       if (kind.IsWord("no")) BadNegation(line);
       throw ScenarioError(
           line.number,
           "unknown expectation " + kind.ToText() +
               ": expected events, error, message, widget, cell, scene, "
               "setting, clipboard, property, journal, journal-ops, focus "
               "or debug");
     },
     .run = [](Stage& s, const Line& line) {
       FindExpectation(line)->check(s, line);
     }},
};
// clang-format on

}  // namespace

std::span<const Expectation> ExpectationTable() { return kExpectations; }
std::span<const Command> ExpectCommands() { return kExpectCommands; }

const Expectation* FindExpectation(const Line& line) {
  const std::vector<Token>& t = line.tokens;
  if (t.size() < 2 || t[1].kind != Token::Kind::kWord) return nullptr;
  std::string form = t[1].text;
  if (form == "no") {
    if (t.size() < 3 || t[2].kind != Token::Kind::kWord) return nullptr;
    form += " " + t[2].text;
  }
  for (const Expectation& e : kExpectations) {
    for (const char* f : e.forms) {
      if (f && form == f) return &e;
    }
  }
  return nullptr;
}

}  // namespace morvel::scenario

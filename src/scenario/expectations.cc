#include <optional>
#include <string>
#include <vector>

#include "base/numbers.h"
#include "scenario/run.h"

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

}  // namespace

std::vector<std::string> Interpreter::Run::ActionJournal() const {
  if (journal_mark_ >= scene_.JournalSize()) return {};
  return scene_.Journal(journal_mark_);
}

void Interpreter::Run::Expect(const Line& line) {
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
      texts.push_back(Quoted(m.text) + " titled " + Quoted(m.title));
    std::string found_text =
        found.empty() ? "no message" : "message " + Join(texts, ", ");
    if (kind.IsWord("no")) {
      if (!found.empty()) Fail("expected no message, found " + found_text);
      return;
    }
    if (found.size() != 1 || found[0].text != t[2].text ||
        found[0].title != "Morvel")
      Fail("expected message " + Quoted(t[2].text) +
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
                                 ") has no property " + Quoted(path.property));
    if (!ValueMatches(t[4], *found)) Fail(what + Shown(t[4], *found));
  } else if (kind.IsWord("cell")) {
    CellPath path = ParseCellPath(t[2], t[3], n);
    Properties& panel = Panel(n);
    auto* grid = dynamic_cast<FlexGrid*>(panel.Widgets().Find(kMaterialGrid));
    if (!grid)
      throw ScenarioError(
          n, "the panel has no material grid " + Quoted(kMaterialGrid));
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
      throw ScenarioError(n, "the scene has no value " + Quoted(t[2].text));
    if (!ValueMatches(t[4], *found))
      Fail("expected scene " + t[2].text + " = " + t[4].ToText() + ", found " +
           Shown(t[4], *found));
  } else if (kind.IsWord("no") && t[2].IsWord("setting")) {
    std::optional<std::string> found;
    try {
      found = host_.Settings().GetSetting(t[3].text, t[4].text, t[5].text);
    } catch (const Error& e) {
      Fail("expected no setting " + t[3].ToText() + " " + t[4].ToText() + " " +
           t[5].ToText() + ", found " + ErrorText(e));
    }
    if (found)
      Fail("expected no setting " + t[3].ToText() + " " + t[4].ToText() + " " +
           t[5].ToText() + ", found " + Quoted(*found));
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
      Fail("expected clipboard " + Quoted(t[2].text) + ", found " +
           Quoted(found));
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
        for (const std::string& s : items) shown.push_back(ops ? s : Quoted(s));
        return std::string(ops ? "journal-ops " : "journal ") +
               Join(shown, " ");
      };
      Fail("expected " + list(expected) + ", found " + list(found));
    }
  } else if (kind.IsWord("debug")) {
    std::vector<std::string> all = scene_.DebugMessages();
    std::vector<std::string> found;
    for (std::size_t i = debug_mark_; i < all.size(); ++i)
      found.push_back(Quoted(all[i]));
    std::vector<std::string> expected;
    for (std::size_t i = 2; i < t.size(); ++i)
      expected.push_back(Quoted(t[i].text));
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

}  // namespace morvel::scenario

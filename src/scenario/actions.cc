#include <optional>
#include <string>
#include <vector>

#include "scenario/run.h"

// What a person does to the panel's widgets, through the host's input
// driver, and `set`, which sets a widget as the panel's own code would.
namespace morvel::scenario {

void Interpreter::Run::ActAsPerson(const Line& line) {
  const std::vector<Token>& t = line.tokens;
  const int n = line.number;
  const std::string& name = t[0].text;
  InputDriver& input = host_.Input();
  if (name == "set") {
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
    input.Activate(FindWidgetOf<UpDownText>(t[1], n, "activate", "UpDownText"));
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
  } else if (name == "cell") {
    Properties& panel = Panel(n);
    Widget* grid = panel.Widgets().Find(kMaterialGrid);
    auto* flex = dynamic_cast<FlexGrid*>(grid);
    if (!flex)
      throw ScenarioError(
          n, "the panel has no material grid " + Quoted(kMaterialGrid));
    input.ClickCell(*flex, TokenToLong(t[1], n), TokenToLong(t[2], n));
  } else if (name == "key") {
    input.Key(Panel(n), ToInteger(t[1], n));
  }
}

// Finds a widget of the panel or of the loaded warning dialog.
Widget& Interpreter::Run::FindWidget(const Token& token, int line) {
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
            line, "widget " + Quoted(name) +
                      " is a control array: name an "
                      "element, as " +
                      name + "(" + std::to_string(elements.front()->Index()) +
                      ")");
      throw ScenarioError(line, "widget " + Quoted(name) + " has no element " +
                                    std::to_string(index));
    }
    if (index >= 0 && tree->Find(name, -1))
      throw ScenarioError(line,
                          "widget " + Quoted(name) + " is not a control array");
  }
  if (trees.empty())
    throw ScenarioError(line, "there is no panel: it was terminated");
  throw ScenarioError(line, "unknown widget " + Quoted(token.text));
}

// `set`: as the panel's own code would set the widget.
void Interpreter::Run::SetAsCode(Widget& w, const Token& value, int line) {
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

}  // namespace morvel::scenario

#include <optional>
#include <string>
#include <vector>

#include "scenario/commands.h"

// What a person does to the panel's widgets, through the host's input
// driver, and `set`, which sets a widget as the panel's own code would.
namespace morvel::scenario {
namespace {

void WidgetArgument(const Line& line) {
  CheckWidgetName(line.tokens[1], line.number);
}

void WidgetAndWhole(const Line& line) {
  CheckWidgetName(line.tokens[1], line.number);
  TokenToLong(line.tokens[2], line.number);
}

void WidgetAndText(const Line& line) {
  CheckWidgetName(line.tokens[1], line.number);
  if (line.tokens.size() > 2) TokenToText(line.tokens[2], line.number);
}

// `set`: as the panel's own code would set the widget.
void SetAsCode(Stage& s, const Line& line) {
  const int n = line.number;
  Widget& w = s.FindWidget(line.tokens[1], n);
  const Token& value = line.tokens[2];
  if (auto* slider = dynamic_cast<Slider*>(&w)) {
    slider->SetValue(TokenToLong(value, n));
  } else if (auto* combo = dynamic_cast<ComboBox*>(&w)) {
    combo->SetListIndex(TokenToLong(value, n));
  } else if (auto* box = dynamic_cast<CheckBox*>(&w)) {
    box->SetValue(ToInteger(value, n));
  } else if (auto* text = dynamic_cast<TextWidget*>(&w)) {
    text->SetText(value.text);
  } else {
    throw ScenarioError(n,
                        "\"set\" needs a Slider, ComboBox, CheckBox "
                        "or text widget, and " +
                            w.DisplayName() + " is a " +
                            std::string(KindName(w.Kind())));
  }
}

InputDriver& In(Stage& s) { return s.host.Input(); }

// clang-format off
const Command kPersonCommands[] = {
    {.name = "set", .min_args = 2, .max_args = 2, .action = true,
     .doc = "| `set WIDGET VALUE` | Not a person: sets the widget as the "
            "panel's own code would (see above). |",
     .validate = [](const Line& line) {
       WidgetArgument(line);
       const Token& value = line.tokens[2];
       if (value.kind == Token::Kind::kVector)
         throw ScenarioError(line.number,
                             "bad value " + value.ToText() +
                                 ": expected a number, True/False or a text");
     },
     .run = SetAsCode},
    {.name = "click", .min_args = 1, .max_args = 1, .action = true,
     .doc = "| `click WIDGET` | Clicks a button, a picture box or a check box "
            "(a check box goes 0 to 1, 1 to 0, grey 2 to 1). |",
     .validate = WidgetArgument,
     .run = [](Stage& s, const Line& line) {
       Widget& w = s.FindWidget(line.tokens[1], line.number);
       if (w.Kind() != WidgetKind::kButton &&
           w.Kind() != WidgetKind::kPictureBox &&
           w.Kind() != WidgetKind::kCheckBox)
         throw ScenarioError(line.number,
                             "\"click\" needs a Button, PictureBox or "
                             "CheckBox, and " + w.DisplayName() + " is a " +
                                 std::string(KindName(w.Kind())));
       In(s).Click(w);
     }},
    {.name = "move", .min_args = 2, .max_args = 2, .action = true,
     .doc = "| `move WIDGET N` | Drags a slider to N. |",
     .validate = WidgetAndWhole,
     .run = [](Stage& s, const Line& line) {
       const int n = line.number;
       In(s).MoveSlider(
           s.FindWidgetOf<Slider>(line.tokens[1], n, "move", "Slider"),
           TokenToLong(line.tokens[2], n));
     }},
    {.name = "pick", .min_args = 2, .max_args = 2, .action = true,
     .doc = "| `pick WIDGET N` | Picks entry N of a drop-down list. |",
     .validate = WidgetAndWhole,
     .run = [](Stage& s, const Line& line) {
       const int n = line.number;
       In(s).Pick(
           s.FindWidgetOf<ComboBox>(line.tokens[1], n, "pick", "ComboBox"),
           TokenToLong(line.tokens[2], n));
     }},
    {.name = "check", .min_args = 2, .max_args = 2, .action = true,
     .doc = "| `check WIDGET V` | Clears (0) or checks (1) a check box. |",
     .validate = [](const Line& line) {
       WidgetArgument(line);
       ToInteger(line.tokens[2], line.number);
     },
     .run = [](Stage& s, const Line& line) {
       const int n = line.number;
       In(s).Check(
           s.FindWidgetOf<CheckBox>(line.tokens[1], n, "check", "CheckBox"),
           ToInteger(line.tokens[2], n));
     }},
    {.name = "type", .min_args = 2, .max_args = 2, .action = true,
     .doc = "| `type WIDGET TEXT` | Types TEXT key by key into a field: key "
            "filters apply, and typed keys replace the selected text, as in a "
            "real text box. |",
     .validate = WidgetAndText,
     .run = [](Stage& s, const Line& line) {
       In(s).Type(s.FindWidgetOf<TextWidget>(line.tokens[1], line.number,
                                            "type", "text widget"),
                  line.tokens[2].text);
     }},
    {.name = "commit", .min_args = 1, .max_args = 2, .action = true,
     .doc = "| `commit WIDGET [TEXT]` | Replaces the field's text (when given) "
            "and commits it (Enter). |",
     .validate = WidgetAndText,
     .run = [](Stage& s, const Line& line) {
       TextWidget& field = s.FindWidgetOf<TextWidget>(
           line.tokens[1], line.number, "commit", "text widget");
       std::optional<std::string> text;
       if (line.tokens.size() > 2) text = line.tokens[2].text;
       In(s).Commit(field, std::move(text));
     }},
    {.name = "activate", .min_args = 1, .max_args = 1, .action = true,
     .doc = "| `activate WIDGET` | Activates an up-down field (the panel then "
            "selects its value). |",
     .validate = WidgetArgument,
     .run = [](Stage& s, const Line& line) {
       In(s).Activate(s.FindWidgetOf<UpDownText>(line.tokens[1], line.number,
                                                 "activate", "UpDownText"));
     }},
    {.name = "step", .min_args = 2, .max_args = 2, .action = true,
     .doc = "| `step WIDGET up\\|down` | Presses the up or down button of an "
            "up-down field. |",
     .validate = [](const Line& line) {
       WidgetArgument(line);
       const Token& way = line.tokens[2];
       if (!way.IsWord("up") && !way.IsWord("down"))
         throw ScenarioError(line.number, "bad value " + way.ToText() +
                                              ": expected up or down");
     },
     .run = [](Stage& s, const Line& line) {
       In(s).Step(s.FindWidgetOf<UpDownText>(line.tokens[1], line.number,
                                             "step", "UpDownText"),
                  line.tokens[2].IsWord("up") ? 1 : -1);
     }},
    {.name = "select-text", .min_args = 3, .max_args = 3, .action = true,
     .doc = "| `select-text WIDGET START LENGTH` | Selects part of a field's "
            "text, as dragging over it does. |",
     .validate = [](const Line& line) {
       WidgetAndWhole(line);
       TokenToLong(line.tokens[3], line.number);
     },
     .run = [](Stage& s, const Line& line) {
       const int n = line.number;
       In(s).SelectText(s.FindWidgetOf<TextWidget>(line.tokens[1], n,
                                                   "select-text",
                                                   "text widget"),
                        TokenToLong(line.tokens[2], n),
                        TokenToLong(line.tokens[3], n));
     }},
    {.name = "focus", .min_args = 1, .max_args = 1, .action = true,
     .doc = "| `focus WIDGET` | Gives a widget the focus (it becomes the "
            "container's focused child). |",
     .validate = WidgetArgument,
     .run = [](Stage& s, const Line& line) {
       In(s).Focus(s.FindWidget(line.tokens[1], line.number));
     }},
    {.name = "blur", .min_args = 1, .max_args = 1, .action = true,
     .doc = "| `blur WIDGET` | Takes the focus away from the widget, as a click "
            "elsewhere does. |",
     .validate = WidgetArgument,
     .run = [](Stage& s, const Line& line) {
       In(s).Blur(s.FindWidget(line.tokens[1], line.number));
     }},
    {.name = "cell", .min_args = 2, .max_args = 2, .action = true,
     .doc = "| `cell ROW COL` | Clicks a cell of the material grid. |",
     .validate = [](const Line& line) {
       TokenToLong(line.tokens[1], line.number);
       TokenToLong(line.tokens[2], line.number);
     },
     .run = [](Stage& s, const Line& line) {
       const int n = line.number;
       In(s).ClickCell(s.MaterialGrid(n), TokenToLong(line.tokens[1], n),
                       TokenToLong(line.tokens[2], n));
     }},
    {.name = "key", .min_args = 1, .max_args = 1, .action = true,
     .doc = "| `key CODE` | Presses a key while the panel has the keyboard: 67 "
            "C (copy), 88 X (cut), 86 V (paste). |",
     .validate = [](const Line& line) {
       ToInteger(line.tokens[1], line.number);
     },
     .run = [](Stage& s, const Line& line) {
       const int n = line.number;
       In(s).Key(s.Panel(n), ToInteger(line.tokens[1], n));
     }},
};
// clang-format on

}  // namespace

std::span<const Command> PersonCommands() { return kPersonCommands; }

}  // namespace morvel::scenario

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

Long Whole(const Line& line, std::size_t at) {
  return TokenToLong(line.tokens[at], line.number);
}

void WidgetAndWhole(const Line& line) {
  CheckWidgetName(line.tokens[1], line.number);
  Whole(line, 2);
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

// The widget a person's command names, of the kind the command needs.
template <class T>
T& Named(Stage& s, const Line& line, const char* kind) {
  return s.FindWidgetOf<T>(line.tokens[1], line.number,
                           line.tokens[0].text.c_str(), kind);
}

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
       In(s).MoveSlider(Named<Slider>(s, line, "Slider"), Whole(line, 2));
     }},
    {.name = "pick", .min_args = 2, .max_args = 2, .action = true,
     .doc = "| `pick WIDGET N` | Picks entry N of a drop-down list. |",
     .validate = WidgetAndWhole,
     .run = [](Stage& s, const Line& line) {
       In(s).Pick(Named<ComboBox>(s, line, "ComboBox"), Whole(line, 2));
     }},
    {.name = "check", .min_args = 2, .max_args = 2, .action = true,
     .doc = "| `check WIDGET V` | Clears (0) or checks (1) a check box. |",
     .validate = [](const Line& line) {
       WidgetArgument(line);
       ToInteger(line.tokens[2], line.number);
     },
     .run = [](Stage& s, const Line& line) {
       In(s).Check(Named<CheckBox>(s, line, "CheckBox"),
                   ToInteger(line.tokens[2], line.number));
     }},
    {.name = "type", .min_args = 2, .max_args = 2, .action = true,
     .doc = "| `type WIDGET TEXT` | Types TEXT key by key into a field: key "
            "filters apply, and typed keys replace the selected text, as in a "
            "real text box. |",
     .validate = WidgetAndText,
     .run = [](Stage& s, const Line& line) {
       In(s).Type(Named<TextWidget>(s, line, "text widget"), line.tokens[2].text);
     }},
    {.name = "commit", .min_args = 1, .max_args = 2, .action = true,
     .doc = "| `commit WIDGET [TEXT]` | Replaces the field's text (when given) "
            "and commits it (Enter). |",
     .validate = WidgetAndText,
     .run = [](Stage& s, const Line& line) {
       std::optional<std::string> text;
       if (line.tokens.size() > 2) text = line.tokens[2].text;
       In(s).Commit(Named<TextWidget>(s, line, "text widget"), std::move(text));
     }},
    {.name = "activate", .min_args = 1, .max_args = 1, .action = true,
     .doc = "| `activate WIDGET` | Activates an up-down field (the panel then "
            "selects its value). |",
     .validate = WidgetArgument,
     .run = [](Stage& s, const Line& line) {
       In(s).Activate(Named<UpDownText>(s, line, "UpDownText"));
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
       In(s).Step(Named<UpDownText>(s, line, "UpDownText"),
                  line.tokens[2].IsWord("up") ? 1 : -1);
     }},
    {.name = "select-text", .min_args = 3, .max_args = 3, .action = true,
     .doc = "| `select-text WIDGET START LENGTH` | Selects part of a field's "
            "text, as dragging over it does. |",
     .validate = [](const Line& line) { WidgetAndWhole(line), Whole(line, 3); },
     .run = [](Stage& s, const Line& line) {
       In(s).SelectText(Named<TextWidget>(s, line, "text widget"),
                        Whole(line, 2), Whole(line, 3));
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
     .validate = [](const Line& line) { Whole(line, 1), Whole(line, 2); },
     .run = [](Stage& s, const Line& line) {
       In(s).ClickCell(s.MaterialGrid(line.number), Whole(line, 1),
                       Whole(line, 2));
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

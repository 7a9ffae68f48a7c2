#include <algorithm>
#include <cstdint>
#include <string>

#include "base/error.h"
#include "widgets/text_util.h"
#include "widgets/widget.h"

// A person can only reach what is on screen and enabled, and only give values
// the widget offers. Every check runs before anything changes, so a refused
// action leaves the widgets and the focus exactly as they were.
namespace morvel {
namespace {

constexpr Integer kBackspace = 8;
constexpr Integer kEscape = 27;

void RequireUsable(const Widget& widget) {
  for (const Widget* w = &widget; w; w = w->Parent()) {
    const char* why = !w->Visible()   ? "hidden"
                      : !w->Enabled() ? "disabled"
                                      : nullptr;
    if (!why) continue;
    if (w == &widget) {
      RaiseError(kErrInvalidProcedureCall, widget.DisplayName() + " is " + why);
    }
    RaiseError(kErrInvalidProcedureCall, widget.DisplayName() + " is inside " +
                                             w->DisplayName() + ", which is " +
                                             why);
  }
}

// Clicking or typing into a widget gives it the keyboard focus first, as the
// windowing system does; so the widget that had it gets its LostFocus before
// the new widget's own event (a cell editor commits before the next click).
void TakeFocus(Widget& widget) {
  if (widget.CanFocus()) widget.Tree().SetFocus(&widget);
}

// One key reaches the field: the key filter may change or drop it, then it
// replaces the selection (a backspace deletes it, or the character before the
// caret).
void TypeKey(TextWidget& field, std::uint32_t code_point,
             std::string_view original) {
  auto key = static_cast<Integer>(
      static_cast<std::uint16_t>(code_point > 0xFFFF ? 0xFFFD : code_point));
  const Integer typed = key;
  if (field.on_key_press) field.on_key_press(key);
  if (key == 0) return;
  if (key == kBackspace) {
    if (field.SelLength() == 0) {
      if (field.SelStart() == 0) return;
      field.SetSelection(field.SelStart() - 1, 1);
    }
    field.SetSelectedText("");
    return;
  }
  auto unit = static_cast<std::uint16_t>(key);
  if (key == kEscape) {
    field.RevertText();
    return;
  }
  // Other control keys (Enter, Tab) insert nothing.
  if (unit < 0x20 || unit == 0x7F) return;
  if (key == typed) {
    field.SetSelectedText(original);
  } else {
    std::string replaced;
    AppendUtf8(replaced, unit);
    field.SetSelectedText(replaced);
  }
}

}  // namespace

void UserInput::Click(Widget& widget) {
  RequireUsable(widget);
  switch (widget.Kind()) {
    case WidgetKind::kButton:
      TakeFocus(widget);
      static_cast<Button&>(widget).Click();
      return;
    case WidgetKind::kPictureBox:
      static_cast<PictureBox&>(widget).Click();
      return;
    case WidgetKind::kCheckBox: {
      auto& box = static_cast<CheckBox&>(widget);
      TakeFocus(widget);
      // A click checks a cleared or grey box and clears a checked one.
      box.SetValue(box.Value() == 1 ? 0 : 1);
      return;
    }
    default:
      RaiseError(kErrInvalidProcedureCall,
                 widget.DisplayName() + " is a " +
                     std::string(KindName(widget.Kind())) +
                     ": only buttons, picture boxes and check boxes are "
                     "clicked");
  }
}

void UserInput::MoveSlider(Slider& slider, Long position) {
  RequireUsable(slider);
  if (position < std::min(slider.Min(), slider.Max()) ||
      position > std::max(slider.Min(), slider.Max())) {
    RaiseError(kErrInvalidPropertyValue);
  }
  TakeFocus(slider);
  slider.SetValue(position);
}

void UserInput::Pick(ComboBox& combo, Long index) {
  RequireUsable(combo);
  // A person picks an entry of the list; "no entry" is not on offer.
  if (index < 0 || index >= combo.ListCount()) {
    RaiseError(kErrInvalidPropertyValue);
  }
  TakeFocus(combo);
  combo.SetListIndex(index);
}

void UserInput::Check(CheckBox& box, Integer value) {
  RequireUsable(box);
  // Grey (2) is shown for a mixed selection; a person can only clear or check.
  if (value != 0 && value != 1) RaiseError(kErrInvalidPropertyValue);
  TakeFocus(box);
  box.SetValue(value);
}

void UserInput::Type(TextWidget& field, std::string_view text) {
  RequireUsable(field);
  TakeFocus(field);
  for (std::size_t pos = 0; pos < text.size();) {
    // A handler may disable or hide the field while the person types; the
    // remaining keys then reach nothing.
    if (!field.IsUsable()) return;
    std::uint32_t code_point;
    std::size_t length = DecodeUtf8(text, pos, code_point);
    TypeKey(field, code_point, text.substr(pos, length));
    pos += length;
  }
}

void UserInput::Commit(TextWidget& field, std::optional<std::string> text) {
  RequireUsable(field);
  TakeFocus(field);
  // The replacing text is the person's own: a paste over the whole text.
  if (text) {
    const Long caret = CharCount(*text);
    field.EditText(std::move(*text), caret);
  }
  if (field.Commits()) {
    field.CommitText();
  } else if (field.Tree().Focused() == &field) {
    // A plain text box has no commit of its own: the edit ends when the
    // focus leaves it.
    field.Tree().SetFocus(nullptr);
  }
}

void UserInput::Edit(TextWidget& field, std::string text, Long caret) {
  RequireUsable(field);
  if (caret < 0) RaiseError(kErrInvalidPropertyValue);
  TakeFocus(field);
  field.EditText(std::move(text), caret);
}

void UserInput::CommitEdit(WidgetTree& tree) {
  auto* field = dynamic_cast<TextWidget*>(tree.Focused());
  if (field && field->Commits() && field->Edited() && field->IsUsable()) {
    field->CommitText();
  }
}

void UserInput::Activate(UpDownText& field) {
  RequireUsable(field);
  TakeFocus(field);
  if (field.on_activated) field.on_activated();
}

void UserInput::Step(UpDownText& field, int direction) {
  RequireUsable(field);
  if (direction == 0) RaiseError(kErrInvalidProcedureCall);
  TakeFocus(field);
  field.Step(direction);
}

void UserInput::Focus(Widget& widget) {
  RequireUsable(widget);
  if (!widget.CanFocus()) {
    RaiseError(kErrInvalidProcedureCall,
               widget.DisplayName() + " is a " +
                   std::string(KindName(widget.Kind())) +
                   " and cannot take the focus");
  }
  widget.Tree().SetFocus(&widget);
}

void UserInput::Blur(Widget& widget) {
  // Taking the focus away is a click elsewhere: it never touches the widget
  // itself, so it is allowed even when the widget has been hidden or
  // disabled meanwhile. A widget without the focus has nothing to lose.
  if (widget.Tree().Focused() == &widget) widget.Tree().SetFocus(nullptr);
}

void UserInput::ClickCell(FlexGrid& grid, Long row, Long col) {
  RequireUsable(grid);
  // The fixed rows and columns are headers: a click there never makes one of
  // them the current cell.
  if (row < grid.FixedRows() || row >= grid.Rows() || col < grid.FixedCols() ||
      col >= grid.Cols()) {
    RaiseError(kErrInvalidPropertyValue);
  }
  TakeFocus(grid);
  grid.SetRow(row);
  grid.SetCol(col);
  if (grid.on_cell_clicked) grid.on_cell_clicked();
}

}  // namespace morvel

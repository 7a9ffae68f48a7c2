#ifndef MORVEL_KIT_EDITORS_H_
#define MORVEL_KIT_EDITORS_H_

#include <functional>
#include <utility>

#include "base/error.h"
#include "base/types.h"
#include "widgets/widget.h"

// Connecting editors to their widgets, and the loaders' side of the guard
// against writing back what a loader has just set.
namespace morvel {

// The notification a person's edit raises on each kind of widget an editor
// answers with no arguments: a click on a button, picture box, check box
// or list, a move of a slider. Up-down fields and text fields have their
// own connections below and in CustomFieldRows.
inline std::function<void()>& EditNotification(Button& widget) {
  return widget.on_click;
}
inline std::function<void()>& EditNotification(PictureBox& widget) {
  return widget.on_click;
}
inline std::function<void()>& EditNotification(CheckBox& widget) {
  return widget.on_click;
}
inline std::function<void()>& EditNotification(ComboBox& widget) {
  return widget.on_click;
}
inline std::function<void()>& EditNotification(Slider& widget) {
  return widget.on_change;
}

// Connects `editor` to the widget's edit notification. Its failures leave
// it as errors with the panel as their source.
template <class EditedWidget, class Editor>
void ConnectEditor(EditedWidget& widget, Editor editor) {
  EditNotification(widget) = [editor = std::move(editor)]() mutable {
    WithPropertiesSource(editor);
  };
}

// The same for an editor that does nothing at all while its widget is
// disabled: loaders disable such a widget while they set its value (see
// SetWhileDisabled), so the notification the widget raises for the loader's
// own change is not written back into the scene.
template <class EditedWidget, class Editor>
void ConnectGuardedEditor(EditedWidget& widget, Editor editor) {
  EditedWidget* target = &widget;
  EditNotification(widget) = [target, editor = std::move(editor)]() mutable {
    if (!target->Enabled()) return;
    WithPropertiesSource(editor);
  };
}

// Connects the two notifications of a numeric up-down field: a committed
// value runs `editor` (its failures leave as errors with the panel as their
// source); an activation only selects the field's text, so that what the
// user types next replaces the value. No guard: loaders set these fields'
// texts, which raises neither notification.
template <class Editor>
void ConnectValueField(UpDownText& field, Editor editor) {
  UpDownText* target = &field;
  field.on_value_committed = [editor = std::move(editor)]() mutable {
    WithPropertiesSource(editor);
  };
  field.on_activated = [target] {
    WithPropertiesSource([target] { target->SelectValueText(); });
  };
}

// Sets a guarded widget the way loaders do: disabled while its value
// changes, so that its own editor ignores the notification, then enabled
// again. When `set` fails the widget stays disabled.
template <class GuardedWidget, class Set>
void SetWhileDisabled(GuardedWidget& widget, Set set) {
  widget.SetEnabled(false);
  set();
  widget.SetEnabled(true);
}

// Converts a Long the scene reports into the Integer a check box holds;
// values beyond the Integer range are error 6, as the platform's assignment
// would raise it.
Integer LongToCheckValue(Long value);

}  // namespace morvel

#endif  // MORVEL_KIT_EDITORS_H_

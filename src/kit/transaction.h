#ifndef MORVEL_KIT_TRANSACTION_H_
#define MORVEL_KIT_TRANSACTION_H_

#include <string>
#include <utility>

#include "base/error.h"
#include "kit/panel_context.h"
#include "widgets/widget.h"

namespace morvel {

// The layer sources editors announce their changes with.
inline constexpr const char* kLayerSysProperties = "SysProperties";
inline constexpr const char* kLayerSysMaterialUpdate = "SysMaterialUpdate";
inline constexpr const char* kLayerNone = "";

// One scene change, as every editor makes it: constructing it asks the host
// to prepare (evtReqPrepareForSceneChanges with the editor's layer source);
// Commit asks it to apply (evtReqApplySceneChanges). The host records and
// redraws around the writes in between.
//
// A failure between the two leaves the transaction uncommitted: the host has
// a prepare without its apply, and the writes made so far stay in the scene.
// Nothing is rolled back and no apply is raised on the way out, because the
// host's undo is built on complete pairs only.
class SceneTransaction {
 public:
  SceneTransaction(const PanelContext& context, const std::string& layer_source)
      : context_(context) {
    context_.RaisePrepare(layer_source);
  }
  SceneTransaction(const SceneTransaction&) = delete;
  SceneTransaction& operator=(const SceneTransaction&) = delete;

  // Raises the apply, once. HierarchyChanged is False except where an editor
  // changed the shape of the hierarchy (a bone switched on or off).
  void Commit(bool hierarchy_changed = false) {
    if (committed_) return;
    committed_ = true;
    context_.RaiseApply(hierarchy_changed);
  }
  bool Committed() const { return committed_; }

 private:
  const PanelContext& context_;
  bool committed_ = false;
};

// Connects the click editor of a check box or combo box. The editor does
// nothing at all while its widget is disabled: loaders disable the widget
// while they set its value, so the click that the widget raises for the
// loader's own change is not written back into the scene. Failures leave the
// editor as errors with the panel as their source.
template <class ClickWidget, class Editor>
void ConnectGuardedClick(ClickWidget& widget, Editor editor) {
  ClickWidget* target = &widget;
  widget.on_click = [target, editor = std::move(editor)]() mutable {
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

// Sets a check box or combo box the way loaders do: disabled while its value
// changes, so that its own editor ignores the click, then enabled again. When
// `set` fails the widget stays disabled.
template <class ClickWidget, class Set>
void SetWhileDisabled(ClickWidget& widget, Set set) {
  widget.SetEnabled(false);
  set();
  widget.SetEnabled(true);
}

// Converts a Long the scene reports into the Integer a check box holds;
// values beyond the Integer range are error 6, as the platform's assignment
// would raise it.
Integer LongToCheckValue(Long value);

// a + b in 32-bit signed arithmetic; error 6 "Overflow" when the sum does not
// fit.
Long CheckedAdd(Long a, Long b);

}  // namespace morvel

#endif  // MORVEL_KIT_TRANSACTION_H_

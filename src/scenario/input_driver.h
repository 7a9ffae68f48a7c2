#ifndef MORVEL_SCENARIO_INPUT_DRIVER_H_
#define MORVEL_SCENARIO_INPUT_DRIVER_H_

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/types.h"
#include "panel/properties.h"
#include "widgets/widget.h"

namespace morvel::scenario {

// How the actions of a person reach the panel: the scenario commands click,
// move, pick, check, type, commit, activate, focus, blur, cell and key. The
// interpreter checks the widget's kind before calling; a driver acts as a
// person would (refusing hidden or disabled widgets) and lets any
// morvel::Error the panel raises leave the call.
class InputDriver {
 public:
  virtual ~InputDriver() = default;
  // A button, picture box or check box (a check box goes 0 to 1, 1 to 0,
  // 2 to 1).
  virtual void Click(Widget& widget) = 0;
  virtual void MoveSlider(Slider& slider, Long position) = 0;
  virtual void Pick(ComboBox& combo, Long index) = 0;
  virtual void Check(CheckBox& box, Integer value) = 0;
  // Key by key: key filters apply, typed keys replace the selected text.
  virtual void Type(TextWidget& field, std::string_view text) = 0;
  // Replaces the text when one is given, then commits it.
  virtual void Commit(TextWidget& field, std::optional<std::string> text) = 0;
  virtual void Activate(UpDownText& field) = 0;
  // Selects `length` characters from `start`, as dragging over the text
  // does (the focus moves to the field first). The default acts on the
  // model; a toolkit driver may override it.
  virtual void SelectText(TextWidget& field, Long start, Long length);
  // Presses the up (+1) or down (-1) button of an up-down field. The
  // default acts on the model.
  virtual void Step(UpDownText& field, int direction);
  virtual void Focus(Widget& widget) = 0;
  virtual void Blur(Widget& widget) = 0;
  virtual void ClickCell(FlexGrid& grid, Long row, Long col) = 0;
  // A key pressed while the panel has the keyboard (no modifier).
  virtual void Key(Properties& panel, Integer key_code) = 0;
};

// Types `text` as a person does, one character at a time: `press` gets each
// character's code point and its UTF-8 bytes. It stops when the field no
// longer takes keys (a handler hid or disabled it while the person typed):
// the remaining keys reach nothing.
void TypeKeys(const TextWidget& field, std::string_view text,
              const std::function<void(std::uint32_t code_point,
                                       std::string_view key)>& press);

// The headless driver: UserInput on the model widgets, KeyDown on the panel.
class ModelInputDriver : public InputDriver {
 public:
  void Click(Widget& widget) override;
  void MoveSlider(Slider& slider, Long position) override;
  void Pick(ComboBox& combo, Long index) override;
  void Check(CheckBox& box, Integer value) override;
  void Type(TextWidget& field, std::string_view text) override;
  void Commit(TextWidget& field, std::optional<std::string> text) override;
  void Activate(UpDownText& field) override;
  void Focus(Widget& widget) override;
  void Blur(Widget& widget) override;
  void ClickCell(FlexGrid& grid, Long row, Long col) override;
  void Key(Properties& panel, Integer key_code) override;
};

}  // namespace morvel::scenario

#endif  // MORVEL_SCENARIO_INPUT_DRIVER_H_

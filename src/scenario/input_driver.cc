#include "scenario/input_driver.h"

#include "base/error.h"
#include "widgets/text_util.h"

namespace morvel::scenario {

void InputDriver::SelectText(TextWidget& field, Long start, Long length) {
  // Only what a person can reach; Focus refuses the rest with error 5.
  UserInput::Focus(field);
  if (start < 0 || length < 0) RaiseError(kErrInvalidPropertyValue);
  field.SetSelection(start, length);
}

void InputDriver::Step(UpDownText& field, int direction) {
  UserInput::Step(field, direction);
}

void TypeKeys(const TextWidget& field, std::string_view text,
              const std::function<void(std::uint32_t code_point,
                                       std::string_view key)>& press) {
  for (std::size_t pos = 0; pos < text.size() && field.IsUsable();) {
    std::uint32_t code_point = 0;
    std::size_t length = DecodeUtf8(text, pos, code_point);
    press(code_point, text.substr(pos, length));
    pos += length;
  }
}

void ModelInputDriver::Click(Widget& widget) { UserInput::Click(widget); }
void ModelInputDriver::MoveSlider(Slider& slider, Long position) {
  UserInput::MoveSlider(slider, position);
}
void ModelInputDriver::Pick(ComboBox& combo, Long index) {
  UserInput::Pick(combo, index);
}
void ModelInputDriver::Check(CheckBox& box, Integer value) {
  UserInput::Check(box, value);
}
void ModelInputDriver::Type(TextWidget& field, std::string_view text) {
  UserInput::Type(field, text);
}
void ModelInputDriver::Commit(TextWidget& field,
                              std::optional<std::string> text) {
  UserInput::Commit(field, std::move(text));
}
void ModelInputDriver::Activate(UpDownText& field) {
  UserInput::Activate(field);
}
void ModelInputDriver::Focus(Widget& widget) { UserInput::Focus(widget); }
void ModelInputDriver::Blur(Widget& widget) { UserInput::Blur(widget); }
void ModelInputDriver::ClickCell(FlexGrid& grid, Long row, Long col) {
  UserInput::ClickCell(grid, row, col);
}
void ModelInputDriver::Key(Properties& panel, Integer key_code) {
  panel.KeyDown(key_code, 0);
}

}  // namespace morvel::scenario

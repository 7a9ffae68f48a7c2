#ifndef MORVEL_APPS_IMGUI_DEMO_IMGUI_INPUT_DRIVER_H_
#define MORVEL_APPS_IMGUI_DEMO_IMGUI_INPUT_DRIVER_H_

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "imgui/headless_screen.h"
#include "imgui/widget_view.h"
#include "scenario/input_driver.h"

// Plays a scenario's user actions on the ImGui panel as a person's input:
// the mouse moved to where the last frame showed the widget, pressed and
// released there, keys pressed and characters typed, each played through
// frames of a headless screen. The model hears about them only through the
// ImGui view, exactly as it hears about a person.
//
// Where a person could not do it (a hidden or disabled widget, a value the
// widget does not offer, a widget nowhere on screen) the driver asks the
// model to try, so the refusal is the same error the headless runner
// reports. An error the panel raised while handling the input is caught by
// the view and rethrown here once the frames have run.
namespace morvel::imgui_demo {

class ImGuiInputDriver final : public scenario::InputDriver {
 public:
  // `frame` runs one frame of `screen` with everything the host shows (the
  // panel, the tip window); `view_for` finds the view that shows a widget,
  // null when none does.
  ImGuiInputDriver(imgui::HeadlessScreen& screen, std::function<void()> frame,
                   std::function<imgui::WidgetView*(const Widget&)> view_for);

  void Click(Widget& widget) override;
  void MoveSlider(Slider& slider, Long position) override;
  void Pick(ComboBox& combo, Long index) override;
  void Check(CheckBox& box, Integer value) override;
  void Type(TextWidget& field, std::string_view text) override;
  void Commit(TextWidget& field, std::optional<std::string> text) override;
  void Activate(UpDownText& field) override;
  void SelectText(TextWidget& field, Long start, Long length) override;
  void Step(UpDownText& field, int direction) override;
  void Focus(Widget& widget) override;
  void Blur(Widget& widget) override;
  void ClickCell(FlexGrid& grid, Long row, Long col) override;
  void Key(Properties& panel, Integer key_code) override;

  // What the driver did: pieces of input played on the screen (a click, a
  // drag, a key, a wheel turn), and actions the model answered because a
  // person could not do them. For tests and the --play transcript.
  struct Counts {
    long long screen = 0;
    long long model = 0;
  };
  const Counts& Played() const { return counts_; }

 private:
  imgui::WidgetView& ViewOf(const Widget& widget) const;
  // Runs `input` (which plays frames) with the view's error callback
  // catching; rethrows the first error the model raised.
  void Drive(imgui::WidgetView& view, const std::function<void()>& input);
  void Frame();
  // A point where a press reaches `widget` (no other widget in front of it
  // there), inside `area` when given.
  std::optional<ImVec2> PointOn(const imgui::WidgetView& view,
                                const Widget& widget,
                                std::optional<imgui::Rect> area = {}) const;
  void ClickAt(ImVec2 at);
  void ByModel(const std::function<void()>& action);
  void PressKey(imgui::Key key, bool ctrl = false);
  // The field has the model's focus and its window the keyboard.
  void FocusForKeys(imgui::WidgetView& view, TextWidget& field);

  imgui::HeadlessScreen& screen_;
  std::function<void()> frame_;
  std::function<imgui::WidgetView*(const Widget&)> view_for_;
  long long frames_ = 0;
  Counts counts_;
};

}  // namespace morvel::imgui_demo

#endif  // MORVEL_APPS_IMGUI_DEMO_IMGUI_INPUT_DRIVER_H_

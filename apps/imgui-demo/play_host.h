#ifndef MORVEL_APPS_IMGUI_DEMO_PLAY_HOST_H_
#define MORVEL_APPS_IMGUI_DEMO_PLAY_HOST_H_

#include <memory>
#include <optional>
#include <string>

#include "common/demo_play_host.h"
#include "imgui-demo/demo_ui.h"
#include "imgui-demo/imgui_input_driver.h"
#include "imgui/headless_screen.h"
#include "imgui/imgui_platform.h"
#include "imgui/modal.h"
#include "imgui/warn_window.h"

// `morvel-imgui-demo --play`: the scenario interpreter playing against the
// demo's own ImGui host on a headless screen. The panel is the one the
// demo draws, the person's actions are mouse and key input played through
// frames (ImGuiInputDriver), message boxes are ImGui modal windows that a
// person answers in frames of their own, and the outliner and the event log
// follow along. Every scenario starts, as in the headless runner, with a
// fresh panel 4000 x 9735 twips at 15 twips a pixel, an empty settings
// store and an empty clipboard.
namespace morvel::imgui_demo {

class PlayHost final
    : public demo::DemoPlayHost<DemoUi, &imgui::PropertiesPanel::Terminate> {
 public:
  PlayHost(DemoUi& ui, imgui::HeadlessScreen& screen);
  ~PlayHost() override;

  scenario::InputDriver& Input() override { return driver_; }
  void SelectionChanged() override;
  void LoadWarning(const std::string& application_key,
                   const std::string& warning,
                   const std::string& registry_entry) override;
  void UnloadWarning() override;

  // Everything the host shows, for one frame.
  void Draw();
  // What the person's input did: played on the screen or answered by the
  // model.
  const ImGuiInputDriver::Counts& Played() const { return driver_.Played(); }
  // How many message boxes a person answered on screen.
  int MessagesAnswered() const { return answered_; }

 private:
  void ShowChanges() override;
  void CloseTipWindow() override;
  imgui::WidgetView* ViewFor(const Widget& widget);
  // A frame lent to a modal question, which the person answers: a press on
  // its OK button.
  bool Lend(const std::function<void()>& draw_modal);

  imgui::HeadlessScreen& screen_;
  ImGuiInputDriver driver_;
  imgui::ModalLoop modals_;
  // The screen's clipboard and message box, which a person answers.
  imgui::ImGuiClipboard clipboard_;
  imgui::ImGuiMessageBox message_box_{modals_};
  std::unique_ptr<imgui::WarnWindow> warning_window_;
  std::function<void()> draw_modal_;
  int answered_ = 0;
};

}  // namespace morvel::imgui_demo

#endif  // MORVEL_APPS_IMGUI_DEMO_PLAY_HOST_H_

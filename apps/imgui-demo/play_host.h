#ifndef MORVEL_APPS_IMGUI_DEMO_PLAY_HOST_H_
#define MORVEL_APPS_IMGUI_DEMO_PLAY_HOST_H_

#include <memory>
#include <optional>
#include <string>

#include "demo_ui.h"
#include "imgui/headless_screen.h"
#include "imgui/imgui_platform.h"
#include "imgui/modal.h"
#include "imgui/warn_window.h"
#include "imgui_input_driver.h"
#include "scenario/interpreter.h"
#include "scenario/recorder.h"
#include "scenario/scenario_services.h"
#include "warn/frm_warn.h"

// `morvel-imgui-demo --play`: the scenario interpreter playing against the
// demo's own ImGui host on a headless screen. The panel is the one the
// demo draws, the person's actions are mouse and key input played through
// frames (ImGuiInputDriver), message boxes are ImGui modal windows that a
// person answers in frames of their own, and the outliner and the event log
// follow along. Every scenario starts, as in the headless runner, with a
// fresh panel 4000 x 9735 twips at 15 twips a pixel, an empty settings
// store and an empty clipboard.
namespace morvel::imgui_demo {

class PlayHost final : public scenario::ScenarioHost {
 public:
  PlayHost(DemoUi& ui, imgui::HeadlessScreen& screen);
  ~PlayHost() override;

  void BeginScenario(scenario::Recorder& recorder) override;
  void EndScenario() override;
  Properties* Panel() override { return ui_.Panel(); }
  scenario::InputDriver& Input() override { return driver_; }
  Clipboard& GetClipboard() override { return services_.GetClipboard(); }
  SettingsStore& Settings() override { return services_.Settings(); }
  void SetScene(scenario::SceneState& scene,
                const std::shared_ptr<SceneGraph>& graph,
                const std::shared_ptr<Applier>& applier) override;
  void SelectionChanged() override;
  void Setup(const scenario::SetupArguments& arguments) override;
  void Resize(Long inner_height, Long outer_height, Long width) override;
  void Terminate() override;
  void LoadWarning(const std::string& application_key,
                   const std::string& warning,
                   const std::string& registry_entry) override;
  void UnloadWarning() override;
  WidgetTree* WarningWidgets() override;
  bool FaultPlatform(const std::string& operation, const Error& error) override;

  // Everything the host shows, for one frame.
  void Draw();
  ImGuiInputDriver& Driver() { return driver_; }
  // How many message boxes a person answered on screen.
  int MessagesAnswered() const { return answered_; }

 private:
  imgui::WidgetView* ViewFor(const Widget& widget);
  // A frame lent to a modal question, which the person answers: a press on
  // its OK button.
  bool Lend(const std::function<void()>& draw_modal);

  DemoUi& ui_;
  imgui::HeadlessScreen& screen_;
  ImGuiInputDriver driver_;
  imgui::ModalLoop modals_;
  // The screen's clipboard and message box, which a person answers.
  imgui::ImGuiClipboard clipboard_;
  imgui::ImGuiMessageBox message_box_{modals_};
  scenario::ScenarioServices services_;
  scenario::SceneState* scene_ = nullptr;
  std::unique_ptr<frmWarn> warning_;
  std::unique_ptr<imgui::WarnWindow> warning_window_;
  std::function<void()> draw_modal_;
  int answered_ = 0;
};

}  // namespace morvel::imgui_demo

#endif  // MORVEL_APPS_IMGUI_DEMO_PLAY_HOST_H_

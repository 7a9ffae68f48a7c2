#ifndef MORVEL_SCENARIO_PLAY_HOST_H_
#define MORVEL_SCENARIO_PLAY_HOST_H_

#include <memory>
#include <string>

#include "base/error.h"
#include "base/types.h"
#include "scenario/interpreter.h"
#include "scenario/scenario_services.h"
#include "warn/frm_warn.h"

namespace morvel {
class MemSceneGraph;
}  // namespace morvel

namespace morvel::scenario {

// The scenario interpreter playing against a demo's own window: the panel
// is the one the window shows and the outliner follows the scene. Every
// scenario starts, as in the headless runner, with a fresh panel 4000 x 9735
// twips, an empty settings store and an empty clipboard; when it ends the
// tip goes without storing anything and the panel goes before the scene it
// may still hold. What differs between window systems (how the window
// shows a scene, makes and drops its panel and the tip's window) is the
// derived host's.
class WindowPlayHost : public ScenarioHost {
 public:
  void BeginScenario(Recorder& recorder) override;
  void EndScenario() override;
  Clipboard& GetClipboard() override { return services_.GetClipboard(); }
  SettingsStore& Settings() override { return services_.Settings(); }
  void SetScene(SceneState& scene, const std::shared_ptr<SceneGraph>& graph,
                const std::shared_ptr<Applier>& applier) override;
  WidgetTree* WarningWidgets() override;
  bool FaultPlatform(const std::string& operation, const Error& error) override;

 protected:
  // As ScenarioServices takes them. The clipboard and message box may be
  // members of the derived host: they are only held until a scenario
  // begins.
  WindowPlayHost(Clipboard& clipboard, MessageBoxService* message_box,
                 PropertiesEvents* events);

  // The host's answer to evtReqApplyOperation while a scenario plays: the
  // operation runs through the scenario's scene, once one is loaded.
  void ApplyOperation(const std::string& operation);

  // Shows `graph` (the reference scene graph; null for none or another
  // kind) in the window and hands it to the window's panel.
  virtual void ShowScene(const std::shared_ptr<MemSceneGraph>& graph,
                         const std::shared_ptr<Applier>& applier) = 0;
  // A fresh panel over `services_` with these fixed facts (twips), then its
  // resize notification; the window then shows it.
  virtual void OpenPanel(Long inner_height, Long outer_height, Long width) = 0;
  // Destroys the window's panel, without a notification.
  virtual void ClosePanel() = 0;
  // Takes the tip's window down (the tip itself is `warning_`).
  virtual void CloseTipWindow() = 0;

  ScenarioServices services_;
  SceneState* scene_ = nullptr;
  // The tip of `warn`, loaded while its window is up; it outlives the
  // derived host's window of it.
  std::unique_ptr<frmWarn> warning_;
};

}  // namespace morvel::scenario

#endif  // MORVEL_SCENARIO_PLAY_HOST_H_

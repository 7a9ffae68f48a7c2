#ifndef MORVEL_SCENARIO_HEADLESS_HOST_H_
#define MORVEL_SCENARIO_HEADLESS_HOST_H_

#include <memory>
#include <string>

#include "panel/properties.h"
#include "scenario/input_driver.h"
#include "scenario/interpreter.h"

namespace morvel {
class MemoryClipboard;
class MemorySettingsStore;
}  // namespace morvel

namespace morvel::scenario {

// The host of morvel-panel: no windows, everything in memory. Each scenario
// gets a fresh panel (created, read properties in user mode, container 4000
// wide and 9735 high inside and out, 15 twips a pixel), an empty settings
// store and an empty clipboard. It answers the panel's requests as the demo
// host does, without windows: evtReqApplyOperation runs the operation
// through the scene's applier; evtReqWarn and evtReqOpenSource are only
// recorded. Message boxes are recorded and need no answer.
class HeadlessHost : public ScenarioHost {
 public:
  HeadlessHost();
  ~HeadlessHost() override;

  void BeginScenario(Recorder& recorder) override;
  void EndScenario() override;
  Properties* Panel() override;
  InputDriver& Input() override { return input_; }
  Clipboard& GetClipboard() override;
  SettingsStore& Settings() override;
  void SetScene(SceneState& scene, const std::shared_ptr<SceneGraph>& graph,
                const std::shared_ptr<Applier>& applier) override;
  void Resize(Long inner_height, Long outer_height, Long width) override;
  void Terminate() override;
  void LoadWarning(const std::string& application_key,
                   const std::string& warning,
                   const std::string& registry_entry) override;
  void UnloadWarning() override;
  WidgetTree* WarningWidgets() override;
  bool FaultPlatform(const std::string& operation, const Error& error) override;

  // The container's facts, for tools that want another size before a
  // scenario begins.
  FixedContainer& Container();
  // The events as the panel raises them: recorded, then answered by this
  // host. Lets tests check the host's answers without a panel that raises
  // every request yet.
  PropertiesEvents& Events();

 private:
  struct Session;
  std::unique_ptr<Session> session_;
  ModelInputDriver input_;
};

}  // namespace morvel::scenario

#endif  // MORVEL_SCENARIO_HEADLESS_HOST_H_

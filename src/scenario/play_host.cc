#include "scenario/play_host.h"

#include "memscene/mem_scene_graph.h"
#include "scenario/scene_state.h"

namespace morvel::scenario {

WindowPlayHost::WindowPlayHost(Clipboard& clipboard,
                               MessageBoxService* message_box,
                               PropertiesEvents* events)
    : services_(clipboard, message_box, events) {}

void WindowPlayHost::BeginScenario(Recorder& recorder) {
  CloseTipWindow();
  warning_.reset();
  scene_ = nullptr;
  services_.Begin(&recorder);
  ShowScene(nullptr, nullptr);
  OpenPanel(9735, 9735, 4000);
}

void WindowPlayHost::EndScenario() {
  // The scenario is over: the tip goes without storing anything, as the
  // headless runner's does.
  CloseTipWindow();
  warning_.reset();
  // The panel goes before the scene it may still hold.
  ClosePanel();
  ShowScene(nullptr, nullptr);
  scene_ = nullptr;
}

void WindowPlayHost::SetScene(SceneState& scene,
                              const std::shared_ptr<SceneGraph>& graph,
                              const std::shared_ptr<Applier>& applier) {
  scene_ = &scene;
  auto reference = std::dynamic_pointer_cast<MemSceneGraph>(graph);
  ShowScene(reference, applier);
  // A scene graph that is not the reference one still reaches the panel.
  if (!reference && Panel()) Panel()->SetSceneGraph(graph, applier);
}

WidgetTree* WindowPlayHost::WarningWidgets() {
  if (!warning_ || !warning_->IsLoaded()) return nullptr;
  return &warning_->Widgets();
}

bool WindowPlayHost::FaultPlatform(const std::string& operation,
                                   const Error& error) {
  return services_.Fault(operation, error);
}

void WindowPlayHost::ApplyOperation(const std::string& operation) {
  if (scene_ && scene_->Loaded()) SceneApplyOperation(*scene_, operation);
}

}  // namespace morvel::scenario

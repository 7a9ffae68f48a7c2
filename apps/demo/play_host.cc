#include "play_host.h"

#include <QApplication>

#include "scenario/scene_state.h"

namespace morvel::demo {

PlayHost::PlayHost(DemoWindow& window)
    : window_(window),
      driver_([this](const Widget& widget) { return ViewFor(widget); }),
      services_(clipboard_, nullptr, &window) {
  // The window answers the panel's requests as it does for a person, except
  // that an operation runs through the scenario's scene.
  window_.run_operation = [this](const std::string& operation) {
    if (scene_ && scene_->Loaded())
      scenario::SceneApplyOperation(*scene_, operation);
  };
}

PlayHost::~PlayHost() {
  window_.run_operation = nullptr;
  warning_dialog_.reset();
  warning_.reset();
}

void PlayHost::BeginScenario(scenario::Recorder& recorder) {
  warning_dialog_.reset();
  warning_.reset();
  scene_ = nullptr;
  services_.Begin(&recorder);
  window_.AttachScene(nullptr, nullptr, QString());
  window_.FixPanel(9735, 9735, 4000);
  window_.CreatePanel(&services_.Events(), &services_.Messages(),
                      &services_.Settings(), &services_.GetClipboard());
  window_.ResizePanel(9735, 9735, 4000);
  QApplication::processEvents();
}

void PlayHost::EndScenario() {
  // The scenario is over: the tip goes without storing anything, as the
  // headless runner's does.
  if (warning_dialog_) warning_dialog_->hide();
  warning_dialog_.reset();
  warning_.reset();
  // The panel goes before the scene it may still hold.
  window_.DetachPanel().reset();
  window_.AttachScene(nullptr, nullptr, QString());
  scene_ = nullptr;
}

void PlayHost::SetScene(scenario::SceneState& scene,
                        const std::shared_ptr<SceneGraph>& graph,
                        const std::shared_ptr<Applier>& applier) {
  scene_ = &scene;
  window_.AttachScene(std::dynamic_pointer_cast<MemSceneGraph>(graph), applier,
                      QString());
  // A scene graph that is not the reference one still reaches the panel.
  if (!std::dynamic_pointer_cast<MemSceneGraph>(graph) && window_.Panel()) {
    window_.Panel()->SetSceneGraph(graph, applier);
  }
}

void PlayHost::SelectionChanged() { window_.SyncOutlinerSelection(); }

void PlayHost::Setup(const scenario::SetupArguments& arguments) {
  window_.SetupOrThrow(arguments);
}

void PlayHost::Resize(Long inner_height, Long outer_height, Long width) {
  window_.ResizePanel(inner_height, outer_height, width);
}

void PlayHost::Terminate() {
  // The container destroys the panel whatever its notification did.
  std::unique_ptr<qt::PropertiesWidget> panel = window_.DetachPanel();
  if (panel) panel->terminate();
}

void PlayHost::LoadWarning(const std::string& application_key,
                           const std::string& warning,
                           const std::string& registry_entry) {
  // One tip at a time: an open one is closed first.
  warning_dialog_.reset();
  warning_ = std::make_unique<frmWarn>(&services_.Settings());
  warning_->SetsApplicationRegistryKey(application_key);
  warning_->SetsWarning(warning);
  warning_->SetsWarningRegistryEntry(registry_entry);
  warning_dialog_ =
      std::make_unique<qt::WarnDialog>(*warning_, window_.Metrics(), &window_);
  warning_dialog_->Open();
  QApplication::processEvents();
}

void PlayHost::UnloadWarning() {
  // Closed other than by its OK button: the window's close.
  if (warning_dialog_ && warning_dialog_->isVisible()) {
    warning_dialog_->close();
  } else if (warning_) {
    warning_->Unload();
  }
}

WidgetTree* PlayHost::WarningWidgets() {
  if (!warning_ || !warning_->IsLoaded()) return nullptr;
  return &warning_->Widgets();
}

bool PlayHost::FaultPlatform(const std::string& operation, const Error& error) {
  return services_.Fault(operation, error);
}

qt::WidgetView* PlayHost::ViewFor(const Widget& widget) {
  if (window_.Panel() && &widget.Tree() == &window_.Panel()->Widgets()) {
    return window_.PanelView();
  }
  if (warning_ && warning_dialog_ && &widget.Tree() == &warning_->Widgets()) {
    return &warning_dialog_->View();
  }
  return nullptr;
}

}  // namespace morvel::demo

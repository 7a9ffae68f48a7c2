#include "play_host.h"

#include <QApplication>

#include "scenario/scene_state.h"

namespace morvel::demo {

PlayHost::PlayHost(DemoWindow& window)
    : window_(window),
      driver_([this](const Widget& widget) { return ViewFor(widget); }),
      store_(std::make_unique<MemorySettingsStore>()),
      settings_(std::make_unique<scenario::RecordingSettingsStore>(*store_)),
      events_(&window) {
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
  store_ = std::make_unique<MemorySettingsStore>();
  settings_ = std::make_unique<scenario::RecordingSettingsStore>(*store_);
  settings_->Attach(&recorder);
  events_.Attach(&recorder);
  messages_.Attach(&recorder);
  clipboard_.fail_clear.reset();
  clipboard_.fail_set.reset();
  clipboard_.fail_get.reset();
  message_box_.FailWith(std::nullopt);
  clipboard_.Clear();
  window_.AttachScene(nullptr, nullptr, QString());
  window_.FixPanel(9735, 9735, 4000);
  window_.CreatePanel(&events_, &messages_, settings_.get(), &clipboard_);
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

SettingsStore& PlayHost::Settings() { return *settings_; }

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
  warning_ = std::make_unique<frmWarn>(settings_.get());
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
  // Error number 0 makes the operation work again.
  std::optional<Error> fault;
  if (error.Number() != 0) fault = error;
  if (operation == "Clipboard.Clear") {
    clipboard_.fail_clear = fault;
  } else if (operation == "Clipboard.SetText") {
    clipboard_.fail_set = fault;
  } else if (operation == "Clipboard.GetText") {
    clipboard_.fail_get = fault;
  } else if (operation == "MessageBox.Show") {
    message_box_.FailWith(fault);
  } else if (operation == "Settings.SaveSetting" ||
             operation == "Settings.GetSetting") {
    // The memory store fails reads and writes together.
    store_->FailWith(fault);
  } else {
    return false;
  }
  return true;
}

void PlayHost::FaultingClipboard::Clear() {
  if (fail_clear) throw *fail_clear;
  system_.Clear();
}

void PlayHost::FaultingClipboard::SetText(const std::string& text) {
  if (fail_set) throw *fail_set;
  system_.SetText(text);
}

std::string PlayHost::FaultingClipboard::GetText() {
  if (fail_get) throw *fail_get;
  return system_.GetText();
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

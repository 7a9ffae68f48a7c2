#include "demo/play_host.h"

#include <QApplication>

#include "scenario/scene_state.h"

namespace morvel::demo {

PlayHost::PlayHost(DemoWindow& window)
    // No message box: messages are recorded and shown nowhere, as a script
    // cannot press OK.
    : WindowPlayHost(clipboard_, nullptr, &window.Events()),
      window_(window),
      driver_([this](const Widget& widget) { return ViewFor(widget); }) {
  // The window answers the panel's requests as it does for a person, except
  // that an operation runs through the scenario's scene.
  window_.run_operation = [this](const std::string& operation) {
    ApplyOperation(operation);
  };
}

PlayHost::~PlayHost() { window_.run_operation = nullptr; }

void PlayHost::ShowScene(const std::shared_ptr<MemSceneGraph>& graph,
                         const std::shared_ptr<Applier>& applier) {
  window_.AttachScene(graph, applier, QString());
}

void PlayHost::OpenPanel(Long inner_height, Long outer_height, Long width) {
  window_.FixPanel(inner_height, outer_height, width);
  window_.CreatePanel(&services_.Events(), &services_.Messages(),
                      &services_.Settings(), &services_.GetClipboard());
  window_.ResizePanel(inner_height, outer_height, width);
  QApplication::processEvents();
}

void PlayHost::ClosePanel() { window_.DetachPanel().reset(); }

void PlayHost::CloseTipWindow() {
  if (warning_dialog_) warning_dialog_->hide();
  warning_dialog_.reset();
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

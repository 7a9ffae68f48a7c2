#include "demo/play_host.h"

#include <QApplication>

#include "scenario/scene_state.h"

namespace morvel::demo {

PlayHost::PlayHost(DemoWindow& window)
    // No message box: messages are recorded and shown nowhere, as a script
    // cannot press OK.
    : DemoPlayHost(window, clipboard_, nullptr),
      driver_([this](const Widget& widget) { return ViewFor(widget); }) {}

void PlayHost::ShowChanges() { QApplication::processEvents(); }

void PlayHost::CloseTipWindow() {
  if (warning_dialog_) warning_dialog_->hide();
  warning_dialog_.reset();
}

void PlayHost::SelectionChanged() { window_.SyncOutlinerSelection(); }

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

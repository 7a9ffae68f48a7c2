#ifndef MORVEL_APPS_DEMO_PLAY_HOST_H_
#define MORVEL_APPS_DEMO_PLAY_HOST_H_

#include <memory>
#include <string>

#include "common/demo_play_host.h"
#include "demo/demo_window.h"
#include "demo/qt_input_driver.h"
#include "qt/warn_dialog.h"

// `morvel-demo --play`: the scenario interpreter playing against the demo's
// own window. The panel is the one on screen, the user's actions are real
// Qt input (QtInputDriver), and the window's outliner, tabs and event log
// follow along; every scenario starts, as in the headless runner, with a
// fresh panel 4000 x 9735 twips at 15 twips a pixel, an empty settings store
// and an empty clipboard.
namespace morvel::demo {

class PlayHost final
    : public DemoPlayHost<DemoWindow, &qt::PropertiesWidget::terminate> {
 public:
  explicit PlayHost(DemoWindow& window);

  scenario::InputDriver& Input() override { return driver_; }
  void SelectionChanged() override;
  void LoadWarning(const std::string& application_key,
                   const std::string& warning,
                   const std::string& registry_entry) override;
  void UnloadWarning() override;

 private:
  void ShowChanges() override;
  void CloseTipWindow() override;
  qt::WidgetView* ViewFor(const Widget& widget);

  QtInputDriver driver_;
  qt::QtClipboard clipboard_;
  std::unique_ptr<qt::WarnDialog> warning_dialog_;
};

}  // namespace morvel::demo

#endif  // MORVEL_APPS_DEMO_PLAY_HOST_H_

#ifndef MORVEL_APPS_DEMO_DEMO_TESTING_H_
#define MORVEL_APPS_DEMO_DEMO_TESTING_H_

#include <QTest>
#include <memory>

#include "demo/demo_window.h"
#include "qt/qt_testing.h"

// What the demo's window tests start from: the studio scene, open in a
// window on the screen that has the keyboard.
namespace morvel::demo::testing {

inline constexpr char kStudio[] = MORVEL_SOURCE_DIR "/examples/studio.json";

// Null when the window never became active or the scene did not open.
inline std::unique_ptr<DemoWindow> OpenStudio(SettingsStore& settings,
                                              DemoWindow::Options options = {}) {
  auto window = std::make_unique<DemoWindow>(settings, options);
  if (!qt::testing::ShowActive(window.get()) || !window->OpenScene(kStudio))
    return nullptr;
  return window;
}

// Closes without asking to save.
inline void CloseUnsaved(std::unique_ptr<DemoWindow>& window) {
  if (window) window->History().MarkSaved();
  window.reset();
}

}  // namespace morvel::demo::testing

#endif  // MORVEL_APPS_DEMO_DEMO_TESTING_H_

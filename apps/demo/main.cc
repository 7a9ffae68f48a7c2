// morvel-demo: the Qt host of the property panel.
//
//   morvel-demo [SCENE] [--select NAMES] [--tab common|object]
//               [--screenshot PNG] [--play SCENARIO... [-v]]
//
// Opens SCENE (examples/studio.json by default), selects the named nodes
// (comma-separated), shows the tab, and either runs interactively, writes a
// screenshot of the window, or plays scenario files on the real widgets.
// Without a display it renders offscreen.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "common/demo_arguments.h"
#include "demo/demo_window.h"
#include "demo/play_host.h"
#include "platform/settings_store.h"

namespace {

// The offscreen platform reports, as warnings, things that do not matter
// without a screen (no keyboard grab, no raising of windows, no runtime
// folder).
// They are left out; every other message gets through.
QtMessageHandler default_handler = nullptr;
void QuietOffscreen(QtMsgType type, const QMessageLogContext& context,
                    const QString& message) {
  static const char* const kHarmless[] = {"This plugin does not support",
                                          "XDG_RUNTIME_DIR"};
  for (const char* harmless : kHarmless) {
    if (message.contains(QLatin1String(harmless))) return;
  }
  if (default_handler) default_handler(type, context, message);
}

bool HaveDisplay() {
  return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") ||
         std::getenv("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char** argv) {
  morvel::demo::DemoArguments args;
  if (auto status = morvel::demo::ReadDemoCommandLine(
          argc, argv, "morvel-demo",
          "render the window offscreen, write it to PNG, exit",
          "play scenario files on the real widgets; prints one\n"
          "                     PASS/FAIL line each and \"N passed, N failed\"",
          args)) {
    return *status;
  }
  bool offscreen = false;
  if (!HaveDisplay()) {
    // No screen to show a window on: render where nobody sees it.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    offscreen = true;
  }
  if (offscreen || qEnvironmentVariable("QT_QPA_PLATFORM") == "offscreen") {
    default_handler = qInstallMessageHandler(QuietOffscreen);
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("Morvel Properties");
  QApplication::setOrganizationName("Morvel");
  QApplication::setStyle("Fusion");

  if (!args.play.empty()) {
    morvel::MemorySettingsStore unused;
    morvel::demo::DemoWindow window(unused, {.scripted = true});
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    morvel::demo::PlayHost host(window);
    return morvel::scenario::RunScenarioFiles(host, args.play, std::cout,
                                              args.verbose);
  }

  if (offscreen && args.screenshot.empty()) {
    args.screenshot = "demo.png";
    std::printf(
        "morvel-demo: no display; rendering the window offscreen to %s\n",
        args.screenshot.c_str());
  }

  std::unique_ptr<morvel::SettingsStore> settings;
  if (args.screenshot.empty()) {
    settings = std::make_unique<morvel::FileSettingsStore>();
  } else {
    settings = std::make_unique<morvel::MemorySettingsStore>();
  }
  morvel::demo::DemoWindow window(*settings,
                                  {.batch = !args.screenshot.empty()});
  // Shown first, so the panel is loaded at its real height.
  window.show();
  QApplication::processEvents();
  QString scene = QString::fromLocal8Bit(
      (args.scene.empty()
           ? morvel::demo::DefaultSceneFile(argv[0], MORVEL_SOURCE_DIR)
           : args.scene)
          .c_str());
  if (scene.isEmpty()) {
    std::fprintf(stderr,
                 "morvel-demo: examples/studio.json not found; open a scene "
                 "with File > Open\n");
  }
  bool started = window.Start(scene, args.select_given ? &args.select : nullptr,
                              args.Tab());
  if (!started && !args.screenshot.empty()) return 1;

  if (!args.screenshot.empty()) {
    window.activateWindow();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    if (window.PanelView()) window.PanelView()->Flush();
    QApplication::processEvents();
    QPixmap shot = window.grab();
    if (!shot.save(QString::fromLocal8Bit(args.screenshot.c_str()))) {
      std::fprintf(stderr, "morvel-demo: cannot write %s\n",
                   args.screenshot.c_str());
      return 1;
    }
    std::printf("morvel-demo: wrote %s (%d x %d)\n",
                QFileInfo(QString::fromLocal8Bit(args.screenshot.c_str()))
                    .absoluteFilePath()
                    .toLocal8Bit()
                    .constData(),
                shot.width(), shot.height());
    return 0;
  }
  return app.exec();
}

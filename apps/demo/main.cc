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

#include "demo_window.h"
#include "platform/settings_store.h"
#include "play_host.h"

namespace {

struct Arguments {
  std::string scene;
  std::vector<std::string> select;
  bool select_given = false;
  std::string tab;
  std::string screenshot;
  std::vector<std::string> play;
  bool verbose = false;
  bool help = false;
};

const char kUsage[] =
    "usage: morvel-demo [SCENE] [--select NAMES] [--tab common|object]\n"
    "                   [--screenshot PNG] [--play SCENARIO... [-v]]\n"
    "\n"
    "  SCENE              scene file to open (default: examples/studio.json)\n"
    "  --select NAMES     select these nodes, comma-separated "
    "(\"Teapot,Cups\")\n"
    "  --tab TAB          show the common or the object tab\n"
    "  --screenshot PNG   render the window offscreen, write it to PNG, exit\n"
    "  --play SCENARIO... play scenario files on the real widgets; prints one\n"
    "                     PASS/FAIL line each and \"N passed, N failed\"\n"
    "  -v                 with --play: print the transcript\n";

std::vector<std::string> SplitNames(const std::string& text) {
  std::vector<std::string> names;
  std::stringstream in(text);
  std::string name;
  while (std::getline(in, name, ',')) {
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

// Returns false (after saying why) for arguments it does not understand.
bool Parse(int argc, char** argv, Arguments& out) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&](const char* option) -> const char* {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "morvel-demo: %s needs a value\n", option);
        return nullptr;
      }
      return argv[++i];
    };
    if (a == "-h" || a == "--help") {
      out.help = true;
    } else if (a == "--select") {
      const char* v = value("--select");
      if (!v) return false;
      out.select = SplitNames(v);
      out.select_given = true;
    } else if (a == "--tab") {
      const char* v = value("--tab");
      if (!v) return false;
      out.tab = v;
      if (out.tab != "common" && out.tab != "object") {
        std::fprintf(stderr, "morvel-demo: --tab is common or object, not %s\n",
                     v);
        return false;
      }
    } else if (a == "--screenshot") {
      const char* v = value("--screenshot");
      if (!v) return false;
      out.screenshot = v;
    } else if (a == "--play") {
      while (i + 1 < argc && argv[i + 1][0] != '-')
        out.play.push_back(argv[++i]);
      if (out.play.empty()) {
        std::fprintf(stderr,
                     "morvel-demo: --play needs at least one scenario file\n");
        return false;
      }
    } else if (a == "-v" || a == "--verbose") {
      out.verbose = true;
    } else if (!a.empty() && a[0] == '-') {
      std::fprintf(stderr, "morvel-demo: unknown option %s\n", a.c_str());
      return false;
    } else if (out.scene.empty()) {
      out.scene = a;
    } else {
      std::fprintf(stderr, "morvel-demo: one scene at a time (%s and %s)\n",
                   out.scene.c_str(), a.c_str());
      return false;
    }
  }
  return true;
}

// examples/studio.json beside the build or the sources.
QString DefaultScene(const char* argv0) {
  QStringList candidates = {"examples/studio.json"};
  QDir dir = QFileInfo(QString::fromLocal8Bit(argv0)).absoluteDir();
  for (int up = 0; up < 4; ++up) {
    candidates << dir.filePath("examples/studio.json");
    if (!dir.cdUp()) break;
  }
  candidates << QStringLiteral(MORVEL_SOURCE_DIR "/examples/studio.json");
  for (const QString& c : candidates) {
    if (QFileInfo::exists(c)) return QFileInfo(c).absoluteFilePath();
  }
  return {};
}

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
  Arguments args;
  if (!Parse(argc, argv, args)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (args.help) {
    std::fputs(kUsage, stdout);
    return 0;
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
  QString scene = args.scene.empty()
                      ? DefaultScene(argv[0])
                      : QString::fromLocal8Bit(args.scene.c_str());
  if (scene.isEmpty()) {
    std::fprintf(stderr,
                 "morvel-demo: examples/studio.json not found; open a scene "
                 "with File > Open\n");
  }
  morvel::Long tab = args.tab.empty() ? 0 : args.tab == "object" ? 3 : 2;
  bool started =
      window.Start(scene, args.select_given ? &args.select : nullptr, tab);
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

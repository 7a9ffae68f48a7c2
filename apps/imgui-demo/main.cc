// morvel-imgui-demo: the Dear ImGui host of the property panel.
//
//   morvel-imgui-demo [SCENE] [--select NAMES] [--tab common|object]
//                     [--screenshot PNG] [--play SCENARIO... [-v]]
//
// Opens SCENE (examples/studio.json by default) in a GLFW window drawn with
// OpenGL 3, selects the named nodes (comma-separated), shows the tab, and
// either runs interactively or writes a screenshot of one frame (under
// Xvfb, with Mesa's software OpenGL, when there is no display). --play
// plays scenario files on the panel with real ImGui input, headless: it
// needs neither a display nor a GPU.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "demo_ui.h"
#include "gl_window.h"
#include "imgui/headless_screen.h"
#include "platform/settings_store.h"
#include "play_host.h"

namespace {

using morvel::imgui_demo::DemoUi;

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
    "usage: morvel-imgui-demo [SCENE] [--select NAMES] [--tab common|object]\n"
    "                         [--screenshot PNG] [--play SCENARIO... [-v]]\n"
    "\n"
    "  SCENE              scene file to open (default: examples/studio.json)\n"
    "  --select NAMES     select these nodes, comma-separated "
    "(\"Teapot,Cups\")\n"
    "  --tab TAB          show the common or the object tab\n"
    "  --screenshot PNG   render one frame offscreen, write it to PNG, exit\n"
    "  --play SCENARIO... play scenario files on the panel with real ImGui\n"
    "                     input, headless; prints one PASS/FAIL line each and\n"
    "                     \"N passed, N failed\"\n"
    "  -v                 with --play: print the transcript\n";

std::vector<std::string> SplitNames(const std::string& text) {
  std::vector<std::string> names;
  std::stringstream in(text);
  for (std::string name; std::getline(in, name, ',');) {
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
        std::fprintf(stderr, "morvel-imgui-demo: %s needs a value\n", option);
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
        std::fprintf(stderr,
                     "morvel-imgui-demo: --tab is common or object, not %s\n", v);
        return false;
      }
    } else if (a == "--screenshot") {
      const char* v = value("--screenshot");
      if (!v) return false;
      out.screenshot = v;
    } else if (a == "--play") {
      while (i + 1 < argc && argv[i + 1][0] != '-') out.play.push_back(argv[++i]);
      if (out.play.empty()) {
        std::fprintf(stderr,
                     "morvel-imgui-demo: --play needs at least one scenario "
                     "file\n");
        return false;
      }
    } else if (a == "-v" || a == "--verbose") {
      out.verbose = true;
    } else if (!a.empty() && a[0] == '-') {
      std::fprintf(stderr, "morvel-imgui-demo: unknown option %s\n", a.c_str());
      return false;
    } else if (out.scene.empty()) {
      out.scene = a;
    } else {
      std::fprintf(stderr, "morvel-imgui-demo: one scene at a time (%s and %s)\n",
                   out.scene.c_str(), a.c_str());
      return false;
    }
  }
  return true;
}

// examples/studio.json beside the program or the sources.
std::string DefaultScene(const char* argv0) {
  namespace fs = std::filesystem;
  std::vector<fs::path> candidates = {"examples/studio.json"};
  std::error_code error;
  fs::path dir = fs::absolute(argv0, error).parent_path();
  for (int up = 0; up < 4 && !dir.empty(); ++up, dir = dir.parent_path())
    candidates.push_back(dir / "examples/studio.json");
  candidates.emplace_back(MORVEL_SOURCE_DIR "/examples/studio.json");
  for (const fs::path& c : candidates) {
    if (fs::exists(c, error)) return fs::absolute(c, error).string();
  }
  return {};
}

int Play(const Arguments& args) {
  morvel::imgui::HeadlessScreen screen(ImVec2(1240, 800));
  morvel::MemorySettingsStore unused;
  DemoUi ui(unused, {.scripted = true});
  morvel::imgui_demo::PlayHost host(ui, screen);
  int status = morvel::scenario::RunScenarioFiles(host, args.play, std::cout,
                                                  args.verbose);
  if (args.verbose) {
    const auto& played = host.Driver().Played();
    std::cout << "input: " << played.screen << " played on the screen, "
              << played.model << " answered by the model (out of a person's "
              << "reach, or given as the host gives it); "
              << host.MessagesAnswered() << " messages answered on screen\n";
  }
  return status;
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
  if (!args.play.empty()) return Play(args);

  morvel::imgui_demo::RunUnderXvfbWhenHeadless(argc, argv);
  morvel::imgui_demo::GlWindow window;
  std::string why;
  if (!window.Open(1240, 800, args.screenshot.empty(), why)) {
    std::fprintf(stderr, "morvel-imgui-demo: %s\n", why.c_str());
    return 1;
  }
  std::unique_ptr<morvel::SettingsStore> settings;
  if (args.screenshot.empty()) {
    settings = std::make_unique<morvel::FileSettingsStore>();
  } else {
    settings = std::make_unique<morvel::MemorySettingsStore>();
  }
  DemoUi ui(*settings, {.batch = !args.screenshot.empty()}, &window.Textures());
  // The panel's modal questions wait in frames of this same window.
  ui.SetFrameLender([&](const std::function<void()>& draw_modal) {
    return window.Frame([&] {
      ui.Draw();
      draw_modal();
    });
  });
  std::string scene = args.scene.empty() ? DefaultScene(argv[0]) : args.scene;
  if (scene.empty()) {
    std::fprintf(stderr,
                 "morvel-imgui-demo: examples/studio.json not found; open a "
                 "scene with File > Open\n");
  }
  morvel::Long tab = args.tab.empty() ? 0 : args.tab == "object" ? 3 : 2;
  bool started = ui.Start(scene, args.select_given ? &args.select : nullptr, tab);
  if (!started && !args.screenshot.empty()) return 1;

  if (!args.screenshot.empty()) {
    // A few frames: the first lays the windows out, the next show them.
    for (int i = 0; i < 4; ++i) window.Frame([&] { ui.Draw(); });
    if (!window.Screenshot(args.screenshot)) {
      std::fprintf(stderr, "morvel-imgui-demo: cannot write %s\n",
                   args.screenshot.c_str());
      return 1;
    }
    std::printf("morvel-imgui-demo: wrote %s (%d x %d)\n",
                std::filesystem::absolute(args.screenshot).string().c_str(),
                window.Width(), window.Height());
    return 0;
  }
  while (!ui.QuitWanted() && window.Frame([&] { ui.Draw(); })) {
  }
  return 0;
}

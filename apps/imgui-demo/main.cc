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
#include <string>
#include <vector>

#include "common/demo_arguments.h"
#include "imgui-demo/demo_ui.h"
#include "imgui-demo/gl_window.h"
#include "imgui-demo/play_host.h"
#include "imgui/headless_screen.h"
#include "platform/settings_store.h"

namespace {

using morvel::imgui_demo::DemoUi;

int Play(const morvel::demo::DemoArguments& args) {
  morvel::imgui::HeadlessScreen screen(ImVec2(1240, 800));
  morvel::MemorySettingsStore unused;
  DemoUi ui(unused, {.scripted = true});
  morvel::imgui_demo::PlayHost host(ui, screen);
  int status = morvel::scenario::RunScenarioFiles(host, args.play, std::cout,
                                                  args.verbose);
  if (args.verbose) {
    const auto& played = host.Played();
    std::cout << "input: " << played.screen << " played on the screen, "
              << played.model << " answered by the model (out of a person's "
              << "reach, or given as the host gives it); "
              << host.MessagesAnswered() << " messages answered on screen\n";
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  morvel::demo::DemoArguments args;
  if (auto status = morvel::demo::ReadDemoCommandLine(
          argc, argv, "morvel-imgui-demo",
          "render one frame offscreen, write it to PNG, exit",
          "play scenario files on the panel with real ImGui\n"
          "                     input, headless; prints one PASS/FAIL line "
          "each and\n                     \"N passed, N failed\"",
          args)) {
    return *status;
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
  std::string scene =
      args.scene.empty()
          ? morvel::demo::DefaultSceneFile(argv[0], MORVEL_SOURCE_DIR)
          : args.scene;
  if (scene.empty()) {
    std::fprintf(stderr,
                 "morvel-imgui-demo: examples/studio.json not found; open a "
                 "scene with File > Open\n");
  }
  bool started =
      ui.Start(scene, args.select_given ? &args.select : nullptr, args.Tab());
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

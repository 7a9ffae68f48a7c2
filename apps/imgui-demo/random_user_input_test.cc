// The random user's person at the ImGui panel: every click, drag, pick and
// key is mouse and key input played through frames of a headless screen,
// and reaches the panel only through the ImGui view. The panel's invariants
// must hold exactly as they do headless.

#include <gtest/gtest.h>

#include <memory>

#include "imgui-demo/imgui_input_driver.h"
#include "imgui/frame_hook.h"
#include "imgui/headless_screen.h"
#include "imgui/pictures.h"
#include "imgui/widget_view.h"
#include "platform/headless.h"
#include "random_user/random_user_testing.h"

namespace morvel::imgui_demo {
namespace {

namespace ru = morvel::random_user;

TEST(RandomUserImGuiInputTest, RealInputKeepsEveryInvariant) {
  imgui::HeadlessScreen screen;
  FixedScreenMetrics metrics(15, 15);
  imgui::PictureCache pictures(nullptr);
  std::unique_ptr<imgui::WidgetView> view;
  imgui::AfterRender after_render([&] {
    if (view) view->RunPending();
  });
  auto frame = [&] {
    screen.WindowFrame(ImVec2(300, 700), [&] {
      after_render.Attach();
      if (view) view->Draw(ImVec2(270, 650));
    });
  };
  ImGuiInputDriver input(screen, frame,
                         [&](const Widget& widget) -> imgui::WidgetView* {
                           return view && &widget.Tree() == &view->Tree()
                                      ? view.get()
                                      : nullptr;
                         });
  ru::Options options;
  options.scenes = ru::ProjectScenes();
  options.input = &input;
  options.panel_created = [&](Properties& panel) {
    view = std::make_unique<imgui::WidgetView>(
        panel.Widgets(), *panel.Widgets().Root(), metrics, pictures);
  };
  options.panel_destroying = [&](Properties&) { view.reset(); };
  options.after_step = frame;

  ru::SeededChoices choices(5);
  ru::RandomUser user(options, choices);
  ASSERT_EQ(ru::PlaySteps(user, 1500), "");
  EXPECT_GT(user.stats().protocol.applies, 200);
  // Most of the person's actions were input on the screen.
  EXPECT_GT(input.Played().screen, input.Played().model);
}

}  // namespace
}  // namespace morvel::imgui_demo

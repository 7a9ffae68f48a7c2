#include "imgui-demo/imgui_input_driver.h"

#include <gtest/gtest.h>

#include <memory>

#include "imgui/frame_hook.h"
#include "imgui/headless_screen.h"
#include "imgui/pictures.h"
#include "imgui/widget_view.h"
#include "platform/headless.h"
#include "scenario/input_driver_testing.h"

namespace morvel::imgui_demo {
namespace {

// The ImGui front end: the widgets drawn in a window each frame, a person's
// actions as mouse and key input played through frames.
class ImGuiFrontEnd {
 public:
  ImGuiFrontEnd()
      : after_render_([this] { view_->RunPending(); }),
        driver_(screen_, [this] { Frame(); },
                [this](const Widget& widget) -> imgui::WidgetView* {
                  return &widget.Tree() == &tree_ ? view_.get() : nullptr;
                }) {
    testing::BuildInputRulesTree(tree_);
    view_ = std::make_unique<imgui::WidgetView>(tree_, *tree_.Root(), metrics_,
                                                pictures_);
    Frame();
  }
  WidgetTree& Tree() { return tree_; }
  scenario::InputDriver& Driver() { return driver_; }
  imgui::WidgetView& View() { return *view_; }
  ImGuiInputDriver& Input() { return driver_; }

 private:
  void Frame() {
    screen_.WindowFrame(ImVec2(300, 700), [this] {
      after_render_.Attach();
      view_->Draw(ImVec2(267, 649));
    });
  }

  imgui::HeadlessScreen screen_;
  FixedScreenMetrics metrics_{15, 15};
  imgui::PictureCache pictures_{nullptr};
  WidgetTree tree_;
  std::unique_ptr<imgui::WidgetView> view_;
  imgui::AfterRender after_render_;
  ImGuiInputDriver driver_;
};

}  // namespace
}  // namespace morvel::imgui_demo

namespace morvel::testing {
INSTANTIATE_TYPED_TEST_SUITE_P(ImGui, InputRulesTest, imgui_demo::ImGuiFrontEnd);
}  // namespace morvel::testing

namespace morvel::imgui_demo {
namespace {

// Each of a person's actions reaches the model through the ImGui view (its
// input, run after a frame), never through the driver's fall-back to the
// model, which is only for what a person cannot do.
TEST(ImGuiInputDriverTest, PersonsActionsAreRealInputThroughTheView) {
  ImGuiFrontEnd screen;
  WidgetTree& tree = screen.Tree();
  int handled = 0;
  screen.View().after_input = [&] { ++handled; };
  scenario::InputDriver& in = screen.Driver();
  struct Case {
    const char* what;
    std::function<void()> action;
    std::function<bool()> done;
  };
  auto& box = tree.Get<CheckBox>("chkHide");
  auto& slider = tree.Get<Slider>("sldSmoothingLevel");
  auto& combo = tree.Get<ComboBox>("cboMirror");
  auto& angle = tree.Get<UpDownText>("txtAngle");
  auto& field = tree.Get<TextField>("txtCustomShapeFieldValue", 4);
  auto& grid = tree.Get<FlexGrid>("msgMaterialAttributes");
  // Columns wider than the grid: the last ones are out of view.
  for (Long c = 0; c < grid.Cols(); ++c) grid.SetColWidth(c, 1000);
  int button_clicks = 0, picture_clicks = 0;
  tree.Get<Button>("cmdCommitSmoothing").on_click = [&] { ++button_clicks; };
  tree.Get<PictureBox>("picColour").on_click = [&] { ++picture_clicks; };
  const Case cases[] = {
      {"check box", [&] { in.Click(box); }, [&] { return box.Value() == 1; }},
      {"button", [&] { in.Click(tree.GetWidget("cmdCommitSmoothing")); },
       [&] { return button_clicks == 1; }},
      {"picture", [&] { in.Click(tree.GetWidget("picColour")); },
       [&] { return picture_clicks == 1; }},
      {"slider", [&] { in.MoveSlider(slider, 3); },
       [&] { return slider.Value() == 3; }},
      {"list", [&] { in.Pick(combo, 2); }, [&] { return combo.ListIndex() == 2; }},
      {"typing", [&] { in.Type(field, "ab"); }, [&] { return field.Text() == "ab"; }},
      {"selection", [&] { in.SelectText(field, 0, 1); },
       [&] { return field.SelStart() == 0 && field.SelLength() == 1; }},
      {"activation", [&] { in.Activate(angle); },
       [&] { return tree.Focused() == &angle; }},
      {"step", [&] { in.Step(angle, 1); }, [&] { return angle.Text() == "30.5"; }},
      {"commit", [&] { in.Commit(angle, "45"); },
       [&] { return angle.Text() == "45"; }},
      {"cell", [&] { in.ClickCell(grid, 2, 11); },
       [&] { return grid.Row() == 2 && grid.Col() == 11; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    handled = 0;
    long long by_model = screen.Input().Played().model;
    c.action();
    EXPECT_TRUE(c.done());
    EXPECT_GT(handled, 0);
    EXPECT_EQ(screen.Input().Played().model, by_model)
        << "the driver went round the view";
  }
  // The last column lies beyond the grid's width: the driver scrolled to it
  // with the wheel, which the model heard of as a scroll position.
  EXPECT_GT(grid.LeftCol(), 1);
}

// What a person cannot reach gets no input at all: the model refuses it.
TEST(ImGuiInputDriverTest, RefusalsPlayNoInput) {
  ImGuiFrontEnd screen;
  auto& box = screen.Tree().Get<CheckBox>("chkHide");
  box.SetEnabled(false);
  int handled = 0;
  screen.View().after_input = [&] { ++handled; };
  EXPECT_THROW(screen.Driver().Click(box), Error);
  EXPECT_EQ(handled, 0);
}

}  // namespace
}  // namespace morvel::imgui_demo

#include "imgui-demo/demo_ui.h"
#include "imgui-demo/play_host.h"

namespace morvel::imgui_demo {
namespace {

// The worked example plays wholly on the screen: every action of the
// person is mouse and key input through the demo's ImGui panel (a pick is
// two clicks: the list, then its entry), none falls back to the model, and
// the message the panel shows is answered in frames the host lends.
TEST(ImGuiPlayTest, TheWorkedExamplePlaysOnTheScreen) {
  imgui::HeadlessScreen screen(ImVec2(1240, 800));
  MemorySettingsStore unused;
  DemoUi ui(unused, {.scripted = true});
  PlayHost host(ui, screen);
  scenario::Interpreter interpreter(host);
  scenario::ScenarioResult result =
      interpreter.RunFile(MORVEL_SOURCE_DIR "/examples/first_tour.scn");
  EXPECT_TRUE(result.passed) << result.Summary("first_tour.scn");
  EXPECT_EQ(host.Played().model, 0);
  EXPECT_EQ(host.Played().screen, 8);
  EXPECT_EQ(host.MessagesAnswered(), 1);
  // The demo's log shows what the panel raised, as it does for a person.
  EXPECT_NE(std::find(ui.LogLines().begin(), ui.LogLines().end(),
                      "    SetHidden Teapot True"),
            ui.LogLines().end());
}

}  // namespace
}  // namespace morvel::imgui_demo

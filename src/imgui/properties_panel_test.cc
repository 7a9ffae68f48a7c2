#include "imgui/properties_panel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "imgui/headless_screen.h"
#include "imgui/imgui_platform.h"
#include "imgui/widget_view.h"
#include "memscene/host_rules.h"
#include "memscene/mem_applier.h"
#include "memscene/mem_scene_graph.h"
#include "memscene/test_scene.h"
#include "platform/headless.h"
#include "platform/settings_store.h"

namespace morvel::imgui {
namespace {

using ::testing::ElementsAre;

class EventLog : public PropertiesEvents {
 public:
  void evtReqPrepareForSceneChanges(std::string& layer) override {
    lines.push_back("prepare " + layer);
  }
  void evtReqApplySceneChanges(bool&) override { lines.push_back("apply"); }
  std::vector<std::string> lines;
};

// A panel over the reference scene in a host window on a headless screen,
// with a host that lends frames for the panel's questions and does in them
// what `in_lent_frame` says (a person at the keyboard, or a window that is
// closing).
class ImGuiPanelTest : public ::testing::Test {
 protected:
  ImGuiPanelTest() {
    panel_ = std::make_unique<PropertiesPanel>(
        events_, PropertiesPanel::Services{.settings = &settings_,
                                           .metrics = &metrics_,
                                           .initial_size = kSize});
    panel_->on_error = [this](const Error& e) { errors_.push_back(e); };
    panel_->SetFrameLender([this](const std::function<void()>& draw_modal) {
      ++lent_;
      in_modal_seen_ = in_modal_seen_ || panel_->InModal();
      if (in_lent_frame && !in_lent_frame(lent_)) return false;
      Frame(draw_modal);
      return true;
    });
    scene_ = MemSceneGraph::FromText(testing::kTestScene);
    panel_->panel().SetSceneGraph(scene_,
                                  std::make_shared<MemApplier>(scene_, nullptr));
  }
  void Setup(const std::vector<std::string>& names, Long tab) {
    scene_->Select(names);
    panel_->panel().SetupPropertiesPanel(ComputeSetupArguments(*scene_, tab));
    Frame();
  }
  void Frame(const std::function<void()>& draw_modal = nullptr) {
    screen_.WindowFrame(ImVec2(400, 700), [&] {
      panel_->Draw(draw_size_);
      // The modal goes on top of the host's windows: a child of none.
      if (draw_modal) {
        ImGui::End();
        draw_modal();
        ImGui::Begin("host");
      }
    });
  }
  // A press and a release where the last frame showed the widget.
  void Click(const char* name) {
    const Rect* r = panel_->view().VisibleRect(
        panel_->panel().Widgets().GetWidget(name));
    ASSERT_NE(r, nullptr) << name << " is not on screen";
    screen_.MoveMouse(ImVec2(std::floor(r->Centre().x), std::floor(r->Centre().y)));
    Frame();
    screen_.MouseButton(true);
    Frame();
    screen_.MouseButton(false);
    Frame();
  }

  const ImVec2 kSize{267, 649};
  HeadlessScreen screen_{ImVec2(1000, 800)};
  MemorySettingsStore settings_;
  FixedScreenMetrics metrics_{15, 15};
  EventLog events_;
  std::shared_ptr<MemSceneGraph> scene_;
  std::unique_ptr<PropertiesPanel> panel_;
  std::vector<Error> errors_;
  ImVec2 draw_size_ = kSize;
  std::function<bool(int call)> in_lent_frame;
  int lent_ = 0;
  bool in_modal_seen_ = false;
};

// The colour swatch asks for a colour from inside its editor: the chooser
// waits for the person in frames the host lends, the panel takes no input
// meanwhile, and the editor goes on with the answer once it is given.
TEST_F(ImGuiPanelTest, AnEditorWaitsForItsAnswerInLentFrames) {
  Setup({"Key"}, 3);
  int resized = 0, resized_in_modal = 0;
  panel_->on_resize = [&] {
    ++resized;
    if (panel_->InModal()) ++resized_in_modal;
  };
  const Widget& list =
      panel_->panel().Widgets().GetWidget("cboAttenuationType");
  in_lent_frame = [&](int call) {
    if (call == 3) {
      // A press on the panel behind the chooser reaches nothing.
      const Rect* r = panel_->view().VisibleRect(list);
      if (r) screen_.MoveMouse(r->Centre());
      screen_.MouseButton(true);
    }
    if (call == 4) screen_.MouseButton(false);
    // The host's window is resized meanwhile: the panel, in the middle of
    // an editor, hears of it once the editor is done.
    if (call == 2) draw_size_ = ImVec2(280, 640);
    // The person accepts the colour shown.
    screen_.KeyDown(Key::kEnter, call == 5);
    return true;
  };
  Click("picVBColor");
  EXPECT_TRUE(in_modal_seen_);
  EXPECT_EQ(lent_, 5);
  EXPECT_EQ(panel_->view().OpenList(), nullptr);
  EXPECT_EQ(resized_in_modal, 0);
  Frame();
  EXPECT_EQ(resized, 1);
  EXPECT_FALSE(panel_->InModal());
  // The colour is written in a transaction of the light's own layer.
  EXPECT_THAT(events_.lines, ElementsAre("prepare ", "apply"));
  EXPECT_THAT(errors_, ::testing::IsEmpty());
}

// A host whose window is closing lends no frame: the question ends
// unanswered at once (a chooser as cancelled) and the editor with it; the
// panel is back to taking input when control is back in the host's loop.
TEST_F(ImGuiPanelTest, AClosingWindowEndsTheQuestionUnanswered) {
  Setup({"Key"}, 3);
  in_lent_frame = [](int) { return false; };
  Click("picVBColor");
  EXPECT_EQ(lent_, 1);
  EXPECT_THAT(events_.lines, ::testing::IsEmpty());
  EXPECT_FALSE(panel_->InModal());
  // The next question is asked again, and answered.
  in_lent_frame = [&](int call) {
    screen_.KeyDown(Key::kEnter, call == 3);
    return true;
  };
  lent_ = 0;
  Click("picVBColor");
  EXPECT_EQ(lent_, 3);
  EXPECT_THAT(events_.lines, ElementsAre("prepare ", "apply"));
}

// The container is the size the panel is drawn at: a new size is one
// resize notification, read in twips through the screen metrics.
TEST_F(ImGuiPanelTest, ANewSizeIsOneResize) {
  int resized = 0;
  panel_->on_resize = [&] { ++resized; };
  Setup({"Teapot"}, 3);
  Frame();
  EXPECT_EQ(resized, 0);
  draw_size_ = ImVec2(300, 600);
  Frame();
  Frame();
  EXPECT_EQ(resized, 1);
  panel_->panel().SetupPropertiesPanel(ComputeSetupArguments(*scene_, 3));
  EXPECT_EQ(panel_->panel().Widgets().GetWidget("msgMaterialAttributes").Width(),
            300 * 15 + 45);
}

// An editor that fails while it handles a person's click raises nothing
// through Draw(): the error reaches the host's handler, with its number.
TEST_F(ImGuiPanelTest, InputErrorsReachTheHostsHandler) {
  Setup({"Teapot"}, 2);
  scene_->Fault("SetHidden", 70, "Permission denied", 0, -1);
  Click("chkCommonHide");
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_EQ(errors_[0].Number(), 70);
  EXPECT_EQ(errors_[0].Source(), "Properties");
  EXPECT_THAT(events_.lines, ElementsAre("prepare SysProperties"));
}

// The questions themselves: how long a modal waits and how it ends.
struct ModalCase {
  const char* name;
  bool lender;
  // What the host's frame does on call N: false is a window closing.
  std::function<bool(int call, HeadlessScreen& screen)> frame;
  bool answered;
  int frames;
};

class CountingModal final : public Modal {
 public:
  const char* Title() const override { return "Question"; }
  bool DrawBody() override {
    ++drawn;
    return ImGui::Button("OK") || Pressed(Key::kEnter);
  }
  void Cancel() override { ++cancelled; }
  int drawn = 0, cancelled = 0;
};

TEST(ModalLoopTest, AQuestionWaitsForItsAnswerOrEndsUnanswered) {
  const ModalCase cases[] = {
      {"answered with Enter", true,
       [](int call, HeadlessScreen& s) {
         s.KeyDown(Key::kEnter, call == 2);
         return true;
       },
       true, 2},
      {"window closing", true, [](int, HeadlessScreen&) { return false; },
       false, 1},
      // A host that lends frames but never draws the question would keep
      // the panel waiting for ever.
      {"never drawn", true, [](int, HeadlessScreen&) { return true; }, false, 3},
      {"no lender", false, nullptr, false, 0},
  };
  for (const ModalCase& c : cases) {
    SCOPED_TRACE(c.name);
    HeadlessScreen screen;
    ModalLoop loop;
    CountingModal modal;
    int calls = 0;
    bool draws = std::string(c.name) != "never drawn";
    if (c.lender) {
      loop.SetLender([&](const std::function<void()>& draw_modal) {
        ++calls;
        if (!c.frame(calls, screen)) return false;
        screen.Frame([&] {
          if (draws) draw_modal();
        });
        return true;
      });
    }
    EXPECT_EQ(loop.Run(modal), c.answered);
    EXPECT_EQ(calls, c.frames);
    EXPECT_EQ(modal.cancelled, c.answered ? 0 : 1);
    EXPECT_FALSE(loop.Active());
  }
}

}  // namespace
}  // namespace morvel::imgui

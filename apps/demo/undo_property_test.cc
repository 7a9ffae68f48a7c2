// Undo you can trust, over gestures nobody planned: a seeded person clicks,
// drags, picks, steps and types on the real widgets of the demo across
// objects and tabs. Then every step is undone and redone: undoing then
// redoing any step gives back the same scene and the same panel, undoing
// them all gives back the scene as it was opened, redoing them all the
// scene as the person left it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <cstddef>
#include <memory>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "base/error.h"
#include "demo/demo_testing.h"
#include "demo/demo_window.h"
#include "demo/qt_input_driver.h"
#include "platform/settings_store.h"

namespace morvel::demo {
namespace {

class UndoPropertyTest : public ::testing::TestWithParam<unsigned> {
 protected:
  void SetUp() override {
    DemoWindow::Options options;
    options.scripted = true;  // an error is the gesture's, not a dialog's
    window_ = testing::OpenStudio(settings_, options);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override { testing::CloseUnsaved(window_); }

  // What the panel shows: every widget a person sees, with its value.
  std::string PanelState() {
    QApplication::processEvents();
    const WidgetTree& tree = window_->Panel()->Widgets();
    return tree.Dump(*tree.Root(), /*shown_only=*/true);
  }
  // The scene's content. The selection is left out: each step brings back
  // the selection it was made with, so the same scene is reached with the
  // selection of the step after it (undone) or of its own (redone).
  std::string Content() {
    nlohmann::ordered_json scene = window_->Scene()->ToJson();
    scene.erase("selection");
    return scene.dump(1);
  }
  std::vector<std::string> Selection() { return window_->Scene()->SelectedNames(); }

  // One gesture of a person, at random, on a widget they can use.
  void Gesture(std::mt19937& random) {
    auto below = [&](std::size_t n) {
      return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    switch (below(8)) {
      case 0: {
        const char* names[] = {"Teapot", "Figure", "Cups",
                               "Key Light", "Camera", "Spine"};
        std::vector<std::string> picked{names[below(6)]};
        // Sometimes two, for the common tab's mixed values.
        const std::string second = names[below(6)];
        if (below(3) == 0 && second != picked[0]) picked.push_back(second);
        window_->Select(picked);
        return;
      }
      case 1:
        window_->SetTab(below(2) == 0 ? 2 : 3);
        return;
      default:
        break;
    }
    std::vector<Widget*> usable;
    for (const auto& widget : window_->Panel()->Widgets().All()) {
      switch (widget->Kind()) {
        case WidgetKind::kCheckBox:
        case WidgetKind::kButton:  // mesh operations, the smoothing commit
        case WidgetKind::kSlider:
        case WidgetKind::kComboBox:
        case WidgetKind::kUpDownText:
        case WidgetKind::kTextField:
          if (widget->IsUsable()) usable.push_back(widget.get());
          break;
        default:
          break;
      }
    }
    if (usable.empty()) return;
    Widget& widget = *usable[below(usable.size())];
    try {
      if (widget.Kind() == WidgetKind::kCheckBox ||
          widget.Kind() == WidgetKind::kButton) {
        input_.Click(widget);
      } else if (auto* slider = dynamic_cast<Slider*>(&widget)) {
        const Long lo = std::min(slider->Min(), slider->Max());
        const Long hi = std::max(slider->Min(), slider->Max());
        input_.MoveSlider(*slider, std::uniform_int_distribution<Long>(
                                       lo, std::min<Long>(hi, lo + 20))(random));
      } else if (auto* combo = dynamic_cast<ComboBox*>(&widget)) {
        if (combo->ListCount() > 0)
          input_.Pick(*combo, static_cast<Long>(below(combo->ListCount())));
      } else if (auto* up_down = dynamic_cast<UpDownText*>(&widget)) {
        if (below(2) == 0) {
          input_.Step(*up_down, below(2) == 0 ? 1 : -1);
        } else {
          const char* values[] = {"0.5", "2", "-1.25", "30", "abc"};
          input_.Commit(*up_down, std::string(values[below(5)]));
        }
      } else if (auto* field = dynamic_cast<TextField*>(&widget)) {
        const char* values[] = {"Mannequin", "", "TP-7", "1.5"};
        input_.Commit(*field, std::string(values[below(4)]));
      }
    } catch (const Error&) {
      // A refused or failed gesture is a gesture too: whatever it wrote
      // must be undone like any other.
    }
  }

  MemorySettingsStore settings_;
  std::unique_ptr<DemoWindow> window_;
  QtInputDriver input_{[this](const Widget& widget) -> qt::WidgetView* {
    qt::WidgetView* view = window_ ? window_->PanelView() : nullptr;
    return view && &widget.Tree() == &view->Root().Tree() ? view : nullptr;
  }};
};

// "" when equal, else the first line that differs, for a short message.
std::string FirstDifference(const std::string& was, const std::string& is) {
  std::istringstream a(was), b(is);
  std::string line_a, line_b;
  for (int line = 1;; ++line) {
    const bool more_a = static_cast<bool>(std::getline(a, line_a));
    const bool more_b = static_cast<bool>(std::getline(b, line_b));
    if (!more_a && !more_b) return "";
    if (!more_a || !more_b || line_a != line_b) {
      return "line " + std::to_string(line) + ": was \"" + line_a +
             "\", is \"" + line_b + "\"";
    }
  }
}

TEST_P(UndoPropertyTest, UndoAndRedoOfAnyStepGiveBackSceneAndPanel) {
  std::mt19937 random(GetParam());
  const std::string opened = Content();
  for (int i = 0; i < 60; ++i) Gesture(random);
  // The scene as the person left it, a field being typed in committed
  // (as the menu's Undo commits it first).
  window_->PanelWidget()->commitEdit();
  const std::string left = Content();
  const std::string left_panel = PanelState();
  const std::vector<std::string> left_selection = Selection();
  window_->Undo();
  window_->Redo();
  UndoHistory& history = window_->History();
  const std::size_t steps = history.Position();
  ASSERT_GE(steps, 10u) << "too few steps to say anything";
  EXPECT_EQ(FirstDifference(left, Content()), "");

  // Back through every step: undo then redo of each gives back exactly
  // the scene it left, and the same panel where the selection is the same.
  std::vector<std::string> contents(steps + 1);
  for (std::size_t at = steps; at > 0; --at) {
    SCOPED_TRACE("step " + std::to_string(at) + " " + history.UndoLabel());
    contents[at] = Content();
    const std::vector<std::string> selection = Selection();
    const std::string panel = PanelState();
    window_->Undo();
    window_->Redo();
    ASSERT_EQ(history.Position(), at);
    ASSERT_EQ(FirstDifference(contents[at], Content()), "");
    if (Selection() == selection) {
      ASSERT_EQ(FirstDifference(panel, PanelState()), "");
    }
    window_->Undo();
  }
  EXPECT_EQ(FirstDifference(opened, Content()), "");
  EXPECT_FALSE(history.CanUndo());
  // And forward again, through the same scenes, to where the person left.
  for (std::size_t at = 1; at <= steps; ++at) {
    window_->Redo();
    ASSERT_EQ(FirstDifference(contents[at], Content()), "") << "step " << at;
  }
  EXPECT_EQ(FirstDifference(left, Content()), "");
  if (Selection() == left_selection) {
    EXPECT_EQ(FirstDifference(left_panel, PanelState()), "");
  }
  EXPECT_FALSE(history.CanRedo());
}

INSTANTIATE_TEST_SUITE_P(Seeds, UndoPropertyTest, ::testing::Values(1u, 2u, 3u));

}  // namespace
}  // namespace morvel::demo

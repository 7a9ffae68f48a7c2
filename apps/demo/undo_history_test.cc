#include "demo/undo_history.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "base/error.h"
#include "memscene/mem_scene_graph.h"

namespace morvel::demo {
namespace {

const char kScene[] = R"({
  "selection": ["Teapot"],
  "nodes": [
    {"name": "Teapot", "kind": "shape", "SmoothingLevel": 0, "Locked": false},
    {"name": "Cup", "kind": "shape", "SmoothingLevel": 1}
  ]})";

// Edits the scene as an editor would: prepare, writes, apply.
class UndoHistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scene_ = MemSceneGraph::FromText(kScene);
    history_.Reset(scene_);
    original_ = scene_->ToText();
  }
  void Edit(const std::function<void()>& writes) {
    history_.Prepare();
    writes();
    history_.Apply();
  }
  void Level(const char* node, Long level) {
    Edit([&] { scene_->Node(node)->SetSmoothingLevel(level); });
  }
  std::string Value(const std::string& path) { return scene_->ValueText(path); }

  std::shared_ptr<MemSceneGraph> scene_;
  UndoHistory history_;
  std::string original_;
};

TEST_F(UndoHistoryTest, UndoAndRedoRestoreTheSceneExactly) {
  Level("Teapot", 2);
  history_.BreakMerge();
  Edit([&] { scene_->Node("Cup")->SetLocked(true); });
  std::string edited = scene_->ToText();
  EXPECT_EQ(history_.StepCount(), 2u);
  EXPECT_EQ(history_.UndoLabel(), "Locked (Cup)");

  history_.Undo();
  EXPECT_EQ(Value("Cup.Locked"), "False");
  EXPECT_EQ(history_.UndoLabel(), "Smoothing Level (Teapot)");
  EXPECT_EQ(history_.RedoLabel(), "Locked (Cup)");
  history_.Undo();
  EXPECT_EQ(scene_->ToText(), original_);
  EXPECT_FALSE(history_.CanUndo());

  history_.Redo();
  history_.Redo();
  EXPECT_EQ(scene_->ToText(), edited);
  EXPECT_FALSE(history_.CanRedo());
}

TEST_F(UndoHistoryTest, ADragOfOneValueIsOneStep) {
  for (Long level : {1, 2, 3, 4}) Level("Teapot", level);
  EXPECT_EQ(history_.StepCount(), 1u);
  history_.Undo();
  EXPECT_EQ(Value("Teapot.SmoothingLevel"), "0");
}

TEST_F(UndoHistoryTest, AnotherValueOrABreakStartsANewStep) {
  Level("Teapot", 1);
  Level("Cup", 3);  // another object
  Level("Cup", 4);  // merges with the one before
  history_.BreakMerge();
  Level("Cup", 5);  // a new gesture
  EXPECT_EQ(history_.StepCount(), 3u);
  history_.Undo();
  EXPECT_EQ(Value("Cup.SmoothingLevel"), "4");
  history_.Undo();
  EXPECT_EQ(Value("Cup.SmoothingLevel"), "1");
  EXPECT_EQ(Value("Teapot.SmoothingLevel"), "1");
}

TEST_F(UndoHistoryTest, EditsThatCancelOutLeaveNoStep) {
  Edit([&] { scene_->Node("Teapot")->SetLocked(true); });
  Edit([&] { scene_->Node("Teapot")->SetLocked(false); });
  EXPECT_EQ(history_.StepCount(), 0u);
  EXPECT_FALSE(history_.CanUndo());
  // An edit that writes what was there is no step either.
  Level("Teapot", 0);
  EXPECT_EQ(history_.StepCount(), 0u);
}

TEST_F(UndoHistoryTest, ANewEditDropsWhatWasUndone) {
  Level("Teapot", 1);
  history_.BreakMerge();
  Level("Cup", 2);
  history_.Undo();
  EXPECT_TRUE(history_.CanRedo());
  Edit([&] { scene_->Node("Teapot")->SetLocked(true); });
  EXPECT_FALSE(history_.CanRedo());
  EXPECT_EQ(history_.StepCount(), 2u);
}

TEST_F(UndoHistoryTest, APrepareWithoutApplyIsAStepOfItsOwn) {
  // A failed edit: its writes stay in the scene, its apply never came.
  history_.Prepare();
  scene_->Node("Teapot")->SetSmoothingLevel(3);
  Edit([&] { scene_->Node("Cup")->SetLocked(true); });
  ASSERT_EQ(history_.StepCount(), 2u);
  EXPECT_EQ(history_.UndoLabel(), "Locked (Cup)");
  history_.Undo();
  EXPECT_EQ(history_.UndoLabel(), "Smoothing Level (Teapot)");
  EXPECT_EQ(Value("Teapot.SmoothingLevel"), "3");
  history_.Undo();
  EXPECT_EQ(scene_->ToText(), original_);
}

// The smoothing commit: the level goes back to 0 outside any transaction,
// then the slider's own edit writes 0 again. Each write is in one step,
// so undo then redo of each step gives back exactly the scene after it.
TEST_F(UndoHistoryTest, WritesOutsideATransactionAreAStepOfTheirOwn) {
  scene_->Select({"Cup"});
  history_.SelectionChanged();
  Level("Cup", 3);
  const std::string dragged = scene_->ToText();
  history_.BreakMerge();
  scene_->Node("Cup")->SetSmoothingLevel(0);
  EXPECT_TRUE(history_.Settle("Smooth"));
  EXPECT_FALSE(history_.Settle());  // nothing written since
  Level("Cup", 0);
  const std::string committed = scene_->ToText();
  ASSERT_EQ(history_.StepCount(), 2u);
  // Only the level changed: the selection the step was made with is part
  // of where it starts, not of what it changed.
  EXPECT_EQ(history_.UndoLabel(), "Smooth (Cup)");
  history_.Undo();
  EXPECT_EQ(scene_->ToText(), dragged);
  history_.Redo();
  EXPECT_EQ(scene_->ToText(), committed);
  history_.Undo();
  history_.Undo();
  EXPECT_EQ(Value("Cup.SmoothingLevel"), "1");
  EXPECT_EQ(Value("selection"), "[\"Cup\"]");
  // A write nobody settled is settled by the undo itself, as a new step
  // (which drops what had been undone), then undone: never lost.
  scene_->Node("Teapot")->SetLocked(true);
  history_.Undo();
  EXPECT_EQ(Value("Teapot.Locked"), "False");
  EXPECT_EQ(history_.StepCount(), 1u);
  EXPECT_EQ(history_.RedoLabel(), "Locked (Teapot)");
}

TEST_F(UndoHistoryTest, ALabelNamesEveryPropertyAStepChanged) {
  Edit([&] {
    scene_->Node("Teapot")->SetLocked(true);
    scene_->Node("Teapot")->SetSmoothingLevel(2);
  });
  EXPECT_EQ(history_.UndoLabel(), "Locked and Smoothing Level (Teapot)");
  Edit([&] {
    scene_->Node("Teapot")->SetLocked(false);
    scene_->Node("Cup")->SetLocked(true);
    scene_->Node("Cup")->SetSmoothingLevel(4);
  });
  EXPECT_EQ(history_.UndoLabel(), "Locked and Smoothing Level (2 objects)");
}

TEST_F(UndoHistoryTest, NothingToUndoIsError5) {
  try {
    history_.Undo();
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.Number(), 5);
  }
  EXPECT_THROW(history_.Redo(), Error);
}

TEST_F(UndoHistoryTest, ModifiedFollowsTheSavedPosition) {
  EXPECT_FALSE(history_.Modified());
  Level("Teapot", 1);
  EXPECT_TRUE(history_.Modified());
  history_.MarkSaved();
  EXPECT_FALSE(history_.Modified());
  history_.Undo();
  EXPECT_TRUE(history_.Modified());
  history_.Redo();
  EXPECT_FALSE(history_.Modified());
}

}  // namespace
}  // namespace morvel::demo

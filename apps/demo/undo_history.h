#ifndef MORVEL_APPS_DEMO_UNDO_HISTORY_H_
#define MORVEL_APPS_DEMO_UNDO_HISTORY_H_

#include <cstddef>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "memscene/mem_scene_graph.h"

// Undo and redo for a host of the panel, built on the two events the panel
// raises around every edit: the prepare event takes a snapshot of the scene,
// the apply event compares the scene with it and records one step.
//
// Consecutive steps that change the same values (the same keys of the same
// objects) are one step: a slider dragged through twenty positions, or a
// value stepped up five times, is undone at once. Anything else in between
// (another edit, an undo, a new selection: see BreakMerge) starts a new step.
// Two edits that cancel each other out leave no step at all.
namespace morvel::demo {

class UndoHistory {
 public:
  // Snapshots are whole scenes; a long session keeps this many steps.
  static constexpr std::size_t kMaxSteps = 500;

  UndoHistory() = default;
  // Forgets every step and follows `scene` (may be null).
  void Reset(std::shared_ptr<MemSceneGraph> scene);

  // The panel's evtReqPrepareForSceneChanges. A prepare that the panel never
  // followed with its apply (the edit failed half-way) keeps its snapshot,
  // so the next step also undoes what the failed edit had written.
  void Prepare();
  // The panel's evtReqApplySceneChanges. Returns true when the history
  // changed (a new step, a merged step, or a merged step that cancelled out).
  bool Apply();
  // The next step will not merge with the last one.
  void BreakMerge() { merge_open_ = false; }

  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ < steps_.size(); }
  // "Smoothing Level (Teapot)": what the step changed, for the menu.
  std::string UndoLabel() const;
  std::string RedoLabel() const;
  // Puts the scene back as it was before / after the step. The scene raises
  // error 5 when there is nothing to undo or redo.
  void Undo();
  void Redo();

  std::size_t StepCount() const { return steps_.size(); }
  std::size_t Position() const { return position_; }
  // Position at which the scene was last saved, to tell whether it changed.
  void MarkSaved() {
    saved_position_ = position_;
    saved_valid_ = true;
  }
  bool Modified() const {
    return !saved_valid_ || saved_position_ != position_;
  }

 private:
  struct Step {
    nlohmann::ordered_json before;
    nlohmann::ordered_json after;
    std::set<std::string> paths;  // JSON pointers of the values changed
    std::string label;
  };
  static std::string Describe(const nlohmann::ordered_json& scene,
                              const std::set<std::string>& paths);
  void RestoreTo(const nlohmann::ordered_json& snapshot);

  std::shared_ptr<MemSceneGraph> scene_;
  std::vector<Step> steps_;
  std::size_t position_ = 0;  // steps before it are done, from it undone
  bool pending_ = false;
  nlohmann::ordered_json pending_before_;
  bool merge_open_ = false;
  std::size_t saved_position_ = 0;
  bool saved_valid_ = true;
};

}  // namespace morvel::demo

#endif  // MORVEL_APPS_DEMO_UNDO_HISTORY_H_

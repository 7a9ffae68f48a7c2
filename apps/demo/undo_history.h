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
// raises around every edit: the prepare event closes what came before, the
// apply event compares the scene with the last step and records one step.
//
// Every scene write belongs to exactly one step. Most come inside a
// transaction; the few the panel makes outside one (the smoothing commit
// setting the level back to 0, a camera's focal blur as its section loads,
// the writes of an edit that failed half-way) are caught by Settle, which
// the host calls whenever the scene may have changed outside a transaction:
// before each prepare, when a mesh operation is asked for, after each
// piece of input and each set-up. They become a step of their own, so that
// undoing and redoing any step gives back the scene exactly as it was.
//
// Consecutive steps that change the same values (the same keys of the same
// objects) are one step: a slider dragged through twenty positions, or a
// value stepped up five times, is undone at once. Anything else in between
// (another edit, an undo, a new gesture: see BreakMerge) starts a new step.
// Two edits that cancel each other out leave no step at all.
namespace morvel::demo {

class UndoHistory {
 public:
  // Snapshots are whole scenes; a long session keeps this many steps.
  static constexpr std::size_t kMaxSteps = 500;

  UndoHistory() = default;
  // Forgets every step and follows `scene` (may be null).
  void Reset(std::shared_ptr<MemSceneGraph> scene);

  // The host changed the selection (not a step: each step brings back the
  // selection it was made with).
  void SelectionChanged();
  // Whatever was written since the last step, outside any transaction,
  // becomes a step of its own, labelled `label` (else by what changed).
  // Cheap when nothing was written. True when the history changed.
  bool Settle(const std::string& label = {});
  // The panel's evtReqPrepareForSceneChanges: settles what came before.
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
  // Puts the scene back as it was before / after the step; error 5 when
  // there is nothing to undo or redo.
  void Undo() { Travel(-1); }
  void Redo() { Travel(+1); }

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
  // "Smoothing Level (Teapot)"; `what` says what changed instead.
  static std::string Describe(const nlohmann::ordered_json& scene,
                              const std::set<std::string>& paths,
                              const std::string& what);
  // One step back (-1) or forward (+1).
  void Travel(int direction);
  void RestoreTo(const nlohmann::ordered_json& snapshot);
  // Records the change from the baseline to the scene as it is now.
  bool Record(const std::string& label);

  std::shared_ptr<MemSceneGraph> scene_;
  std::vector<Step> steps_;
  std::size_t position_ = 0;  // steps before it are done, from it undone
  // The scene as the last step left it, and the length of its journal
  // then: a longer (or shorter) journal means something was written since.
  nlohmann::ordered_json baseline_;
  std::size_t journal_mark_ = 0;
  bool merge_open_ = false;
  std::size_t saved_position_ = 0;
  bool saved_valid_ = true;
};

}  // namespace morvel::demo

#endif  // MORVEL_APPS_DEMO_UNDO_HISTORY_H_

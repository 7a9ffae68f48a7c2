#include "demo/undo_history.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "base/error.h"

namespace morvel::demo {
namespace {

// "/nodes/1/Materials/0/Diffuse" -> {"nodes", "1", "Materials", "0",
// "Diffuse"}, with JSON pointer escapes undone.
std::vector<std::string> Segments(const std::string& pointer) {
  std::vector<std::string> out;
  std::string current;
  bool started = false;
  for (std::size_t i = 0; i < pointer.size(); ++i) {
    char c = pointer[i];
    if (c == '/') {
      if (started) out.push_back(current);
      current.clear();
      started = true;
    } else if (c == '~' && i + 1 < pointer.size()) {
      current += pointer[i + 1] == '1' ? '/' : '~';
      ++i;
    } else {
      current += c;
    }
  }
  if (started) out.push_back(current);
  return out;
}

bool IsIndex(const std::string& text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(),
                     [](unsigned char c) { return std::isdigit(c) != 0; });
}

// "SmoothingLevel" -> "Smoothing Level".
std::string Words(const std::string& key) {
  std::string out;
  for (std::size_t i = 0; i < key.size(); ++i) {
    if (i > 0 && std::isupper(static_cast<unsigned char>(key[i])) &&
        std::islower(static_cast<unsigned char>(key[i - 1]))) {
      out += ' ';
    }
    out += key[i];
  }
  return out;
}

}  // namespace

void UndoHistory::Reset(std::shared_ptr<MemSceneGraph> scene) {
  scene_ = std::move(scene);
  steps_.clear();
  position_ = 0;
  baseline_ = scene_ ? scene_->ToJson() : nlohmann::ordered_json();
  journal_mark_ = scene_ ? scene_->JournalSize() : 0;
  merge_open_ = false;
  saved_position_ = 0;
  saved_valid_ = true;
}

void UndoHistory::SelectionChanged() {
  if (!scene_ || !baseline_.is_object()) return;
  // The selection is no scene write (the journal does not see it); the
  // next step starts from the scene with this selection.
  nlohmann::ordered_json names = nlohmann::ordered_json::array();
  for (const std::string& name : scene_->SelectedNames()) names.push_back(name);
  baseline_["selection"] = std::move(names);
}

bool UndoHistory::Settle(const std::string& label) {
  if (!scene_ || scene_->JournalSize() == journal_mark_) return false;
  return Record(label);
}

void UndoHistory::Prepare() {
  // Writes made before this transaction are not part of it.
  Settle();
}

bool UndoHistory::Apply() { return scene_ && Record({}); }

bool UndoHistory::Record(const std::string& label) {
  journal_mark_ = scene_->JournalSize();
  nlohmann::ordered_json after = scene_->ToJson();
  if (after == baseline_) return false;
  nlohmann::ordered_json before = std::move(baseline_);
  baseline_ = after;

  std::set<std::string> paths;
  for (const auto& operation : nlohmann::ordered_json::diff(before, after)) {
    paths.insert(operation.at("path").get<std::string>());
  }
  // The same values changed again, right after: one gesture, one step.
  if (merge_open_ && position_ > 0 && position_ == steps_.size() &&
      steps_.back().paths == paths) {
    Step& last = steps_.back();
    last.after = std::move(after);
    if (last.after == last.before) {
      steps_.pop_back();
      --position_;
      merge_open_ = false;
    }
    return true;
  }
  // A new step drops whatever had been undone.
  steps_.resize(position_);
  if (saved_valid_ && saved_position_ > position_) saved_valid_ = false;
  Step step;
  step.label = Describe(before, paths, label);
  step.paths = std::move(paths);
  step.before = std::move(before);
  step.after = std::move(after);
  steps_.push_back(std::move(step));
  if (steps_.size() > kMaxSteps) {
    steps_.erase(steps_.begin());
    if (saved_position_ == 0) {
      saved_valid_ = false;
    } else {
      --saved_position_;
    }
  }
  position_ = steps_.size();
  merge_open_ = true;
  return true;
}

std::string UndoHistory::UndoLabel() const {
  return CanUndo() ? steps_[position_ - 1].label : std::string();
}

std::string UndoHistory::RedoLabel() const {
  return CanRedo() ? steps_[position_].label : std::string();
}

void UndoHistory::Travel(int direction) {
  // Whatever was written since the last step is a step first: undoing
  // must not swallow it unrecorded, nor redo skip it.
  Settle();
  if (direction < 0 ? !CanUndo() : !CanRedo()) {
    RaiseError(kErrInvalidProcedureCall, direction < 0
                                             ? "There is nothing to undo"
                                             : "There is nothing to redo");
  }
  const Step& step = steps_[direction < 0 ? position_ - 1 : position_];
  RestoreTo(direction < 0 ? step.before : step.after);
  position_ = direction < 0 ? position_ - 1 : position_ + 1;
  merge_open_ = false;
}

void UndoHistory::RestoreTo(const nlohmann::ordered_json& snapshot) {
  if (!scene_) RaiseError(kErrObjectNotSet);
  // The scene reads plain JSON; the snapshot keeps the file's key order.
  scene_->Restore(nlohmann::json::parse(snapshot.dump()));
  baseline_ = snapshot;
  journal_mark_ = scene_->JournalSize();
}

std::string UndoHistory::Describe(const nlohmann::ordered_json& scene,
                                  const std::set<std::string>& paths,
                                  const std::string& what) {
  std::set<std::string> properties;
  std::set<std::string> objects;
  for (const std::string& path : paths) {
    std::vector<std::string> parts = Segments(path);
    if (parts.empty()) continue;
    std::string property;
    for (auto it = parts.rbegin(); it != parts.rend(); ++it) {
      if (!IsIndex(*it)) {
        property = *it;
        break;
      }
    }
    properties.insert(Words(property));
    if (parts.size() >= 2 && parts[0] == "nodes" && IsIndex(parts[1])) {
      std::size_t index = std::stoul(parts[1]);
      auto nodes = scene.find("nodes");
      if (nodes != scene.end() && nodes->is_array() && index < nodes->size()) {
        const auto& node = (*nodes)[index];
        auto name = node.find("name");
        if (name != node.end() && name->is_string()) {
          objects.insert(name->get<std::string>());
        }
      }
    }
  }
  // What changed, as a person would say it: "Smoothing Level",
  // "Orientation and Position", "Colour and 2 more".
  std::string label = what;
  if (label.empty() && !properties.empty()) {
    auto first = properties.begin();
    label = *first;
    if (properties.size() == 2) {
      label += " and " + *std::next(first);
    } else if (properties.size() > 2) {
      label += " and " + std::to_string(properties.size() - 1) + " more";
    }
  }
  if (label.empty()) label = "Properties";
  if (objects.size() == 1) {
    label += " (" + *objects.begin() + ")";
  } else if (objects.size() > 1) {
    label += " (" + std::to_string(objects.size()) + " objects)";
  }
  return label;
}

}  // namespace morvel::demo

#include "undo_history.h"

#include <algorithm>
#include <cctype>

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
  pending_ = false;
  pending_before_ = nullptr;
  merge_open_ = false;
  saved_position_ = 0;
  saved_valid_ = true;
}

void UndoHistory::Prepare() {
  if (!scene_ || pending_) return;
  pending_before_ = scene_->ToJson();
  pending_ = true;
}

bool UndoHistory::Apply() {
  if (!scene_ || !pending_) return false;
  pending_ = false;
  nlohmann::ordered_json after = scene_->ToJson();
  nlohmann::ordered_json before = std::move(pending_before_);
  pending_before_ = nullptr;
  if (after == before) return false;

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
  step.label = Describe(before, paths);
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

void UndoHistory::Undo() {
  if (!CanUndo())
    RaiseError(kErrInvalidProcedureCall, "There is nothing to undo");
  RestoreTo(steps_[position_ - 1].before);
  --position_;
  merge_open_ = false;
}

void UndoHistory::Redo() {
  if (!CanRedo())
    RaiseError(kErrInvalidProcedureCall, "There is nothing to redo");
  RestoreTo(steps_[position_].after);
  ++position_;
  merge_open_ = false;
}

void UndoHistory::RestoreTo(const nlohmann::ordered_json& snapshot) {
  if (!scene_) RaiseError(kErrObjectNotSet);
  // The scene reads plain JSON; the snapshot keeps the file's key order.
  scene_->Restore(nlohmann::json::parse(snapshot.dump()));
  pending_ = false;
}

std::string UndoHistory::Describe(const nlohmann::ordered_json& scene,
                                  const std::set<std::string>& paths) {
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
  std::string label =
      properties.size() == 1 ? *properties.begin() : "Properties";
  if (objects.size() == 1) {
    label += " (" + *objects.begin() + ")";
  } else if (objects.size() > 1) {
    label += " (" + std::to_string(objects.size()) + " objects)";
  }
  return label;
}

}  // namespace morvel::demo

#include "scenario/scene_state.h"

#include "base/error.h"
#include "memscene/mem_applier.h"
#include "memscene/mem_scene_graph.h"
#include "memscene/mem_utilities.h"
#include "memscene/scene_files.h"
#include "scenario/interpreter.h"
#include "scene/types.h"

namespace morvel::scenario {

struct SceneState::Impl {
  std::shared_ptr<MemSceneGraph> graph;
  std::shared_ptr<MemApplier> applier;
};

SceneState::SceneState() : impl_(std::make_unique<Impl>()) {
  // Chooser answers left over from another scenario must not leak into
  // this one.
  InstallReferenceUtilities(/*replace=*/false);
  Quietly([] {
    ThreadDialogUtility()->ClearAnswers();
    ThreadDialogUtility()->ClearRecords();
  });
}

SceneState::~SceneState() = default;

void SceneState::Load(const std::string& path, SettingsStore* settings) {
  std::shared_ptr<MemSceneGraph> graph = OpenSceneFile(path);
  impl_->applier = std::make_shared<MemApplier>(graph, settings);
  impl_->graph = graph;
}

void SceneState::Clear() {
  impl_->graph = nullptr;
  impl_->applier = nullptr;
}

bool SceneState::Loaded() const { return impl_->graph != nullptr; }

std::shared_ptr<SceneGraph> SceneState::Graph() const { return impl_->graph; }

std::shared_ptr<morvel::Applier> SceneState::Applier() const {
  return impl_->applier;
}

std::shared_ptr<MemSceneGraph> SceneState::Scene() const {
  return impl_->graph;
}

void SceneState::Select(const std::vector<std::string>& names) {
  Required(impl_->graph)->Select(names);
}

SetupArguments SceneState::HostRules(Long tab) const {
  if (!impl_->graph) {
    SetupArguments a;
    a.SelectedTab = tab;
    return a;
  }
  return ComputeSetupArguments(*impl_->graph, tab);
}

std::optional<std::string> SceneState::Value(std::string_view path) const {
  if (!impl_->graph) return std::nullopt;
  std::optional<std::string> text;
  Quietly([&] { text = impl_->graph->ValueText(std::string(path)); });
  return text;
}

std::vector<std::string> SceneState::Journal(std::size_t from) const {
  if (!impl_->graph) return {};
  return impl_->graph->JournalLines(from);
}

std::size_t SceneState::JournalSize() const {
  return impl_->graph ? impl_->graph->JournalSize() : 0;
}

void SceneState::Fault(const std::string& operation, Long number,
                       const std::string& description, Long after, Long times) {
  Required(impl_->graph)->Fault(operation, number, description, after, times);
}

void SceneState::AnswerColour(Long result, Colour colour) {
  ThreadDialogUtility()->AnswerColour(result, colour);
}

void SceneState::AnswerMapFile(const std::string& path) {
  ThreadDialogUtility()->AnswerMapFile(path);
}

std::vector<std::string> SceneState::DebugMessages() const {
  std::vector<std::string> messages;
  Quietly([&] { messages = ThreadDialogUtility()->debug_messages(); });
  return messages;
}

std::string SceneState::Dump() const {
  if (!impl_->graph) return {};
  return impl_->graph->ToText();
}

void SceneState::RunOperation(const std::string& operation) {
  Required(impl_->applier)->RunOperation(operation);
}

}  // namespace morvel::scenario

#include "memscene/mem_applier.h"

#include <map>

#include "base/error.h"
#include "base/numbers.h"
#include "memscene/state.h"

namespace morvel {

MemApplier::MemApplier(std::shared_ptr<MemSceneGraph> scene,
                       SettingsStore* settings)
    : scene_(std::move(Required(scene))), settings_(settings) {}

const std::vector<MemApplier::Parameter>& MemApplier::ParametersOf(
    const std::string& operation) {
  static const std::map<std::string, std::vector<Parameter>> kOperations = {
      {"DivideSmooth",
       {{"Level", 1}, {"Tension", 0}, {"Condition", 1}, {"Angle", 30}}},
      {"Mirror", {{"Axis", 0}}},
      {"Crease", {{"Factor", 50}}},
  };
  auto it = kOperations.find(operation);
  if (it == kOperations.end()) {
    RaiseError(
        kErrInvalidProcedureCall,
        "Invalid procedure call or argument: the applier has no operation \"" +
            operation + "\"");
  }
  return it->second;
}

OperationParameters MemApplier::GetOperationParameters(
    const std::shared_ptr<SceneGraph>& scene_graph,
    const std::string& operation, Long, Long) {
  scene_->state().CheckFault("GetOperationParameters");
  Required(scene_graph);
  const std::vector<Parameter>& parameters = ParametersOf(operation);
  std::string application =
      Required(scene_graph->GetActiveScene())->ApplicationRegistryKey();
  OperationParameters result;
  for (const Parameter& p : parameters) {
    OperationParameter out;
    out.Name = p.name;
    out.Value = p.default_value;
    if (settings_ != nullptr) {
      if (auto stored = settings_->GetSetting(application, operation, p.name)) {
        // A value that is no number counts as not set.
        Quietly([&] { out.Value = TextToSingle(*stored); });
      }
    }
    out.Minimum = -1e6f;
    out.Maximum = 1e6f;
    result.Parameters.push_back(std::move(out));
  }
  result.ParameterCount = static_cast<Long>(result.Parameters.size());
  result.OperationFlags = 0;
  result.Revision = 1;
  return result;
}

void MemApplier::RunOperation(const std::string& operation) {
  mem::State& state = scene_->state();
  const std::vector<Parameter>& parameters = ParametersOf(operation);
  state.CheckFault(operation);
  if (state.content.selection.empty()) {
    RaiseError(kErrInvalidProcedureCall,
               "Invalid procedure call or argument: " + operation +
                   " needs a selected node");
  }
  std::string application = state.content.application_registry_key;
  std::string arguments;
  for (const Parameter& p : parameters) {
    std::string text = SingleToText(p.default_value);
    if (settings_ != nullptr) {
      if (auto stored = settings_->GetSetting(application, operation, p.name))
        text = *stored;
    }
    if (!arguments.empty()) arguments += " ";
    arguments += std::string(p.name) + "=" + text;
  }
  const mem::NodeData& first =
      state.content
          .nodes[static_cast<std::size_t>(state.content.selection.front())];
  state.Record(operation, first.name, arguments);
}

}  // namespace morvel

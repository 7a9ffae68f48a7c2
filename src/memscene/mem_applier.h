#ifndef MORVEL_MEMSCENE_MEM_APPLIER_H_
#define MORVEL_MEMSCENE_MEM_APPLIER_H_

#include <memory>
#include <string>
#include <vector>

#include "memscene/mem_scene_graph.h"
#include "platform/platform.h"
#include "scene/applier.h"

namespace morvel {

// The reference applier. Its operations read their parameters from the
// per-user settings store, under the scene's ApplicationRegistryKey and the
// operation's name, falling back to their defaults:
//   "DivideSmooth": Level 1, Tension 0, Condition 1, Angle 30
//   "Mirror":       Axis 0
//   "Crease":       Factor 50
// GetOperationParameters reports them with the values stored now (the
// defaults where nothing or no number is stored). RunOperation is how a host
// carries an operation out: it reads the parameters back and journals, for
// the first selected node, the texts it read ("Mirror Teapot Axis=2").
class MemApplier final : public Applier {
 public:
  // `settings` may be null: then every parameter has its default.
  MemApplier(std::shared_ptr<MemSceneGraph> scene, SettingsStore* settings);

  OperationParameters GetOperationParameters(
      const std::shared_ptr<SceneGraph>& scene_graph,
      const std::string& operation, Long flags, Long reserved) override;

  // Error 5 for an unknown operation or an empty selection.
  void RunOperation(const std::string& operation);

  // The operations the applier knows, and their parameters with defaults.
  struct Parameter {
    const char* name;
    Single default_value;
  };
  static const std::vector<Parameter>& ParametersOf(
      const std::string& operation);

 private:
  std::shared_ptr<MemSceneGraph> scene_;
  SettingsStore* settings_;
};

}  // namespace morvel

#endif  // MORVEL_MEMSCENE_MEM_APPLIER_H_

#ifndef MORVEL_SCENE_APPLIER_H_
#define MORVEL_SCENE_APPLIER_H_

#include <memory>
#include <string>

#include "base/types.h"
#include "scene/types.h"

namespace morvel {

class SceneGraph;

// The operation applier a host hands to SetSceneGraph beside the scene
// graph. The mesh operation commits ask it which parameters an operation
// reads from the settings store, so that they can write the user's values
// under those keys and restore the previous ones afterwards.
//
// Operations and their parameters, in this order: "DivideSmooth" (Level,
// Tension, Condition, Angle), "Mirror" (Axis), "Crease" (Factor).
class Applier {
 public:
  virtual ~Applier() = default;

  // The parameters of `operation` with their current values. `flags` and
  // `reserved` are passed as 0. An unknown operation raises error 5.
  virtual OperationParameters GetOperationParameters(
      const std::shared_ptr<SceneGraph>& scene_graph,
      const std::string& operation, Long flags, Long reserved) = 0;
};

}  // namespace morvel

#endif  // MORVEL_SCENE_APPLIER_H_

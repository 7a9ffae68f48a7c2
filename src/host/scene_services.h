#ifndef MORVEL_HOST_SCENE_SERVICES_H_
#define MORVEL_HOST_SCENE_SERVICES_H_

#include <memory>

#include "scene/utilities.h"

namespace morvel {

// Where a panel gets the scene library's shared utility objects. The
// reference services hand out this thread's shared instances (created on
// first use from the installed UtilityFactory, never released by the panel);
// a host that keeps its utilities elsewhere passes its own services to the
// Properties constructor.
class SceneServices {
 public:
  virtual ~SceneServices() = default;
  virtual std::shared_ptr<SceneUtility> GetSceneUtility() = 0;
  virtual std::shared_ptr<DialogUtility> GetDialogUtility() = 0;
  virtual std::shared_ptr<MathUtility> GetMathUtility() = 0;
  // A new picture utility; a panel asks once, when it initialises.
  virtual std::shared_ptr<PictureUtility> CreatePictureUtility() = 0;
};

// The per-thread shared instances of scene/utilities.h.
SceneServices& ThreadSceneServices();

}  // namespace morvel

#endif  // MORVEL_HOST_SCENE_SERVICES_H_

#ifndef MORVEL_HOST_SCENE_SERVICES_H_
#define MORVEL_HOST_SCENE_SERVICES_H_

#include <memory>

#include "scene/scene_graph.h"
#include "scene/utilities.h"

namespace morvel {

// Where a panel gets the scene library's shared utility objects. A panel
// given none makes its own default services (MakeDefaultSceneServices); a
// host that keeps its utilities elsewhere passes its own services to the
// Properties constructor.
class SceneServices {
 public:
  virtual ~SceneServices() = default;
  virtual std::shared_ptr<SceneUtility> GetSceneUtility() = 0;
  virtual std::shared_ptr<DialogUtility> GetDialogUtility() = 0;
  virtual std::shared_ptr<MathUtility> GetMathUtility() = 0;
  // A new picture utility; a panel asks once, when it initialises.
  virtual std::shared_ptr<PictureUtility> CreatePictureUtility() = 0;
  // The panel was handed `scene_graph` (SetSceneGraph; null included), for
  // services whose utilities reach the scene through it. The panel calls it
  // before it uses the utilities with that scene graph.
  virtual void SceneGraphChanged(const std::shared_ptr<SceneGraph>& scene_graph) {
    (void)scene_graph;
  }
};

// The per-thread shared instances of scene/utilities.h, made by the
// installed UtilityFactory (error 429 when none is installed).
SceneServices& ThreadSceneServices();

// What a panel given no services uses: the installed UtilityFactory's
// per-thread instances whenever one is installed (the reference scene graph
// installs its own), else the reference utilities of
// host/reference_utilities.h, working through the scene graph the panel was
// last handed (not kept alive by them). Asked afresh on every use, so a
// factory installed after the panel was made is used from then on.
std::unique_ptr<SceneServices> MakeDefaultSceneServices();

}  // namespace morvel

#endif  // MORVEL_HOST_SCENE_SERVICES_H_

#include "host/chooser_scene_services.h"

namespace morvel {

std::shared_ptr<SceneUtility> ChooserSceneServices::GetSceneUtility() {
  return ThreadSceneServices().GetSceneUtility();
}

std::shared_ptr<MathUtility> ChooserSceneServices::GetMathUtility() {
  return ThreadSceneServices().GetMathUtility();
}

std::shared_ptr<PictureUtility> ChooserSceneServices::CreatePictureUtility() {
  return ThreadSceneServices().CreatePictureUtility();
}

}  // namespace morvel

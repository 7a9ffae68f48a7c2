#include "host/chooser_scene_services.h"

namespace morvel {

std::shared_ptr<SceneUtility> ChooserSceneServices::GetSceneUtility() {
  return defaults_->GetSceneUtility();
}

std::shared_ptr<MathUtility> ChooserSceneServices::GetMathUtility() {
  return defaults_->GetMathUtility();
}

std::shared_ptr<PictureUtility> ChooserSceneServices::CreatePictureUtility() {
  return defaults_->CreatePictureUtility();
}

}  // namespace morvel

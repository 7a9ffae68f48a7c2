#ifndef MORVEL_HOST_CHOOSER_SCENE_SERVICES_H_
#define MORVEL_HOST_CHOOSER_SCENE_SERVICES_H_

#include <memory>

#include "host/scene_services.h"
#include "scene/utilities.h"

namespace morvel {

// The thread's shared scene utilities (ThreadSceneServices) with the
// choosers replaced by a window system's: what each front end hands its
// panel unless the host gives services of its own.
class ChooserSceneServices : public SceneServices {
 public:
  explicit ChooserSceneServices(std::shared_ptr<DialogUtility> dialogs)
      : dialogs_(std::move(dialogs)) {}
  std::shared_ptr<SceneUtility> GetSceneUtility() override;
  std::shared_ptr<DialogUtility> GetDialogUtility() override {
    return dialogs_;
  }
  std::shared_ptr<MathUtility> GetMathUtility() override;
  std::shared_ptr<PictureUtility> CreatePictureUtility() override;

 private:
  std::shared_ptr<DialogUtility> dialogs_;
};

}  // namespace morvel

#endif  // MORVEL_HOST_CHOOSER_SCENE_SERVICES_H_

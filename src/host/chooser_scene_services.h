#ifndef MORVEL_HOST_CHOOSER_SCENE_SERVICES_H_
#define MORVEL_HOST_CHOOSER_SCENE_SERVICES_H_

#include <memory>

#include "host/scene_services.h"
#include "scene/utilities.h"

namespace morvel {

// The scene utilities a panel given none uses (MakeDefaultSceneServices)
// with the choosers replaced by a window system's: what each front end
// hands its panel unless the host gives services of its own.
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
  void SceneGraphChanged(
      const std::shared_ptr<SceneGraph>& scene_graph) override {
    defaults_->SceneGraphChanged(scene_graph);
  }

 private:
  std::shared_ptr<DialogUtility> dialogs_;
  // The installed factory's utilities, or the reference ones over the
  // scene graph the panel was given when the host installed none.
  std::unique_ptr<SceneServices> defaults_ = MakeDefaultSceneServices();
};

}  // namespace morvel

#endif  // MORVEL_HOST_CHOOSER_SCENE_SERVICES_H_

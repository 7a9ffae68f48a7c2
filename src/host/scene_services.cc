#include "host/scene_services.h"

namespace morvel {
namespace {

class ThreadServices final : public SceneServices {
 public:
  std::shared_ptr<SceneUtility> GetSceneUtility() override {
    return SharedSceneUtility();
  }
  std::shared_ptr<DialogUtility> GetDialogUtility() override {
    return SharedDialogUtility();
  }
  std::shared_ptr<MathUtility> GetMathUtility() override {
    return SharedMathUtility();
  }
  std::shared_ptr<PictureUtility> CreatePictureUtility() override {
    return morvel::CreatePictureUtility();
  }
};

}  // namespace

SceneServices& ThreadSceneServices() {
  // Stateless: every call reaches the calling thread's own instances.
  static ThreadServices services;
  return services;
}

}  // namespace morvel

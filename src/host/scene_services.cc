#include "host/scene_services.h"

#include "host/reference_utilities.h"

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

class DefaultServices final : public SceneServices {
 public:
  std::shared_ptr<SceneUtility> GetSceneUtility() override {
    if (GetUtilityFactory()) return SharedSceneUtility();
    if (!scene_) scene_ = reference_.CreateSceneUtility();
    return scene_;
  }
  std::shared_ptr<DialogUtility> GetDialogUtility() override {
    if (GetUtilityFactory()) return SharedDialogUtility();
    if (!dialog_) dialog_ = reference_.CreateDialogUtility();
    return dialog_;
  }
  std::shared_ptr<MathUtility> GetMathUtility() override {
    if (GetUtilityFactory()) return SharedMathUtility();
    if (!math_) math_ = reference_.CreateMathUtility();
    return math_;
  }
  std::shared_ptr<PictureUtility> CreatePictureUtility() override {
    if (GetUtilityFactory()) return morvel::CreatePictureUtility();
    return reference_.CreatePictureUtility();
  }
  void SceneGraphChanged(
      const std::shared_ptr<SceneGraph>& scene_graph) override {
    *scene_graph_ = scene_graph;
  }

 private:
  // Shared with the reference scene utility, which reads it at each query;
  // weak, so that the utilities never keep a document alive.
  std::shared_ptr<std::weak_ptr<SceneGraph>> scene_graph_ =
      std::make_shared<std::weak_ptr<SceneGraph>>();
  ReferenceUtilityFactory reference_{
      [graph = scene_graph_] { return graph->lock(); }};
  std::shared_ptr<SceneUtility> scene_;
  std::shared_ptr<DialogUtility> dialog_;
  std::shared_ptr<MathUtility> math_;
};

}  // namespace

SceneServices& ThreadSceneServices() {
  // Stateless: every call reaches the calling thread's own instances.
  static ThreadServices services;
  return services;
}

std::unique_ptr<SceneServices> MakeDefaultSceneServices() {
  return std::make_unique<DefaultServices>();
}

}  // namespace morvel

#ifndef MORVEL_TESTS_INSTALL_EMPTY_SCENE_GRAPH_H_
#define MORVEL_TESTS_INSTALL_EMPTY_SCENE_GRAPH_H_

// The host's scene as the panel sees it, for the hosts that try the
// installed package: an empty one. A real host adapts its document.
#include <memory>
#include <string>
#include <vector>

#include "base/error.h"
#include "scene/scene.h"

namespace morvel {

class EmptyScene : public Scene {
 public:
  Long SelectionList() override { return 1; }
  Long EditMode() override { return 0; }
  Long DialogOwner() override { return 0; }
  std::string ApplicationRegistryKey() override { return "MinimalHost"; }
  std::shared_ptr<morvel::Hierarchy> Hierarchy() override { return nullptr; }
  std::shared_ptr<morvel::MapBuilder> MapBuilder() override { return nullptr; }
  std::shared_ptr<morvel::ThumbnailCache> ThumbnailCache() override {
    return nullptr;
  }
  std::vector<std::string> CustomShapeFieldNames() override { return {}; }
  std::vector<std::string> CustomGroupFieldNames() override { return {}; }
  std::vector<std::string> MaterialFieldNames() override { return {}; }
};

class EmptySceneGraph : public SceneGraph {
 public:
  std::shared_ptr<Scene> GetActiveScene() override { return scene_; }
  Long GetSelectionCount(Long) override { return 0; }
  std::shared_ptr<SceneNode> GetSelectedNode(Long, Long) override { Nothing(); }
  std::shared_ptr<Group> GetSelectedGroup(Long, Long) override { Nothing(); }
  std::shared_ptr<Group> GetSelectedBone(Long, Long) override { Nothing(); }
  std::shared_ptr<Light> GetSelectedLight(Long, Long) override { Nothing(); }
  std::shared_ptr<Camera> GetSelectedCamera(Long, Long) override { Nothing(); }
  std::shared_ptr<Light> GetLightOfNode(
      const std::shared_ptr<Hierarchy>&,
      const std::shared_ptr<SceneNode>&) override {
    Nothing();
  }
  Long SelectionNeedsRefresh(Long) override { return 0; }
  void RefreshSelection(Long) override {}

 private:
  [[noreturn]] static void Nothing() { RaiseError(kErrSubscriptOutOfRange); }
  std::shared_ptr<Scene> scene_ = std::make_shared<EmptyScene>();
};

// The scene library's utilities, as the host's scene library would install
// them (SetUtilityFactory). An empty scene needs only pictures.
class EmptySceneUtilities : public UtilityFactory {
 public:
  std::shared_ptr<SceneUtility> CreateSceneUtility() override {
    return nullptr;
  }
  std::shared_ptr<DialogUtility> CreateDialogUtility() override {
    return nullptr;
  }
  std::shared_ptr<MathUtility> CreateMathUtility() override { return nullptr; }
  std::shared_ptr<PictureUtility> CreatePictureUtility() override {
    struct Pictures : PictureUtility {
      Picture LoadThumbnail(const std::string& path, Long size) override {
        return ThumbnailPicture(path, size);
      }
    };
    return std::make_shared<Pictures>();
  }
};

}  // namespace morvel

#endif  // MORVEL_TESTS_INSTALL_EMPTY_SCENE_GRAPH_H_

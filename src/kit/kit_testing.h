#ifndef MORVEL_KIT_KIT_TESTING_H_
#define MORVEL_KIT_KIT_TESTING_H_

// Test doubles for driving a panel as a host would: an event sink that
// records what the panel raised, scene services whose dialog utility keeps
// its debug messages, and a bare scene graph for tests that only need one to
// exist (the section tests use the reference scene graph instead).

#include <memory>
#include <string>
#include <vector>

#include "base/error.h"
#include "host/host_interface.h"
#include "host/scene_services.h"
#include "scene/scene.h"

namespace morvel::testing {

// Records every event as the scenario runner prints it:
// evtReqPrepareForSceneChanges("SysProperties"),
// evtReqApplySceneChanges(False).
class RecordingEvents : public PropertiesEvents {
 public:
  void evtShapeHidden8() override { log.push_back("evtShapeHidden8"); }
  void evtLightHidden8() override { log.push_back("evtLightHidden8"); }
  void evtBoneHidden8() override { log.push_back("evtBoneHidden8"); }
  void evtGroupHidden8() override { log.push_back("evtGroupHidden8"); }
  void evtCameraHidden8() override { log.push_back("evtCameraHidden8"); }
  void evtReqPrepareForSceneChanges(std::string& LayerSource) override {
    log.push_back("evtReqPrepareForSceneChanges(\"" + LayerSource + "\")");
    LayerSource = "changed by the host";  // the panel must not read it back
  }
  void evtReqApplySceneChanges(bool& HierarchyChanged) override {
    log.push_back(std::string("evtReqApplySceneChanges(") +
                  (HierarchyChanged ? "True" : "False") + ")");
    HierarchyChanged = !HierarchyChanged;
  }
  void evtReqOpenSource() override { log.push_back("evtReqOpenSource"); }
  void evtReqApplyOperation(std::string& Operation) override {
    log.push_back("evtReqApplyOperation(\"" + Operation + "\")");
  }
  void evtReqWarn(std::string& ApplicationRegistryKey, std::string& Warning,
                  std::string& WarningRegistryEntry) override {
    log.push_back("evtReqWarn(\"" + ApplicationRegistryKey + "\", \"" +
                  Warning + "\", \"" + WarningRegistryEntry + "\")");
  }

  // The events so far, and forgets them.
  std::vector<std::string> Take() {
    std::vector<std::string> taken;
    taken.swap(log);
    return taken;
  }

  std::vector<std::string> log;
};

class RecordingDialogUtility : public DialogUtility {
 public:
  explicit RecordingDialogUtility(std::shared_ptr<std::vector<std::string>> log)
      : log_(std::move(log)) {}
  ColourChoice ChooseColour(Long, const std::string&, Colour colour) override {
    return {0, colour};
  }
  std::string ChooseMapFile(Long, const std::string&, Long, Integer) override {
    return {};
  }
  void WriteDebugMessage(const std::string& text) override {
    log_->push_back(text);
  }

 private:
  std::shared_ptr<std::vector<std::string>> log_;
};

class BlankPictureUtility : public PictureUtility {
 public:
  Picture LoadThumbnail(const std::string& path, Long size) override {
    return path.empty() ? Picture() : ThumbnailPicture(path, size);
  }
};

// Services with a recording dialog utility and fresh picture utilities; the
// scene utility comes from `scene_utility` (null: none, error 91 on use).
class TestServices : public SceneServices {
 public:
  std::shared_ptr<std::vector<std::string>> log =
      std::make_shared<std::vector<std::string>>();
  std::shared_ptr<SceneUtility> scene_utility;
  int pictures_created = 0;

  std::shared_ptr<SceneUtility> GetSceneUtility() override {
    return scene_utility;
  }
  std::shared_ptr<DialogUtility> GetDialogUtility() override {
    return std::make_shared<RecordingDialogUtility>(log);
  }
  std::shared_ptr<MathUtility> GetMathUtility() override { return nullptr; }
  std::shared_ptr<PictureUtility> CreatePictureUtility() override {
    ++pictures_created;
    return std::make_shared<BlankPictureUtility>();
  }
};

// A scene with nothing in it but an edit mode; counts its EditMode reads.
class StubScene : public Scene {
 public:
  Long edit_mode = 0;
  int edit_mode_reads = 0;
  Long SelectionList() override { return 1; }
  Long EditMode() override {
    ++edit_mode_reads;
    return edit_mode;
  }
  Long DialogOwner() override { return 0; }
  std::string ApplicationRegistryKey() override { return "Morvel"; }
  std::shared_ptr<morvel::Hierarchy> Hierarchy() override { return nullptr; }
  std::shared_ptr<morvel::MapBuilder> MapBuilder() override { return nullptr; }
  std::shared_ptr<morvel::ThumbnailCache> ThumbnailCache() override {
    return nullptr;
  }
  std::vector<std::string> CustomShapeFieldNames() override { return {}; }
  std::vector<std::string> CustomGroupFieldNames() override { return {}; }
  std::vector<std::string> MaterialFieldNames() override { return {}; }
};

// A scene graph whose only working call is GetActiveScene (which can be
// made to fail); every other call is error 5, so a test notices when the
// panel reaches further than it should.
class StubSceneGraph : public SceneGraph {
 public:
  std::shared_ptr<StubScene> scene = std::make_shared<StubScene>();
  bool fail_active_scene = false;
  int active_scene_calls = 0;

  std::shared_ptr<Scene> GetActiveScene() override {
    ++active_scene_calls;
    if (fail_active_scene) RaiseError(kErrObjectNotSet);
    return scene;
  }
  Long GetSelectionCount(Long) override { Unexpected(); }
  std::shared_ptr<SceneNode> GetSelectedNode(Long, Long) override {
    Unexpected();
  }
  std::shared_ptr<Group> GetSelectedGroup(Long, Long) override { Unexpected(); }
  std::shared_ptr<Group> GetSelectedBone(Long, Long) override { Unexpected(); }
  std::shared_ptr<Light> GetSelectedLight(Long, Long) override { Unexpected(); }
  std::shared_ptr<Camera> GetSelectedCamera(Long, Long) override {
    Unexpected();
  }
  std::shared_ptr<Light> GetLightOfNode(
      const std::shared_ptr<Hierarchy>&,
      const std::shared_ptr<SceneNode>&) override {
    Unexpected();
  }
  Long SelectionNeedsRefresh(Long) override { Unexpected(); }
  void RefreshSelection(Long) override { Unexpected(); }

 private:
  [[noreturn]] static void Unexpected() {
    RaiseError(kErrInvalidProcedureCall, "not expected in this test");
  }
};

}  // namespace morvel::testing

#endif  // MORVEL_KIT_KIT_TESTING_H_

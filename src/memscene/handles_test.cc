#include "memscene/handles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "base/error.h"
#include "base/error_testing.h"
#include "memscene/mem_scene_graph.h"
#include "memscene/mem_utilities.h"
#include "memscene/test_scene.h"

namespace morvel {
namespace {

using ::morvel::testing::ErrorNumberOf;
using ::morvel::testing::ErrorDescriptionOf;
using testing::kTestScene;

void ExpectNear(const SingleVector3& actual, const SingleVector3& expected) {
  EXPECT_NEAR(actual.X, expected.X, 1e-6);
  EXPECT_NEAR(actual.Y, expected.Y, 1e-6);
  EXPECT_NEAR(actual.Z, expected.Z, 1e-6);
}

class HandlesTest : public ::testing::Test {
 protected:
  std::shared_ptr<MemSceneGraph> scene_ = MemSceneGraph::FromText(kTestScene);
  Long List() { return scene_->GetActiveScene()->SelectionList(); }
};

// Each typed getter answers only for the kinds it is made for; a node
// answers for every kind, and a bone is a group too.
TEST_F(HandlesTest, SelectedGettersAnswerOnlyForTheirKinds) {
  const struct {
    const char* node;
    const char* getter;
    Long error;  // 0: the getter answers
  } cases[] = {
      {"Key", "Node", 0},   {"Teapot", "Group", 13}, {"Arm", "Group", 0},
      {"Arm", "Bone", 0},   {"Stage", "Bone", 13},   {"Key", "Light", 0},
      {"Cam", "Light", 13}, {"Cam", "Camera", 0},    {"Key", "Camera", 13}};
  for (const auto& c : cases) {
    scene_->Select({c.node});
    const std::string getter = c.getter;
    const Long list = List();
    Long error = ErrorNumberOf([&] {
      std::shared_ptr<void> object;
      if (getter == "Node") object = scene_->GetSelectedNode(list, 0);
      if (getter == "Group") object = scene_->GetSelectedGroup(list, 0);
      if (getter == "Bone") object = scene_->GetSelectedBone(list, 0);
      if (getter == "Light") object = scene_->GetSelectedLight(list, 0);
      if (getter == "Camera") object = scene_->GetSelectedCamera(list, 0);
      ASSERT_NE(object, nullptr);
    });
    EXPECT_EQ(error, c.error) << c.node << " " << c.getter;
  }
}

TEST_F(HandlesTest, SelectionIndexesAndHandlesAreChecked) {
  scene_->Select({"Teapot", "Cup"});
  Long list = List();
  EXPECT_EQ(scene_->GetSelectionCount(list), 2);
  EXPECT_EQ(ErrorNumberOf([&] { scene_->GetSelectedNode(list, 2); }), 9);
  EXPECT_EQ(ErrorNumberOf([&] { scene_->GetSelectedNode(list, -1); }), 9);
  EXPECT_EQ(ErrorNumberOf([&] { scene_->GetSelectionCount(list + 100000); }), 5);
  // One object per node: the panel may compare what it holds.
  EXPECT_EQ(scene_->GetSelectedNode(list, 1), scene_->Node("Cup"));
}

TEST_F(HandlesTest, AListOfAnotherSceneIsAnsweredFromThatScene) {
  auto other = MemSceneGraph::FromText(kTestScene);
  other->Select({"Cam", "Key"});
  Long list = other->GetActiveScene()->SelectionList();
  EXPECT_EQ(scene_->GetSelectionCount(list), 2);
  EXPECT_EQ(scene_->GetSelectedNode(list, 1), other->Node("Key"));
}

TEST_F(HandlesTest, KindsAnswerOnlyTheirOwnValues) {
  auto key = scene_->Node("Key");
  EXPECT_EQ(ErrorDescriptionOf([&] { key->SmoothingLevel(); }),
            "Object doesn't support this property or method: SmoothingLevel of "
            "the light "
            "\"Key\"");
  EXPECT_EQ(ErrorNumberOf([&] { scene_->Node("Teapot")->Bone(); }), 13);
  EXPECT_EQ(
      ErrorNumberOf([&] {
        std::dynamic_pointer_cast<Group>(scene_->Node("Stage"))->BoneWeight();
      }),
      438);
  EXPECT_TRUE(key->CastsShadows());
}

TEST_F(HandlesTest, ALightNodeIsItsOwnReference) {
  auto key = scene_->Node("Key");
  auto hierarchy = scene_->GetActiveScene()->Hierarchy();
  EXPECT_EQ(key->ObjectRef(), key);
  auto light = scene_->GetLightOfNode(hierarchy, key->ObjectRef());
  EXPECT_EQ(light->LightType(), kLightTypeSpot);
  light->SetCastsShadows(false);
  EXPECT_FALSE(key->CastsShadows());
  EXPECT_EQ(ErrorNumberOf([&] {
              scene_->GetLightOfNode(hierarchy, scene_->Node("Teapot"));
            }),
            13);
  EXPECT_EQ(ErrorNumberOf([&] { scene_->GetLightOfNode(hierarchy, nullptr); }), 91);
  auto other = MemSceneGraph::FromText(kTestScene);
  EXPECT_EQ(ErrorNumberOf([&] {
              scene_->GetLightOfNode(other->GetActiveScene()->Hierarchy(), key);
            }),
            5);
}

// The scene answers a bone switch as the file says; the bone switches only
// when the answer is 0, or when a bone without a skin (-1) is switched off.
TEST_F(HandlesTest, ABoneSwitchesWhenItsAnswerAllows) {
  const struct {
    Long result;
    bool start, enable, after;
  } cases[] = {{0, false, true, true},
               {0, true, false, false},
               {-1, false, true, false},
               {-1, true, false, false},
               {-2, true, false, true}};
  for (const auto& c : cases) {
    auto json = nlohmann::json::parse(scene_->ToText());
    for (auto& node : json["nodes"]) {
      if (node["name"] == "Arm") {
        node["SetBoneEnabledResult"] = c.result;
        node["Enabled"] = c.start;
      }
    }
    scene_->Restore(json);
    auto bone = std::dynamic_pointer_cast<Group>(scene_->Node("Arm"));
    EXPECT_EQ(bone->SetBoneEnabled(c.enable), c.result);
    EXPECT_EQ(scene_->ValueText("Arm.Enabled"), c.after ? "True" : "False")
        << c.result << " " << c.enable;
  }
}

TEST_F(HandlesTest, GroupsMeasureFromAnyGroup) {
  auto stage = std::dynamic_pointer_cast<Group>(scene_->Node("Stage"));
  auto rig = std::dynamic_pointer_cast<Group>(scene_->Node("Rig"));
  auto arm = std::dynamic_pointer_cast<Group>(scene_->Node("Arm"));
  // Relative to the parent: the stored values; in the scene's frame, Stage
  // sits at (1, 2, 3).
  EXPECT_EQ(rig->GetPosition(stage, kCurrentKey), (SingleVector3{0, 0, 5}));
  EXPECT_EQ(rig->GetPosition(nullptr, kCurrentKey), (SingleVector3{1, 2, 8}));
  // Rig looks along X: Arm, at Stage's origin, is 5 ahead... along Rig's X.
  ExpectNear(arm->GetPosition(rig, kCurrentKey), {5, 0, 0});
  Orientation o = arm->GetOrientation(rig, kCurrentKey);
  ExpectNear(o.Forward, {-1, 0, 0});
  ExpectNear(o.Up, {0, 1, 0});

  arm->SetPosition(nullptr, kCurrentKey, {0, 0, 0});
  EXPECT_EQ(arm->GetPosition(stage, kCurrentKey), (SingleVector3{-1, -2, -3}));
  arm->SetPosition(rig, kCurrentKey, {5, 0, 0});
  ExpectNear(arm->GetPosition(stage, kCurrentKey), {0, 0, 0});
  arm->SetOrientation(rig, kCurrentKey, {0, 0, 1}, {0, 1, 0});
  ExpectNear(arm->GetOrientation(stage, kCurrentKey).Forward, {1, 0, 0});
  EXPECT_EQ(ErrorNumberOf([&] {
              arm->SetOrientation(stage, kCurrentKey, {0, 0, 0}, {0, 1, 0});
            }),
            5);

  // Far out in one frame and far out the other way in the next: beyond a
  // Single, an overflow that leaves the position as it was.
  stage->SetPosition(nullptr, kCurrentKey, {-3e38f, 0, 0});
  EXPECT_EQ(ErrorNumberOf([&] {
              arm->SetPosition(nullptr, kCurrentKey, {3e38f, 0, 0});
            }),
            6);
  EXPECT_EQ(arm->GetPosition(rig, kCurrentKey), (SingleVector3{5, 0, 0}));
  stage->SetPosition(nullptr, kCurrentKey, {3e38f, 0, 0});
  arm->SetPosition(stage, kCurrentKey, {3e38f, 0, 0});
  EXPECT_EQ(ErrorNumberOf([&] { arm->GetPosition(nullptr, kCurrentKey); }), 6);
}

TEST_F(HandlesTest, MapsAndFieldsCheckTheirIndexesAndNumbers) {
  auto teapot = scene_->Node("Teapot");
  EXPECT_EQ(ErrorNumberOf([&] { teapot->GetMaterial(2); }), 9);
  auto builder = scene_->GetActiveScene()->MapBuilder();
  for (Long blend : {-1, 101}) {
    EXPECT_EQ(ErrorNumberOf([&] {
                builder->CreateMaps("", 0, 0, "", "", blend, "", "", "", "");
              }),
              380);
  }
  EXPECT_EQ(ErrorNumberOf([&] { teapot->GetCustomFieldValue(6); }), 9);
  EXPECT_EQ(ErrorNumberOf([&] { teapot->SetCustomFieldValue(-1, "x"); }), 9);
  EXPECT_EQ(ErrorNumberOf([&] { teapot->SetSmoothAngle(kCurrentKey, NAN); }), 5);
  EXPECT_EQ(ErrorNumberOf([&] {
              teapot->SetClones({1, 1, 1}, {INFINITY, 0, 0}, {0, 0, 0});
            }),
            5);
  EXPECT_EQ(teapot->SmoothAngle(kCurrentKey), 30.0f);
}

TEST_F(HandlesTest, ThumbnailsComeFromThePictureUtilityThroughTheCache) {
  auto active = scene_->GetActiveScene();
  auto cache = active->ThumbnailCache();
  auto pictures = std::make_shared<MemPictureUtility>();
  auto maps = scene_->Node("Teapot")->GetMaterial(0)->Maps();
  EXPECT_EQ(maps->GetMapThumbnail1(pictures, cache, 32),
            "thumbnail:wood.png:32");
  EXPECT_EQ(maps->GetMapThumbnail6(pictures, cache, 32),
            "thumbnail:bump.png:32");
  EXPECT_EQ(maps->GetMapThumbnail2(pictures, cache, 32), "");
  EXPECT_EQ(maps->GetMapThumbnail1(pictures, cache, 32),
            "thumbnail:wood.png:32");
  EXPECT_EQ(scene_->state().thumbnails_made, 2);
  EXPECT_EQ(ErrorNumberOf([&] { maps->GetMapThumbnail1(nullptr, cache, 32); }), 91);
  EXPECT_EQ(ErrorNumberOf([&] { maps->GetMapThumbnail1(pictures, cache, 0); }), 5);
}

TEST_F(HandlesTest, ObjectsOutliveTheirNodeAndSceneSafely) {
  auto cup = scene_->Node("Cup");
  auto material = scene_->Node("Teapot")->GetMaterial(1);
  auto snapshot = nlohmann::json::parse(scene_->ToText());
  auto& nodes = snapshot["nodes"];
  for (auto it = nodes.begin(); it != nodes.end(); ++it) {
    if ((*it)["name"] == "Cup") {
      nodes.erase(it);
      break;
    }
  }
  nodes[2]["Materials"].erase(1);  // Teapot keeps one material
  scene_->Restore(snapshot);
  EXPECT_EQ(ErrorNumberOf([&] { cup->Locked(); }), 91);
  EXPECT_EQ(ErrorNumberOf([&] { material->Colour(); }), 9);
  auto teapot = scene_->Node("Teapot");
  scene_.reset();
  EXPECT_EQ(ErrorNumberOf([&] { teapot->SmoothingLevel(); }), 91);
}

TEST_F(HandlesTest, AddNodeRefusesWhatAFileWouldRefuse) {
  scene_->AddNode("Vase", kNodeTypeShape, "Stage");
  EXPECT_EQ(scene_->ParentOf("Vase"), "Stage");
  EXPECT_EQ(ErrorNumberOf([&] { scene_->AddNode("Vase", kNodeTypeShape); }), 5);
  EXPECT_EQ(ErrorNumberOf([&] { scene_->AddNode("Lid", kNodeTypeShape, "Teapot"); }),
            5);
  EXPECT_EQ(ErrorNumberOf([&] { scene_->AddNode("Lid", 42); }), 5);
  EXPECT_EQ(ErrorNumberOf([&] { scene_->Select({"Vase", "Ghost"}); }), 5);
  EXPECT_EQ(scene_->SelectedNames(), std::vector<std::string>{"Teapot"});
}

}  // namespace
}  // namespace morvel

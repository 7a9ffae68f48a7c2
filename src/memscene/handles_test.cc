#include "memscene/handles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "base/error.h"
#include "memscene/mem_scene_graph.h"
#include "memscene/mem_utilities.h"
#include "memscene/test_scene.h"

namespace morvel {
namespace {

using testing::kTestScene;

Long ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const Error& e) {
    return e.Number();
  }
  return 0;
}

std::string DescriptionOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const Error& e) {
    return e.Description();
  }
  return {};
}

class HandlesTest : public ::testing::Test {
 protected:
  std::shared_ptr<MemSceneGraph> scene_ = MemSceneGraph::FromText(kTestScene);
  Long List() { return scene_->GetActiveScene()->SelectionList(); }
};

struct SelectedCase {
  const char* node;
  const char* getter;
  Long error;  // 0: the getter answers
};

class SelectedGetterTest : public HandlesTest,
                           public ::testing::WithParamInterface<SelectedCase> {
};

TEST_P(SelectedGetterTest, AnswersOnlyForItsKinds) {
  const SelectedCase& c = GetParam();
  scene_->Select({c.node});
  std::string getter = c.getter;
  Long list = List();
  Long error = ErrorOf([&] {
    std::shared_ptr<void> object;
    if (getter == "Node") object = scene_->GetSelectedNode(list, 0);
    if (getter == "Group") object = scene_->GetSelectedGroup(list, 0);
    if (getter == "Bone") object = scene_->GetSelectedBone(list, 0);
    if (getter == "Light") object = scene_->GetSelectedLight(list, 0);
    if (getter == "Camera") object = scene_->GetSelectedCamera(list, 0);
    ASSERT_NE(object, nullptr);
  });
  EXPECT_EQ(error, c.error);
}

INSTANTIATE_TEST_SUITE_P(Kinds, SelectedGetterTest,
                         ::testing::Values(SelectedCase{"Teapot", "Node", 0},
                                           SelectedCase{"Key", "Node", 0},
                                           SelectedCase{"Teapot", "Group", 13},
                                           SelectedCase{"Stage", "Group", 0},
                                           SelectedCase{"Arm", "Group", 0},
                                           SelectedCase{"Arm", "Bone", 0},
                                           SelectedCase{"Stage", "Bone", 13},
                                           SelectedCase{"Key", "Light", 0},
                                           SelectedCase{"Cam", "Light", 13},
                                           SelectedCase{"Cam", "Camera", 0},
                                           SelectedCase{"Key", "Camera", 13}));

TEST_F(HandlesTest, SelectionIndexesAndHandlesAreChecked) {
  scene_->Select({"Teapot", "Cup"});
  Long list = List();
  EXPECT_EQ(scene_->GetSelectionCount(list), 2);
  EXPECT_EQ(ErrorOf([&] { scene_->GetSelectedNode(list, 2); }), 9);
  EXPECT_EQ(ErrorOf([&] { scene_->GetSelectedNode(list, -1); }), 9);
  EXPECT_EQ(ErrorOf([&] { scene_->GetSelectedNode(0, 0); }), 5);
  EXPECT_EQ(ErrorOf([&] { scene_->GetSelectionCount(list + 100000); }), 5);
  // One object per node: the panel may compare what it holds.
  EXPECT_EQ(scene_->GetSelectedNode(list, 1), scene_->Node("Cup"));
  EXPECT_EQ(scene_->GetSelectedNode(list, 0)->NodeType(), kNodeTypeShape);
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
  EXPECT_EQ(ErrorOf([&] { key->SmoothingLevel(); }), 438);
  EXPECT_EQ(DescriptionOf([&] { key->SmoothingLevel(); }),
            "Object doesn't support this property or method: SmoothingLevel of "
            "the light "
            "\"Key\"");
  EXPECT_EQ(ErrorOf([&] { scene_->Node("Teapot")->Bone(); }), 13);
  EXPECT_EQ(ErrorOf([&] { scene_->Node("Cam")->CastsShadows(); }), 438);
  EXPECT_EQ(
      ErrorOf([&] {
        std::dynamic_pointer_cast<Group>(scene_->Node("Stage"))->BoneWeight();
      }),
      438);
  EXPECT_TRUE(key->CastsShadows());
  EXPECT_EQ(std::dynamic_pointer_cast<Light>(key)->SpotlightUmbra(kCurrentKey),
            0.3f);
}

TEST_F(HandlesTest, ALightNodeIsItsOwnReference) {
  auto key = scene_->Node("Key");
  auto hierarchy = scene_->GetActiveScene()->Hierarchy();
  EXPECT_EQ(key->ObjectRef(), key);
  auto light = scene_->GetLightOfNode(hierarchy, key->ObjectRef());
  EXPECT_EQ(light->LightType(), kLightTypeSpot);
  light->SetCastsShadows(false);
  EXPECT_FALSE(key->CastsShadows());
  EXPECT_EQ(ErrorOf([&] {
              scene_->GetLightOfNode(hierarchy, scene_->Node("Teapot"));
            }),
            13);
  EXPECT_EQ(ErrorOf([&] { scene_->GetLightOfNode(nullptr, key); }), 91);
  EXPECT_EQ(ErrorOf([&] { scene_->GetLightOfNode(hierarchy, nullptr); }), 91);
  auto other = MemSceneGraph::FromText(kTestScene);
  EXPECT_EQ(ErrorOf([&] {
              scene_->GetLightOfNode(other->GetActiveScene()->Hierarchy(), key);
            }),
            5);
}

struct BoneSwitch {
  Long result;
  bool start;
  bool enable;
  bool after;
};

class BoneSwitchTest : public HandlesTest,
                       public ::testing::WithParamInterface<BoneSwitch> {};

TEST_P(BoneSwitchTest, AnswersItsResultAndSwitchesWhenItCan) {
  const BoneSwitch& c = GetParam();
  auto bone = std::dynamic_pointer_cast<Group>(scene_->Node("Arm"));
  scene_->Restore([&] {
    auto json = nlohmann::json::parse(scene_->ToText());
    for (auto& node : json["nodes"]) {
      if (node["name"] == "Arm") {
        node["SetBoneEnabledResult"] = c.result;
        node["Enabled"] = c.start;
      }
    }
    return json;
  }());
  EXPECT_EQ(bone->SetBoneEnabled(c.enable), c.result);
  EXPECT_EQ(scene_->ValueText("Arm.Enabled"), c.after ? "True" : "False");
}

INSTANTIATE_TEST_SUITE_P(Results, BoneSwitchTest,
                         ::testing::Values(BoneSwitch{0, false, true, true},
                                           BoneSwitch{0, true, false, false},
                                           BoneSwitch{-1, false, true, false},
                                           BoneSwitch{-1, true, false, false},
                                           BoneSwitch{-2, false, true, false},
                                           BoneSwitch{-2, true, false, true}));

TEST_F(HandlesTest, GroupsMeasureFromAnyGroup) {
  auto stage = std::dynamic_pointer_cast<Group>(scene_->Node("Stage"));
  auto rig = std::dynamic_pointer_cast<Group>(scene_->Node("Rig"));
  auto arm = std::dynamic_pointer_cast<Group>(scene_->Node("Arm"));
  EXPECT_EQ(rig->Parent(), stage);
  EXPECT_EQ(stage->Parent(), nullptr);
  // Relative to the parent: the stored values.
  EXPECT_EQ(rig->GetPosition(stage, kCurrentKey), (SingleVector3{0, 0, 5}));
  EXPECT_EQ(rig->GetOrientation(stage, kCurrentKey).Forward,
            (SingleVector3{1, 0, 0}));
  // In the scene's frame: Stage sits at (1, 2, 3).
  EXPECT_EQ(rig->GetPosition(nullptr, kCurrentKey), (SingleVector3{1, 2, 8}));
  // Rig looks along X: Arm, at Stage's origin, is 5 ahead... along Rig's X.
  SingleVector3 p = arm->GetPosition(rig, kCurrentKey);
  EXPECT_NEAR(p.X, 5, 1e-6);
  EXPECT_NEAR(p.Y, 0, 1e-6);
  EXPECT_NEAR(p.Z, 0, 1e-6);
  Orientation o = arm->GetOrientation(rig, kCurrentKey);
  EXPECT_NEAR(o.Forward.X, -1, 1e-6);
  EXPECT_NEAR(o.Forward.Z, 0, 1e-6);
  EXPECT_NEAR(o.Up.Y, 1, 1e-6);

  arm->SetPosition(nullptr, kCurrentKey, {0, 0, 0});
  EXPECT_EQ(arm->GetPosition(stage, kCurrentKey), (SingleVector3{-1, -2, -3}));
  arm->SetPosition(rig, kCurrentKey, {5, 0, 0});
  SingleVector3 local = arm->GetPosition(stage, kCurrentKey);
  EXPECT_NEAR(local.X, 0, 1e-6);
  EXPECT_NEAR(local.Y, 0, 1e-6);
  EXPECT_NEAR(local.Z, 0, 1e-6);
  arm->SetOrientation(rig, kCurrentKey, {0, 0, 1}, {0, 1, 0});
  Orientation same_as_rig = arm->GetOrientation(stage, kCurrentKey);
  EXPECT_NEAR(same_as_rig.Forward.X, 1, 1e-6);
  EXPECT_NEAR(same_as_rig.Up.Y, 1, 1e-6);
  EXPECT_EQ(ErrorOf([&] {
              arm->SetOrientation(stage, kCurrentKey, {0, 0, 0}, {0, 1, 0});
            }),
            5);

  // Far out in one frame and far out the other way in the next: beyond a
  // Single, an overflow that leaves the position as it was.
  stage->SetPosition(nullptr, kCurrentKey, {-3e38f, 0, 0});
  EXPECT_EQ(ErrorOf([&] {
              arm->SetPosition(nullptr, kCurrentKey, {3e38f, 0, 0});
            }),
            6);
  EXPECT_EQ(arm->GetPosition(rig, kCurrentKey), (SingleVector3{5, 0, 0}));
  stage->SetPosition(nullptr, kCurrentKey, {3e38f, 0, 0});
  arm->SetPosition(stage, kCurrentKey, {3e38f, 0, 0});
  EXPECT_EQ(ErrorOf([&] { arm->GetPosition(nullptr, kCurrentKey); }), 6);
}

TEST_F(HandlesTest, MaterialsAndTheirMaps) {
  auto teapot = scene_->Node("Teapot");
  EXPECT_EQ(teapot->MaterialCount(), 2);
  EXPECT_EQ(ErrorOf([&] { teapot->GetMaterial(2); }), 9);
  auto material = teapot->GetMaterial(0);
  EXPECT_EQ(material->GetFieldValue(0), "glossy");
  EXPECT_EQ(material->GetFieldValue(1), "");  // named by the scene, not set
  EXPECT_EQ(ErrorOf([&] { material->GetFieldValue(2); }), 9);
  auto maps = material->Maps();
  ASSERT_NE(maps, nullptr);
  EXPECT_EQ(maps->MapPath1(), "wood.png");
  EXPECT_EQ(maps->MapPath6(), "bump.png");
  EXPECT_EQ(maps->MapSettingA(), 2);
  EXPECT_EQ(maps->MapSettingB(), 1);
  EXPECT_EQ(maps->Blend(), 0.25f);
  EXPECT_EQ(teapot->GetMaterial(1)->Maps(), nullptr);
}

TEST_F(HandlesTest, CreateMapsTakesItsArgumentsInItsOwnOrder) {
  auto builder = scene_->GetActiveScene()->MapBuilder();
  auto maps =
      builder->CreateMaps("m1", 3, 2, "m3", "m2", 75, "m4", "m5", "m6", "");
  EXPECT_EQ(maps->MapPath1(), "m1");
  EXPECT_EQ(maps->MapPath2(), "m2");
  EXPECT_EQ(maps->MapPath3(), "m3");
  EXPECT_EQ(maps->MapPath4(), "m4");
  EXPECT_EQ(maps->MapPath5(), "m5");
  EXPECT_EQ(maps->MapPath6(), "m6");
  EXPECT_EQ(maps->MapSettingA(), 3);
  EXPECT_EQ(maps->MapSettingB(), 2);
  // The grid's 75 (% of the material's own colour) is a texture share of 0.25.
  EXPECT_EQ(maps->Blend(), 0.25f);
  EXPECT_EQ(builder->CreateMaps("", 0, 0, "", "", 100, "", "", "", "")->Blend(),
            0.0f);
  EXPECT_EQ(builder->CreateMaps("", 0, 0, "", "", 40, "", "", "", "")->Blend(),
            0.6f);
  EXPECT_EQ(ErrorOf([&] {
              builder->CreateMaps("", 0, 0, "", "", 101, "", "", "", "");
            }),
            380);
  EXPECT_EQ(ErrorOf([&] {
              builder->CreateMaps("", 0, 0, "", "", -1, "", "", "", "");
            }),
            380);

  auto material = scene_->Node("Teapot")->GetMaterial(1);
  material->SetMaps(maps);
  EXPECT_EQ(scene_->ValueText("Teapot.Materials[1].Maps.Paths"),
            R"(["m1","m2","m3","m4","m5","m6"])");
  material->SetMaps(nullptr);
  EXPECT_EQ(material->Maps(), nullptr);
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
  EXPECT_EQ(ErrorOf([&] { maps->GetMapThumbnail1(nullptr, cache, 32); }), 91);
  EXPECT_EQ(ErrorOf([&] { maps->GetMapThumbnail1(pictures, nullptr, 32); }),
            91);
  EXPECT_EQ(ErrorOf([&] { maps->GetMapThumbnail1(pictures, cache, 0); }), 5);
}

TEST_F(HandlesTest, DisplayAsBoxAsksForARedrawOnlyWhenItChanges) {
  Long list = List();
  auto cup = scene_->Node("Cup");
  cup->SetDisplayAsBox(0);
  EXPECT_EQ(scene_->SelectionNeedsRefresh(list), 0);
  cup->SetDisplayAsBox(1);
  EXPECT_EQ(scene_->SelectionNeedsRefresh(list), 1);
  scene_->RefreshSelection(list);
  EXPECT_EQ(scene_->SelectionNeedsRefresh(list), 0);
}

TEST_F(HandlesTest, FieldIndexesAndNumbersAreChecked) {
  auto teapot = scene_->Node("Teapot");
  EXPECT_EQ(teapot->GetCustomFieldValue(0), "T-100");
  EXPECT_EQ(ErrorOf([&] { teapot->GetCustomFieldValue(6); }), 9);
  EXPECT_EQ(ErrorOf([&] { teapot->SetCustomFieldValue(-1, "x"); }), 9);
  EXPECT_EQ(ErrorOf([&] { teapot->SetSmoothAngle(kCurrentKey, NAN); }), 5);
  EXPECT_EQ(ErrorOf([&] {
              teapot->SetClones({1, 1, 1}, {INFINITY, 0, 0}, {0, 0, 0});
            }),
            5);
  EXPECT_EQ(teapot->SmoothAngle(kCurrentKey), 30.0f);
  EXPECT_EQ(teapot->GetClones().Counts, (LongVector3{3, 0, 0}));
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
  EXPECT_EQ(ErrorOf([&] { cup->Locked(); }), 91);
  EXPECT_EQ(ErrorOf([&] { material->Colour(); }), 9);
  auto teapot = scene_->Node("Teapot");
  scene_.reset();
  EXPECT_EQ(ErrorOf([&] { teapot->SmoothingLevel(); }), 91);
}

TEST_F(HandlesTest, AddNodeRefusesWhatAFileWouldRefuse) {
  auto added = scene_->AddNode("Vase", kNodeTypeShape, "Stage");
  EXPECT_EQ(added->NodeType(), kNodeTypeShape);
  EXPECT_EQ(scene_->ParentOf("Vase"), "Stage");
  EXPECT_EQ(ErrorOf([&] { scene_->AddNode("Vase", kNodeTypeShape); }), 5);
  EXPECT_EQ(ErrorOf([&] { scene_->AddNode("Lid", kNodeTypeShape, "Teapot"); }),
            5);
  EXPECT_EQ(ErrorOf([&] { scene_->AddNode("Lid", 42); }), 5);
  EXPECT_EQ(ErrorOf([&] { scene_->AddNode("", kNodeTypeShape); }), 5);
  EXPECT_EQ(ErrorOf([&] { scene_->Select({"Vase", "Ghost"}); }), 5);
  EXPECT_EQ(scene_->SelectedNames(), std::vector<std::string>{"Teapot"});
}

}  // namespace
}  // namespace morvel

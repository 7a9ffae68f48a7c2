#include "memscene/host_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "base/error_testing.h"
#include "memscene/test_scene.h"

namespace morvel {
namespace {

struct HostCase {
  std::vector<std::string> selection;
  SetupArguments expected;
};

class HostRulesTest : public ::testing::TestWithParam<HostCase> {};

// The shared test scene, plus a light under a bone and one two levels below
// a group: neither counts for the group or the bone being selected.
const std::string kScene = [] {
  std::string text = testing::kTestScene;
  text.insert(text.rfind(']'), R"(,
    {"name": "Glow", "kind": "light", "parent": "Arm", "LightType": 0},
    {"name": "Deep", "kind": "group", "parent": "Rig"},
    {"name": "Far", "kind": "light", "parent": "Deep", "LightType": 0})");
  return text;
}();

TEST_P(HostRulesTest, DescribeTheSelection) {
  auto scene = MemSceneGraph::FromText(kScene);
  scene->Select(GetParam().selection);
  SetupArguments a =
      ComputeSetupArguments(*scene, GetParam().expected.SelectedTab);
  const SetupArguments& e = GetParam().expected;
  EXPECT_EQ(a.SelectedTab, e.SelectedTab);
  EXPECT_EQ(a.SelectionEntity, e.SelectionEntity);
  EXPECT_EQ(a.ShapesSelectedCount, e.ShapesSelectedCount);
  EXPECT_EQ(a.LightsSelectedCount, e.LightsSelectedCount);
  EXPECT_EQ(a.BonesSelectedCount, e.BonesSelectedCount);
  EXPECT_EQ(a.CamerasSelectedCount, e.CamerasSelectedCount);
  EXPECT_EQ(a.GroupsSelectedCount, e.GroupsSelectedCount);
  EXPECT_EQ(a.AmbientLightSelected, e.AmbientLightSelected);
  EXPECT_EQ(a.DirectionalLightSelected, e.DirectionalLightSelected);
  EXPECT_EQ(a.SceneSelected, e.SceneSelected);
  EXPECT_EQ(a.RenderMode, e.RenderMode);
}

// Teapot and Cup draw smooth (2), Box flat (4); Sun is a directional light in
// the group Rig, Fill an ambient light, Key a spotlight.
INSTANTIATE_TEST_SUITE_P(
    Selections, HostRulesTest,
    ::testing::Values(
        // Selection, then the eleven arguments in their order.
        HostCase{{}, {2, 0, 0, 0, 0, 0, 0, false, false, false, 0}},
        HostCase{{"Teapot"}, {3, 11, 1, 0, 0, 0, 0, false, false, false, 2}},
        HostCase{{"Teapot", "Cup"},
                 {2, 11, 2, 0, 0, 0, 0, false, false, false, 2}},
        HostCase{{"Teapot", "Box"},
                 {2, 11, 2, 0, 0, 0, 0, false, false, false, -1}},
        HostCase{{"Cam", "Box"},
                 {2, 30, 1, 0, 0, 1, 0, false, false, false, 4}},
        HostCase{{"Fill"}, {3, 60, 0, 1, 0, 0, 0, true, false, false, 0}},
        HostCase{{"Key"}, {3, 60, 0, 1, 0, 0, 0, false, false, false, 0}},
        HostCase{{"Fill", "Sun"}, {2, 60, 0, 2, 0, 0, 0, true, true, false, 0}},
        HostCase{{"Rig"}, {3, 1, 0, 0, 0, 0, 1, false, true, false, 0}},
        HostCase{{"Stage"}, {3, 1, 0, 0, 0, 0, 1, false, false, false, 0}},
        HostCase{{"Arm"}, {3, 16, 0, 0, 1, 0, 0, false, false, false, 0}},
        HostCase{{"Arm", "Hand"},
                 {2, 16, 0, 0, 2, 0, 0, false, false, false, 0}},
        HostCase{{"Hand", "Stage", "Teapot"},
                 {2, 16, 1, 0, 1, 0, 1, false, false, false, 2}}));

// Working out the arguments reads the scene as the panel would, but the
// failures planned for the panel, and the calls to let through before them,
// are all still there for the panel's own calls.
TEST(HostRulesTest, SpendNoneOfThePanelsPlannedFaults) {
  auto scene = MemSceneGraph::FromText(kScene);
  scene->Select({"Teapot", "Rig", "Sun"});
  scene->Fault("GetSelectedNode", 5, "planned", /*after_n=*/1);
  scene->Fault("LightType", 6, "planned");
  SetupArguments a = ComputeSetupArguments(*scene, 2);
  EXPECT_EQ(a.LightsSelectedCount, 1);
  EXPECT_TRUE(a.DirectionalLightSelected);
  Long list = scene->GetActiveScene()->SelectionList();
  EXPECT_EQ(testing::ErrorNumberOf([&] { scene->GetSelectedNode(list, 0); }), 0);
  EXPECT_EQ(testing::ErrorNumberOf([&] { scene->GetSelectedNode(list, 0); }), 5);
  EXPECT_EQ(testing::ErrorNumberOf(
                [&] { scene->GetSelectedLight(list, 2)->LightType(); }),
            6);
}

}  // namespace
}  // namespace morvel

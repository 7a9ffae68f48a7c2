#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "base/error.h"
#include "base/error_testing.h"
#include "memscene/mem_scene_graph.h"
#include "memscene/mem_utilities.h"
#include "memscene/test_scene.h"

namespace morvel {
namespace {

using ::morvel::testing::ErrorNumberOf;

// Shapes S1-S3, lights L1-L2, bones B1-B2, a group and a camera with the
// flags the selection queries read.
constexpr const char* kFlagScene = R"({"nodes": [
  {"name": "S1", "kind": "shape", "Locked": true, "DrawPoints": true, "DisplayAsBox": 1},
  {"name": "S2", "kind": "shape", "Hidden": true, "CastsShadows": false, "DrawPoints": true,
   "DrawNormals": true},
  {"name": "S3", "kind": "shape", "Locked": true, "DrawPoints": true, "DisplayAsBox": 1,
   "DrawTranslucent": true},
  {"name": "L1", "kind": "light", "CastsShadows": false},
  {"name": "L2", "kind": "light", "Hidden": true},
  {"name": "B1", "kind": "bone"},
  {"name": "B2", "kind": "bone", "Enabled": false},
  {"name": "G1", "kind": "group", "Hidden": true},
  {"name": "C1", "kind": "camera"}]})";

// Each query answers none (0), all (1) or mixed (2) over the nodes it
// looks at, whatever else is selected.
TEST(TriStateTest, AnswersNoneAllOrMixedOverTheKindsItLooksAt) {
  const struct {
    std::vector<std::string> selection;
    Long hidden, locked, enabled, shadowless, points, normals, box,
        translucent;
  } cases[] = {
      // Selection, then Hidden, Locked, Enabled, Shadowless, DrawPoints,
      // DrawNormals, DisplayAsBox, DrawTranslucent.
      {{}, 0, 0, 0, 0, 0, 0, 0, 0},
      {{"S1", "S3"}, 0, 1, 0, 0, 1, 0, 1, 2},
      {{"S1", "S2"}, 2, 2, 0, 2, 1, 2, 2, 0},
      {{"L1", "L2"}, 2, 0, 0, 2, 0, 0, 0, 0},
      {{"S1", "L1"}, 0, 1, 0, 2, 1, 0, 1, 0},
      {{"G1", "L2", "S2"}, 1, 0, 0, 2, 1, 1, 0, 0},
      {{"B1", "B2"}, 0, 0, 2, 0, 0, 0, 0, 0},
      {{"B2", "S1"}, 0, 1, 0, 0, 1, 0, 1, 0},
      {{"G1", "C1"}, 2, 0, 0, 0, 0, 0, 0, 0}};
  auto scene = MemSceneGraph::FromText(kFlagScene);
  MemSceneUtility u;
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.selection));
    scene->Select(c.selection);
    Long list = scene->GetActiveScene()->SelectionList();
    EXPECT_EQ(u.GetHiddenState(list), c.hidden);
    EXPECT_EQ(u.GetLockedState(list), c.locked);
    EXPECT_EQ(u.GetEnabledState(list), c.enabled);
    EXPECT_EQ(u.GetShadowlessState(list), c.shadowless);
    EXPECT_EQ(u.GetDrawPointsState(list), c.points);
    EXPECT_EQ(u.GetDrawNormalsState(list), c.normals);
    EXPECT_EQ(u.GetDisplayAsBoxState(list), c.box);
    EXPECT_EQ(u.GetDrawTranslucentState(list), c.translucent);
  }
}

// Hiding reports each kind of node whose visibility changed; the panel
// raises one notification for each.
TEST(SetHiddenTest, ReportsEachKindWhoseVisibilityChanged) {
  const struct {
    std::vector<std::string> selection;
    bool hide;
    HiddenChanges changes;
  } cases[] = {
      {{}, true, {false, false, false, false, false}},
      {{"S2", "L2", "G1"}, true, {false, false, false, false, false}},
      {{"S2", "L2", "G1"}, false, {true, true, false, true, false}},
      {{"B1", "C1"}, true, {false, false, true, false, true}},
      {{"C1", "B2", "S3", "L1", "G1"}, true, {true, true, true, false, true}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.selection));
    auto scene = MemSceneGraph::FromText(kFlagScene);
    scene->Select(c.selection);
    auto active = scene->GetActiveScene();
    Long list = active->SelectionList();
    MemSceneUtility u;
    EXPECT_EQ(u.SetHidden(active->Hierarchy(), list, 0, 0, c.hide), c.changes);
    std::vector<std::string> journal;
    for (const auto& name : c.selection) {
      journal.push_back("SetHidden " + name + (c.hide ? " True" : " False"));
    }
    EXPECT_EQ(scene->JournalLines(), journal);
  }
}

TEST(SetHiddenTest, RefusesBadArguments) {
  auto scene = MemSceneGraph::FromText(kFlagScene);
  auto other = MemSceneGraph::FromText(kFlagScene);
  auto active = scene->GetActiveScene();
  Long list = active->SelectionList();
  MemSceneUtility u;
  EXPECT_EQ(ErrorNumberOf([&] { u.SetHidden(nullptr, list, 0, 0, true); }), 91);
  EXPECT_EQ(
      ErrorNumberOf([&] { u.SetHidden(active->Hierarchy(), list, 1, 0, true); }), 5);
  EXPECT_EQ(
      ErrorNumberOf([&] { u.SetHidden(active->Hierarchy(), list, 0, 2, true); }), 5);
  EXPECT_EQ(ErrorNumberOf([&] {
              u.SetHidden(other->GetActiveScene()->Hierarchy(), list, 0, 0,
                          true);
            }),
            5);
  EXPECT_EQ(ErrorNumberOf([&] { u.SetHidden(active->Hierarchy(), 0, 0, 0, true); }),
            5);
  EXPECT_EQ(ErrorNumberOf([&] { u.GetHiddenState(12); }), 5);
  EXPECT_TRUE(scene->JournalLines().empty());
}

TEST(ColourHelperTest, TakePackedColoursApart) {
  MemSceneUtility u;
  // 0xAABBGGRR: alpha 0x80, blue 0xFF, green 0x40, red 0x20.
  Colour packed = static_cast<Colour>(0x80FF4020u);
  EXPECT_FLOAT_EQ(u.ColourRed(packed), 32.0f / 255);
  EXPECT_FLOAT_EQ(u.ColourGreen(packed), 64.0f / 255);
  EXPECT_FLOAT_EQ(u.ColourBlue(packed), 1.0f);
  EXPECT_FLOAT_EQ(u.ColourAlpha(packed), 128.0f / 255);
  EXPECT_FLOAT_EQ(u.ColourAlpha(0x00FFFFFF), 0.0f);
  EXPECT_FLOAT_EQ(u.ColourRed(-1), 1.0f);
  EXPECT_FLOAT_EQ(u.ColourAlpha(-1), 1.0f);
}

TEST(MaterialLevelTest, ALevelThatIsNoNumberChangesNothing) {
  auto scene = MemSceneGraph::FromText(testing::kTestScene);
  auto material = scene->Node("Teapot")->GetMaterial(0);
  MemSceneUtility u;
  EXPECT_EQ(ErrorNumberOf([&] { u.SetDiffuseLevel(material, "lots", 0); }), 13);
  EXPECT_EQ(ErrorNumberOf([&] { u.SetDiffuseLevel(material, "", 0); }), 13);
  EXPECT_EQ(ErrorNumberOf([&] { u.GetDiffuseLevel(nullptr, 0); }), 91);
  EXPECT_EQ(scene->ValueText("Teapot.Materials[0].Diffuse"), "80");
  EXPECT_TRUE(scene->JournalLines().empty());
}

TEST(RemainderTest, KeepsTheSignOfTheDividend) {
  MemMathUtility m;
  const struct {
    Long x, y, remainder;
  } cases[] = {{7, 3, 1},     {-7, 3, -1},  {7, -3, 1},
               {300, 256, 44}, {INT_MIN, -1, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(m.Remainder(c.x, c.y), c.remainder) << c.x << " % " << c.y;
  }
  EXPECT_EQ(ErrorNumberOf([&] { m.Remainder(5, 0); }), 11);
}

TEST(FactoryTest, AReferenceSceneInstallsTheReferenceUtilities) {
  SetUtilityFactory(nullptr);
  auto scene = std::make_shared<MemSceneGraph>();
  EXPECT_NE(std::dynamic_pointer_cast<MemSceneUtility>(SharedSceneUtility()),
            nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<MemMathUtility>(SharedMathUtility()),
            nullptr);
  EXPECT_NE(
      std::dynamic_pointer_cast<MemPictureUtility>(CreatePictureUtility()),
      nullptr);
  EXPECT_EQ(ThreadDialogUtility(), SharedDialogUtility());
}

}  // namespace
}  // namespace morvel

#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "base/error.h"
#include "memscene/mem_scene_graph.h"
#include "memscene/mem_utilities.h"
#include "memscene/test_scene.h"

namespace morvel {
namespace {

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

Long ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const Error& e) {
    return e.Number();
  }
  return 0;
}

struct TriStateCase {
  std::vector<std::string> selection;
  Long hidden, locked, enabled, shadowless, points, normals, box, translucent;
};

class TriStateTest : public ::testing::TestWithParam<TriStateCase> {};

TEST_P(TriStateTest, AnswersNoneAllOrMixedOverTheKindsItLooksAt) {
  const TriStateCase& c = GetParam();
  auto scene = MemSceneGraph::FromText(kFlagScene);
  scene->Select(c.selection);
  Long list = scene->GetActiveScene()->SelectionList();
  MemSceneUtility utility;
  EXPECT_EQ(utility.GetHiddenState(list), c.hidden);
  EXPECT_EQ(utility.GetLockedState(list), c.locked);
  EXPECT_EQ(utility.GetEnabledState(list), c.enabled);
  EXPECT_EQ(utility.GetShadowlessState(list), c.shadowless);
  EXPECT_EQ(utility.GetDrawPointsState(list), c.points);
  EXPECT_EQ(utility.GetDrawNormalsState(list), c.normals);
  EXPECT_EQ(utility.GetDisplayAsBoxState(list), c.box);
  EXPECT_EQ(utility.GetDrawTranslucentState(list), c.translucent);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, TriStateTest,
    ::testing::Values(
        // Selection, then Hidden, Locked, Enabled, Shadowless, DrawPoints,
        // DrawNormals, DisplayAsBox, DrawTranslucent.
        TriStateCase{{}, 0, 0, 0, 0, 0, 0, 0, 0},
        TriStateCase{{"S1"}, 0, 1, 0, 0, 1, 0, 1, 0},
        TriStateCase{{"S1", "S3"}, 0, 1, 0, 0, 1, 0, 1, 2},
        TriStateCase{{"S1", "S2"}, 2, 2, 0, 2, 1, 2, 2, 0},
        TriStateCase{{"L1"}, 0, 0, 0, 1, 0, 0, 0, 0},
        TriStateCase{{"L1", "L2"}, 2, 0, 0, 2, 0, 0, 0, 0},
        TriStateCase{{"S1", "L1"}, 0, 1, 0, 2, 1, 0, 1, 0},
        TriStateCase{{"S2", "L1"}, 2, 0, 0, 1, 1, 1, 0, 0},
        TriStateCase{{"G1", "L2", "S2"}, 1, 0, 0, 2, 1, 1, 0, 0},
        TriStateCase{{"B1"}, 0, 0, 1, 0, 0, 0, 0, 0},
        TriStateCase{{"B1", "B2"}, 0, 0, 2, 0, 0, 0, 0, 0},
        TriStateCase{{"B2", "S1"}, 0, 1, 0, 0, 1, 0, 1, 0},
        TriStateCase{{"G1", "C1"}, 2, 0, 0, 0, 0, 0, 0, 0}));

struct SetHiddenCase {
  std::vector<std::string> selection;
  bool hide;
  HiddenChanges changes;
};

class SetHiddenTest : public ::testing::TestWithParam<SetHiddenCase> {};

TEST_P(SetHiddenTest, ReportsEachKindWhoseVisibilityChanged) {
  const SetHiddenCase& c = GetParam();
  auto scene = MemSceneGraph::FromText(kFlagScene);
  scene->Select(c.selection);
  auto active = scene->GetActiveScene();
  Long list = active->SelectionList();
  MemSceneUtility utility;
  EXPECT_EQ(utility.SetHidden(active->Hierarchy(), list, 0, 0, c.hide),
            c.changes);
  if (!c.selection.empty()) {
    EXPECT_EQ(utility.GetHiddenState(list), c.hide ? 1 : 0);
  }
  std::vector<std::string> journal;
  for (const auto& name : c.selection) {
    journal.push_back("SetHidden " + name + (c.hide ? " True" : " False"));
  }
  EXPECT_EQ(scene->JournalLines(), journal);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, SetHiddenTest,
    ::testing::Values(
        SetHiddenCase{{}, true, {false, false, false, false, false}},
        SetHiddenCase{{"S1", "L1"}, true, {true, true, false, false, false}},
        SetHiddenCase{
            {"S2", "L2", "G1"}, true, {false, false, false, false, false}},
        SetHiddenCase{
            {"S2", "L2", "G1"}, false, {true, true, false, true, false}},
        SetHiddenCase{{"S1", "S2"}, true, {true, false, false, false, false}},
        SetHiddenCase{
            {"B1", "G1", "C1"}, false, {false, false, false, true, false}},
        SetHiddenCase{{"B1", "C1"}, true, {false, false, true, false, true}},
        SetHiddenCase{{"C1", "B2", "S3", "L1", "G1"},
                      true,
                      {true, true, true, false, true}}));

TEST(SetHiddenTest, RefusesBadArguments) {
  auto scene = MemSceneGraph::FromText(kFlagScene);
  auto other = MemSceneGraph::FromText(kFlagScene);
  auto active = scene->GetActiveScene();
  Long list = active->SelectionList();
  MemSceneUtility u;
  EXPECT_EQ(ErrorOf([&] { u.SetHidden(nullptr, list, 0, 0, true); }), 91);
  EXPECT_EQ(
      ErrorOf([&] { u.SetHidden(active->Hierarchy(), list, 1, 0, true); }), 5);
  EXPECT_EQ(
      ErrorOf([&] { u.SetHidden(active->Hierarchy(), list, 0, 2, true); }), 5);
  EXPECT_EQ(ErrorOf([&] {
              u.SetHidden(other->GetActiveScene()->Hierarchy(), list, 0, 0,
                          true);
            }),
            5);
  EXPECT_EQ(ErrorOf([&] { u.SetHidden(active->Hierarchy(), 0, 0, 0, true); }),
            5);
  EXPECT_EQ(ErrorOf([&] { u.GetHiddenState(12); }), 5);
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

TEST(ColourHelperTest, MaterialColoursCarryTheirAlpha) {
  auto scene = MemSceneGraph::FromText(testing::kTestScene);
  auto teapot = scene->Node("Teapot");
  // [1, 0.5, 0, 1]: green 127.5 rounds to the even 128.
  EXPECT_EQ(teapot->GetMaterial(0)->Colour(), static_cast<Colour>(0xFF0080FFu));
  MemSceneUtility u;
  Colour translucent = teapot->GetMaterial(1)->Colour();
  EXPECT_FLOAT_EQ(u.ColourAlpha(translucent), 85.0f / 255);
  EXPECT_FLOAT_EQ(u.ColourBlue(translucent), 1.0f);
}

TEST(MaterialLevelTest, ReadsAndWritesWholePercents) {
  auto scene = MemSceneGraph::FromText(testing::kTestScene);
  auto material = scene->Node("Teapot")->GetMaterial(0);
  MemSceneUtility u;
  EXPECT_EQ(u.GetDiffuseLevel(material, material->Colour()), 80);
  EXPECT_EQ(u.GetAmbientLevel(material, material->Colour()), 20);
  EXPECT_EQ(u.GetSpecularLevel(material), 50);
  u.SetDiffuseLevel(material, "40", material->Colour());
  u.SetAmbientLevel(material, "12.5", material->Colour());  // halves to even
  u.SetSpecularLevel(material, " 7 ");
  EXPECT_EQ(scene->ValueText("Teapot.Materials[0].Diffuse"), "40");
  EXPECT_EQ(scene->ValueText("Teapot.Materials[0].Ambient"), "12");
  EXPECT_EQ(scene->ValueText("Teapot.Materials[0].Specular"), "7");
  EXPECT_EQ(
      scene->JournalLines(),
      (std::vector<std::string>{"SetDiffuseLevel Teapot.Materials[0] 40",
                                "SetAmbientLevel Teapot.Materials[0] 12",
                                "SetSpecularLevel Teapot.Materials[0] 7"}));
  EXPECT_EQ(ErrorOf([&] { u.SetDiffuseLevel(material, "lots", 0); }), 13);
  EXPECT_EQ(ErrorOf([&] { u.SetDiffuseLevel(material, "", 0); }), 13);
  EXPECT_EQ(ErrorOf([&] { u.GetDiffuseLevel(nullptr, 0); }), 91);
  EXPECT_EQ(scene->ValueText("Teapot.Materials[0].Diffuse"), "40");
}

TEST(SourceTest, CaptionAndDetailOfShapes) {
  auto scene = MemSceneGraph::FromText(testing::kTestScene);
  MemSceneUtility u;
  EXPECT_EQ(u.GetSourceCaption(scene->Node("Teapot"), true), "Teapot");
  EXPECT_EQ(u.GetSourceDetail(scene->Node("Teapot"), true), "teapot.obj");
  EXPECT_EQ(u.GetSourceCaption(scene->Node("Cup"), true), "Cup");
  EXPECT_EQ(u.GetSourceDetail(scene->Node("Cup"), true), "");
  EXPECT_EQ(ErrorOf([&] { u.GetSourceCaption(scene->Node("Key"), true); }),
            438);
  EXPECT_EQ(ErrorOf([&] { u.GetSourceCaption(nullptr, true); }), 91);
}

TEST(SmallHelperTest, VectorsColoursAndMapSettings) {
  MemSceneUtility u;
  EXPECT_EQ(u.MakeVector(1.5f, -2, 0), (SingleVector3{1.5f, -2, 0}));
  EXPECT_EQ(u.MakeColour(0.25f, 1, 0), (ColourValue{0.25f, 1, 0, 1}));
  EXPECT_EQ(u.DefaultMapSettingB(), 1);
}

struct RemainderCase {
  Long x, y, remainder;
};

class RemainderTest : public ::testing::TestWithParam<RemainderCase> {};

TEST_P(RemainderTest, KeepsTheSignOfTheDividend) {
  MemMathUtility m;
  EXPECT_EQ(m.Remainder(GetParam().x, GetParam().y), GetParam().remainder);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemainderTest,
    ::testing::Values(RemainderCase{7, 3, 1}, RemainderCase{-7, 3, -1},
                      RemainderCase{7, -3, 1}, RemainderCase{300, 256, 44},
                      RemainderCase{0x00804020 / 256, 256, 0x40},
                      RemainderCase{0, 5, 0}, RemainderCase{INT_MIN, -1, 0}));

TEST(RemainderTest, ByZeroIsError11) {
  MemMathUtility m;
  EXPECT_EQ(ErrorOf([&] { m.Remainder(5, 0); }), 11);
}

TEST(DialogTest, ChoosersAnswerWhatWasScriptedInOrder) {
  MemDialogUtility d;
  EXPECT_EQ(d.ChooseColour(7, "Morvel", 0x123456).result,
            MemDialogUtility::kCancelled);
  d.AnswerColour(5, 0x00FF00);
  d.AnswerColour(1, 0x0000FF);
  ColourChoice accepted = d.ChooseColour(7, "Morvel", 0x123456);
  EXPECT_EQ(accepted.result, 5);
  EXPECT_EQ(accepted.colour, 0x00FF00);
  ColourChoice refused = d.ChooseColour(7, "Morvel", 0x123456);
  EXPECT_EQ(refused.result, 1);
  EXPECT_EQ(refused.colour, 0x123456);  // a cancelled chooser keeps the colour
  EXPECT_EQ(d.ChooseMapFile(7, "Morvel", 0, 1), "");
  d.AnswerMapFile("wood.png");
  EXPECT_EQ(d.ChooseMapFile(7, "Morvel", 0, 1), "wood.png");
  ASSERT_EQ(d.questions().size(), 5u);
  EXPECT_EQ(d.questions()[1].chooser, "ChooseColour");
  EXPECT_EQ(d.questions()[1].value, 0x123456);
  EXPECT_EQ(d.questions()[4].chooser, "ChooseMapFile");
  EXPECT_EQ(d.questions()[4].owner, 7);
  EXPECT_EQ(d.questions()[4].extra, 1);
  d.WriteDebugMessage("Properties instance terminating");
  d.WriteDebugMessage("Properties instance terminated");
  EXPECT_EQ(d.debug_messages(),
            (std::vector<std::string>{"Properties instance terminating",
                                      "Properties instance terminated"}));
}

TEST(PictureTest, ThumbnailsAreDescribedByPathAndSize) {
  MemPictureUtility p;
  EXPECT_EQ(p.LoadThumbnail("maps/wood.png", 32), "thumbnail:maps/wood.png:32");
  EXPECT_EQ(p.LoadThumbnail("", 32), "");
  EXPECT_EQ(ErrorOf([&] { p.LoadThumbnail("wood.png", 0); }), 5);
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

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>

#include "base/error.h"
#include "memscene/mem_applier.h"
#include "memscene/mem_scene_graph.h"
#include "memscene/mem_utilities.h"
#include "memscene/test_scene.h"

namespace morvel {
namespace {

using testing::kTestScene;

TEST(JournalTest, RecordsEveryWriteInOrder) {
  auto scene = MemSceneGraph::FromText(kTestScene);
  auto teapot = scene->Node("Teapot");
  auto stage = std::dynamic_pointer_cast<Group>(scene->Node("Stage"));
  auto rig = std::dynamic_pointer_cast<Group>(scene->Node("Rig"));
  auto key = std::dynamic_pointer_cast<Light>(scene->Node("Key"));
  auto cam = std::dynamic_pointer_cast<Camera>(scene->Node("Cam"));
  auto arm = std::dynamic_pointer_cast<Group>(scene->Node("Arm"));
  auto material = teapot->GetMaterial(0);

  teapot->SetSmoothingLevel(2);
  teapot->SetSmoothAngle(kCurrentKey, 45);
  teapot->SetSmoothAngle(12, 45.5f);
  teapot->SetSmoothingTension(kCurrentKey, -0.3f);
  teapot->SetCustomFieldValue(0, "A \"b\"");
  teapot->SetClones({1, 2, 3}, {0.5f, 0, 0}, {0, 0, 90});
  teapot->SetDrawPoints(true);
  material->SetColourComponents(1, 0.5f, 0, 0.75f);
  material->SetFieldValue(1, "x");
  material->SetMaps(nullptr);
  key->SetColour(kCurrentKey, {1, 0.5f, 0, 1});
  cam->SetFocalBlur(false);
  cam->SetFocalQuality(3);
  arm->SetBoneEnabled(false);
  arm->SetBoneIrregularOffset({1, 2, 3});
  stage->SetPosition(nullptr, kCurrentKey, {1, 2, 3});
  rig->SetOrientation(stage, kCurrentKey, {0, 0, 1}, {0, 1, 0});
  stage->SetIKJointLimits({-1, -2, -3, 1, 2, 3});
  stage->SetRotationalVelocity({0, 1, 0}, 6.283186f);
  scene->RefreshSelection(scene->GetActiveScene()->SelectionList());

  EXPECT_EQ(scene->JournalLines(),
            (std::vector<std::string>{
                "SetSmoothingLevel Teapot 2",
                "SetSmoothAngle Teapot 45",
                "SetSmoothAngle Teapot @12 45.5",
                "SetSmoothingTension Teapot -0.3",
                "SetCustomFieldValue Teapot 0 \"A \\\"b\\\"\"",
                "SetClones Teapot [1, 2, 3] [0.5, 0, 0] [0, 0, 90]",
                "SetDrawPoints Teapot True",
                "SetColourComponents Teapot.Materials[0] [1, 0.5, 0, 0.75]",
                "SetFieldValue Teapot.Materials[0] 1 \"x\"",
                "SetMaps Teapot.Materials[0] Nothing",
                "SetColour Key [1, 0.5, 0, 1]",
                "SetFocalBlur Cam False",
                "SetFocalQuality Cam 3",
                "SetBoneEnabled Arm False",
                "SetBoneIrregularOffset Arm [1, 2, 3]",
                "SetPosition Stage Nothing [1, 2, 3]",
                "SetOrientation Rig Stage [0, 0, 1] [0, 1, 0]",
                "SetIKJointLimits Stage [-1, -2, -3, 1, 2, 3]",
                "SetRotationalVelocity Stage [0, 1, 0] 6.283186",
                "RefreshSelection",
            }));
  EXPECT_EQ(
      scene->JournalOperations(17),
      (std::vector<std::string>{"SetIKJointLimits", "SetRotationalVelocity",
                                "RefreshSelection"}));
}

TEST(JournalTest, ReadsAreNotJournalled) {
  auto scene = MemSceneGraph::FromText(kTestScene);
  auto active = scene->GetActiveScene();
  Long list = active->SelectionList();
  auto node = scene->GetSelectedNode(list, 0);
  node->SmoothingLevel();
  node->GetClones();
  node->GetMaterial(0)->Maps();
  MemSceneUtility().GetHiddenState(list);
  active->CustomShapeFieldNames();
  EXPECT_EQ(scene->JournalSize(), 0u);
}

TEST(JournalTest, CanBeClearedAndSwitchedOff) {
  auto scene = MemSceneGraph::FromText(kTestScene);
  auto teapot = scene->Node("Teapot");
  teapot->SetLocked(true);
  scene->ClearJournal();
  scene->SetJournalEnabled(false);
  teapot->SetLocked(false);
  EXPECT_EQ(scene->JournalSize(), 0u);
  EXPECT_EQ(scene->ValueText("Teapot.Locked"), "False");
  scene->SetJournalEnabled(true);
  teapot->SetLocked(true);
  EXPECT_EQ(scene->JournalLines(),
            std::vector<std::string>{"SetLocked Teapot True"});
}

// Every kind of operation can be made to fail: calls on nodes, materials and
// maps, on the scene, on the shared utilities and on the applier.
struct FaultCase {
  const char* operation;
  std::function<void(MemSceneGraph&)> call;
};

class FaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultTest, FailsExactlyWhenAskedThenWorksAgain) {
  auto scene = MemSceneGraph::FromText(kTestScene);
  scene->Fault(GetParam().operation, 1234, "Planned failure", /*after_n=*/2);
  GetParam().call(*scene);
  GetParam().call(*scene);
  try {
    GetParam().call(*scene);
    ADD_FAILURE() << "the third call did not fail";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 1234);
    EXPECT_EQ(e.Description(), "Planned failure");
  }
  EXPECT_NO_THROW(GetParam().call(*scene));
  EXPECT_NO_THROW(GetParam().call(*scene));
}

Long List(MemSceneGraph& s) { return s.GetActiveScene()->SelectionList(); }

INSTANTIATE_TEST_SUITE_P(
    Operations, FaultTest,
    ::testing::Values(
        FaultCase{"GetActiveScene",
                  [](MemSceneGraph& s) { s.GetActiveScene(); }},
        FaultCase{"SelectionList", [](MemSceneGraph& s) { List(s); }},
        FaultCase{"ApplicationRegistryKey",
                  [](MemSceneGraph& s) {
                    s.GetActiveScene()->ApplicationRegistryKey();
                  }},
        FaultCase{"GetSelectionCount",
                  [](MemSceneGraph& s) { s.GetSelectionCount(List(s)); }},
        FaultCase{"GetSelectedNode",
                  [](MemSceneGraph& s) { s.GetSelectedNode(List(s), 0); }},
        FaultCase{"Locked",
                  [](MemSceneGraph& s) { s.Node("Teapot")->Locked(); }},
        FaultCase{
            "SetSmoothingLevel",
            [](MemSceneGraph& s) { s.Node("Teapot")->SetSmoothingLevel(2); }},
        FaultCase{
            "SetClones",
            [](MemSceneGraph& s) { s.Node("Teapot")->SetClones({}, {}, {}); }},
        FaultCase{"GetMaterial",
                  [](MemSceneGraph& s) { s.Node("Teapot")->GetMaterial(0); }},
        FaultCase{"SetColourComponents",
                  [](MemSceneGraph& s) {
                    s.Node("Teapot")->GetMaterial(0)->SetColourComponents(1, 1,
                                                                          1, 1);
                  }},
        FaultCase{"MapPath1",
                  [](MemSceneGraph& s) {
                    s.Node("Teapot")->GetMaterial(0)->Maps()->MapPath1();
                  }},
        FaultCase{"SetFocalPoint",
                  [](MemSceneGraph& s) {
                    std::dynamic_pointer_cast<Camera>(s.Node("Cam"))
                        ->SetFocalPoint(-1, 2);
                  }},
        FaultCase{"SetBoneEnabled",
                  [](MemSceneGraph& s) {
                    std::dynamic_pointer_cast<Group>(s.Node("Arm"))
                        ->SetBoneEnabled(true);
                  }},
        FaultCase{"GetHiddenState",
                  [](MemSceneGraph& s) {
                    MemSceneUtility().GetHiddenState(List(s));
                  }},
        FaultCase{"SetHidden",
                  [](MemSceneGraph& s) {
                    auto active = s.GetActiveScene();
                    MemSceneUtility().SetHidden(active->Hierarchy(),
                                                active->SelectionList(), 0, 0,
                                                true);
                  }},
        FaultCase{"SetDiffuseLevel",
                  [](MemSceneGraph& s) {
                    MemSceneUtility().SetDiffuseLevel(
                        s.Node("Teapot")->GetMaterial(0), "5", 0);
                  }},
        FaultCase{
            "MakeVector",
            [](MemSceneGraph&) { MemSceneUtility().MakeVector(1, 2, 3); }},
        FaultCase{"Remainder",
                  [](MemSceneGraph&) { MemMathUtility().Remainder(7, 3); }},
        FaultCase{"ChooseColour",
                  [](MemSceneGraph&) {
                    MemDialogUtility().ChooseColour(0, "Morvel", 0);
                  }},
        FaultCase{"CreateMaps",
                  [](MemSceneGraph& s) {
                    s.GetActiveScene()->MapBuilder()->CreateMaps(
                        "", 0, 0, "", "", 50, "", "", "", "");
                  }},
        FaultCase{"GetOperationParameters",
                  [](MemSceneGraph& s) {
                    auto self = std::shared_ptr<MemSceneGraph>(
                        &s, [](MemSceneGraph*) {});
                    MemApplier(self, nullptr)
                        .GetOperationParameters(self, "Mirror", 0, 0);
                  }},
        FaultCase{"Crease",
                  [](MemSceneGraph& s) {
                    auto self = std::shared_ptr<MemSceneGraph>(
                        &s, [](MemSceneGraph*) {});
                    MemApplier(self, nullptr).RunOperation("Crease");
                  }}),
    [](const ::testing::TestParamInfo<FaultCase>& info) {
      return info.param.operation;
    });

TEST(FaultPlanTest, AFailedWriteChangesNothingAndIsNotJournalled) {
  auto scene = MemSceneGraph::FromText(kTestScene);
  auto teapot = scene->Node("Teapot");
  scene->Fault("SetSmoothingLevel", 6, "Overflow");
  EXPECT_THROW(teapot->SetSmoothingLevel(3), Error);
  EXPECT_EQ(teapot->SmoothingLevel(), 1);
  EXPECT_EQ(scene->JournalSize(), 0u);
  teapot->SetSmoothingLevel(3);
  EXPECT_EQ(scene->JournalLines(),
            std::vector<std::string>{"SetSmoothingLevel Teapot 3"});
}

TEST(FaultPlanTest, TimesCountsFailuresAndMinusOneFailsUntilCleared) {
  auto scene = MemSceneGraph::FromText(kTestScene);
  auto teapot = scene->Node("Teapot");
  scene->Fault("MirrorAxis", 5, "twice", 0, 2);
  EXPECT_THROW(teapot->MirrorAxis(), Error);
  EXPECT_THROW(teapot->MirrorAxis(), Error);
  EXPECT_NO_THROW(teapot->MirrorAxis());
  scene->Fault("MirrorAxis", 5, "always", 1, -1);
  EXPECT_NO_THROW(teapot->MirrorAxis());
  for (int i = 0; i < 5; ++i) EXPECT_THROW(teapot->MirrorAxis(), Error);
  scene->ClearFaults();
  EXPECT_NO_THROW(teapot->MirrorAxis());
  scene->Fault("MirrorAxis", 5, "never mind", 0, -1);
  scene->Fault("MirrorAxis", 5, "", 0, 0);  // times 0 removes the plan
  EXPECT_NO_THROW(teapot->MirrorAxis());
  scene->Fault("MirrorAxis", 5, "again", 0, -1);
  scene->Fault("MirrorAxis", 0, "");  // and so does error 0
  EXPECT_NO_THROW(teapot->MirrorAxis());
}

TEST(FaultPlanTest, OtherOperationsAndOtherScenesAreNotTouched) {
  auto scene = MemSceneGraph::FromText(kTestScene);
  auto other = MemSceneGraph::FromText(kTestScene);
  scene->Fault("SetLocked", 70, "Permission denied", 0, -1);
  EXPECT_NO_THROW(scene->Node("Teapot")->Locked());
  EXPECT_NO_THROW(other->Node("Teapot")->SetLocked(true));
  EXPECT_THROW(scene->Node("Teapot")->SetLocked(true), Error);
  // The scene-free helpers answer to the thread's current scene only.
  scene->Fault("MakeVector", 5, "current", 0, -1);
  other->MakeCurrent();
  EXPECT_NO_THROW(MemSceneUtility().MakeVector(0, 0, 0));
  scene->MakeCurrent();
  EXPECT_THROW(MemSceneUtility().MakeVector(0, 0, 0), Error);
}

// Every operation name the scene checks its faults under is one a fault
// may name: read from the sources, so a new operation cannot be forgotten.
TEST(FaultPlanTest, EveryOperationOfTheSourcesCanBePlanned) {
  // A call that checks or journals an operation, and the names it passes.
  const std::regex call(
      "\\b(?:Enter|shape|group|bone|light|camera|Check|CheckFault|"
      "CheckCurrent|TriState|SelectedIndex|SetBoneValue|Finite|Journal)"
      "\\(([^;{}]*?)\\)");
  const std::regex name("\"([A-Za-z0-9]+)\"\\s*(?=[,)]|$)");
  int found = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(MORVEL_MEMSCENE_DIR)) {
    if (entry.path().extension() != ".cc") continue;
    std::ifstream in(entry.path());
    std::string text((std::istreambuf_iterator<char>(in)), {});
    for (std::sregex_iterator c(text.begin(), text.end(), call), end; c != end;
         ++c) {
      const std::string arguments = (*c)[1].str();
      for (std::sregex_iterator n(arguments.begin(), arguments.end(), name);
           n != end; ++n, ++found) {
        EXPECT_TRUE(MemSceneGraph::HasOperation((*n)[1].str()))
            << (*n)[1].str() << " in " << entry.path().filename();
      }
    }
  }
  EXPECT_GT(found, 150);
}

TEST(FaultPlanTest, RefusesAPlanThatMakesNoSense) {
  auto scene = MemSceneGraph::FromText(kTestScene);
  EXPECT_THROW(scene->Fault("", 5, "x"), Error);
  EXPECT_THROW(scene->Fault("Locked", 5, "x", -1), Error);
  EXPECT_THROW(scene->Fault("Locked", 5, "x", 0, -2), Error);
  // A misspelt operation would plan a failure that never comes.
  EXPECT_THROW(scene->Fault("SetHiden", 5, "x"), Error);
  for (const char* name :
       {"SetHidden", "Locked", "GetSelectedNode", "SetSpotlightUmbra",
        "GetMapThumbnail6", "DivideSmooth", "ApplicationRegistryKey"}) {
    EXPECT_TRUE(MemSceneGraph::HasOperation(name)) << name;
  }
}

}  // namespace
}  // namespace morvel

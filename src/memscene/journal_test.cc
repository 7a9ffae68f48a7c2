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

Long List(MemSceneGraph& s) { return s.GetActiveScene()->SelectionList(); }

// Every kind of operation can be made to fail after its first calls, once
// by default: a read and a write of a node, a material's maps, the scene,
// the shared utilities and the applier.
TEST(FaultTest, FailsExactlyWhenAskedThenWorksAgain) {
  const struct {
    const char* operation;
    std::function<void(MemSceneGraph&)> call;
  } cases[] = {
      {"GetActiveScene", [](MemSceneGraph& s) { s.GetActiveScene(); }},
      {"GetSelectedNode",
       [](MemSceneGraph& s) { s.GetSelectedNode(List(s), 0); }},
      {"Locked", [](MemSceneGraph& s) { s.Node("Teapot")->Locked(); }},
      {"SetClones",
       [](MemSceneGraph& s) { s.Node("Teapot")->SetClones({}, {}, {}); }},
      {"MapPath1",
       [](MemSceneGraph& s) {
         s.Node("Teapot")->GetMaterial(0)->Maps()->MapPath1();
       }},
      {"SetBoneEnabled",
       [](MemSceneGraph& s) {
         std::dynamic_pointer_cast<Group>(s.Node("Arm"))->SetBoneEnabled(true);
       }},
      {"GetHiddenState",
       [](MemSceneGraph& s) { MemSceneUtility().GetHiddenState(List(s)); }},
      {"Remainder", [](MemSceneGraph&) { MemMathUtility().Remainder(7, 3); }},
      {"ChooseColour",
       [](MemSceneGraph&) { MemDialogUtility().ChooseColour(0, "Morvel", 0); }},
      {"Crease",
       [](MemSceneGraph& s) {
         auto self = std::shared_ptr<MemSceneGraph>(&s, [](MemSceneGraph*) {});
         MemApplier(self, nullptr).RunOperation("Crease");
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.operation);
    auto scene = MemSceneGraph::FromText(kTestScene);
    scene->Fault(c.operation, 1234, "Planned failure", /*after_n=*/2);
    c.call(*scene);
    c.call(*scene);
    try {
      c.call(*scene);
      ADD_FAILURE() << "the third call did not fail";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), 1234);
      EXPECT_EQ(e.Description(), "Planned failure");
    }
    EXPECT_NO_THROW(c.call(*scene));
  }
}

// (scene_faults.scn and the editors' scenarios show after=, times=, error 0
// and that a failed write is neither made nor journalled.)
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

#include "memscene/mem_applier.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "memscene/test_scene.h"
#include "platform/settings_store.h"

// The operations' journal lines, with the values they read, are pinned by
// the scenarios that commit smoothing, mirroring and creasing; these are
// the rules behind what they read.
namespace morvel {
namespace {

TEST(MemApplierTest, ReadsItsParametersUnderTheScenesOwnKeyElseTheDefaults) {
  auto scene = MemSceneGraph::FromText(
      R"({"ApplicationRegistryKey": "Studio", "selection": ["A", "B"],
          "nodes": [{"name": "A", "kind": "shape"},
                    {"name": "B", "kind": "shape"}]})");
  MemorySettingsStore settings;
  settings.SaveSetting("Morvel", "DivideSmooth", "Level", "3");  // another key
  settings.SaveSetting("Studio", "DivideSmooth", "Tension", "-0.5");
  settings.SaveSetting("Studio", "DivideSmooth", "Angle", "lots");
  MemApplier applier(scene, &settings);
  OperationParameters p =
      applier.GetOperationParameters(scene, "DivideSmooth", 0, 0);
  ASSERT_EQ(p.ParameterCount, 4);
  const std::pair<const char*, Single> expected[] = {
      {"Level", 1}, {"Tension", -0.5f}, {"Condition", 1}, {"Angle", 30}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(p.Parameters[i].Name, expected[i].first);
    // A stored text that is no number counts as not stored.
    EXPECT_EQ(p.Parameters[i].Value, expected[i].second);
  }
  // Running it journals the texts it read, for the first selected node.
  applier.RunOperation("DivideSmooth");
  EXPECT_EQ(scene->JournalLines(),
            std::vector<std::string>{
                "DivideSmooth A Level=1 Tension=-0.5 Condition=1 Angle=lots"});
}

TEST(MemApplierTest, RefusesUnknownOperationsMissingScenesAndNoSelection) {
  auto scene = MemSceneGraph::FromText(testing::kTestScene);
  MemApplier applier(scene, nullptr);
  for (auto call : std::vector<std::function<void()>>{
           [&] { applier.GetOperationParameters(scene, "Explode", 0, 0); },
           [&] { applier.RunOperation("Explode"); }}) {
    try {
      call();
      ADD_FAILURE() << "accepted";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), 5);
      EXPECT_EQ(e.Description(),
                "Invalid procedure call or argument: the applier has no "
                "operation \"Explode\"");
    }
  }
  EXPECT_THROW(applier.GetOperationParameters(nullptr, "Mirror", 0, 0), Error);
  scene->Select({});
  EXPECT_THROW(applier.RunOperation("Mirror"), Error);
  EXPECT_EQ(scene->JournalSize(), 0u);
}

}  // namespace
}  // namespace morvel

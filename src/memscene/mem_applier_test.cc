#include "memscene/mem_applier.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "memscene/test_scene.h"
#include "platform/settings_store.h"

namespace morvel {
namespace {

struct ParameterCase {
  const char* operation;
  std::vector<std::pair<std::string, Single>> defaults;
};

class DefaultParametersTest : public ::testing::TestWithParam<ParameterCase> {};

TEST_P(DefaultParametersTest, NameTheKeysAndTheirValues) {
  auto scene = MemSceneGraph::FromText(testing::kTestScene);
  MemorySettingsStore settings;
  MemApplier applier(scene, &settings);
  OperationParameters p =
      applier.GetOperationParameters(scene, GetParam().operation, 0, 0);
  ASSERT_EQ(p.Parameters.size(), GetParam().defaults.size());
  EXPECT_EQ(p.ParameterCount, static_cast<Long>(GetParam().defaults.size()));
  for (std::size_t i = 0; i < p.Parameters.size(); ++i) {
    EXPECT_EQ(p.Parameters[i].Name, GetParam().defaults[i].first);
    EXPECT_EQ(p.Parameters[i].Value, GetParam().defaults[i].second);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Operations, DefaultParametersTest,
    ::testing::Values(
        ParameterCase{
            "DivideSmooth",
            {{"Level", 1}, {"Tension", 0}, {"Condition", 1}, {"Angle", 30}}},
        ParameterCase{"Mirror", {{"Axis", 0}}},
        ParameterCase{"Crease", {{"Factor", 50}}}));

TEST(MemApplierTest, ReportsTheValuesStoredUnderTheScenesKey) {
  auto scene = MemSceneGraph::FromText(testing::kTestScene);
  MemorySettingsStore settings;
  settings.SaveSetting("Morvel", "DivideSmooth", "Level", "3");
  settings.SaveSetting("Morvel", "DivideSmooth", "Tension", "-0.5");
  settings.SaveSetting("Morvel", "DivideSmooth", "Angle", "lots");  // no number
  settings.SaveSetting("Other", "DivideSmooth", "Condition",
                       "0");  // another application
  MemApplier applier(scene, &settings);
  OperationParameters p =
      applier.GetOperationParameters(scene, "DivideSmooth", 0, 0);
  EXPECT_EQ(p.Parameters[0].Value, 3.0f);
  EXPECT_EQ(p.Parameters[1].Value, -0.5f);
  EXPECT_EQ(p.Parameters[2].Value, 1.0f);
  EXPECT_EQ(p.Parameters[3].Value, 30.0f);
}

TEST(MemApplierTest, RefusesUnknownOperationsAndMissingScenes) {
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
}

struct RunCase {
  const char* operation;
  std::vector<std::pair<std::string, std::string>> stored;
  const char* line;
};

class RunOperationTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(RunOperationTest, JournalsTheTextsItReadForTheFirstSelectedNode) {
  auto scene = MemSceneGraph::FromText(testing::kTestScene);
  scene->Select({"Teapot", "Cup"});
  MemorySettingsStore settings;
  for (const auto& [key, value] : GetParam().stored) {
    settings.SaveSetting("Morvel", GetParam().operation, key, value);
  }
  MemApplier applier(scene, &settings);
  applier.RunOperation(GetParam().operation);
  EXPECT_EQ(scene->JournalLines(), std::vector<std::string>{GetParam().line});
}

INSTANTIATE_TEST_SUITE_P(
    Operations, RunOperationTest,
    ::testing::Values(
        RunCase{"DivideSmooth",
                {{"Level", "2"},
                 {"Tension", "-3"},
                 {"Condition", "1"},
                 {"Angle", "45"}},
                "DivideSmooth Teapot Level=2 Tension=-3 Condition=1 Angle=45"},
        RunCase{"DivideSmooth",
                {},
                "DivideSmooth Teapot Level=1 Tension=0 Condition=1 Angle=30"},
        RunCase{"Mirror", {{"Axis", "2"}}, "Mirror Teapot Axis=2"},
        RunCase{"Crease", {{"Factor", "40"}}, "Crease Teapot Factor=40"},
        RunCase{"Crease", {}, "Crease Teapot Factor=50"}));

TEST(MemApplierTest, ReadsUnderTheScenesOwnApplicationKey) {
  auto scene = MemSceneGraph::FromText(
      R"({"ApplicationRegistryKey": "Studio", "selection": ["A"],
          "nodes": [{"name": "A", "kind": "shape"}]})");
  MemorySettingsStore settings;
  settings.SaveSetting("Morvel", "Mirror", "Axis", "1");
  settings.SaveSetting("Studio", "Mirror", "Axis", "2");
  MemApplier applier(scene, &settings);
  applier.RunOperation("Mirror");
  EXPECT_EQ(scene->JournalLines(), std::vector<std::string>{"Mirror A Axis=2"});
  EXPECT_EQ(
      applier.GetOperationParameters(scene, "Mirror", 0, 0).Parameters[0].Value,
      2.0f);
}

TEST(MemApplierTest, AnOperationNeedsASelection) {
  auto scene = MemSceneGraph::FromText(testing::kTestScene);
  scene->Select({});
  MemApplier applier(scene, nullptr);
  EXPECT_THROW(applier.RunOperation("Mirror"), Error);
  EXPECT_EQ(scene->JournalSize(), 0u);
}

}  // namespace
}  // namespace morvel

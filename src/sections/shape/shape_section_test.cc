// What the scenarios cannot reach well: an applier that reports too few
// parameters, a settings store that fails part-way through a commit, every
// shape kind's Source button, and texts of 10,000 characters.
#include "sections/shape/shape_section.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "kit/kit_testing.h"
#include "memscene/host_rules.h"
#include "memscene/mem_applier.h"
#include "memscene/mem_scene_graph.h"
#include "panel/panel_testing.h"
#include "platform/headless.h"

namespace morvel {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using testing::PanelHarness;
using testing::RecordingEvents;

constexpr const char* kPrepare =
    "evtReqPrepareForSceneChanges(\"SysProperties\")";

constexpr const char* kScene = R"({
  "ApplicationRegistryKey": "Studio",
  "CustomShapeFieldNames": ["Part No"],
  "nodes": [{"name": "Teapot", "kind": "shape", "SmoothingLevel": 2,
             "SmoothingTension": -0.3, "SmoothAngle": 45, "MirrorAxis": 3,
             "CreasingFactor": 40,
             "Clones": {"Counts": [1, 1, 1]}}]
})";

// Reports the reference applier's parameters, cut to `count`.
class ShortApplier : public Applier {
 public:
  explicit ShortApplier(std::size_t count) : count_(count) {}
  OperationParameters GetOperationParameters(const std::shared_ptr<SceneGraph>&,
                                             const std::string& operation, Long,
                                             Long) override {
    OperationParameters result;
    for (const MemApplier::Parameter& p : MemApplier::ParametersOf(operation)) {
      if (result.Parameters.size() == count_) break;
      result.Parameters.push_back({p.name, p.default_value});
    }
    return result;
  }

 private:
  std::size_t count_;
};

// Keeps "section/key=value" for each save; save number `fail_at` (from 1)
// fails as a read-only file would.
class FailingStore : public SettingsStore {
 public:
  void SaveSetting(const std::string&, const std::string& section,
                   const std::string& key, const std::string& value) override {
    if (static_cast<int>(saves.size()) + 1 == fail_at) {
      RaiseError(kErrPermissionDenied,
                 "Permission denied: /home/user/.config/Studio.ini");
    }
    saves.push_back(section + "/" + key + "=" + value);
  }
  std::optional<std::string> GetSetting(const std::string&, const std::string&,
                                        const std::string&) override {
    return std::nullopt;
  }
  int fail_at = 0;
  std::vector<std::string> saves;
};

struct CommitCase {
  const char* name;
  const char* button;
  std::size_t parameters;  // what the applier reports
  int failing_save;        // 0: none fails
  Long error;
  std::vector<std::string> saves;
  std::vector<std::string> events;
  std::vector<std::string> journal;
};

class CommitFailureTest : public ::testing::TestWithParam<CommitCase> {};

TEST_P(CommitFailureTest, StopsAtTheFailingStepAndLeavesTheRest) {
  const CommitCase& c = GetParam();
  MemoryClipboard clipboard;
  RecordingMessageBox messages;
  FailingStore store;
  FixedScreenMetrics metrics;
  RecordingEvents events;
  FixedContainer container;
  auto scene = MemSceneGraph::FromText(kScene, "test scene");
  Properties panel(PlatformServices{&clipboard, &messages, &store, &metrics},
                   events, container);
  panel.ReadProperties();
  panel.SetSceneGraph(scene, std::make_shared<ShortApplier>(c.parameters));
  scene->Select({"Teapot"});
  panel.SetupPropertiesPanel(ComputeSetupArguments(*scene, 3));
  scene->ClearJournal();
  events.log.clear();
  store.fail_at = c.failing_save;

  try {
    UserInput::Click(panel.Widgets().GetWidget(c.button));
    ADD_FAILURE() << "the commit did not fail";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), c.error);
    EXPECT_EQ(e.Source(), "Properties");
    // The store's own description, naming its file, reaches the host.
    if (c.error == kErrPermissionDenied) {
      EXPECT_EQ(e.Description(),
                "Permission denied: /home/user/.config/Studio.ini");
    }
  }
  EXPECT_THAT(store.saves, ElementsAreArray(c.saves));
  EXPECT_THAT(events.log, ElementsAreArray(c.events));
  EXPECT_THAT(scene->JournalLines(), ElementsAreArray(c.journal));
  // No failing commit gets as far as resetting the slider or the list.
  EXPECT_EQ(panel.Widgets().Get<Slider>("sldSmoothingLevel").Value(), 2);
  EXPECT_EQ(panel.Widgets().Get<ComboBox>("cboMirror").ListIndex(), 3);
}

const std::string kMirror = "evtReqApplyOperation(\"Mirror\")";
const std::string kLevel0 = "SetSmoothingLevel Teapot 0";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Commits, CommitFailureTest,
    ::testing::Values(
        // Too few parameters: a subscript error before the event, after
        // whatever was saved up to the missing one.
        CommitCase{"SmoothTwoParameters", "cmdCommitSmoothing", 2, 0, kErrSubscriptOutOfRange,
                   {"DivideSmooth/Level=2", "DivideSmooth/Tension=-3"}, {}, {kLevel0}},
        CommitCase{"MirrorNoParameters", "cmdCommitMirroring", 0, 0, kErrSubscriptOutOfRange,
                   {}, {}, {}},
        CommitCase{"CreaseNoParameters", "cmdCommitCreasing", 0, 0, kErrSubscriptOutOfRange,
                   {}, {}, {}},
        // The store refusing a write: before the event, no event; after it,
        // no further restore and no reset of the list.
        CommitCase{"SmoothStoreFailsSaving", "cmdCommitSmoothing", 4, 3, kErrPermissionDenied,
                   {"DivideSmooth/Level=2", "DivideSmooth/Tension=-3"}, {}, {kLevel0}},
        CommitCase{"MirrorStoreFailsRestoring", "cmdCommitMirroring", 1, 2, kErrPermissionDenied,
                   {"Mirror/Axis=2"}, {kMirror}, {}}),
    [](const ::testing::TestParamInfo<CommitCase>& info) {
      return std::string(info.param.name);
    });
// clang-format on

// The Source button is disabled for the shape kinds whose source the scene
// cannot open, and only for those.
TEST(ShapeSourceTest, EnabledUnlessTheKindHasNoOpenableSource) {
  const std::set<Long> without_source = {6, 8, 14, 15, 18, 19, 20};
  for (Long kind = 0; kind <= 21; ++kind) {
    PanelHarness h(R"({"nodes": [{"name": "Pot", "kind": "shape",
                     "ShapeKind": )" +
                   std::to_string(kind) + "}]}");
    h.Show(3, {"Pot"});
    EXPECT_EQ(h.W("cmdSource").Enabled(), !without_source.count(kind))
        << "kind " << kind;
  }
}

// A custom value longer than a scenario line can hold is the shape's own
// text and is written whole. (Texts that are no number are shown by
// shape_clones_fields.scn and shape_smoothing.scn.)
TEST(ShapeTextTest, ATenThousandCharacterCustomValueIsWrittenWhole) {
  const std::string letters(10000, 'x');
  PanelHarness h(kScene);
  h.Show(3, {"Teapot"});
  UserInput::Commit(h.Get<TextField>("txtCustomShapeFieldValue", 0), letters);
  EXPECT_EQ(h.scene->Value("Teapot.CustomFields[0]").get<std::string>(),
            letters);
}

}  // namespace
}  // namespace morvel

// What the scenarios cannot reach well: an applier that reports too few
// parameters, a settings store that fails part-way through a commit, every
// shape kind's Source button, and typed text no field should choke on.
#include "sections/shape/shape_section.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "memscene/host_rules.h"
#include "memscene/mem_applier.h"
#include "memscene/mem_scene_graph.h"
#include "panel/panel_harness.h"
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
  Long error;              // 0: none
  std::vector<std::string> saves;
  std::vector<std::string> events;
  std::vector<std::string> journal;
  Long level_after;   // sldSmoothingLevel
  Long mirror_after;  // cboMirror
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

  std::optional<Error> error;
  try {
    UserInput::Click(panel.Widgets().GetWidget(c.button));
  } catch (const Error& e) {
    error = e;
  }

  ASSERT_EQ(error.has_value(), c.error != 0);
  if (error) {
    EXPECT_EQ(error->Number(), c.error);
    EXPECT_EQ(error->Source(), "Properties");
  }
  EXPECT_THAT(store.saves, ElementsAreArray(c.saves));
  EXPECT_THAT(events.log, ElementsAreArray(c.events));
  EXPECT_THAT(scene->JournalLines(), ElementsAreArray(c.journal));
  EXPECT_EQ(panel.Widgets().Get<Slider>("sldSmoothingLevel").Value(),
            c.level_after);
  EXPECT_EQ(panel.Widgets().Get<ComboBox>("cboMirror").ListIndex(),
            c.mirror_after);
}

const std::string kSmooth = "evtReqApplyOperation(\"DivideSmooth\")";
const std::string kMirror = "evtReqApplyOperation(\"Mirror\")";
const std::string kCrease = "evtReqApplyOperation(\"Crease\")";
const std::string kLevel0 = "SetSmoothingLevel Teapot 0";

INSTANTIATE_TEST_SUITE_P(
    Commits, CommitFailureTest,
    ::testing::Values(
        CommitCase{"CreaseWorks",
                   "cmdCommitCreasing",
                   1,
                   0,
                   0,
                   {"Crease/Factor=40", "Crease/Factor=50"},
                   {kCrease},
                   {},
                   2,
                   3},
        // Too few parameters: a subscript error before the event, after
        // whatever was saved up to the missing one.
        CommitCase{"SmoothTwoParameters",
                   "cmdCommitSmoothing",
                   2,
                   0,
                   kErrSubscriptOutOfRange,
                   {"DivideSmooth/Level=2", "DivideSmooth/Tension=-3"},
                   {},
                   {kLevel0},
                   2,
                   3},
        CommitCase{"SmoothNoParameters",
                   "cmdCommitSmoothing",
                   0,
                   0,
                   kErrSubscriptOutOfRange,
                   {},
                   {},
                   {kLevel0},
                   2,
                   3},
        CommitCase{"MirrorNoParameters",
                   "cmdCommitMirroring",
                   0,
                   0,
                   kErrSubscriptOutOfRange,
                   {},
                   {},
                   {},
                   2,
                   3},
        CommitCase{"CreaseNoParameters",
                   "cmdCommitCreasing",
                   0,
                   0,
                   kErrSubscriptOutOfRange,
                   {},
                   {},
                   {},
                   2,
                   3},
        // The store refusing a write: before the event, no event; after it,
        // no further restore and no reset of the widget.
        CommitCase{"SmoothStoreFailsSaving",
                   "cmdCommitSmoothing",
                   4,
                   3,
                   kErrPermissionDenied,
                   {"DivideSmooth/Level=2", "DivideSmooth/Tension=-3"},
                   {},
                   {kLevel0},
                   2,
                   3},
        CommitCase{"SmoothStoreFailsRestoring",
                   "cmdCommitSmoothing",
                   4,
                   6,
                   kErrPermissionDenied,
                   {"DivideSmooth/Level=2", "DivideSmooth/Tension=-3",
                    "DivideSmooth/Condition=1", "DivideSmooth/Angle=45",
                    "DivideSmooth/Level=1"},
                   {kSmooth},
                   {kLevel0},
                   2,
                   3},
        CommitCase{"MirrorStoreFailsRestoring",
                   "cmdCommitMirroring",
                   1,
                   2,
                   kErrPermissionDenied,
                   {"Mirror/Axis=2"},
                   {kMirror},
                   {},
                   2,
                   3}),
    [](const ::testing::TestParamInfo<CommitCase>& info) {
      return std::string(info.param.name);
    });

// The Source button is disabled for the shape kinds whose source the scene
// cannot open, and only for those.
TEST(ShapeSourceTest, EnabledUnlessTheKindHasNoOpenableSource) {
  for (Long kind = 0; kind <= 21; ++kind) {
    const bool without_source = kind == 6 || kind == 8 || kind == 14 ||
                                kind == 15 || kind == 18 || kind == 19 ||
                                kind == 20;
    PanelHarness h(R"({"nodes": [{"name": "Pot", "kind": "shape",
                     "ShapeKind": )" +
                   std::to_string(kind) + "}]}");
    h.Show(3, {"Pot"});
    EXPECT_EQ(h.W("cmdSource").Enabled(), !without_source) << "kind " << kind;
  }
}

// Text typed into the section's number fields: the conversion's own error
// after the prepare (13 type mismatch, 6 overflow), or, for the angle, the
// edit ending quietly; in every case nothing written and no apply.
struct TextCase {
  const char* field;
  int index;
  std::string text;
  Long error;  // kQuiet: the edit ends without an error
};
constexpr Long kQuiet = -1;

class BadTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(BadTextTest, FailsCleanlyAndWritesNothing) {
  const TextCase& c = GetParam();
  PanelHarness h(kScene);
  h.Show(3, {"Teapot"});
  std::optional<Error> error;
  try {
    UserInput::Commit(h.Get<UpDownText>(c.field, c.index), c.text);
  } catch (const Error& e) {
    error = e;
  }
  if (c.error == kQuiet) {
    EXPECT_FALSE(error.has_value());
  } else {
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Number(), c.error);
    EXPECT_EQ(error->Source(), "Properties");
  }
  EXPECT_THAT(h.events.log, ElementsAre(kPrepare));
  EXPECT_THAT(h.Journal(), IsEmpty());
}

const std::string kManyNines(10000, '9');
const std::string kManyLetters(10000, 'x');

INSTANTIATE_TEST_SUITE_P(
    Texts, BadTextTest,
    ::testing::Values(
        TextCase{"txtNumClones", 0, "", kErrTypeMismatch},
        TextCase{"txtNumClones", 0, "  ", kErrTypeMismatch},
        TextCase{"txtNumClones", 0, "three", kErrTypeMismatch},
        TextCase{"txtNumClones", 1, "1,5", kErrTypeMismatch},
        TextCase{"txtNumClones", 2, kManyNines, kErrOverflow},
        TextCase{"txtNumClones", 2, kManyLetters, kErrTypeMismatch},
        TextCase{"txtCloneOffset", 0, "-", kErrTypeMismatch},
        TextCase{"txtCloneOffset", 1, "1.5.5", kErrTypeMismatch},
        TextCase{"txtCloneOffset", 2, "-1E+400", kErrOverflow},
        TextCase{"txtCloneRotate", 0, "12deg", kErrTypeMismatch},
        TextCase{"txtCloneRotate", 1, kManyNines, kErrOverflow},
        TextCase{"txtCloneRotate", 2, kManyLetters, kErrTypeMismatch},
        TextCase{"txtAngle", -1, "", kQuiet},
        TextCase{"txtAngle", -1, "forty", kQuiet},
        TextCase{"txtAngle", -1, "4,5", kQuiet},
        TextCase{"txtAngle", -1, kManyNines, kQuiet},
        TextCase{"txtAngle", -1, kManyLetters, kQuiet}));

// Values a person may type that are numbers after all: kept inside the
// field's bounds and written.
TEST(ShapeTextTest, NumbersOutsideAFieldsBoundsAreBroughtInside) {
  PanelHarness h(kScene);
  h.Show(3, {"Teapot"});
  UserInput::Commit(h.Get<UpDownText>("txtCloneOffset", 0), "-1e39");
  UserInput::Commit(h.Get<UpDownText>("txtCloneRotate", 2), "  -12.3456 ");
  UserInput::Commit(h.Get<UpDownText>("txtNumClones", 1), "250");
  UserInput::Commit(h.Get<UpDownText>("txtAngle"), "-5");
  EXPECT_THAT(h.Journal(),
              ElementsAre("SetClones Teapot [1, 1, 1] [-100000, 0, 0] "
                          "[0, 0, 0]",
                          "SetClones Teapot [1, 1, 1] [-100000, 0, 0] "
                          "[0, 0, -12.346]",
                          "SetClones Teapot [1, 100, 1] [-100000, 0, 0] "
                          "[0, 0, -12.346]",
                          "SetSmoothAngle Teapot 0"));
}

// A custom value of any length and content is the shape's own text: written
// as it stands, with the other rows.
TEST(ShapeTextTest, LongCustomValuesAreWrittenWhole) {
  PanelHarness h(kScene);
  h.Show(3, {"Teapot"});
  const std::string text = std::string(10000, 'v') + "\"\\";
  UserInput::Commit(h.Get<TextField>("txtCustomShapeFieldValue", 0), text);
  EXPECT_EQ(h.scene->Value("Teapot.CustomFields[0]").get<std::string>(), text);
  EXPECT_EQ(h.Journal().size(), 6u);
}

}  // namespace
}  // namespace morvel

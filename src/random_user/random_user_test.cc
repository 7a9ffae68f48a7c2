#include "random_user/random_user.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "random_user/random_user_testing.h"
#include "random_user/transaction_monitor.h"

namespace morvel::random_user {
namespace {

// A seeded run: a few seconds of steps, each checked (random_user.h lists
// the invariants). The figures below only make sure the run reached what it
// is meant to try; a run that never got an edit through, or never saw a
// fault arrive, would check nothing.
TEST(RandomUserTest, SeededRunsKeepEveryInvariant) {
  const std::vector<SceneSource> scenes = ProjectScenes();
  Stats total;
  for (std::uint64_t seed : {1, 2, 3}) {
    SeededChoices choices(seed);
    Options options;
    options.scenes = scenes;
    options.decimal_separator = seed == 3 ? ',' : '.';
    RandomUser user(options, choices);
    ASSERT_EQ(PlaySteps(user, 6000), "") << "seed " << seed;
    const Stats& s = user.stats();
    total.protocol.applies += s.protocol.applies;
    total.protocol.closed_by_error += s.protocol.closed_by_error;
    total.protocol.quiet_ends += s.protocol.quiet_ends;
    total.protocol.warnings += s.protocol.warnings;
    total.protocol.operations += s.protocol.operations;
    total.faults_raised += s.faults_raised;
    total.refusals += s.refusals;
    total.recoveries += s.recoveries;
    total.warnings_shown += s.warnings_shown;
    total.messages += s.messages;
  }
  EXPECT_GT(total.protocol.applies, 3000);
  EXPECT_GT(total.protocol.closed_by_error, 10);
  EXPECT_GT(total.protocol.quiet_ends, 0);
  EXPECT_GT(total.protocol.warnings, 10);
  EXPECT_GT(total.protocol.operations, 10);
  EXPECT_GT(total.faults_raised, 10);
  EXPECT_GT(total.refusals, 10);
  EXPECT_GT(total.recoveries, 10);
  EXPECT_GT(total.warnings_shown, 0);
  EXPECT_GT(total.messages, 0);
}

// The monitor must catch what it claims to catch; each row is a sequence of
// events within one step and the breach it must report (empty: none).
struct ProtocolCase {
  const char* name;
  StepContext step;
  std::vector<const char*> events;  // P(layer) prepare, A apply, A! apply
                                    // with a changed hierarchy, H0..H4 hide
                                    // notifications, W warn, wOp a write
                                    // of Op to the scene
  bool error;                       // an error reached the host
  const char* breach;
};

const StepContext kHost{true, "", Notification::kNone, ""};
const StepContext kAngleCommit{false, "txtAngle",
                               Notification::kValueCommitted, ""};
const StepContext kClonesCommit{false, "txtNumClones",
                                Notification::kValueCommitted, ""};
// A slider moved while a field holds an edit: the field commits first.
const StepContext kLeavingAngle{false, "sldSmoothingTension",
                                Notification::kChange, "txtAngle"};
const StepContext kLeavingClones{false, "sldSmoothingTension",
                                 Notification::kChange, "txtNumClones"};

const ProtocolCase kProtocolCases[] = {
    {"PairedEdit", kHost, {"P", "wSetSmoothingTension", "A"}, false, ""},
    {"SecondPrepare",
     kHost,
     {"P", "P", "A"},
     false,
     "a prepare came before the last one was closed"},
    {"ApplyAlone", kHost, {"A"}, false, "an apply came without a prepare"},
    {"LeftOpen",
     kClonesCommit,
     {"P"},
     false,
     "a prepare was left without its apply, and no error reached the host"},
    {"ClosedByError", kClonesCommit, {"P", "wSetClones"}, true, ""},
    {"QuietAngle", kAngleCommit, {"P"}, false, ""},
    {"QuietAngleLeftBehind", kLeavingAngle, {"P", "P", "A"}, false, ""},
    {"LoudFieldLeftBehind",
     kLeavingClones,
     {"P", "P", "A"},
     false,
     "a prepare came before the last one was closed"},
    {"HierarchyOfALight",
     kHost,
     {"P()", "A!"},
     false,
     "a \"\" transaction changed the hierarchy"},
    {"HideOutOfOrder",
     kHost,
     {"P", "H1", "H0", "A"},
     false,
     "evtShapeHidden8 came twice or out of order"},
    {"HideOutside",
     kHost,
     {"H2"},
     false,
     "evtBoneHidden8 came outside a \"SysProperties\" transaction"},
    {"HideInMaterialEdit",
     kHost,
     {"P(SysMaterialUpdate)", "H0"},
     false,
     "evtShapeHidden8 came outside a \"SysProperties\" transaction"},
    {"WarnInside",
     kHost,
     {"P", "W"},
     false,
     "evtReqWarn came inside a transaction, before its apply"},
    {"WriteOutside",
     kClonesCommit,
     {"wSetClones", "P", "A"},
     false,
     "SetClones was written outside a transaction"},
    {"FocalBlurOnLoad", kHost, {"wSetFocalBlur", "P()", "A"}, false, ""},
    {"FocalBlurElsewhere",
     kClonesCommit,
     {"wSetFocalBlur"},
     false,
     "SetFocalBlur was written outside a transaction"},
};

class ProtocolTest : public ::testing::TestWithParam<ProtocolCase> {};

TEST_P(ProtocolTest, ReportsTheBreach) {
  const ProtocolCase& c = GetParam();
  std::vector<std::string> journal;
  TransactionMonitor monitor(nullptr);
  monitor.SetJournal({[&] { return journal.size(); },
                      [&](std::size_t from) {
                        return std::vector<std::string>(
                            journal.begin() + static_cast<long>(from),
                            journal.end());
                      }});
  monitor.BeginStep(c.step);
  PropertiesEvents& events = monitor.Events();
  for (std::string e : c.events) {
    if (e[0] == 'P') {
      std::string layer =
          e.size() > 1 ? e.substr(2, e.size() - 3) : "SysProperties";
      events.evtReqPrepareForSceneChanges(layer);
    } else if (e[0] == 'A') {
      bool changed = e.size() > 1;
      events.evtReqApplySceneChanges(changed);
    } else if (e[0] == 'H') {
      void (PropertiesEvents::*hide[])() = {
          &PropertiesEvents::evtShapeHidden8,
          &PropertiesEvents::evtLightHidden8,
          &PropertiesEvents::evtBoneHidden8,
          &PropertiesEvents::evtGroupHidden8,
          &PropertiesEvents::evtCameraHidden8};
      (events.*hide[e[1] - '0'])();
    } else if (e == "W") {
      std::string app = "Morvel", entry = "FocalBlur",
                  text =
                      "Focal Blur only applies to Snapshots or Videos "
                      "rendered using POV-Ray.";
      events.evtReqWarn(app, text, entry);
    } else {
      journal.push_back(e.substr(1));
    }
  }
  monitor.EndStep(c.error);
  if (*c.breach == '\0') {
    EXPECT_EQ(monitor.Violation(), "");
  } else {
    EXPECT_THAT(monitor.Violation(), ::testing::StartsWith(c.breach));
  }
}

INSTANTIATE_TEST_SUITE_P(Sequences, ProtocolTest,
                         ::testing::ValuesIn(kProtocolCases),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace morvel::random_user

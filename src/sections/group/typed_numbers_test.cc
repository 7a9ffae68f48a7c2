// The numbers typed into the group and bone sections, with what the
// scenarios cannot spell well: 10,000-character texts, another locale's
// decimal separator, and the Single steps of each conversion. Editors get
// the raw text, as a host's field could hand it over, past the field's own
// bounds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error.h"
#include "base/numbers_testing.h"
#include "panel/panel_testing.h"
#include "sections/group/angles.h"

namespace morvel {
namespace {

using testing::PanelHarness;

constexpr const char* kScene = R"({"nodes": [
    {"name": "Rig", "kind": "group", "Position": [1.25, 0, 0], "IKJointMode": 1},
    {"name": "Tail", "kind": "bone", "BoneIrregularExtent": 30}]})";

const std::string kPrepare = "evtReqPrepareForSceneChanges(\"\")";

void CommitRaw(PanelHarness& h, const char* widget, const std::string& text) {
  UpDownText& field = h.Get<UpDownText>(widget);
  field.SetText(text);
  field.on_value_committed();
}

// A field, a text that is no number for it, and what its editor has done
// when it converts the text: the position after writing the orientation;
// the joint before its prepare. How each kind of text fails is the number
// parser's business; each field gets one of them.
TEST(TypedNumberTest, FailsAtTheConversionAfterExactlyTheStepsBefore) {
  const struct {
    const char* node;
    const char* widget;
    std::string text;
    Long error;
    std::vector<std::string> events_before;
    std::string journal_before;
  } fields[] = {
      {"Rig", "txtOrientationX", "", kErrTypeMismatch, {kPrepare}, ""},
      {"Rig",
       "txtPositionY",
       std::string(10000, 'x'),
       kErrTypeMismatch,
       {kPrepare},
       "SetOrientation"},
      {"Rig", "txtRotationTheta", "-1e39", kErrOverflow, {kPrepare}, ""},
      {"Rig", "txtIKJointMaxZ", std::string(10000, '9'), kErrOverflow, {}, ""},
      {"Tail",
       "txtExtentIrregularOffsetZ",
       "1,5",
       kErrTypeMismatch,
       {"evtReqPrepareForSceneChanges(\"SysProperties\")"},
       ""},
  };
  for (const auto& field : fields) {
    SCOPED_TRACE(field.widget);
    PanelHarness h(kScene);
    h.Show(3, {field.node});
    try {
      CommitRaw(h, field.widget, field.text);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), field.error);
      EXPECT_EQ(e.Source(), "Properties");
    }
    EXPECT_EQ(h.events.log, field.events_before);
    std::string journal;
    for (const std::string& line : h.Journal()) {
      journal += line.substr(0, line.find(' '));
    }
    EXPECT_EQ(journal, field.journal_before);
  }
}

// Leading zeros are no overflow, and a value too small for a Single is 0.
TEST(TypedNumberTest, LongTextsThatAreNumbersAreWritten) {
  PanelHarness h(kScene);
  h.Show(3, {"Rig"});
  CommitRaw(h, "txtPositionX", std::string(9999, '0') + "2");
  CommitRaw(h, "txtPositionZ", "-0." + std::string(9997, '0') + "1");
  EXPECT_EQ(h.scene->ValueText("Rig.Position"), "[2,0,0]");
}

// Under a comma locale the fields show and read commas; a point is refused.
TEST(TypedNumberTest, FollowsTheLocalesDecimalSeparator) {
  ScopedDecimalSeparatorForTesting comma(',');
  PanelHarness h(kScene);
  h.Show(3, {"Rig"});
  EXPECT_EQ(h.Get<UpDownText>("txtPositionX").Text(), "1,25");
  EXPECT_EQ(h.Get<UpDownText>("txtOrientationX").Text(), ",0");
  CommitRaw(h, "txtPositionY", "-2,5");
  EXPECT_EQ(h.scene->ValueText("Rig.Position"), "[1.25,-2.5,0]");
  EXPECT_THROW(CommitRaw(h, "txtIKJointMinX", "-1.5"), Error);
  CommitRaw(h, "txtIKJointMinX", "-30,0");
  EXPECT_EQ(h.scene->ValueText("Rig.IKJointLimits[0]"), "-0.5235988");
}

// Each value converts in its own order: 30 degrees is one Single as an
// orientation (divided first) and another as a joint limit.
TEST(ConversionTest, ComputesInSingle) {
  const struct {
    Single (*convert)(Single);
    Single in;
    Single out;
  } conversions[] = {
      {OrientationToRadians, 30, 0.52359885f},
      {JointLimitToRadians, 30, 0.52359879f},
      {JointLimitToDegrees, 1.5707965f, 90},
      {RevolutionsPerSecond, 6.283186f, 1},
      // Exactly half a thousandth in Single arithmetic: to the even
      // neighbour, down and up.
      {RevolutionsPerSecond, 0.00314159296f, 0},
      {RevolutionsPerSecond, 0.00942477863f, 0.002f},
  };
  for (const auto& c : conversions) {
    EXPECT_EQ(c.convert(c.in), c.out) << c.in;
  }
}

TEST(ConversionTest, AnOverflowingStepIsError6NotInfinity) {
  for (auto convert :
       {JointLimitToRadians, JointLimitToDegrees, RevolutionsPerSecond}) {
    try {
      convert(3e38f);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), kErrOverflow);
    }
  }
}

}  // namespace
}  // namespace morvel

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
#include "panel/panel_harness.h"
#include "sections/group/angles.h"

namespace morvel {
namespace {

using testing::PanelHarness;

constexpr const char* kScene = R"({"nodes": [
    {"name": "Rig", "kind": "group", "Position": [1.25, 0, 0], "IKJointMode": 1},
    {"name": "Tail", "kind": "bone", "BoneIrregularExtent": 30}]})";

const std::string kPrepare = "evtReqPrepareForSceneChanges(\"\")";

// A field, and what its editor has done when it converts the text: the
// position after writing the orientation; the joint before its prepare.
struct Field {
  const char* node;
  const char* widget;
  std::vector<std::string> events_before;
  std::string journal_before;
};
const Field kFields[] = {
    {"Rig", "txtOrientationX", {kPrepare}, ""},
    {"Rig", "txtPositionY", {kPrepare}, "SetOrientation"},
    {"Rig", "txtRotationTheta", {kPrepare}, ""},
    {"Rig", "txtIKJointMaxZ", {}, ""},
    {"Tail",
     "txtExtentIrregularOffsetZ",
     {"evtReqPrepareForSceneChanges(\"SysProperties\")"},
     ""},
};

struct BadText {
  const char* name;
  std::string text;
  Long error;
};
const BadText kBadTexts[] = {
    {"Empty", "", kErrTypeMismatch},
    {"Garbage", std::string(10000, 'x'), kErrTypeMismatch},
    {"BeyondSingle", "-1e39", kErrOverflow},
    {"Overflowing", std::string(10000, '9'), kErrOverflow},
    {"CommaInTheCLocale", "1,5", kErrTypeMismatch},
};

void CommitRaw(PanelHarness& h, const char* widget, const std::string& text) {
  UpDownText& field = h.Get<UpDownText>(widget);
  field.SetText(text);
  field.on_value_committed();
}

class TypedNumberTest
    : public ::testing::TestWithParam<std::tuple<Field, BadText>> {};

TEST_P(TypedNumberTest, FailsAtTheConversionAfterExactlyTheStepsBefore) {
  const auto& [field, bad] = GetParam();
  PanelHarness h(kScene);
  h.Show(3, {field.node});
  try {
    CommitRaw(h, field.widget, bad.text);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), bad.error);
    EXPECT_EQ(e.Source(), "Properties");
  }
  EXPECT_EQ(h.events.log, field.events_before);
  std::string journal;
  for (const std::string& line : h.Journal()) {
    journal += line.substr(0, line.find(' '));
  }
  EXPECT_EQ(journal, field.journal_before);
}

INSTANTIATE_TEST_SUITE_P(EveryKindOfField, TypedNumberTest,
                         ::testing::Combine(::testing::ValuesIn(kFields),
                                            ::testing::ValuesIn(kBadTexts)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).widget) +
                                  "_" + std::get<1>(info.param).name;
                         });

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
struct Conversion {
  const char* name;
  Single (*convert)(Single);
  Single in;
  Single out;
};
const Conversion kConversions[] = {
    {"OrientationDividesFirst", OrientationToRadians, 30, 0.52359885f},
    {"JointMultipliesFirst", JointLimitToRadians, 30, 0.52359879f},
    {"QuarterTurnBack", JointLimitToDegrees, 1.5707965f, 90},
    {"OneRevolution", RevolutionsPerSecond, 6.283186f, 1},
    // Exactly half a thousandth in Single arithmetic: to the even neighbour.
    {"HalfThousandthDown", RevolutionsPerSecond, 0.00314159296f, 0},
    {"HalfThousandthUp", RevolutionsPerSecond, 0.00942477863f, 0.002f},
};

class ConversionTest : public ::testing::TestWithParam<Conversion> {};

TEST_P(ConversionTest, ComputesInSingle) {
  EXPECT_EQ(GetParam().convert(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Angles, ConversionTest,
                         ::testing::ValuesIn(kConversions),
                         [](const auto& info) { return info.param.name; });

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

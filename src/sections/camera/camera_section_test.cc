// The field of view committed with text a user should not type: an error
// with its number after the prepare alone and nothing written, or the value
// the field holds it to.
#include "sections/camera/camera_section.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/panel_harness.h"

namespace morvel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::PanelHarness;

constexpr const char* kPrepare = "evtReqPrepareForSceneChanges(\"\")";
constexpr const char* kApply = "evtReqApplySceneChanges(False)";

struct FieldOfViewCase {
  const char* name;
  std::string text;
  Long error;           // 0: no error
  const char* written;  // without an error: the journal line
};

const FieldOfViewCase kCases[] = {
    {"Empty", "", kErrTypeMismatch, ""},
    {"Words", "wide", kErrTypeMismatch, ""},
    {"NotANumber", "nan", kErrTypeMismatch, ""},
    {"Infinite", "inf", kErrTypeMismatch, ""},
    {"OtherLocalesComma", "0,5", kErrTypeMismatch, ""},
    {"BeyondDouble", "-1e400", kErrOverflow, ""},
    {"TenThousandDigits", std::string(10000, '3'), kErrOverflow, ""},
    {"BeyondSingle", "1e39", 0, "SetFieldOfView Cam 1"},
    {"Negative", "-0.3", 0, "SetFieldOfView Cam 0.01"},
    {"Blanks", "  0.25 ", 0, "SetFieldOfView Cam 0.25"},
};

class FieldOfViewTextTest : public ::testing::TestWithParam<FieldOfViewCase> {};

TEST_P(FieldOfViewTextTest, FailsWithItsNumberOrWritesWithinTheBounds) {
  const FieldOfViewCase& c = GetParam();
  PanelHarness h(R"({"nodes": [{"name": "Cam", "kind": "camera"}]})");
  h.Show(3, {"Cam"});
  UpDownText& field = h.Get<UpDownText>("txtFieldofView");
  field.SetText(c.text);
  if (c.error == 0) {
    field.CommitText();
    EXPECT_THAT(h.events.log, ElementsAre(kPrepare, kApply));
    EXPECT_THAT(h.Journal(), ElementsAre(c.written));
    return;
  }
  try {
    field.CommitText();
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.Number(), c.error);
    EXPECT_EQ(error.Source(), "Properties");
  }
  EXPECT_THAT(h.events.log, ElementsAre(kPrepare));
  EXPECT_THAT(h.Journal(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Texts, FieldOfViewTextTest,
                         ::testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace morvel

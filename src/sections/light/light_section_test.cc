// What a scenario cannot reach well: the question the colour chooser is
// asked, and every light field committed with text a user should not type.
#include "sections/light/light_section.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memscene/mem_utilities.h"
#include "panel/panel_harness.h"

namespace morvel {
namespace {

using ::testing::ElementsAre;
using testing::PanelHarness;

constexpr const char* kScene = R"({
  "ApplicationRegistryKey": "Lighting Lab", "DialogOwner": 4242,
  "nodes": [
    {"name": "Spot", "kind": "light", "LightType": 2, "Colour": [1, 0.5, 0],
     "SpotlightRange": 300, "SpotlightUmbra": 0.35}
  ]
})";

constexpr const char* kPrepare = "evtReqPrepareForSceneChanges(\"\")";
constexpr const char* kApply = "evtReqApplySceneChanges(False)";

TEST(LightColourTest, TheChooserStartsAtTheSwatchWithTheScenesOwnerAndKey) {
  PanelHarness h(kScene);
  h.Show(3, {"Spot"});
  MemDialogUtility& dialogs = *ThreadDialogUtility();
  dialogs.ClearRecords();
  dialogs.AnswerColour(kChooseColourAccepted, 0x123456);
  h.Get<PictureBox>("picVBColor").Click();
  // Cancelled (no answer left): asked from the colour just accepted.
  h.Get<PictureBox>("picVBColor").Click();
  ASSERT_EQ(dialogs.questions().size(), 2u);
  const MemDialogUtility::Question& first = dialogs.questions()[0];
  EXPECT_EQ(first.chooser, "ChooseColour");
  EXPECT_EQ(first.owner, 4242);
  EXPECT_EQ(first.application_key, "Lighting Lab");
  EXPECT_EQ(first.value, 0x0080FF);
  EXPECT_EQ(dialogs.questions()[1].value, 0x123456);
  EXPECT_THAT(h.events.log, ElementsAre(kPrepare, kApply));
}

// A text committed in a field, and what the field and the editor make of it:
// an error number, or the value the field holds it to (its bounds).
struct TypedText {
  const char* name;
  std::string text;
  Long error;          // 0: no error
  bool at_max = true;  // without an error: held to the maximum or minimum
};

const TypedText kTexts[] = {
    {"Empty", "", kErrTypeMismatch},
    {"Words", "bright", kErrTypeMismatch},
    {"TwoPoints", "1.2.3", kErrTypeMismatch},
    {"NotANumber", "nan", kErrTypeMismatch},
    {"Infinite", "-inf", kErrTypeMismatch},
    {"OtherLocalesComma", "0,5", kErrTypeMismatch},
    {"BeyondDouble", "1e400", kErrOverflow},
    {"TenThousandDigits", std::string(10000, '7'), kErrOverflow},
    {"BeyondSingle", "1e39", 0, true},
    {"HugeNegative", "-1e39", 0, false},
    {"Negative", "-0.5", 0, false},
};

// A field, the writes that stand when its text fails (the ones made before
// it is read), and its write at its minimum and maximum.
struct LightField {
  const char* name;
  std::vector<std::string> before_failure;
  const char* write_at_min;
  const char* write_at_max;
};

const LightField kFields[] = {
    {"txtAttenuationFactor",
     {"SetLinearAttenuation Spot 0", "SetQuadraticAttenuation Spot 0"},
     "SetConstantAttenuation Spot 0.001",
     "SetConstantAttenuation Spot 1"},
    {"txtSpotlightRange",
     {},
     "SetSpotlightRange Spot 1",
     "SetSpotlightRange Spot 9999"},
    {"txtSpotlightUmbra",
     {"SetSpotlightRange Spot 300"},
     "SetSpotlightUmbra Spot 0.1",
     "SetSpotlightUmbra Spot 1"},
    {"txtSpotlightPenumbra",
     {"SetSpotlightRange Spot 300", "SetSpotlightUmbra Spot 0.35"},
     "SetSpotlightPenumbra Spot 0.1",
     "SetSpotlightPenumbra Spot 1"},
};

class LightFieldTextTest
    : public ::testing::TestWithParam<std::tuple<LightField, TypedText>> {};

TEST_P(LightFieldTextTest, FailsWithItsNumberOrWritesWithinTheBounds) {
  const auto& [field, typed] = GetParam();
  PanelHarness h(kScene);
  h.Show(3, {"Spot"});
  UpDownText& box = h.Get<UpDownText>(field.name);
  box.SetText(typed.text);
  if (typed.error != 0) {
    try {
      box.CommitText();
      FAIL() << "no error";
    } catch (const Error& error) {
      EXPECT_EQ(error.Number(), typed.error);
      EXPECT_EQ(error.Source(), "Properties");
    }
    EXPECT_THAT(h.events.log, ElementsAre(kPrepare));
    EXPECT_EQ(h.Journal(), field.before_failure);
    return;
  }
  box.CommitText();
  EXPECT_THAT(h.events.log, ElementsAre(kPrepare, kApply));
  EXPECT_THAT(h.Journal(),
              ::testing::Contains(typed.at_max ? field.write_at_max
                                               : field.write_at_min));
}

INSTANTIATE_TEST_SUITE_P(Fields, LightFieldTextTest,
                         ::testing::Combine(::testing::ValuesIn(kFields),
                                            ::testing::ValuesIn(kTexts)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  "_" + std::get<1>(info.param).name;
                         });

}  // namespace
}  // namespace morvel

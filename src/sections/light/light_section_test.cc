// What a scenario cannot reach well: the question the colour chooser is
// asked, and every light field committed with text that is no number (with
// the camera's field of view, which reads its text the same way).
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
     "SpotlightRange": 300, "SpotlightUmbra": 0.35},
    {"name": "Cam", "kind": "camera"}
  ]
})";

constexpr const char* kPrepare = "evtReqPrepareForSceneChanges(\"\")";

TEST(LightColourTest, TheChooserStartsAtTheSwatchWithTheScenesOwnerAndKey) {
  PanelHarness h(kScene);
  h.Show(3, {"Spot"});
  MemDialogUtility& dialogs = *ThreadDialogUtility();
  dialogs.ClearRecords();
  dialogs.AnswerColour(kChooseColourAccepted, 0x123456);
  h.Get<PictureBox>("picVBColor").Click();
  h.Get<PictureBox>("picVBColor").Click();  // no answer left: cancelled
  ASSERT_EQ(dialogs.questions().size(), 2u);
  const MemDialogUtility::Question& first = dialogs.questions()[0];
  EXPECT_EQ(first.chooser, "ChooseColour");
  EXPECT_EQ(first.owner, 4242);
  EXPECT_EQ(first.application_key, "Lighting Lab");
  EXPECT_EQ(first.value, 0x0080FF);
  EXPECT_EQ(dialogs.questions()[1].value, 0x123456);
}

struct TypedText {
  const char* name;
  std::string text;
  Long error;
};

const TypedText kTexts[] = {
    {"Empty", "", kErrTypeMismatch},
    {"Words", "bright", kErrTypeMismatch},
    {"NotANumber", "nan", kErrTypeMismatch},
    {"OtherLocalesComma", "0,5", kErrTypeMismatch},
    {"BeyondDouble", "1e400", kErrOverflow},
    {"TenThousandDigits", std::string(10000, '7'), kErrOverflow},
};

// A field, the object shown, and the writes that stand when its text fails:
// those made before its text is read.
struct Field {
  const char* name;
  const char* shown;
  std::vector<std::string> before_failure;
};

const Field kFields[] = {
    {"txtAttenuationFactor",
     "Spot",
     {"SetLinearAttenuation Spot 0", "SetQuadraticAttenuation Spot 0"}},
    {"txtSpotlightRange", "Spot", {}},
    {"txtSpotlightUmbra", "Spot", {"SetSpotlightRange Spot 300"}},
    {"txtSpotlightPenumbra",
     "Spot",
     {"SetSpotlightRange Spot 300", "SetSpotlightUmbra Spot 0.35"}},
    {"txtFieldofView", "Cam", {}},
};

class FieldTextTest
    : public ::testing::TestWithParam<std::tuple<Field, TypedText>> {};

TEST_P(FieldTextTest, FailsWithItsNumberAfterThePrepareAlone) {
  const auto& [field, typed] = GetParam();
  PanelHarness h(kScene);
  h.Show(3, {field.shown});
  UpDownText& box = h.Get<UpDownText>(field.name);
  box.SetText(typed.text);
  try {
    box.CommitText();
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.Number(), typed.error);
    EXPECT_EQ(error.Source(), "Properties");
  }
  EXPECT_THAT(h.events.log, ElementsAre(kPrepare));
  EXPECT_EQ(h.Journal(), field.before_failure);
}

INSTANTIATE_TEST_SUITE_P(Fields, FieldTextTest,
                         ::testing::Combine(::testing::ValuesIn(kFields),
                                            ::testing::ValuesIn(kTexts)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  "_" + std::get<1>(info.param).name;
                         });

}  // namespace
}  // namespace morvel

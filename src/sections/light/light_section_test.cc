// What a scenario cannot reach well: the question the colour chooser is
// asked, and every light field committed with text that is no number (with
// the camera's field of view, which reads its text the same way).
#include "sections/light/light_section.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memscene/mem_utilities.h"
#include "panel/panel_testing.h"

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

// A field, the object shown, the writes that stand when its text fails
// (those made before its text is read), and a text that is no number. How
// each kind of text fails is the number parser's business; here each field
// gets one of them.
struct Field {
  const char* name;
  const char* shown;
  std::vector<std::string> before_failure;
  std::string text;
  Long error;
};

TEST(FieldTextTest, FailsWithItsNumberAfterThePrepareAlone) {
  const Field fields[] = {
      {"txtAttenuationFactor",
       "Spot",
       {"SetLinearAttenuation Spot 0", "SetQuadraticAttenuation Spot 0"},
       "",
       kErrTypeMismatch},
      {"txtSpotlightRange", "Spot", {}, "bright", kErrTypeMismatch},
      {"txtSpotlightUmbra",
       "Spot",
       {"SetSpotlightRange Spot 300"},
       std::string(10000, '7'),
       kErrOverflow},
      {"txtSpotlightPenumbra",
       "Spot",
       {"SetSpotlightRange Spot 300", "SetSpotlightUmbra Spot 0.35"},
       "0,5",
       kErrTypeMismatch},
      {"txtFieldofView", "Cam", {}, "1e400", kErrOverflow},
  };
  for (const Field& field : fields) {
    SCOPED_TRACE(field.name);
    PanelHarness h(kScene);
    h.Show(3, {field.shown});
    UpDownText& box = h.Get<UpDownText>(field.name);
    box.SetText(field.text);
    try {
      box.CommitText();
      ADD_FAILURE() << "no error";
    } catch (const Error& error) {
      EXPECT_EQ(error.Number(), field.error);
      EXPECT_EQ(error.Source(), "Properties");
    }
    EXPECT_THAT(h.events.log, ElementsAre(kPrepare));
    EXPECT_EQ(h.Journal(), field.before_failure);
  }
}

}  // namespace
}  // namespace morvel

// The draw mode and the four display switches, written to every selected
// shape in one scene change.
#include "sections/shape/display_options.h"

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

constexpr const char* kPrepare =
    "evtReqPrepareForSceneChanges(\"SysProperties\")";
constexpr const char* kApply = "evtReqApplySceneChanges(False)";

constexpr const char* kScene = R"({
  "nodes": [
    {"name": "Teapot", "kind": "shape"},
    {"name": "Cube", "kind": "shape", "DrawStyle": 4, "DrawPoints": true,
     "DrawNormals": true, "DrawTranslucent": true, "DisplayAsBox": 1},
    {"name": "Ball", "kind": "shape", "DrawStyle": 4}
  ]
})";

class DisplayOptionsTest : public ::testing::Test {
 protected:
  DisplayOptionsTest() : h_(kScene) {}
  ComboBox& Draw() { return h_.Get<ComboBox>("cboShapeDraw"); }
  PanelHarness h_;
};

struct SwitchCase {
  const char* name;
  const char* box;
  const char* property;
  Integer start;
  Integer set_to;
  const char* written;  // as the journal writes the value
};

class DisplaySwitchTest : public DisplayOptionsTest,
                          public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(DisplaySwitchTest, WritesTheSameValueToEveryShape) {
  const SwitchCase& c = GetParam();
  h_.Show(2, {"Teapot", "Cube", "Ball"});
  CheckBox& box = h_.Get<CheckBox>(c.box);
  box.SetEnabled(false);
  box.SetValue(c.start);
  box.SetEnabled(true);
  box.SetValue(c.set_to);
  std::string op = std::string("Set") + c.property + " ";
  std::vector<std::string> journal = {op + "Teapot " + c.written,
                                      op + "Cube " + c.written,
                                      op + "Ball " + c.written};
  // Boxes and meshes take different room in the viewports.
  if (std::string(c.property) == "DisplayAsBox") {
    journal.push_back("RefreshSelection");
  }
  EXPECT_EQ(h_.Journal(), journal);
  EXPECT_THAT(h_.events.log, ElementsAre(kPrepare, kApply));
}

INSTANTIATE_TEST_SUITE_P(
    Switches, DisplaySwitchTest,
    ::testing::Values(SwitchCase{"PointsFromGrey", "chkShapeDrawPoints",
                                 "DrawPoints", 2, 1, "True"},
                      SwitchCase{"PointsCleared", "chkShapeDrawPoints",
                                 "DrawPoints", 1, 0, "False"},
                      SwitchCase{"PointsGrey", "chkShapeDrawPoints",
                                 "DrawPoints", 0, 2, "True"},
                      SwitchCase{"NormalsChecked", "chkShapeDrawNormals",
                                 "DrawNormals", 0, 1, "True"},
                      SwitchCase{"NormalsCleared", "chkShapeDrawNormals",
                                 "DrawNormals", 2, 0, "False"},
                      SwitchCase{"TranslucentChecked",
                                 "chkShapeDrawTranslucent", "DrawTranslucent",
                                 0, 1, "True"},
                      SwitchCase{"TranslucentGrey", "chkShapeDrawTranslucent",
                                 "DrawTranslucent", 1, 2, "True"},
                      SwitchCase{"BoxChecked", "chkShapeDisplayAsBox",
                                 "DisplayAsBox", 0, 1, "1"},
                      SwitchCase{"BoxGrey", "chkShapeDisplayAsBox",
                                 "DisplayAsBox", 0, 2, "1"},
                      SwitchCase{"BoxCleared", "chkShapeDisplayAsBox",
                                 "DisplayAsBox", 2, 0, "0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DisplayOptionsTest, DisplayAsBoxRedrawsTheSelectionWhenAsked) {
  h_.Show(2, {"Teapot"});
  UserInput::Click(h_.Get<CheckBox>("chkShapeDisplayAsBox"));
  EXPECT_EQ(h_.scene->ValueText("Teapot.DisplayAsBox"), "1");
  EXPECT_THAT(h_.Journal(),
              ElementsAre("SetDisplayAsBox Teapot 1", "RefreshSelection"));
  EXPECT_FALSE(h_.scene->SelectionNeedsRedraw()) << "refreshed";
  EXPECT_THAT(h_.events.log, ElementsAre(kPrepare, kApply));
}

struct DrawCase {
  Long entry;
  const char* written;
};

class DrawPickTest : public DisplayOptionsTest,
                     public ::testing::WithParamInterface<DrawCase> {};

TEST_P(DrawPickTest, WritesTheEntrysDrawStyle) {
  h_.Show(2, {"Teapot", "Ball"});
  // Start from another entry so that the pick is a change.
  Draw().SetEnabled(false);
  Draw().SetListIndex(GetParam().entry == 0 ? 1 : 0);
  Draw().SetEnabled(true);
  UserInput::Pick(Draw(), GetParam().entry);
  EXPECT_THAT(
      h_.Journal(),
      ElementsAre(std::string("SetDrawStyle Teapot ") + GetParam().written,
                  std::string("SetDrawStyle Ball ") + GetParam().written));
  EXPECT_THAT(h_.events.log, ElementsAre(kPrepare, kApply));
}

// The list's order is not the order of the style bits: Wireframe is 1.
INSTANTIATE_TEST_SUITE_P(Entries, DrawPickTest,
                         ::testing::Values(DrawCase{0, "0"}, DrawCase{1, "2"},
                                           DrawCase{2, "4"}, DrawCase{3, "8"},
                                           DrawCase{4, "1"},
                                           DrawCase{5, "16"}));

TEST_F(DisplayOptionsTest, PickingAModeRemovesMixed) {
  h_.Show(2, {"Teapot", "Cube", "Ball"});
  ASSERT_EQ(Draw().ListCount(), 7);
  ASSERT_EQ(Draw().ListIndex(), 6);
  UserInput::Pick(Draw(), 2);  // Flat
  EXPECT_EQ(Draw().ListCount(), 6);
  EXPECT_EQ(Draw().ListIndex(), 2);
  EXPECT_THAT(h_.Journal(),
              ElementsAre("SetDrawStyle Teapot 4", "SetDrawStyle Cube 4",
                          "SetDrawStyle Ball 4"));
  EXPECT_THAT(h_.events.log, ElementsAre(kPrepare, kApply));
}

TEST_F(DisplayOptionsTest, PickingMixedWritesNothingButStillRaisesBoth) {
  h_.Show(2, {"Teapot", "Cube"});
  ASSERT_EQ(Draw().ListIndex(), 6);
  Draw().SetEnabled(false);
  Draw().SetListIndex(2);
  Draw().SetEnabled(true);
  UserInput::Pick(Draw(), 6);
  EXPECT_THAT(h_.Journal(), IsEmpty());
  EXPECT_THAT(h_.events.log, ElementsAre(kPrepare, kApply));
  EXPECT_EQ(Draw().ListCount(), 7);
}

TEST_F(DisplayOptionsTest, AnEmptySelectionOnlyRaisesTheEvents) {
  h_.Show(2, {"Teapot", "Cube"});
  h_.scene->Select({});
  Draw().SetListIndex(1);
  EXPECT_EQ(Draw().ListCount(), 7) << "Mixed goes only after a node";
  h_.Get<CheckBox>("chkShapeDrawPoints").SetValue(1);
  EXPECT_THAT(h_.Journal(), IsEmpty());
  EXPECT_THAT(h_.events.log, ElementsAre(kPrepare, kApply, kPrepare, kApply));
}

TEST_F(DisplayOptionsTest, TheLoaderDoesNotWriteBack) {
  h_.Show(2, {"Cube"});
  h_.Show(2, {"Teapot"});
  h_.Show(2, {"Teapot", "Cube"});
  EXPECT_THAT(h_.Journal(), IsEmpty());
  EXPECT_THAT(h_.events.log, IsEmpty());
}

struct DisplayFaultCase {
  const char* name;
  const char* widget;
  const char* operation;
  Long after;
  std::vector<std::string> journal;
};

class DisplayFaultTest
    : public DisplayOptionsTest,
      public ::testing::WithParamInterface<DisplayFaultCase> {};

TEST_P(DisplayFaultTest, PreparesWithoutApply) {
  const DisplayFaultCase& c = GetParam();
  h_.Show(2, {"Teapot", "Ball"});
  h_.scene->Fault(c.operation, 70, "Permission denied", c.after);
  try {
    if (std::string(c.widget) == "cboShapeDraw") {
      UserInput::Pick(Draw(), 3);
    } else {
      UserInput::Click(h_.Get<CheckBox>(c.widget));
    }
    FAIL() << "expected error 70";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 70);
    EXPECT_EQ(e.Description(), "Permission denied");
    EXPECT_EQ(e.Source(), "Properties");
  }
  EXPECT_THAT(h_.events.log, ElementsAre(kPrepare));
  EXPECT_EQ(h_.Journal(), c.journal);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, DisplayFaultTest,
    ::testing::Values(
        DisplayFaultCase{"SecondDrawStyle",
                         "cboShapeDraw",
                         "SetDrawStyle",
                         1,
                         {"SetDrawStyle Teapot 8"}},
        DisplayFaultCase{
            "FirstPoints", "chkShapeDrawPoints", "SetDrawPoints", 0, {}},
        DisplayFaultCase{
            "Refresh",
            "chkShapeDisplayAsBox",
            "SelectionNeedsRefresh",
            0,
            {"SetDisplayAsBox Teapot 1", "SetDisplayAsBox Ball 1"}},
        DisplayFaultCase{
            "Count", "chkShapeDrawNormals", "GetSelectionCount", 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace morvel

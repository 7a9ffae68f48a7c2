// The common tab driven as a host and a user would: selections shown through
// SetupPropertiesPanel, boxes clicked through UserInput, over the reference
// scene graph.
#include "sections/common/common_section.h"

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
constexpr const char* kApplyHierarchy = "evtReqApplySceneChanges(True)";

constexpr const char* kScene = R"({
  "nodes": [
    {"name": "Stage", "kind": "group"},
    {"name": "Rig", "kind": "group", "Hidden": true},
    {"name": "Teapot", "kind": "shape", "parent": "Stage"},
    {"name": "Cube", "kind": "shape", "Locked": true, "CastsShadows": false,
     "DrawPoints": true, "DrawNormals": true, "DisplayAsBox": 1,
     "DrawTranslucent": true, "DrawStyle": 4, "Hidden": true},
    {"name": "Ball", "kind": "shape", "Locked": true, "CastsShadows": false,
     "DrawPoints": true, "DrawNormals": true, "DisplayAsBox": 1,
     "DrawTranslucent": true, "DrawStyle": 4, "Hidden": true},
    {"name": "Sun", "kind": "light", "LightType": 1},
    {"name": "Glow", "kind": "light", "LightType": 0},
    {"name": "Spot", "kind": "light", "LightType": 2, "CastsShadows": false},
    {"name": "Lamp", "kind": "light", "LightType": 3, "CastsShadows": false},
    {"name": "Cam", "kind": "camera"},
    {"name": "Arm", "kind": "bone", "parent": "Stage", "Enabled": false},
    {"name": "Elbow", "kind": "bone", "parent": "Stage", "Enabled": false},
    {"name": "Hand", "kind": "bone", "parent": "Stage", "Enabled": false},
    {"name": "Toe", "kind": "bone", "parent": "Stage", "Enabled": true}
  ]
})";

class CommonTest : public ::testing::Test {
 protected:
  CommonTest() : h_(kScene) {}
  CheckBox& Box(const char* name) { return h_.Get<CheckBox>(name); }
  PanelHarness h_;
};

// ---- The loader's layout -------------------------------------------------

struct LayoutCase {
  const char* name;
  std::vector<std::string> selection;
  Long common_height;
  Long divider_top;
  bool lock_visible;
  const char* lock_caption;
  bool shadowless_visible;
  bool shape_frame_shown;
};

class CommonLayoutTest : public CommonTest,
                         public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(CommonLayoutTest, PlacesTheFramesForTheSelection) {
  const LayoutCase& c = GetParam();
  h_.Show(2, c.selection);
  const Widget& common = h_.W("fraCommonProperties");
  EXPECT_EQ(common.Left(), 0);
  EXPECT_EQ(common.Top(), 45);
  EXPECT_EQ(common.Height(), c.common_height);
  EXPECT_TRUE(common.Enabled());
  EXPECT_EQ(h_.W("fraBottomDivider").Left(), -30);
  EXPECT_EQ(h_.W("fraBottomDivider").Top(), c.divider_top);
  EXPECT_EQ(Box("chkCommonLockEnable").Visible(), c.lock_visible);
  EXPECT_EQ(Box("chkCommonLockEnable").Caption(), c.lock_caption);
  EXPECT_EQ(Box("chkCommonShadowless").Visible(), c.shadowless_visible);
  const Widget& shape = h_.W("fraShapeCommonProperties");
  if (c.shape_frame_shown) {
    EXPECT_EQ(shape.Left(), 0);
    EXPECT_EQ(shape.Top(), 615);
    EXPECT_TRUE(shape.Enabled());
  } else {
    EXPECT_EQ(shape.Left(), -50000);
    EXPECT_FALSE(shape.Enabled());
  }
  // The common tab shows no object section.
  for (const char* frame :
       {"fraShapeProperties", "fraLightProperties", "fraCameraProperties",
        "fraBoneProperties", "fraGroupProperties"}) {
    EXPECT_EQ(h_.W(frame).Left(), -50000) << frame;
    EXPECT_FALSE(h_.W(frame).Enabled()) << frame;
  }
  // Loading reads the scene; it writes nothing and raises nothing.
  EXPECT_THAT(h_.Journal(), IsEmpty());
  EXPECT_THAT(h_.events.log, IsEmpty());
  for (const char* box :
       {"chkCommonHide", "chkCommonLockEnable", "chkCommonShadowless",
        "chkShapeDrawPoints", "chkShapeDrawNormals", "chkShapeDisplayAsBox",
        "chkShapeDrawTranslucent", "cboShapeDraw"}) {
    EXPECT_TRUE(h_.W(box).Enabled()) << box;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Selections, CommonLayoutTest,
    ::testing::Values(
        LayoutCase{
            "Shapes", {"Teapot", "Cube"}, 570, 1560, true, "Lock", true, true},
        LayoutCase{"OneShape", {"Teapot"}, 570, 1560, true, "Lock", true, true},
        LayoutCase{
            "Bones", {"Arm", "Toe"}, 570, 615, true, "Enable", false, false},
        LayoutCase{
            "Lights", {"Sun", "Spot"}, 285, 330, false, "Lock", true, false},
        LayoutCase{"LightsWithAmbient",
                   {"Sun", "Glow"},
                   285,
                   330,
                   false,
                   "Lock",
                   false,
                   false},
        LayoutCase{"Camera", {"Cam"}, 285, 330, false, "Lock", false, false},
        LayoutCase{
            "Groups", {"Stage", "Rig"}, 285, 330, false, "Lock", false, false},
        // The first selected node decides; the shapes after the group do
        // not make it a shape selection.
        LayoutCase{"GroupThenShapes",
                   {"Stage", "Teapot", "Cube"},
                   285,
                   330,
                   false,
                   "Lock",
                   false,
                   false}),
    [](const auto& info) { return std::string(info.param.name); });

// With exactly one shape in it, a selection led by another kind parks
// neither the shape options nor the Shadowless box, and its load does not
// touch them: they stay as the last shape selection left them.
TEST_F(CommonTest, OneShapeBehindAGroupKeepsTheLastShapeOptions) {
  h_.Show(2, {"Cube"});
  h_.Show(2, {"Stage", "Teapot"});
  EXPECT_EQ(h_.W("fraShapeCommonProperties").Left(), 0);
  EXPECT_EQ(h_.W("fraShapeCommonProperties").Top(), 615);
  EXPECT_TRUE(h_.W("fraShapeCommonProperties").Enabled());
  EXPECT_TRUE(Box("chkCommonShadowless").Visible());
  EXPECT_EQ(Box("chkShapeDrawPoints").Value(), 1) << "not loaded again";
  EXPECT_EQ(h_.W("fraBottomDivider").Top(), 330);
}

TEST_F(CommonTest, ABoneSelectionAfterShapesKeepsTheEnableCaption) {
  h_.Show(2, {"Teapot"});
  h_.Show(2, {"Arm"});
  EXPECT_EQ(Box("chkCommonLockEnable").Caption(), "Enable");
  h_.Show(2, {"Cam"});
  EXPECT_FALSE(Box("chkCommonLockEnable").Visible());
  h_.Show(2, {"Cube"});
  EXPECT_EQ(Box("chkCommonLockEnable").Caption(), "Lock");
  EXPECT_TRUE(Box("chkCommonLockEnable").Visible());
}

// ---- Tri-states ----------------------------------------------------------

struct TriStateCase {
  const char* name;
  const char* box;
  std::vector<std::string> selection;
  Integer value;
};

class TriStateTest : public CommonTest,
                     public ::testing::WithParamInterface<TriStateCase> {};

TEST_P(TriStateTest, ShowsWhatTheSceneReports) {
  const TriStateCase& c = GetParam();
  // Start from the opposite so a box left alone would show.
  Box(c.box).SetEnabled(false);
  Box(c.box).SetValue(c.value == 1 ? 0 : 1);
  Box(c.box).SetEnabled(true);
  h_.Show(2, c.selection);
  EXPECT_EQ(Box(c.box).Value(), c.value);
  EXPECT_THAT(h_.events.log, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, TriStateTest,
    ::testing::Values(
        TriStateCase{"HideNone", "chkCommonHide", {"Teapot", "Sun"}, 0},
        TriStateCase{"HideAll", "chkCommonHide", {"Cube", "Ball", "Rig"}, 1},
        TriStateCase{"HideMixed", "chkCommonHide", {"Teapot", "Cube"}, 2},
        TriStateCase{"LockNone", "chkCommonLockEnable", {"Teapot"}, 0},
        TriStateCase{"LockAll", "chkCommonLockEnable", {"Cube", "Ball"}, 1},
        TriStateCase{"LockMixed", "chkCommonLockEnable", {"Cube", "Teapot"}, 2},
        TriStateCase{"EnableNone", "chkCommonLockEnable", {"Arm", "Hand"}, 0},
        TriStateCase{"EnableAll", "chkCommonLockEnable", {"Toe"}, 1},
        TriStateCase{"EnableMixed", "chkCommonLockEnable", {"Arm", "Toe"}, 2},
        TriStateCase{
            "ShadowlessShapesNone", "chkCommonShadowless", {"Teapot"}, 0},
        TriStateCase{
            "ShadowlessShapesAll", "chkCommonShadowless", {"Cube", "Ball"}, 1},
        TriStateCase{"ShadowlessShapesMixed",
                     "chkCommonShadowless",
                     {"Teapot", "Ball"},
                     2},
        TriStateCase{"ShadowlessLightsNone", "chkCommonShadowless", {"Sun"}, 0},
        TriStateCase{
            "ShadowlessLightsAll", "chkCommonShadowless", {"Spot", "Lamp"}, 1},
        TriStateCase{
            "ShadowlessLightsMixed", "chkCommonShadowless", {"Spot", "Sun"}, 2},
        TriStateCase{"DrawPointsNone", "chkShapeDrawPoints", {"Teapot"}, 0},
        TriStateCase{
            "DrawPointsAll", "chkShapeDrawPoints", {"Cube", "Ball"}, 1},
        TriStateCase{
            "DrawPointsMixed", "chkShapeDrawPoints", {"Cube", "Teapot"}, 2},
        TriStateCase{"DrawNormalsAll", "chkShapeDrawNormals", {"Cube"}, 1},
        TriStateCase{
            "DrawNormalsMixed", "chkShapeDrawNormals", {"Teapot", "Cube"}, 2},
        TriStateCase{"DisplayAsBoxNone", "chkShapeDisplayAsBox", {"Teapot"}, 0},
        TriStateCase{
            "DisplayAsBoxMixed", "chkShapeDisplayAsBox", {"Ball", "Teapot"}, 2},
        TriStateCase{
            "DrawTranslucentAll", "chkShapeDrawTranslucent", {"Ball"}, 1},
        TriStateCase{"DrawTranslucentMixed",
                     "chkShapeDrawTranslucent",
                     {"Ball", "Teapot"},
                     2}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Draw mode -----------------------------------------------------------

struct RenderModeCase {
  Long render_mode;
  Long entry;
  const char* text;
};

class DrawModeLoadTest : public CommonTest,
                         public ::testing::WithParamInterface<RenderModeCase> {
};

TEST_P(DrawModeLoadTest, SelectsTheEntryForTheRenderMode) {
  const RenderModeCase& c = GetParam();
  h_.scene->Select({"Teapot"});
  h_.panel.SetupPropertiesPanel(2, kNodeTypeShape, 1, 0, 0, 0, 0, false, false,
                                false, c.render_mode);
  auto& draw = h_.Get<ComboBox>("cboShapeDraw");
  EXPECT_EQ(draw.ListIndex(), c.entry);
  EXPECT_EQ(draw.List(draw.ListIndex()), c.text);
  EXPECT_EQ(draw.ListCount(), c.render_mode == -1 ? 7 : 6);
  EXPECT_TRUE(draw.Enabled());
  EXPECT_THAT(h_.Journal(), IsEmpty()) << "the loader's change is not written";
}

INSTANTIATE_TEST_SUITE_P(
    Modes, DrawModeLoadTest,
    ::testing::Values(
        RenderModeCase{0, 0, "Use View Default"},
        RenderModeCase{2, 1, "Smooth"}, RenderModeCase{4, 2, "Flat"},
        RenderModeCase{8, 3, "Solid Outline"},
        RenderModeCase{1, 4, "Wireframe"}, RenderModeCase{16, 5, "Cartoon"},
        RenderModeCase{3, 5, "Cartoon"}, RenderModeCase{-2, 5, "Cartoon"},
        RenderModeCase{-1, 6, "Mixed"}));

TEST_F(CommonTest, MixedIsAddedOnceHoweverOftenItIsShown) {
  h_.Show(2, {"Teapot", "Cube"});  // DrawStyle 0 and 4: mixed
  h_.Show(2, {"Cube", "Teapot"});
  auto& draw = h_.Get<ComboBox>("cboShapeDraw");
  EXPECT_EQ(draw.ListCount(), 7);
  EXPECT_EQ(draw.ListIndex(), 6);
  // A selection that agrees selects its mode; "Mixed" stays until the user
  // picks a mode.
  h_.Show(2, {"Cube", "Ball"});
  EXPECT_EQ(draw.ListIndex(), 2);
  EXPECT_EQ(draw.ListCount(), 7);
}

// ---- Hide ----------------------------------------------------------------

struct HideCase {
  const char* name;
  std::vector<std::string> selection;
  std::vector<std::string> events;
};

class HideTest : public CommonTest,
                 public ::testing::WithParamInterface<HideCase> {};

TEST_P(HideTest, RaisesTheHideNotificationsBetweenPrepareAndApply) {
  const HideCase& c = GetParam();
  h_.Show(2, c.selection);
  UserInput::Click(Box("chkCommonHide"));
  EXPECT_EQ(h_.events.log, c.events);
  for (const std::string& node : c.selection) {
    EXPECT_EQ(h_.scene->ValueText(node + ".Hidden"), "True") << node;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Selections, HideTest,
    ::testing::Values(
        HideCase{"ShapeAndLight",
                 {"Teapot", "Sun"},
                 {kPrepare, "evtShapeHidden8", "evtLightHidden8", kApply}},
        HideCase{"GroupOnly", {"Stage"}, {kPrepare, "evtGroupHidden8", kApply}},
        HideCase{
            "EveryKind",
            {"Cam", "Arm", "Stage", "Sun", "Teapot"},
            {kPrepare, "evtShapeHidden8", "evtLightHidden8", "evtBoneHidden8",
             "evtGroupHidden8", "evtCameraHidden8", kApply}},
        // Already hidden shapes do not change, and one group does.
        HideCase{"MixedHides",
                 {"Cube", "Rig", "Stage"},
                 {kPrepare, "evtGroupHidden8", kApply}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommonTest, ClearingHideShowsAndAGreyHideHides) {
  h_.Show(2, {"Cube", "Ball"});
  ASSERT_EQ(Box("chkCommonHide").Value(), 1);
  UserInput::Click(Box("chkCommonHide"));
  EXPECT_EQ(h_.scene->ValueText("Cube.Hidden"), "False");
  EXPECT_THAT(h_.events.Take(),
              ElementsAre(kPrepare, "evtShapeHidden8", kApply));
  Box("chkCommonHide").SetValue(2);  // grey counts as hidden
  EXPECT_EQ(h_.scene->ValueText("Ball.Hidden"), "True");
  EXPECT_THAT(h_.events.Take(),
              ElementsAre(kPrepare, "evtShapeHidden8", kApply));
}

TEST_F(CommonTest, ADisabledBoxRaisesNothing) {
  h_.Show(2, {"Teapot"});
  for (const char* name :
       {"chkCommonHide", "chkCommonLockEnable", "chkCommonShadowless"}) {
    CheckBox& box = Box(name);
    box.SetEnabled(false);
    box.SetValue(1);
    box.SetValue(0);
  }
  EXPECT_THAT(h_.events.log, IsEmpty());
  EXPECT_THAT(h_.Journal(), IsEmpty());
}

// ---- Lock / Enable -------------------------------------------------------

TEST_F(CommonTest, LockWritesEveryShape) {
  h_.Show(2, {"Teapot", "Cube"});
  Box("chkCommonLockEnable").SetValue(1);  // from grey to checked
  EXPECT_THAT(h_.Journal(),
              ElementsAre("SetLocked Teapot True", "SetLocked Cube True"));
  EXPECT_THAT(h_.events.Take(), ElementsAre(kPrepare, kApply));
  UserInput::Click(Box("chkCommonLockEnable"));
  EXPECT_EQ(h_.scene->ValueText("Teapot.Locked"), "False");
  EXPECT_EQ(h_.scene->ValueText("Cube.Locked"), "False");
  EXPECT_THAT(h_.events.Take(), ElementsAre(kPrepare, kApply));
  EXPECT_THAT(h_.messages.Messages(), IsEmpty());
}

struct BoneCase {
  const char* name;
  std::vector<std::string> selection;
  Long result_of_second;  // SetBoneEnabledResult of the second bone
  bool enable;
  std::vector<std::string> journal;
  const char* message;  // "" for none
  const char* apply;
};

class EnableTest : public CommonTest,
                   public ::testing::WithParamInterface<BoneCase> {};

TEST_P(EnableTest, SwitchesBonesUntilTheFirstMessage) {
  const BoneCase& c = GetParam();
  // Give the second bone of each selection its answer.
  PanelHarness h(std::string(R"({"nodes": [
    {"name": "Arm", "kind": "bone", "Enabled": )") +
                 (c.enable ? "false" : "true") +
                 R"(},
    {"name": "Elbow", "kind": "bone", "Enabled": )" +
                 (c.enable ? "false" : "true") +
                 R"(, "SetBoneEnabledResult": )" +
                 std::to_string(c.result_of_second) + R"(},
    {"name": "Hand", "kind": "bone", "Enabled": )" +
                 (c.enable ? "false" : "true") + R"(}]})");
  h.Show(2, c.selection);
  UserInput::Click(h.Get<CheckBox>("chkCommonLockEnable"));
  EXPECT_EQ(h.Journal(), c.journal);
  EXPECT_THAT(h.events.log, ElementsAre(kPrepare, c.apply));
  if (*c.message) {
    ASSERT_EQ(h.messages.Messages().size(), 1u);
    const auto& m = h.messages.Messages()[0];
    EXPECT_EQ(m.text, c.message);
    EXPECT_EQ(m.title, "Morvel");
    EXPECT_EQ(m.icon, MessageIcon::kExclamation);
    EXPECT_EQ(m.buttons, MessageButtons::kOk);
  } else {
    EXPECT_THAT(h.messages.Messages(), IsEmpty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Results, EnableTest,
    ::testing::Values(
        BoneCase{"EnableAll",
                 {"Arm", "Elbow", "Hand"},
                 0,
                 true,
                 {"SetBoneEnabled Arm True", "SetBoneEnabled Elbow True",
                  "SetBoneEnabled Hand True"},
                 "",
                 kApplyHierarchy},
        BoneCase{"EnableSkinNotRelaxed",
                 {"Arm", "Elbow", "Hand"},
                 -2,
                 true,
                 {"SetBoneEnabled Arm True", "SetBoneEnabled Elbow True"},
                 kMessageRelaxBeforeEnabling,
                 kApplyHierarchy},
        BoneCase{"EnableNoSkin",
                 {"Arm", "Elbow", "Hand"},
                 -1,
                 true,
                 {"SetBoneEnabled Arm True", "SetBoneEnabled Elbow True"},
                 kMessageSkinNotFound,
                 kApplyHierarchy},
        // The first bone refuses: nothing switched, so the hierarchy did not
        // change.
        BoneCase{"EnableFirstRefuses",
                 {"Elbow", "Hand"},
                 -2,
                 true,
                 {"SetBoneEnabled Elbow True"},
                 kMessageRelaxBeforeEnabling,
                 kApply},
        BoneCase{"DisableSkinNotRelaxed",
                 {"Arm", "Elbow", "Hand"},
                 -2,
                 false,
                 {"SetBoneEnabled Arm False", "SetBoneEnabled Elbow False"},
                 kMessageRelaxBeforeDisabling,
                 kApplyHierarchy},
        // Disabling a bone without a skin is no failure.
        BoneCase{"DisableNoSkin",
                 {"Elbow"},
                 -1,
                 false,
                 {"SetBoneEnabled Elbow False"},
                 "",
                 kApplyHierarchy}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EnableMessagesTest, AreWordForWord) {
  EXPECT_STREQ(kMessageSkinNotFound,
               "Unable to find skin. It must be located in the same group as "
               "the bone or a group above in the hierarchy. There must be a "
               "bone in each group between the bone selected and the skin, "
               "including the skin's group.");
  EXPECT_STREQ(kMessageRelaxBeforeEnabling,
               "The skin must be relaxed before bones can be enabled. Select a "
               "bone that is attached to the skin and click the \"Relax "
               "Skin\" button on the Edit Toolbar.");
  EXPECT_STREQ(kMessageRelaxBeforeDisabling,
               "The skin must be relaxed before bones can be disabled. Select "
               "a bone that is attached to the skin and click the \"Relax "
               "Skin\" button on the Edit Toolbar.");
}

// ---- Shadowless ----------------------------------------------------------

TEST_F(CommonTest, ShadowlessWritesShapesAndLights) {
  h_.Show(2, {"Teapot", "Cube"});
  Box("chkCommonShadowless").SetValue(1);  // grey to checked
  EXPECT_THAT(h_.Journal(), ElementsAre("SetCastsShadows Teapot False",
                                        "SetCastsShadows Cube False"));
  EXPECT_THAT(h_.events.Take(), ElementsAre(kPrepare, kApply));

  h_.Show(2, {"Spot", "Sun"});
  Box("chkCommonShadowless").SetValue(0);
  EXPECT_THAT(h_.Journal(), ElementsAre("SetCastsShadows Spot True",
                                        "SetCastsShadows Sun True"));
  EXPECT_THAT(h_.events.Take(), ElementsAre(kPrepare, kApply));
}

TEST_F(CommonTest, AGreyShadowlessBoxCastsShadows) {
  h_.Show(2, {"Cube", "Lamp"});  // a shape and a light, both shadowless
  Box("chkCommonShadowless").SetValue(2);
  EXPECT_EQ(h_.scene->ValueText("Cube.CastsShadows"), "True");
  EXPECT_EQ(h_.scene->ValueText("Lamp.CastsShadows"), "True");
}

// ---- Failures ------------------------------------------------------------

struct FaultCase {
  const char* name;
  std::vector<std::string> selection;
  const char* box;
  const char* operation;
  Long after;
  std::vector<std::string> journal;
};

class CommonFaultTest : public CommonTest,
                        public ::testing::WithParamInterface<FaultCase> {};

TEST_P(CommonFaultTest, PreparesWithoutApplyAndKeepsEarlierWrites) {
  const FaultCase& c = GetParam();
  h_.Show(2, c.selection);
  h_.scene->Fault(c.operation, 1234, "Scene is read-only", c.after);
  try {
    Box(c.box).SetValue(Box(c.box).Value() == 1 ? 0 : 1);
    FAIL() << "expected error 1234";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 1234);
    EXPECT_EQ(e.Description(), "Scene is read-only");
    EXPECT_EQ(e.Source(), "Properties");
  }
  EXPECT_THAT(h_.events.log, ElementsAre(kPrepare));
  EXPECT_EQ(h_.Journal(), c.journal);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, CommonFaultTest,
    ::testing::Values(
        FaultCase{"SecondLock",
                  {"Teapot", "Cube", "Ball"},
                  "chkCommonLockEnable",
                  "SetLocked",
                  1,
                  {"SetLocked Teapot True"}},
        FaultCase{"Hide", {"Teapot"}, "chkCommonHide", "SetHidden", 0, {}},
        FaultCase{"LightOfNode",
                  {"Spot", "Sun"},
                  "chkCommonShadowless",
                  "GetLightOfNode",
                  1,
                  {"SetCastsShadows Spot False"}},
        FaultCase{"Bone",
                  {"Arm", "Hand"},
                  "chkCommonLockEnable",
                  "SetBoneEnabled",
                  0,
                  {}},
        FaultCase{"Selection",
                  {"Teapot", "Cube"},
                  "chkCommonShadowless",
                  "GetSelectedNode",
                  1,
                  {"SetCastsShadows Teapot False"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommonTest, AFailingQueryLeavesItsBoxDisabled) {
  h_.scene->Fault("GetLockedState", 5, "Invalid procedure call or argument");
  h_.scene->Select({"Teapot"});
  try {
    h_.Show(2, {"Teapot"});
    FAIL() << "expected error 5";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 5);
    EXPECT_EQ(e.Source(), "Properties");
  }
  EXPECT_FALSE(Box("chkCommonLockEnable").Enabled());
  EXPECT_TRUE(Box("chkCommonShadowless").Enabled());
  EXPECT_EQ(h_.W("fraShapeCommonProperties").Top(), 765)
      << "the steps after the failure did not run";
}

// ---- Source --------------------------------------------------------------

TEST_F(CommonTest, SourceOnlyAsksToOpenTheSourceView) {
  h_.Show(3, {"Teapot"});
  UserInput::Click(h_.Get<Button>("cmdSource"));
  EXPECT_THAT(h_.events.log, ElementsAre("evtReqOpenSource"));
  EXPECT_THAT(h_.Journal(), IsEmpty());
}

}  // namespace
}  // namespace morvel

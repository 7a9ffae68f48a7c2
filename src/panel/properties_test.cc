// The panel's public contract and lifecycle, driven as a host drives it.
#include "panel/properties.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "panel/panel_testing.h"
#include "panel/properties_access.h"
#include "platform/headless.h"
#include "platform/settings_store.h"
#include "scene/scene.h"

namespace morvel {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing::RecordingEvents;
using testing::StubSceneGraph;
using testing::TestServices;

class NoApplier : public Applier {
 public:
  OperationParameters GetOperationParameters(const std::shared_ptr<SceneGraph>&,
                                             const std::string&, Long,
                                             Long) override {
    return {};
  }
};

// Records which widgets changed what, in order.
class ChangeLog : public WidgetObserver {
 public:
  void OnWidgetChanged(Widget& widget, WidgetProperty property) override {
    if (property == watched) names.push_back(widget.DisplayName());
  }
  WidgetProperty watched = WidgetProperty::kEnabled;
  std::vector<std::string> names;
};

class PropertiesTest : public ::testing::Test {
 protected:
  PropertiesTest()
      : panel_(PlatformServices{&clipboard_, &messages_, &settings_, &metrics_},
               events_, container_, &services_) {}

  WidgetTree& W() { return panel_.Widgets(); }
  PanelState& State() { return PropertiesAccess::Impl(panel_).State(); }
  const std::vector<std::string>& Items(const char* combo) {
    return W().Get<ComboBox>(combo).Items();
  }

  MemoryClipboard clipboard_;
  RecordingMessageBox messages_;
  MemorySettingsStore settings_;
  FixedScreenMetrics metrics_;
  RecordingEvents events_;
  FixedContainer container_;
  TestServices services_;
  Properties panel_;
};

TEST_F(PropertiesTest, StartsDisabledUninitialisedAndBlack) {
  EXPECT_FALSE(panel_.Enabled());
  EXPECT_EQ(panel_.lVBColor(), 0);
  EXPECT_FALSE(State().initialised);
  EXPECT_EQ(State().scene_graph, nullptr);
  EXPECT_EQ(W().Get<ComboBox>("cboShapeDraw").ListCount(), 0);
  EXPECT_TRUE(events_.log.empty());
}

struct ColourCase {
  Long written;
  Long stored;
};

class LightColourTest : public PropertiesTest,
                        public ::testing::WithParamInterface<ColourCase> {};

TEST_P(LightColourTest, StoresAndPaintsTheSwatch) {
  panel_.SetlVBColor(GetParam().written);
  EXPECT_EQ(panel_.lVBColor(), GetParam().stored);
  EXPECT_EQ(W().Get<PictureBox>("picVBColor").BackColor(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Values, LightColourTest,
    ::testing::Values(ColourCase{16777216, 16777215},  // one past white
                      ColourCase{16777215, 16777215}, ColourCase{0, 0},
                      ColourCase{0x0080FF, 0x0080FF},
                      ColourCase{16777217, 16777217}, ColourCase{-1, -1},
                      ColourCase{std::numeric_limits<Long>::min(),
                                 std::numeric_limits<Long>::min()}));

TEST_F(PropertiesTest, EnabledSwitchesTheSevenSectionFramesInOrder) {
  ChangeLog log;
  W().AddObserver(&log);
  panel_.SetEnabled(false);
  EXPECT_FALSE(panel_.Enabled());
  EXPECT_THAT(log.names,
              ElementsAre("fraCommonProperties", "fraShapeCommonProperties",
                          "fraShapeProperties", "fraLightProperties",
                          "fraCameraProperties", "fraBoneProperties",
                          "fraGroupProperties"));
  EXPECT_TRUE(W().GetWidget("fraBottomDivider").Enabled());
  log.names.clear();
  panel_.SetEnabled(true);
  EXPECT_TRUE(panel_.Enabled());
  EXPECT_EQ(log.names.size(), 7u);
  for (const char* frame :
       {"fraCommonProperties", "fraShapeCommonProperties", "fraShapeProperties",
        "fraLightProperties", "fraCameraProperties", "fraBoneProperties",
        "fraGroupProperties"}) {
    EXPECT_TRUE(W().GetWidget(frame).Enabled()) << frame;
  }
  W().RemoveObserver(&log);
}

TEST_F(PropertiesTest, FirstSceneGraphInitialisesOnce) {
  auto graph = std::make_shared<StubSceneGraph>();
  auto applier = std::make_shared<NoApplier>();
  panel_.SetSceneGraph(graph, applier);
  EXPECT_TRUE(panel_.Enabled());
  EXPECT_TRUE(State().initialised);
  EXPECT_EQ(State().scene_graph, graph);
  EXPECT_EQ(State().applier, applier);
  EXPECT_NE(State().picture_utility, nullptr);
  EXPECT_THAT(Items("cboShapeDraw"),
              ElementsAre("Use View Default", "Smooth", "Flat", "Solid Outline",
                          "Wireframe", "Cartoon"));
  EXPECT_THAT(Items("cboCondition"), ElementsAre("More Than", "Less Than"));
  EXPECT_THAT(Items("cboMirror"), ElementsAre("None", "X", "Y", "Z"));
  EXPECT_THAT(Items("cboIKJoint"), ElementsAre("Disabled", "Enabled", "Fixed"));
  EXPECT_THAT(Items("cboAttenuationType"),
              ElementsAre("Constant", "Linear", "Quadratic"));

  // A second scene graph replaces the first, and nothing is added again.
  panel_.SetEnabled(false);
  auto second = std::make_shared<StubSceneGraph>();
  panel_.SetSceneGraph(second, nullptr);
  EXPECT_EQ(State().scene_graph, second);
  EXPECT_EQ(State().applier, nullptr);
  EXPECT_FALSE(panel_.Enabled()) << "initialisation must not run again";
  EXPECT_EQ(services_.pictures_created, 1);
  for (auto [combo, count] : {std::pair{"cboShapeDraw", 6},
                              {"cboCondition", 2},
                              {"cboMirror", 4},
                              {"cboIKJoint", 3},
                              {"cboAttenuationType", 3}}) {
    EXPECT_EQ(W().Get<ComboBox>(combo).ListCount(), count) << combo;
  }
  EXPECT_TRUE(events_.log.empty());
}

TEST_F(PropertiesTest, NullSceneGraphStoresTheApplierWithoutInitialising) {
  auto applier = std::make_shared<NoApplier>();
  panel_.SetSceneGraph(nullptr, applier);
  EXPECT_EQ(State().applier, applier);
  EXPECT_FALSE(State().initialised);
  EXPECT_FALSE(panel_.Enabled());
  EXPECT_EQ(W().Get<ComboBox>("cboShapeDraw").ListCount(), 0);
  EXPECT_EQ(services_.pictures_created, 0);
  panel_.SetSceneGraph(std::make_shared<StubSceneGraph>(), applier);
  EXPECT_TRUE(State().initialised);
}

// The picture utility is made last; when that fails, the initialisation has
// not completed and the applier of the call is not stored.
class NoPictures : public TestServices {
 public:
  std::shared_ptr<PictureUtility> CreatePictureUtility() override {
    return nullptr;
  }
};

TEST(PropertiesInitTest, FailedInitialisationStopsBeforeTheApplier) {
  RecordingEvents events;
  FixedContainer container;
  NoPictures services;
  Properties panel(PlatformServices{}, events, container, &services);
  auto graph = std::make_shared<StubSceneGraph>();
  try {
    panel.SetSceneGraph(graph, std::make_shared<NoApplier>());
    FAIL() << "expected error 91";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), kErrObjectNotSet);
    EXPECT_EQ(e.Source(), "Properties");
  }
  EXPECT_EQ(PropertiesAccess::Impl(panel).State().scene_graph, graph);
  EXPECT_EQ(PropertiesAccess::Impl(panel).State().applier, nullptr);
  EXPECT_FALSE(PropertiesAccess::Impl(panel).State().initialised);
  EXPECT_TRUE(panel.Enabled()) << "steps before the failure are not undone";
}

struct FrameAfterReadProperties {
  const char* name;
  Long left;
  Long width;
};

TEST_F(PropertiesTest, ReadPropertiesInTheHostWidensAndParksTheSections) {
  panel_.ReadProperties();
  const FrameAfterReadProperties expected[] = {
      {"fraBottomDivider", -30, 50000},
      {"fraShapeProperties", -50000, 50000},
      {"fraLightProperties", -50000, 50000},
      {"fraCameraProperties", -50000, 50000},
      {"fraBoneProperties", -50000, 50000},
      {"fraGroupProperties", -50000, 50000},
      {"fraCommonProperties", 0, 3870},
      {"fraShapeCommonProperties", 0, 3870},
  };
  for (const auto& frame : expected) {
    EXPECT_EQ(W().GetWidget(frame.name).Left(), frame.left) << frame.name;
    EXPECT_EQ(W().GetWidget(frame.name).Width(), frame.width) << frame.name;
  }
  for (const char* inner :
       {"fraGeneral", "fraSmoothing", "fraMirror", "fraClone",
        "fraObjectRayTrace", "fraCustomShapeFields", "fraMaterial",
        "fraLightGeneral", "fraLightSpot", "fraCameraGeneral",
        "fraCameraRaytrace", "fraBoneGeneral", "fraBoneVolume",
        "fraBoneVolumeIrregular", "fraPosition", "fraOrientation",
        "fraVelocity", "fraIK", "fraCustomGroupFields"}) {
    EXPECT_EQ(W().GetWidget(inner).Width(), 50000) << inner;
  }
}

TEST_F(PropertiesTest, ReadPropertiesInADesignerChangesNothing) {
  container_.user_mode = false;
  std::string before = W().Dump(*W().Root());
  panel_.ReadProperties();
  EXPECT_EQ(W().Dump(*W().Root()), before);
  EXPECT_EQ(W().GetWidget("fraShapeProperties").Left(), 3960);
}

TEST_F(PropertiesTest, ResizeFitsTheMaterialGridToThePanel) {
  container_.width = 4000;
  panel_.Resize();
  EXPECT_EQ(W().GetWidget("msgMaterialAttributes").Width(), 4045);
  container_.width = 2500;
  panel_.Resize();
  EXPECT_EQ(W().GetWidget("msgMaterialAttributes").Width(), 2545);
}

TEST_F(PropertiesTest, ResizeToAnImpossibleWidthIsAnOverflow) {
  container_.width = std::numeric_limits<Long>::max();
  try {
    panel_.Resize();
    FAIL() << "expected error 6";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), kErrOverflow);
    EXPECT_EQ(e.Description(), "Overflow");
    EXPECT_EQ(e.Source(), "Properties");
  }
}

TEST_F(PropertiesTest, HandleIsTheContainers) {
  container_.window_handle = 0x2A0F;
  EXPECT_EQ(panel_.hWnd(), 0x2A0F);
}

// Clipboard keys over a text with "234" selected out of "12345".
struct KeyCase {
  const char* name;
  Integer key;
  Integer shift;
  const char* clipboard_before;
  std::vector<std::string> calls;
  const char* clipboard_after;
  const char* text_after;
};

class KeyDownTest : public PropertiesTest,
                    public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyDownTest, CopiesCutsAndPastesTheFocusedSelection) {
  const KeyCase& c = GetParam();
  auto& field = W().Get<UpDownText>("txtFieldofView");
  field.SetText("12345");
  field.SetSelection(1, 3);
  W().SetFocus(&field);
  clipboard_.PutText(c.clipboard_before);
  panel_.KeyDown(c.key, c.shift);
  EXPECT_THAT(clipboard_.Calls(), ElementsAreArray(c.calls));
  EXPECT_EQ(clipboard_.Text(), c.clipboard_after);
  EXPECT_EQ(field.Text(), c.text_after);
  EXPECT_TRUE(events_.log.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyDownTest,
    ::testing::Values(
        KeyCase{"Copy", 67, 0, "old", {"Clear", "SetText:234"}, "234", "12345"},
        KeyCase{"CopyWithControl",
                67,
                2,
                "old",
                {"Clear", "SetText:234"},
                "234",
                "12345"},
        KeyCase{"Cut", 88, 0, "old", {"Clear", "SetText:234"}, "234", "15"},
        KeyCase{"Paste", 86, 0, "ab", {"GetText"}, "ab", "1ab5"},
        KeyCase{"PasteEmpty", 86, 0, "", {"GetText"}, "", "15"},
        KeyCase{"OtherKey", 65, 0, "old", {}, "old", "12345"},
        KeyCase{"LowerCaseCodeIsNotTheKey", 99, 0, "old", {}, "old", "12345"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PropertiesTest, CopyWithoutATextControlLeavesTheClipboardEmpty) {
  clipboard_.PutText("old");
  panel_.KeyDown(67, 0);  // nothing has the focus
  EXPECT_THAT(clipboard_.Calls(), ElementsAre("Clear"));
  EXPECT_EQ(clipboard_.Text(), "");

  W().SetFocus(&W().GetWidget("chkCommonHide"));  // no selection to copy
  clipboard_.PutText("old");
  panel_.KeyDown(88, 0);
  EXPECT_EQ(clipboard_.Text(), "");
  panel_.KeyDown(86, 0);  // nothing to paste into: skipped
}

TEST_F(PropertiesTest, ClipboardTextFailuresAreSkipped) {
  auto& field = W().Get<UpDownText>("txtFieldofView");
  field.SetText("12345");
  field.SetSelection(0, 2);
  W().SetFocus(&field);
  clipboard_.FailOn(MemoryClipboard::Operation::kSetText,
                    Error(kErrPermissionDenied, "busy"));
  EXPECT_NO_THROW(panel_.KeyDown(88, 0));
  EXPECT_EQ(field.Text(), "345") << "the cut goes on after a failed copy";
  clipboard_.FailOn(MemoryClipboard::Operation::kGetText,
                    Error(kErrPermissionDenied, "busy"));
  EXPECT_NO_THROW(panel_.KeyDown(86, 0));
  EXPECT_EQ(field.Text(), "345");
}

TEST_F(PropertiesTest, AFailureToClearTheClipboardIsReported) {
  clipboard_.FailOn(MemoryClipboard::Operation::kClear,
                    Error(kErrPermissionDenied, "Permission denied"));
  try {
    panel_.KeyDown(67, 0);
    FAIL() << "expected error 70";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), kErrPermissionDenied);
    EXPECT_EQ(e.Description(), "Permission denied");
    EXPECT_EQ(e.Source(), "Properties");
  }
}

// A reference whose release is written to `log` under `name`.
template <class T>
std::shared_ptr<T> Tracked(std::shared_ptr<std::vector<std::string>> log,
                           std::string name) {
  return std::shared_ptr<T>(nullptr, [log, name](T*) { log->push_back(name); });
}

TEST_F(PropertiesTest, TerminateReleasesInOrderBetweenTheDebugMessages) {
  auto log = services_.log;
  {
    auto graph = std::make_shared<StubSceneGraph>();
    std::shared_ptr<SceneGraph> tracked_graph(Tracked<int>(log, "scene graph"),
                                              graph.get());
    panel_.SetSceneGraph(tracked_graph, std::make_shared<NoApplier>());
    // The graph object itself stays alive in `graph` only while this block
    // runs; the tracker goes when the panel lets go of its reference.
    PanelState& state = State();
    state.picture_utility = Tracked<PictureUtility>(log, "picture utility");
    state.CurrentGroup = Tracked<Group>(log, "CurrentGroup");
    state.CurrentShapeNode = Tracked<SceneNode>(log, "CurrentShapeNode");
    state.CurrentLight = Tracked<Light>(log, "CurrentLight");
    state.CurrentCamera = Tracked<Camera>(log, "CurrentCamera");
    state.EditShape = Tracked<SceneNode>(log, "EditShape");
    tracked_graph.reset();
    panel_.Terminate();
  }
  EXPECT_THAT(*log,
              ElementsAre("Properties instance terminating", "CurrentShapeNode",
                          "CurrentGroup", "CurrentLight", "CurrentCamera",
                          "EditShape", "picture utility", "scene graph",
                          "Properties instance terminated"));
  EXPECT_NE(State().applier, nullptr) << "the applier goes with the panel";
  EXPECT_TRUE(events_.log.empty());
}

}  // namespace
}  // namespace morvel

// The panel's public contract and lifecycle, driven as a host drives it.
#include "panel/properties.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "kit/kit_testing.h"
#include "panel/properties_access.h"
#include "platform/headless.h"
#include "platform/settings_store.h"
#include "scene/scene.h"
#include "sections/shape/shape_section.h"

namespace morvel {
namespace {

using ::testing::ElementsAre;
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

class PropertiesTest : public ::testing::Test {
 protected:
  PropertiesTest()
      : panel_(PlatformServices{&clipboard_, &messages_, &settings_, &metrics_},
               events_, container_, &services_) {}

  WidgetTree& W() { return panel_.Widgets(); }
  PanelState& State() { return PropertiesAccess::Impl(panel_).State(); }

  MemoryClipboard clipboard_;
  RecordingMessageBox messages_;
  MemorySettingsStore settings_;
  FixedScreenMetrics metrics_;
  RecordingEvents events_;
  FixedContainer container_;
  TestServices services_;
  Properties panel_;
};

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

TEST_F(PropertiesTest, ReadPropertiesInADesignerChangesNothing) {
  container_.user_mode = false;
  std::string before = W().Dump(*W().Root());
  panel_.ReadProperties();
  EXPECT_EQ(W().Dump(*W().Root()), before);
  EXPECT_EQ(W().GetWidget("fraShapeProperties").Left(), 3960);
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
    PropertiesAccess::Section<ShapeSection>(panel_)
        .Materials()
        .Edit()
        .EditShape = Tracked<SceneNode>(log, "EditShape");
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

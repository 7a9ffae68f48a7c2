// SetupPropertiesPanel: which frames leave the view for each tab and
// selection, and which section is loaded afterwards.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "kit/kit_testing.h"
#include "panel/properties.h"
#include "panel/properties_impl.h"
#include "platform/headless.h"

namespace morvel {
namespace {

using testing::RecordingEvents;
using testing::StubSceneGraph;
using testing::TestServices;

constexpr Long kSentinelLeft = 777;
constexpr Long kInner = 9000;
constexpr Long kOuter = 9100;

// The frames SetupPropertiesPanel parks, in table order.
const char* const kFrames[] = {
    "fraCommonProperties", "fraShapeCommonProperties", "fraShapeProperties",
    "fraLightProperties",  "fraCameraProperties",      "fraBoneProperties",
    "fraGroupProperties"};

enum Frame { kCommon, kShapeCommon, kShape, kLight, kCamera, kBone, kGroup };
constexpr unsigned Bit(Frame f) { return 1u << f; }
constexpr unsigned kAllObjects =
    Bit(kShape) | Bit(kLight) | Bit(kCamera) | Bit(kBone) | Bit(kGroup);
constexpr unsigned kAll = kAllObjects | Bit(kCommon) | Bit(kShapeCommon);

struct SetupCase {
  const char* name;
  Long tab;
  Long ns, nl, nb, nc, ng;
  bool scene_selected;
  Long edit_mode;
  unsigned parked;  // frames at -50000 and disabled afterwards
  int loaded;       // the frame brought to 0,0 by its loader, or -1
  Long divider_left;
  bool shadowless_visible;
};

class SetupPanel {
 public:
  // The screen is there (the material list sizes its grid by it); only the
  // scene is a stub.
  SetupPanel()
      : panel_(PlatformServices{.metrics = &metrics_}, events_, container_,
               &services_) {
    container_.inner_height = kInner;
    container_.outer_height = kOuter;
    panel_.ReadProperties();
    panel_.SetSceneGraph(graph_, nullptr);
    // Every frame somewhere visible and enabled, so that parking shows.
    for (const char* name : kFrames) {
      W().GetWidget(name).SetLeft(kSentinelLeft);
      W().GetWidget(name).SetEnabled(true);
    }
    W().GetWidget("chkCommonShadowless").SetVisible(true);
  }
  WidgetTree& W() { return panel_.Widgets(); }
  void Setup(const SetupCase& c) {
    panel_.SetupPropertiesPanel(c.tab, kNodeTypeShape, c.ns, c.nl, c.nb, c.nc,
                                c.ng, false, false, c.scene_selected, 0);
  }

  RecordingEvents events_;
  FixedContainer container_;
  FixedScreenMetrics metrics_;
  TestServices services_;
  std::shared_ptr<StubSceneGraph> graph_ = std::make_shared<StubSceneGraph>();
  Properties panel_;

  void Check(const SetupCase& c);
};

class SetupFixture : public ::testing::Test, public SetupPanel {};

void SetupPanel::Check(const SetupCase& c) {
  graph_->scene->edit_mode = c.edit_mode;
  // The stub scene answers nothing past its edit mode, so a loader stops at
  // its first scene read, after it has brought its frame into view.
  try {
    Setup(c);
  } catch (const Error& e) {
    EXPECT_GE(c.loaded, 0) << e.ToString();
    EXPECT_EQ(e.Description(), "not expected in this test");
  }
  for (int f = kCommon; f <= kGroup; ++f) {
    const Widget& frame = W().GetWidget(kFrames[f]);
    if (f == c.loaded) {
      EXPECT_EQ(frame.Left(), 0) << frame.Name();
      EXPECT_EQ(frame.Top(), 0) << frame.Name();
      EXPECT_EQ(frame.Height(), f == kBone ? kOuter : kInner) << frame.Name();
      EXPECT_TRUE(frame.Enabled()) << frame.Name();
    } else if (c.parked & Bit(static_cast<Frame>(f))) {
      EXPECT_EQ(frame.Left(), -50000) << frame.Name();
      EXPECT_FALSE(frame.Enabled()) << frame.Name();
    } else {
      EXPECT_EQ(frame.Left(), kSentinelLeft) << frame.Name() << " untouched";
      EXPECT_TRUE(frame.Enabled()) << frame.Name();
    }
  }
  EXPECT_EQ(W().GetWidget("fraBottomDivider").Left(), c.divider_left);
  EXPECT_EQ(W().GetWidget("chkCommonShadowless").Visible(),
            c.shadowless_visible);
  // The edit mode is the one value read, and only to choose an object
  // section for a single object.
  bool single_object = c.tab == 3 && c.ns + c.nl + c.nb + c.nc + c.ng == 1;
  EXPECT_EQ(graph_->scene->edit_mode_reads, single_object ? 1 : 0);
  EXPECT_TRUE(events_.log.empty());
}

// Counts are Ns, Nl, Nb, Nc, Ng. Negative counts are what a careless host
// might pass; they show the order in which the loaders are tried. (The
// selections layout.scn plays through the host rules are not repeated.)
const SetupCase kSetupCases[] = {
    {"ObjectTabNothingSelected", 3, 0, 0, 0, 0, 0, false, 0, kAll, -1, -50000,
     true},
    {"ObjectTabTwoShapes", 3, 2, 0, 0, 0, 0, false, 0, kAll, -1, -50000, true},
    {"ObjectTabOneLight", 3, 0, 1, 0, 0, 0, false, 0, kAll & ~Bit(kLight),
     kLight, -50000, true},
    {"ObjectTabOneCamera", 3, 0, 0, 0, 1, 0, false, 0, kAll & ~Bit(kCamera),
     kCamera, -50000, true},
    {"ObjectTabOneBone", 3, 0, 0, 1, 0, 0, false, 0, kAll & ~Bit(kBone), kBone,
     -50000, true},
    {"ObjectTabOneGroup", 3, 0, 0, 0, 0, 1, false, 0, kAll & ~Bit(kGroup),
     kGroup, -50000, true},
    {"OtherTabOneShape", 5, 1, 0, 0, 0, 0, false, 0, kAllObjects & ~Bit(kShape),
     -1, -50000, true},
    {"OtherTabNothingSelected", 1, 0, 0, 0, 0, 0, false, 0, kAll, -1, -50000,
     true},
    {"ShapeBeforeGroup", 3, 1, -1, 0, 0, 1, false, 0,
     kAll & ~Bit(kShape) & ~Bit(kGroup), kShape, -50000, true},
    {"GroupWhenTheShapeIsInAnotherMode", 3, 1, -1, 0, 0, 1, false, 1,
     kAll & ~Bit(kShape), kGroup, -50000, true},
    {"GroupBeforeLight", 3, 0, 1, -1, 0, 1, false, 0, kAll & ~Bit(kLight),
     kGroup, -50000, true},
    {"LightBeforeCamera", 3, 0, 1, 0, 1, -1, false, 0, kAll & ~Bit(kCamera),
     kLight, -50000, true},
    {"CameraBeforeBone", 3, 0, -1, 1, 1, 0, false, 0, kAll & ~Bit(kBone),
     kCamera, -50000, true}};

TEST(SetupTest, ParksThenLoadsOneSection) {
  for (const SetupCase& c : kSetupCases) {
    SCOPED_TRACE(c.name);
    SetupPanel panel;
    panel.Check(c);
  }
}

constexpr Long kMax = std::numeric_limits<Long>::max();
constexpr Long kMin = std::numeric_limits<Long>::min();

TEST_F(SetupFixture, AnOverflowingTotalIsError6BeforeAnyFrameMoves) {
  const std::string before = W().Dump(*W().Root());
  const struct {
    Long ns, nl, nb, nc, ng;
  } sums[] = {{kMax, 1, 0, 0, 0},
              {1, 0, 0, 0, kMax},
              {kMax / 2, kMax / 2, 1, 1, 0},
              {kMin, 0, 0, -1, 0}};
  for (const auto& c : sums) {
    try {
      panel_.SetupPropertiesPanel(3, kNodeTypeShape, c.ns, c.nl, c.nb, c.nc,
                                  c.ng, false, false, false, 0);
      ADD_FAILURE() << "expected error 6";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), kErrOverflow);
      EXPECT_EQ(e.Source(), "Properties");
    }
  }
  EXPECT_EQ(W().Dump(*W().Root()), before);
  EXPECT_EQ(graph_->active_scene_calls, 0);
}

TEST(SetupLimitTest, LargestTotalIsFine) {
  RecordingEvents events;
  FixedContainer container;
  TestServices services;
  Properties panel(PlatformServices{}, events, container, &services);
  EXPECT_NO_THROW(panel.SetupPropertiesPanel(3, 0, kMax - 3, 1, 1, 1, 0, false,
                                             false, false, 0));
}

TEST_F(SetupFixture, AFailingSceneLeavesTheParkedFramesParkedAndLoadsNothing) {
  graph_->fail_active_scene = true;
  try {
    panel_.SetupPropertiesPanel(3, kNodeTypeLight, 0, 1, 0, 0, 0, false, false,
                                false, 0);
    FAIL() << "expected error 91";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), kErrObjectNotSet);
    EXPECT_EQ(e.Source(), "Properties");
  }
  EXPECT_EQ(W().GetWidget("fraShapeProperties").Left(), -50000);
  EXPECT_EQ(W().GetWidget("fraLightProperties").Left(), kSentinelLeft);
  EXPECT_EQ(W().GetWidget("fraGroupProperties").Left(), -50000);
}

TEST(SetupWithoutSceneTest, ASingleObjectNeedsASceneGraph) {
  RecordingEvents events;
  FixedContainer container;
  TestServices services;
  Properties panel(PlatformServices{}, events, container, &services);
  try {
    panel.SetupPropertiesPanel(3, kNodeTypeCamera, 0, 0, 0, 1, 0, false, false,
                               false, 0);
    FAIL() << "expected error 91";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), kErrObjectNotSet);
    EXPECT_EQ(e.Source(), "Properties");
  }
  // Without a selection nothing reaches for the scene.
  EXPECT_NO_THROW(
      panel.SetupPropertiesPanel(2, 0, 0, 0, 0, 0, 0, false, false, false, 0));
}

}  // namespace
}  // namespace morvel

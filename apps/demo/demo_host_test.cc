// The demo as a host: it starts with one set-up, shows the scene in its
// viewport and details, follows every edit at once, undoes any of them, and
// logs the operations it runs with the values they read.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "demo/demo_window.h"
#include "demo/qt_input_driver.h"
#include "demo/viewport.h"
#include "demo/viewport_scene.h"
#include "memscene/state.h"
#include "platform/settings_store.h"
#include "qt/qt_testing.h"
#include "scene/scene_graph.h"

namespace morvel::demo {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

const char kStudio[] = MORVEL_SOURCE_DIR "/examples/studio.json";

class DemoHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Unattended: loading a shape with refraction or a camera with focal
    // blur raises a tip, which would otherwise wait for a person's OK.
    DemoWindow::Options unattended;
    unattended.batch = true;
    window_ = std::make_unique<DemoWindow>(settings_, unattended);
    ASSERT_TRUE(qt::testing::ShowActive(window_.get()));
    std::vector<std::string> teapot = {"Teapot"};
    ASSERT_TRUE(window_->Start(kStudio, &teapot, 3));
    QApplication::processEvents();
  }
  void TearDown() override {
    window_->History().MarkSaved();
    window_.reset();
  }

  Viewport& View() { return *window_->SceneView(); }
  std::string NameOf(std::int32_t node) {
    return window_->Scene()
        ->state()
        .content.nodes[static_cast<std::size_t>(node)]
        .name;
  }
  // What the viewport drew of `name` in its last paint.
  std::vector<DrawnObject> DrawnOf(const std::string& name) {
    std::vector<DrawnObject> out;
    for (const DrawnObject& d : View().Drawn()) {
      if (NameOf(d.node) == name) out.push_back(d);
    }
    return out;
  }
  // Lets the window draw what is pending, as the next frame would.
  void NextFrame() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }
  QPointF CentreOf(const std::string& name) {
    auto drawn = DrawnOf(name);
    return drawn.empty() ? QPointF(-1, -1) : drawn.front().bounds.center();
  }
  void ClickView(QPointF at, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(&View(), Qt::LeftButton, modifiers, at.toPoint());
  }
  void ClickNode(const char* name,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTreeWidget* tree = window_->Outliner();
    auto found = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_FALSE(found.isEmpty()) << name;
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, modifiers,
                      tree->visualItemRect(found.front()).center());
  }
  int SetupCalls() {
    return window_->LogText().count("> SetupPropertiesPanel(");
  }
  // The last set-up the demo logged; the load it started may have logged
  // the transactions of sliders written back after it.
  QString LastSetup() {
    QStringList lines = window_->LogText().split('\n');
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
      if (line->startsWith("> SetupPropertiesPanel(")) return *line;
    }
    return {};
  }
  // One edit as the panel makes it: prepare, the writes, apply.
  void Edit(const std::function<void(MemSceneGraph&)>& writes) {
    std::string layer = "SysProperties";
    bool hierarchy = false;
    window_->Events().evtReqPrepareForSceneChanges(layer);
    writes(*window_->Scene());
    window_->Events().evtReqApplySceneChanges(hierarchy);
  }

  MemorySettingsStore settings_;
  std::unique_ptr<DemoWindow> window_;
};

template <class T>
std::shared_ptr<T> As(MemSceneGraph& scene, const char* name) {
  return std::dynamic_pointer_cast<T>(scene.Node(name));
}

TEST_F(DemoHostTest, StartingSetsThePanelUpOnceAndEveryActionOnceMore) {
  EXPECT_EQ(SetupCalls(), 1);
  EXPECT_EQ(LastSetup(),
            "> SetupPropertiesPanel(3, 11, 1, 0, 0, 0, 0, False, False, "
            "False, 2)");
  NextFrame();
  EXPECT_EQ(SetupCalls(), 1);

  ClickNode("Cups");
  EXPECT_EQ(SetupCalls(), 2);
  ClickNode("Vase", Qt::ControlModifier);
  EXPECT_EQ(SetupCalls(), 3);
  QTabBar* tabs = window_->Tabs();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
  EXPECT_EQ(SetupCalls(), 4);
  EXPECT_EQ(LastSetup(),
            "> SetupPropertiesPanel(2, 11, 2, 0, 0, 0, 0, False, False, "
            "False, 2)");
  NextFrame();
  ClickView(CentreOf("Teapot"));
  EXPECT_EQ(SetupCalls(), 5);
  NextFrame();
  EXPECT_EQ(SetupCalls(), 5);
}

TEST_F(DemoHostTest, TheViewportDrawsEachObjectAsWhatItIsInItsColour) {
  NextFrame();
  struct Row {
    const char* name;
    ItemKind kind;
    Primitive primitive;
    const char* colour;
    Long draw_style;
    std::size_t copies;
    bool translucent;
  };
  const Row rows[] = {
      {"Teapot", ItemKind::kShape, Primitive::kTeapot, "#ff8000", 2, 1, false},
      {"Tabletop", ItemKind::kShape, Primitive::kBox, "#8c592e", 4, 1, false},
      {"Cups", ItemKind::kShape, Primitive::kCup, "#3366cc", 2, 4, false},
      {"Vase", ItemKind::kShape, Primitive::kVase, "#b3e6ff", 2, 1, true},
      {"Floor", ItemKind::kShape, Primitive::kPlane, "#808080", 1, 1, false},
      {"Body", ItemKind::kShape, Primitive::kFigure, "#d9b399", 16, 1, false},
      {"Key Light", ItemKind::kLight, Primitive::kSphere, "#ffffff", 0, 1,
       false},
      {"Camera", ItemKind::kCamera, Primitive::kSphere, "#a4aab2", 0, 1, false},
      {"Forearm", ItemKind::kBone, Primitive::kSphere, "#eee4c8", 0, 1, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto drawn = DrawnOf(row.name);
    ASSERT_EQ(drawn.size(), row.copies);
    EXPECT_EQ(drawn[0].kind, row.kind);
    EXPECT_EQ(drawn[0].colour.name().toStdString(), row.colour);
    if (row.kind != ItemKind::kShape) continue;
    EXPECT_EQ(drawn[0].primitive, row.primitive);
    EXPECT_EQ(drawn[0].draw_style, row.draw_style);
    EXPECT_EQ(drawn[0].translucent, row.translucent);
  }
  // Only the teapot is selected.
  for (const DrawnObject& d : View().Drawn())
    EXPECT_EQ(d.selected, NameOf(d.node) == "Teapot") << NameOf(d.node);
  // The three clones of the cups stand in a line, evenly spaced.
  auto cups = DrawnOf("Cups");
  QPointF step = cups[1].bounds.center() - cups[0].bounds.center();
  EXPECT_GT(step.manhattanLength(), 5);
  for (std::size_t i = 2; i < cups.size(); ++i) {
    QPointF next = cups[i].bounds.center() - cups[i - 1].bounds.center();
    EXPECT_NEAR(next.x(), step.x(), 0.5);
    EXPECT_NEAR(next.y(), step.y(), 0.5);
  }
}

TEST_F(DemoHostTest, HiddenObjectsAndTheContentsOfHiddenGroupsAreNotDrawn) {
  window_->SetTab(2);
  NextFrame();
  ASSERT_EQ(DrawnOf("Teapot").size(), 1u);
  std::uint64_t renders = View().RenderCount();
  QWidget* hide = window_->PanelView()->Find("chkCommonHide");
  SendClick(hide, QPoint(6, hide->height() / 2));
  ASSERT_EQ(window_->Scene()->ValueText("Teapot.Hidden"), "True");
  NextFrame();  // no repaint asked for: the apply event did it
  EXPECT_GT(View().RenderCount(), renders);
  EXPECT_TRUE(DrawnOf("Teapot").empty());
  EXPECT_EQ(DrawnOf("Cups").size(), 4u);

  ASSERT_TRUE(window_->Select({"Lights"}));
  SendClick(hide, QPoint(6, hide->height() / 2));
  NextFrame();
  for (const char* light : {"Room Light", "Sun", "Key Light", "Bulb"})
    EXPECT_TRUE(DrawnOf(light).empty()) << light;
  EXPECT_EQ(DrawnOf("Camera").size(), 1u);
}

TEST_F(DemoHostTest, AClickInTheViewportSelectsAndThePanelFollows) {
  NextFrame();
  ClickView(CentreOf("Vase"));
  EXPECT_THAT(window_->Scene()->SelectedNames(), ElementsAre("Vase"));
  auto vase = window_->Outliner()->findItems(
      "Vase", Qt::MatchExactly | Qt::MatchRecursive);
  EXPECT_TRUE(vase.front()->isSelected());
  NextFrame();
  EXPECT_TRUE(DrawnOf("Vase")[0].selected);

  // Control adds a light; the first picked still decides the panel.
  ClickView(CentreOf("Key Light"), Qt::ControlModifier);
  EXPECT_THAT(window_->Scene()->SelectedNames(),
              ElementsAre("Vase", "Key Light"));
  EXPECT_EQ(LastSetup(),
            "> SetupPropertiesPanel(3, 11, 1, 1, 0, 0, 0, False, False, "
            "False, 2)");
  // A click on nothing selects nothing.
  ClickView(QPointF(4, 4));
  EXPECT_TRUE(window_->Scene()->SelectedNames().empty());
  EXPECT_EQ(LastSetup(),
            "> SetupPropertiesPanel(3, 0, 0, 0, 0, 0, 0, False, False, "
            "False, 0)");
}

// The colour under the middle of a drawn object, in the picture.
QColor PixelAt(Viewport& view, QPointF at) {
  return view.grab().toImage().pixelColor(at.toPoint());
}

TEST_F(DemoHostTest, EveryEditIsSeenInTheViewportAtOnce) {
  window_->SetTab(2);
  NextFrame();
  auto* draw =
      qobject_cast<QComboBox*>(window_->PanelView()->Find("cboShapeDraw"));
  ASSERT_NE(draw, nullptr);
  draw->setFocus();
  QTest::keyClick(draw, Qt::Key_Down);  // Smooth to Flat
  ASSERT_EQ(window_->Scene()->ValueText("Teapot.DrawStyle"), "4");
  NextFrame();
  EXPECT_EQ(DrawnOf("Teapot")[0].draw_style, 4);

  QColor before = PixelAt(View(), CentreOf("Teapot"));
  EXPECT_GT(before.red(), before.blue() + 60);
  Edit([](MemSceneGraph& scene) {
    As<SceneNode>(scene, "Teapot")
        ->GetMaterial(0)
        ->SetColourComponents(0.1f, 0.3f, 0.9f, 1);
  });
  NextFrame();
  EXPECT_EQ(DrawnOf("Teapot")[0].colour.name(), "#1a4de6");
  QColor after = PixelAt(View(), CentreOf("Teapot"));
  EXPECT_GT(after.blue(), after.red() + 60);
}

TEST_F(DemoHostTest, AGroupsTransformShowsInTheDetailsAndTheViewAtOnce) {
  ASSERT_TRUE(window_->Select({"Table"}));
  NextFrame();
  EXPECT_THAT(window_->DetailsText().toStdString(),
              HasSubstr("Position\n0.0, 0.75, 0.0\nOrientation\n0.0, 0.0, "
                        "0.0"));
  QPointF teapot = CentreOf("Teapot");
  // Typed into the group section's fields, as a person would.
  QtInputDriver driver([this](const Widget&) { return window_->PanelView(); });
  WidgetTree& widgets = window_->Panel()->Widgets();
  driver.Commit(widgets.Get<UpDownText>("txtPositionX"), "1.5");
  EXPECT_THAT(window_->DetailsText().toStdString(),
              HasSubstr("Position\n1.5, 0.75, 0.0"));
  driver.Commit(widgets.Get<UpDownText>("txtOrientationY"), "90");
  EXPECT_THAT(window_->DetailsText().toStdString(),
              HasSubstr("Orientation\n0.0, 90.0, 0.0"));
  NextFrame();
  EXPECT_GT((CentreOf("Teapot") - teapot).manhattanLength(), 20);

  // Undo refreshes the details as well.
  window_->Undo();
  EXPECT_THAT(window_->DetailsText().toStdString(),
              HasSubstr("Position\n1.5, 0.75, 0.0\nOrientation\n0.0, 0.0, "
                        "0.0"));
}

// (That undo and redo put the whole scene back is undo_history_test's.)
TEST_F(DemoHostTest, EachGestureIsOneUndoStepEvenOnTheSameValue) {
  window_->SetTab(2);
  QWidget* points = window_->PanelView()->Find("chkShapeDrawPoints");
  SendClick(points, QPoint(6, points->height() / 2));
  SendClick(points, QPoint(6, points->height() / 2));
  ASSERT_EQ(window_->Scene()->ValueText("Teapot.DrawPoints"), "False");
  // Two clicks, two steps: undoing the second shows the points again.
  EXPECT_EQ(window_->History().StepCount(), 2u);
  window_->Undo();
  EXPECT_EQ(window_->Scene()->ValueText("Teapot.DrawPoints"), "True");
  window_->Undo();  // back to the start: the keys below make the only step

  // Keys pressed one after another in one field are one gesture.
  auto* draw =
      qobject_cast<QComboBox*>(window_->PanelView()->Find("cboShapeDraw"));
  draw->setFocus();
  QTest::keyClick(draw, Qt::Key_Down);
  QTest::keyClick(draw, Qt::Key_Down);
  EXPECT_EQ(window_->History().StepCount(), 1u);
  EXPECT_EQ(window_->History().UndoLabel(), "Draw Style (Teapot)");
}

TEST_F(DemoHostTest, AMeshOperationIsLoggedWithTheValuesItRanWith) {
  // What the panel stored before raising the event.
  for (auto [key, value] : {std::pair{"Level", "2"},
                            {"Tension", "-3"},
                            {"Condition", "1"},
                            {"Angle", "45"}}) {
    settings_.SaveSetting("Morvel", "DivideSmooth", key, value);
  }
  settings_.SaveSetting("Morvel", "Mirror", "Axis", "0");
  std::string operation = "DivideSmooth";
  window_->Events().evtReqApplyOperation(operation);
  // With what the stored numbers mean: the tension in tenths, 1 for "More
  // Than", 0 for the X axis.
  EXPECT_TRUE(window_->LogText().endsWith(
      "evtReqApplyOperation(\"DivideSmooth\")\n"
      "    DivideSmooth Teapot Level=2 Tension=-3 (-0.3) Condition=1 (More "
      "Than) Angle=45"))
      << window_->LogText().toStdString();
  operation = "Mirror";
  window_->Events().evtReqApplyOperation(operation);
  EXPECT_TRUE(window_->LogText().endsWith("    Mirror Teapot Axis=0 (X)"))
      << window_->LogText().toStdString();
  // Nothing in the scene changed: nothing to undo.
  EXPECT_FALSE(window_->History().CanUndo());
}

TEST(ViewportTest, HidingAnObjectMovesNothingElse) {
  auto scene = MemSceneGraph::Load(kStudio);
  mem::SceneContent& content = scene->state().content;
  auto places = [&] {
    std::map<std::string, std::vector<double>> where;
    for (const SceneItem& item : CollectSceneItems(content)) {
      if (item.copy != 0) continue;
      const mem::Transform& t = item.world;
      where[content.nodes[static_cast<std::size_t>(item.node)].name] = {
          t.origin[0], t.origin[1], t.origin[2]};
    }
    return where;
  };
  auto before = places();
  ASSERT_TRUE(before.count("Teapot"));
  content.nodes[static_cast<std::size_t>(content.Find("Teapot"))].Set(
      mem::kHidden, true);
  auto after = places();
  EXPECT_FALSE(after.count("Teapot"));
  before.erase("Teapot");
  EXPECT_EQ(after, before);
}

TEST(ViewportTest, PlacesThatAreNoPlacesAreLeftOutAndNothingBreaks) {
  auto scene = MemSceneGraph::Load(kStudio);
  mem::SceneContent& content = scene->state().content;
  auto group = [&](const char* name) -> mem::GroupData& {
    return content.groups[static_cast<std::size_t>(
        content.nodes[static_cast<std::size_t>(content.Find(name))].ext)];
  };
  auto shape = [&](const char* name) -> mem::ShapeData& {
    return content.shapes[static_cast<std::size_t>(
        content.nodes[static_cast<std::size_t>(content.Find(name))].ext)];
  };
  group("Table").position = {std::nanf(""), 0, 0};
  group("Lights").position = {1e30f, -1e30f, 0};
  group("Figure").orientation = {{0, 0, 0}, {0, 0, 0}};
  shape("Floor").clones.Mutable() = {
      {100000, -5, 100}, {INFINITY, 1, 1}, {1e30f, 0, 0}};
  shape("Floor").materials.front().colour = {NAN, 2, -1, NAN};

  Viewport view;
  view.resize(400, 300);
  view.SetScene(scene);
  QImage picture = view.grab().toImage();
  EXPECT_FALSE(picture.isNull());
  std::vector<std::string> drawn;
  for (const DrawnObject& d : view.Drawn()) {
    drawn.push_back(content.nodes[static_cast<std::size_t>(d.node)].name);
  }
  // Table and everything on it have no place; the figure stands unturned.
  EXPECT_THAT(drawn, ::testing::IsSupersetOf({"Body", "Spine", "Camera"}));
  for (const char* gone : {"Teapot", "Cups", "Tabletop", "Vase"})
    EXPECT_THAT(drawn, ::testing::Not(::testing::Contains(gone)));
  const auto floors = std::count(drawn.begin(), drawn.end(), "Floor");
  EXPECT_GT(floors, 0);
  EXPECT_LE(floors, kMaxCopiesDrawn);
}

}  // namespace
}  // namespace morvel::demo

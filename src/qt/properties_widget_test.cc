#include "qt/properties_widget.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "memscene/host_rules.h"
#include "memscene/mem_applier.h"
#include "memscene/mem_scene_graph.h"
#include "memscene/mem_utilities.h"
#include "host/scene_services.h"
#include "platform/headless.h"
#include "platform/settings_store.h"
#include "qt/qt_testing.h"
#include "qt/widget_view.h"

namespace morvel::qt {
namespace {

using ::testing::ElementsAre;
using testing::TurnWheel;
using testing::WhenShown;

// The host's side: every event in order.
class HostEvents : public PropertiesEvents {
 public:
  void evtShapeHidden8() override { log.push_back("evtShapeHidden8"); }
  void evtReqPrepareForSceneChanges(std::string& LayerSource) override {
    log.push_back("prepare " + LayerSource);
  }
  void evtReqApplySceneChanges(bool& HierarchyChanged) override {
    log.push_back(HierarchyChanged ? "apply True" : "apply False");
  }
  std::vector<std::string> log;
};

class PropertiesWidgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scene_ = MemSceneGraph::Load(MORVEL_SOURCE_DIR "/examples/studio.json");
    Show(&ThreadSceneServices(), 267);
  }
  // A widget on screen showing the scene; without scene services it opens
  // its own Qt choosers.
  void Show(SceneServices* scene_services, int width,
            const QString& scene_folder = {}) {
    widget_ = std::make_unique<PropertiesWidget>(
        events_, PropertiesWidget::Services{.clipboard = &clipboard_,
                                            .settings = &settings_,
                                            .metrics = &metrics_,
                                            .scene_services = scene_services});
    ASSERT_TRUE(testing::ShowActive(widget_.get(), width, 649));
    if (!scene_folder.isEmpty()) widget_->setSceneFolder(scene_folder);
    widget_->panel().SetSceneGraph(
        scene_, std::make_shared<MemApplier>(scene_, &settings_));
  }
  void Select(const std::string& name, Long tab) {
    scene_->Select({name});
    widget_->panel().SetupPropertiesPanel(ComputeSetupArguments(*scene_, tab));
    widget_->view().Flush();
    // A shape's load writes its unguarded sliders back; the tests look at
    // what the person does afterwards.
    events_.log.clear();
  }
  QWidget* Find(const char* name) { return widget_->view().Find(name); }

  HostEvents events_;
  MemoryClipboard clipboard_;
  MemorySettingsStore settings_;
  FixedScreenMetrics metrics_{15, 15};
  std::shared_ptr<MemSceneGraph> scene_;
  std::unique_ptr<PropertiesWidget> widget_;
};

TEST_F(PropertiesWidgetTest, TheWidgetIsThePanelsContainer) {
  std::vector<int> resized;
  QObject::connect(widget_.get(), &PropertiesWidget::panelResized,
                   [&] { resized.push_back(widget_->width()); });
  widget_->resize(300, 500);
  // The panel reads the widget's size in twips; its resize widens the
  // material grid to the panel's width and 45 twips more.
  EXPECT_THAT(resized, ElementsAre(300));
  EXPECT_EQ(
      widget_->panel().Widgets().GetWidget("msgMaterialAttributes").Width(),
      300 * 15 + 45);
  EXPECT_EQ(widget_->view().RootWidget()->size(), QSize(300, 500));
  EXPECT_EQ(widget_->panel().hWnd(),
            static_cast<Long>(
                static_cast<std::uint32_t>(widget_->window()->winId())));
  // Fixed facts: the widget takes their size, and resizing it is no
  // notification.
  widget_->fixContainer(9735, 9735, 4000);
  EXPECT_EQ(widget_->size(), QSize(267, 649));
  widget_->panel().Resize();
  EXPECT_EQ(
      widget_->panel().Widgets().GetWidget("msgMaterialAttributes").Width(),
      4045);
  EXPECT_THAT(resized, ElementsAre(300));
}

TEST_F(PropertiesWidgetTest, SectionsTallerThanTheWidgetScroll) {
  Select("Teapot", 3);
  widget_->resize(300, 250);
  // The width the scroll bar leaves reaches the panel as a resize.
  QCoreApplication::processEvents();
  auto* area = widget_->findChild<QScrollArea*>();
  ASSERT_NE(area, nullptr);
  QScrollBar* bar = area->verticalScrollBar();
  ASSERT_TRUE(bar->isVisible());
  const int visible = 300 - bar->width();
  EXPECT_EQ(area->widget()->width(), visible);
  EXPECT_EQ(
      widget_->panel().Widgets().GetWidget("msgMaterialAttributes").Width(),
      visible * 15 + 45);
  // Everything can be reached: the last custom field is below the fold.
  QWidget* field = Find("txtCustomShapeFieldValue(3)");
  ASSERT_GT(bar->maximum(), 0);
  EXPECT_GT(field->mapTo(area->widget(), QPoint(0, field->height())).y(), 250);

  // The wheel over a slider without the focus scrolls the panel; with the
  // focus, it moves the slider.
  auto& level = widget_->panel().Widgets().Get<Slider>("sldSmoothingLevel");
  auto* slider = qobject_cast<QSlider*>(Find("sldSmoothingLevel"));
  TurnWheel(slider, -1);
  EXPECT_GT(bar->value(), 0);
  EXPECT_EQ(level.Value(), 1);
  bar->setValue(0);
  slider->setFocus(Qt::MouseFocusReason);
  TurnWheel(slider, -1);
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(level.Value(), 0);

  // Tall enough again, the scroll bar goes and the panel has the width.
  widget_->resize(300, 3000);
  QCoreApplication::processEvents();
  EXPECT_FALSE(bar->isVisible());
  EXPECT_EQ(
      widget_->panel().Widgets().GetWidget("msgMaterialAttributes").Width(),
      300 * 15 + 45);
}

TEST_F(PropertiesWidgetTest, EditorErrorsComeOutOfOneSignalNamingTheField) {
  Select("Teapot", 2);
  scene_->Fault("SetHidden", 6, "Overflow");
  QWidget* hide = Find("chkCommonHide");
  ::testing::internal::CaptureStderr();
  QTest::mouseClick(hide, Qt::LeftButton, {}, QPoint(6, 8));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Hide: Error 6: Overflow (Properties)\n");

  std::vector<std::pair<Error, QString>> errors;
  QObject::connect(widget_.get(), &PropertiesWidget::errorOccurred,
                   [&](const Error& error, const QString& field) {
                     errors.push_back({error, field});
                   });
  scene_->Fault("SetHidden", 6, "Overflow");
  ::testing::internal::CaptureStderr();
  QTest::mouseClick(hide, Qt::LeftButton, {}, QPoint(6, 8));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].first.Number(), 6);
  EXPECT_EQ(errors[0].first.Description(), "Overflow");
  EXPECT_EQ(errors[0].first.Source(), "Properties");
  EXPECT_EQ(errors[0].second, "Hide");
  // Prepared twice, applied never.
  EXPECT_THAT(events_.log,
              ElementsAre("prepare SysProperties", "prepare SysProperties"));

  // A field named by a short label beside it is named with its frame's
  // heading; a text that is no number fails as the field is left.
  Select("Figure", 3);
  auto* y = Find("txtPositionY")->findChild<QLineEdit*>();
  y->setFocus(Qt::MouseFocusReason);
  QTest::keyClicks(y, "abc");
  QTest::keyClick(y, Qt::Key_Tab);
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[1].first.Number(), 13);
  EXPECT_EQ(errors[1].second, "Position Y");
}

TEST_F(PropertiesWidgetTest, CopyCutAndPasteKeysReachThePanel) {
  Select("Teapot", 3);
  auto* field = Find("txtCustomShapeFieldValue(0)")->findChild<QLineEdit*>();
  ASSERT_NE(field, nullptr);
  field->setFocus(Qt::MouseFocusReason);
  field->selectAll();  // the shape's own value, replaced by what is typed
  QTest::keyClicks(field, "Lid");
  field->selectAll();
  QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard_.GetText(), "Lid");
  QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(field->text(), "");
  QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(field->text(), "LidLid");
}

// (The warning's window, shown until the user switches it off, is pinned
// end to end through this widget by the demo window's tests.)

TEST_F(PropertiesWidgetTest, MaterialCellsOpenTheQtChoosersAndTheEditor) {
  // The widget's own choosers, a scene folder holding a map file, every
  // column in view.
  QTemporaryDir folder;
  QImage paint(32, 32, QImage::Format_RGB32);
  paint.fill(QColor(0, 160, 0));
  ASSERT_TRUE(paint.save(folder.filePath("paint.png")));
  Show(nullptr, 600, folder.path());
  Select("Teapot", 3);
  auto* table = qobject_cast<QTableView*>(Find("msgMaterialAttributes"));
  ASSERT_NE(table, nullptr);
  auto click = [&](int row, int col) {
    QRect cell = table->visualRect(table->model()->index(row - 1, col));
    ASSERT_TRUE(table->viewport()->rect().contains(cell));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
  };
  auto shown = [&](int row, int col) {
    return table->viewport()->grab().toImage().pixelColor(
        table->visualRect(table->model()->index(row - 1, col)).center());
  };

  // A level: the editor (laid over the cell, see grid_view_test), the typed
  // value written when the person clicks beside the grid.
  click(2, 8);
  QWidget* entry = Find("txtMaterialAttributeEntry");
  ASSERT_TRUE(entry->isVisible());
  QTest::keyClicks(entry->findChild<QLineEdit*>(), "40");
  EXPECT_TRUE(events_.log.empty());
  QTest::mouseClick(Find("fraMaterial"), Qt::LeftButton, {},
                    QPoint(10, Find("fraMaterial")->height() - 4));
  EXPECT_EQ(scene_->ValueText("Teapot.Materials[1].Diffuse"), "40");
  EXPECT_THAT(events_.log,
              ElementsAre("prepare SysMaterialUpdate", "apply False"));
  EXPECT_FALSE(entry->isVisible());

  // The colour cell: a QColorDialog starting at the material's colour.
  WhenShown<QColorDialog>([](QColorDialog& dialog) {
    EXPECT_EQ(dialog.currentColor(), QColor(255, 128, 0));
    dialog.setCurrentColor(QColor(0, 0, 255));
    dialog.accept();
  });
  click(1, 0);
  EXPECT_EQ(scene_->ValueText("Teapot.Materials[0].Colour"), "[0,0,1,1]");
  EXPECT_EQ(shown(1, 0), QColor(0, 0, 255));

  // A map column: a file chooser in the scene's folder; the map is named
  // relative to it and its thumbnail drawn from there.
  WhenShown<QFileDialog>([&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.directory().absolutePath(),
              QDir(folder.path()).absolutePath());
    dialog.selectFile(folder.filePath("paint.png"));
    QMetaObject::invokeMethod(&dialog, "accept");
  });
  click(1, 2);
  EXPECT_EQ(scene_->ValueText("Teapot.Materials[0].Maps.Paths[1]"),
            "paint.png");
  EXPECT_EQ(shown(1, 2), QColor(0, 160, 0));

  // Cancelled, the chooser changes nothing and is no error; its "No Map"
  // button removes the map.
  std::vector<Error> errors;
  QObject::connect(widget_.get(), &PropertiesWidget::errorOccurred,
                   [&](const Error& error) { errors.push_back(error); });
  events_.log.clear();
  WhenShown<QFileDialog>(
      [](QFileDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
  click(1, 2);
  EXPECT_EQ(scene_->ValueText("Teapot.Materials[0].Maps.Paths[1]"),
            "paint.png");
  EXPECT_TRUE(events_.log.empty());
  EXPECT_TRUE(errors.empty());
  WhenShown<QFileDialog>([](QFileDialog& dialog) {
    for (auto* button : dialog.findChildren<QPushButton*>()) {
      if (button->text() == "&No Map") button->click();
    }
  });
  click(1, 2);
  EXPECT_EQ(scene_->ValueText("Teapot.Materials[0].Maps.Paths[1]"), "");
  EXPECT_THAT(events_.log,
              ElementsAre("prepare SysMaterialUpdate", "apply False"));
}

TEST_F(PropertiesWidgetTest, DestroyingTheWidgetTerminatesThePanelOnce) {
  // The reference dialog utility keeps the panel's debug messages.
  auto messages = [] { return ThreadDialogUtility()->debug_messages(); };
  std::size_t before = messages().size();
  widget_->terminate();
  std::vector<std::string> after = messages();
  after.erase(after.begin(), after.begin() + static_cast<long>(before));
  EXPECT_THAT(after, ElementsAre("Properties instance terminating",
                                 "Properties instance terminated"));
  widget_.reset();
  EXPECT_EQ(messages().size(), before + 2);
  // Without terminate(), destroying it terminates the panel.
  widget_ = std::make_unique<PropertiesWidget>(
      events_,
      PropertiesWidget::Services{.settings = &settings_,
                                 .scene_services = &ThreadSceneServices()});
  widget_.reset();
  EXPECT_EQ(messages().size(), before + 4);
}

}  // namespace
}  // namespace morvel::qt

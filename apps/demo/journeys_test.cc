// A day with the demo, as an artist spends it: real mouse clicks, drags,
// wheel turns and key presses on the window, never calls into the panel.
// Each journey is something a person does every day and expects to work.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>
#include <memory>
#include <string>

#include "demo/demo_testing.h"
#include "demo/demo_window.h"
#include "platform/settings_store.h"
#include "qt/qt_testing.h"

namespace morvel::demo {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using qt::testing::AnswerWhenShown;
using qt::testing::TurnWheel;

class JourneyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = testing::OpenStudio(settings_);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override { testing::CloseUnsaved(window_); }

  // --- what a person does ---
  void Pick(const char* name, Qt::KeyboardModifiers modifiers = {}) {
    QTreeWidget* tree = window_->Outliner();
    auto found = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1) << name;
    tree->scrollToItem(found.front());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, modifiers,
                      tree->visualItemRect(found.front()).center());
  }
  void ObjectTab() {
    QTabBar* tabs = window_->Tabs();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
  }
  QWidget* Panel(const char* name) {
    QWidget* widget = window_->PanelView()->Find(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QLineEdit* Field(const char* name) {
    QWidget* view = Panel(name);
    auto* edit = qobject_cast<QLineEdit*>(view);
    return edit ? edit : view->findChild<QLineEdit*>();
  }
  // Clicks into a field and types over its whole text.
  void TypeOver(QLineEdit* edit, const char* text) {
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
  }
  void ClickCell(int row, int col) {
    auto* table = qobject_cast<QTableView*>(Panel("msgMaterialAttributes"));
    QModelIndex index = table->model()->index(row - 1, col);
    table->scrollTo(index);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualRect(index).center());
  }
  // A key as the window system delivers it: to whatever has the focus.
  void Key(int key, Qt::KeyboardModifiers modifiers = {}) {
    // A person's next key comes after what is pending has happened.
    QCoreApplication::processEvents();
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : window_.get(), Qt::Key(key), modifiers);
  }
  // Presses the slider's handle and drags it to `value`.
  void Drag(QSlider* slider, int value) {
    const int length = slider->style()->pixelMetric(QStyle::PM_SliderLength,
                                                    nullptr, slider);
    auto at = [&](int v) {
      return QPoint(QStyle::sliderPositionFromValue(slider->minimum(),
                                                    slider->maximum(), v,
                                                    slider->width() - length) +
                        length / 2,
                    slider->height() / 2);
    };
    QTest::mousePress(slider, Qt::LeftButton, {}, at(slider->value()));
    QMouseEvent move(QEvent::MouseMove, QPointF(at(value)),
                     slider->mapToGlobal(QPointF(at(value))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(slider, &move);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, at(value));
  }

  std::string Value(const std::string& path) {
    return window_->Scene()->ValueText(path);
  }
  // After a message box, the window is active again, as the window manager
  // makes it.
  bool BackToTheWindow() {
    if (!window_->isActiveWindow()) window_->activateWindow();
    return QTest::qWaitForWindowActive(window_.get());
  }
  std::shared_ptr<qt::testing::ModalAnswer> AnswerMessage() {
    return AnswerWhenShown<QMessageBox>([this](QMessageBox& box) {
      messages_.push_back(box.text().toStdString());
      QTest::keyClick(&box, Qt::Key_Return);
    });
  }

  MemorySettingsStore settings_;
  std::unique_ptr<DemoWindow> window_;
  std::vector<std::string> messages_;
};

// 1. A pasted text is written like a typed one, however the field is left.
TEST_F(JourneyTest, APastedTextReachesTheScene) {
  Pick("Figure");
  ObjectTab();
  QLineEdit* rig = Field("txtCustomGroupFieldValue(0)");
  QTest::mouseClick(rig, Qt::LeftButton);
  QTest::keyClick(rig, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(rig, Qt::Key_C, Qt::ControlModifier);
  QLineEdit* notes = Field("txtCustomGroupFieldValue(2)");
  QTest::mouseClick(notes, Qt::LeftButton);
  QTest::keyClick(notes, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(notes, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(notes, Qt::Key_Tab);
  EXPECT_EQ(Value("Figure.CustomFields[2]"), "Mannequin");

  // A number pasted into Position Z, then another object picked.
  QApplication::clipboard()->setText("2.53");
  QLineEdit* z = Field("txtPositionZ");
  QTest::mouseClick(z, Qt::LeftButton);
  QTest::keyClick(z, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(z, Qt::Key_V, Qt::ControlModifier);
  Pick("Teapot");
  EXPECT_EQ(Value("Figure.Position[2]"), "2.53");
  Pick("Figure");
  EXPECT_EQ(Field("txtCustomGroupFieldValue(2)")->text(), "Mannequin");
  EXPECT_EQ(Field("txtPositionZ")->text(), "2.53");
}

// 2. Cancelling the map chooser keeps the map; "No Map" removes it.
TEST_F(JourneyTest, CancellingTheMapChooserKeepsTheMap) {
  Pick("Teapot");
  ObjectTab();
  auto cancelled = AnswerWhenShown<QFileDialog>(
      [](QFileDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
  auto message = AnswerMessage();
  ClickCell(1, 1);
  QTest::qWait(50);
  EXPECT_TRUE(cancelled->answered);
  EXPECT_FALSE(message->answered);
  EXPECT_EQ(Value("Teapot.Materials[0].Maps.Paths[0]"), "maps/glaze.png");
  EXPECT_THAT(window_->LogText().toStdString(), Not(HasSubstr("SetMaps")));

  auto cleared = AnswerWhenShown<QFileDialog>([](QFileDialog& dialog) {
    for (auto* button : dialog.findChildren<QPushButton*>()) {
      if (button->text() == "&No Map") QTest::mouseClick(button, Qt::LeftButton);
    }
    if (dialog.isVisible()) dialog.reject();  // no such button
  });
  ClickCell(1, 1);
  EXPECT_TRUE(cleared->answered);
  EXPECT_EQ(Value("Teapot.Materials[0].Maps.Paths[0]"), "");
}

// 3. A bad value says which field it came from, and the next edit works.
TEST_F(JourneyTest, ABadValueNamesItsFieldAndBlocksNothing) {
  Pick("Figure");
  ObjectTab();
  auto first = AnswerMessage();
  TypeOver(Field("txtPositionY"), "abc");
  QTest::keyClick(Field("txtPositionY"), Qt::Key_Tab);
  ASSERT_TRUE(QTest::qWaitFor([&] { return first->answered; }));
  ASSERT_TRUE(BackToTheWindow());
  auto second = AnswerMessage();
  TypeOver(Field("txtPositionZ"), "1e999");
  QTest::keyClick(Field("txtPositionZ"), Qt::Key_Tab);
  ASSERT_TRUE(QTest::qWaitFor([&] { return second->answered; }))
      << window_->LogText().toStdString();
  ASSERT_TRUE(BackToTheWindow());
  ASSERT_EQ(messages_.size(), 2u);
  EXPECT_THAT(messages_[0], HasSubstr("Position Y"));
  EXPECT_THAT(messages_[0], HasSubstr("Type mismatch"));
  EXPECT_THAT(messages_[1], HasSubstr("Position Z"));
  EXPECT_THAT(messages_[1], HasSubstr("Overflow"));
  // The fields show the scene's values again.
  EXPECT_EQ(Field("txtPositionY")->text(), "0.0");
  EXPECT_EQ(Field("txtPositionZ")->text(), "-1.0");

  auto none = AnswerMessage();
  TypeOver(Field("txtPositionY"), "2");
  QTest::keyClick(Field("txtPositionY"), Qt::Key_Tab);
  QTest::qWait(50);
  EXPECT_FALSE(none->answered);
  EXPECT_EQ(Value("Figure.Position"), "[1.5,2,-1]");
  // The failed edits left no step; the good one says what it changed.
  EXPECT_EQ(window_->History().StepCount(), 1u);
  EXPECT_EQ(window_->History().UndoLabel(), "Position (Figure)");
}

// 5. A drag and the commit after it are two steps, each undone and redone.
TEST_F(JourneyTest, ASliderDragAndItsCommitAreTwoUndoSteps) {
  Pick("Teapot");
  ObjectTab();
  auto* level = qobject_cast<QSlider*>(Panel("sldSmoothingLevel"));
  Drag(level, 3);
  ASSERT_EQ(Value("Teapot.SmoothingLevel"), "3");
  QTest::mouseClick(Panel("cmdCommitSmoothing"), Qt::LeftButton);
  EXPECT_EQ(Value("Teapot.SmoothingLevel"), "0");
  EXPECT_EQ(level->value(), 0);
  EXPECT_EQ(window_->History().UndoLabel(), "Smooth (Teapot)");

  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Value("Teapot.SmoothingLevel"), "3");
  EXPECT_EQ(level->value(), 3);
  EXPECT_TRUE(Panel("cmdCommitSmoothing")->isEnabled());
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Value("Teapot.SmoothingLevel"), "1");
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Value("Teapot.SmoothingLevel"), "3");
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Value("Teapot.SmoothingLevel"), "0");
  EXPECT_EQ(level->value(), 0);
}

// 6. Typing a position leaves the orientation exactly as it was.
TEST_F(JourneyTest, TypingAPositionKeepsTheOrientation) {
  Pick("Figure");
  ObjectTab();
  // The figure faces back: half a turn about X and about Z.
  auto orientation_texts = [&] {
    return Field("txtOrientationX")->text() + " " +
           Field("txtOrientationY")->text() + " " +
           Field("txtOrientationZ")->text();
  };
  EXPECT_EQ(orientation_texts(), "180.0 .0 180.0");
  const std::string orientation = Value("Figure.Orientation");
  TypeOver(Field("txtPositionX"), "2.5");
  QTest::keyClick(Field("txtPositionX"), Qt::Key_Tab);
  EXPECT_EQ(Value("Figure.Position[0]"), "2.5");
  EXPECT_EQ(Value("Figure.Orientation"), orientation);
  EXPECT_THAT(window_->LogText().toStdString(),
              HasSubstr("SetOrientation Figure Studio [0, 0, -1] [0, 1, 0]"));
  EXPECT_THAT(window_->DetailsText().toStdString(),
              HasSubstr("180.0, 0.0, 180.0"));
  Pick("Teapot");
  Pick("Figure");
  EXPECT_EQ(orientation_texts(), "180.0 .0 180.0");
}

// 7. In a small window every field can be reached: the panel scrolls, and
// the wheel over a slider scrolls the panel rather than the slider.
TEST_F(JourneyTest, ASmallWindowScrollsThePanel) {
  window_->resize(700, 450);
  Pick("Teapot");
  ObjectTab();
  QTest::qWait(20);
  auto* area = window_->PanelWidget()->findChild<QScrollArea*>();
  ASSERT_NE(area, nullptr);
  QScrollBar* bar = area->verticalScrollBar();
  ASSERT_TRUE(bar->isVisible())
      << window_->width() << "x" << window_->height() << " panel "
      << window_->PanelWidget()->height() << " area " << area->height()
      << " surface " << area->widget()->height();
  auto* level = qobject_cast<QSlider*>(Panel("sldSmoothingLevel"));
  const int value = level->value();
  for (int i = 0; i < 40 && bar->value() < bar->maximum(); ++i) {
    TurnWheel(level, -1);
  }
  EXPECT_EQ(bar->value(), bar->maximum());
  EXPECT_EQ(level->value(), value);
  // The last custom field and the first material row are in view.
  QRect visible = area->viewport()->rect();
  for (const char* name : {"txtCustomShapeFieldValue(3)", "msgMaterialAttributes"}) {
    QWidget* widget = Panel(name);
    QRect place(widget->mapTo(area->viewport(), QPoint(0, 0)),
                QSize(widget->width(), std::min(widget->height(), 40)));
    EXPECT_TRUE(visible.contains(place.topLeft()) &&
                visible.contains(place.bottomLeft()))
        << name;
  }
  // Clicked into, the field takes the typing.
  TypeOver(Field("txtCustomShapeFieldValue(3)"), "Matte");
  QTest::keyClick(Field("txtCustomShapeFieldValue(3)"), Qt::Key_Return);
  EXPECT_EQ(Value("Teapot.CustomFields[3]"), "Matte");
}

// With several objects picked, the object tab says why it shows nothing.
TEST_F(JourneyTest, TheObjectTabSaysWhyItIsBlank) {
  Pick("Teapot");
  ObjectTab();
  EXPECT_EQ(window_->PanelHint(), "");
  Pick("Figure", Qt::ControlModifier);
  ASSERT_EQ(window_->Scene()->SelectedNames().size(), 2u);
  EXPECT_THAT(window_->PanelHint().toStdString(),
              HasSubstr("2 objects are selected"));
  Pick("Figure");
  EXPECT_EQ(window_->PanelHint(), "");
}

// 8. The window's shortcuts work whatever has the focus.
TEST_F(JourneyTest, ShortcutsWorkWhereverTheFocusIs) {
  Pick("Teapot");
  auto opened = AnswerWhenShown<QFileDialog>(
      [](QFileDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
  Key(Qt::Key_O, Qt::ControlModifier);  // the outliner has the focus
  EXPECT_TRUE(opened->answered);
  EXPECT_EQ(window_->Scene()->SelectedNames(),
            std::vector<std::string>{"Teapot"});

  // Two edits, then the map chooser opened and closed: Ctrl+Z twice undoes
  // both.
  ObjectTab();
  QTest::mouseClick(Panel("cmdCommitSmoothing"), Qt::LeftButton);
  TypeOver(Field("txtCustomShapeFieldValue(0)"), "TP-0002");
  QTest::keyClick(Field("txtCustomShapeFieldValue(0)"), Qt::Key_Return);
  // In the field it was typed in, Ctrl+Z undoes the scene's step, not the
  // field's own typing.
  QCoreApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), Field("txtCustomShapeFieldValue(0)"));
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Value("Teapot.CustomFields[0]"), "TP-0001");
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Value("Teapot.CustomFields[0]"), "TP-0002");
  auto closed = AnswerWhenShown<QFileDialog>(
      [](QFileDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
  ClickCell(1, 2);
  EXPECT_TRUE(closed->answered);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Value("Teapot.CustomFields[0]"), "TP-0001");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Value("Teapot.SmoothingLevel"), "1");
}

}  // namespace
}  // namespace morvel::demo

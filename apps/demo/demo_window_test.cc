#include "demo/demo_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <memory>
#include <string>
#include <vector>

#include "demo/demo_testing.h"
#include "demo/qt_input_driver.h"
#include "platform/settings_store.h"

namespace morvel::demo {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class DemoWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = testing::OpenStudio(settings_);
    ASSERT_NE(window_, nullptr);
    original_ = window_->Scene()->ToText();
  }
  void TearDown() override { testing::CloseUnsaved(window_); }
  QTreeWidgetItem* Item(const char* name) {
    auto found = window_->Outliner()->findItems(
        name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
  }
  QWidget* PanelWidget(const char* name) {
    return window_->PanelView()->Find(name);
  }
  std::string Value(const std::string& path) {
    return window_->Scene()->ValueText(path);
  }
  int LogCount(const QString& text) { return window_->LogText().count(text); }

  MemorySettingsStore settings_;
  std::unique_ptr<DemoWindow> window_;
  std::string original_;
};

// Picking in the outliner, the tabs and one gesture per undo step are
// checked by demo_host_test.
TEST_F(DemoWindowTest, TheOutlinerShowsTheHierarchyAndTheFileSelection) {
  QTreeWidgetItem* teapot = Item("Teapot");
  ASSERT_NE(teapot, nullptr);
  EXPECT_EQ(teapot->parent()->text(0), "Table");
  EXPECT_EQ(teapot->parent()->parent()->text(0), "Studio");
  EXPECT_TRUE(teapot->isSelected());
  EXPECT_EQ(window_->Outliner()->selectedItems().size(), 1);
  EXPECT_THAT(window_->LogText().toStdString(),
              HasSubstr("> SetupPropertiesPanel(2, 11, 1, 0, 0, 0, 0, False, "
                        "False, False, 2)"));
}

TEST_F(DemoWindowTest,
       AClickInThePanelIsLoggedWithItsSceneWritesAndCanBeUndone) {
  QWidget* hide = PanelWidget("chkCommonHide");
  ASSERT_NE(hide, nullptr);
  SendClick(hide, QPoint(6, hide->height() / 2));
  EXPECT_EQ(Value("Teapot.Hidden"), "True");
  QString log = window_->LogText();
  int prepare = log.indexOf("evtReqPrepareForSceneChanges(\"SysProperties\")");
  int hidden = log.indexOf("evtShapeHidden8");
  int apply = log.indexOf("evtReqApplySceneChanges(False)");
  EXPECT_GE(prepare, 0);
  EXPECT_GT(hidden, prepare);
  EXPECT_GT(apply, hidden);
  // The outliner shows the hidden teapot in italics.
  EXPECT_TRUE(Item("Teapot")->font(0).italic());
  std::string hidden_scene = window_->Scene()->ToText();

  window_->Undo();
  EXPECT_EQ(window_->Scene()->ToText(), original_);
  EXPECT_FALSE(Item("Teapot")->font(0).italic());
  EXPECT_EQ(qobject_cast<QCheckBox*>(hide)->checkState(), Qt::Unchecked);
  window_->Redo();
  EXPECT_EQ(window_->Scene()->ToText(), hidden_scene);
  EXPECT_EQ(qobject_cast<QCheckBox*>(hide)->checkState(), Qt::Checked);
}

TEST_F(DemoWindowTest, ATipIsShownUntilTheUserSwitchesItOff) {
  std::string app = "Morvel", text = "Focal blur shows only when ray tracing.",
              entry = "FocalBlur";
  int shown = 0;
  // The first time: the user clears the box and presses OK.
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    ++shown;
    QTest::mouseClick(
        dialog->findChild<QCheckBox*>("chkContinueToReceiveWarning"),
        Qt::LeftButton, {}, QPoint(6, 8));
    dialog->findChild<QWidget*>("cmdOK")->setFocus();
    QTest::keyClick(dialog->findChild<QWidget*>("cmdOK"), Qt::Key_Space);
  });
  window_->Events().evtReqWarn(app, text, entry);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(settings_.GetSetting("Morvel", "Tips", "FocalBlur"), "0");
  // The second time nothing is shown, and the log says why.
  window_->Events().evtReqWarn(app, text, entry);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(LogCount("tip switched off"), 1);
}

TEST_F(DemoWindowTest, TheSourceViewShowsTheShapesSceneEntry) {
  QString title, text;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    text = dialog->findChild<QPlainTextEdit*>()->toPlainText();
    dialog->reject();
  });
  window_->Events().evtReqOpenSource();
  EXPECT_EQ(title, "Source - Teapot");
  EXPECT_THAT(text.toStdString(),
              HasSubstr("\"SourceDetail\": \"teapot.obj\""));
  EXPECT_EQ(LogCount("evtReqOpenSource"), 1);
}

TEST_F(DemoWindowTest, AnErrorIsShownWithItsNumberDescriptionAndSource) {
  QString shown;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    shown =
        box->windowTitle() + "|" + box->text() + "|" + box->informativeText();
    box->accept();
  });
  window_->ShowError(Error(6, "Overflow", "Properties"));
  EXPECT_EQ(shown, "Morvel|Error 6: Overflow|Source: Properties");
  EXPECT_EQ(LogCount("!! Error 6: Overflow (Properties)"), 1);
}

TEST_F(DemoWindowTest, SavingAndOpeningKeepsTheSceneExactly) {
  // Saved into another folder a scene's map paths are rewritten for it;
  // saved again beside itself, nothing changes.
  QTemporaryDir dir;
  ASSERT_TRUE(window_->SaveScene(dir.filePath("first.json")));
  ASSERT_TRUE(window_->OpenScene(dir.filePath("first.json")));
  QWidget* hide = PanelWidget("chkCommonHide");
  SendClick(hide, QPoint(6, hide->height() / 2));
  std::string edited = window_->Scene()->ToText();
  QString path = dir.filePath("saved.json");
  ASSERT_TRUE(window_->SaveScene(path));
  EXPECT_FALSE(window_->History().Modified());
  ASSERT_TRUE(window_->OpenScene(path));
  EXPECT_EQ(window_->Scene()->ToText(), edited);
  EXPECT_FALSE(window_->History().CanUndo());
}

TEST_F(DemoWindowTest, AFileThatIsNoSceneIsRefusedWithTheReason) {
  QTemporaryDir dir;
  QString path = dir.filePath("broken.json");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("{\"nodes\": [{\"name\": 3}]}");
  file.close();
  QTimer::singleShot(0, [] {
    if (auto* box =
            qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
      box->accept();
  });
  EXPECT_FALSE(window_->OpenScene(path));
  EXPECT_EQ(LogCount("!! Error 321"), 1);
  // The scene shown before is still there.
  EXPECT_EQ(window_->Scene()->ToText(), original_);
}

}  // namespace
}  // namespace morvel::demo

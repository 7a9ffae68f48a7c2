#include "qt/choosers.h"

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <string>

#include "base/error_testing.h"
#include "qt/qt_testing.h"

namespace morvel::qt {
namespace {

using ::morvel::testing::ErrorOf;
using testing::WhenShown;

std::string Choose(QtDialogUtility& dialogs) {
  return dialogs.ChooseMapFile(0, "Morvel", 0, 1);
}

// (An accepted colour, and a map file named relative to the scene's folder,
// are shown end to end by properties_widget_test.)
TEST(QtDialogUtilityTest, ACancelledColourKeepsTheOldOne) {
  QtDialogUtility dialogs;
  WhenShown<QColorDialog>([](QColorDialog& dialog) { dialog.reject(); });
  ColourChoice choice = dialogs.ChooseColour(0, "Morvel", 0x302010);
  EXPECT_NE(choice.result, kChooseColourAccepted);
  EXPECT_EQ(choice.colour, 0x302010);
}

// Open answers the file, "No Map" the empty path (the map goes), and
// Cancel or Escape raise 32755, so the panel changes nothing.
TEST(QtDialogUtilityTest, TheMapFileDialogAnswersAFileNoMapOrCancel) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QString path = QDir(dir.path()).filePath("wood.tga");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  QtDialogUtility dialogs;
  dialogs.SetMapFolder(dir.path().toStdString());

  WhenShown<QFileDialog>([&](QFileDialog& dialog) {
    dialog.selectFile(path);
    QTest::keyClick(&dialog, Qt::Key_Return);
  });
  EXPECT_EQ(Choose(dialogs), path.toStdString());

  WhenShown<QFileDialog>([](QFileDialog& dialog) {
    QPushButton* no_map = nullptr;
    for (auto* button : dialog.findChildren<QPushButton*>()) {
      if (button->text() == "&No Map") no_map = button;
    }
    ASSERT_NE(no_map, nullptr);
    QTest::mouseClick(no_map, Qt::LeftButton);
  });
  EXPECT_EQ(Choose(dialogs), "");

  WhenShown<QFileDialog>(
      [](QFileDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
  Error cancelled = ErrorOf([&] { Choose(dialogs); });
  EXPECT_EQ(cancelled.Number(), kErrChooserCancelled);
  EXPECT_EQ(cancelled.Description(), "Cancel was selected.");
}

// A host's tests script the choosers: each answer is used once, in order,
// and only by its own kind of chooser.
TEST(QtDialogUtilityTest, ScriptedAnswersAreUsedOnceInOrder) {
  QtDialogUtility dialogs;
  dialogs.AnswerMapFile("maps/wood.png");
  dialogs.AnswerColour(0x00FF00);
  dialogs.AnswerNoMap();
  dialogs.CancelMapFile();
  dialogs.CancelColour();
  EXPECT_EQ(dialogs.PendingAnswers(), 5u);
  EXPECT_EQ(Choose(dialogs), "maps/wood.png");
  EXPECT_EQ(Choose(dialogs), "");
  EXPECT_EQ(ErrorOf([&] { Choose(dialogs); }).Number(), kErrChooserCancelled);
  ColourChoice picked = dialogs.ChooseColour(0, "Morvel", 0x302010);
  EXPECT_EQ(picked.result, kChooseColourAccepted);
  EXPECT_EQ(picked.colour, 0x00FF00);
  ColourChoice cancelled = dialogs.ChooseColour(0, "Morvel", 0x302010);
  EXPECT_NE(cancelled.result, kChooseColourAccepted);
  EXPECT_EQ(cancelled.colour, 0x302010);
  EXPECT_EQ(dialogs.PendingAnswers(), 0u);
}

}  // namespace
}  // namespace morvel::qt

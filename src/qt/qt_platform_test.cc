#include "qt/qt_platform.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "qt/qt_testing.h"

namespace morvel::qt {
namespace {

using testing::WhenShown;

TEST(QtClipboardTest, SetGetAndClearPlainText) {
  QtClipboard clipboard;
  clipboard.SetText("Teapot \xC3\xA9");
  EXPECT_EQ(clipboard.GetText(), "Teapot \xC3\xA9");
  clipboard.Clear();
  EXPECT_EQ(clipboard.GetText(), "");
}

TEST(QtMessageBoxTest, ShowsAModalBoxWithTitleIconAndButtons) {
  QtMessageBox messages;
  std::vector<std::string> seen;
  messages.on_show = [&](const std::string& text, const std::string& title) {
    seen.push_back(title + ": " + text);
  };
  QString shown;
  WhenShown<QMessageBox>([&](QMessageBox& box) {
    shown = box.windowTitle() + "|" + box.text();
    EXPECT_EQ(box.icon(), QMessageBox::Warning);
    EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
    box.button(QMessageBox::Ok)->click();
  });
  messages.Show("The skin must be relaxed.", "Morvel",
                MessageIcon::kExclamation, MessageButtons::kOk);
  EXPECT_EQ(shown, "Morvel|The skin must be relaxed.");
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], "Morvel: The skin must be relaxed.");
}

TEST(QtMessageBoxTest, AScriptedRunRecordsWithoutShowing) {
  QtMessageBox messages;
  messages.interactive = false;
  int shown = 0;
  messages.on_show = [&](const std::string&, const std::string&) { ++shown; };
  // Returns at once: no window waits for a person.
  messages.Show("text", "Morvel", MessageIcon::kExclamation,
                MessageButtons::kOk);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(QtScreenMetricsTest, TwipsPerPixelOfTheScreen) {
  QtScreenMetrics screen;
  // 1440 twips an inch over the screen's dots per inch (96 offscreen).
  double dpi = QApplication::primaryScreen()->logicalDotsPerInchX();
  EXPECT_EQ(screen.TwipsPerPixelX(),
            static_cast<Long>(std::lround(1440.0 / dpi)));
  QtScreenMetrics fixed(12, 20);
  EXPECT_EQ(fixed.TwipsPerPixelX(), 12);
  EXPECT_EQ(fixed.TwipsPerPixelY(), 20);
}

}  // namespace
}  // namespace morvel::qt

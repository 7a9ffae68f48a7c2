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

// Every icon and every set of buttons the panel may ask for, as Qt shows
// them; the person answers with the button named.
TEST(QtMessageBoxTest, EachIconAndSetOfButtonsIsQtsOwn) {
  using Box = QMessageBox;
  const struct {
    MessageIcon icon;
    MessageButtons buttons;
    Box::Icon shown_icon;
    Box::StandardButtons shown_buttons;
    Box::StandardButton answer;
  } cases[] = {
      {MessageIcon::kNone, MessageButtons::kOk, Box::NoIcon, Box::Ok, Box::Ok},
      {MessageIcon::kCritical, MessageButtons::kOkCancel, Box::Critical,
       Box::Ok | Box::Cancel, Box::Cancel},
      {MessageIcon::kQuestion, MessageButtons::kYesNo, Box::Question,
       Box::Yes | Box::No, Box::No},
      {MessageIcon::kExclamation, MessageButtons::kOkCancel, Box::Warning,
       Box::Ok | Box::Cancel, Box::Ok},
      {MessageIcon::kInformation, MessageButtons::kYesNo, Box::Information,
       Box::Yes | Box::No, Box::Yes},
  };
  for (const auto& c : cases) {
    QtMessageBox messages;
    Box::Icon icon = Box::NoIcon;
    Box::StandardButtons buttons;
    WhenShown<Box>([&](Box& box) {
      icon = box.icon();
      buttons = box.standardButtons();
      if (QAbstractButton* answer = box.button(c.answer)) {
        answer->click();
      } else {
        box.reject();
      }
    });
    messages.Show("text", "Morvel", c.icon, c.buttons);
    EXPECT_EQ(icon, c.shown_icon) << static_cast<int>(c.icon);
    EXPECT_EQ(buttons, c.shown_buttons) << static_cast<int>(c.buttons);
  }
}

// A system colour is the running style's colour for the same role; an
// index the panel does not use is the window's colour.
TEST(ColourToRgbTest, SystemColoursAreThePalettesRoles) {
  const QPalette palette = QApplication::palette();
  const struct {
    unsigned int index;
    QPalette::ColorRole role;
  } cases[] = {
      {0x05, QPalette::Base},        {0x08, QPalette::Text},
      {0x0D, QPalette::Highlight},   {0x0E, QPalette::HighlightedText},
      {0x0F, QPalette::Button},      {0x10, QPalette::Mid},
      {0x12, QPalette::ButtonText},  {0x14, QPalette::Light},
      {0x18, QPalette::ToolTipBase}, {0x00, QPalette::Window},
      {0x11, QPalette::Window},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ColourToRgb(static_cast<Colour>(0x80000000u | c.index)),
              palette.color(c.role).rgb())
        << "system colour " << c.index;
  }
  // An ordinary colour is packed blue-green-red.
  EXPECT_EQ(ColourToRgb(0x0000FF), 0xFFFF0000u);
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

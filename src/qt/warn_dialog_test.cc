#include "qt/warn_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <optional>
#include <string>

#include "platform/headless.h"
#include "platform/settings_store.h"

namespace morvel::qt {
namespace {

class WarnDialogTest : public ::testing::Test {
 protected:
  std::optional<std::string> Stored() {
    return settings_.GetSetting("Morvel", "Tips", "FocalBlur");
  }
  void Prepare() {
    warn_.SetsApplicationRegistryKey("Morvel");
    warn_.SetsWarningRegistryEntry("FocalBlur");
    warn_.SetsWarning("Focal blur shows only in ray-traced renderings.");
  }
  template <class T>
  T* Q(WarnDialog& dialog, const char* name) {
    QWidget* w = dialog.View().Find(name);
    return w ? qobject_cast<T*>(w) : nullptr;
  }

  FixedScreenMetrics metrics_{15, 15};
  MemorySettingsStore settings_;
  frmWarn warn_{&settings_};
};

TEST_F(WarnDialogTest, ShowsTheTipWithItsTextCheckBoxAndButton) {
  Prepare();
  WarnDialog dialog(warn_, metrics_);
  dialog.Open();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.windowTitle(), "Tip");
  EXPECT_FALSE(dialog.windowIcon().isNull());
  // 4140 x 3165 twips at 15 twips a pixel.
  EXPECT_EQ(dialog.size(), QSize(276, 211));
  EXPECT_EQ(Q<QLabel>(dialog, "Label1")->text(), "Did you know...");
  EXPECT_EQ(Q<QLabel>(dialog, "lblWarning")->text(),
            "Focal blur shows only in ray-traced renderings.");
  auto* box = Q<QCheckBox>(dialog, "chkContinueToReceiveWarning");
  EXPECT_EQ(box->text(), "Continue to receive this message");
  EXPECT_EQ(box->checkState(), Qt::Checked);
  EXPECT_EQ(Q<QPushButton>(dialog, "cmdOK")->text(), "OK");
  // 120, 2730, 2685, 255 twips; the caption may take the free room on its
  // right, but never reaches the OK button.
  EXPECT_EQ(box->geometry().topLeft(), QPoint(8, 182));
  EXPECT_EQ(box->height(), 17);
  EXPECT_GE(box->width(), 179);
  EXPECT_LT(box->geometry().right(),
            Q<QPushButton>(dialog, "cmdOK")->geometry().left());
  EXPECT_FALSE(Stored().has_value());
}

TEST_F(WarnDialogTest, EveryOtherWayOfClosingStoresTheChoiceToo) {
  struct Way {
    const char* name;
    void (*close)(WarnDialog&);
  };
  const Way ways[] = {
      {"Escape", [](WarnDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
      {"close button", [](WarnDialog& d) { d.close(); }},
      {"host", [](WarnDialog& d) { d.reject(); }},
  };
  for (const Way& way : ways) {
    MemorySettingsStore settings;
    frmWarn warn(&settings);
    warn.SetsApplicationRegistryKey("Morvel");
    warn.SetsWarningRegistryEntry("Refraction");
    WarnDialog dialog(warn, metrics_);
    dialog.Open();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    way.close(dialog);
    EXPECT_FALSE(dialog.isVisible()) << way.name;
    // The box was left as loaded: "1", keep showing.
    EXPECT_EQ(settings.GetSetting("Morvel", "Tips", "Refraction"), "1")
        << way.name;
  }
}

}  // namespace
}  // namespace morvel::qt

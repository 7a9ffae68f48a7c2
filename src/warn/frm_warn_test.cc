#include "warn/frm_warn.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/settings_store.h"
#include "widgets/widget.h"

namespace morvel {
namespace {

using Entry = MemorySettingsStore::Entry;

class FrmWarnTest : public ::testing::Test {
 protected:
  FrmWarnTest() : dialog_(&store_) {
    dialog_.SetsApplicationRegistryKey("Morvel");
    dialog_.SetsWarning("Refraction shows only in ray-traced renderings.");
    dialog_.SetsWarningRegistryEntry("Refraction");
  }
  CheckBox& Box() {
    return dialog_.Widgets().Get<CheckBox>("chkContinueToReceiveWarning");
  }
  Button& Ok() { return dialog_.Widgets().Get<Button>("cmdOK"); }
  const std::string& WarningText() {
    return dialog_.Widgets().GetWidget("lblWarning").Caption();
  }

  MemorySettingsStore store_;
  frmWarn dialog_;
};

TEST_F(FrmWarnTest, LoadShowsTheTextAndChecksTheBox) {
  dialog_.Load();
  EXPECT_TRUE(dialog_.IsLoaded());
  EXPECT_EQ(WarningText(), "Refraction shows only in ray-traced renderings.");
  EXPECT_EQ(Box().Value(), 1);
  EXPECT_TRUE(store_.Saves().empty()) << "loading stores nothing";
}

TEST_F(FrmWarnTest, LoadWithoutAWarningShowsAnEmptyLabel) {
  MemorySettingsStore store;
  frmWarn fresh(&store);
  fresh.Load();
  EXPECT_EQ(fresh.Widgets().GetWidget("lblWarning").Caption(), "");
  EXPECT_EQ(
      fresh.Widgets().Get<CheckBox>("chkContinueToReceiveWarning").Value(), 1);
}

// What ends up in the store for each way of dismissing the window.
struct DismissCase {
  const char* name;
  bool clear_box;
  bool press_ok;  // else the window is closed another way
  const char* stored;
};

class FrmWarnDismissTest : public FrmWarnTest,
                           public ::testing::WithParamInterface<DismissCase> {};

TEST_P(FrmWarnDismissTest, StoresTheBoxUnderTips) {
  const DismissCase& c = GetParam();
  dialog_.Load();
  if (c.clear_box) UserInput::Click(Box());
  if (c.press_ok) {
    UserInput::Click(Ok());
  } else {
    dialog_.Unload();
  }
  EXPECT_FALSE(dialog_.IsLoaded());
  EXPECT_THAT(store_.Saves(), ::testing::ElementsAre(Entry{
                                  "Morvel", "Tips", "Refraction", c.stored}));
  EXPECT_EQ(store_.GetSetting("Morvel", "Tips", "Refraction"),
            std::optional<std::string>(c.stored));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FrmWarnDismissTest,
    ::testing::Values(DismissCase{"OkUntouched", false, true, "1"},
                      DismissCase{"OkCleared", true, true, "0"},
                      DismissCase{"CloseUntouched", false, false, "1"},
                      DismissCase{"CloseCleared", true, false, "0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrmWarnTest, ANewLoadChecksTheBoxAgain) {
  dialog_.Load();
  UserInput::Click(Box());
  UserInput::Click(Ok());
  dialog_.SetsWarning("Second");
  dialog_.Load();
  EXPECT_EQ(Box().Value(), 1);
  EXPECT_EQ(WarningText(), "Second");
  dialog_.Unload();
  ASSERT_EQ(store_.Saves().size(), 2u);
  EXPECT_EQ(store_.Saves()[0].value, "0");
  EXPECT_EQ(store_.Saves()[1].value, "1");
}

TEST_F(FrmWarnTest, PropertiesTakeEffectOnlyAtTheNextLoadAndUnload) {
  dialog_.Load();
  dialog_.SetsWarning("changed while shown");
  EXPECT_EQ(WarningText(), "Refraction shows only in ray-traced renderings.");
  dialog_.SetsApplicationRegistryKey("Other App");
  dialog_.SetsWarningRegistryEntry("FocalBlur");
  dialog_.Unload();
  EXPECT_THAT(store_.Saves(), ::testing::ElementsAre(Entry{"Other App", "Tips",
                                                           "FocalBlur", "1"}));
}

TEST_F(FrmWarnTest, UnloadWithoutLoadStoresNothing) {
  dialog_.Unload();
  EXPECT_TRUE(store_.Saves().empty());
}

TEST_F(FrmWarnTest, AFailingStoreLosesTheChoiceSilently) {
  store_.FailWith(Error(kErrPermissionDenied, "Permission denied: Morvel.ini"));
  dialog_.Load();
  UserInput::Click(Box());
  EXPECT_NO_THROW(UserInput::Click(Ok()));
  EXPECT_FALSE(dialog_.IsLoaded());
  store_.FailWith(std::nullopt);
  EXPECT_EQ(store_.GetSetting("Morvel", "Tips", "Refraction"), std::nullopt);
}

TEST(FrmWarnWithoutStoreTest, EveryStepSucceedsQuietly) {
  frmWarn dialog(nullptr);
  dialog.SetsWarning("text");
  EXPECT_NO_THROW(dialog.Load());
  EXPECT_NO_THROW(UserInput::Click(dialog.Widgets().Get<Button>("cmdOK")));
  EXPECT_FALSE(dialog.IsLoaded());
}

}  // namespace
}  // namespace morvel

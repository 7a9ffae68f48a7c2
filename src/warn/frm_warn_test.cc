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

// What the dialog shows and stores is pinned by warning_dialog.scn and
// platform_faults.scn; these are the orders a scenario cannot set up.
class FrmWarnTest : public ::testing::Test {
 protected:
  FrmWarnTest() : dialog_(&store_) {
    dialog_.SetsApplicationRegistryKey("Morvel");
    dialog_.SetsWarning("Refraction shows only in ray-traced renderings.");
    dialog_.SetsWarningRegistryEntry("Refraction");
  }
  const std::string& WarningText() {
    return dialog_.Widgets().GetWidget("lblWarning").Caption();
  }

  MemorySettingsStore store_;
  frmWarn dialog_;
};

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

TEST(FrmWarnWithoutStoreTest, EveryStepSucceedsQuietly) {
  frmWarn dialog(nullptr);
  dialog.SetsWarning("text");
  EXPECT_NO_THROW(dialog.Load());
  EXPECT_NO_THROW(UserInput::Click(dialog.Widgets().Get<Button>("cmdOK")));
  EXPECT_FALSE(dialog.IsLoaded());
}

}  // namespace
}  // namespace morvel

#include "warn/frm_warn.h"

#include "base/error.h"
#include "base/numbers.h"
#include "warn/frm_warn_layout.h"

namespace morvel {

frmWarn::frmWarn(SettingsStore* settings) : settings_(settings) {
  Quietly([this] {
    BuildWarnWidgets(widgets_);
    widgets_.Get<Button>("cmdOK").on_click = [this] { Unload(); };
  });
}

void frmWarn::Load() {
  if (loaded_) return;
  loaded_ = true;
  Quietly([this] {
    widgets_.GetWidget("lblWarning").SetCaption(sWarning_);
    widgets_.Get<CheckBox>("chkContinueToReceiveWarning").SetValue(1);
  });
}

void frmWarn::Unload() {
  if (!loaded_) return;
  loaded_ = false;
  Quietly([this] {
    Integer keep =
        widgets_.Get<CheckBox>("chkContinueToReceiveWarning").Value();
    Required(settings_)->SaveSetting(sApplicationRegistryKey_, kTipsSection,
                                     sWarningRegistryEntry_, LongToText(keep));
  });
}

}  // namespace morvel

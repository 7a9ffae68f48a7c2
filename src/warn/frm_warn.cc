#include "warn/frm_warn.h"

#include <optional>

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

frmWarn::frmWarn(SettingsStore* settings, const std::string& application_key,
                 const std::string& warning, const std::string& registry_entry)
    : frmWarn(settings) {
  SetsApplicationRegistryKey(application_key);
  SetsWarning(warning);
  SetsWarningRegistryEntry(registry_entry);
}

bool frmWarn::IsSwitchedOff(SettingsStore* settings,
                            const std::string& application_key,
                            const std::string& registry_entry) {
  std::optional<std::string> keep;
  Quietly([&] {
    keep = Required(settings)->GetSetting(application_key, kTipsSection,
                                          registry_entry);
  });
  return keep && *keep == "0";
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

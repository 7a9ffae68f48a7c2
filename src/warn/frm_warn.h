#ifndef MORVEL_WARN_FRM_WARN_H_
#define MORVEL_WARN_FRM_WARN_H_

#include <string>

#include "platform/platform.h"
#include "widgets/widget.h"

namespace morvel {

// The settings section under which the warning dialog keeps each choice.
inline constexpr const char* kTipsSection = "Tips";

// The tip window: one warning text and a box with which the user stops
// receiving that warning. Its three properties are the three parameters of
// the panel's evtReqWarn; on every unload the box's value is stored as "1"
// (keep showing) or "0" under the application's "Tips" section, keyed by the
// warning's entry name. Whoever shows the window reads that setting to decide
// whether to show it at all; this window never reads it.
//
// Nothing that goes wrong here (a missing or failing settings store, a
// widget refusing a value) ever reaches the caller: a tip is not worth an
// error, and a failed save only loses the choice.
class frmWarn {
 public:
  // `settings` must outlive the window; null means choices are not kept.
  explicit frmWarn(SettingsStore* settings);
  // With its three properties set, as a host shows the tip of an evtReqWarn.
  frmWarn(SettingsStore* settings, const std::string& application_key,
          const std::string& warning, const std::string& registry_entry);

  // Whether the person switched this warning off in an earlier tip (its
  // "Tips" setting is "0"): then the host shows no tip. A store that cannot
  // be read switches nothing off.
  static bool IsSwitchedOff(SettingsStore* settings,
                            const std::string& application_key,
                            const std::string& registry_entry);
  frmWarn(const frmWarn&) = delete;
  frmWarn& operator=(const frmWarn&) = delete;

  // Write-only properties; set them before Load, which reads sWarning.
  void SetsWarning(const std::string& value) { sWarning_ = value; }
  void SetsWarningRegistryEntry(const std::string& value) {
    sWarningRegistryEntry_ = value;
  }
  void SetsApplicationRegistryKey(const std::string& value) {
    sApplicationRegistryKey_ = value;
  }

  // Creates the window: the warning text is shown and the box checked,
  // whatever was stored before. Loading a loaded window does nothing.
  void Load();
  // Closes the window (OK or any other way) and stores the choice. Unloading
  // a window that is not loaded does nothing.
  void Unload();
  bool IsLoaded() const { return loaded_; }

  WidgetTree& Widgets() { return widgets_; }
  const WidgetTree& Widgets() const { return widgets_; }

 private:
  SettingsStore* settings_;
  std::string sWarning_;
  std::string sWarningRegistryEntry_;
  std::string sApplicationRegistryKey_;
  bool loaded_ = false;
  WidgetTree widgets_;
};

}  // namespace morvel

#endif  // MORVEL_WARN_FRM_WARN_H_

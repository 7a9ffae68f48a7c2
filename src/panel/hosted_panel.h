#ifndef MORVEL_PANEL_HOSTED_PANEL_H_
#define MORVEL_PANEL_HOSTED_PANEL_H_

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/error.h"
#include "base/types.h"
#include "host/host_interface.h"
#include "panel/properties.h"
#include "platform/platform.h"

namespace morvel {

class FileSettingsStore;
class frmWarn;

// The container of a panel that a front end draws in one of its windows:
// no border, so the inner and outer heights are the same, both read from
// the size the front end shows the panel at; or the facts a scripted run
// fixed, which no change of the window moves.
class DrawnContainer : public PanelContainer {
 public:
  explicit DrawnContainer(const ScreenMetrics& metrics) : metrics_(metrics) {}
  bool UserMode() const override { return true; }
  Long InnerHeight() const override;
  Long OuterHeight() const override;
  Long Width() const override;

  bool Fixed() const { return fixed_.has_value(); }
  void Fix(Long inner_height, Long outer_height, Long width);

 protected:
  // The size the panel is shown at, whole pixels.
  virtual Long PixelWidth() const = 0;
  virtual Long PixelHeight() const = 0;

 private:
  struct Facts {
    Long inner_height;
    Long outer_height;
    Long width;
  };
  const ScreenMetrics& metrics_;
  std::optional<Facts> fixed_;
};

// The panel's life inside a front end's container, the same for every
// window system: the settings store (the host's or the per-user files), the
// panel over the container, the container's notifications with their
// errors routed to the host, and the terminate notification once, either
// asked for or at the end.
//
// No exception may cross a window system's event loop, so an error of a
// notification goes to `deliver`, with the name of the field the person was
// using (empty for a notification of the container); where that has no
// receiver (it returns false) the error is written to standard error.
class HostedPanel {
 public:
  using Deliver =
      std::function<bool(const Error& error, const std::string& field)>;
  explicit HostedPanel(Deliver deliver);
  ~HostedPanel();
  HostedPanel(const HostedPanel&) = delete;
  HostedPanel& operator=(const HostedPanel&) = delete;

  // The store the panel will write to: `given`, or the per-user files.
  SettingsStore& UseSettings(SettingsStore* given);
  // Makes the panel in `container`: its clipboard, message box and screen
  // metrics the host's where `host` gives them, else the front end's `own`;
  // its settings the store above; its scene services `host_scene`, else
  // the front end's own, made by `make_own_scene` (and kept here for the
  // panel's life). The front end then makes its view and calls Open().
  Properties& Make(
      PropertiesEvents& events, const PlatformServices& host,
      const PlatformServices& own, std::unique_ptr<DrawnContainer> container,
      SceneServices* host_scene,
      const std::function<std::unique_ptr<SceneServices>()>& make_own_scene);
  // The container's first notification.
  void Open();

  Properties& panel() { return *panel_; }
  const Properties& panel() const { return *panel_; }
  SettingsStore& settings() { return *settings_; }
  DrawnContainer& container() { return *container_; }
  bool Terminated() const { return terminated_; }

  // The container's resize notification, unless its facts are fixed or the
  // panel is terminated; true when it was given.
  bool Resize();
  // The container's key-down notification (the copy, cut and paste keys).
  void KeyDown(Integer key_code, Integer shift);
  // The terminate notification, now and once; its error reaches the caller.
  void Terminate();
  // At the end of the container: the terminate notification unless it was
  // given, its error reported. A front end calls it before it takes down its
  // view of the panel's widgets.
  void Close();
  // An error of the panel while it handled a notification or input;
  // `field` names the field the person was using, if any.
  void Report(const Error& error, const std::string& field = {});

  // The tip of evtReqWarn: whether the person switched it off, and else
  // `show` runs it over this panel's settings and is true.
  bool IsWarningSwitchedOff(const std::string& application_key,
                            const std::string& registry_entry);
  bool ShowWarning(const std::string& application_key,
                   const std::string& warning,
                   const std::string& registry_entry,
                   const std::function<void(frmWarn& tip)>& show);

 private:
  Deliver deliver_;
  std::unique_ptr<FileSettingsStore> own_settings_;
  SettingsStore* settings_ = nullptr;
  std::unique_ptr<DrawnContainer> container_;
  // Before the panel, which uses it until it is gone.
  std::unique_ptr<SceneServices> own_scene_;
  std::unique_ptr<Properties> panel_;
  bool terminated_ = false;
};

}  // namespace morvel

#endif  // MORVEL_PANEL_HOSTED_PANEL_H_

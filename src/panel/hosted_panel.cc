#include "panel/hosted_panel.h"

#include <cstdio>
#include <utility>

#include "host/scene_services.h"
#include "platform/settings_store.h"
#include "warn/frm_warn.h"

namespace morvel {

Long DrawnContainer::InnerHeight() const {
  return fixed_ ? fixed_->inner_height
                : PixelHeight() * metrics_.TwipsPerPixelY();
}

Long DrawnContainer::OuterHeight() const {
  return fixed_ ? fixed_->outer_height : InnerHeight();
}

Long DrawnContainer::Width() const {
  return fixed_ ? fixed_->width : PixelWidth() * metrics_.TwipsPerPixelX();
}

void DrawnContainer::Fix(Long inner_height, Long outer_height, Long width) {
  fixed_ = Facts{inner_height, outer_height, width};
}

HostedPanel::HostedPanel(Deliver deliver)
    : deliver_(std::move(deliver)) {}

HostedPanel::~HostedPanel() {
  Close();
  // The panel before the container it reads.
  panel_.reset();
}

SettingsStore& HostedPanel::UseSettings(SettingsStore* given) {
  if (given) {
    settings_ = given;
  } else {
    own_settings_ = std::make_unique<FileSettingsStore>();
    settings_ = own_settings_.get();
  }
  return *settings_;
}

Properties& HostedPanel::Make(
    PropertiesEvents& events, const PlatformServices& host,
    const PlatformServices& own, std::unique_ptr<DrawnContainer> container,
    SceneServices* host_scene,
    const std::function<std::unique_ptr<SceneServices>()>& make_own_scene) {
  container_ = std::move(container);
  SceneServices* scene_services = host_scene;
  if (!scene_services) {
    own_scene_ = make_own_scene();
    scene_services = own_scene_.get();
  }
  PlatformServices platform;
  platform.clipboard = host.clipboard ? host.clipboard : own.clipboard;
  platform.message_box = host.message_box ? host.message_box : own.message_box;
  platform.settings = settings_;
  platform.metrics = host.metrics ? host.metrics : own.metrics;
  panel_ = std::make_unique<Properties>(platform, events, *container_,
                                        scene_services);
  return *panel_;
}

void HostedPanel::Open() {
  try {
    panel_->ReadProperties();
  } catch (const Error& error) {
    Report(error);
  }
}

bool HostedPanel::Resize() {
  // Fixed facts did not change: no notification.
  if (container_->Fixed() || terminated_) return false;
  try {
    panel_->Resize();
  } catch (const Error& error) {
    Report(error);
  }
  return true;
}

void HostedPanel::KeyDown(Integer key_code, Integer shift) {
  panel_->KeyDown(key_code, shift);
}

void HostedPanel::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  panel_->Terminate();
}

void HostedPanel::Close() {
  if (terminated_ || !panel_) return;
  try {
    Terminate();
  } catch (const Error& error) {
    Report(error);
  }
}

void HostedPanel::Report(const Error& error, const std::string& field) {
  if (deliver_ && deliver_(error, field)) return;
  if (field.empty()) {
    std::fprintf(stderr, "%s\n", error.ToString().c_str());
  } else {
    std::fprintf(stderr, "%s: %s\n", field.c_str(), error.ToString().c_str());
  }
}

bool HostedPanel::IsWarningSwitchedOff(const std::string& application_key,
                                       const std::string& registry_entry) {
  return frmWarn::IsSwitchedOff(settings_, application_key, registry_entry);
}

bool HostedPanel::ShowWarning(const std::string& application_key,
                              const std::string& warning,
                              const std::string& registry_entry,
                              const std::function<void(frmWarn& tip)>& show) {
  if (IsWarningSwitchedOff(application_key, registry_entry)) return false;
  frmWarn tip(settings_, application_key, warning, registry_entry);
  show(tip);
  return true;
}

}  // namespace morvel

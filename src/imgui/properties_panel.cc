#include "imgui/properties_panel.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "imgui/frame_hook.h"
#include "imgui/imgui_platform.h"
#include "imgui/modal.h"
#include "imgui/pictures.h"
#include "imgui/warn_window.h"
#include "imgui/widget_view.h"
#include "host/scene_services.h"
#include "platform/headless.h"
#include "platform/settings_store.h"

namespace morvel::imgui {
namespace {

// The panel's window facts: the size it was last drawn at, or the facts a
// scripted run fixed. No border: the inner and outer heights are the same.
class DrawnContainer final : public PanelContainer {
 public:
  DrawnContainer(const ScreenMetrics& metrics, ImVec2 size)
      : metrics_(metrics), size_(size) {}
  bool UserMode() const override { return true; }
  Long InnerHeight() const override {
    return fixed_ ? fixed_->inner_height : Twips(size_.y, metrics_.TwipsPerPixelY());
  }
  Long OuterHeight() const override {
    return fixed_ ? fixed_->outer_height : InnerHeight();
  }
  Long Width() const override {
    return fixed_ ? fixed_->width : Twips(size_.x, metrics_.TwipsPerPixelX());
  }
  // An ImGui window has no handle of the window system's.
  Long hWnd() const override { return 0; }

  bool Fixed() const { return fixed_.has_value(); }
  void Fix(Long inner_height, Long outer_height, Long width) {
    FixedContainer facts;
    facts.inner_height = inner_height;
    facts.outer_height = outer_height;
    facts.width = width;
    fixed_ = facts;
  }
  // The size the panel is drawn at; true when it changed.
  bool SetSize(ImVec2 size) {
    if (size.x == size_.x && size.y == size_.y) return false;
    size_ = size;
    return true;
  }
  ImVec2 Size() const { return size_; }

 private:
  static Long Twips(float pixels, Long per_pixel) {
    return static_cast<Long>(std::lround(pixels)) * per_pixel;
  }
  const ScreenMetrics& metrics_;
  ImVec2 size_;
  std::optional<FixedContainer> fixed_;
};

}  // namespace

// Declared in the order they are made; they go in the reverse order: the
// view before the panel it shows, the panel before the services it uses.
struct PropertiesPanel::Parts {
  FixedScreenMetrics own_metrics{15, 15};
  ScreenMetrics* metrics = nullptr;
  ModalLoop modals;
  ImGuiClipboard own_clipboard;
  ImGuiMessageBox own_message_box{modals};
  std::unique_ptr<FileSettingsStore> own_settings;
  SettingsStore* settings = nullptr;
  std::shared_ptr<ImGuiDialogUtility> dialogs;
  std::unique_ptr<ImGuiSceneServices> own_scene_services;
  std::unique_ptr<PictureCache> pictures;
  std::unique_ptr<DrawnContainer> container;
  std::unique_ptr<Properties> panel;
  std::unique_ptr<WidgetView> view;
  std::unique_ptr<AfterRender> after_render;
  bool terminated = false;
};

PropertiesPanel::PropertiesPanel(PropertiesEvents& events)
    : PropertiesPanel(events, Services{}) {}

PropertiesPanel::PropertiesPanel(PropertiesEvents& events,
                                 const Services& services)
    : parts_(std::make_unique<Parts>()) {
  Parts& p = *parts_;
  p.metrics = services.metrics ? services.metrics : &p.own_metrics;
  if (services.settings) {
    p.settings = services.settings;
  } else {
    p.own_settings = std::make_unique<FileSettingsStore>();
    p.settings = p.own_settings.get();
  }
  p.dialogs = std::make_shared<ImGuiDialogUtility>(p.modals);
  SceneServices* scene_services = services.scene_services;
  if (!scene_services) {
    p.own_scene_services = std::make_unique<ImGuiSceneServices>(p.dialogs);
    scene_services = p.own_scene_services.get();
  }
  p.pictures = std::make_unique<PictureCache>(services.textures);
  p.container =
      std::make_unique<DrawnContainer>(*p.metrics, services.initial_size);

  PlatformServices platform;
  platform.clipboard =
      services.clipboard ? services.clipboard : &p.own_clipboard;
  platform.message_box =
      services.message_box ? services.message_box : &p.own_message_box;
  platform.settings = p.settings;
  platform.metrics = p.metrics;
  p.panel = std::make_unique<Properties>(platform, events, *p.container,
                                         scene_services);
  p.view = std::make_unique<WidgetView>(
      p.panel->Widgets(), *p.panel->Widgets().Root(), *p.metrics, *p.pictures);
  p.view->on_error = [this](const Error& error) { Report(error); };
  p.view->on_key_down = [this](Integer key_code, Integer shift) {
    parts_->panel->KeyDown(key_code, shift);
  };
  p.view->after_input = [this] {
    if (on_input) on_input();
  };
  p.after_render =
      std::make_unique<AfterRender>([this] { parts_->view->RunPending(); });

  // The container's first notification.
  try {
    p.panel->ReadProperties();
  } catch (const Error& error) {
    Report(error);
  }
}

PropertiesPanel::~PropertiesPanel() {
  if (!parts_->terminated) {
    parts_->terminated = true;
    try {
      parts_->panel->Terminate();
    } catch (const Error& error) {
      Report(error);
    }
  }
  parts_->after_render.reset();
  parts_->view.reset();
  parts_->panel.reset();
}

Properties& PropertiesPanel::panel() { return *parts_->panel; }
const Properties& PropertiesPanel::panel() const { return *parts_->panel; }
SettingsStore& PropertiesPanel::settings() { return *parts_->settings; }
WidgetView& PropertiesPanel::view() { return *parts_->view; }
ImGuiDialogUtility& PropertiesPanel::dialogs() { return *parts_->dialogs; }

void PropertiesPanel::SetFrameLender(FrameLender lender) {
  parts_->modals.SetLender(std::move(lender));
}

bool PropertiesPanel::InModal() const { return parts_->modals.Active(); }

void PropertiesPanel::Draw(ImVec2 size) {
  Parts& p = *parts_;
  p.after_render->Attach();
  if (p.container->Fixed()) {
    size = ImVec2(p.view->ToPixelsX(p.container->Width()),
                  p.view->ToPixelsY(p.container->OuterHeight()));
  } else {
    ImVec2 room = ImGui::GetContentRegionAvail();
    if (size.x <= 0) size.x = room.x;
    if (size.y <= 0) size.y = room.y;
  }
  size.x = std::max(size.x, 1.0f);
  size.y = std::max(size.y, 1.0f);
  bool interactive = !p.modals.Active() && !p.terminated;
  // A new size is the container's resize notification; it waits while a
  // modal answer is on screen (the panel is in the middle of an editor).
  if (!p.container->Fixed() && interactive && p.container->SetSize(size)) {
    try {
      p.panel->Resize();
    } catch (const Error& error) {
      Report(error);
    }
    if (on_resize) on_resize();
  }
  ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0, 0));
  ImGui::BeginChild("##morvel-properties", size, false,
                    ImGuiWindowFlags_NoScrollbar |
                        ImGuiWindowFlags_NoScrollWithMouse);
  ImGui::PopStyleVar();
  p.view->Draw(size, interactive);
  ImGui::EndChild();
}

bool PropertiesPanel::IsWarningSwitchedOff(const std::string& application_key,
                                           const std::string& registry_entry) {
  return frmWarn::IsSwitchedOff(parts_->settings, application_key,
                                registry_entry);
}

bool PropertiesPanel::ShowWarning(const std::string& application_key,
                                  const std::string& warning,
                                  const std::string& registry_entry) {
  if (IsWarningSwitchedOff(application_key, registry_entry)) return false;
  frmWarn tip(parts_->settings, application_key, warning, registry_entry);
  WarnWindow window(tip, *parts_->metrics, *parts_->pictures);
  WarnModal modal(window);
  parts_->modals.Run(modal);
  return true;
}

void PropertiesPanel::SetSceneFolder(const std::string& folder) {
  parts_->pictures->SetBaseFolder(folder);
  parts_->dialogs->SetSceneFolder(folder);
}

void PropertiesPanel::FixContainer(Long inner_height, Long outer_height,
                                   Long width) {
  parts_->container->Fix(inner_height, outer_height, width);
}

void PropertiesPanel::Terminate() {
  if (parts_->terminated) return;
  parts_->terminated = true;
  parts_->panel->Terminate();
}

void PropertiesPanel::Report(const Error& error) {
  if (on_error) {
    on_error(error);
  } else {
    std::fprintf(stderr, "%s\n", error.ToString().c_str());
  }
}

}  // namespace morvel::imgui

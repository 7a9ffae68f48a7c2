#include "imgui/properties_panel.h"

#include <cmath>
#include <utility>

#include "host/scene_services.h"
#include "imgui/frame_hook.h"
#include "imgui/imgui_platform.h"
#include "imgui/modal.h"
#include "imgui/pictures.h"
#include "imgui/warn_window.h"
#include "imgui/widget_view.h"
#include "panel/hosted_panel.h"
#include "platform/headless.h"

namespace morvel::imgui {
namespace {

// The size the panel was last drawn at is what it reads; an ImGui window has
// no handle of the window system's.
class ImGuiContainer final : public DrawnContainer {
 public:
  ImGuiContainer(const ScreenMetrics& metrics, ImVec2 size)
      : DrawnContainer(metrics), size_(size) {}
  Long hWnd() const override { return 0; }
  // The size the panel is drawn at; true when it changed.
  bool SetSize(ImVec2 size) {
    if (size.x == size_.x && size.y == size_.y) return false;
    size_ = size;
    return true;
  }

 private:
  Long PixelWidth() const override {
    return static_cast<Long>(std::lround(size_.x));
  }
  Long PixelHeight() const override {
    return static_cast<Long>(std::lround(size_.y));
  }
  ImVec2 size_;
};

}  // namespace

// Declared in the order they are made; they go in the reverse order: the
// view before the panel it shows, the panel before the services it uses.
struct PropertiesPanel::Parts {
  explicit Parts(PropertiesPanel& owner)
      : hosted([&owner](const Error& error, const std::string& /*field*/) {
          if (!owner.on_error) return false;
          owner.on_error(error);
          return true;
        }) {}
  FixedScreenMetrics own_metrics{15, 15};
  ScreenMetrics* metrics = nullptr;
  ModalLoop modals;
  ImGuiClipboard own_clipboard;
  ImGuiMessageBox own_message_box{modals};
  std::shared_ptr<ImGuiDialogUtility> dialogs;
  std::unique_ptr<PictureCache> pictures;
  ImGuiContainer* container = nullptr;
  HostedPanel hosted;
  std::unique_ptr<WidgetView> view;
  std::unique_ptr<AfterRender> after_render;
};

PropertiesPanel::PropertiesPanel(PropertiesEvents& events)
    : PropertiesPanel(events, Services{}) {}

PropertiesPanel::PropertiesPanel(PropertiesEvents& events,
                                 const Services& services)
    : parts_(std::make_unique<Parts>(*this)) {
  Parts& p = *parts_;
  p.metrics = services.metrics ? services.metrics : &p.own_metrics;
  p.hosted.UseSettings(services.settings);
  p.dialogs = std::make_shared<ImGuiDialogUtility>(p.modals);
  p.pictures = std::make_unique<PictureCache>(services.textures);
  auto container =
      std::make_unique<ImGuiContainer>(*p.metrics, services.initial_size);
  p.container = container.get();

  Properties& panel = p.hosted.Make(
      events, {services.clipboard, services.message_box},
      {&p.own_clipboard, &p.own_message_box, nullptr, p.metrics},
      std::move(container), services.scene_services,
      [&p] { return std::make_unique<ImGuiSceneServices>(p.dialogs); });
  p.view = std::make_unique<WidgetView>(
      panel.Widgets(), *panel.Widgets().Root(), *p.metrics, *p.pictures);
  p.view->on_error = [this](const Error& error) {
    parts_->hosted.Report(error);
  };
  p.view->on_key_down = [this](Integer key_code, Integer shift) {
    parts_->hosted.KeyDown(key_code, shift);
  };
  p.view->after_input = [this] {
    if (on_input) on_input();
  };
  p.after_render =
      std::make_unique<AfterRender>([this] { parts_->view->RunPending(); });
  p.hosted.Open();
}

PropertiesPanel::~PropertiesPanel() {
  parts_->hosted.Close();
  parts_->after_render.reset();
  parts_->view.reset();
}

Properties& PropertiesPanel::panel() { return parts_->hosted.panel(); }
const Properties& PropertiesPanel::panel() const {
  return parts_->hosted.panel();
}
SettingsStore& PropertiesPanel::settings() { return parts_->hosted.settings(); }
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
  bool interactive = !p.modals.Active() && !p.hosted.Terminated();
  // A new size is the container's resize notification; it waits while a
  // modal answer is on screen (the panel is in the middle of an editor).
  if (!p.container->Fixed() && interactive && p.container->SetSize(size) &&
      p.hosted.Resize() && on_resize) {
    on_resize();
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
  return parts_->hosted.IsWarningSwitchedOff(application_key, registry_entry);
}

bool PropertiesPanel::ShowWarning(const std::string& application_key,
                                  const std::string& warning,
                                  const std::string& registry_entry) {
  return parts_->hosted.ShowWarning(
      application_key, warning, registry_entry, [this](frmWarn& tip) {
        WarnWindow window(tip, *parts_->metrics, *parts_->pictures);
        WarnModal modal(window);
        parts_->modals.Run(modal);
      });
}

void PropertiesPanel::SetSceneFolder(const std::string& folder) {
  parts_->pictures->SetBaseFolder(folder);
  parts_->dialogs->SetSceneFolder(folder);
}

void PropertiesPanel::FixContainer(Long inner_height, Long outer_height,
                                   Long width) {
  parts_->container->Fix(inner_height, outer_height, width);
}

void PropertiesPanel::Terminate() { parts_->hosted.Terminate(); }

}  // namespace morvel::imgui

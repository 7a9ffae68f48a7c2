#include "qt/properties_widget.h"

#include <QMetaMethod>
#include <QResizeEvent>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "host/scene_services.h"
#include "platform/settings_store.h"
#include "qt/choosers.h"
#include "qt/panel_scroll_area.h"
#include "qt/qt_platform.h"
#include "qt/warn_dialog.h"
#include "qt/widget_view.h"
#include "warn/frm_warn.h"

namespace morvel::qt {
namespace {

// The panel's window facts, read from the widget itself: no border, so the
// inner and outer heights are the same; the width is what the scroll bar
// leaves, the height at least the panel's designed one (it scrolls).
class WidgetContainer final : public PanelContainer {
 public:
  WidgetContainer(const QWidget& widget, const ScreenMetrics& metrics)
      : widget_(widget), metrics_(metrics) {}
  bool UserMode() const override { return true; }
  Long InnerHeight() const override {
    if (fixed_) return fixed_->inner_height;
    int pixels = scroll_ ? scroll_->LayoutHeight() : widget_.height();
    return pixels * metrics_.TwipsPerPixelY();
  }
  Long OuterHeight() const override {
    return fixed_ ? fixed_->outer_height : InnerHeight();
  }
  Long Width() const override {
    if (fixed_) return fixed_->width;
    int pixels = scroll_ ? scroll_->VisibleWidth() : widget_.width();
    return pixels * metrics_.TwipsPerPixelX();
  }
  void SetScrollArea(const PanelScrollArea* scroll) { scroll_ = scroll; }
  Long hWnd() const override {
    // The window system's handle of the window the panel is in (0 before
    // that window exists); never creates one.
    return static_cast<Long>(
        static_cast<std::uint32_t>(widget_.effectiveWinId()));
  }
  bool Fixed() const { return fixed_.has_value(); }
  void Fix(Long inner_height, Long outer_height, Long width) {
    FixedContainer facts;
    facts.inner_height = inner_height;
    facts.outer_height = outer_height;
    facts.width = width;
    fixed_ = facts;
  }

 private:
  const QWidget& widget_;
  const ScreenMetrics& metrics_;
  const PanelScrollArea* scroll_ = nullptr;
  std::optional<FixedContainer> fixed_;
};

}  // namespace

// Declared in the order they are made; they go in the reverse order: the
// view before the panel it shows, the panel before the services it uses.
struct PropertiesWidget::Parts {
  std::unique_ptr<ScreenMetrics> own_metrics;
  ScreenMetrics* metrics = nullptr;
  QtClipboard own_clipboard;
  QtMessageBox own_message_box;
  std::unique_ptr<FileSettingsStore> own_settings;
  SettingsStore* settings = nullptr;
  std::shared_ptr<QtDialogUtility> dialogs;
  std::unique_ptr<QtSceneServices> own_scene_services;
  std::unique_ptr<WidgetContainer> container;
  std::unique_ptr<Properties> panel;
  std::unique_ptr<WidgetView> view;
  std::unique_ptr<PanelScrollArea> scroll;
  bool terminated = false;
};

PropertiesWidget::PropertiesWidget(PropertiesEvents& events, QWidget* parent)
    : PropertiesWidget(events, Services{}, parent) {}

PropertiesWidget::PropertiesWidget(PropertiesEvents& events,
                                   const Services& services, QWidget* parent)
    : QWidget(parent), parts_(std::make_unique<Parts>()) {
  Parts& p = *parts_;
  if (services.metrics) {
    p.metrics = services.metrics;
  } else {
    p.own_metrics = std::make_unique<QtScreenMetrics>();
    p.metrics = p.own_metrics.get();
  }
  p.own_message_box.SetParent(this);
  if (services.settings) {
    p.settings = services.settings;
  } else {
    p.own_settings = std::make_unique<FileSettingsStore>();
    p.settings = p.own_settings.get();
  }
  p.dialogs = std::make_shared<QtDialogUtility>(nullptr, this);
  SceneServices* scene_services = services.scene_services;
  if (!scene_services) {
    p.own_scene_services = std::make_unique<QtSceneServices>(p.dialogs);
    scene_services = p.own_scene_services.get();
  }
  p.container = std::make_unique<WidgetContainer>(*this, *p.metrics);

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
      p.panel->Widgets(), *p.panel->Widgets().Root(), *p.metrics, this);
  p.scroll =
      std::make_unique<PanelScrollArea>(p.panel->Widgets(), *p.view, this);
  p.scroll->setGeometry(rect());
  p.container->SetScrollArea(p.scroll.get());
  p.scroll->on_width_changed = [this] { ContainerResized(); };
  setFocusProxy(p.view->RootWidget());

  p.view->on_error = [this](const Error& error, const Widget* source) {
    Report(error, source);
  };
  p.view->on_key_down = [this](Integer key_code, Integer shift) {
    parts_->panel->KeyDown(key_code, shift);
  };
  p.view->after_input = [this] { emit inputHandled(); };

  // The container's first notification.
  try {
    p.panel->ReadProperties();
  } catch (const Error& error) {
    Report(error, nullptr);
  }
  p.view->Flush();
}

PropertiesWidget::~PropertiesWidget() {
  if (!parts_->terminated) {
    parts_->terminated = true;
    try {
      parts_->panel->Terminate();
    } catch (const Error& error) {
      Report(error, nullptr);
    }
  }
  parts_->scroll.reset();
  parts_->view.reset();
  parts_->panel.reset();
}

Properties& PropertiesWidget::panel() { return *parts_->panel; }
const Properties& PropertiesWidget::panel() const { return *parts_->panel; }
SettingsStore& PropertiesWidget::settings() { return *parts_->settings; }
WidgetView& PropertiesWidget::view() { return *parts_->view; }
QtDialogUtility& PropertiesWidget::dialogs() { return *parts_->dialogs; }

bool PropertiesWidget::isWarningSwitchedOff(const std::string& application_key,
                                            const std::string& registry_entry) {
  return frmWarn::IsSwitchedOff(parts_->settings, application_key,
                                registry_entry);
}

bool PropertiesWidget::showWarning(const std::string& application_key,
                                   const std::string& warning,
                                   const std::string& registry_entry) {
  if (isWarningSwitchedOff(application_key, registry_entry)) return false;
  frmWarn tip(parts_->settings, application_key, warning, registry_entry);
  WarnDialog dialog(tip, *parts_->metrics, this);
  dialog.Run();
  return true;
}

void PropertiesWidget::setSceneFolder(const QString& folder) {
  parts_->view->SetPictureFolder(folder);
  parts_->dialogs->SetSceneFolder(folder.toStdString());
}

void PropertiesWidget::fixContainer(Long inner_height, Long outer_height,
                                    Long width) {
  parts_->container->Fix(inner_height, outer_height, width);
  setFixedSize(parts_->view->ToPixelsX(width),
               parts_->view->ToPixelsY(outer_height));
}

void PropertiesWidget::terminate() {
  if (parts_->terminated) return;
  parts_->terminated = true;
  parts_->panel->Terminate();
}

QSize PropertiesWidget::sizeHint() const {
  const Widget* root = parts_->panel->Widgets().Root();
  return QSize(parts_->view->ToPixelsX(root->Width()),
               parts_->view->ToPixelsY(root->Height()));
}

void PropertiesWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  parts_->scroll->setGeometry(rect());
  parts_->scroll->Fit();
  ContainerResized();
}

void PropertiesWidget::ContainerResized() {
  // Fixed facts did not change: no notification.
  if (parts_->container->Fixed() || parts_->terminated) return;
  try {
    parts_->panel->Resize();
  } catch (const Error& error) {
    Report(error, nullptr);
  }
  emit panelResized();
}

bool PropertiesWidget::commitEdit() {
  Widget* focused = parts_->panel->Widgets().Focused();
  if (!focused) return true;
  bool failed = false;
  auto previous = parts_->view->on_error;
  parts_->view->on_error = [&](const Error& error, const Widget* source) {
    failed = true;
    if (previous) previous(error, source);
  };
  parts_->view->Act(*focused, [this] {
    UserInput::CommitEdit(parts_->panel->Widgets());
  });
  parts_->view->on_error = previous;
  return !failed;
}

void PropertiesWidget::Report(const Error& error, const Widget* source) {
  // The person cancelled a choice: nothing happened, nothing to report.
  if (error.Number() == kErrChooserCancelled) return;
  QString field =
      source ? QString::fromStdString(parts_->view->FieldNameOf(*source))
             : QString();
  if (isSignalConnected(
          QMetaMethod::fromSignal(&PropertiesWidget::errorOccurred))) {
    emit errorOccurred(error, field);
  } else if (field.isEmpty()) {
    std::fprintf(stderr, "%s\n", error.ToString().c_str());
  } else {
    std::fprintf(stderr, "%s: %s\n", field.toStdString().c_str(),
                 error.ToString().c_str());
  }
}

}  // namespace morvel::qt

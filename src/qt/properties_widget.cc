#include "qt/properties_widget.h"

#include <QMetaMethod>
#include <QResizeEvent>
#include <cstdint>
#include <string>

#include "host/scene_services.h"
#include "panel/hosted_panel.h"
#include "qt/choosers.h"
#include "qt/panel_scroll_area.h"
#include "qt/qt_platform.h"
#include "qt/warn_dialog.h"
#include "qt/widget_view.h"
#include "warn/frm_warn.h"

namespace morvel::qt {
namespace {

// The panel drawn in the widget: the width is what the scroll bar leaves,
// the height at least the panel's designed one (it scrolls).
class WidgetContainer final : public DrawnContainer {
 public:
  WidgetContainer(const QWidget& widget, const ScreenMetrics& metrics)
      : DrawnContainer(metrics), widget_(widget) {}
  void SetScrollArea(const PanelScrollArea* scroll) { scroll_ = scroll; }
  Long hWnd() const override {
    // The window system's handle of the window the panel is in (0 before
    // that window exists); never creates one.
    return static_cast<Long>(
        static_cast<std::uint32_t>(widget_.effectiveWinId()));
  }

 private:
  Long PixelWidth() const override {
    return scroll_ ? scroll_->VisibleWidth() : widget_.width();
  }
  Long PixelHeight() const override {
    return scroll_ ? scroll_->LayoutHeight() : widget_.height();
  }
  const QWidget& widget_;
  const PanelScrollArea* scroll_ = nullptr;
};

}  // namespace

// Declared in the order they are made; they go in the reverse order: the
// view before the panel it shows, the panel before the services it uses.
struct PropertiesWidget::Parts {
  explicit Parts(PropertiesWidget& owner)
      : hosted([&owner](const Error& error, const std::string& field) {
          if (!owner.isSignalConnected(QMetaMethod::fromSignal(
                  &PropertiesWidget::errorOccurred))) {
            return false;
          }
          emit owner.errorOccurred(error, QString::fromStdString(field));
          return true;
        }) {}
  std::unique_ptr<ScreenMetrics> own_metrics;
  ScreenMetrics* metrics = nullptr;
  QtClipboard own_clipboard;
  QtMessageBox own_message_box;
  std::shared_ptr<QtDialogUtility> dialogs;
  WidgetContainer* container = nullptr;
  HostedPanel hosted;
  std::unique_ptr<WidgetView> view;
  std::unique_ptr<PanelScrollArea> scroll;
};

PropertiesWidget::PropertiesWidget(PropertiesEvents& events, QWidget* parent)
    : PropertiesWidget(events, Services{}, parent) {}

PropertiesWidget::PropertiesWidget(PropertiesEvents& events,
                                   const Services& services, QWidget* parent)
    : QWidget(parent), parts_(std::make_unique<Parts>(*this)) {
  Parts& p = *parts_;
  if (services.metrics) {
    p.metrics = services.metrics;
  } else {
    p.own_metrics = std::make_unique<QtScreenMetrics>();
    p.metrics = p.own_metrics.get();
  }
  p.own_message_box.SetParent(this);
  p.hosted.UseSettings(services.settings);
  p.dialogs = std::make_shared<QtDialogUtility>(nullptr, this);
  auto container = std::make_unique<WidgetContainer>(*this, *p.metrics);
  p.container = container.get();

  Properties& panel = p.hosted.Make(
      events, {services.clipboard, services.message_box},
      {&p.own_clipboard, &p.own_message_box, nullptr, p.metrics},
      std::move(container), services.scene_services,
      [&p] { return std::make_unique<QtSceneServices>(p.dialogs); });
  p.view = std::make_unique<WidgetView>(
      panel.Widgets(), *panel.Widgets().Root(), *p.metrics, this);
  p.scroll = std::make_unique<PanelScrollArea>(panel.Widgets(), *p.view, this);
  p.scroll->setGeometry(rect());
  p.container->SetScrollArea(p.scroll.get());
  p.scroll->on_width_changed = [this] { ContainerResized(); };
  setFocusProxy(p.view->RootWidget());

  p.view->on_error = [this](const Error& error, const Widget* source) {
    Report(error, source);
  };
  p.view->on_key_down = [this](Integer key_code, Integer shift) {
    parts_->hosted.KeyDown(key_code, shift);
  };
  p.view->after_input = [this] { emit inputHandled(); };

  p.hosted.Open();
  p.view->Flush();
}

PropertiesWidget::~PropertiesWidget() {
  parts_->hosted.Close();
  parts_->scroll.reset();
  parts_->view.reset();
}

Properties& PropertiesWidget::panel() { return parts_->hosted.panel(); }
const Properties& PropertiesWidget::panel() const {
  return parts_->hosted.panel();
}
SettingsStore& PropertiesWidget::settings() {
  return parts_->hosted.settings();
}
WidgetView& PropertiesWidget::view() { return *parts_->view; }
QtDialogUtility& PropertiesWidget::dialogs() { return *parts_->dialogs; }

bool PropertiesWidget::isWarningSwitchedOff(const std::string& application_key,
                                            const std::string& registry_entry) {
  return parts_->hosted.IsWarningSwitchedOff(application_key, registry_entry);
}

bool PropertiesWidget::showWarning(const std::string& application_key,
                                   const std::string& warning,
                                   const std::string& registry_entry) {
  return parts_->hosted.ShowWarning(
      application_key, warning, registry_entry, [this](frmWarn& tip) {
        WarnDialog dialog(tip, *parts_->metrics, this);
        dialog.Run();
      });
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

void PropertiesWidget::terminate() { parts_->hosted.Terminate(); }

QSize PropertiesWidget::sizeHint() const {
  const Widget* root = parts_->hosted.panel().Widgets().Root();
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
  if (parts_->hosted.Resize()) emit panelResized();
}

bool PropertiesWidget::commitEdit() {
  Widget* focused = parts_->hosted.panel().Widgets().Focused();
  if (!focused) return true;
  bool failed = false;
  auto previous = parts_->view->on_error;
  parts_->view->on_error = [&](const Error& error, const Widget* source) {
    failed = true;
    if (previous) previous(error, source);
  };
  parts_->view->Act(*focused, [this] {
    UserInput::CommitEdit(parts_->hosted.panel().Widgets());
  });
  parts_->view->on_error = previous;
  return !failed;
}

void PropertiesWidget::Report(const Error& error, const Widget* source) {
  // The person cancelled a choice: nothing happened, nothing to report.
  if (error.Number() == kErrChooserCancelled) return;
  parts_->hosted.Report(
      error, source ? parts_->view->FieldNameOf(*source) : std::string());
}

}  // namespace morvel::qt

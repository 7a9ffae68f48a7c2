#include <QEnterEvent>
#include <QLabel>
#include <QPointer>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "qt/views/view_factory.h"

namespace morvel::qt {
namespace {

// A horizontal slider; a range given high to low runs right to left.
//
// A slider alone does not say which value it is at, so while the mouse is
// over it or its handle is held, a readout above the handle (below it when
// there is no room above) shows the value. The readout is a sibling, so it
// may stand outside the slider's own narrow rectangle; the slider's tooltip
// is left as the layout gave it.
class SliderView final : public QSlider, public ViewBase {
 public:
  SliderView(WidgetView& owner, Slider& model, QWidget* parent)
      : QSlider(Qt::Horizontal, parent),
        ViewBase(owner, model),
        slider_(model) {
    setFocusPolicy(Qt::StrongFocus);
    QObject::connect(this, &QSlider::valueChanged, [this](int value) {
      UpdateReadout();
      if (owner_.Syncing()) return;
      owner_.Act(slider_,
                 [this, value] { UserInput::MoveSlider(slider_, value); });
    });
    QObject::connect(this, &QSlider::sliderPressed, [this] { UpdateReadout(); });
    QObject::connect(this, &QSlider::sliderReleased,
                     [this] { UpdateReadout(); });
  }
  ~SliderView() override { delete readout_.data(); }
  QWidget* Q() override { return this; }
  void Sync(WidgetProperty property) override {
    switch (property) {
      case WidgetProperty::kRange:
        SyncRange();
        break;
      case WidgetProperty::kValue:
        Resync();
        break;
      case WidgetProperty::kGeometry:
        SyncCommon(property);
        SyncTicks();
        return;
      default:
        break;
    }
    SyncCommon(property);
  }
  void Resync() override {
    QSignalBlocker block(this);
    setValue(slider_.Value());
    UpdateReadout();
  }

 protected:
  void enterEvent(QEnterEvent* event) override {
    QSlider::enterEvent(event);
    hovered_ = true;
    UpdateReadout();
  }
  void leaveEvent(QEvent* event) override {
    QSlider::leaveEvent(event);
    hovered_ = false;
    UpdateReadout();
  }
  void hideEvent(QHideEvent* event) override {
    QSlider::hideEvent(event);
    hovered_ = false;
    UpdateReadout();
  }
  void moveEvent(QMoveEvent* event) override {
    QSlider::moveEvent(event);
    UpdateReadout();
  }
  void wheelEvent(QWheelEvent* event) override {
    if (hasFocus()) {
      QSlider::wheelEvent(event);
    } else {
      event->ignore();
    }
  }

 private:
  void SyncRange() {
    QSignalBlocker block(this);
    Long lo = std::min(slider_.Min(), slider_.Max());
    Long hi = std::max(slider_.Min(), slider_.Max());
    // A range given high to low runs from right to left, as it was designed.
    setInvertedAppearance(slider_.Min() > slider_.Max());
    setRange(lo, hi);
    setSingleStep(std::max<Long>(1, slider_.SmallChange()));
    setPageStep(std::max<Long>(1, slider_.LargeChange()));
    setValue(slider_.Value());
    SyncTicks();
  }
  void SyncTicks() {
    // A range may span the whole of Long: its width needs 64 bits.
    long long frequency = slider_.TickFrequency();
    long long span =
        std::llabs(static_cast<long long>(slider_.Max()) - slider_.Min());
    // Ticks closer than three pixels are a grey smear: leave them out.
    bool room = height() >= 24 && frequency > 0 && span > 0 &&
                width() / std::max<long long>(1, span / frequency) >= 3;
    setTickPosition(room ? QSlider::TicksBelow : QSlider::NoTicks);
    setTickInterval(std::max<Long>(1, frequency));
  }
  void UpdateReadout() {
    QWidget* host = parentWidget();
    const bool show = host && isVisible() && isEnabled() &&
                      (hovered_ || isSliderDown());
    if (!show) {
      if (readout_) readout_->hide();
      return;
    }
    if (!readout_) {
      readout_ = new QLabel(host);
      readout_->setObjectName("SliderReadout");
      readout_->setAttribute(Qt::WA_TransparentForMouseEvents);
      readout_->setAutoFillBackground(true);
      readout_->setBackgroundRole(QPalette::ToolTipBase);
      readout_->setForegroundRole(QPalette::ToolTipText);
      readout_->setFrameShape(QFrame::Box);
      readout_->setMargin(1);
    }
    readout_->setText(QString::number(value()));
    readout_->adjustSize();
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect handle = style()->subControlRect(
        QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const QPoint top = mapTo(host, QPoint(handle.center().x(), 0));
    int x = top.x() - readout_->width() / 2;
    x = std::clamp(x, 0, std::max(0, host->width() - readout_->width()));
    int y = top.y() - readout_->height();
    if (y < 0) y = top.y() + height();
    readout_->move(x, y);
    readout_->raise();
    readout_->show();
  }

  Slider& slider_;
  QPointer<QLabel> readout_;
  bool hovered_ = false;
};

}  // namespace

ViewBase* MakeSliderView(WidgetView& owner, Slider& model, QWidget* parent) {
  return new SliderView(owner, model, parent);
}

}  // namespace morvel::qt

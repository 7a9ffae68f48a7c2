#include <QLabel>
#include <QPointer>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
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
class SliderView final : public FocusedWheelView<View<QSlider, Slider>> {
 public:
  SliderView(WidgetView& owner, Widget& model, QWidget* parent)
      : FocusedWheelView(owner, model, parent) {
    setOrientation(Qt::Horizontal);
    QObject::connect(this, &QSlider::valueChanged, [this](int value) {
      UpdateReadout();
      if (owner_.Syncing()) return;
      owner_.Act(Model(),
                 [this, value] { UserInput::MoveSlider(Model(), value); });
    });
    QObject::connect(this, &QSlider::sliderPressed,
                     [this] { UpdateReadout(); });
    QObject::connect(this, &QSlider::sliderReleased,
                     [this] { UpdateReadout(); });
  }
  ~SliderView() override { delete readout_.data(); }
  void Sync(WidgetProperty property) override {
    if (property == WidgetProperty::kRange) SyncRange();
    SyncCommon(property);
    // Whether the ticks have room depends on the size.
    if (property == WidgetProperty::kGeometry) SyncTicks();
  }
  void Resync() override {
    QSignalBlocker block(this);
    setValue(Model().Value());
    UpdateReadout();
  }

 protected:
  // The readout follows the mouse in and out, and the slider when it
  // moves or hides.
  bool event(QEvent* event) override {
    const bool handled = FocusedWheelView::event(event);
    switch (event->type()) {
      case QEvent::Enter:
        hovered_ = true;
        break;
      case QEvent::Leave:
      case QEvent::Hide:
        hovered_ = false;
        break;
      case QEvent::Move:
        break;
      default:
        return handled;
    }
    UpdateReadout();
    return handled;
  }

 private:
  void SyncRange() {
    QSignalBlocker block(this);
    Long lo = std::min(Model().Min(), Model().Max());
    Long hi = std::max(Model().Min(), Model().Max());
    // A range given high to low runs from right to left, as it was designed.
    setInvertedAppearance(Model().Min() > Model().Max());
    setRange(lo, hi);
    setSingleStep(std::max<Long>(1, Model().SmallChange()));
    setPageStep(std::max<Long>(1, Model().LargeChange()));
    setValue(Model().Value());
    SyncTicks();
  }
  void SyncTicks() {
    // A range may span the whole of Long: its width needs 64 bits.
    long long frequency = Model().TickFrequency();
    long long span =
        std::llabs(static_cast<long long>(Model().Max()) - Model().Min());
    // Ticks closer than three pixels are a grey smear: leave them out.
    bool room = height() >= 24 && frequency > 0 && span > 0 &&
                width() / std::max<long long>(1, span / frequency) >= 3;
    setTickPosition(room ? QSlider::TicksBelow : QSlider::NoTicks);
    setTickInterval(std::max<Long>(1, frequency));
  }
  void UpdateReadout() {
    QWidget* host = parentWidget();
    const bool show =
        host && isVisible() && isEnabled() && (hovered_ || isSliderDown());
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
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option,
                                                 QStyle::SC_SliderHandle, this);
    const QPoint top = mapTo(host, QPoint(handle.center().x(), 0));
    int x = top.x() - readout_->width() / 2;
    x = std::clamp(x, 0, std::max(0, host->width() - readout_->width()));
    int y = top.y() - readout_->height();
    if (y < 0) y = top.y() + height();
    readout_->move(x, y);
    readout_->raise();
    readout_->show();
  }

  QPointer<QLabel> readout_;
  bool hovered_ = false;
};

}  // namespace

const ViewMaker kSliderView = MakerOf<SliderView>;

}  // namespace morvel::qt

#include <QSignalBlocker>
#include <QSlider>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "qt/views/view_factory.h"

namespace morvel::qt {
namespace {

// A horizontal slider; a range given high to low runs right to left.
class SliderView final : public QSlider, public ViewBase {
 public:
  SliderView(WidgetView& owner, Slider& model, QWidget* parent)
      : QSlider(Qt::Horizontal, parent),
        ViewBase(owner, model),
        slider_(model) {
    setFocusPolicy(Qt::StrongFocus);
    QObject::connect(this, &QSlider::valueChanged, [this](int value) {
      if (owner_.Syncing()) return;
      owner_.Act(slider_,
                 [this, value] { UserInput::MoveSlider(slider_, value); });
    });
  }
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
  }

 protected:
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
  Slider& slider_;
};

}  // namespace

ViewBase* MakeSliderView(WidgetView& owner, Slider& model, QWidget* parent) {
  return new SliderView(owner, model, parent);
}

}  // namespace morvel::qt

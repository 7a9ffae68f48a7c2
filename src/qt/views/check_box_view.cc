#include <QCheckBox>
#include <QFontMetrics>
#include <QSignalBlocker>

#include "qt/views/view_factory.h"

namespace morvel::qt {
namespace {

// A tri-state check box whose next state the model decides (a grey box
// becomes checked), with a caption fitted to its room.
class CheckBoxView final : public QCheckBox, public ViewBase {
 public:
  CheckBoxView(WidgetView& owner, CheckBox& model, QWidget* parent)
      : QCheckBox(parent), ViewBase(owner, model), box_(model) {
    setTristate(true);
  }
  QWidget* Q() override { return this; }
  void Sync(WidgetProperty property) override {
    switch (property) {
      case WidgetProperty::kCaption:
        setText(ToQ(box_.Caption()));
        SyncCommon(WidgetProperty::kGeometry);
        Fit();
        return;
      case WidgetProperty::kValue:
        Resync();
        break;
      default:
        break;
    }
    SyncCommon(property);
    if (property == WidgetProperty::kGeometry) Fit();
  }
  int WantedWidth() override {
    if (text().isEmpty()) return 0;
    return Chrome() + QFontMetrics(BaseFont()).horizontalAdvance(PlainText());
  }
  void Fit() {
    QFont fitted = FittedFont(BaseFont(), PlainText(), width() - Chrome());
    if (fitted != font()) setFont(fitted);
  }
  void Resync() override {
    QSignalBlocker block(this);
    switch (box_.Value()) {
      case 1:
        setCheckState(Qt::Checked);
        break;
      case 2:
        setCheckState(Qt::PartiallyChecked);
        break;
      default:
        setCheckState(Qt::Unchecked);
        break;
    }
  }

 protected:
  QFont BaseFont() const {
    return parentWidget() ? parentWidget()->font() : font();
  }
  QString PlainText() const { return ToQ(PlainCaption(box_.Caption())); }
  // The indicator and the space beside it.
  int Chrome() const {
    return sizeHint().width() - fontMetrics().horizontalAdvance(PlainText());
  }
  // A click goes to the model, which decides the next value (a grey box
  // becomes checked); the view then shows what the model holds.
  void nextCheckState() override {
    owner_.Act(box_, [this] { UserInput::Click(box_); });
  }

 private:
  CheckBox& box_;
};

}  // namespace

ViewBase* MakeCheckBoxView(WidgetView& owner, CheckBox& model,
                           QWidget* parent) {
  return new CheckBoxView(owner, model, parent);
}

}  // namespace morvel::qt

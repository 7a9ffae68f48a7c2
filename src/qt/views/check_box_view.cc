#include <QCheckBox>
#include <QFontMetrics>
#include <QSignalBlocker>

#include "qt/views/view_factory.h"

namespace morvel::qt {
namespace {

// A tri-state check box whose next state the model decides (a grey box
// becomes checked), with a caption fitted to its room.
class CheckBoxView final : public View<QCheckBox, CheckBox> {
 public:
  CheckBoxView(WidgetView& owner, Widget& model, QWidget* parent)
      : View(owner, model, parent) {
    setTristate(true);
  }
  void Sync(WidgetProperty property) override {
    if (property == WidgetProperty::kCaption) {
      setText(ToQ(Model().Caption()));
      SyncCommon(WidgetProperty::kGeometry);
      Fit();
      return;
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
    switch (Model().Value()) {
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
  QString PlainText() const { return ToQ(PlainCaption(Model().Caption())); }
  // The indicator and the space beside it.
  int Chrome() const {
    return sizeHint().width() - fontMetrics().horizontalAdvance(PlainText());
  }
  // A click goes to the model, which decides the next value (a grey box
  // becomes checked); the view then shows what the model holds.
  void nextCheckState() override {
    owner_.Act(Model(), [this] { UserInput::Click(Model()); });
  }
};

}  // namespace

const ViewMaker kCheckBoxView = MakerOf<CheckBoxView>;

}  // namespace morvel::qt

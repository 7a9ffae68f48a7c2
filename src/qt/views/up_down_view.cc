#include <QToolButton>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>

#include "base/numbers.h"
#include "qt/views/text_editor.h"
#include "qt/views/view_factory.h"

namespace morvel::qt {
namespace {

// The up-down field: the line edit with two step buttons on its right.
class UpDownView final : public EditorView<UpDownText> {
 public:
  UpDownView(WidgetView& owner, Widget& model, QWidget* parent)
      : EditorView(owner, model, parent),
        up_(new QToolButton(this)),
        down_(new QToolButton(this)) {
    for (QToolButton* b : {up_, down_}) {
      b->setAutoRepeat(true);
      b->setFocusPolicy(Qt::NoFocus);
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setAccessibleName(QStringLiteral("Increase"));
    down_->setAccessibleName(QStringLiteral("Decrease"));
    QObject::connect(up_, &QToolButton::clicked, [this] { Step(1); });
    QObject::connect(down_, &QToolButton::clicked, [this] { Step(-1); });
  }
  void Sync(WidgetProperty property) override {
    EditorView::Sync(property);
    if (property == WidgetProperty::kText ||
        property == WidgetProperty::kRange) {
      SyncButtons();
    }
  }
  void Resync() override {
    EditorView::Resync();
    SyncButtons();
  }

 protected:
  void resizeEvent(QResizeEvent*) override {
    int button_width = std::min(16, width() / 3);
    int h = height();
    edit_->setGeometry(0, 0, width() - button_width, h);
    up_->setGeometry(width() - button_width, 0, button_width, h / 2);
    down_->setGeometry(width() - button_width, h / 2, button_width, h - h / 2);
  }
  // The wheel steps the value of the field that has the focus, as its
  // arrow keys do; over any other field it scrolls the panel.
  void wheelEvent(QWheelEvent* event) override {
    const int delta = event->angleDelta().y();
    if (!edit_->hasFocus() || delta == 0) {
      event->ignore();
      return;
    }
    Step(delta > 0 ? 1 : -1);
    event->accept();
  }

 private:
  void Step(int direction) {
    owner_.Act(Model(),
               [this, direction] { UserInput::Step(Model(), direction); });
  }
  // A step button is dimmed once the value stands at that bound.
  void SyncButtons() {
    double value = 0;
    bool known = Quietly([&] { value = TextToDouble(Model().Text()); });
    double lo = std::min(Model().MinValue(), Model().MaxValue());
    double hi = std::max(Model().MinValue(), Model().MaxValue());
    up_->setEnabled(!known || value < hi);
    down_->setEnabled(!known || value > lo);
  }
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace

const ViewMaker kUpDownView = MakerOf<UpDownView>;

}  // namespace morvel::qt

#include <QKeyEvent>
#include <QWidget>

#include "qt/views/view_factory.h"

namespace morvel::qt {
namespace {

// The root of a tree: the panel's surface or a dialog's client area.
class FormView final : public View<QWidget> {
 public:
  FormView(WidgetView& owner, Widget& model, QWidget* parent)
      : View(owner, model, parent) {
    setAutoFillBackground(true);
    setFocusPolicy(Qt::ClickFocus);
  }
  void Sync(WidgetProperty property) override {
    if (property == WidgetProperty::kCaption) {
      setWindowTitle(ToQ(PlainCaption(model_.Caption())));
    }
    SyncCommon(property);
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    owner_.Resized();
  }
  // Keys reach the host's key handler when the form itself has the
  // keyboard. A copy key pressed over a check box or a list is not passed
  // on: the panel would empty the clipboard for a widget that has no text to
  // copy. (The text widgets pass their copy, cut and paste keys on
  // themselves.)
  void keyPressEvent(QKeyEvent* event) override {
    Integer code = KeyCode(*event);
    bool control = event->modifiers() & Qt::ControlModifier;
    if (owner_.on_key_down && &model_ == &owner_.Root() && code != 0 &&
        hasFocus()) {
      Integer shift = static_cast<Integer>(
          ((event->modifiers() & Qt::ShiftModifier) ? 1 : 0) |
          (control ? 2 : 0) | ((event->modifiers() & Qt::AltModifier) ? 4 : 0));
      owner_.Act(model_,
                 [this, code, shift] { owner_.on_key_down(code, shift); });
      event->accept();
      return;
    }
    QWidget::keyPressEvent(event);
  }

 private:
  // The key codes of letters and digits are their upper-case characters.
  static Integer KeyCode(const QKeyEvent& event) {
    int key = event.key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) ||
        (key >= Qt::Key_0 && key <= Qt::Key_9)) {
      return static_cast<Integer>(key);
    }
    return 0;
  }
};

}  // namespace

const ViewMaker kFormView = MakerOf<FormView>;

}  // namespace morvel::qt

#include <QPushButton>

#include "qt/views/view_factory.h"

namespace morvel::qt {
namespace {

// A push button: every press is a click of the model's button.
class ButtonView final : public QPushButton, public ViewBase {
 public:
  ButtonView(WidgetView& owner, Button& model, QWidget* parent)
      : QPushButton(parent), ViewBase(owner, model), button_(model) {
    setAutoDefault(false);
    QObject::connect(this, &QPushButton::clicked, [this] {
      if (owner_.Syncing()) return;
      owner_.Act(button_, [this] { UserInput::Click(button_); });
    });
  }
  QWidget* Q() override { return this; }
  void Sync(WidgetProperty property) override {
    if (property == WidgetProperty::kCaption) setText(ToQ(button_.Caption()));
    SyncCommon(property);
  }

 private:
  Button& button_;
};

}  // namespace

ViewBase* MakeButtonView(WidgetView& owner, Button& model, QWidget* parent) {
  return new ButtonView(owner, model, parent);
}

}  // namespace morvel::qt

#include <QPushButton>

#include "qt/views/view_factory.h"

namespace morvel::qt {
namespace {

// A push button: every press is a click of the model's button.
class ButtonView final : public View<QPushButton, Button> {
 public:
  ButtonView(WidgetView& owner, Widget& model, QWidget* parent)
      : View(owner, model, parent) {
    setAutoDefault(false);
    QObject::connect(this, &QPushButton::clicked, [this] {
      if (owner_.Syncing()) return;
      owner_.Act(Model(), [this] { UserInput::Click(Model()); });
    });
  }
  void Sync(WidgetProperty property) override {
    if (property == WidgetProperty::kCaption) setText(ToQ(Model().Caption()));
    SyncCommon(property);
  }
};

}  // namespace

const ViewMaker kButtonView = MakerOf<ButtonView>;

}  // namespace morvel::qt

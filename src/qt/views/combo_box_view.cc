#include <QComboBox>
#include <QSignalBlocker>

#include "qt/views/view_factory.h"

namespace morvel::qt {
namespace {

// A drop-down list: a pick from the popup is the model's Pick.
class ComboView final : public FocusedWheelView<View<QComboBox, ComboBox>> {
 public:
  ComboView(WidgetView& owner, Widget& model, QWidget* parent)
      : FocusedWheelView(owner, model, parent) {
    QObject::connect(this, &QComboBox::activated, [this](int index) {
      if (owner_.Syncing()) return;
      owner_.Act(Model(), [this, index] { UserInput::Pick(Model(), index); });
    });
  }
  void Sync(WidgetProperty property) override {
    if (property == WidgetProperty::kItems) ShowItems(true);
    SyncCommon(property);
  }
  void Resync() override { ShowItems(false); }

 private:
  // The pick, and the items too when they changed (or their count says they
  // did).
  void ShowItems(bool changed) {
    QSignalBlocker block(this);
    if (changed || count() != Model().ListCount()) {
      clear();
      for (const std::string& item : Model().Items()) addItem(ToQ(item));
    }
    setCurrentIndex(Model().ListIndex());
  }
};

}  // namespace

const ViewMaker kComboBoxView = MakerOf<ComboView>;

}  // namespace morvel::qt

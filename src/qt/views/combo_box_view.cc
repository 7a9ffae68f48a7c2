#include <QComboBox>
#include <QSignalBlocker>
#include <QWheelEvent>

#include "qt/views/view_factory.h"

namespace morvel::qt {
namespace {

// A drop-down list: a pick from the popup is the model's Pick.
class ComboView final : public QComboBox, public ViewBase {
 public:
  ComboView(WidgetView& owner, ComboBox& model, QWidget* parent)
      : QComboBox(parent), ViewBase(owner, model), combo_(model) {
    setFocusPolicy(Qt::StrongFocus);
    QObject::connect(this, &QComboBox::activated, [this](int index) {
      if (owner_.Syncing()) return;
      owner_.Act(combo_, [this, index] { UserInput::Pick(combo_, index); });
    });
  }
  QWidget* Q() override { return this; }
  void Sync(WidgetProperty property) override {
    switch (property) {
      case WidgetProperty::kItems: {
        QSignalBlocker block(this);
        clear();
        for (const std::string& item : combo_.Items()) addItem(ToQ(item));
        setCurrentIndex(combo_.ListIndex());
        break;
      }
      case WidgetProperty::kValue:
        Resync();
        break;
      default:
        break;
    }
    SyncCommon(property);
  }
  void Resync() override {
    QSignalBlocker block(this);
    if (count() != combo_.ListCount()) {
      clear();
      for (const std::string& item : combo_.Items()) addItem(ToQ(item));
    }
    setCurrentIndex(combo_.ListIndex());
  }

 protected:
  // A wheel turned over a list that does not have the focus scrolls the
  // panel, not the value: the panel is a long page of lists.
  void wheelEvent(QWheelEvent* event) override {
    if (hasFocus()) {
      QComboBox::wheelEvent(event);
    } else {
      event->ignore();
    }
  }

 private:
  ComboBox& combo_;
};

}  // namespace

ViewBase* MakeComboBoxView(WidgetView& owner, ComboBox& model,
                           QWidget* parent) {
  return new ComboView(owner, model, parent);
}

}  // namespace morvel::qt

#include <QWidget>

#include "qt/views/view_factory.h"

namespace morvel::qt {
namespace {

// The image list is never on screen; it gets an invisible stand-in so that
// every model widget has a Qt widget.
class HiddenView final : public QWidget, public ViewBase {
 public:
  HiddenView(WidgetView& owner, Widget& model, QWidget* parent)
      : QWidget(parent), ViewBase(owner, model) {
    hide();
  }
  QWidget* Q() override { return this; }
  void Sync(WidgetProperty) override {}
};

}  // namespace

ViewBase* MakeImageListView(WidgetView& owner, Widget& model, QWidget* parent) {
  return new HiddenView(owner, model, parent);
}

}  // namespace morvel::qt

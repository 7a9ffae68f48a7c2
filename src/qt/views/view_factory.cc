#include "qt/views/view_factory.h"

#include <QWidget>
#include <cstddef>
#include <iterator>

namespace morvel::qt {
namespace {

// The image list is never on screen, nor is a kind this version does not
// know: each gets an invisible stand-in, so that every model widget has a
// Qt widget.
class HiddenView final : public View<QWidget> {
 public:
  using View::View;
  // Hidden whatever the model says; the view is synced before its parent
  // first shows.
  void Sync(WidgetProperty) override { hide(); }
};

}  // namespace

ViewBase* MakeView(WidgetView& owner, Widget& model, QWidget* parent) {
  // By kind, in the order WidgetKind lists them: the text field and the
  // text box share a view.
  static const ViewMaker kByKind[] = {
      kFormView,          kFrameView,  kLabelView,      kCheckBoxView,
      kComboBoxView,      kButtonView, kPictureBoxView, kSliderView,
      kUpDownView,        kTextView,   kTextView,       kGridView,
      MakerOf<HiddenView>};
  static_assert(std::size(kByKind) ==
                static_cast<std::size_t>(WidgetKind::kImageList) + 1);
  auto kind = static_cast<std::size_t>(model.Kind());
  ViewMaker make =
      kind < std::size(kByKind) ? kByKind[kind] : MakerOf<HiddenView>;
  return make(owner, model, parent);
}

}  // namespace morvel::qt

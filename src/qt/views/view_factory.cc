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
const ViewMaker kHiddenView = MakerOf<HiddenView>;

// The views by kind. Each row names its kind, and the rows must stand in
// the order WidgetKind lists the kinds: a kind added, moved or left out is
// a compile error here, not a wrong view at run time.
struct ByKind {
  WidgetKind kind;
  const ViewMaker* make;
};
constexpr ByKind kByKind[] = {
    {WidgetKind::kForm, &kFormView},
    {WidgetKind::kFrame, &kFrameView},
    {WidgetKind::kLabel, &kLabelView},
    {WidgetKind::kCheckBox, &kCheckBoxView},
    {WidgetKind::kComboBox, &kComboBoxView},
    {WidgetKind::kButton, &kButtonView},
    {WidgetKind::kPictureBox, &kPictureBoxView},
    {WidgetKind::kSlider, &kSliderView},
    {WidgetKind::kUpDownText, &kUpDownView},
    {WidgetKind::kTextField, &kTextView},  // the text field and the text
    {WidgetKind::kTextBox, &kTextView},    // box share a view
    {WidgetKind::kFlexGrid, &kGridView},
    {WidgetKind::kImageList, &kHiddenView},
};
constexpr bool InKindOrder() {
  for (std::size_t i = 0; i < std::size(kByKind); ++i) {
    if (kByKind[i].kind != static_cast<WidgetKind>(i)) return false;
  }
  return std::size(kByKind) ==
         static_cast<std::size_t>(WidgetKind::kImageList) + 1;
}
static_assert(InKindOrder(), "kByKind must list every WidgetKind in order");

}  // namespace

ViewBase* MakeView(WidgetView& owner, Widget& model, QWidget* parent) {
  auto kind = static_cast<std::size_t>(model.Kind());
  ViewMaker make =
      kind < std::size(kByKind) ? *kByKind[kind].make : MakerOf<HiddenView>;
  return make(owner, model, parent);
}

}  // namespace morvel::qt

#include "qt/views/view_factory.h"

namespace morvel::qt {

ViewBase* MakeView(WidgetView& owner, Widget& model, QWidget* parent) {
  switch (model.Kind()) {
    case WidgetKind::kForm:
      return MakeFormView(owner, model, parent);
    case WidgetKind::kFrame:
      return MakeFrameView(owner, model, parent);
    case WidgetKind::kLabel:
      return MakeLabelView(owner, model, parent);
    case WidgetKind::kCheckBox:
      return MakeCheckBoxView(owner, static_cast<CheckBox&>(model), parent);
    case WidgetKind::kComboBox:
      return MakeComboBoxView(owner, static_cast<ComboBox&>(model), parent);
    case WidgetKind::kButton:
      return MakeButtonView(owner, static_cast<Button&>(model), parent);
    case WidgetKind::kPictureBox:
      return MakePictureBoxView(owner, static_cast<PictureBox&>(model), parent);
    case WidgetKind::kSlider:
      return MakeSliderView(owner, static_cast<Slider&>(model), parent);
    case WidgetKind::kUpDownText:
      return MakeUpDownView(owner, static_cast<UpDownText&>(model), parent);
    case WidgetKind::kTextField:
    case WidgetKind::kTextBox:
      return MakeTextView(owner, static_cast<TextWidget&>(model), parent);
    case WidgetKind::kFlexGrid:
      return MakeGridView(owner, static_cast<FlexGrid&>(model), parent);
    case WidgetKind::kImageList:
      return MakeImageListView(owner, model, parent);
  }
  // A kind this version does not know: kept off screen, like an image list.
  return MakeImageListView(owner, model, parent);
}

}  // namespace morvel::qt

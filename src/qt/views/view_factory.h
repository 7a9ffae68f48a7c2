#ifndef MORVEL_QT_VIEWS_VIEW_FACTORY_H_
#define MORVEL_QT_VIEWS_VIEW_FACTORY_H_

#include "qt/views/view_base.h"

class QWidget;

// The one place that knows which Qt view shows which widget kind. Each view
// lives in its own file of this folder and is made through its maker below;
// the views are Qt widgets owned by `parent` (or top-level when it is null).
namespace morvel::qt {

ViewBase* MakeView(WidgetView& owner, Widget& model, QWidget* parent);

ViewBase* MakeFormView(WidgetView& owner, Widget& model, QWidget* parent);
ViewBase* MakeFrameView(WidgetView& owner, Widget& model, QWidget* parent);
ViewBase* MakeLabelView(WidgetView& owner, Widget& model, QWidget* parent);
ViewBase* MakeCheckBoxView(WidgetView& owner, CheckBox& model, QWidget* parent);
ViewBase* MakeComboBoxView(WidgetView& owner, ComboBox& model, QWidget* parent);
ViewBase* MakeButtonView(WidgetView& owner, Button& model, QWidget* parent);
ViewBase* MakePictureBoxView(WidgetView& owner, PictureBox& model,
                             QWidget* parent);
ViewBase* MakeSliderView(WidgetView& owner, Slider& model, QWidget* parent);
// The plain text box and the maker's text field.
ViewBase* MakeTextView(WidgetView& owner, TextWidget& model, QWidget* parent);
ViewBase* MakeUpDownView(WidgetView& owner, UpDownText& model, QWidget* parent);
ViewBase* MakeGridView(WidgetView& owner, FlexGrid& model, QWidget* parent);
ViewBase* MakeImageListView(WidgetView& owner, Widget& model, QWidget* parent);

}  // namespace morvel::qt

#endif  // MORVEL_QT_VIEWS_VIEW_FACTORY_H_

#ifndef MORVEL_QT_VIEWS_VIEW_FACTORY_H_
#define MORVEL_QT_VIEWS_VIEW_FACTORY_H_

#include "qt/views/view_base.h"

class QWidget;

// The one place that knows which Qt view shows which widget kind. Each view
// lives in its own file of this folder and is made through its maker below;
// the views are Qt widgets owned by `parent` (or top-level when it is null).
namespace morvel::qt {

ViewBase* MakeView(WidgetView& owner, Widget& model, QWidget* parent);

// Makes the view of one model widget, whose kind the maker was chosen for.
using ViewMaker = ViewBase* (*)(WidgetView& owner, Widget& model,
                                QWidget* parent);

// The maker of the views of class V; each view's file names its own.
template <class V>
ViewBase* MakerOf(WidgetView& owner, Widget& model, QWidget* parent) {
  return new V(owner, model, parent);
}

extern const ViewMaker kFormView, kFrameView, kLabelView, kCheckBoxView,
    kComboBoxView, kButtonView, kPictureBoxView, kSliderView, kUpDownView,
    kGridView;
// The plain text box and the maker's text field.
extern const ViewMaker kTextView;

}  // namespace morvel::qt

#endif  // MORVEL_QT_VIEWS_VIEW_FACTORY_H_

#ifndef MORVEL_SECTIONS_SHAPE_DISPLAY_OPTIONS_H_
#define MORVEL_SECTIONS_SHAPE_DISPLAY_OPTIONS_H_

#include "kit/panel_context.h"
#include "widgets/widget.h"

namespace morvel {

// The editors of fraShapeCommonProperties: the draw mode and the four display
// switches. Each writes the widget's value into every selected node in one
// scene change. The common tab's loader fills these widgets.
class ShapeDisplayOptions {
 public:
  explicit ShapeDisplayOptions(PanelContext& context);
  ShapeDisplayOptions(const ShapeDisplayOptions&) = delete;
  ShapeDisplayOptions& operator=(const ShapeDisplayOptions&) = delete;

 private:
  // Runs one scene change that calls `write` for each selected node, with
  // the selection list fetched once; `after_writes` runs between the last
  // write and the apply.
  template <class Write, class AfterWrites>
  void WriteToSelection(Write write, AfterWrites after_writes);

  void DrawClick();
  void DisplayAsBoxClick();
  void DrawPointsClick();
  void DrawNormalsClick();
  void DrawTranslucentClick();

  PanelContext& context_;
  ComboBox& cboShapeDraw;
  CheckBox& chkShapeDisplayAsBox;
  CheckBox& chkShapeDrawPoints;
  CheckBox& chkShapeDrawNormals;
  CheckBox& chkShapeDrawTranslucent;
};

}  // namespace morvel

#endif  // MORVEL_SECTIONS_SHAPE_DISPLAY_OPTIONS_H_

#ifndef MORVEL_SECTIONS_SHAPE_SHAPE_SECTION_H_
#define MORVEL_SECTIONS_SHAPE_SHAPE_SECTION_H_

#include "panel/panel_context.h"
#include "widgets/widget.h"

namespace morvel {

// The object tab's section of one selected shape.
class ShapeSection {
 public:
  explicit ShapeSection(PanelContext& context);
  ShapeSection(const ShapeSection&) = delete;
  ShapeSection& operator=(const ShapeSection&) = delete;

  // Brings fraShapeProperties into view for the one selected shape.
  void LoadShapeProperties();

 private:
  PanelContext& context_;
  Frame& fraShapeProperties;
};

}  // namespace morvel

#endif  // MORVEL_SECTIONS_SHAPE_SHAPE_SECTION_H_

#ifndef MORVEL_SECTIONS_SHAPE_SHAPE_SECTION_H_
#define MORVEL_SECTIONS_SHAPE_SHAPE_SECTION_H_

#include "panel/panel_context.h"
#include "sections/materials/materials_section.h"
#include "widgets/widget.h"

namespace morvel {

// The object tab's section of one selected shape.
class ShapeSection {
 public:
  // The shape section hands its Materials frame to `materials`.
  ShapeSection(PanelContext& context, MaterialsSection& materials);
  ShapeSection(const ShapeSection&) = delete;
  ShapeSection& operator=(const ShapeSection&) = delete;

  // Brings fraShapeProperties into view for the one selected shape.
  void LoadShapeProperties();

 private:
  PanelContext& context_;
  MaterialsSection& materials_;
  Frame& fraShapeProperties;
};

}  // namespace morvel

#endif  // MORVEL_SECTIONS_SHAPE_SHAPE_SECTION_H_

#ifndef MORVEL_SECTIONS_SHAPE_SHAPE_SECTION_H_
#define MORVEL_SECTIONS_SHAPE_SHAPE_SECTION_H_

#include <memory>

#include "panel/panel_context.h"
#include "panel/section_layout.h"
#include "sections/materials/materials_section.h"
#include "widgets/widget.h"

namespace morvel {

// The object tab's section of one selected shape: its source, creasing,
// smoothing, mirroring, clones, refraction, custom fields and, in the
// Materials frame it hands to the material list, its materials.
class ShapeSection {
 public:
  // The shape section hands its Materials frame to `materials`.
  ShapeSection(PanelContext& context, MaterialsSection& materials);
  ShapeSection(const ShapeSection&) = delete;
  ShapeSection& operator=(const ShapeSection&) = delete;

  // Brings fraShapeProperties into view for the one selected shape, stacks
  // its sub-frames, fills them, and remembers the shape in CurrentShapeNode.
  void LoadShapeProperties();

 private:
  void LoadShapeValues();
  // Item 0 of the selection, fetched afresh.
  std::shared_ptr<SceneNode> SelectedNode() const;

  PanelContext& context_;
  MaterialsSection& materials_;
  Frame& fraShapeProperties;
  Frame& fraGeneral;
  Frame& fraSmoothing;
  Frame& fraMirror;
  Frame& fraClone;
  Frame& fraObjectRayTrace;
  CustomFieldRows custom_rows_;
};

}  // namespace morvel

#endif  // MORVEL_SECTIONS_SHAPE_SHAPE_SECTION_H_

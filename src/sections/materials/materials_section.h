#ifndef MORVEL_SECTIONS_MATERIALS_MATERIALS_SECTION_H_
#define MORVEL_SECTIONS_MATERIALS_MATERIALS_SECTION_H_

#include "base/types.h"
#include "panel/panel_context.h"
#include "widgets/widget.h"

namespace morvel {

// The Materials frame at the foot of the shape section: the grid of the
// shown shape's materials, one row a material and one column an attribute,
// and the editing of its cells. The shape section's loader drives the two
// loaders in one pass: LoadMaterialGrid where the frame is to stand, then
// FillMaterialRows while it fills the shape's values.
class MaterialsSection {
 public:
  explicit MaterialsSection(PanelContext& context);
  MaterialsSection(const MaterialsSection&) = delete;
  MaterialsSection& operator=(const MaterialsSection&) = delete;

  // Places fraMaterial at `Top` (twips inside fraShapeProperties), sizes it
  // and the grid to the panel's height, and writes the header row.
  void LoadMaterialGrid(Long& Top);
  // One row per material of the first selected shape.
  void FillMaterialRows();

 private:
  PanelContext& context_;
  Frame& fraMaterial;
};

}  // namespace morvel

#endif  // MORVEL_SECTIONS_MATERIALS_MATERIALS_SECTION_H_

#ifndef MORVEL_SECTIONS_MATERIALS_MATERIALS_LAYOUT_H_
#define MORVEL_SECTIONS_MATERIALS_MATERIALS_LAYOUT_H_

#include <span>

#include "widgets/widget.h"

namespace morvel {

// The Materials frame at the foot of the shape section, as the designer
// leaves it: its title, the material grid and the grid's in-place text box,
// and the image list that holds the grid's header pictures.
// fraShapeProperties must already be there.
// Defined by materials.layout.json (the build generates it).
std::span<const WidgetSpec> MaterialsLayout();

}  // namespace morvel

#endif  // MORVEL_SECTIONS_MATERIALS_MATERIALS_LAYOUT_H_

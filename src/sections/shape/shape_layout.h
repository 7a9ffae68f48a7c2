#ifndef MORVEL_SECTIONS_SHAPE_SHAPE_LAYOUT_H_
#define MORVEL_SECTIONS_SHAPE_SHAPE_LAYOUT_H_

#include <span>

#include "widgets/widget.h"

namespace morvel {

// The shape section's widgets as the designer leaves them: fraShapeProperties
// in the panel's form, with the General, Smoothing, Mirroring, Clones and
// Raytracing frames inside. The Custom frame (kit/custom_field_rows.h) and
// the Materials frame (the materials section) follow them.
// Defined by shape.layout.json (the build generates it).
std::span<const WidgetSpec> ShapeLayout();

}  // namespace morvel

#endif  // MORVEL_SECTIONS_SHAPE_SHAPE_LAYOUT_H_

#ifndef MORVEL_SECTIONS_COMMON_COMMON_LAYOUT_H_
#define MORVEL_SECTIONS_COMMON_COMMON_LAYOUT_H_

#include <span>

#include "widgets/widget.h"

namespace morvel {

// The common tab's widgets as the designer leaves them: fraCommonProperties
// with the Hide, Lock/Enable and Shadowless boxes, fraShapeCommonProperties
// with the shape display options and the draw-mode list, and the divider
// below them, all in the panel's form "Properties".
// Defined by common.layout.json (the build generates it).
std::span<const WidgetSpec> CommonLayout();

}  // namespace morvel

#endif  // MORVEL_SECTIONS_COMMON_COMMON_LAYOUT_H_

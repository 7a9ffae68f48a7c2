#ifndef MORVEL_SECTIONS_BONE_BONE_LAYOUT_H_
#define MORVEL_SECTIONS_BONE_BONE_LAYOUT_H_

#include <span>

#include "widgets/widget.h"

namespace morvel {

// The bone section's widgets as the designer leaves them: fraBoneProperties
// in the panel's form, with the General (weight), Volume and Volume -
// Irregular frames inside.
// Defined by bone.layout.json (the build generates it).
std::span<const WidgetSpec> BoneLayout();

}  // namespace morvel

#endif  // MORVEL_SECTIONS_BONE_BONE_LAYOUT_H_

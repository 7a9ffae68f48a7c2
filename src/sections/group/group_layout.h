#ifndef MORVEL_SECTIONS_GROUP_GROUP_LAYOUT_H_
#define MORVEL_SECTIONS_GROUP_GROUP_LAYOUT_H_

#include <span>

#include "widgets/widget.h"

namespace morvel {

// The group section's widgets as the designer leaves them:
// fraGroupProperties in the panel's form, with the Position, Orientation,
// Rotational Velocity and Inverse Kinematics frames inside. The Custom frame
// (kit/custom_field_rows.h) follows them.
// Defined by group.layout.json (the build generates it).
std::span<const WidgetSpec> GroupLayout();

}  // namespace morvel

#endif  // MORVEL_SECTIONS_GROUP_GROUP_LAYOUT_H_

#ifndef MORVEL_SECTIONS_GROUP_GROUP_LAYOUT_H_
#define MORVEL_SECTIONS_GROUP_GROUP_LAYOUT_H_

namespace morvel {

class WidgetTree;

// Adds the group section's widgets to `tree`: the Position, Orientation,
// Rotational Velocity, Inverse Kinematics and Custom frames inside
// fraGroupProperties (a panel-level frame that must already be there).
void BuildGroupWidgets(WidgetTree& tree);

}  // namespace morvel

#endif  // MORVEL_SECTIONS_GROUP_GROUP_LAYOUT_H_

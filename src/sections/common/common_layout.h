#ifndef MORVEL_SECTIONS_COMMON_COMMON_LAYOUT_H_
#define MORVEL_SECTIONS_COMMON_COMMON_LAYOUT_H_

namespace morvel {

class WidgetTree;

// Adds the common check boxes (Hide, Lock/Enable, Shadowless) and the shape
// display options with their draw-mode list to `tree`. The two frames they
// live in, fraCommonProperties and fraShapeCommonProperties, are panel-level
// frames and must already be there.
void BuildCommonWidgets(WidgetTree& tree);

}  // namespace morvel

#endif  // MORVEL_SECTIONS_COMMON_COMMON_LAYOUT_H_

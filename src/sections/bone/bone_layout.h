#ifndef MORVEL_SECTIONS_BONE_BONE_LAYOUT_H_
#define MORVEL_SECTIONS_BONE_BONE_LAYOUT_H_

namespace morvel {

class WidgetTree;

// Adds the bone section's widgets to `tree`: the General (weight), Volume
// and Volume - Irregular frames inside fraBoneProperties (a panel-level
// frame that must already be there).
void BuildBoneWidgets(WidgetTree& tree);

}  // namespace morvel

#endif  // MORVEL_SECTIONS_BONE_BONE_LAYOUT_H_

#ifndef MORVEL_SECTIONS_MATERIALS_MATERIALS_LAYOUT_H_
#define MORVEL_SECTIONS_MATERIALS_MATERIALS_LAYOUT_H_

namespace morvel {

class WidgetTree;

// Adds the Materials frame to the shape section of `tree`: its title, the
// material grid and the grid's in-place text box. fraShapeProperties must
// already be there. The grid's header pictures come from the panel's image
// list, ilsImageList.
void BuildMaterialsWidgets(WidgetTree& tree);

}  // namespace morvel

#endif  // MORVEL_SECTIONS_MATERIALS_MATERIALS_LAYOUT_H_

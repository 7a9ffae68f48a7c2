#ifndef MORVEL_SECTIONS_SHAPE_SHAPE_LAYOUT_H_
#define MORVEL_SECTIONS_SHAPE_SHAPE_LAYOUT_H_

namespace morvel {

class WidgetTree;

// Adds the shape section's own widgets to `tree`: the General, Smoothing,
// Mirroring, Clones, Raytracing and Custom frames inside fraShapeProperties
// (a panel-level frame that must already be there). The Materials frame is
// built by the materials section.
void BuildShapeWidgets(WidgetTree& tree);

}  // namespace morvel

#endif  // MORVEL_SECTIONS_SHAPE_SHAPE_LAYOUT_H_

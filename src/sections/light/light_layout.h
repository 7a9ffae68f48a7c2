#ifndef MORVEL_SECTIONS_LIGHT_LIGHT_LAYOUT_H_
#define MORVEL_SECTIONS_LIGHT_LIGHT_LAYOUT_H_

namespace morvel {

class WidgetTree;

// Adds the light section's widgets to `tree`: the General frame (colour
// swatch and attenuation) and the Spotlight Attributes frame inside
// fraLightProperties (a panel-level frame that must already be there).
void BuildLightWidgets(WidgetTree& tree);

}  // namespace morvel

#endif  // MORVEL_SECTIONS_LIGHT_LIGHT_LAYOUT_H_

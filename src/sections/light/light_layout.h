#ifndef MORVEL_SECTIONS_LIGHT_LIGHT_LAYOUT_H_
#define MORVEL_SECTIONS_LIGHT_LIGHT_LAYOUT_H_

#include <span>

#include "widgets/widget.h"

namespace morvel {

// The light section's widgets as the designer leaves them: fraLightProperties
// in the panel's form, with the General frame (colour swatch and
// attenuation) and the Spotlight Attributes frame inside.
// Defined by light.layout.json (the build generates it).
std::span<const WidgetSpec> LightLayout();

}  // namespace morvel

#endif  // MORVEL_SECTIONS_LIGHT_LIGHT_LAYOUT_H_

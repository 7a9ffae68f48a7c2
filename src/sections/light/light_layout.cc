#include "sections/light/light_layout.h"

#include "widgets/widget.h"

namespace morvel {
namespace {

using K = WidgetKind;

// Both frames keep these positions at run time: the loader only hides the
// spotlight frame for lights that are not spotlights.
// clang-format off
const WidgetSpec kLightLayout[] = {
    {.kind = K::kFrame, .name = "fraLightProperties", .parent = "Properties",
     .left = 7920, .top = 0, .width = 3870, .height = 4815},
    {.kind = K::kFrame, .name = "fraLightGeneral",
     .parent = "fraLightProperties",
     .left = -30, .top = 60, .width = 3930, .height = 1455},
    {.kind = K::kLabel, .name = "Label", .index = 1,
     .parent = "fraLightGeneral",
     .left = 120, .top = 0, .width = 840, .height = 285,
     .caption = " General"},
    {.kind = K::kLabel, .name = "lblLightColor", .parent = "fraLightGeneral",
     .left = 135, .top = 330, .width = 1215, .height = 255,
     .caption = "Color"},
    // The swatch is painted with the light's colour; a click opens the
    // colour chooser.
    {.kind = K::kPictureBox, .name = "picVBColor", .parent = "fraLightGeneral",
     .left = 1620, .top = 270, .width = 1215, .height = 315,
     .tooltip = "Colour of the light: click to choose another"},
    {.kind = K::kLabel, .name = "lblAttenuationType",
     .parent = "fraLightGeneral",
     .left = 135, .top = 690, .width = 1335, .height = 255,
     .caption = "Attenuation Type"},
    {.kind = K::kPictureBox, .name = "picAttenuationType",
     .parent = "fraLightGeneral",
     .left = 1620, .top = 630, .width = 1215, .height = 315},
    {.kind = K::kComboBox, .name = "cboAttenuationType",
     .parent = "picAttenuationType",
     .left = 0, .top = 0, .width = 1215, .height = 315,
     .tooltip = "How the light fades with distance"},
    {.kind = K::kLabel, .name = "lblAttenuationFactor",
     .parent = "fraLightGeneral",
     .left = 135, .top = 1050, .width = 1395, .height = 255,
     .caption = "Attenuation Factor"},
    {.kind = K::kUpDownText, .name = "txtAttenuationFactor",
     .parent = "fraLightGeneral",
     .left = 1620, .top = 990, .width = 1215, .height = 315,
     .tooltip = "How strongly the light fades with distance",
     .min = 0.001, .max = 1.0, .small_change = 0.1, .decimals = 3,
     .text = "1.0", .default_value = 1.0},

    // Spotlight Attributes: shown for spotlights only.
    {.kind = K::kFrame, .name = "fraLightSpot", .parent = "fraLightProperties",
     .left = -30, .top = 1440, .width = 3930, .height = 1065},
    {.kind = K::kLabel, .name = "Label", .index = 2, .parent = "fraLightSpot",
     .left = 120, .top = 0, .width = 2205, .height = 285,
     .caption = " Spotlight Attributes"},
    {.kind = K::kLabel, .name = "lblSpotlightRange", .parent = "fraLightSpot",
     .left = 135, .top = 330, .width = 585, .height = 255,
     .caption = "Range"},
    {.kind = K::kUpDownText, .name = "txtSpotlightRange",
     .parent = "fraLightSpot",
     .left = 780, .top = 270, .width = 835, .height = 315,
     .tooltip = "How far the spotlight reaches",
     .min = 1, .max = 9999, .small_change = 1, .decimals = 0, .text = "256",
     .default_value = 256},
    {.kind = K::kLabel, .name = "lblUmbra", .parent = "fraLightSpot",
     .left = 135, .top = 660, .width = 615, .height = 375,
     .caption = "Umbra"},
    {.kind = K::kUpDownText, .name = "txtSpotlightUmbra",
     .parent = "fraLightSpot",
     .left = 780, .top = 630, .width = 835, .height = 315,
     .tooltip = "Width of the fully lit inner cone of the spotlight",
     .min = 0.1, .max = 1.0, .small_change = 0.1, .decimals = 2,
     .text = "0.4", .default_value = 0.4},
    {.kind = K::kLabel, .name = "lblPenumbra", .parent = "fraLightSpot",
     .left = 1860, .top = 660, .width = 855, .height = 315,
     .caption = "Penumbra"},
    {.kind = K::kUpDownText, .name = "txtSpotlightPenumbra",
     .parent = "fraLightSpot",
     .left = 2730, .top = 630, .width = 835, .height = 315,
     .tooltip = "Width of the soft edge around the spotlight's cone",
     .min = 0.1, .max = 1.0, .small_change = 0.1, .decimals = 2,
     .text = "0.5", .default_value = 0.5},
};
// clang-format on

}  // namespace

std::span<const WidgetSpec> LightLayout() { return kLightLayout; }

}  // namespace morvel

#include "sections/bone/bone_layout.h"

#include "widgets/widget.h"

namespace morvel {
namespace {

using K = WidgetKind;

// The frames keep these positions at run time; the loader only hides the two
// volume frames for bones that have no volume of influence.
// clang-format off
const WidgetSpec kBoneLayout[] = {
    {.kind = K::kFrame, .name = "fraBoneProperties", .parent = "Properties",
     .left = 11880, .top = 0, .width = 3870, .height = 3700},
    {.kind = K::kFrame, .name = "fraBoneGeneral",
     .parent = "fraBoneProperties",
     .left = -30, .top = 60, .width = 3930, .height = 735},
    {.kind = K::kLabel, .name = "Label", .index = 8, .parent = "fraBoneGeneral",
     .left = 120, .top = 0, .width = 840, .height = 285,
     .caption = " General"},
    {.kind = K::kLabel, .name = "lblWeight", .parent = "fraBoneGeneral",
     .left = 135, .top = 300, .width = 1035, .height = 255,
     .caption = "Weight"},
    {.kind = K::kSlider, .name = "sldWeight", .parent = "fraBoneGeneral",
     .left = 1200, .top = 240, .width = 2685, .height = 285,
     .tooltip = "How strongly the bone moves the skin around it",
     .min = 0, .max = 100, .small_change = 1, .large_change = 5, .tick = 10},

    // Volume of influence: the range at either end of the bone, and how far
    // the volume reaches beyond them.
    {.kind = K::kFrame, .name = "fraBoneVolume", .parent = "fraBoneProperties",
     .left = -30, .top = 720, .width = 3930, .height = 1335},
    {.kind = K::kLabel, .name = "Label", .index = 10, .parent = "fraBoneVolume",
     .left = 120, .top = 0, .width = 735, .height = 285,
     .caption = " Volume"},
    {.kind = K::kLabel, .name = "lblOriginRange", .parent = "fraBoneVolume",
     .left = 135, .top = 300, .width = 1125, .height = 255,
     .caption = "Origin Range:"},
    {.kind = K::kSlider, .name = "sldOriginEffectRange",
     .parent = "fraBoneVolume",
     .left = 1200, .top = 240, .width = 2685, .height = 285,
     .tooltip = "Range of Effect at Bone Origin",
     .min = 1, .max = 100, .small_change = 1, .large_change = 10, .tick = 25},
    {.kind = K::kLabel, .name = "lblEndRange", .parent = "fraBoneVolume",
     .left = 135, .top = 600, .width = 1035, .height = 255,
     .caption = "End Range:"},
    {.kind = K::kSlider, .name = "sldEndEffectRange", .parent = "fraBoneVolume",
     .left = 1200, .top = 540, .width = 2685, .height = 285,
     .tooltip = "Range of Effect at Bone End",
     .min = 1, .max = 100, .small_change = 1, .large_change = 10, .tick = 25},
    {.kind = K::kLabel, .name = "lblExtent", .parent = "fraBoneVolume",
     .left = 135, .top = 900, .width = 1125, .height = 255,
     .caption = "Extent:"},
    {.kind = K::kSlider, .name = "sldEffectExtent", .parent = "fraBoneVolume",
     .left = 1200, .top = 840, .width = 2685, .height = 285,
     .tooltip = "How far the volume of influence reaches along the bone",
     .min = -100, .max = 100, .small_change = 1, .large_change = 10,
     .tick = 100},

    // Irregular volume: an extra extent, shifted by an offset. The offset
    // fields take input only while the irregular extent is above 0.
    {.kind = K::kFrame, .name = "fraBoneVolumeIrregular",
     .parent = "fraBoneProperties",
     .left = -30, .top = 1980, .width = 3930, .height = 1065},
    {.kind = K::kLabel, .name = "Label", .index = 11,
     .parent = "fraBoneVolumeIrregular",
     .left = 120, .top = 0, .width = 1995, .height = 285,
     .caption = " Volume - Irregular"},
    {.kind = K::kLabel, .name = "lblExtentIrregular",
     .parent = "fraBoneVolumeIrregular",
     .left = 135, .top = 300, .width = 1155, .height = 255,
     .caption = "Irreg. Extent"},
    {.kind = K::kSlider, .name = "sldExtentIrregular",
     .parent = "fraBoneVolumeIrregular",
     .left = 1200, .top = 240, .width = 2685, .height = 285,
     .tooltip = "Size of the irregular volume of influence; 0 switches it off",
     .min = 0, .max = 100, .small_change = 1, .large_change = 5, .tick = 10},
    {.kind = K::kLabel, .name = "lblExtentIrregularOffsetX",
     .parent = "fraBoneVolumeIrregular",
     .left = 135, .top = 690, .width = 255, .height = 285, .caption = "X"},
    {.kind = K::kUpDownText, .name = "txtExtentIrregularOffsetX",
     .parent = "fraBoneVolumeIrregular",
     .left = 300, .top = 630, .width = 1005, .height = 315,
     .tooltip = "Position Relative To Parent",
     .min = -999999, .max = 999999, .small_change = 0.01, .decimals = 4,
     .text = "0.0"},
    {.kind = K::kLabel, .name = "lblExtentIrregularOffsetY",
     .parent = "fraBoneVolumeIrregular",
     .left = 1395, .top = 690, .width = 315, .height = 285, .caption = "Y"},
    {.kind = K::kUpDownText, .name = "txtExtentIrregularOffsetY",
     .parent = "fraBoneVolumeIrregular",
     .left = 1560, .top = 630, .width = 1005, .height = 315,
     .tooltip = "Position Relative To Parent",
     .min = -999999, .max = 999999, .small_change = 0.01, .decimals = 4,
     .text = "0.0"},
    {.kind = K::kLabel, .name = "lblExtentIrregularOffsetZ",
     .parent = "fraBoneVolumeIrregular",
     .left = 2655, .top = 690, .width = 195, .height = 285, .caption = "Z"},
    {.kind = K::kUpDownText, .name = "txtExtentIrregularOffsetZ",
     .parent = "fraBoneVolumeIrregular",
     .left = 2820, .top = 630, .width = 1005, .height = 315,
     .tooltip = "Position Relative To Parent",
     .min = -999999, .max = 999999, .small_change = 0.01, .decimals = 4,
     .text = "0.0"},
};
// clang-format on

}  // namespace

std::span<const WidgetSpec> BoneLayout() { return kBoneLayout; }

}  // namespace morvel

#include "sections/camera/camera_layout.h"

#include "widgets/widget.h"

namespace morvel {
namespace {

using K = WidgetKind;

// The three focal sliders share one scale: 1 to 10, one step per click and
// a tick at every position. Their values go to the camera unscaled.
// clang-format off
const WidgetSpec kCameraLayout[] = {
    {.kind = K::kFrame, .name = "fraCameraProperties", .parent = "Properties",
     .left = 7920, .top = 5040, .width = 3870, .height = 3135},
    {.kind = K::kFrame, .name = "fraCameraGeneral",
     .parent = "fraCameraProperties",
     .left = -30, .top = 60, .width = 3930, .height = 735},
    {.kind = K::kLabel, .name = "Label", .index = 9,
     .parent = "fraCameraGeneral",
     .left = 120, .top = 0, .width = 840, .height = 285,
     .caption = " General"},
    {.kind = K::kLabel, .name = "lblFieldOfView", .parent = "fraCameraGeneral",
     .left = 135, .top = 330, .width = 975, .height = 285,
     .caption = "Field of View:"},
    {.kind = K::kUpDownText, .name = "txtFieldofView",
     .parent = "fraCameraGeneral",
     .left = 1260, .top = 270, .width = 915, .height = 315,
     .tooltip = "Field of view of the camera",
     .min = 0.01, .max = 1.0, .small_change = 0.01, .decimals = 3,
     .text = "0.05", .default_value = 0.05},

    // Raytracing: focal blur is only rendered by the outside ray tracer.
    {.kind = K::kFrame, .name = "fraCameraRaytrace",
     .parent = "fraCameraProperties",
     .left = -30, .top = 720, .width = 3930, .height = 1665},
    {.kind = K::kLabel, .name = "Label", .index = 16,
     .parent = "fraCameraRaytrace",
     .left = 120, .top = 0, .width = 1155, .height = 285,
     .caption = " Raytracing"},
    {.kind = K::kCheckBox, .name = "chkFocalBlur", .parent = "fraCameraRaytrace",
     .left = 135, .top = 270, .width = 1635, .height = 255,
     .caption = "Focal Blur",
     .tooltip = "Blur what is out of focus when the scene is ray traced"},
    {.kind = K::kLabel, .name = "lblFocalPoint", .parent = "fraCameraRaytrace",
     .left = 135, .top = 630, .width = 945, .height = 345,
     .caption = "Focal Point",
     .tooltip = "Distance from camera where focus is most sharp"},
    {.kind = K::kSlider, .name = "sldFocalPoint", .parent = "fraCameraRaytrace",
     .left = 1050, .top = 555, .width = 2835, .height = 285,
     .tooltip = "Distance from camera where focus is most sharp",
     .min = 1, .max = 10, .small_change = 1, .large_change = 5, .tick = 1},
    {.kind = K::kLabel, .name = "lblFocalAperture",
     .parent = "fraCameraRaytrace",
     .left = 135, .top = 930, .width = 675, .height = 225,
     .caption = "Aperture"},
    {.kind = K::kSlider, .name = "sldFocalAperture",
     .parent = "fraCameraRaytrace",
     .left = 1050, .top = 855, .width = 2835, .height = 285,
     .tooltip = "Focal Aperture",
     .min = 1, .max = 10, .small_change = 1, .large_change = 5, .tick = 1},
    {.kind = K::kLabel, .name = "lblFocalQuality",
     .parent = "fraCameraRaytrace",
     .left = 135, .top = 1230, .width = 765, .height = 225,
     .caption = "Quality"},
    {.kind = K::kSlider, .name = "sldFocalQuality",
     .parent = "fraCameraRaytrace",
     .left = 1050, .top = 1155, .width = 2835, .height = 285,
     .tooltip = "Focal Quality",
     .min = 1, .max = 10, .small_change = 1, .large_change = 5, .tick = 1},
};
// clang-format on

}  // namespace

std::span<const WidgetSpec> CameraLayout() { return kCameraLayout; }

}  // namespace morvel

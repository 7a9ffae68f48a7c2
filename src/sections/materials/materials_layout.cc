#include "sections/materials/materials_layout.h"

#include "widgets/widget.h"

namespace morvel {
namespace {

using K = WidgetKind;

// The frame stands last in the shape section's column; the loader moves it
// below the frames shown for a shape and gives it, and the grid, the rest of
// the panel's height.
// clang-format off
const WidgetSpec kMaterialsLayout[] = {
    {.kind = K::kFrame, .name = "fraMaterial", .parent = "fraShapeProperties",
     .left = -30, .top = 7380, .width = 3930, .height = 2145},
    {.kind = K::kLabel, .name = "Label", .index = 18, .parent = "fraMaterial",
     .left = 120, .top = 0, .width = 720, .height = 285,
     .caption = " Materials"},
    {.kind = K::kFlexGrid, .name = "msgMaterialAttributes",
     .parent = "fraMaterial",
     .left = 30, .top = 270, .width = 3915, .height = 1695,
     .tooltip = "The shape's materials: click a cell to change its colour, "
                "a map, a level or a custom field"},
    // Laid over the clicked cell while a value is typed; it comes after the
    // grid so that it stands in front of it.
    {.kind = K::kTextBox, .name = "txtMaterialAttributeEntry",
     .parent = "fraMaterial",
     .left = 0, .top = 270, .width = 1125, .height = 200,
     .tooltip = "Type the new value; it is kept when you click elsewhere",
     .visible = false},
    // Holds the header pictures of the grid; never on screen.
    {.kind = K::kImageList, .name = "ilsImageList", .parent = "Properties",
     .visible = false},
};
// clang-format on

}  // namespace

std::span<const WidgetSpec> MaterialsLayout() { return kMaterialsLayout; }

}  // namespace morvel

#include "sections/common/common_layout.h"

#include "widgets/widget.h"

namespace morvel {
namespace {

using K = WidgetKind;

// The common tab: three switches that apply to any selection, and the draw
// options of a shape selection, each group in a frame of the panel's own;
// under them a divider. The draw-mode list sits in a borderless picture box
// so that it can be moved as one piece with its holder; its entries are
// filled once when the panel is initialised.
// clang-format off
const WidgetSpec kCommonLayout[] = {
    {.kind = K::kFrame, .name = "fraCommonProperties", .parent = "Properties",
     .left = 0, .top = 30, .width = 3870, .height = 570},
    {.kind = K::kCheckBox, .name = "chkCommonHide",
     .parent = "fraCommonProperties",
     .left = 120, .top = 0, .width = 1095, .height = 280,
     .caption = "Hide",
     .tooltip = "Hide the selected objects in the viewports"},
    // Shapes lock and bones enable: the loader sets the caption to "Lock" or
    // "Enable" for each selection; "Lock" is what the designer shows.
    {.kind = K::kCheckBox, .name = "chkCommonLockEnable",
     .parent = "fraCommonProperties",
     .left = 120, .top = 285, .width = 1300, .height = 280,
     .caption = "Lock",
     .tooltip = "Lock the selected shapes, or enable the selected bones"},
    {.kind = K::kCheckBox, .name = "chkCommonShadowless",
     .parent = "fraCommonProperties",
     .left = 1800, .top = 0, .width = 1455, .height = 280,
     .caption = "Shadowless",
     .tooltip = "Stop the selected objects from casting shadows"},

    {.kind = K::kFrame, .name = "fraShapeCommonProperties",
     .parent = "Properties",
     .left = 0, .top = 765, .width = 3870, .height = 945},
    {.kind = K::kCheckBox, .name = "chkShapeDisplayAsBox",
     .parent = "fraShapeCommonProperties",
     .left = 120, .top = 0, .width = 1335, .height = 280,
     .caption = "Display as Box",
     .tooltip = "Draw the selected shapes as their bounding boxes"},
    {.kind = K::kCheckBox, .name = "chkShapeDrawPoints",
     .parent = "fraShapeCommonProperties",
     .left = 1800, .top = 0, .width = 1455, .height = 280,
     .caption = "Draw Points",
     .tooltip = "Draw the vertices of the selected shapes"},
    {.kind = K::kCheckBox, .name = "chkShapeDrawNormals",
     .parent = "fraShapeCommonProperties",
     .left = 120, .top = 285, .width = 1335, .height = 280,
     .caption = "Draw Normals",
     .tooltip = "Draw the normals of the selected shapes"},
    {.kind = K::kCheckBox, .name = "chkShapeDrawTranslucent",
     .parent = "fraShapeCommonProperties",
     .left = 1800, .top = 285, .width = 1575, .height = 280,
     .caption = "Draw Translucent",
     .tooltip = "Draw the selected shapes see-through"},
    {.kind = K::kLabel, .name = "lblDraw",
     .parent = "fraShapeCommonProperties",
     .left = 120, .top = 630, .width = 375, .height = 280,
     .caption = "Draw"},
    {.kind = K::kPictureBox, .name = "picShapeDraw",
     .parent = "fraShapeCommonProperties",
     .left = 600, .top = 585, .width = 3180, .height = 315},
    {.kind = K::kComboBox, .name = "cboShapeDraw", .parent = "picShapeDraw",
     .left = 0, .top = 0, .width = 3180, .height = 315,
     .tooltip = "How the selected shapes are drawn in the viewports"},
    // A frame with nothing in it: its top border is the line drawn under the
    // common frames on the common tab. It is wider than the panel so that
    // its side borders never show.
    {.kind = K::kFrame, .name = "fraBottomDivider", .parent = "Properties",
     .left = -30, .top = 2040, .width = 3930, .height = 20000},
};
// clang-format on

}  // namespace

std::span<const WidgetSpec> CommonLayout() { return kCommonLayout; }

}  // namespace morvel

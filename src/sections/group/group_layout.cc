#include "sections/group/group_layout.h"

#include "widgets/widget.h"

namespace morvel {
namespace {

using K = WidgetKind;

// The loader stacks the frames from the top and hides those that do not
// apply to the selection (an ambient light has no position, for instance);
// the positions here are where the designer put them, one below the other
// with 30 twips of overlap so that neighbouring borders coincide.
// clang-format off
const WidgetSpec kGroupLayout[] = {
    {.kind = K::kFrame, .name = "fraGroupProperties", .parent = "Properties",
     .left = 11880, .top = 3700, .width = 3870, .height = 6375},

    // Position, relative to the parent group.
    {.kind = K::kFrame, .name = "fraPosition", .parent = "fraGroupProperties",
     .left = -30, .top = 60, .width = 4125, .height = 705},
    {.kind = K::kLabel, .name = "Label", .index = 12, .parent = "fraPosition",
     .left = 120, .top = 0, .width = 945, .height = 285,
     .caption = " Position"},
    {.kind = K::kLabel, .name = "lblPositionX", .parent = "fraPosition",
     .left = 135, .top = 330, .width = 255, .height = 285, .caption = "X"},
    {.kind = K::kLabel, .name = "lblPositionY", .parent = "fraPosition",
     .left = 1395, .top = 330, .width = 315, .height = 285, .caption = "Y"},
    {.kind = K::kLabel, .name = "lblPositionZ", .parent = "fraPosition",
     .left = 2655, .top = 330, .width = 195, .height = 285, .caption = "Z"},
    {.kind = K::kUpDownText, .name = "txtPositionX", .parent = "fraPosition",
     .left = 300, .top = 270, .width = 1005, .height = 315,
     .tooltip = "Position Relative To Parent",
     .min = -999999, .max = 999999, .small_change = 0.01, .decimals = 4,
     .text = "0.0"},
    {.kind = K::kUpDownText, .name = "txtPositionY", .parent = "fraPosition",
     .left = 1560, .top = 270, .width = 1005, .height = 315,
     .tooltip = "Position Relative To Parent",
     .min = -999999, .max = 999999, .small_change = 0.01, .decimals = 4,
     .text = "0.0"},
    {.kind = K::kUpDownText, .name = "txtPositionZ", .parent = "fraPosition",
     .left = 2820, .top = 270, .width = 1005, .height = 315,
     .tooltip = "Position Relative To Parent",
     .min = -999999, .max = 999999, .small_change = 0.01, .decimals = 4,
     .text = "0.0"},

    // Orientation in degrees about each axis, relative to the parent group.
    {.kind = K::kFrame, .name = "fraOrientation", .parent = "fraGroupProperties",
     .left = -30, .top = 735, .width = 4125, .height = 705},
    {.kind = K::kLabel, .name = "Label", .index = 13, .parent = "fraOrientation",
     .left = 120, .top = 0, .width = 1260, .height = 285,
     .caption = " Orientation"},
    {.kind = K::kLabel, .name = "lblOrientationX", .parent = "fraOrientation",
     .left = 135, .top = 330, .width = 255, .height = 285, .caption = "X"},
    {.kind = K::kLabel, .name = "lblOrientationY", .parent = "fraOrientation",
     .left = 1395, .top = 330, .width = 315, .height = 285, .caption = "Y"},
    {.kind = K::kLabel, .name = "lblOrientationZ", .parent = "fraOrientation",
     .left = 2655, .top = 330, .width = 195, .height = 285, .caption = "Z"},
    {.kind = K::kUpDownText, .name = "txtOrientationX", .parent = "fraOrientation",
     .left = 300, .top = 270, .width = 1005, .height = 315,
     .tooltip = "Orientation Relative To Parent",
     .min = -360, .max = 360, .small_change = 0.1, .decimals = 4,
     .text = "0.0"},
    {.kind = K::kUpDownText, .name = "txtOrientationY", .parent = "fraOrientation",
     .left = 1560, .top = 270, .width = 1005, .height = 315,
     .tooltip = "Orientation Relative To Parent",
     .min = -360, .max = 360, .small_change = 0.1, .decimals = 4,
     .text = "0.0"},
    {.kind = K::kUpDownText, .name = "txtOrientationZ", .parent = "fraOrientation",
     .left = 2820, .top = 270, .width = 1005, .height = 315,
     .tooltip = "Orientation Relative To Parent",
     .min = -360, .max = 360, .small_change = 0.1, .decimals = 4,
     .text = "0.0"},

    // Rotational velocity: only the angular speed is shown; the axis stays
    // as the group has it.
    {.kind = K::kFrame, .name = "fraVelocity", .parent = "fraGroupProperties",
     .left = -30, .top = 1410, .width = 4125, .height = 705},
    {.kind = K::kLabel, .name = "Label", .index = 14, .parent = "fraVelocity",
     .left = 120, .top = 0, .width = 2100, .height = 285,
     .caption = " Rotational Velocity"},
    {.kind = K::kUpDownText, .name = "txtRotationTheta", .parent = "fraVelocity",
     .left = 135, .top = 270, .width = 675, .height = 315,
     .tooltip = "Revolutions Per Second",
     .min = -100000, .max = 100000, .small_change = 0.1, .decimals = 4,
     .text = "0.0"},
    {.kind = K::kLabel, .name = "lblRotationTheta", .parent = "fraVelocity",
     .left = 900, .top = 300, .width = 1530, .height = 255, .caption = "Revolutions/Second"},

    // Inverse kinematics: the joint mode, and the rotation range per axis in
    // degrees. The range fields only take input while the joint is
    // "Enabled"; the enable rule of the section switches them. They start at
    // the widest range, so a joint switched on before any limit is typed can
    // turn all the way round.
    {.kind = K::kFrame, .name = "fraIK", .parent = "fraGroupProperties",
     .left = -30, .top = 2085, .width = 4125, .height = 1815},
    {.kind = K::kLabel, .name = "Label", .index = 15, .parent = "fraIK",
     .left = 120, .top = 0, .width = 1995, .height = 285,
     .caption = " Inverse Kinematics"},
    {.kind = K::kPictureBox, .name = "picIKJoint", .parent = "fraIK",
     .left = 135, .top = 300, .width = 1365, .height = 315},
    {.kind = K::kComboBox, .name = "cboIKJoint", .parent = "picIKJoint",
     .left = 0, .top = 0, .width = 1365, .height = 315,
     .tooltip = "How this group moves as an inverse-kinematics joint"},
    {.kind = K::kLabel, .name = "lblIKJointMinX", .parent = "fraIK",
     .left = 135, .top = 690, .width = 675, .height = 315, .caption = "Range X:"},
    {.kind = K::kUpDownText, .name = "txtIKJointMinX", .parent = "fraIK",
     .left = 1110, .top = 660, .width = 810, .height = 315,
     .tooltip = "Smallest rotation about the X axis, in degrees",
     .min = -360, .max = 360, .small_change = 1, .decimals = 2,
     .text = "-360.0", .enabled = false,
     .default_value = -360},
    {.kind = K::kLabel, .name = "lblIKJointMaxX", .parent = "fraIK",
     .left = 2160, .top = 690, .width = 405, .height = 315, .caption = "To"},
    {.kind = K::kUpDownText, .name = "txtIKJointMaxX", .parent = "fraIK",
     .left = 2700, .top = 660, .width = 810, .height = 315,
     .tooltip = "Largest rotation about the X axis, in degrees",
     .min = -360, .max = 360, .small_change = 1, .decimals = 2,
     .text = "360.0", .enabled = false,
     .default_value = 360},
    {.kind = K::kLabel, .name = "lblIKJointMinY", .parent = "fraIK",
     .left = 30, .top = 1050, .width = 765, .height = 315, .caption = "Y:"},
    {.kind = K::kUpDownText, .name = "txtIKJointMinY", .parent = "fraIK",
     .left = 1110, .top = 1020, .width = 810, .height = 315,
     .tooltip = "Smallest rotation about the Y axis, in degrees",
     .min = -360, .max = 360, .small_change = 1, .decimals = 2,
     .text = "-360.0", .enabled = false,
     .default_value = -360},
    {.kind = K::kLabel, .name = "lblIKJointMaxY", .parent = "fraIK",
     .left = 2160, .top = 1050, .width = 405, .height = 315, .caption = "To"},
    {.kind = K::kUpDownText, .name = "txtIKJointMaxY", .parent = "fraIK",
     .left = 2700, .top = 1020, .width = 810, .height = 315,
     .tooltip = "Largest rotation about the Y axis, in degrees",
     .min = -360, .max = 360, .small_change = 1, .decimals = 2,
     .text = "360.0", .enabled = false,
     .default_value = 360},
    {.kind = K::kLabel, .name = "lblIKJointMinZ", .parent = "fraIK",
     .left = 30, .top = 1410, .width = 765, .height = 225, .caption = "Z:"},
    {.kind = K::kUpDownText, .name = "txtIKJointMinZ", .parent = "fraIK",
     .left = 1110, .top = 1380, .width = 810, .height = 315,
     .tooltip = "Smallest rotation about the Z axis, in degrees",
     .min = -360, .max = 360, .small_change = 1, .decimals = 2,
     .text = "-360.0", .enabled = false,
     .default_value = -360},
    {.kind = K::kLabel, .name = "lblIKJointMaxZ", .parent = "fraIK",
     .left = 2160, .top = 1410, .width = 405, .height = 315, .caption = "To"},
    {.kind = K::kUpDownText, .name = "txtIKJointMaxZ", .parent = "fraIK",
     .left = 2700, .top = 1380, .width = 810, .height = 315,
     .tooltip = "Largest rotation about the Z axis, in degrees",
     .min = -360, .max = 360, .small_change = 1, .decimals = 2,
     .text = "360.0", .enabled = false,
     .default_value = 360},
};
// clang-format on

}  // namespace

std::span<const WidgetSpec> GroupLayout() { return kGroupLayout; }

}  // namespace morvel

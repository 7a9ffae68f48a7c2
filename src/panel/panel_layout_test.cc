#include "panel/panel_layout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/error.h"
#include "sections/bone/bone_layout.h"
#include "sections/camera/camera_layout.h"
#include "sections/common/common_layout.h"
#include "sections/group/group_layout.h"
#include "sections/light/light_layout.h"
#include "sections/materials/materials_layout.h"
#include "sections/shape/shape_layout.h"
#include "warn/frm_warn_layout.h"
#include "widgets/widget.h"

namespace morvel {
namespace {

using K = WidgetKind;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// ---------------------------------------------------------------- tables

// Every widget of the panel, by display name, with its kind and container.
// The tree must hold exactly these: no more, no fewer.
struct KindRow {
  const char* name;
  WidgetKind kind;
  const char* parent;  // "" for the window itself
};
const KindRow kKinds[] = {
    // The panel window and its top-level frames.
    {"Properties", K::kForm, ""},
    {"fraCommonProperties", K::kFrame, "Properties"},
    {"fraShapeCommonProperties", K::kFrame, "Properties"},
    {"fraBottomDivider", K::kFrame, "Properties"},
    {"fraShapeProperties", K::kFrame, "Properties"},
    {"fraLightProperties", K::kFrame, "Properties"},
    {"fraCameraProperties", K::kFrame, "Properties"},
    {"fraBoneProperties", K::kFrame, "Properties"},
    {"fraGroupProperties", K::kFrame, "Properties"},
    {"ilsImageList", K::kImageList, "Properties"},

    // Common check boxes and shape display options.
    {"chkCommonHide", K::kCheckBox, "fraCommonProperties"},
    {"chkCommonLockEnable", K::kCheckBox, "fraCommonProperties"},
    {"chkCommonShadowless", K::kCheckBox, "fraCommonProperties"},
    {"chkShapeDisplayAsBox", K::kCheckBox, "fraShapeCommonProperties"},
    {"chkShapeDrawPoints", K::kCheckBox, "fraShapeCommonProperties"},
    {"chkShapeDrawNormals", K::kCheckBox, "fraShapeCommonProperties"},
    {"chkShapeDrawTranslucent", K::kCheckBox, "fraShapeCommonProperties"},
    {"lblDraw", K::kLabel, "fraShapeCommonProperties"},
    {"picShapeDraw", K::kPictureBox, "fraShapeCommonProperties"},
    {"cboShapeDraw", K::kComboBox, "picShapeDraw"},

    // Shape section.
    {"fraGeneral", K::kFrame, "fraShapeProperties"},
    {"fraSmoothing", K::kFrame, "fraShapeProperties"},
    {"fraMirror", K::kFrame, "fraShapeProperties"},
    {"fraClone", K::kFrame, "fraShapeProperties"},
    {"fraObjectRayTrace", K::kFrame, "fraShapeProperties"},
    {"fraCustomShapeFields", K::kFrame, "fraShapeProperties"},
    {"fraMaterial", K::kFrame, "fraShapeProperties"},
    {"Label(0)", K::kLabel, "fraGeneral"},
    {"cmdSource", K::kButton, "fraGeneral"},
    {"lblCrease", K::kLabel, "fraGeneral"},
    {"sldCreasingFactor", K::kSlider, "fraGeneral"},
    {"cmdCommitCreasing", K::kButton, "fraGeneral"},
    {"Label(3)", K::kLabel, "fraSmoothing"},
    {"lblSmoothingLevel", K::kLabel, "fraSmoothing"},
    {"sldSmoothingLevel", K::kSlider, "fraSmoothing"},
    {"cmdCommitSmoothing", K::kButton, "fraSmoothing"},
    {"lblTension", K::kLabel, "fraSmoothing"},
    {"sldSmoothingTension", K::kSlider, "fraSmoothing"},
    {"lblAngle", K::kLabel, "fraSmoothing"},
    {"picCondition", K::kPictureBox, "fraSmoothing"},
    {"cboCondition", K::kComboBox, "picCondition"},
    {"txtAngle", K::kUpDownText, "fraSmoothing"},
    {"Label(4)", K::kLabel, "fraMirror"},
    {"lblMirror", K::kLabel, "fraMirror"},
    {"picMirror", K::kPictureBox, "fraMirror"},
    {"cboMirror", K::kComboBox, "picMirror"},
    {"cmdCommitMirroring", K::kButton, "fraMirror"},
    {"Label(5)", K::kLabel, "fraClone"},
    {"lblNumClones(0)", K::kLabel, "fraClone"},
    {"txtNumClones(0)", K::kUpDownText, "fraClone"},
    {"lblCloneOffset(0)", K::kLabel, "fraClone"},
    {"txtCloneOffset(0)", K::kUpDownText, "fraClone"},
    {"lblCloneRotate(0)", K::kLabel, "fraClone"},
    {"txtCloneRotate(0)", K::kUpDownText, "fraClone"},
    {"lblNumClones(1)", K::kLabel, "fraClone"},
    {"txtNumClones(1)", K::kUpDownText, "fraClone"},
    {"lblCloneOffset(1)", K::kLabel, "fraClone"},
    {"txtCloneOffset(1)", K::kUpDownText, "fraClone"},
    {"lblCloneRotate(1)", K::kLabel, "fraClone"},
    {"txtCloneRotate(1)", K::kUpDownText, "fraClone"},
    {"lblNumClones(2)", K::kLabel, "fraClone"},
    {"txtNumClones(2)", K::kUpDownText, "fraClone"},
    {"lblCloneOffset(2)", K::kLabel, "fraClone"},
    {"txtCloneOffset(2)", K::kUpDownText, "fraClone"},
    {"lblCloneRotate(2)", K::kLabel, "fraClone"},
    {"txtCloneRotate(2)", K::kUpDownText, "fraClone"},
    {"Label(6)", K::kLabel, "fraObjectRayTrace"},
    {"lblIndexofReflection", K::kLabel, "fraObjectRayTrace"},
    {"sldIndexofRefraction", K::kSlider, "fraObjectRayTrace"},
    {"Label(7)", K::kLabel, "fraCustomShapeFields"},
    {"lblCustomShapeFieldName(0)", K::kLabel, "fraCustomShapeFields"},
    {"txtCustomShapeFieldValue(0)", K::kTextField, "fraCustomShapeFields"},
    {"lblCustomShapeFieldName(1)", K::kLabel, "fraCustomShapeFields"},
    {"txtCustomShapeFieldValue(1)", K::kTextField, "fraCustomShapeFields"},
    {"lblCustomShapeFieldName(2)", K::kLabel, "fraCustomShapeFields"},
    {"txtCustomShapeFieldValue(2)", K::kTextField, "fraCustomShapeFields"},
    {"lblCustomShapeFieldName(3)", K::kLabel, "fraCustomShapeFields"},
    {"txtCustomShapeFieldValue(3)", K::kTextField, "fraCustomShapeFields"},
    {"lblCustomShapeFieldName(4)", K::kLabel, "fraCustomShapeFields"},
    {"txtCustomShapeFieldValue(4)", K::kTextField, "fraCustomShapeFields"},
    {"lblCustomShapeFieldName(5)", K::kLabel, "fraCustomShapeFields"},
    {"txtCustomShapeFieldValue(5)", K::kTextField, "fraCustomShapeFields"},

    // Materials.
    {"Label(18)", K::kLabel, "fraMaterial"},
    {"msgMaterialAttributes", K::kFlexGrid, "fraMaterial"},
    {"txtMaterialAttributeEntry", K::kTextBox, "fraMaterial"},

    // Group section.
    {"fraPosition", K::kFrame, "fraGroupProperties"},
    {"fraOrientation", K::kFrame, "fraGroupProperties"},
    {"fraVelocity", K::kFrame, "fraGroupProperties"},
    {"fraIK", K::kFrame, "fraGroupProperties"},
    {"fraCustomGroupFields", K::kFrame, "fraGroupProperties"},
    {"Label(12)", K::kLabel, "fraPosition"},
    {"Label(13)", K::kLabel, "fraOrientation"},
    {"Label(14)", K::kLabel, "fraVelocity"},
    {"Label(15)", K::kLabel, "fraIK"},
    {"Label(17)", K::kLabel, "fraCustomGroupFields"},
    {"lblPositionX", K::kLabel, "fraPosition"},
    {"txtPositionX", K::kUpDownText, "fraPosition"},
    {"lblOrientationX", K::kLabel, "fraOrientation"},
    {"txtOrientationX", K::kUpDownText, "fraOrientation"},
    {"lblPositionY", K::kLabel, "fraPosition"},
    {"txtPositionY", K::kUpDownText, "fraPosition"},
    {"lblOrientationY", K::kLabel, "fraOrientation"},
    {"txtOrientationY", K::kUpDownText, "fraOrientation"},
    {"lblPositionZ", K::kLabel, "fraPosition"},
    {"txtPositionZ", K::kUpDownText, "fraPosition"},
    {"lblOrientationZ", K::kLabel, "fraOrientation"},
    {"txtOrientationZ", K::kUpDownText, "fraOrientation"},
    {"txtRotationTheta", K::kUpDownText, "fraVelocity"},
    {"lblRotationTheta", K::kLabel, "fraVelocity"},
    {"picIKJoint", K::kPictureBox, "fraIK"},
    {"cboIKJoint", K::kComboBox, "picIKJoint"},
    {"lblIKJointMinX", K::kLabel, "fraIK"},
    {"txtIKJointMinX", K::kUpDownText, "fraIK"},
    {"lblIKJointMaxX", K::kLabel, "fraIK"},
    {"txtIKJointMaxX", K::kUpDownText, "fraIK"},
    {"lblIKJointMinY", K::kLabel, "fraIK"},
    {"txtIKJointMinY", K::kUpDownText, "fraIK"},
    {"lblIKJointMaxY", K::kLabel, "fraIK"},
    {"txtIKJointMaxY", K::kUpDownText, "fraIK"},
    {"lblIKJointMinZ", K::kLabel, "fraIK"},
    {"txtIKJointMinZ", K::kUpDownText, "fraIK"},
    {"lblIKJointMaxZ", K::kLabel, "fraIK"},
    {"txtIKJointMaxZ", K::kUpDownText, "fraIK"},
    {"lblCustomGroupFieldName(0)", K::kLabel, "fraCustomGroupFields"},
    {"txtCustomGroupFieldValue(0)", K::kTextField, "fraCustomGroupFields"},
    {"lblCustomGroupFieldName(1)", K::kLabel, "fraCustomGroupFields"},
    {"txtCustomGroupFieldValue(1)", K::kTextField, "fraCustomGroupFields"},
    {"lblCustomGroupFieldName(2)", K::kLabel, "fraCustomGroupFields"},
    {"txtCustomGroupFieldValue(2)", K::kTextField, "fraCustomGroupFields"},
    {"lblCustomGroupFieldName(3)", K::kLabel, "fraCustomGroupFields"},
    {"txtCustomGroupFieldValue(3)", K::kTextField, "fraCustomGroupFields"},
    {"lblCustomGroupFieldName(4)", K::kLabel, "fraCustomGroupFields"},
    {"txtCustomGroupFieldValue(4)", K::kTextField, "fraCustomGroupFields"},
    {"lblCustomGroupFieldName(5)", K::kLabel, "fraCustomGroupFields"},
    {"txtCustomGroupFieldValue(5)", K::kTextField, "fraCustomGroupFields"},

    // Light section.
    {"fraLightGeneral", K::kFrame, "fraLightProperties"},
    {"fraLightSpot", K::kFrame, "fraLightProperties"},
    {"Label(1)", K::kLabel, "fraLightGeneral"},
    {"lblLightColor", K::kLabel, "fraLightGeneral"},
    {"picVBColor", K::kPictureBox, "fraLightGeneral"},
    {"lblAttenuationType", K::kLabel, "fraLightGeneral"},
    {"picAttenuationType", K::kPictureBox, "fraLightGeneral"},
    {"cboAttenuationType", K::kComboBox, "picAttenuationType"},
    {"lblAttenuationFactor", K::kLabel, "fraLightGeneral"},
    {"txtAttenuationFactor", K::kUpDownText, "fraLightGeneral"},
    {"Label(2)", K::kLabel, "fraLightSpot"},
    {"lblSpotlightRange", K::kLabel, "fraLightSpot"},
    {"txtSpotlightRange", K::kUpDownText, "fraLightSpot"},
    {"lblUmbra", K::kLabel, "fraLightSpot"},
    {"txtSpotlightUmbra", K::kUpDownText, "fraLightSpot"},
    {"lblPenumbra", K::kLabel, "fraLightSpot"},
    {"txtSpotlightPenumbra", K::kUpDownText, "fraLightSpot"},

    // Camera section.
    {"fraCameraGeneral", K::kFrame, "fraCameraProperties"},
    {"fraCameraRaytrace", K::kFrame, "fraCameraProperties"},
    {"Label(9)", K::kLabel, "fraCameraGeneral"},
    {"lblFieldOfView", K::kLabel, "fraCameraGeneral"},
    {"txtFieldofView", K::kUpDownText, "fraCameraGeneral"},
    {"Label(16)", K::kLabel, "fraCameraRaytrace"},
    {"chkFocalBlur", K::kCheckBox, "fraCameraRaytrace"},
    {"lblFocalPoint", K::kLabel, "fraCameraRaytrace"},
    {"sldFocalPoint", K::kSlider, "fraCameraRaytrace"},
    {"lblFocalAperture", K::kLabel, "fraCameraRaytrace"},
    {"sldFocalAperture", K::kSlider, "fraCameraRaytrace"},
    {"lblFocalQuality", K::kLabel, "fraCameraRaytrace"},
    {"sldFocalQuality", K::kSlider, "fraCameraRaytrace"},

    // Bone section.
    {"fraBoneGeneral", K::kFrame, "fraBoneProperties"},
    {"fraBoneVolume", K::kFrame, "fraBoneProperties"},
    {"fraBoneVolumeIrregular", K::kFrame, "fraBoneProperties"},
    {"Label(8)", K::kLabel, "fraBoneGeneral"},
    {"lblWeight", K::kLabel, "fraBoneGeneral"},
    {"sldWeight", K::kSlider, "fraBoneGeneral"},
    {"Label(10)", K::kLabel, "fraBoneVolume"},
    {"lblOriginRange", K::kLabel, "fraBoneVolume"},
    {"sldOriginEffectRange", K::kSlider, "fraBoneVolume"},
    {"lblEndRange", K::kLabel, "fraBoneVolume"},
    {"sldEndEffectRange", K::kSlider, "fraBoneVolume"},
    {"lblExtent", K::kLabel, "fraBoneVolume"},
    {"sldEffectExtent", K::kSlider, "fraBoneVolume"},
    {"Label(11)", K::kLabel, "fraBoneVolumeIrregular"},
    {"lblExtentIrregular", K::kLabel, "fraBoneVolumeIrregular"},
    {"sldExtentIrregular", K::kSlider, "fraBoneVolumeIrregular"},
    {"lblExtentIrregularOffsetX", K::kLabel, "fraBoneVolumeIrregular"},
    {"txtExtentIrregularOffsetX", K::kUpDownText, "fraBoneVolumeIrregular"},
    {"lblExtentIrregularOffsetY", K::kLabel, "fraBoneVolumeIrregular"},
    {"txtExtentIrregularOffsetY", K::kUpDownText, "fraBoneVolumeIrregular"},
    {"lblExtentIrregularOffsetZ", K::kLabel, "fraBoneVolumeIrregular"},
    {"txtExtentIrregularOffsetZ", K::kUpDownText, "fraBoneVolumeIrregular"},
};

// Designed rectangles (Left, Top, Width, Height in twips, relative to the
// container).
struct RectRow {
  const char* name;
  Long left, top, width, height;
};
const RectRow kRects[] = {
    // Panel window and top-level frames.
    {"Properties", 0, 0, 3870, 9735},
    {"fraCommonProperties", 0, 30, 3870, 570},
    {"fraShapeCommonProperties", 0, 765, 3870, 945},
    {"fraBottomDivider", -30, 2040, 3930, 20000},
    {"fraShapeProperties", 3960, 0, 3870, 9735},
    {"fraLightProperties", 7920, 0, 3870, 4815},
    {"fraCameraProperties", 7920, 5040, 3870, 3135},
    {"fraBoneProperties", 11880, 0, 3870, 3700},
    {"fraGroupProperties", 11880, 3700, 3870, 6375},

    // Common.
    {"chkCommonHide", 120, 0, 1095, 280},
    {"chkCommonLockEnable", 120, 285, 1300, 280},
    {"chkCommonShadowless", 1800, 0, 1455, 280},
    {"chkShapeDisplayAsBox", 120, 0, 1335, 280},
    {"chkShapeDrawPoints", 1800, 0, 1455, 280},
    {"chkShapeDrawNormals", 120, 285, 1335, 280},
    {"chkShapeDrawTranslucent", 1800, 285, 1575, 280},
    {"lblDraw", 120, 630, 375, 280},
    {"picShapeDraw", 600, 585, 3180, 315},
    {"cboShapeDraw", 0, 0, 3180, 315},

    // Shape: General, Smoothing, Mirroring.
    {"fraGeneral", -30, 60, 3930, 1080},
    {"cmdSource", 120, 270, 3690, 315},
    {"lblCrease", 135, 690, 615, 255},
    {"sldCreasingFactor", 1170, 630, 1995, 285},
    {"cmdCommitCreasing", 3120, 630, 690, 315},
    {"fraSmoothing", -30, 1260, 3930, 1290},
    {"lblSmoothingLevel", 135, 300, 1395, 255},
    {"sldSmoothingLevel", 1170, 240, 2000, 285},
    {"cmdCommitSmoothing", 3120, 240, 690, 315},
    {"lblTension", 135, 600, 1305, 255},
    {"sldSmoothingTension", 1170, 540, 2715, 285},
    {"lblAngle", 135, 900, 1155, 255},
    {"picCondition", 1260, 855, 1845, 315},
    {"cboCondition", 0, 0, 1845, 315},
    {"txtAngle", 3150, 855, 660, 315},
    {"fraMirror", -30, 2580, 3930, 690},
    {"lblMirror", 135, 285, 1245, 315},
    {"picMirror", 1260, 240, 1815, 315},
    {"cboMirror", 0, 0, 1815, 315},
    {"cmdCommitMirroring", 3120, 240, 690, 315},

    // Shape: Clones (the last row's labels are 285 high).
    {"fraClone", -30, 3360, 3930, 1425},
    {"lblNumClones(0)", 135, 330, 375, 315},
    {"lblNumClones(1)", 135, 690, 375, 315},
    {"lblNumClones(2)", 135, 1050, 375, 285},
    {"txtNumClones(0)", 465, 270, 615, 315},
    {"txtNumClones(1)", 465, 630, 615, 315},
    {"txtNumClones(2)", 465, 990, 615, 315},
    {"lblCloneOffset(0)", 1125, 330, 525, 315},
    {"lblCloneOffset(1)", 1125, 690, 525, 315},
    {"lblCloneOffset(2)", 1125, 1050, 525, 285},
    {"txtCloneOffset(0)", 1600, 270, 840, 315},
    {"txtCloneOffset(1)", 1600, 630, 840, 315},
    {"txtCloneOffset(2)", 1600, 990, 840, 315},
    {"lblCloneRotate(0)", 2490, 330, 555, 315},
    {"lblCloneRotate(1)", 2490, 690, 555, 315},
    {"lblCloneRotate(2)", 2490, 1050, 555, 285},
    {"txtCloneRotate(0)", 3000, 270, 840, 315},
    {"txtCloneRotate(1)", 3000, 630, 840, 315},
    {"txtCloneRotate(2)", 3000, 990, 840, 315},

    // Shape: Raytracing and Custom (rows 0-2 left, 3-5 right).
    {"fraObjectRayTrace", -30, 4920, 3930, 660},
    {"lblIndexofReflection", 135, 300, 1245, 255},
    {"sldIndexofRefraction", 1170, 240, 2715, 285},
    {"fraCustomShapeFields", -30, 5820, 3930, 1440},
    {"lblCustomShapeFieldName(0)", 135, 300, 705, 315},
    {"lblCustomShapeFieldName(1)", 135, 660, 705, 315},
    {"lblCustomShapeFieldName(2)", 135, 1020, 705, 285},
    {"lblCustomShapeFieldName(3)", 2010, 300, 705, 315},
    {"lblCustomShapeFieldName(4)", 2010, 660, 705, 315},
    {"lblCustomShapeFieldName(5)", 2010, 1020, 705, 285},
    {"txtCustomShapeFieldValue(0)", 840, 270, 1095, 315},
    {"txtCustomShapeFieldValue(1)", 840, 630, 1095, 315},
    {"txtCustomShapeFieldValue(2)", 840, 990, 1095, 315},
    {"txtCustomShapeFieldValue(3)", 2700, 270, 1095, 315},
    {"txtCustomShapeFieldValue(4)", 2700, 630, 1095, 315},
    {"txtCustomShapeFieldValue(5)", 2700, 990, 1095, 315},

    // Materials.
    {"fraMaterial", -30, 7380, 3930, 2145},
    {"Label(18)", 120, 0, 720, 285},
    {"msgMaterialAttributes", 30, 270, 3915, 1695},
    {"txtMaterialAttributeEntry", 0, 270, 1125, 200},

    // Group.
    {"fraPosition", -30, 60, 4125, 705},
    {"lblPositionX", 135, 330, 255, 285},
    {"lblPositionY", 1395, 330, 315, 285},
    {"lblPositionZ", 2655, 330, 195, 285},
    {"txtPositionX", 300, 270, 1005, 315},
    {"txtPositionY", 1560, 270, 1005, 315},
    {"txtPositionZ", 2820, 270, 1005, 315},
    {"fraOrientation", -30, 735, 4125, 705},
    {"lblOrientationX", 135, 330, 255, 285},
    {"lblOrientationY", 1395, 330, 315, 285},
    {"lblOrientationZ", 2655, 330, 195, 285},
    {"txtOrientationX", 300, 270, 1005, 315},
    {"txtOrientationY", 1560, 270, 1005, 315},
    {"txtOrientationZ", 2820, 270, 1005, 315},
    {"fraVelocity", -30, 1410, 4125, 705},
    {"txtRotationTheta", 135, 270, 675, 315},
    {"lblRotationTheta", 900, 300, 1530, 255},
    {"fraIK", -30, 2085, 4125, 1815},
    {"picIKJoint", 135, 300, 1365, 315},
    {"cboIKJoint", 0, 0, 1365, 315},
    {"lblIKJointMinX", 135, 690, 675, 315},
    {"txtIKJointMinX", 1110, 660, 810, 315},
    {"lblIKJointMaxX", 2160, 690, 405, 315},
    {"txtIKJointMaxX", 2700, 660, 810, 315},
    {"lblIKJointMinY", 30, 1050, 765, 315},
    {"txtIKJointMinY", 1110, 1020, 810, 315},
    {"lblIKJointMaxY", 2160, 1050, 405, 315},
    {"txtIKJointMaxY", 2700, 1020, 810, 315},
    {"lblIKJointMinZ", 30, 1410, 765, 225},
    {"txtIKJointMinZ", 1110, 1380, 810, 315},
    {"lblIKJointMaxZ", 2160, 1410, 405, 315},
    {"txtIKJointMaxZ", 2700, 1380, 810, 315},
    {"fraCustomGroupFields", -30, 3840, 3930, 1440},
    {"lblCustomGroupFieldName(0)", 135, 300, 705, 315},
    {"lblCustomGroupFieldName(1)", 135, 660, 705, 315},
    {"lblCustomGroupFieldName(2)", 135, 1020, 705, 285},
    {"lblCustomGroupFieldName(3)", 2010, 300, 705, 315},
    {"lblCustomGroupFieldName(4)", 2010, 660, 705, 315},
    {"lblCustomGroupFieldName(5)", 2010, 1020, 705, 285},
    {"txtCustomGroupFieldValue(0)", 840, 270, 1095, 315},
    {"txtCustomGroupFieldValue(1)", 840, 630, 1095, 315},
    {"txtCustomGroupFieldValue(2)", 840, 990, 1095, 315},
    {"txtCustomGroupFieldValue(3)", 2700, 270, 1095, 315},
    {"txtCustomGroupFieldValue(4)", 2700, 630, 1095, 315},
    {"txtCustomGroupFieldValue(5)", 2700, 990, 1095, 315},

    // Light.
    {"fraLightGeneral", -30, 60, 3930, 1455},
    {"lblLightColor", 135, 330, 1215, 255},
    {"picVBColor", 1620, 270, 1215, 315},
    {"lblAttenuationType", 135, 690, 1335, 255},
    {"picAttenuationType", 1620, 630, 1215, 315},
    {"cboAttenuationType", 0, 0, 1215, 315},
    {"lblAttenuationFactor", 135, 1050, 1395, 255},
    {"txtAttenuationFactor", 1620, 990, 1215, 315},
    {"fraLightSpot", -30, 1440, 3930, 1065},
    {"lblSpotlightRange", 135, 330, 585, 255},
    {"txtSpotlightRange", 780, 270, 835, 315},
    {"lblUmbra", 135, 660, 615, 375},
    {"txtSpotlightUmbra", 780, 630, 835, 315},
    {"lblPenumbra", 1860, 660, 855, 315},
    {"txtSpotlightPenumbra", 2730, 630, 835, 315},

    // Camera.
    {"fraCameraGeneral", -30, 60, 3930, 735},
    {"lblFieldOfView", 135, 330, 975, 285},
    {"txtFieldofView", 1260, 270, 915, 315},
    {"fraCameraRaytrace", -30, 720, 3930, 1665},
    {"chkFocalBlur", 135, 270, 1635, 255},
    {"lblFocalPoint", 135, 630, 945, 345},
    {"sldFocalPoint", 1050, 555, 2835, 285},
    {"lblFocalAperture", 135, 930, 675, 225},
    {"sldFocalAperture", 1050, 855, 2835, 285},
    {"lblFocalQuality", 135, 1230, 765, 225},
    {"sldFocalQuality", 1050, 1155, 2835, 285},

    // Bone.
    {"fraBoneGeneral", -30, 60, 3930, 735},
    {"lblWeight", 135, 300, 1035, 255},
    {"sldWeight", 1200, 240, 2685, 285},
    {"fraBoneVolume", -30, 720, 3930, 1335},
    {"lblOriginRange", 135, 300, 1125, 255},
    {"sldOriginEffectRange", 1200, 240, 2685, 285},
    {"lblEndRange", 135, 600, 1035, 255},
    {"sldEndEffectRange", 1200, 540, 2685, 285},
    {"lblExtent", 135, 900, 1125, 255},
    {"sldEffectExtent", 1200, 840, 2685, 285},
    {"fraBoneVolumeIrregular", -30, 1980, 3930, 1065},
    {"lblExtentIrregular", 135, 300, 1155, 255},
    {"sldExtentIrregular", 1200, 240, 2685, 285},
    {"lblExtentIrregularOffsetX", 135, 690, 255, 285},
    {"txtExtentIrregularOffsetX", 300, 630, 1005, 315},
    {"lblExtentIrregularOffsetY", 1395, 690, 315, 285},
    {"txtExtentIrregularOffsetY", 1560, 630, 1005, 315},
    {"lblExtentIrregularOffsetZ", 2655, 690, 195, 285},
    {"txtExtentIrregularOffsetZ", 2820, 630, 1005, 315},
};

// Captions as the designer leaves them. Widgets not listed have none.
struct CaptionRow {
  const char* name;
  const char* caption;
};
const CaptionRow kCaptions[] = {
    {"chkCommonHide", "Hide"},
    {"chkCommonLockEnable", "Lock"},
    {"chkCommonShadowless", "Shadowless"},
    {"chkShapeDisplayAsBox", "Display as Box"},
    {"chkShapeDrawPoints", "Draw Points"},
    {"chkShapeDrawNormals", "Draw Normals"},
    {"chkShapeDrawTranslucent", "Draw Translucent"},
    {"lblDraw", "Draw"},

    // Frame titles: the label array `Label`, with a leading blank.
    {"Label(0)", " General"},
    {"Label(1)", " General"},
    {"Label(2)", " Spotlight Attributes"},
    {"Label(3)", " Smoothing"},
    {"Label(4)", " Mirroring"},
    {"Label(5)", " Clones"},
    {"Label(6)", " Raytracing"},
    {"Label(7)", " Custom"},
    {"Label(8)", " General"},
    {"Label(9)", " General"},
    {"Label(10)", " Volume"},
    {"Label(11)", " Volume - Irregular"},
    {"Label(12)", " Position"},
    {"Label(13)", " Orientation"},
    {"Label(14)", " Rotational Velocity"},
    {"Label(15)", " Inverse Kinematics"},
    {"Label(16)", " Raytracing"},
    {"Label(17)", " Custom"},
    {"Label(18)", " Materials"},

    {"cmdSource", "Source"},
    {"lblCrease", "Crease"},
    {"cmdCommitCreasing", "Commit"},
    {"lblSmoothingLevel", "Level"},
    {"cmdCommitSmoothing", "Commit"},
    {"lblTension", "Tension"},
    {"lblAngle", "Smooth Angles"},
    {"lblMirror", "Mirror Axis"},
    {"cmdCommitMirroring", "Commit"},
    {"lblNumClones(0)", "X: #"},
    {"lblNumClones(1)", "Y: #"},
    {"lblNumClones(2)", "Z: #"},
    {"lblCloneOffset(0)", "Offset"},
    {"lblCloneOffset(1)", "Offset"},
    {"lblCloneOffset(2)", "Offset"},
    {"lblCloneRotate(0)", "Rotate"},
    {"lblCloneRotate(1)", "Rotate"},
    {"lblCloneRotate(2)", "Rotate"},
    {"lblIndexofReflection", "Refraction"},
    {"lblCustomShapeFieldName(0)", "Custom"},
    {"lblCustomShapeFieldName(1)", "Custom"},
    {"lblCustomShapeFieldName(2)", "Custom"},
    {"lblCustomShapeFieldName(3)", "Custom"},
    {"lblCustomShapeFieldName(4)", "Custom"},
    {"lblCustomShapeFieldName(5)", "Custom"},

    {"lblPositionX", "X"},
    {"lblPositionY", "Y"},
    {"lblPositionZ", "Z"},
    {"lblOrientationX", "X"},
    {"lblOrientationY", "Y"},
    {"lblOrientationZ", "Z"},
    {"lblRotationTheta", "Revolutions/Second"},
    {"lblIKJointMinX", "Range X:"},
    {"lblIKJointMinY", "Y:"},
    {"lblIKJointMinZ", "Z:"},
    {"lblIKJointMaxX", "To"},
    {"lblIKJointMaxY", "To"},
    {"lblIKJointMaxZ", "To"},
    {"lblCustomGroupFieldName(0)", "Custom"},
    {"lblCustomGroupFieldName(1)", "Custom"},
    {"lblCustomGroupFieldName(2)", "Custom"},
    {"lblCustomGroupFieldName(3)", "Custom"},
    {"lblCustomGroupFieldName(4)", "Custom"},
    {"lblCustomGroupFieldName(5)", "Custom"},

    {"lblLightColor", "Color"},
    {"lblAttenuationType", "Attenuation Type"},
    {"lblAttenuationFactor", "Attenuation Factor"},
    {"lblSpotlightRange", "Range"},
    {"lblUmbra", "Umbra"},
    {"lblPenumbra", "Penumbra"},

    {"lblFieldOfView", "Field of View:"},
    {"chkFocalBlur", "Focal Blur"},
    {"lblFocalPoint", "Focal Point"},
    {"lblFocalAperture", "Aperture"},
    {"lblFocalQuality", "Quality"},

    {"lblWeight", "Weight"},
    {"lblOriginRange", "Origin Range:"},
    {"lblEndRange", "End Range:"},
    {"lblExtent", "Extent:"},
    {"lblExtentIrregular", "Irreg. Extent"},
    {"lblExtentIrregularOffsetX", "X"},
    {"lblExtentIrregularOffsetY", "Y"},
    {"lblExtentIrregularOffsetZ", "Z"},
};

// The tooltips the product has always shown; every other input widget gets
// one of ours, which only has to be there.
const CaptionRow kFixedToolTips[] = {
    {"sldCreasingFactor",
     "Default creasing amount to be applied whenever operations can't "
     "retain creasing information"},
    {"cmdCommitCreasing", "Commit creasing of object using Crease operation"},
    {"sldSmoothingLevel", "Smoothing Level"},
    {"cmdCommitSmoothing", "Commit smoothing to object using Smooth operation"},
    {"sldSmoothingTension", "Tension"},
    {"cboCondition", "Smoothing condition"},
    {"txtAngle", "Maximum Smooth Angle"},
    {"cboMirror", "Mirror Axis"},
    {"cmdCommitMirroring", "Commit mirroring to object using Mirror operation"},
    {"sldIndexofRefraction", "Index of Refraction"},
    {"txtPositionX", "Position Relative To Parent"},
    {"txtPositionY", "Position Relative To Parent"},
    {"txtPositionZ", "Position Relative To Parent"},
    {"txtOrientationX", "Orientation Relative To Parent"},
    {"txtOrientationY", "Orientation Relative To Parent"},
    {"txtOrientationZ", "Orientation Relative To Parent"},
    {"txtRotationTheta", "Revolutions Per Second"},
    {"lblFocalPoint", "Distance from camera where focus is most sharp"},
    {"sldFocalAperture", "Focal Aperture"},
    {"sldFocalQuality", "Focal Quality"},
    {"sldOriginEffectRange", "Range of Effect at Bone Origin"},
    {"sldEndEffectRange", "Range of Effect at Bone End"},
    {"txtExtentIrregularOffsetX", "Position Relative To Parent"},
    {"txtExtentIrregularOffsetY", "Position Relative To Parent"},
    {"txtExtentIrregularOffsetZ", "Position Relative To Parent"},
};

struct SliderRow {
  const char* name;
  Long min, max, small_change, large_change, tick, value;
};
const SliderRow kSliders[] = {
    {"sldSmoothingLevel", 0, 4, 1, 2, 1, 0},
    {"sldSmoothingTension", -10, 10, 1, 5, 10, 0},
    {"sldCreasingFactor", 0, 100, 1, 5, 10, 0},
    {"sldIndexofRefraction", 0, 10, 1, 5, 1, 0},
    {"sldFocalPoint", 1, 10, 1, 5, 1, 1},
    {"sldFocalAperture", 1, 10, 1, 5, 1, 1},
    {"sldFocalQuality", 1, 10, 1, 5, 1, 1},
    {"sldWeight", 0, 100, 1, 5, 10, 100},
    {"sldOriginEffectRange", 1, 100, 1, 10, 25, 1},
    {"sldEndEffectRange", 1, 100, 1, 10, 25, 1},
    {"sldEffectExtent", -100, 100, 1, 10, 100, 0},
    {"sldExtentIrregular", 0, 100, 1, 5, 10, 0},
};

// Up-down fields. Where the designer left the field's own increment (1) or
// default value (0), the row says so.
struct UpDownRow {
  const char* name;
  double min, max, increment;
  Long decimals;
  double default_value;
  const char* text;
};
const UpDownRow kUpDowns[] = {
    {"txtAngle", 0, 180, 1, 0, 0, "0"},
    {"txtNumClones(0)", 0, 100, 1, 0, 0, "0"},
    {"txtNumClones(1)", 0, 100, 1, 0, 0, "0"},
    {"txtNumClones(2)", 0, 100, 1, 0, 0, "0"},
    {"txtCloneOffset(0)", -100000, 100000, 0.1, 3, 0, "0.0"},
    {"txtCloneOffset(1)", -100000, 100000, 0.1, 3, 0, "0.0"},
    {"txtCloneOffset(2)", -100000, 100000, 0.1, 3, 0, "0.0"},
    {"txtCloneRotate(0)", -360, 360, 1, 3, 0, "0.0"},
    {"txtCloneRotate(1)", -360, 360, 1, 3, 0, "0.0"},
    {"txtCloneRotate(2)", -360, 360, 1, 3, 0, "0.0"},
    {"txtPositionX", -999999, 999999, 0.01, 4, 0, "0.0"},
    {"txtPositionY", -999999, 999999, 0.01, 4, 0, "0.0"},
    {"txtPositionZ", -999999, 999999, 0.01, 4, 0, "0.0"},
    {"txtOrientationX", -360, 360, 0.1, 4, 0, "0.0"},
    {"txtOrientationY", -360, 360, 0.1, 4, 0, "0.0"},
    {"txtOrientationZ", -360, 360, 0.1, 4, 0, "0.0"},
    {"txtRotationTheta", -100000, 100000, 0.1, 4, 0, "0.0"},
    {"txtIKJointMinX", -360, 360, 1, 2, -360, "-360.0"},
    {"txtIKJointMinY", -360, 360, 1, 2, -360, "-360.0"},
    {"txtIKJointMinZ", -360, 360, 1, 2, -360, "-360.0"},
    {"txtIKJointMaxX", -360, 360, 1, 2, 360, "360.0"},
    {"txtIKJointMaxY", -360, 360, 1, 2, 360, "360.0"},
    {"txtIKJointMaxZ", -360, 360, 1, 2, 360, "360.0"},
    {"txtAttenuationFactor", 0.001, 1.0, 0.1, 3, 1.0, "1.0"},
    {"txtSpotlightRange", 1, 9999, 1, 0, 256, "256"},
    {"txtSpotlightUmbra", 0.1, 1.0, 0.1, 2, 0.4, "0.4"},
    {"txtSpotlightPenumbra", 0.1, 1.0, 0.1, 2, 0.5, "0.5"},
    {"txtFieldofView", 0.01, 1.0, 0.01, 3, 0.05, "0.05"},
    {"txtExtentIrregularOffsetX", -999999, 999999, 0.01, 4, 0, "0.0"},
    {"txtExtentIrregularOffsetY", -999999, 999999, 0.01, 4, 0, "0.0"},
    {"txtExtentIrregularOffsetZ", -999999, 999999, 0.01, 4, 0, "0.0"},
};

// Widgets the designer leaves disabled or hidden; all others start enabled
// and visible.
const char* const kInitiallyDisabled[] = {
    "txtAngle",       "txtIKJointMinX", "txtIKJointMaxX", "txtIKJointMinY",
    "txtIKJointMaxY", "txtIKJointMinZ", "txtIKJointMaxZ",
};
const char* const kInitiallyHidden[] = {
    "txtMaterialAttributeEntry",
    "ilsImageList",
};

// Design texts of the text fields.
const CaptionRow kFieldTexts[] = {
    {"txtCustomShapeFieldValue(0)", ""},
    {"txtCustomShapeFieldValue(1)", ""},
    {"txtCustomShapeFieldValue(2)", ""},
    {"txtCustomShapeFieldValue(3)", ""},
    {"txtCustomShapeFieldValue(4)", ""},
    {"txtCustomShapeFieldValue(5)", ""},
    {"txtCustomGroupFieldValue(0)", "Text1"},
    {"txtCustomGroupFieldValue(1)", "Text1"},
    {"txtCustomGroupFieldValue(2)", "Text1"},
    {"txtCustomGroupFieldValue(3)", "Text1"},
    {"txtCustomGroupFieldValue(4)", "Text1"},
    {"txtCustomGroupFieldValue(5)", "Text1"},
    {"txtMaterialAttributeEntry", ""},
};

// ---------------------------------------------------------------- helpers

bool IsInput(WidgetKind kind) {
  switch (kind) {
    case K::kCheckBox:
    case K::kComboBox:
    case K::kButton:
    case K::kSlider:
    case K::kUpDownText:
    case K::kTextField:
    case K::kTextBox:
    case K::kFlexGrid:
      return true;
    default:
      return false;
  }
}

bool InTable(const char* const* begin, const char* const* end,
             const std::string& name) {
  for (auto it = begin; it != end; ++it) {
    if (name == *it) return true;
  }
  return false;
}

class PanelLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override { BuildPanelWidgets(tree_); }

  Widget& At(const std::string& display_name) {
    Widget* widget = tree_.FindByDisplayName(display_name);
    if (!widget) {
      ADD_FAILURE() << "no widget " << display_name;
      return *tree_.Root();
    }
    return *widget;
  }

  WidgetTree tree_;
};

// ---------------------------------------------------------------- tests

TEST_F(PanelLayoutTest, EveryWidgetHasItsKindAndContainer) {
  for (const KindRow& row : kKinds) {
    SCOPED_TRACE(row.name);
    Widget* widget = tree_.FindByDisplayName(row.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(KindName(widget->Kind()), KindName(row.kind));
    if (*row.parent) {
      ASSERT_NE(widget->Parent(), nullptr);
      EXPECT_EQ(widget->Parent()->DisplayName(), row.parent);
    } else {
      EXPECT_EQ(widget->Parent(), nullptr);
      EXPECT_EQ(widget, tree_.Root());
    }
  }
}

TEST_F(PanelLayoutTest, TreeHoldsNoWidgetBeyondTheList) {
  std::set<std::string> listed;
  for (const KindRow& row : kKinds) listed.insert(row.name);
  ASSERT_EQ(listed.size(), std::size(kKinds)) << "a name is listed twice";
  std::vector<std::string> extra;
  for (const auto& widget : tree_.All()) {
    if (!listed.count(widget->DisplayName())) {
      extra.push_back(widget->DisplayName());
    }
  }
  EXPECT_THAT(extra, IsEmpty());
  EXPECT_EQ(tree_.All().size(), std::size(kKinds));
}

TEST_F(PanelLayoutTest, NamesAreUniqueAndEveryParentIsInTheTree) {
  std::set<std::string> seen;
  std::set<const Widget*> members;
  for (const auto& widget : tree_.All()) members.insert(widget.get());
  for (const auto& widget : tree_.All()) {
    SCOPED_TRACE(widget->DisplayName());
    EXPECT_TRUE(seen.insert(widget->DisplayName()).second);
    const Widget* parent = widget->Parent();
    if (widget.get() == tree_.Root()) {
      EXPECT_EQ(parent, nullptr);
      continue;
    }
    ASSERT_NE(parent, nullptr);
    EXPECT_TRUE(members.count(parent));
    // Only windows, frames and picture boxes hold other widgets.
    EXPECT_THAT(parent->Kind(),
                ::testing::AnyOf(K::kForm, K::kFrame, K::kPictureBox));
    const auto& siblings = parent->Children();
    EXPECT_EQ(std::count(siblings.begin(), siblings.end(), widget.get()), 1);
  }
}

TEST_F(PanelLayoutTest, RootIsThePanelWindow) {
  ASSERT_NE(tree_.Root(), nullptr);
  EXPECT_EQ(tree_.Root()->Name(), "Properties");
  EXPECT_EQ(tree_.Root()->Kind(), K::kForm);
  EXPECT_EQ(tree_.Root()->Width(), kPanelDesignWidth);
  EXPECT_EQ(tree_.Root()->Height(), kPanelDesignHeight);
}

TEST_F(PanelLayoutTest, DesignedPositions) {
  for (const RectRow& row : kRects) {
    SCOPED_TRACE(row.name);
    Widget& widget = At(row.name);
    EXPECT_EQ(widget.Left(), row.left);
    EXPECT_EQ(widget.Top(), row.top);
    EXPECT_EQ(widget.Width(), row.width);
    EXPECT_EQ(widget.Height(), row.height);
  }
}

TEST_F(PanelLayoutTest, FrameTitlesSitOnTheFrameBorder) {
  // Every title label stands at Left 120, Top 0, 285 high, in its frame, and
  // is wide enough for its text without reaching past the frame.
  for (Widget* title : tree_.Array("Label")) {
    SCOPED_TRACE(title->DisplayName());
    EXPECT_EQ(title->Parent()->Kind(), K::kFrame);
    EXPECT_EQ(title->Left(), 120);
    EXPECT_EQ(title->Top(), 0);
    EXPECT_EQ(title->Height(), 285);
    EXPECT_GE(title->Width(), 60 * static_cast<Long>(title->Caption().size()));
    EXPECT_LE(title->Left() + title->Width(), title->Parent()->Width());
  }
}

TEST_F(PanelLayoutTest, TitleLabelArrayIndexes) {
  std::vector<int> indexes;
  for (Widget* title : tree_.Array("Label")) indexes.push_back(title->Index());
  EXPECT_THAT(indexes, ElementsAre(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13,
                                   14, 15, 16, 17, 18));
}

TEST_F(PanelLayoutTest, ControlArraysHaveTheirElements) {
  struct ArrayRow {
    const char* name;
    std::size_t count;
  };
  const ArrayRow arrays[] = {
      {"lblNumClones", 3},
      {"txtNumClones", 3},
      {"lblCloneOffset", 3},
      {"txtCloneOffset", 3},
      {"lblCloneRotate", 3},
      {"txtCloneRotate", 3},
      {"lblCustomShapeFieldName", 6},
      {"txtCustomShapeFieldValue", 6},
      {"lblCustomGroupFieldName", 6},
      {"txtCustomGroupFieldValue", 6},
  };
  for (const ArrayRow& row : arrays) {
    SCOPED_TRACE(row.name);
    std::vector<Widget*> elements = tree_.Array(row.name);
    ASSERT_EQ(elements.size(), row.count);
    for (std::size_t i = 0; i < elements.size(); ++i) {
      EXPECT_EQ(elements[i]->Index(), static_cast<int>(i));
    }
  }
}

TEST_F(PanelLayoutTest, CustomFieldRowsPairUpAcrossTheColumns) {
  // Row k and row k + 3 share a line; the label and its field too.
  for (const char* prefix : {"Shape", "Group"}) {
    std::string label = std::string("lblCustom") + prefix + "FieldName";
    std::string field = std::string("txtCustom") + prefix + "FieldValue";
    for (int k = 0; k < 3; ++k) {
      SCOPED_TRACE(label + "(" + std::to_string(k) + ")");
      Widget& left = tree_.GetWidget(label, k);
      Widget& right = tree_.GetWidget(label, k + 3);
      EXPECT_EQ(left.Top(), right.Top());
      EXPECT_EQ(left.Height(), right.Height());
      EXPECT_EQ(tree_.GetWidget(field, k).Top(),
                tree_.GetWidget(field, k + 3).Top());
      EXPECT_EQ(tree_.GetWidget(field, k).Top() + 30, left.Top());
      EXPECT_LT(left.Left(), right.Left());
    }
  }
}

TEST_F(PanelLayoutTest, Captions) {
  std::map<std::string, std::string> expected;
  for (const CaptionRow& row : kCaptions) expected[row.name] = row.caption;
  ASSERT_EQ(expected.size(), std::size(kCaptions));
  for (const auto& widget : tree_.All()) {
    SCOPED_TRACE(widget->DisplayName());
    auto it = expected.find(widget->DisplayName());
    EXPECT_EQ(widget->Caption(),
              it == expected.end() ? std::string() : it->second);
  }
}

TEST_F(PanelLayoutTest, ToolTips) {
  for (const CaptionRow& row : kFixedToolTips) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(At(row.name).ToolTip(), row.caption);
  }
  // Every widget a person can change or press explains itself, and so does
  // the colour swatch, which opens the colour chooser.
  for (const auto& widget : tree_.All()) {
    if (!IsInput(widget->Kind()) && widget->Name() != "picVBColor") continue;
    SCOPED_TRACE(widget->DisplayName());
    EXPECT_FALSE(widget->ToolTip().empty());
  }
}

TEST_F(PanelLayoutTest, SliderSettings) {
  std::size_t sliders = 0;
  for (const auto& widget : tree_.All()) {
    sliders += widget->Kind() == K::kSlider;
  }
  EXPECT_EQ(sliders, std::size(kSliders));
  for (const SliderRow& row : kSliders) {
    SCOPED_TRACE(row.name);
    auto& slider = tree_.Get<Slider>(row.name);
    EXPECT_EQ(slider.Min(), row.min);
    EXPECT_EQ(slider.Max(), row.max);
    EXPECT_EQ(slider.SmallChange(), row.small_change);
    EXPECT_EQ(slider.LargeChange(), row.large_change);
    EXPECT_EQ(slider.TickFrequency(), row.tick);
    EXPECT_EQ(slider.Value(), row.value);
  }
}

TEST_F(PanelLayoutTest, UpDownSettings) {
  std::size_t fields = 0;
  for (const auto& widget : tree_.All()) {
    fields += widget->Kind() == K::kUpDownText;
  }
  EXPECT_EQ(fields, std::size(kUpDowns));
  for (const UpDownRow& row : kUpDowns) {
    SCOPED_TRACE(row.name);
    Widget& widget = At(row.name);
    ASSERT_EQ(widget.Kind(), K::kUpDownText);
    auto& field = static_cast<UpDownText&>(widget);
    EXPECT_DOUBLE_EQ(field.MinValue(), row.min);
    EXPECT_DOUBLE_EQ(field.MaxValue(), row.max);
    EXPECT_DOUBLE_EQ(field.Increment(), row.increment);
    EXPECT_EQ(field.MaxDecimalPlaces(), row.decimals);
    EXPECT_DOUBLE_EQ(field.DefaultValue(), row.default_value);
    EXPECT_EQ(field.Text(), row.text);
  }
}

TEST_F(PanelLayoutTest, FieldTexts) {
  for (const CaptionRow& row : kFieldTexts) {
    SCOPED_TRACE(row.name);
    Widget& widget = At(row.name);
    auto* text = dynamic_cast<TextWidget*>(&widget);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Text(), row.caption);
  }
}

TEST_F(PanelLayoutTest, InitiallyDisabledAndHiddenWidgets) {
  for (const auto& widget : tree_.All()) {
    SCOPED_TRACE(widget->DisplayName());
    EXPECT_EQ(widget->Enabled(),
              !InTable(std::begin(kInitiallyDisabled),
                       std::end(kInitiallyDisabled), widget->DisplayName()));
    EXPECT_EQ(widget->Visible(),
              !InTable(std::begin(kInitiallyHidden), std::end(kInitiallyHidden),
                       widget->DisplayName()));
  }
}

TEST_F(PanelLayoutTest, DropDownListsStartEmpty) {
  // The fixed lists are filled when the panel is first given a scene graph;
  // until then the lists hold nothing and select nothing.
  for (const char* name : {"cboShapeDraw", "cboCondition", "cboMirror",
                           "cboIKJoint", "cboAttenuationType"}) {
    SCOPED_TRACE(name);
    auto& list = tree_.Get<ComboBox>(name);
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(list.ListIndex(), -1);
  }
}

TEST_F(PanelLayoutTest, DropDownListsFillTheirHolders) {
  for (const char* name : {"cboShapeDraw", "cboCondition", "cboMirror",
                           "cboIKJoint", "cboAttenuationType"}) {
    SCOPED_TRACE(name);
    Widget& list = tree_.GetWidget(name);
    const Widget& holder = *list.Parent();
    EXPECT_EQ(holder.Kind(), K::kPictureBox);
    EXPECT_THAT(holder.Children(), ElementsAre(&list));
    EXPECT_EQ(list.Left(), 0);
    EXPECT_EQ(list.Top(), 0);
    EXPECT_EQ(list.Width(), holder.Width());
    EXPECT_EQ(list.Height(), holder.Height());
  }
}

TEST_F(PanelLayoutTest, ChecksStartCleared) {
  for (const auto& widget : tree_.All()) {
    if (widget->Kind() != K::kCheckBox) continue;
    SCOPED_TRACE(widget->DisplayName());
    EXPECT_EQ(static_cast<CheckBox&>(*widget).Value(), 0);
  }
}

TEST_F(PanelLayoutTest, MaterialGridAsDesigned) {
  auto& grid = tree_.Get<FlexGrid>("msgMaterialAttributes");
  EXPECT_EQ(grid.Cols(), 9);
  EXPECT_EQ(grid.FixedCols(), 0);
  // The in-place text box stands in front of the grid: after it among the
  // frame's children.
  const auto& children = tree_.GetWidget("fraMaterial").Children();
  auto grid_at = std::find(children.begin(), children.end(), &grid);
  auto box_at = std::find(children.begin(), children.end(),
                          &tree_.GetWidget("txtMaterialAttributeEntry"));
  ASSERT_NE(grid_at, children.end());
  ASSERT_NE(box_at, children.end());
  EXPECT_LT(grid_at, box_at);
}

TEST_F(PanelLayoutTest, ImageListHoldsTheSevenHeaderPictures) {
  auto& images = tree_.Get<ImageList>("ilsImageList");
  ASSERT_EQ(images.Count(), kPanelImageCount);
  for (Long i = 1; i <= kPanelImageCount; ++i) {
    EXPECT_EQ(images.ListImage(i), "image:" + std::to_string(i));
  }
}

TEST_F(PanelLayoutTest, SectionWidgetsLieInsideTheirFrames) {
  // Inside the section frames, every label and input lies wholly within its
  // container, and every sub-frame ends above its section's bottom. The grid
  // is left out: its width follows the panel's at run time.
  for (const auto& widget : tree_.All()) {
    const Widget* parent = widget->Parent();
    if (!parent || parent == tree_.Root()) continue;
    if (widget->Kind() == K::kFlexGrid) continue;
    SCOPED_TRACE(widget->DisplayName());
    EXPECT_LE(widget->Top() + widget->Height(), parent->Height());
    EXPECT_GE(widget->Top(), 0);
    if (widget->Kind() == K::kFrame) continue;
    EXPECT_GE(widget->Left(), 0);
    EXPECT_LE(widget->Left() + widget->Width(), parent->Width());
  }
}

TEST_F(PanelLayoutTest, BuildingIntoAFilledTreeIsRefused) {
  try {
    BuildPanelWidgets(tree_);
    FAIL() << "a second build went through";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), kErrInvalidProcedureCall);
  }
}

TEST(PanelLayoutSections, EachSectionNeedsItsPanelFrame) {
  // A section built into a window without the panel's frames has nowhere to
  // go: the build stops with error 5, naming the missing container.
  struct Row {
    const char* section;
    void (*build)(WidgetTree&);
    const char* container;
  };
  const Row rows[] = {
      {"common", BuildCommonWidgets, "fraCommonProperties"},
      {"shape", BuildShapeWidgets, "fraShapeProperties"},
      {"materials", BuildMaterialsWidgets, "fraShapeProperties"},
      {"group", BuildGroupWidgets, "fraGroupProperties"},
      {"light", BuildLightWidgets, "fraLightProperties"},
      {"camera", BuildCameraWidgets, "fraCameraProperties"},
      {"bone", BuildBoneWidgets, "fraBoneProperties"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.section);
    WidgetTree bare;
    bare.Create(K::kForm, "Properties", -1, nullptr);
    try {
      row.build(bare);
      ADD_FAILURE() << "built without its frame";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), kErrInvalidProcedureCall);
      EXPECT_THAT(e.Description(), ::testing::HasSubstr(row.container));
    }
  }
}

// ---------------------------------------------------------------- frmWarn

class WarnLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override { BuildWarnWidgets(tree_); }
  WidgetTree tree_;
};

TEST_F(WarnLayoutTest, WindowAndItsWidgets) {
  const Widget* root = tree_.Root();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->Name(), "frmWarn");
  EXPECT_EQ(root->Kind(), K::kForm);
  EXPECT_EQ(root->Caption(), "Tip");
  EXPECT_EQ(tree_.Get<Form>("frmWarn").Icon(), kWarnPicture);

  struct Row {
    const char* name;
    WidgetKind kind;
    const char* caption;
  };
  const Row rows[] = {
      {"Picture1", K::kPictureBox, ""},
      {"Label1", K::kLabel, "Did you know..."},
      {"lblWarning", K::kLabel, ""},
      {"chkContinueToReceiveWarning", K::kCheckBox,
       "Continue to receive this message"},
      {"cmdOK", K::kButton, "OK"},
  };
  ASSERT_EQ(root->Children().size(), std::size(rows));
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(rows[i].name);
    const Widget& widget = *root->Children()[i];
    EXPECT_EQ(widget.Name(), rows[i].name);
    EXPECT_EQ(widget.Kind(), rows[i].kind);
    EXPECT_EQ(widget.Caption(), rows[i].caption);
    EXPECT_TRUE(widget.Visible());
    EXPECT_TRUE(widget.Enabled());
    EXPECT_THAT(widget.Children(), IsEmpty());
  }
  EXPECT_EQ(tree_.All().size(), std::size(rows) + 1);
  EXPECT_EQ(tree_.Get<PictureBox>("Picture1").Picture(), kWarnPicture);
  EXPECT_EQ(tree_.Get<CheckBox>("chkContinueToReceiveWarning").Value(), 0);
}

TEST_F(WarnLayoutTest, CheckBoxPosition) {
  const Widget& box = tree_.GetWidget("chkContinueToReceiveWarning");
  EXPECT_EQ(box.Left(), 120);
  EXPECT_EQ(box.Top(), 2730);
  EXPECT_EQ(box.Width(), 2685);
  EXPECT_EQ(box.Height(), 255);
}

TEST_F(WarnLayoutTest, WidgetsFitTheWindowWithoutOverlapping) {
  const Widget& form = *tree_.Root();
  const auto& children = form.Children();
  for (const Widget* w : children) {
    SCOPED_TRACE(w->Name());
    EXPECT_GE(w->Left(), 0);
    EXPECT_GE(w->Top(), 0);
    EXPECT_LE(w->Left() + w->Width(), form.Width());
    EXPECT_LE(w->Top() + w->Height(), form.Height());
    EXPECT_GT(w->Width(), 0);
    EXPECT_GT(w->Height(), 0);
  }
  for (std::size_t i = 0; i < children.size(); ++i) {
    for (std::size_t j = i + 1; j < children.size(); ++j) {
      const Widget& a = *children[i];
      const Widget& b = *children[j];
      bool apart = a.Left() + a.Width() <= b.Left() ||
                   b.Left() + b.Width() <= a.Left() ||
                   a.Top() + a.Height() <= b.Top() ||
                   b.Top() + b.Height() <= a.Top();
      EXPECT_TRUE(apart) << a.Name() << " overlaps " << b.Name();
    }
  }
}

TEST_F(WarnLayoutTest, InputsExplainThemselves) {
  EXPECT_FALSE(
      tree_.GetWidget("chkContinueToReceiveWarning").ToolTip().empty());
  EXPECT_FALSE(tree_.GetWidget("cmdOK").ToolTip().empty());
}

}  // namespace
}  // namespace morvel

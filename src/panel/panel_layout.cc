#include "panel/panel_layout.h"

#include <string>

#include "sections/bone/bone_layout.h"
#include "sections/camera/camera_layout.h"
#include "sections/common/common_layout.h"
#include "sections/group/group_layout.h"
#include "sections/light/light_layout.h"
#include "sections/materials/materials_layout.h"
#include "sections/shape/shape_layout.h"
#include "widgets/widget.h"

namespace morvel {
namespace {

using K = WidgetKind;

// The panel window and its top-level frames. In the designer the object
// sections stand side by side to the right of the panel so that each can be
// edited; at run time the container parks them and the section loaders
// bring one at a time to the top left corner.
// clang-format off
const WidgetSpec kPanelLayout[] = {
    {.kind = K::kForm, .name = "Properties",
     .left = 0, .top = 0, .width = kPanelDesignWidth,
     .height = kPanelDesignHeight},
    {.kind = K::kFrame, .name = "fraCommonProperties", .parent = "Properties",
     .left = 0, .top = 30, .width = 3870, .height = 570},
    {.kind = K::kFrame, .name = "fraShapeCommonProperties",
     .parent = "Properties",
     .left = 0, .top = 765, .width = 3870, .height = 945},
    // A frame with nothing in it: its top border is the line drawn under the
    // common frames on the common tab. It is wider than the panel so that
    // its side borders never show.
    {.kind = K::kFrame, .name = "fraBottomDivider", .parent = "Properties",
     .left = -30, .top = 2040, .width = 3930, .height = 20000},
    {.kind = K::kFrame, .name = "fraShapeProperties", .parent = "Properties",
     .left = 3960, .top = 0, .width = 3870, .height = 9735},
    {.kind = K::kFrame, .name = "fraLightProperties", .parent = "Properties",
     .left = 7920, .top = 0, .width = 3870, .height = 4815},
    {.kind = K::kFrame, .name = "fraCameraProperties", .parent = "Properties",
     .left = 7920, .top = 5040, .width = 3870, .height = 3135},
    {.kind = K::kFrame, .name = "fraBoneProperties", .parent = "Properties",
     .left = 11880, .top = 0, .width = 3870, .height = 3700},
    {.kind = K::kFrame, .name = "fraGroupProperties", .parent = "Properties",
     .left = 11880, .top = 3700, .width = 3870, .height = 6375},
    // Holds the header pictures of the material grid; never on screen.
    {.kind = K::kImageList, .name = "ilsImageList", .parent = "Properties",
     .visible = false},
};
// clang-format on

}  // namespace

void BuildPanelWidgets(WidgetTree& tree) {
  tree.Build(kPanelLayout);
  // Parents first: every section hangs below the frames built above, and the
  // materials frame below the shape section's frame.
  BuildCommonWidgets(tree);
  BuildShapeWidgets(tree);
  BuildMaterialsWidgets(tree);
  BuildGroupWidgets(tree);
  BuildLightWidgets(tree);
  BuildCameraWidgets(tree);
  BuildBoneWidgets(tree);

  // The grid's header icons, 1-based as the grid asks for them: colour,
  // map 1, map 2, and maps 3 to 6.
  auto& images = tree.Get<ImageList>("ilsImageList");
  for (Long i = 1; i <= kPanelImageCount; ++i) {
    images.Add("image:" + std::to_string(i));
  }
}

}  // namespace morvel

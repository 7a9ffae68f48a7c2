#include "panel/panel_layout.h"

#include "widgets/widget.h"

namespace morvel {
namespace {

// The panel window. In the designer the object sections stand side by side
// to the right of it, so that each can be edited; at run time the panel
// parks them and the section loaders bring one at a time to the top left
// corner.
// clang-format off
const WidgetSpec kPanelLayout[] = {
    {.kind = WidgetKind::kForm, .name = "Properties",
     .left = 0, .top = 0, .width = kPanelDesignWidth,
     .height = kPanelDesignHeight},
};
// clang-format on

}  // namespace

void BuildPanelForm(WidgetTree& tree) { tree.Build(kPanelLayout); }

}  // namespace morvel

#ifndef MORVEL_PANEL_PANEL_LAYOUT_H_
#define MORVEL_PANEL_PANEL_LAYOUT_H_

#include "base/types.h"

namespace morvel {

class WidgetTree;

// The panel's own window as the designer leaves it, in twips. The host
// sizes the window; these are only the starting size.
inline constexpr Long kPanelDesignWidth = 3870;
inline constexpr Long kPanelDesignHeight = 9735;

// Number of header pictures in the image list ilsImageList.
inline constexpr Long kPanelImageCount = 7;

// Builds the whole widget tree of the panel into an empty `tree`: the root
// form "Properties", its top-level frames at their designed positions, the
// image list, and every section's widgets. What the container changes at run
// time (the frames' widths, the parked sections) and the fixed combo-box
// lists are left to the panel's start-up; the tree is as the designer shows
// it. Raises 5 when `tree` already holds one of the widgets.
void BuildPanelWidgets(WidgetTree& tree);

}  // namespace morvel

#endif  // MORVEL_PANEL_PANEL_LAYOUT_H_

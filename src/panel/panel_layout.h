#ifndef MORVEL_PANEL_PANEL_LAYOUT_H_
#define MORVEL_PANEL_PANEL_LAYOUT_H_

#include "base/types.h"

namespace morvel {

class WidgetTree;

// The panel's own window as the designer leaves it, in twips. The host
// sizes the window; these are only the starting size.
inline constexpr Long kPanelDesignWidth = 3870;
inline constexpr Long kPanelDesignHeight = 9735;

// Builds the panel's own window, the form "Properties", into an empty
// `tree`. Everything inside it belongs to a section, which builds it.
void BuildPanelForm(WidgetTree& tree);

}  // namespace morvel

#endif  // MORVEL_PANEL_PANEL_LAYOUT_H_

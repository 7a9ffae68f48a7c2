#ifndef MORVEL_PANEL_SECTION_LIST_H_
#define MORVEL_PANEL_SECTION_LIST_H_

#include <memory>
#include <vector>

#include "kit/panel_context.h"
#include "kit/section.h"

namespace morvel {

// The panel's sections, built in order (each builds its widgets into the
// context's tree as it is made). The order is the panel's: the order in which
// SetupPropertiesPanel tries the loaders, and in which every other step walks
// the sections.
std::vector<std::unique_ptr<Section>> MakeSections(PanelContext& context);

}  // namespace morvel

#endif  // MORVEL_PANEL_SECTION_LIST_H_

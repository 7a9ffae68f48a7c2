#ifndef MORVEL_APPS_COMMON_PANEL_SIZE_H_
#define MORVEL_APPS_COMMON_PANEL_SIZE_H_

#include "base/types.h"

namespace morvel::demo {

// The panel's size (twips) when a scripted run fixes it: what the demo
// window's container then reports, whatever room the window gives it.
struct FixedPanelSize {
  Long inner_height = 0;
  Long outer_height = 0;
  Long width = 0;
};

}  // namespace morvel::demo

#endif  // MORVEL_APPS_COMMON_PANEL_SIZE_H_

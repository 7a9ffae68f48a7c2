#ifndef MORVEL_SECTIONS_COMMON_DRAW_MODE_H_
#define MORVEL_SECTIONS_COMMON_DRAW_MODE_H_

#include "base/types.h"

// The draw modes of cboShapeDraw. The list's order is the order users know
// from the viewports' menus, not the order of the DrawStyle bits: "Wireframe"
// is entry 4 but DrawStyle 1.
namespace morvel {

inline constexpr int kDrawModeCount = 6;
inline constexpr const char* kDrawModeItems[kDrawModeCount] = {
    "Use View Default", "Smooth",    "Flat",
    "Solid Outline",    "Wireframe", "Cartoon"};
inline constexpr Long kDrawStyleOfEntry[kDrawModeCount] = {0, 2, 4, 8, 1, 16};

// The seventh entry, shown while the selected shapes disagree.
inline constexpr Long kMixedEntry = 6;
inline constexpr const char* kMixedItem = "Mixed";
inline constexpr Long kRenderModeMixed = -1;

// The entry that shows a RenderMode: -1 "Mixed", 0, 2, 4 and 8 their modes,
// 1 "Wireframe", and any other value "Cartoon".
constexpr Long DrawModeEntry(Long render_mode) {
  switch (render_mode) {
    case kRenderModeMixed:
      return kMixedEntry;
    case 0:
      return 0;
    case 2:
      return 1;
    case 4:
      return 2;
    case 8:
      return 3;
    case 1:
      return 4;
    default:
      return 5;
  }
}

}  // namespace morvel

#endif  // MORVEL_SECTIONS_COMMON_DRAW_MODE_H_

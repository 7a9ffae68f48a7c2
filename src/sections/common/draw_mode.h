#ifndef MORVEL_SECTIONS_COMMON_DRAW_MODE_H_
#define MORVEL_SECTIONS_COMMON_DRAW_MODE_H_

#include "base/types.h"

// The draw modes of cboShapeDraw and the DrawStyle each stands for. The
// list's order is the order users know from the viewports' menus, not the
// order of the DrawStyle bits: "Wireframe" is entry 4 but DrawStyle 1.
namespace morvel {

struct DrawMode {
  const char* item;
  Long draw_style;
};

inline constexpr int kDrawModeCount = 6;
inline constexpr DrawMode kDrawModes[kDrawModeCount] = {
    {"Use View Default", 0}, {"Smooth", 2},    {"Flat", 4},
    {"Solid Outline", 8},    {"Wireframe", 1}, {"Cartoon", 16}};

// The seventh entry, shown while the selected shapes disagree; it stands
// for no draw style at all.
inline constexpr Long kMixedEntry = kDrawModeCount;
inline constexpr const char* kMixedItem = "Mixed";
inline constexpr Long kRenderModeMixed = -1;
// Any draw style the list does not name shows as "Cartoon".
inline constexpr Long kOtherDrawStylesEntry = 5;

// The entry that shows a RenderMode: -1 "Mixed", a draw style of the table
// its mode, any other value "Cartoon".
constexpr Long DrawModeEntry(Long render_mode) {
  if (render_mode == kRenderModeMixed) return kMixedEntry;
  for (Long entry = 0; entry < kDrawModeCount; ++entry) {
    if (kDrawModes[entry].draw_style == render_mode) return entry;
  }
  return kOtherDrawStylesEntry;
}

}  // namespace morvel

#endif  // MORVEL_SECTIONS_COMMON_DRAW_MODE_H_

#ifndef MORVEL_KIT_SECTION_LAYOUT_H_
#define MORVEL_KIT_SECTION_LAYOUT_H_

#include "base/types.h"
#include "widgets/widget.h"

// Layout rules that more than one section follows: twip arithmetic,
// stacking sub-frames down a section, and the key filter of custom values.
namespace morvel {

// a + b in 32-bit signed arithmetic; error 6 "Overflow" when the sum does not
// fit.
Long CheckedAdd(Long a, Long b);

// Neighbouring sub-frames overlap by this much, so that one frame's bottom
// border line is the next one's top line.
inline constexpr Long kFrameOverlap = 30;

// Puts `frame` at `pos` and moves `pos` to where the next frame starts: the
// frame's Top + Height - kFrameOverlap. Error 6 when the sum overflows.
void StackFrame(Widget& frame, Long& pos);

// The key filter of every text a scene keeps as a custom value (shape,
// group and material fields): a typed "|" is dropped, every other key
// passes. Values never hold the character.
inline void RefusePipeKey(Integer& key_ascii) {
  if (key_ascii == '|') key_ascii = 0;
}

}  // namespace morvel

#endif  // MORVEL_KIT_SECTION_LAYOUT_H_

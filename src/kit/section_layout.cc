#include "kit/section_layout.h"

#include "base/error.h"

namespace morvel {

Long CheckedAdd(Long a, Long b) {
  Long sum = 0;
  if (__builtin_add_overflow(a, b, &sum)) RaiseError(kErrOverflow);
  return sum;
}

void StackFrame(Widget& frame, Long& pos) {
  frame.SetTop(pos);
  pos = CheckedAdd(CheckedAdd(frame.Top(), frame.Height()), -kFrameOverlap);
}

}  // namespace morvel

#include "kit/transaction.h"

#include <limits>

namespace morvel {

Integer LongToCheckValue(Long value) {
  if (value < std::numeric_limits<Integer>::min() ||
      value > std::numeric_limits<Integer>::max()) {
    RaiseError(kErrOverflow);
  }
  return static_cast<Integer>(value);
}

Long CheckedAdd(Long a, Long b) {
  Long sum = 0;
  if (__builtin_add_overflow(a, b, &sum)) RaiseError(kErrOverflow);
  return sum;
}

}  // namespace morvel

#include "kit/editors.h"

#include <limits>

namespace morvel {

Integer LongToCheckValue(Long value) {
  if (value < std::numeric_limits<Integer>::min() ||
      value > std::numeric_limits<Integer>::max()) {
    RaiseError(kErrOverflow);
  }
  return static_cast<Integer>(value);
}

}  // namespace morvel

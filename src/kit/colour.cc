#include "kit/colour.h"

#include <cstdint>
#include <limits>

#include "base/error.h"
#include "base/numbers.h"

namespace morvel {

Colour PackColour(Single red, Single green, Single blue, ChannelRange range) {
  constexpr Single kChannelMax = 255;
  auto channel = [range](Single component) -> std::int64_t {
    Single scaled = component * kChannelMax;
    // Held before rounding: the result is the same for every finite
    // component, and a huge one shows as 255 instead of failing to round.
    if (range == ChannelRange::kClamped) {
      if (scaled < 0) scaled = 0;
      if (scaled > kChannelMax) scaled = kChannelMax;
    }
    return RoundToLong(scaled);
  };
  const std::int64_t packed =
      channel(blue) * 65536 + channel(green) * 256 + channel(red);
  if (packed < std::numeric_limits<Long>::min() ||
      packed > std::numeric_limits<Long>::max()) {
    RaiseError(kErrOverflow);
  }
  return static_cast<Colour>(packed);
}

}  // namespace morvel

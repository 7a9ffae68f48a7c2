#ifndef MORVEL_BASE_TYPES_H_
#define MORVEL_BASE_TYPES_H_

#include <cstdint>

namespace morvel {

// The value types of the host interface. Counts and enumerations that cross
// the host boundary are Longs; the scene keeps its animatable values as
// Singles, and the figures the panel shows depend on computing in Single.
using Long = std::int32_t;
using Integer = std::int16_t;
using Single = float;

// Colours are packed 0x00BBGGRR, red in the low byte.
using Colour = Long;

}  // namespace morvel

#endif  // MORVEL_BASE_TYPES_H_

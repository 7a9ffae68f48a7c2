#ifndef MORVEL_KIT_COLOUR_H_
#define MORVEL_KIT_COLOUR_H_

#include "base/types.h"

// Colours between the scene and the panel: the scene keeps components from
// 0 to 1 as Singles, the panel's swatches and grid cells show packed RGB
// colours 0x00BBGGRR (red in the low byte).
namespace morvel {

// What becomes of a component beyond 0..1 when it is packed. A light's
// swatch always shows some colour, so its channels are held within 0..255
// before rounding; a material's cell shows the colour as the scene has it,
// and a packed colour that no longer fits a Long is error 6.
enum class ChannelRange { kClamped, kAsStored };

// Each component times 255, in single precision, rounded half to even
// (error 6 beyond a Long), then packed.
Colour PackColour(Single red, Single green, Single blue, ChannelRange range);

struct ColourComponents {
  Single red = 0;
  Single green = 0;
  Single blue = 0;
};

// A packed colour's components, each byte divided by 255 in single
// precision: blue = colour div 65536, green = remainder(colour div 256,
// 256), red = remainder(colour, 256), taken in that order. `remainder` is
// how the caller takes a byte out: the light section asks the scene's
// maths utility.
template <class Remainder>
ColourComponents UnpackColour(Colour colour, Remainder remainder) {
  constexpr Single kChannelMax = 255;
  ColourComponents components;
  components.blue = static_cast<Single>(colour / 65536) / kChannelMax;
  components.green =
      static_cast<Single>(remainder(colour / 256, 256)) / kChannelMax;
  components.red = static_cast<Single>(remainder(colour, 256)) / kChannelMax;
  return components;
}

// The same with the language's own remainder.
inline ColourComponents UnpackColour(Colour colour) {
  return UnpackColour(colour, [](Long x, Long y) { return x % y; });
}

}  // namespace morvel

#endif  // MORVEL_KIT_COLOUR_H_

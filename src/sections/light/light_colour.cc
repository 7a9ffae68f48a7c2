// The light's colour swatch: the scene's colour shown as a packed RGB
// colour, and a colour picked in the chooser written back.
#include <memory>
#include <string>

#include "base/error.h"
#include "base/numbers.h"
#include "kit/transaction.h"
#include "sections/light/light_section.h"

namespace morvel {
namespace {

constexpr Single kChannelMax = 255;

// One colour component (nominally 0 to 1) as a channel 0..255. The range is
// applied before rounding: the result is the same for every finite
// component, and a huge one shows as 255 instead of failing to round.
Long ComponentToChannel(Single component) {
  Single scaled = component * kChannelMax;
  if (scaled < 0) scaled = 0;
  if (scaled > kChannelMax) scaled = kChannelMax;
  return RoundToLong(scaled);
}

}  // namespace

Colour LightColourToSwatch(Light& light) {
  ColourValue colour = light.GetColour(kCurrentKey);
  Long red = ComponentToChannel(colour.Red);
  Long green = ComponentToChannel(colour.Green);
  Long blue = ComponentToChannel(colour.Blue);
  return blue * 65536 + green * 256 + red;
}

void LightSection::VBColorClick() {
  Colour colour = context_.State().light_colour;
  std::shared_ptr<Scene> scene = context_.ActiveScene();
  Long owner = scene->DialogOwner();
  std::string key = scene->ApplicationRegistryKey();
  ColourChoice choice = context_.DialogUtil()->ChooseColour(owner, key, colour);
  // Cancelling the chooser is no edit: nothing is written and the host
  // hears nothing.
  if (choice.result != kChooseColourAccepted) return;
  // Accepting writes even an unchanged colour: the user asked for it.
  context_.SetlVBColor(choice.colour);
  SceneTransaction transaction(context_, kLayerNone);
  // The colour goes to the light selected now rather than to CurrentLight:
  // a host that changed the selection without setting the panel up again
  // gets the colour on the light it shows as selected.
  std::shared_ptr<Light> light =
      context_.Graph().GetSelectedLight(context_.SelectionList(), 0);
  ApplyLightColour(*Required(light), context_.State().light_colour);
  transaction.Commit(false);
}

void LightSection::ApplyLightColour(Light& light, Long colour) {
  MathUtility& math = *context_.MathUtil();
  Single blue = static_cast<Single>(colour / 65536) / kChannelMax;
  Single green =
      static_cast<Single>(math.Remainder(colour / 256, 256)) / kChannelMax;
  Single red = static_cast<Single>(math.Remainder(colour, 256)) / kChannelMax;
  light.SetColour(kCurrentKey,
                  context_.SceneUtil()->MakeColour(red, green, blue));
}

}  // namespace morvel

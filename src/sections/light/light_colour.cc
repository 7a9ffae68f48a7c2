// The light's colour swatch: the scene's colour shown as a packed RGB
// colour, and a colour picked in the chooser written back.
#include <memory>
#include <string>

#include "base/error.h"
#include "kit/colour.h"
#include "kit/selection.h"
#include "kit/transaction.h"
#include "sections/light/light_section.h"

namespace morvel {

// Held within 0..255 per channel: a light's swatch always shows some colour.
Colour LightColourToSwatch(Light& light) {
  ColourValue colour = light.GetColour(kCurrentKey);
  return PackColour(colour.Red, colour.Green, colour.Blue,
                    ChannelRange::kClamped);
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
      FirstSelected(context_, &SceneGraph::GetSelectedLight);
  ApplyLightColour(*light, context_.State().light_colour);
  transaction.Commit(false);
}

void LightSection::ApplyLightColour(Light& light, Long colour) {
  MathUtility& math = *context_.MathUtil();
  // The bytes come out through the scene's own maths utility.
  const ColourComponents picked = UnpackColour(
      colour, [&math](Long x, Long y) { return math.Remainder(x, y); });
  light.SetColour(kCurrentKey, context_.SceneUtil()->MakeColour(
                                   picked.red, picked.green, picked.blue));
}

}  // namespace morvel

#include "sections/light/light_section.h"

#include "base/error.h"

namespace morvel {

LightSection::LightSection(PanelContext& context)
    : context_(context),
      fraLightProperties(context.Widgets().Get<Frame>("fraLightProperties")) {}

void LightSection::LoadLightProperties(const SetupArguments& arguments) {
  (void)arguments;  // read by the filling steps, not by the placing one
  WithPropertiesSource([&] {
    ShowSectionFrame(fraLightProperties, context_.Container().InnerHeight());
    // The section places its frame only; filling it from the scene and
    // remembering the object shown are added with the section's own loader.
  });
}

}  // namespace morvel

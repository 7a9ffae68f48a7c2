#ifndef MORVEL_SECTIONS_LIGHT_LIGHT_SECTION_H_
#define MORVEL_SECTIONS_LIGHT_LIGHT_SECTION_H_

#include "base/types.h"
#include "kit/panel_context.h"
#include "kit/section.h"
#include "scene/scene.h"
#include "widgets/widget.h"

namespace morvel {

// The object tab's section of one selected light: its colour as a swatch
// that opens the colour chooser, its attenuation (which of the three terms,
// and by how much) and, for a spotlight, the cone's range, umbra and
// penumbra. Every edit is one scene change with the empty layer source.
// The swatch is also where the panel's lVBColor property shows.
class LightSection : public ObjectSection {
 public:
  explicit LightSection(PanelContext& context);

  void FillFixedLists() override;

 private:
  // LoadLightProperties, once fraLightProperties is in view: fills it from
  // the one selected light (LoadLightValues) and remembers the light in
  // CurrentLight. The selection arguments are not read: ambient and
  // directional lights show like any other light that is not a spotlight.
  void Fill(const SetupArguments& arguments) override;
  void LoadLightValues(Light& light);

  // Editors (light_section.cc): write to CurrentLight.
  void ApplyAttenuation();
  void ApplySpotlight();
  // The swatch (light_colour.cc): writes to the selected light, fetched
  // afresh when the user has accepted a colour.
  void VBColorClick();
  void ApplyLightColour(Light& light, Long colour);

  // Typed handles to the widgets of its own table that it works with.
  Frame& fraLightGeneral = widgets_.Get<Frame>("fraLightGeneral");
  Frame& fraLightSpot = widgets_.Get<Frame>("fraLightSpot");
  PictureBox& picVBColor = widgets_.Get<PictureBox>("picVBColor");
  ComboBox& cboAttenuationType = widgets_.Get<ComboBox>("cboAttenuationType");
  UpDownText& txtAttenuationFactor =
      widgets_.Get<UpDownText>("txtAttenuationFactor");
  UpDownText& txtSpotlightRange = widgets_.Get<UpDownText>("txtSpotlightRange");
  UpDownText& txtSpotlightUmbra = widgets_.Get<UpDownText>("txtSpotlightUmbra");
  UpDownText& txtSpotlightPenumbra =
      widgets_.Get<UpDownText>("txtSpotlightPenumbra");
};

// The light's colour as a packed 0x00BBGGRR swatch colour: each component
// times 255, rounded half to even and held within 0..255.
Colour LightColourToSwatch(Light& light);

}  // namespace morvel

#endif  // MORVEL_SECTIONS_LIGHT_LIGHT_SECTION_H_

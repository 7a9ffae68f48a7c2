#ifndef MORVEL_SECTIONS_LIGHT_LIGHT_SECTION_H_
#define MORVEL_SECTIONS_LIGHT_LIGHT_SECTION_H_

#include "base/types.h"
#include "kit/panel_context.h"
#include "scene/scene.h"
#include "widgets/widget.h"

namespace morvel {

// The object tab's section of one selected light: its colour as a swatch
// that opens the colour chooser, its attenuation (which of the three terms,
// and by how much) and, for a spotlight, the cone's range, umbra and
// penumbra. Every edit is one scene change with the empty layer source.
class LightSection {
 public:
  explicit LightSection(PanelContext& context);
  LightSection(const LightSection&) = delete;
  LightSection& operator=(const LightSection&) = delete;

  // Brings fraLightProperties into view for the one selected light, fills
  // it and remembers the light in CurrentLight. The selection arguments are
  // not read: ambient and directional lights show like any other light that
  // is not a spotlight.
  void LoadLightProperties(const SetupArguments& arguments);

 private:
  // Fills the widgets from the selected light, fetched afresh.
  void LoadLightValues();

  // Editors (light_section.cc): write to CurrentLight.
  void ApplyAttenuation();
  void ApplySpotlight();
  // The swatch (light_colour.cc): writes to the selected light, fetched
  // afresh when the user has accepted a colour.
  void VBColorClick();
  void ApplyLightColour(Light& light, Long colour);

  PanelContext& context_;
  Frame& fraLightProperties;
  Frame& fraLightGeneral;
  Frame& fraLightSpot;
  PictureBox& picVBColor;
  ComboBox& cboAttenuationType;
  UpDownText& txtAttenuationFactor;
  UpDownText& txtSpotlightRange;
  UpDownText& txtSpotlightUmbra;
  UpDownText& txtSpotlightPenumbra;
};

// The light's colour as a packed 0x00BBGGRR swatch colour: each component
// times 255, rounded half to even and held within 0..255.
Colour LightColourToSwatch(Light& light);

}  // namespace morvel

#endif  // MORVEL_SECTIONS_LIGHT_LIGHT_SECTION_H_

#ifndef MORVEL_SECTIONS_LIGHT_LIGHT_SECTION_H_
#define MORVEL_SECTIONS_LIGHT_LIGHT_SECTION_H_

#include "panel/panel_context.h"
#include "widgets/widget.h"

namespace morvel {

// The object tab's section of one selected light.
class LightSection {
 public:
  explicit LightSection(PanelContext& context);
  LightSection(const LightSection&) = delete;
  LightSection& operator=(const LightSection&) = delete;

  // Brings fraLightProperties into view for the one selected light.
  void LoadLightProperties(const SetupArguments& arguments);

 private:
  PanelContext& context_;
  Frame& fraLightProperties;
};

}  // namespace morvel

#endif  // MORVEL_SECTIONS_LIGHT_LIGHT_SECTION_H_

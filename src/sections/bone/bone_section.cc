#include "sections/bone/bone_section.h"

#include "base/error.h"

namespace morvel {

BoneSection::BoneSection(PanelContext& context)
    : context_(context),
      fraBoneProperties(context.Widgets().Get<Frame>("fraBoneProperties")) {}

void BoneSection::LoadBoneProperties() {
  WithPropertiesSource([&] {
    ShowSectionFrame(fraBoneProperties, context_.Container().OuterHeight());
    // The section places its frame only; filling it from the scene and
    // remembering the object shown are added with the section's own loader.
  });
}

}  // namespace morvel

// The one list of the panel's sections, and the only file that knows them
// by name: a new section is a folder under sections/ and a line here.
#include "panel/section_list.h"

#include "sections/bone/bone_section.h"
#include "sections/camera/camera_section.h"
#include "sections/common/common_section.h"
#include "sections/group/group_section.h"
#include "sections/light/light_section.h"
#include "sections/shape/shape_section.h"

namespace morvel {
namespace {

template <class SectionType>
std::unique_ptr<Section> Make(PanelContext& context) {
  return std::make_unique<SectionType>(context);
}

using SectionMaker = std::unique_ptr<Section> (*)(PanelContext&);

// On the common tab the common section loads; on the object tab the first
// object section for the one selected object: a shape (while the scene edits
// whole objects), a group, a light, a camera, a bone.
// clang-format off
constexpr SectionMaker kSections[] = {
    Make<CommonSection>,
    Make<ShapeSection>,
    Make<GroupSection>,
    Make<LightSection>,
    Make<CameraSection>,
    Make<BoneSection>,
};
// clang-format on

}  // namespace

std::vector<std::unique_ptr<Section>> MakeSections(PanelContext& context) {
  std::vector<std::unique_ptr<Section>> sections;
  for (SectionMaker make : kSections) sections.push_back(make(context));
  return sections;
}

}  // namespace morvel

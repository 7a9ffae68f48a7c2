#include "sections/materials/materials_section.h"

#include "base/error.h"

namespace morvel {

MaterialsSection::MaterialsSection(PanelContext& context)
    : context_(context),
      fraMaterial(context.Widgets().Get<Frame>("fraMaterial")) {}

void MaterialsSection::LoadMaterialGrid(Long& Top) {
  WithPropertiesSource([&] {
    fraMaterial.SetTop(Top);
    // Sizing the grid and writing its header come with the material list.
  });
}

void MaterialsSection::FillMaterialRows() {
  // The rows come with the material list.
}

}  // namespace morvel

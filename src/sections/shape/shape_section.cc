#include "sections/shape/shape_section.h"

#include "base/error.h"

namespace morvel {

ShapeSection::ShapeSection(PanelContext& context,
                           MaterialsSection& materials)
    : context_(context),
      materials_(materials),
      fraShapeProperties(context.Widgets().Get<Frame>("fraShapeProperties")) {}

void ShapeSection::LoadShapeProperties() {
  WithPropertiesSource([&] {
    ShowSectionFrame(fraShapeProperties, context_.Container().InnerHeight());
    // The section places its frame only; filling it from the scene and
    // remembering the object shown are added with the section's own loader.
  });
}

}  // namespace morvel

#include "sections/group/group_section.h"

#include "base/error.h"

namespace morvel {

GroupSection::GroupSection(PanelContext& context)
    : context_(context),
      fraGroupProperties(context.Widgets().Get<Frame>("fraGroupProperties")) {}

void GroupSection::LoadGroupProperties(const SetupArguments& arguments) {
  (void)arguments;  // read by the filling steps, not by the placing one
  WithPropertiesSource([&] {
    ShowSectionFrame(fraGroupProperties, context_.Container().InnerHeight());
    // The section places its frame only; filling it from the scene and
    // remembering the object shown are added with the section's own loader.
  });
}

}  // namespace morvel

#include "sections/camera/camera_section.h"

#include "base/error.h"

namespace morvel {

CameraSection::CameraSection(PanelContext& context)
    : context_(context),
      fraCameraProperties(context.Widgets().Get<Frame>("fraCameraProperties")) {
}

void CameraSection::LoadCameraProperties() {
  WithPropertiesSource([&] {
    ShowSectionFrame(fraCameraProperties, context_.Container().InnerHeight());
    // The section places its frame only; filling it from the scene and
    // remembering the object shown are added with the section's own loader.
  });
}

}  // namespace morvel

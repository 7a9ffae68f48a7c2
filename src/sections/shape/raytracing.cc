// The Raytracing frame: the shape's index of refraction.
#include "kit/transaction.h"
#include "scene/scene.h"
#include "sections/shape/shape_section.h"

namespace morvel {

void ShapeSection::IndexOfRefractionChange() {
  // Only one renderer reads the index, so the user is told before it takes
  // effect (the host decides whether the warning is still wanted). An index
  // of 0 is no refraction at all and needs no warning.
  if (sldIndexofRefraction.Value() >= 1) {
    context_.RaiseWarn(context_.ActiveScene()->ApplicationRegistryKey(),
                       kRefractionWarning, kRefractionWarningEntry);
  }
  WriteToSelectedNode([this](SceneNode& node) {
    node.SetIndexOfRefraction(
        kCurrentKey, static_cast<Single>(sldIndexofRefraction.Value()));
  });
}

}  // namespace morvel

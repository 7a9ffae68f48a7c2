// The Custom frame: the text values of the fields the scene names for every
// shape.
#include "kit/section_layout.h"
#include "kit/transaction.h"
#include "scene/scene.h"
#include "sections/shape/shape_section.h"

namespace morvel {

void ShapeSection::CustomValueCommitted() {
  SceneTransaction transaction(context_, kLayerSysProperties);
  // All six rows, the hidden ones too, so the shape always receives one
  // consistent set of values.
  SceneNode& shape = CurrentShape();
  for (Long row = 0; row < CustomFieldRows::kRowCount; ++row) {
    shape.SetCustomFieldValue(row, custom_rows_.value(row).Text());
  }
  transaction.Commit(false);
}

}  // namespace morvel

// The custom group fields: the scene names up to six text fields that every
// group carries. The loader lays the rows out and fills them; this writes
// them back.
#include <memory>

#include "kit/transaction.h"
#include "scene/scene.h"
#include "sections/group/current_group.h"
#include "sections/group/group_section.h"

namespace morvel {

// A commit in any row writes all six, hidden rows included: the loader
// filled every row from the group, so the rows the user did not touch write
// back what the group already holds. Custom fields are a property layer of
// their own for the host, unlike the transform.
void GroupSection::ApplyCustomGroupFields() {
  SceneTransaction transaction(context_, kLayerSysProperties);
  std::shared_ptr<Group> group = CurrentGroupOf(context_);
  for (Long row = 0; row < CustomFieldRows::kRowCount; ++row) {
    group->SetCustomFieldValue(row, custom_rows_.value(row).Text());
  }
  transaction.Commit(false);
}

}  // namespace morvel

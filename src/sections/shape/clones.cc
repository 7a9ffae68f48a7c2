// The Clones frame: per axis, how many copies of the shape, the distance
// between them and the turn between them. The nine values travel together,
// so a commit in any field writes all nine to the shape the section shows.
#include "base/error.h"
#include "base/numbers.h"
#include "kit/axes.h"
#include "kit/transaction.h"
#include "scene/scene.h"
#include "sections/shape/shape_section.h"

namespace morvel {

void ShapeSection::NumClonesCommitted() {
  UpdateCloneFieldStates();
  ApplyClones();
}

void ShapeSection::ApplyClones() {
  SceneTransaction transaction(context_, kLayerSysProperties);
  // A field that does not convert stops here, before anything is written.
  LongVector3 counts;
  SingleVector3 offsets;
  SingleVector3 rotations;
  for (int axis = 0; axis < kAxes; ++axis) {
    Component(counts, axis) =
        RoundToLong(TextToDouble(txtNumClones[axis]->Text()));
    Component(offsets, axis) = TextToSingle(txtCloneOffset[axis]->Text());
    Component(rotations, axis) = TextToSingle(txtCloneRotate[axis]->Text());
  }
  CurrentShape()->SetClones(counts, offsets, rotations);
  transaction.Commit(false);
}

}  // namespace morvel

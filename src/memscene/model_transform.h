#ifndef MORVEL_MEMSCENE_MODEL_TRANSFORM_H_
#define MORVEL_MEMSCENE_MODEL_TRANSFORM_H_

#include "memscene/state.h"

// A model file's node matrix and the position, orientation and scale a
// group shows of it, both ways. The importer and the exporter share these,
// so that an unchanged group is recognised exactly and written back with
// the file's own matrix.
namespace morvel::mem {

struct Placement {
  SingleVector3 position;
  Orientation orientation;
  SingleVector3 scale{1, 1, 1};
  friend bool operator==(const Placement&, const Placement&) = default;
};

// The matrix (by rows, column vectors, translation in the last column) as
// translation x rotation x scale. A mirroring matrix gets a negative X
// scale. What cannot be a rotation (a zero axis, numbers that are not
// finite) leaves the orientation level and that scale 1.
Placement Decompose(const SourceMatrix& m);

// Translation x rotation x scale, by rows.
SourceMatrix Compose(const Placement& p);

// The matrix to write for a group: the file's own while the group still
// stands where it put it, else the one its values make.
SourceMatrix MatrixOf(const GroupData& group);

}  // namespace morvel::mem

#endif  // MORVEL_MEMSCENE_MODEL_TRANSFORM_H_

// The position, orientation and rotational velocity editors of the group
// section. Each commit is one scene change with the empty layer source: the
// host treats a transform as an edit of the scene itself, not of a
// property layer.
#include <memory>

#include "base/numbers.h"
#include "kit/transaction.h"
#include "scene/scene.h"
#include "sections/group/angles.h"
#include "sections/group/group_section.h"

namespace morvel {

// Position and orientation are written together from all six fields, the
// orientation first, whichever field was committed: the host then records
// one transform, and the texts the user left in the other five fields are
// what the group gets.
void GroupSection::ApplyGroupTransform() {
  SceneTransaction transaction(context_, kLayerNone);
  SingleVector3 angles;
  for (int axis = 0; axis < kAxes; ++axis) {
    Component(angles, axis) =
        OrientationToRadians(TextToSingle(txtOrientation[axis]->Text()));
  }
  Orientation orientation = context_.SceneUtil()->EulerToOrientation(angles);
  std::shared_ptr<Group> group = CurrentGroup();
  group->SetOrientation(group->Parent(), kCurrentKey, orientation.Forward,
                        orientation.Up);

  std::shared_ptr<Group> parent = group->Parent();
  Single x = TextToSingle(txtPosition[0]->Text());
  Single y = TextToSingle(txtPosition[1]->Text());
  Single z = TextToSingle(txtPosition[2]->Text());
  group->SetPosition(parent, kCurrentKey,
                     context_.SceneUtil()->MakeVector(x, y, z));
  transaction.Commit(false);
}

// Only the speed is the user's: the axis is written back as the group has
// it. The typed number goes to the scene as it stands; the scene takes
// revolutions per second there.
void GroupSection::ApplyRotationalVelocity() {
  SceneTransaction transaction(context_, kLayerNone);
  std::shared_ptr<Group> group = CurrentGroup();
  RotationalVelocity velocity = group->GetRotationalVelocity();
  Single theta = TextToSingle(txtRotationTheta.Text());
  group->SetRotationalVelocity(velocity.Axis, theta);
  transaction.Commit(false);
}

}  // namespace morvel

// The inverse-kinematics joint of the group section: its mode, and per axis
// the range of rotation the solver may use, typed in degrees and stored in
// radians.
#include <array>
#include <memory>

#include "base/numbers.h"
#include "kit/transaction.h"
#include "scene/scene.h"
#include "sections/group/angles.h"
#include "sections/group/group_section.h"

namespace morvel {
namespace {

// Entries of cboIKJoint, which are the stored modes.
constexpr Long kIKJointEnabled = 1;

}  // namespace

// A disabled joint does not move and a fixed one cannot, so only an enabled
// joint has ranges worth editing. The fields keep their values either way.
void GroupSection::UpdateIKJointFields() {
  const bool editable = cboIKJoint.ListIndex() == kIKJointEnabled;
  for (UpDownText* field : IKRangeFields()) field->SetEnabled(editable);
}

void GroupSection::IKJointClick() {
  ApplyIKJoint();
  UpdateIKJointFields();
}

// Mode and all six limits are written together, in every mode (a joint
// switched to "Fixed" keeps the ranges it will have when enabled again).
void GroupSection::ApplyIKJoint() {
  // A range the wrong way round is closed up before anything is written:
  // its maximum takes the minimum's text as it stands. Every text is read
  // here first, so a text that is no number stops the edit before the host
  // hears of it.
  std::array<UpDownText*, 6> fields = IKRangeFields();
  for (std::size_t axis = 0; axis < fields.size(); axis += 2) {
    UpDownText& min = *fields[axis];
    UpDownText& max = *fields[axis + 1];
    Single low = TextToSingle(min.Text());
    Single high = TextToSingle(max.Text());
    if (low > high) max.SetText(min.Text());
  }

  SceneTransaction transaction(context_, kLayerNone);
  std::shared_ptr<Group> group = CurrentGroup();
  group->SetIKJointMode(static_cast<Long>(cboIKJoint.ListIndex()));
  auto radians = [](const UpDownText& field) {
    return JointLimitToRadians(TextToSingle(field.Text()));
  };
  IKJointLimits limits;
  limits.MinX = radians(*txtIKJointMin[0]);
  limits.MaxX = radians(*txtIKJointMax[0]);
  limits.MinY = radians(*txtIKJointMin[1]);
  limits.MaxY = radians(*txtIKJointMax[1]);
  limits.MinZ = radians(*txtIKJointMin[2]);
  limits.MaxZ = radians(*txtIKJointMax[2]);
  group->SetIKJointLimits(limits);
  transaction.Commit(false);
}

}  // namespace morvel

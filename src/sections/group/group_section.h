#ifndef MORVEL_SECTIONS_GROUP_GROUP_SECTION_H_
#define MORVEL_SECTIONS_GROUP_GROUP_SECTION_H_

#include <array>

#include "kit/panel_context.h"
#include "kit/section_layout.h"
#include "widgets/widget.h"

namespace morvel {

// The object tab's section of one selected group: its position and
// orientation relative to its parent, its rotational velocity, its
// inverse-kinematics joint and its custom fields. The editors write to the
// group the loader remembered (current_group.h says which group that is, and
// why the bone section shares it).
//
// The loader lives in group_section.cc, the transform and velocity editors
// in transform.cc, the joint in ik_joint.cc and the custom fields in
// custom_fields.cc.
class GroupSection {
 public:
  explicit GroupSection(PanelContext& context);
  GroupSection(const GroupSection&) = delete;
  GroupSection& operator=(const GroupSection&) = delete;

  // Brings fraGroupProperties into view, stacks the sub-frames that apply
  // (an ambient light in the selection has no position, orientation,
  // velocity or joint to show; a directional one no position or joint), lays
  // out the custom rows, fills every value and remembers the group in
  // CurrentGroup. Of its arguments it reads AmbientLightSelected and
  // DirectionalLightSelected. Raises no events.
  void LoadGroupProperties(const SetupArguments& arguments);

 private:
  void LoadGroupValues();
  // The six range fields take input only while the joint is "Enabled".
  void UpdateIKJointFields();
  // The range fields in the order the joint reads and shows them: MinX,
  // MaxX, MinY, MaxY, MinZ, MaxZ.
  std::array<UpDownText*, 6> IKRangeFields();

  // transform.cc: one scene change writing orientation, then position, from
  // all six fields, whichever was committed; and the velocity's own.
  void ApplyGroupTransform();
  void ApplyRotationalVelocity();

  // ik_joint.cc
  void IKJointClick();
  void ApplyIKJoint();

  // custom_fields.cc
  void ApplyCustomGroupFields();

  PanelContext& context_;
  Frame& fraGroupProperties;
  Frame& fraPosition;
  Frame& fraOrientation;
  Frame& fraVelocity;
  Frame& fraIK;
  UpDownText& txtPositionX;
  UpDownText& txtPositionY;
  UpDownText& txtPositionZ;
  UpDownText& txtOrientationX;
  UpDownText& txtOrientationY;
  UpDownText& txtOrientationZ;
  UpDownText& txtRotationTheta;
  ComboBox& cboIKJoint;
  UpDownText& txtIKJointMinX;
  UpDownText& txtIKJointMaxX;
  UpDownText& txtIKJointMinY;
  UpDownText& txtIKJointMaxY;
  UpDownText& txtIKJointMinZ;
  UpDownText& txtIKJointMaxZ;
  CustomFieldRows custom_rows_;
};

}  // namespace morvel

#endif  // MORVEL_SECTIONS_GROUP_GROUP_SECTION_H_

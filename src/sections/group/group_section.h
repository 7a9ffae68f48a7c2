#ifndef MORVEL_SECTIONS_GROUP_GROUP_SECTION_H_
#define MORVEL_SECTIONS_GROUP_GROUP_SECTION_H_

#include <array>
#include <memory>

#include "kit/axes.h"
#include "kit/custom_field_rows.h"
#include "kit/panel_context.h"
#include "kit/section.h"
#include "widgets/widget.h"

namespace morvel {

// The object tab's section of one selected group: its position and
// orientation relative to its parent, its rotational velocity, its
// inverse-kinematics joint and its custom fields. The editors write to the
// group the loader remembered, CurrentGroup, which the bone section shares
// (PanelState says how).
//
// The loader and the custom fields live in group_section.cc, the transform
// and velocity editors in transform.cc, the joint in ik_joint.cc.
class GroupSection : public ObjectSection {
 public:
  explicit GroupSection(PanelContext& context);

  void FillFixedLists() override;

 protected:
  // The frame leaves the view while the scene itself is selected; the
  // loader, which the panel calls whatever SceneSelected says, brings it
  // back.
  bool InView(const SetupView& view) const override;

 private:
  // LoadGroupProperties, once fraGroupProperties is in view: stacks the
  // sub-frames that apply (an ambient light in the selection has no
  // position, orientation, velocity or joint to show; a directional one no
  // position or joint), lays out the custom rows, fills every value and
  // remembers the group in CurrentGroup. Of its arguments it reads
  // AmbientLightSelected and DirectionalLightSelected. Raises no events.
  void Fill(const SetupArguments& arguments) override;
  void LoadGroupValues(const std::shared_ptr<Group>& group);
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

  // The group the editors write to; error 91 before a group or bone was
  // loaded. A shared copy, so that a host reloading the panel from inside
  // an event cannot take the group away from an editor halfway through its
  // writes.
  std::shared_ptr<Group> CurrentGroup() const;

  // Typed handles to the widgets of its own table that it works with.
  Frame& fraPosition = widgets_.Get<Frame>("fraPosition");
  Frame& fraOrientation = widgets_.Get<Frame>("fraOrientation");
  Frame& fraVelocity = widgets_.Get<Frame>("fraVelocity");
  Frame& fraIK = widgets_.Get<Frame>("fraIK");
  // txtPositionX, Y, Z and the like, in axis order.
  std::array<UpDownText*, kAxes> txtPosition =
      widgets_.Axes<UpDownText>("txtPosition");
  std::array<UpDownText*, kAxes> txtOrientation =
      widgets_.Axes<UpDownText>("txtOrientation");
  UpDownText& txtRotationTheta = widgets_.Get<UpDownText>("txtRotationTheta");
  ComboBox& cboIKJoint = widgets_.Get<ComboBox>("cboIKJoint");
  std::array<UpDownText*, kAxes> txtIKJointMin =
      widgets_.Axes<UpDownText>("txtIKJointMin");
  std::array<UpDownText*, kAxes> txtIKJointMax =
      widgets_.Axes<UpDownText>("txtIKJointMax");
  CustomFieldRows custom_rows_;
};

}  // namespace morvel

#endif  // MORVEL_SECTIONS_GROUP_GROUP_SECTION_H_

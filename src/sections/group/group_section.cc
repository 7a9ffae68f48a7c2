#include "sections/group/group_section.h"

#include <memory>

#include "base/error.h"
#include "base/numbers.h"
#include "kit/editors.h"
#include "kit/section_layout.h"
#include "kit/selection.h"
#include "kit/transaction.h"
#include "scene/scene.h"
#include "sections/group/angles.h"
#include "sections/group/group_layout.h"

namespace morvel {
namespace {

// The first sub-frame starts just below the section frame's top border.
constexpr Long kFirstFrameTop = 60;

// How each value reads: positions keep up to four decimals and always an
// integer digit; orientations drop a zero integer digit (".5", "-.25");
// the spin shows one decimal.
constexpr const char* kPositionPattern = "0.0###";
constexpr const char* kOrientationPattern = "#.0###";
constexpr const char* kVelocityPattern = "0.0";

constexpr const char* kIKJointItems[] = {"Disabled", "Enabled", "Fixed"};

constexpr CustomFieldRowsLayout kCustomRows = {
    .frame = "fraCustomGroupFields",
    .section_frame = "fraGroupProperties",
    .top = 3840,
    .title_index = 17,
    .label_array = "lblCustomGroupFieldName",
    .value_array = "txtCustomGroupFieldValue",
    .value_tooltip = "Value of this custom field for the group",
    .value_text = "Text1"};

// Shows `frame` at `pos` and moves `pos` below it, or hides it and leaves
// `pos` where it is.
void StackIfShown(Frame& frame, bool shown, Long& pos) {
  frame.SetVisible(shown);
  if (shown) StackFrame(frame, pos);
}

}  // namespace

GroupSection::GroupSection(PanelContext& context)
    : ObjectSection(context, GroupLayout(), "fraGroupProperties",
                    &SetupArguments::GroupsSelectedCount),
      custom_rows_(context.Widgets(), kCustomRows) {
  for (int axis = 0; axis < kAxes; ++axis) {
    ConnectValueField(*txtPosition[axis], [this] { ApplyGroupTransform(); });
    ConnectValueField(*txtOrientation[axis], [this] { ApplyGroupTransform(); });
  }
  ConnectValueField(txtRotationTheta, [this] { ApplyRotationalVelocity(); });
  ConnectGuardedEditor(cboIKJoint, [this] { IKJointClick(); });
  for (UpDownText* field : IKRangeFields()) {
    ConnectValueField(*field, [this] { ApplyIKJoint(); });
  }
  // A commit in any row writes all six, hidden rows included: the loader
  // filled every row from the group, so the rows the user did not touch
  // write back what the group already holds. Custom fields are a property
  // layer of their own for the host, unlike the transform.
  custom_rows_.Connect([this] {
    custom_rows_.WriteAll(context_, kLayerSysProperties,
                          [this] { return CurrentGroup(); });
  });
}

void GroupSection::FillFixedLists() {
  for (const char* item : kIKJointItems) cboIKJoint.AddItem(item);
}

bool GroupSection::InView(const SetupView& view) const {
  return ObjectSection::InView(view) && !view.arguments.SceneSelected;
}

std::shared_ptr<Group> GroupSection::CurrentGroup() const {
  return Required(context_.State().CurrentGroup);
}

std::array<UpDownText*, 6> GroupSection::IKRangeFields() {
  return {txtIKJointMin[0], txtIKJointMax[0], txtIKJointMin[1],
          txtIKJointMax[1], txtIKJointMin[2], txtIKJointMax[2]};
}

void GroupSection::Fill(const SetupArguments& arguments) {
  // A selection that brings a light along shows only what that light
  // leaves meaningful: ambient light comes from nowhere in particular, so
  // placing, turning or jointing the group changes nothing it casts, and
  // only the custom fields stay; directional light comes from infinitely
  // far along its direction, so orientation and spin still matter while
  // position and the joint do not.
  const bool ambient = arguments.AmbientLightSelected;
  const bool directional = arguments.DirectionalLightSelected;
  Long pos = kFirstFrameTop;
  StackIfShown(fraPosition, !ambient && !directional, pos);
  StackIfShown(fraOrientation, !ambient, pos);
  StackIfShown(fraVelocity, !ambient, pos);
  StackIfShown(fraIK, !ambient && !directional, pos);
  custom_rows_.Arrange(context_.ActiveScene()->CustomGroupFieldNames(), pos);
  LoadGroupValues(FirstSelected(context_, &SceneGraph::GetSelectedGroup));
  context_.State().CurrentGroup =
      FirstSelected(context_, &SceneGraph::GetSelectedGroup);
}

void GroupSection::LoadGroupValues(const std::shared_ptr<Group>& group) {
  // Everything is shown relative to the group's parent, as the group is
  // placed in the outliner.
  std::shared_ptr<Group> parent = group->Parent();

  SingleVector3 position = group->GetPosition(parent, kCurrentKey);
  for (int axis = 0; axis < kAxes; ++axis) {
    txtPosition[axis]->SetText(
        FormatNumber(Component(position, axis), kPositionPattern));
  }

  Orientation orientation = group->GetOrientation(parent, kCurrentKey);
  SingleVector3 angles = context_.SceneUtil()->OrientationToEuler(
      orientation.Forward, orientation.Up);
  for (int axis = 0; axis < kAxes; ++axis) {
    txtOrientation[axis]->SetText(FormatNumber(
        OrientationToDegrees(Component(angles, axis)), kOrientationPattern));
  }

  // Only the speed is shown; the axis stays as the group has it.
  RotationalVelocity velocity = group->GetRotationalVelocity();
  txtRotationTheta.SetText(
      FormatNumber(RevolutionsPerSecond(velocity.Theta), kVelocityPattern));

  SetWhileDisabled(cboIKJoint,
                   [&] { cboIKJoint.SetListIndex(group->IKJointMode()); });
  IKJointLimits limits = group->GetIKJointLimits();
  const Single in_field_order[] = {limits.MinX, limits.MaxX, limits.MinY,
                                   limits.MaxY, limits.MinZ, limits.MaxZ};
  std::array<UpDownText*, 6> fields = IKRangeFields();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    fields[i]->SetText(SingleToText(JointLimitToDegrees(in_field_order[i])));
  }
  UpdateIKJointFields();

  custom_rows_.Fill([&] { return group; });
}

}  // namespace morvel

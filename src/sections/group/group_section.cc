#include "sections/group/group_section.h"

#include <memory>

#include "base/error.h"
#include "base/numbers.h"
#include "kit/transaction.h"
#include "scene/scene.h"
#include "sections/group/angles.h"
#include "sections/group/current_group.h"

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

// Shows `frame` at `pos` and moves `pos` below it, or hides it and leaves
// `pos` where it is.
void StackIfShown(Frame& frame, bool shown, Long& pos) {
  frame.SetVisible(shown);
  if (shown) StackFrame(frame, pos);
}

}  // namespace

GroupSection::GroupSection(PanelContext& context)
    : context_(context),
      fraGroupProperties(context.Widgets().Get<Frame>("fraGroupProperties")),
      fraPosition(context.Widgets().Get<Frame>("fraPosition")),
      fraOrientation(context.Widgets().Get<Frame>("fraOrientation")),
      fraVelocity(context.Widgets().Get<Frame>("fraVelocity")),
      fraIK(context.Widgets().Get<Frame>("fraIK")),
      txtPositionX(context.Widgets().Get<UpDownText>("txtPositionX")),
      txtPositionY(context.Widgets().Get<UpDownText>("txtPositionY")),
      txtPositionZ(context.Widgets().Get<UpDownText>("txtPositionZ")),
      txtOrientationX(context.Widgets().Get<UpDownText>("txtOrientationX")),
      txtOrientationY(context.Widgets().Get<UpDownText>("txtOrientationY")),
      txtOrientationZ(context.Widgets().Get<UpDownText>("txtOrientationZ")),
      txtRotationTheta(context.Widgets().Get<UpDownText>("txtRotationTheta")),
      cboIKJoint(context.Widgets().Get<ComboBox>("cboIKJoint")),
      txtIKJointMinX(context.Widgets().Get<UpDownText>("txtIKJointMinX")),
      txtIKJointMaxX(context.Widgets().Get<UpDownText>("txtIKJointMaxX")),
      txtIKJointMinY(context.Widgets().Get<UpDownText>("txtIKJointMinY")),
      txtIKJointMaxY(context.Widgets().Get<UpDownText>("txtIKJointMaxY")),
      txtIKJointMinZ(context.Widgets().Get<UpDownText>("txtIKJointMinZ")),
      txtIKJointMaxZ(context.Widgets().Get<UpDownText>("txtIKJointMaxZ")),
      custom_rows_(context.Widgets(), "fraCustomGroupFields",
                   "lblCustomGroupFieldName", "txtCustomGroupFieldValue") {
  for (UpDownText* field :
       {&txtPositionX, &txtPositionY, &txtPositionZ, &txtOrientationX,
        &txtOrientationY, &txtOrientationZ}) {
    ConnectValueField(*field, [this] { ApplyGroupTransform(); });
  }
  ConnectValueField(txtRotationTheta, [this] { ApplyRotationalVelocity(); });
  ConnectGuardedClick(cboIKJoint, [this] { IKJointClick(); });
  for (UpDownText* field : IKRangeFields()) {
    ConnectValueField(*field, [this] { ApplyIKJoint(); });
  }
  custom_rows_.RefusePipeKeys();
  for (Long row = 0; row < CustomFieldRows::kRowCount; ++row) {
    custom_rows_.value(row).on_value_committed = [this](int) {
      WithPropertiesSource([this] { ApplyCustomGroupFields(); });
    };
  }
}

std::array<UpDownText*, 6> GroupSection::IKRangeFields() {
  return {&txtIKJointMinX, &txtIKJointMaxX, &txtIKJointMinY,
          &txtIKJointMaxY, &txtIKJointMinZ, &txtIKJointMaxZ};
}

void GroupSection::LoadGroupProperties(const SetupArguments& arguments) {
  WithPropertiesSource([&] {
    ShowSectionFrame(fraGroupProperties, context_.Container().InnerHeight());
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
    LoadGroupValues();
    context_.State().CurrentGroup = SelectedGroup(context_);
  });
}

void GroupSection::LoadGroupValues() {
  WithPropertiesSource([&] {
    std::shared_ptr<Group> group = SelectedGroup(context_);
    // Everything is shown relative to the group's parent, as the group is
    // placed in the outliner.
    std::shared_ptr<Group> parent = group->Parent();

    SingleVector3 position = group->GetPosition(parent, kCurrentKey);
    txtPositionX.SetText(FormatNumber(position.X, kPositionPattern));
    txtPositionY.SetText(FormatNumber(position.Y, kPositionPattern));
    txtPositionZ.SetText(FormatNumber(position.Z, kPositionPattern));

    Orientation orientation = group->GetOrientation(parent, kCurrentKey);
    SingleVector3 angles = context_.SceneUtil()->OrientationToEuler(
        orientation.Forward, orientation.Up);
    txtOrientationX.SetText(
        FormatNumber(OrientationToDegrees(angles.X), kOrientationPattern));
    txtOrientationY.SetText(
        FormatNumber(OrientationToDegrees(angles.Y), kOrientationPattern));
    txtOrientationZ.SetText(
        FormatNumber(OrientationToDegrees(angles.Z), kOrientationPattern));

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

    // Hidden rows are filled too: a commit writes all six back, and must
    // write back what the group holds.
    if (custom_rows_.frame().Visible()) {
      for (Long row = 0; row < CustomFieldRows::kRowCount; ++row) {
        custom_rows_.value(row).SetText(group->GetCustomFieldValue(row));
      }
    }
  });
}

}  // namespace morvel

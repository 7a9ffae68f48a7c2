#include "sections/common/common_section.h"

#include "base/error.h"
#include "kit/editors.h"
#include "kit/section_layout.h"
#include "kit/selection.h"
#include "kit/transaction.h"
#include "scene/scene.h"
#include "sections/common/common_layout.h"
#include "sections/common/draw_mode.h"

namespace morvel {
namespace {

// Every check box of the common frame sits on a 285-twip row.
constexpr Long kRowHeight = 285;
constexpr Long kCommonFrameLeft = 0;
constexpr Long kCommonFrameTop = 45;
// The divider's Left while it shows: its side borders outside the panel.
constexpr Long kDividerLeft = -30;

}  // namespace

CommonSection::CommonSection(PanelContext& context)
    : context_(context), widgets_(context.Widgets(), CommonLayout()) {
  ConnectGuardedEditor(chkCommonHide, [this] { HideClick(); });
  ConnectGuardedEditor(chkCommonLockEnable, [this] { LockEnableClick(); });
  ConnectGuardedEditor(chkCommonShadowless, [this] { ShadowlessClick(); });
  ConnectDisplayOptions();
}

void CommonSection::PrepareForRunTime() {
  fraBottomDivider.SetWidth(kRunTimeFrameWidth);
}

void CommonSection::Park(const SetupView& view) {
  const bool common_tab = view.Tab() == kCommonTab;
  if (view.Tab() == kObjectTab || view.total == 0) {
    morvel::Park(fraCommonProperties);
    morvel::Park(fraShapeCommonProperties);
  }
  if (common_tab && view.arguments.ShapesSelectedCount != 1) {
    chkCommonShadowless.SetVisible(false);
    morvel::Park(fraShapeCommonProperties);
  }
  // Only the divider's Left is decided here; its Top is the loader's.
  fraBottomDivider.SetLeft(common_tab && view.total > 0 ? kDividerLeft
                                                        : kParkedLeft);
}

bool CommonSection::Loads(const SetupView& view) const {
  return view.Tab() == kCommonTab && view.total > 0;
}

void CommonSection::SetFromQuery(CheckBox& box,
                                 Long (SceneUtility::*query)(Long)) {
  SetWhileDisabled(box, [&] {
    Long list = context_.SelectionList();
    Long state = (*context_.SceneUtil().*query)(list);
    box.SetValue(LongToCheckValue(state));
  });
}

void CommonSection::Load(const SetupArguments& arguments) {
  WithPropertiesSource([&] {
    fraCommonProperties.SetLeft(kCommonFrameLeft);
    fraCommonProperties.SetTop(kCommonFrameTop);
    fraCommonProperties.SetEnabled(true);
    SetFromQuery(chkCommonHide, &SceneUtility::GetHiddenState);

    if (arguments.SelectionEntity == kNodeTypeShape) {
      chkCommonShadowless.SetVisible(true);
      SetFromQuery(chkCommonShadowless, &SceneUtility::GetShadowlessState);
      chkCommonLockEnable.SetCaption("Lock");
      chkCommonLockEnable.SetVisible(true);
      fraCommonProperties.SetHeight(
          CheckedAdd(chkCommonLockEnable.Top(), kRowHeight));
      SetFromQuery(chkCommonLockEnable, &SceneUtility::GetLockedState);
      LoadShapeDisplayOptions(arguments.RenderMode);
      fraBottomDivider.SetTop(CheckedAdd(fraShapeCommonProperties.Top(),
                                         fraShapeCommonProperties.Height()));
      return;
    }

    if (arguments.SelectionEntity == kNodeTypeBone) {
      chkCommonLockEnable.SetCaption("Enable");
      chkCommonLockEnable.SetVisible(true);
      fraCommonProperties.SetHeight(
          CheckedAdd(chkCommonLockEnable.Top(), kRowHeight));
      SetFromQuery(chkCommonLockEnable, &SceneUtility::GetEnabledState);
    } else {
      chkCommonLockEnable.SetVisible(false);
      fraCommonProperties.SetHeight(
          CheckedAdd(chkCommonHide.Top(), kRowHeight));
    }
    fraBottomDivider.SetTop(
        CheckedAdd(fraCommonProperties.Top(), fraCommonProperties.Height()));
    // Ambient light has no direction, so it casts no shadows to switch off.
    if (arguments.SelectionEntity == kNodeTypeLight &&
        !arguments.AmbientLightSelected) {
      chkCommonShadowless.SetVisible(true);
      SetFromQuery(chkCommonShadowless, &SceneUtility::GetShadowlessState);
    }
  });
}

void CommonSection::LoadShapeDisplayOptions(Long render_mode) {
  fraShapeCommonProperties.SetEnabled(true);
  fraShapeCommonProperties.SetLeft(0);
  fraShapeCommonProperties.SetTop(
      CheckedAdd(fraCommonProperties.Top(), fraCommonProperties.Height()));
  SetFromQuery(chkShapeDrawPoints, &SceneUtility::GetDrawPointsState);
  SetFromQuery(chkShapeDrawNormals, &SceneUtility::GetDrawNormalsState);
  SetFromQuery(chkShapeDisplayAsBox, &SceneUtility::GetDisplayAsBoxState);
  SetFromQuery(chkShapeDrawTranslucent, &SceneUtility::GetDrawTranslucentState);
  SetWhileDisabled(cboShapeDraw, [&] { SelectDrawMode(render_mode); });
}

void CommonSection::HideClick() {
  SceneTransaction transaction(context_, kLayerSysProperties);
  bool hide = chkCommonHide.Value() != 0;
  std::shared_ptr<Hierarchy> hierarchy = context_.ActiveScene()->Hierarchy();
  Long list = context_.SelectionList();
  HiddenChanges changed =
      context_.SceneUtil()->SetHidden(hierarchy, list, 0, 0, hide);
  PropertiesEvents& events = context_.Events();
  if (changed.shapes) events.evtShapeHidden8();
  if (changed.lights) events.evtLightHidden8();
  if (changed.bones) events.evtBoneHidden8();
  if (changed.groups) events.evtGroupHidden8();
  if (changed.cameras) events.evtCameraHidden8();
  transaction.Commit(false);
}

void CommonSection::LockEnableClick() {
  SceneTransaction transaction(context_, kLayerSysProperties);
  bool hierarchy_changed = false;
  ForEachSelectedNode(
      context_, SelectionFetch::kAfreshForEachItem, [&](SceneNode& node) {
        bool on = chkCommonLockEnable.Value() != 0;
        if (node.NodeType() == kNodeTypeShape) {
          node.SetLocked(on);
          return true;
        }
        // Anything else on a Lock/Enable selection is a bone: switching it
        // changes which bones deform the skin, so the host rebuilds its
        // hierarchy view once any bone switched.
        Long result = Required(node.Bone())->SetBoneEnabled(on);
        if (on && result == kBoneNoSkin) {
          context_.ShowMessage(kMessageSkinNotFound);
          return false;
        }
        if (result == kBoneSkinNotRelaxed) {
          context_.ShowMessage(on ? kMessageRelaxBeforeEnabling
                                  : kMessageRelaxBeforeDisabling);
          return false;
        }
        hierarchy_changed = true;
        return true;
      });
  transaction.Commit(hierarchy_changed);
}

void CommonSection::ShadowlessClick() {
  SceneTransaction transaction(context_, kLayerSysProperties);
  ForEachSelectedNode(
      context_, SelectionFetch::kAfreshForEachItem, [&](SceneNode& node) {
        Long node_type = node.NodeType();
        // A grey box (2) is not "shadowless": only a checked box switches
        // the shadows off.
        bool shadows = chkCommonShadowless.Value() != 1;
        if (node_type == kNodeTypeShape) {
          node.SetCastsShadows(shadows);
          return;
        }
        std::shared_ptr<Hierarchy> hierarchy =
            context_.ActiveScene()->Hierarchy();
        std::shared_ptr<SceneNode> reference = node.ObjectRef();
        std::shared_ptr<Light> light =
            context_.Graph().GetLightOfNode(hierarchy, reference);
        Required(light)->SetCastsShadows(shadows);
      });
  transaction.Commit(false);
}

}  // namespace morvel

#include "sections/common/common_section.h"

#include "base/error.h"
#include "kit/transaction.h"
#include "scene/scene.h"
#include "sections/common/draw_mode.h"

namespace morvel {
namespace {

// Every check box of the common frame sits on a 285-twip row.
constexpr Long kRowHeight = 285;
constexpr Long kCommonFrameLeft = 0;
constexpr Long kCommonFrameTop = 45;

}  // namespace

CommonSection::CommonSection(PanelContext& context)
    : context_(context),
      fraCommonProperties(context.Widgets().Get<Frame>("fraCommonProperties")),
      fraShapeCommonProperties(
          context.Widgets().Get<Frame>("fraShapeCommonProperties")),
      fraBottomDivider(context.Widgets().Get<Frame>("fraBottomDivider")),
      chkCommonHide(context.Widgets().Get<CheckBox>("chkCommonHide")),
      chkCommonLockEnable(
          context.Widgets().Get<CheckBox>("chkCommonLockEnable")),
      chkCommonShadowless(
          context.Widgets().Get<CheckBox>("chkCommonShadowless")),
      chkShapeDisplayAsBox(
          context.Widgets().Get<CheckBox>("chkShapeDisplayAsBox")),
      chkShapeDrawPoints(context.Widgets().Get<CheckBox>("chkShapeDrawPoints")),
      chkShapeDrawNormals(
          context.Widgets().Get<CheckBox>("chkShapeDrawNormals")),
      chkShapeDrawTranslucent(
          context.Widgets().Get<CheckBox>("chkShapeDrawTranslucent")),
      cboShapeDraw(context.Widgets().Get<ComboBox>("cboShapeDraw")),
      cmdSource(context.Widgets().Get<Button>("cmdSource")) {
  ConnectGuardedClick(chkCommonHide, [this] { HideClick(); });
  ConnectGuardedClick(chkCommonLockEnable, [this] { LockEnableClick(); });
  ConnectGuardedClick(chkCommonShadowless, [this] { ShadowlessClick(); });
  // The Source button has no value a loader sets, so it needs no guard.
  cmdSource.on_click = [this] {
    WithPropertiesSource([this] { SourceClick(); });
  };
}

void CommonSection::SetFromQuery(CheckBox& box,
                                 Long (SceneUtility::*query)(Long)) {
  SetWhileDisabled(box, [&] {
    Long list = context_.SelectionList();
    Long state = (*context_.SceneUtil().*query)(list);
    box.SetValue(LongToCheckValue(state));
  });
}

void CommonSection::LoadCommonProperties(const SetupArguments& arguments) {
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

      fraShapeCommonProperties.SetEnabled(true);
      fraShapeCommonProperties.SetLeft(0);
      fraShapeCommonProperties.SetTop(
          CheckedAdd(fraCommonProperties.Top(), fraCommonProperties.Height()));
      SetFromQuery(chkShapeDrawPoints, &SceneUtility::GetDrawPointsState);
      SetFromQuery(chkShapeDrawNormals, &SceneUtility::GetDrawNormalsState);
      SetFromQuery(chkShapeDisplayAsBox, &SceneUtility::GetDisplayAsBoxState);
      SetFromQuery(chkShapeDrawTranslucent,
                   &SceneUtility::GetDrawTranslucentState);
      SetWhileDisabled(cboShapeDraw,
                       [&] { SelectDrawMode(arguments.RenderMode); });
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

void CommonSection::SelectDrawMode(Long render_mode) {
  Long entry = DrawModeEntry(render_mode);
  if (entry == kMixedEntry) {
    // "Mixed" is added only to the six fixed modes. Repeated loads of mixed
    // selections would otherwise stack one more "Mixed" per load, and the
    // draw-mode editor takes one away only when the list has exactly seven
    // entries, so the extra ones would stay for good.
    if (cboShapeDraw.ListCount() == kMixedEntry) {
      cboShapeDraw.AddItem(kMixedItem, kMixedEntry);
    }
  }
  cboShapeDraw.SetListIndex(entry);
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
  Long count = context_.Graph().GetSelectionCount(context_.SelectionList());
  for (Long i = 0; i < count; ++i) {
    Long list = context_.SelectionList();
    std::shared_ptr<SceneNode> node = context_.Graph().GetSelectedNode(list, i);
    Required(node);
    bool on = chkCommonLockEnable.Value() != 0;
    if (node->NodeType() == kNodeTypeShape) {
      node->SetLocked(on);
      continue;
    }
    // Anything else on a Lock/Enable selection is a bone: switching it
    // changes which bones deform the skin, so the host rebuilds its
    // hierarchy view once any bone switched.
    Long result = Required(node->Bone())->SetBoneEnabled(on);
    if (on && result == kBoneNoSkin) {
      context_.ShowMessage(kMessageSkinNotFound);
      break;
    }
    if (result == kBoneSkinNotRelaxed) {
      context_.ShowMessage(on ? kMessageRelaxBeforeEnabling
                              : kMessageRelaxBeforeDisabling);
      break;
    }
    hierarchy_changed = true;
  }
  transaction.Commit(hierarchy_changed);
}

void CommonSection::ShadowlessClick() {
  SceneTransaction transaction(context_, kLayerSysProperties);
  Long count = context_.Graph().GetSelectionCount(context_.SelectionList());
  for (Long i = 0; i < count; ++i) {
    Long list = context_.SelectionList();
    std::shared_ptr<SceneNode> node = context_.Graph().GetSelectedNode(list, i);
    Required(node);
    Long node_type = node->NodeType();
    // A grey box (2) is not "shadowless": only a checked box switches the
    // shadows off.
    bool shadows = chkCommonShadowless.Value() != 1;
    if (node_type == kNodeTypeShape) {
      node->SetCastsShadows(shadows);
    } else {
      std::shared_ptr<Hierarchy> hierarchy =
          context_.ActiveScene()->Hierarchy();
      std::shared_ptr<SceneNode> reference = node->ObjectRef();
      std::shared_ptr<Light> light =
          context_.Graph().GetLightOfNode(hierarchy, reference);
      Required(light)->SetCastsShadows(shadows);
    }
  }
  transaction.Commit(false);
}

void CommonSection::SourceClick() { context_.RaiseOpenSource(); }

}  // namespace morvel

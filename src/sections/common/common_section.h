#ifndef MORVEL_SECTIONS_COMMON_COMMON_SECTION_H_
#define MORVEL_SECTIONS_COMMON_COMMON_SECTION_H_

#include <vector>

#include "base/types.h"
#include "kit/panel_context.h"
#include "kit/section.h"
#include "kit/section_widgets.h"
#include "widgets/widget.h"

namespace morvel {

// The messages of the Lock/Enable editor when a bone cannot be switched.
inline constexpr const char* kMessageSkinNotFound =
    "Unable to find skin. It must be located in the same group as the bone or "
    "a group above in the hierarchy. There must be a bone in each group "
    "between the bone selected and the skin, including the skin's group.";
inline constexpr const char* kMessageRelaxBeforeEnabling =
    "The skin must be relaxed before bones can be enabled. Select a bone that "
    "is attached to the skin and click the \"Relax Skin\" button on the Edit "
    "Toolbar.";
inline constexpr const char* kMessageRelaxBeforeDisabling =
    "The skin must be relaxed before bones can be disabled. Select a bone "
    "that is attached to the skin and click the \"Relax Skin\" button on the "
    "Edit Toolbar.";

// The common tab: what any selection, of one object or many, has in common.
// Hide, Lock (shapes) or Enable (bones), Shadowless (shapes and lights) in
// fraCommonProperties, and for shapes the display options and draw mode in
// fraShapeCommonProperties, each shown as the tri-state the scene reports
// over the whole selection; the divider below them. The section owns all
// three frames: it places and fills them, and its editors write them back
// to every selected object.
//
// The loader and the Hide, Lock/Enable and Shadowless editors live in
// common_section.cc; the display options and the draw-mode list in
// display_options.cc.
class CommonSection : public Section {
 public:
  explicit CommonSection(PanelContext& context);

  std::vector<Frame*> Frames() override {
    return {&fraCommonProperties, &fraShapeCommonProperties};
  }
  // The divider becomes as wide as the section frames; the two common
  // frames keep their designed places.
  void PrepareForRunTime() override;
  void FillFixedLists() override;
  // Out of view on the object tab and for an empty selection; the shape
  // display options also for anything but one shape on the common tab,
  // where Shadowless hides too. The divider shows on the common tab for a
  // selection and is parked otherwise.
  void Park(const SetupView& view) override;
  // On the common tab, for any selection.
  bool Loads(const SetupView& view) const override;
  // LoadCommonProperties: places and fills fraCommonProperties (and
  // fraShapeCommonProperties for a shape selection) and puts the divider
  // below them. Of its arguments it reads SelectionEntity,
  // AmbientLightSelected and RenderMode.
  void Load(const SetupArguments& arguments) override;

 private:
  // Disables `box`, sets it from `query` over the selection list fetched
  // afresh, enables it again.
  void SetFromQuery(CheckBox& box, Long (SceneUtility::*query)(Long));
  // The shape display options of a shape selection, below the common frame.
  void LoadShapeDisplayOptions(Long render_mode);
  void SelectDrawMode(Long render_mode);

  void HideClick();
  void LockEnableClick();
  void ShadowlessClick();

  // display_options.cc
  void ConnectDisplayOptions();
  void DrawClick();
  void DisplayAsBoxClick();

  PanelContext& context_;
  SectionWidgets widgets_;
  // Typed handles to the widgets of its own table that it works with.
  Frame& fraCommonProperties = widgets_.Get<Frame>("fraCommonProperties");
  Frame& fraShapeCommonProperties =
      widgets_.Get<Frame>("fraShapeCommonProperties");
  Frame& fraBottomDivider = widgets_.Get<Frame>("fraBottomDivider");
  CheckBox& chkCommonHide = widgets_.Get<CheckBox>("chkCommonHide");
  CheckBox& chkCommonLockEnable = widgets_.Get<CheckBox>("chkCommonLockEnable");
  CheckBox& chkCommonShadowless = widgets_.Get<CheckBox>("chkCommonShadowless");
  CheckBox& chkShapeDisplayAsBox =
      widgets_.Get<CheckBox>("chkShapeDisplayAsBox");
  CheckBox& chkShapeDrawPoints = widgets_.Get<CheckBox>("chkShapeDrawPoints");
  CheckBox& chkShapeDrawNormals = widgets_.Get<CheckBox>("chkShapeDrawNormals");
  CheckBox& chkShapeDrawTranslucent =
      widgets_.Get<CheckBox>("chkShapeDrawTranslucent");
  ComboBox& cboShapeDraw = widgets_.Get<ComboBox>("cboShapeDraw");
};

}  // namespace morvel

#endif  // MORVEL_SECTIONS_COMMON_COMMON_SECTION_H_

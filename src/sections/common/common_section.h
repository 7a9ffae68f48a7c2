#ifndef MORVEL_SECTIONS_COMMON_COMMON_SECTION_H_
#define MORVEL_SECTIONS_COMMON_COMMON_SECTION_H_

#include <functional>
#include <string>

#include "base/types.h"
#include "kit/panel_context.h"
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
// Hide, Lock (shapes) or Enable (bones), Shadowless (shapes and lights), and
// for shapes the display options and draw mode, each shown as the tri-state
// the scene reports over the whole selection. Also the shape section's
// Source button, which only asks the host to open the source view.
class CommonSection {
 public:
  explicit CommonSection(PanelContext& context);
  CommonSection(const CommonSection&) = delete;
  CommonSection& operator=(const CommonSection&) = delete;

  // Places and fills fraCommonProperties (and fraShapeCommonProperties for a
  // shape selection) and puts the bottom divider below them. Of its
  // arguments it reads SelectionEntity, AmbientLightSelected and RenderMode.
  void LoadCommonProperties(const SetupArguments& arguments);

 private:
  // Disables `box`, sets it from `query` over the selection list fetched
  // afresh, enables it again.
  void SetFromQuery(CheckBox& box, Long (SceneUtility::*query)(Long));
  void SelectDrawMode(Long render_mode);

  void HideClick();
  void LockEnableClick();
  void ShadowlessClick();
  void SourceClick();

  PanelContext& context_;
  Frame& fraCommonProperties;
  Frame& fraShapeCommonProperties;
  Frame& fraBottomDivider;
  CheckBox& chkCommonHide;
  CheckBox& chkCommonLockEnable;
  CheckBox& chkCommonShadowless;
  CheckBox& chkShapeDisplayAsBox;
  CheckBox& chkShapeDrawPoints;
  CheckBox& chkShapeDrawNormals;
  CheckBox& chkShapeDrawTranslucent;
  ComboBox& cboShapeDraw;
  Button& cmdSource;
};

}  // namespace morvel

#endif  // MORVEL_SECTIONS_COMMON_COMMON_SECTION_H_

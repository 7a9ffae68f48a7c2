#ifndef MORVEL_PANEL_PROPERTIES_IMPL_H_
#define MORVEL_PANEL_PROPERTIES_IMPL_H_

#include <memory>

#include "base/types.h"
#include "host/scene_services.h"
#include "kit/panel_context.h"
#include "panel/properties.h"
#include "sections/bone/bone_section.h"
#include "sections/camera/camera_section.h"
#include "sections/common/common_section.h"
#include "sections/group/group_section.h"
#include "sections/light/light_section.h"
#include "sections/materials/materials_section.h"
#include "sections/shape/display_options.h"
#include "sections/shape/shape_section.h"
#include "widgets/widget.h"

namespace morvel {

// Frames out of sight sit this far to the left; at run time every section
// frame is this wide and the panel clips it at its right edge.
inline constexpr Long kParkedLeft = -50000;
inline constexpr Long kRunTimeFrameWidth = 50000;
// The tabs SetupPropertiesPanel tells apart.
inline constexpr Long kCommonTab = 2;
inline constexpr Long kObjectTab = 3;

// The panel behind Properties: its widgets, its instance state and its
// sections. The members below are declared so that the widgets exist before
// the state refers to them and the sections are built last, once the context
// they work in is complete.
class PropertiesImpl {
 public:
  PropertiesImpl(PlatformServices platform, PropertiesEvents& events,
                 PanelContainer& container, SceneServices* services);
  PropertiesImpl(const PropertiesImpl&) = delete;
  PropertiesImpl& operator=(const PropertiesImpl&) = delete;

  void SetupPropertiesPanel(const SetupArguments& args);
  void SetSceneGraph(const std::shared_ptr<SceneGraph>& MorvelSceneGraph,
                     const std::shared_ptr<Applier>& Applier);
  Long lVBColor() const { return state_.light_colour; }
  void SetlVBColor(Long value);
  bool Enabled() const { return state_.enabled; }
  void SetEnabled(bool value);
  Long hWnd() const { return container_.hWnd(); }

  void ReadProperties();
  void Resize();
  void KeyDown(Integer key_code, Integer shift);
  void Terminate();

  WidgetTree& Widgets() { return widgets_; }
  const WidgetTree& Widgets() const { return widgets_; }
  PanelState& State() { return state_; }
  PanelContext& Context() { return context_; }

  CommonSection& Common() { return common_; }
  MaterialsSection& Materials() { return materials_; }
  ShapeSection& Shape() { return shape_; }
  GroupSection& GroupSec() { return group_; }
  LightSection& LightSec() { return light_; }
  CameraSection& CameraSec() { return camera_; }
  BoneSection& BoneSec() { return bone_; }

 private:
  void InitializePanel();
  // Left = -50000, Enabled = False.
  static void Park(Widget& frame);

  PlatformServices platform_;
  PanelContainer& container_;
  WidgetTree widgets_;
  PanelState state_;
  PanelContext context_;
  CommonSection common_;
  ShapeDisplayOptions display_options_;
  MaterialsSection materials_;
  ShapeSection shape_;
  GroupSection group_;
  LightSection light_;
  CameraSection camera_;
  BoneSection bone_;
};

}  // namespace morvel

#endif  // MORVEL_PANEL_PROPERTIES_IMPL_H_

#ifndef MORVEL_PANEL_PROPERTIES_H_
#define MORVEL_PANEL_PROPERTIES_H_

#include <memory>
#include <string>

#include "base/types.h"
#include "host/host_interface.h"
#include "platform/platform.h"
#include "widgets/widget.h"

// The one public component of the library: the property panel a 3D modelling
// host embeds beside its viewports. A host
//   1. implements PropertiesEvents (and, when it has a real window,
//      PanelContainer),
//   2. creates a Properties with its platform services,
//   3. calls ReadProperties() once, SetSceneGraph() once it has a scene,
//   4. calls SetupPropertiesPanel() whenever the selection or the tab changes,
//   5. answers the events: prepare/apply around every edit, mesh operations,
//      the source view, switchable warnings.
namespace morvel {

class SceneGraph;
class Applier;
class SceneServices;

class PropertiesImpl;

class Properties {
 public:
  // `platform`, `events` and `container` must outlive the panel. `utilities`
  // supplies the scene library's shared objects (scene, dialog and maths
  // utilities, the picture utility); null means the reference ones.
  Properties(PlatformServices platform, PropertiesEvents& events,
             PanelContainer& container, SceneServices* utilities = nullptr);
  ~Properties();
  Properties(const Properties&) = delete;
  Properties& operator=(const Properties&) = delete;

  // Methods and properties of the panel's public interface. Arguments are
  // passed by reference and never written.
  void SetupPropertiesPanel(const Long& SelectedTab, const Long& SelectionEntity,
                            const Long& ShapesSelectedCount,
                            const Long& LightsSelectedCount,
                            const Long& BonesSelectedCount,
                            const Long& CamerasSelectedCount,
                            const Long& GroupsSelectedCount,
                            const bool& AmbientLightSelected,
                            const bool& DirectionalLightSelected,
                            const bool& SceneSelected, const Long& RenderMode);
  // The same call with the arguments gathered in one record.
  void SetupPropertiesPanel(const SetupArguments& arguments);
  void SetSceneGraph(const std::shared_ptr<SceneGraph>& MorvelSceneGraph,
                     const std::shared_ptr<Applier>& Applier);
  Long lVBColor() const;
  void SetlVBColor(Long value);
  bool Enabled() const;
  void SetEnabled(bool value);
  Long hWnd() const;

  // The container's notifications.
  void ReadProperties();
  void Resize();
  void KeyDown(Integer key_code, Integer shift);
  void Terminate();

  // The panel's widgets, for views (the Qt adapter) and tools.
  WidgetTree& Widgets();
  const WidgetTree& Widgets() const;

  // Not part of the embedding interface: the library's own tests reach the
  // implementation through PropertiesAccess (panel/properties_access.h).
  friend struct PropertiesAccess;

 private:
  std::unique_ptr<PropertiesImpl> impl_;
};

}  // namespace morvel

#endif  // MORVEL_PANEL_PROPERTIES_H_

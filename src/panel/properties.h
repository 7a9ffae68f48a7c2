#ifndef MORVEL_PANEL_PROPERTIES_H_
#define MORVEL_PANEL_PROPERTIES_H_

#include <memory>
#include <string>

#include "base/types.h"
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

// The events of the panel, in declaration order. Every parameter is passed
// by reference, as the host's event interface declares them; the panel never
// reads them back. The host's handler has run when the raise returns.
class PropertiesEvents {
 public:
  virtual ~PropertiesEvents() = default;
  virtual void evtShapeHidden8() {}
  virtual void evtLightHidden8() {}
  virtual void evtBoneHidden8() {}
  virtual void evtGroupHidden8() {}
  virtual void evtCameraHidden8() {}
  virtual void evtReqPrepareForSceneChanges(std::string& LayerSource) {
    (void)LayerSource;
  }
  virtual void evtReqApplySceneChanges(bool& HierarchyChanged) {
    (void)HierarchyChanged;
  }
  virtual void evtReqOpenSource() {}
  virtual void evtReqApplyOperation(std::string& Operation) { (void)Operation; }
  virtual void evtReqWarn(std::string& ApplicationRegistryKey,
                          std::string& Warning,
                          std::string& WarningRegistryEntry) {
    (void)ApplicationRegistryKey;
    (void)Warning;
    (void)WarningRegistryEntry;
  }
};

// The facts the panel reads from the window that contains it. Heights and
// width in twips.
class PanelContainer {
 public:
  virtual ~PanelContainer() = default;
  // True in the host, False in a form designer.
  virtual bool UserMode() const = 0;
  // The height of the client area.
  virtual Long InnerHeight() const = 0;
  // The whole height, border included.
  virtual Long OuterHeight() const = 0;
  virtual Long Width() const = 0;
  virtual Long hWnd() const = 0;
};

// A container with settable facts: the headless hosts' and the tests'.
class FixedContainer : public PanelContainer {
 public:
  bool user_mode = true;
  Long inner_height = 9735;
  Long outer_height = 9735;
  Long width = 4000;
  Long window_handle = 0;
  bool UserMode() const override { return user_mode; }
  Long InnerHeight() const override { return inner_height; }
  Long OuterHeight() const override { return outer_height; }
  Long Width() const override { return width; }
  Long hWnd() const override { return window_handle; }
};

// The eleven arguments of SetupPropertiesPanel, in their order: the tab, then
// what the host says about its selection. Hosts compute one of these from
// their selection and hand it over whole; the section loaders that take the
// selection arguments receive it too (they never read the tab).
struct SetupArguments {
  Long SelectedTab = 0;
  Long SelectionEntity = 0;
  Long ShapesSelectedCount = 0;
  Long LightsSelectedCount = 0;
  Long BonesSelectedCount = 0;
  Long CamerasSelectedCount = 0;
  Long GroupsSelectedCount = 0;
  bool AmbientLightSelected = false;
  bool DirectionalLightSelected = false;
  bool SceneSelected = false;
  Long RenderMode = 0;
  friend bool operator==(const SetupArguments&,
                         const SetupArguments&) = default;
};

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

#ifndef MORVEL_HOST_HOST_INTERFACE_H_
#define MORVEL_HOST_HOST_INTERFACE_H_

#include <string>

#include "base/types.h"

// What a host and the panel say to each other, apart from the panel itself:
// the events the panel raises, the container the panel lives in and the
// arguments of a set-up. Code that only hosts the panel (the reference scene,
// the scenario runner's host, a host's own selection rules) needs this
// header and not the panel's.
namespace morvel {

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

}  // namespace morvel

#endif  // MORVEL_HOST_HOST_INTERFACE_H_

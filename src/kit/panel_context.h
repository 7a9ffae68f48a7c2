#ifndef MORVEL_KIT_PANEL_CONTEXT_H_
#define MORVEL_KIT_PANEL_CONTEXT_H_

#include <memory>
#include <string>

#include "base/types.h"
#include "host/host_interface.h"
#include "host/scene_services.h"
#include "platform/platform.h"
#include "scene/scene.h"
#include "widgets/widget.h"

namespace morvel {

// The instance state of one panel that the kit keeps for every section, in
// the order the panel keeps it. Fields named in backticks by the panel's
// design keep those names. What only one section uses (the material list's
// cell edit, for one) is that section's own.
struct PanelState {
  // Set by SetSceneGraph; every editor reaches the scene through it.
  std::shared_ptr<SceneGraph> scene_graph;
  // Set by SetSceneGraph; the mesh operation commits ask it for parameters.
  std::shared_ptr<Applier> applier;
  // Created once when the panel initialises; the material list hands it to
  // the map thumbnail queries.
  std::shared_ptr<PictureUtility> picture_utility;
  // The objects the section loaders show, each set as the loader's last
  // step (a load that fails before it leaves the field as it was) and kept
  // until the next load of the same section or until the panel terminates.
  // A new selection alone does not move them. Some editors write through
  // them, others to the selection fetched afresh; each section says which.
  //
  // The scene hands a bone out as a Group, so CurrentGroup serves both the
  // group and the bone section: LoadGroupProperties sets it to item 0 of the
  // selection asked for as a group, LoadBoneProperties as a bone. The group
  // editors and the bone's irregular offset write through it; the bone
  // sliders write to the bone fetched afresh, since the bone loader moves
  // them, and so writes, before it sets CurrentGroup.
  std::shared_ptr<Group> CurrentGroup;
  std::shared_ptr<SceneNode> CurrentShapeNode;
  std::shared_ptr<Light> CurrentLight;
  std::shared_ptr<Camera> CurrentCamera;
  // The value of the Enabled property.
  bool enabled = false;
  // True once InitializePanel has run; never reset.
  bool initialised = false;
  // The value of lVBColor (0x00BBGGRR).
  Colour light_colour = 0;
};

// What every section works with: the widgets, the panel's state, the scene
// (fetched afresh on every call, never cached), the host's events, the
// container and the platform services. Sections get one at construction and
// keep the reference; the panel outlives them.
class PanelContext {
 public:
  PanelContext(WidgetTree& widgets, PanelState& state, PropertiesEvents& events,
               PanelContainer& container, PlatformServices platform,
               SceneServices& services)
      : widgets_(widgets),
        state_(state),
        events_(events),
        container_(container),
        platform_(platform),
        services_(services) {}
  PanelContext(const PanelContext&) = delete;
  PanelContext& operator=(const PanelContext&) = delete;

  WidgetTree& Widgets() const { return widgets_; }
  PanelState& State() const { return state_; }
  PropertiesEvents& Events() const { return events_; }
  PanelContainer& Container() const { return container_; }
  const PlatformServices& Platform() const { return platform_; }
  SceneServices& Services() const { return services_; }

  // The scene graph the host handed over; error 91 while there is none.
  SceneGraph& Graph() const;
  // The active scene of the scene graph, fetched afresh.
  std::shared_ptr<Scene> ActiveScene() const;
  // The active scene's SelectionList, fetched afresh.
  Long SelectionList() const;

  // This thread's shared utilities (error 91 when the services give none).
  std::shared_ptr<SceneUtility> SceneUtil() const;
  std::shared_ptr<DialogUtility> DialogUtil() const;
  std::shared_ptr<MathUtility> MathUtil() const;

  // A modal message to the user: title "Morvel", exclamation icon, OK.
  void ShowMessage(const std::string& text) const;

  // Writes the lVBColor property and paints the light swatch with it. The
  // public setter and the light section both write through here, so the
  // property keeps one rule however it is written.
  void SetlVBColor(Long value) const;
  // The swatch lVBColor paints: the light section hands its picture box
  // over when it builds it.
  void ShowLightColourIn(PictureBox& swatch) { light_swatch_ = &swatch; }

  // The host's events with their parameters passed by reference, as the
  // host's interface declares them; the panel never reads them back.
  void RaisePrepare(const std::string& layer_source) const;
  void RaiseApply(bool hierarchy_changed) const;
  void RaiseOpenSource() const;
  void RaiseApplyOperation(const std::string& operation) const;
  void RaiseWarn(const std::string& application_registry_key,
                 const std::string& warning,
                 const std::string& warning_registry_entry) const;

 private:
  WidgetTree& widgets_;
  PanelState& state_;
  PropertiesEvents& events_;
  PanelContainer& container_;
  PlatformServices platform_;
  SceneServices& services_;
  PictureBox* light_swatch_ = nullptr;
};

// The title of every message the panel shows.
inline constexpr const char* kMessageTitle = "Morvel";

}  // namespace morvel

#endif  // MORVEL_KIT_PANEL_CONTEXT_H_

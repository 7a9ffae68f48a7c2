#ifndef MORVEL_PANEL_PROPERTIES_IMPL_H_
#define MORVEL_PANEL_PROPERTIES_IMPL_H_

#include <memory>
#include <vector>

#include "base/types.h"
#include "host/scene_services.h"
#include "kit/panel_context.h"
#include "kit/section.h"
#include "panel/properties.h"
#include "widgets/widget.h"

namespace morvel {

// The panel behind Properties: its widgets, its instance state and its
// sections, and the public members, each of which walks the one list of
// sections (panel/section_list.cc). The members below are declared so that
// the widgets exist before the state refers to them and the sections are
// built last, once the context they work in is complete.
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
  const std::vector<std::unique_ptr<Section>>& Sections() const {
    return sections_;
  }

 private:
  void InitializePanel();

  PlatformServices platform_;
  PanelContainer& container_;
  // The services of a panel given none (MakeDefaultSceneServices).
  std::unique_ptr<SceneServices> default_services_;
  WidgetTree widgets_;
  PanelState state_;
  PanelContext context_;
  std::vector<std::unique_ptr<Section>> sections_;
};

}  // namespace morvel

#endif  // MORVEL_PANEL_PROPERTIES_IMPL_H_

#ifndef MORVEL_PANEL_PANEL_TESTING_H_
#define MORVEL_PANEL_PANEL_TESTING_H_

// A panel in a headless host over the reference scene graph, for the section
// tests: created, read properties in user mode, container 4000 wide and
// 9735 high, handed a scene, and set up for a selection by the host rules.
// Header-only; tests that include it link morvel_memscene.

#include <memory>
#include <string>
#include <vector>

#include "kit/kit_testing.h"
#include "memscene/host_rules.h"
#include "memscene/mem_applier.h"
#include "memscene/mem_scene_graph.h"
#include "panel/properties.h"
#include "panel/properties_impl.h"
#include "platform/headless.h"
#include "platform/settings_store.h"

namespace morvel::testing {

class PanelHarness {
 public:
  explicit PanelHarness(const std::string& scene_text)
      : scene(MemSceneGraph::FromText(scene_text, "test scene")),
        applier(std::make_shared<MemApplier>(scene, &settings)),
        panel(PlatformServices{&clipboard, &messages, &settings, &metrics},
              events, container) {
    panel.ReadProperties();
    panel.Resize();
    panel.SetSceneGraph(scene, applier);
  }

  // Selects `names` and tells the panel, as the hosts do.
  void Show(Long tab, const std::vector<std::string>& names) {
    scene->Select(names);
    panel.SetupPropertiesPanel(ComputeSetupArguments(*scene, tab));
    scene->ClearJournal();
    events.log.clear();
  }

  template <class T>
  T& Get(const std::string& name, int index = -1) {
    return panel.Widgets().Get<T>(name, index);
  }
  Widget& W(const std::string& name, int index = -1) {
    return panel.Widgets().GetWidget(name, index);
  }
  std::vector<std::string> Journal() const { return scene->JournalLines(); }

  MemoryClipboard clipboard;
  RecordingMessageBox messages;
  MemorySettingsStore settings;
  FixedScreenMetrics metrics;
  RecordingEvents events;
  FixedContainer container;
  std::shared_ptr<MemSceneGraph> scene;
  std::shared_ptr<MemApplier> applier;
  Properties panel;
};

}  // namespace morvel::testing

#endif  // MORVEL_PANEL_PANEL_TESTING_H_

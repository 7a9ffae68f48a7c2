#include "memscene/host_rules.h"

#include <vector>

#include "memscene/handles.h"
#include "memscene/state.h"

namespace morvel {

SetupArguments ComputeSetupArguments(MemSceneGraph& scene, Long selected_tab) {
  mem::State& state = scene.state();
  mem::State::FaultPause pause(state);
  // The lights of each group, found in one pass over the nodes when the
  // first selected group asks.
  std::vector<std::vector<std::int32_t>> lights_of;
  auto lights_under = [&](const std::shared_ptr<SceneNode>& group) {
    const auto& nodes = state.content.nodes;
    if (lights_of.empty()) {
      lights_of.resize(nodes.size());
      for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].kind == kNodeTypeLight && nodes[i].parent >= 0)
          lights_of[static_cast<std::size_t>(nodes[i].parent)].push_back(
              static_cast<std::int32_t>(i));
      }
    }
    std::vector<std::shared_ptr<Light>> lights;
    for (std::int32_t light :
         lights_of[static_cast<std::size_t>(mem::AsNode(group).index())])
      lights.push_back(state.Handle(light));
    return lights;
  };
  return ComputeSetupArguments(static_cast<SceneGraph&>(scene), selected_tab,
                               lights_under);
}

}  // namespace morvel

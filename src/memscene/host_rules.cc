#include "memscene/host_rules.h"

#include <vector>

#include "memscene/state.h"

namespace morvel {

SetupArguments ComputeSetupArguments(const MemSceneGraph& scene,
                                     Long selected_tab) {
  const mem::SceneContent& content = scene.state().content;
  SetupArguments a;
  a.SelectedTab = selected_tab;
  if (!content.selection.empty()) {
    a.SelectionEntity =
        content.nodes[static_cast<std::size_t>(content.selection.front())].kind;
  }
  std::vector<bool> selected_group(content.nodes.size(), false);
  bool any_shape = false;
  for (std::int32_t i : content.selection) {
    const mem::NodeData& node = content.nodes[static_cast<std::size_t>(i)];
    switch (node.kind) {
      case kNodeTypeShape:
        ++a.ShapesSelectedCount;
        if (!any_shape) {
          a.RenderMode = node.draw_style;
          any_shape = true;
        } else if (a.RenderMode != node.draw_style) {
          a.RenderMode = -1;
        }
        break;
      case kNodeTypeLight:
        ++a.LightsSelectedCount;
        break;
      case kNodeTypeBone:
        ++a.BonesSelectedCount;
        break;
      case kNodeTypeCamera:
        ++a.CamerasSelectedCount;
        break;
      case kNodeTypeGroup:
        ++a.GroupsSelectedCount;
        selected_group[static_cast<std::size_t>(i)] = true;
        break;
    }
  }
  // A light counts when it is selected itself or its parent group is.
  std::vector<bool> selected(content.nodes.size(), false);
  for (std::int32_t i : content.selection)
    selected[static_cast<std::size_t>(i)] = true;
  for (std::size_t i = 0; i < content.nodes.size(); ++i) {
    const mem::NodeData& node = content.nodes[i];
    if (node.kind != kNodeTypeLight) continue;
    bool counts =
        selected[i] || (node.parent >= 0 &&
                        selected_group[static_cast<std::size_t>(node.parent)]);
    if (!counts) continue;
    Long type = content.lights[static_cast<std::size_t>(node.ext)].light_type;
    if (type == kLightTypeAmbient) a.AmbientLightSelected = true;
    if (type == kLightTypeDirectional) a.DirectionalLightSelected = true;
  }
  a.SceneSelected = false;
  return a;
}

}  // namespace morvel

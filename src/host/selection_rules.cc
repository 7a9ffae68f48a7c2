#include "host/selection_rules.h"

#include "base/error.h"

namespace morvel {
namespace {

void NoteLightType(Light& light, SetupArguments& a) {
  Long type = light.LightType();
  if (type == kLightTypeAmbient) a.AmbientLightSelected = true;
  if (type == kLightTypeDirectional) a.DirectionalLightSelected = true;
}

}  // namespace

SetupArguments ComputeSetupArguments(SceneGraph& scene_graph,
                                     Long selected_tab,
                                     const LightsUnderGroup& lights_under) {
  SetupArguments a;
  a.SelectedTab = selected_tab;
  const Long list = Required(scene_graph.GetActiveScene())->SelectionList();
  const Long count = scene_graph.GetSelectionCount(list);
  bool any_shape = false;
  for (Long i = 0; i < count; ++i) {
    std::shared_ptr<SceneNode> node = scene_graph.GetSelectedNode(list, i);
    const Long kind = Required(node)->NodeType();
    if (i == 0) a.SelectionEntity = kind;
    switch (kind) {
      case kNodeTypeShape: {
        ++a.ShapesSelectedCount;
        Long style = node->DrawStyle();
        if (!any_shape) {
          a.RenderMode = style;
          any_shape = true;
        } else if (a.RenderMode != style) {
          a.RenderMode = -1;
        }
        break;
      }
      case kNodeTypeLight:
        ++a.LightsSelectedCount;
        NoteLightType(*Required(scene_graph.GetSelectedLight(list, i)), a);
        break;
      case kNodeTypeBone:
        ++a.BonesSelectedCount;
        break;
      case kNodeTypeCamera:
        ++a.CamerasSelectedCount;
        break;
      case kNodeTypeGroup:
        ++a.GroupsSelectedCount;
        if (lights_under) {
          for (const std::shared_ptr<Light>& light : lights_under(node))
            NoteLightType(*Required(light), a);
        }
        break;
    }
  }
  return a;
}

}  // namespace morvel

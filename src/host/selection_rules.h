#ifndef MORVEL_HOST_SELECTION_RULES_H_
#define MORVEL_HOST_SELECTION_RULES_H_

#include <functional>
#include <memory>
#include <vector>

#include "base/types.h"
#include "host/host_interface.h"
#include "scene/scene_graph.h"

// How a host describes its selection to SetupPropertiesPanel, worked out
// through the scene-graph interfaces: the rules both hosts of this
// repository follow, for any scene graph.
namespace morvel {

// The lights directly under a group node (its children that are lights),
// for the ambient and directional flags. A host whose groups hold no
// lights passes none.
using LightsUnderGroup = std::function<std::vector<std::shared_ptr<Light>>(
    const std::shared_ptr<SceneNode>& group)>;

// The set-up arguments for the active scene's selection on `selected_tab`
// (2 common, 3 object):
// - the counts of selected nodes per NodeType (a bone counts as a bone
//   only);
// - SelectionEntity: the NodeType of the first selected node, 0 for none;
// - AmbientLightSelected / DirectionalLightSelected: a selected light, or a
//   light `lights_under` a selected group, has LightType 0 / 1;
// - SceneSelected: False (set it afterwards when the scene itself is
//   selected);
// - RenderMode: the DrawStyle the selected shapes share, -1 when they
//   differ, 0 when no shape is selected.
// The scene graph's errors pass through unchanged.
SetupArguments ComputeSetupArguments(SceneGraph& scene_graph,
                                     Long selected_tab,
                                     const LightsUnderGroup& lights_under = {});

}  // namespace morvel

#endif  // MORVEL_HOST_SELECTION_RULES_H_

#ifndef MORVEL_MEMSCENE_HOST_RULES_H_
#define MORVEL_MEMSCENE_HOST_RULES_H_

#include "base/types.h"
#include "memscene/mem_scene_graph.h"
#include "host/host_interface.h"

namespace morvel {

// How the hosts describe a selection to the panel:
// - the counts of selected nodes per kind (a bone counts as a bone only);
// - SelectionEntity: the kind code of the first selected node, 0 for none;
// - AmbientLightSelected / DirectionalLightSelected: a selected light, or a
//   light whose parent is a selected group, is ambient / directional;
// - SceneSelected: False (the hosts have no scene entry to select);
// - RenderMode: the DrawStyle the selected shapes share, -1 when they
//   differ, 0 when no shape is selected.
SetupArguments ComputeSetupArguments(const MemSceneGraph& scene,
                                     Long selected_tab);

}  // namespace morvel

#endif  // MORVEL_MEMSCENE_HOST_RULES_H_

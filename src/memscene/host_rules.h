#ifndef MORVEL_MEMSCENE_HOST_RULES_H_
#define MORVEL_MEMSCENE_HOST_RULES_H_

#include "base/types.h"
#include "host/host_interface.h"
#include "host/selection_rules.h"
#include "memscene/mem_scene_graph.h"

namespace morvel {

// How the hosts describe a reference scene's selection to the panel: the
// rules of host/selection_rules.h, with the lights whose parent is a
// selected group counting for the light flags. The host's own reading of
// the scene is not the panel's work: faults planned for the scene's
// operations wait until it is done, so that they fire in the panel's calls.
SetupArguments ComputeSetupArguments(MemSceneGraph& scene, Long selected_tab);

}  // namespace morvel

#endif  // MORVEL_MEMSCENE_HOST_RULES_H_

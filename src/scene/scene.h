#ifndef MORVEL_SCENE_SCENE_H_
#define MORVEL_SCENE_SCENE_H_

// Everything the panel needs from the scene-graph library and the applier.
#include "scene/applier.h"      // IWYU pragma: export
#include "scene/scene_graph.h"  // IWYU pragma: export
#include "scene/types.h"        // IWYU pragma: export
#include "scene/utilities.h"    // IWYU pragma: export

#endif  // MORVEL_SCENE_SCENE_H_

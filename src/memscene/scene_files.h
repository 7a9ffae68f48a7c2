#ifndef MORVEL_MEMSCENE_SCENE_FILES_H_
#define MORVEL_MEMSCENE_SCENE_FILES_H_

#include <memory>
#include <string>
#include <vector>

#include "memscene/import_guard.h"
#include "memscene/mem_scene_graph.h"

// Every scene file a host can open or save, by its extension: our own scene
// files (.json, docs/scene-format.md) and the model formats of the Open
// Asset Import Library (.gltf, .glb, .fbx, .dae, .obj and some forty more),
// read in a guarded child process (import_guard.h) and written through its
// exporters. This is the one door hosts use: the demo, morvel-panel, the
// scenario language and the random user all open scenes here.
namespace morvel {

// Opens `path`: a model file by its extension, anything else as our scene
// file. Error 53 for a missing file, 75 for one that cannot be read, 321
// for one that is not a scene (naming the file and the reason), 7 for a
// model that needs more memory than an import may take.
std::shared_ptr<MemSceneGraph> OpenSceneFile(
    const std::string& path, const mem::ImportLimits& limits = {});

// Saves `scene` to `path`: a model format by its extension (glTF .gltf and
// .glb, .obj, Collada .dae, .fbx, .ply, .stl), anything else
// as our scene file. Map paths are written relative to the new file's
// folder. Error 75 when it cannot be written.
void SaveSceneFile(const MemSceneGraph& scene, const std::string& path);

// Whether a path is opened as a model file (by its extension).
bool IsModelFile(const std::string& path);

// Extensions without the dot, in lower case: the ones OpenSceneFile reads
// ("json" first) and the ones SaveSceneFile writes.
std::vector<std::string> OpenableExtensions();
std::vector<std::string> SaveableExtensions();

}  // namespace morvel

#endif  // MORVEL_MEMSCENE_SCENE_FILES_H_

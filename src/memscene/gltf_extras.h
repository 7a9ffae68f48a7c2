#ifndef MORVEL_MEMSCENE_GLTF_EXTRAS_H_
#define MORVEL_MEMSCENE_GLTF_EXTRAS_H_

#include <string>
#include <vector>

struct aiScene;

namespace morvel::mem {

// Assimp's glTF exporter writes no lights and no cameras, though glTF
// carries both and its importer reads them. This adds the scene's cameras
// (perspective, by their field of view, aspect and clip planes) and its
// point, spot and directional lights (KHR_lights_punctual: colour, range,
// cone angles) to the file just written, on the nodes of their names.
// Ambient lights have no glTF form and stay out. A file that cannot be
// read back or written is error 75.
void AddGltfLightsAndCameras(const std::string& path, bool binary,
                             const aiScene& scene,
                             const std::vector<float>& light_ranges);

}  // namespace morvel::mem

#endif  // MORVEL_MEMSCENE_GLTF_EXTRAS_H_

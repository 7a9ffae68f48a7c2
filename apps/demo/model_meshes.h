#ifndef MORVEL_APPS_DEMO_MODEL_MESHES_H_
#define MORVEL_APPS_DEMO_MODEL_MESHES_H_

#include <cstddef>
#include <memory>

#include "demo/meshes.h"
#include "memscene/mesh.h"

// The meshes of imported models as the viewport draws them. A painter draws
// a few tens of thousands of faces in a frame, and models have hundreds of
// thousands: each mesh is kept at levels of detail of at most 16384, 4096,
// 1024, 256 and 64 faces, made by merging the vertices that fall into one
// cell of a grid laid over the mesh (the cells grow until the faces that
// still span three cells are few enough), and a frame takes the level its
// share of the frame's faces allows. Levels are made the first time they
// are asked for and kept while the mesh lives.
namespace morvel::demo {

// Faces one frame draws of all imported meshes together, at most.
inline constexpr std::size_t kFrameFaces = 12000;

// The mesh at the finest level of at most `most_faces` faces (the coarsest,
// 64, when fewer are allowed). Faces keep the file's winding; the mesh is
// drawn from both sides.
const Mesh& ModelMesh(const std::shared_ptr<const mem::MeshData>& data,
                      std::size_t most_faces);

// Faces of the whole mesh as the file has them.
std::size_t ModelFaceCount(const mem::MeshData& data);

}  // namespace morvel::demo

#endif  // MORVEL_APPS_DEMO_MODEL_MESHES_H_

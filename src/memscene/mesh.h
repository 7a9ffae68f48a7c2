#ifndef MORVEL_MEMSCENE_MESH_H_
#define MORVEL_MEMSCENE_MESH_H_

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The geometry of a shape imported from a model file: what the panel never
// shows but a viewport draws and a save writes back. Coordinates are in the
// frame of the group the shape belongs to.
namespace morvel::mem {

// A bone of a skin: the node it names, the matrix from the mesh's frame to
// the bone's (row-major), and the vertices it moves with their weights.
struct MeshBone {
  std::string name;
  std::array<float, 16> offset{};
  std::vector<std::pair<std::uint32_t, float>> weights;
  friend bool operator==(const MeshBone&, const MeshBone&) = default;
};

struct MeshData {
  std::string name;                      // as the file names it
  std::vector<float> positions;          // x, y, z per vertex
  std::vector<float> normals;            // none, or x, y, z per vertex
  std::vector<float> uvs;                // none, or u, v per vertex
  std::vector<std::uint32_t> triangles;  // three vertex indexes each
  std::vector<MeshBone> bones;

  std::size_t VertexCount() const { return positions.size() / 3; }
  std::size_t TriangleCount() const { return triangles.size() / 3; }
  friend bool operator==(const MeshData&, const MeshData&) = default;
};

}  // namespace morvel::mem

#endif  // MORVEL_MEMSCENE_MESH_H_

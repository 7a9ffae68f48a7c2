#include "demo/model_meshes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <unordered_map>

namespace morvel::demo {
namespace {

constexpr std::array<std::size_t, 5> kLevels = {16384, 4096, 1024, 256, 64};

void AddTriangle(Mesh& mesh, int a, int b, int c) {
  Face face;
  face.v = {a, b, c, 0};
  face.count = 3;
  const Vec3& pa = mesh.vertices[static_cast<std::size_t>(a)];
  const Vec3& pb = mesh.vertices[static_cast<std::size_t>(b)];
  const Vec3& pc = mesh.vertices[static_cast<std::size_t>(c)];
  Vec3 normal = Cross(pb - pa, pc - pa);
  if (!(Dot(normal, normal) > 1e-30)) return;  // no area (or not finite)
  face.normal = Normalised(normal);
  face.centre = (pa + pb + pc) * (1.0 / 3);
  mesh.faces.push_back(face);
}

Mesh Whole(const mem::MeshData& data) {
  Mesh mesh;
  const std::size_t vertices = data.VertexCount();
  mesh.vertices.reserve(vertices);
  for (std::size_t v = 0; v < vertices; ++v) {
    mesh.vertices.push_back({data.positions[3 * v], data.positions[3 * v + 1],
                             data.positions[3 * v + 2]});
  }
  mesh.faces.reserve(data.TriangleCount());
  for (std::size_t t = 0; t + 2 < data.triangles.size(); t += 3) {
    AddTriangle(mesh, static_cast<int>(data.triangles[t]),
                static_cast<int>(data.triangles[t + 1]),
                static_cast<int>(data.triangles[t + 2]));
  }
  Bound(mesh);
  // A model's meshes may be open anywhere: both sides are drawn.
  mesh.open = true;
  return mesh;
}

// The mesh with its vertices merged per cell of a grid of `cells` cells
// along its longest side: a vertex moves to the middle of its cell's
// vertices, and a face whose corners fall into fewer than three cells goes.
Mesh Clustered(const Mesh& from, double cells) {
  Vec3 size = from.max - from.min;
  double side = std::max({size.x, size.y, size.z, 1e-12}) / cells;
  std::unordered_map<std::uint64_t, int> cell_of;
  std::vector<int> remap(from.vertices.size());
  std::vector<Vec3> sums;
  std::vector<int> counts;
  for (std::size_t i = 0; i < from.vertices.size(); ++i) {
    Vec3 d = from.vertices[i] - from.min;
    auto cell = [&](double x) {
      return static_cast<std::uint64_t>(std::clamp(x / side, 0.0, 1048575.0));
    };
    std::uint64_t key = cell(d.x) | cell(d.y) << 20 | cell(d.z) << 40;
    auto [it, fresh] = cell_of.emplace(key, static_cast<int>(sums.size()));
    if (fresh) {
      sums.push_back({});
      counts.push_back(0);
    }
    remap[i] = it->second;
    sums[static_cast<std::size_t>(it->second)] =
        sums[static_cast<std::size_t>(it->second)] + from.vertices[i];
    ++counts[static_cast<std::size_t>(it->second)];
  }
  Mesh out;
  out.vertices.resize(sums.size());
  for (std::size_t c = 0; c < sums.size(); ++c)
    out.vertices[c] = sums[c] * (1.0 / counts[c]);
  for (const Face& face : from.faces) {
    int a = remap[static_cast<std::size_t>(face.v[0])];
    int b = remap[static_cast<std::size_t>(face.v[1])];
    int c = remap[static_cast<std::size_t>(face.v[2])];
    if (a != b && b != c && a != c) AddTriangle(out, a, b, c);
  }
  Bound(out);
  out.open = true;
  out.min = from.min;  // the level keeps the mesh's own bounds
  out.max = from.max;
  out.radius = from.radius;
  return out;
}

// A level of at most `cap` faces, from the next finer one.
Mesh Simplified(const Mesh& finer, std::size_t cap) {
  if (finer.faces.size() <= cap) return finer;
  // A closed surface keeps about twice the square of the cells as faces.
  double cells = std::max(2.0, std::sqrt(static_cast<double>(cap) / 2));
  for (;;) {
    Mesh out = Clustered(finer, cells);
    if (out.faces.size() <= cap || cells <= 2) return out;
    cells *= 0.8;
  }
}

struct Entry {
  std::weak_ptr<const mem::MeshData> data;
  std::map<std::size_t, Mesh> levels;  // by cap
  Mesh whole;
  bool made = false;
};

std::map<const mem::MeshData*, Entry>& Cache() {
  static auto* cache = new std::map<const mem::MeshData*, Entry>;
  return *cache;
}

}  // namespace

std::size_t ModelFaceCount(const mem::MeshData& data) {
  return data.TriangleCount();
}

const Mesh& ModelMesh(const std::shared_ptr<const mem::MeshData>& data,
                      std::size_t most_faces) {
  auto& cache = Cache();
  if (cache.size() > 1024) {
    std::erase_if(cache, [](const auto& e) { return e.second.data.expired(); });
  }
  Entry& entry = cache[data.get()];
  if (entry.data.lock() != data) entry = Entry{data, {}, {}, false};
  if (!entry.made) {
    entry.whole = Whole(*data);
    entry.made = true;
  }
  const Mesh* finer = &entry.whole;
  for (std::size_t cap : kLevels) {
    if (finer->faces.size() <= most_faces) return *finer;
    auto it = entry.levels.find(cap);
    if (it == entry.levels.end())
      it = entry.levels.emplace(cap, Simplified(*finer, cap)).first;
    finer = &it->second;
    if (cap <= most_faces) return *finer;
  }
  return *finer;
}

}  // namespace morvel::demo

#include "demo/meshes.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>

namespace morvel::demo {

void Bound(Mesh& mesh) {
  if (mesh.vertices.empty()) return;
  mesh.min = mesh.max = mesh.vertices[0];
  for (const Vec3& v : mesh.vertices) {
    mesh.min = {std::min(mesh.min.x, v.x), std::min(mesh.min.y, v.y),
                std::min(mesh.min.z, v.z)};
    mesh.max = {std::max(mesh.max.x, v.x), std::max(mesh.max.y, v.y),
                std::max(mesh.max.z, v.z)};
  }
  Vec3 half = (mesh.max - mesh.min) * 0.5;
  mesh.radius = std::sqrt(Dot(half, half));
}

namespace {

// (radius, height) points of a profile turned about the Y axis.
using Profile = std::vector<std::pair<double, double>>;
// A path for a tube: points and the tube's radius at each.
struct PathPoint {
  Vec3 at;
  double radius;
};

class MeshBuilder {
 public:
  int Add(Vec3 p) {
    mesh_.vertices.push_back(p);
    return static_cast<int>(mesh_.vertices.size()) - 1;
  }

  // A face of three or four vertices, turned so that its normal points away
  // from `inside`. Faces without area are left out.
  void AddFace(std::array<int, 4> v, int count, Vec3 inside) {
    Face face;
    face.v = v;
    face.count = count;
    Vec3 normal, centre;
    for (int i = 0; i < count; ++i) {  // Newell's normal: robust for quads
      Vec3 a = mesh_.vertices[static_cast<std::size_t>(v[i])];
      Vec3 b = mesh_.vertices[static_cast<std::size_t>(v[(i + 1) % count])];
      normal.x += (a.y - b.y) * (a.z + b.z);
      normal.y += (a.z - b.z) * (a.x + b.x);
      normal.z += (a.x - b.x) * (a.y + b.y);
      centre = centre + a;
    }
    if (Dot(normal, normal) < 1e-18) return;
    face.normal = Normalised(normal);
    face.centre = centre * (1.0 / count);
    if (Dot(face.normal, face.centre - inside) < 0) {
      std::reverse(face.v.begin(), face.v.begin() + count);
      face.normal = face.normal * -1;
    }
    mesh_.faces.push_back(face);
  }

  // A surface of revolution about the vertical axis through `axis`. The
  // profile runs so that the outside lies to its right (bottom to top on
  // the outside of a wall); a radius of 0 closes the surface on the axis.
  void Lathe(const Profile& profile, int segments, Vec3 axis = {}) {
    std::vector<std::vector<int>> rings;
    for (auto [r, y] : profile) {
      std::vector<int> ring;
      if (r <= 0) {
        ring.push_back(Add(axis + Vec3{0, y, 0}));
      } else {
        for (int j = 0; j < segments; ++j) {
          double a = 2 * std::numbers::pi * j / segments;
          ring.push_back(
              Add(axis + Vec3{r * std::cos(a), y, -r * std::sin(a)}));
        }
      }
      rings.push_back(std::move(ring));
    }
    for (std::size_t i = 0; i + 1 < rings.size(); ++i) {
      // The outward direction in the profile's plane: right of its tangent.
      double dr = profile[i + 1].first - profile[i].first;
      double dy = profile[i + 1].second - profile[i].second;
      const auto& lower = rings[i];
      const auto& upper = rings[i + 1];
      for (int j = 0; j < segments; ++j) {
        int k = (j + 1) % segments;
        auto at = [&](const std::vector<int>& ring, int index) {
          return ring.size() == 1 ? ring[0]
                                  : ring[static_cast<std::size_t>(index)];
        };
        double a = 2 * std::numbers::pi * (j + 0.5) / segments;
        Vec3 out = Normalised({dy * std::cos(a), -dr, -dy * std::sin(a)});
        Vec3 centre = (mesh_.vertices[static_cast<std::size_t>(at(lower, j))] +
                       mesh_.vertices[static_cast<std::size_t>(at(upper, k))]) *
                      0.5;
        Vec3 inside = centre - out;
        if (lower.size() == 1) {
          AddFace({at(lower, j), at(upper, k), at(upper, j), 0}, 3, inside);
        } else if (upper.size() == 1) {
          AddFace({at(lower, j), at(lower, k), at(upper, j), 0}, 3, inside);
        } else {
          AddFace({at(lower, j), at(lower, k), at(upper, k), at(upper, j)}, 4,
                  inside);
        }
      }
    }
  }

  // A tube along a path, open at its ends unless the path is closed.
  void Tube(const std::vector<PathPoint>& path, int segments,
            bool closed = false) {
    std::size_t n = path.size();
    std::vector<std::vector<int>> rings;
    for (std::size_t i = 0; i < n; ++i) {
      Vec3 before = path[i == 0 ? (closed ? n - 1 : 0) : i - 1].at;
      Vec3 after = path[i + 1 == n ? (closed ? 0 : n - 1) : i + 1].at;
      Vec3 t = Normalised(after - before);
      Vec3 u = Cross(t, Vec3{0, 0, 1});
      if (Dot(u, u) < 1e-6) u = Cross(t, Vec3{1, 0, 0});
      u = Normalised(u);
      Vec3 w = Cross(t, u);
      std::vector<int> ring;
      for (int j = 0; j < segments; ++j) {
        double a = 2 * std::numbers::pi * j / segments;
        ring.push_back(Add(path[i].at + (u * std::cos(a) + w * std::sin(a)) *
                                            path[i].radius));
      }
      rings.push_back(std::move(ring));
    }
    std::size_t spans = closed ? n : n - 1;
    for (std::size_t i = 0; i < spans; ++i) {
      const auto& a = rings[i];
      const auto& b = rings[(i + 1) % n];
      Vec3 inside = (path[i].at + path[(i + 1) % n].at) * 0.5;
      for (int j = 0; j < segments; ++j) {
        auto k = static_cast<std::size_t>((j + 1) % segments);
        auto jj = static_cast<std::size_t>(j);
        AddFace({a[jj], a[k], b[k], b[jj]}, 4, inside);
      }
    }
  }

  void Box(Vec3 lo, Vec3 hi) {
    int c[8];
    for (int i = 0; i < 8; ++i) {
      c[i] =
          Add({i & 1 ? hi.x : lo.x, i & 2 ? hi.y : lo.y, i & 4 ? hi.z : lo.z});
    }
    Vec3 inside = (lo + hi) * 0.5;
    const int sides[6][4] = {{0, 1, 3, 2}, {4, 5, 7, 6}, {0, 1, 5, 4},
                             {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 3, 7, 5}};
    for (const auto& s : sides) {
      AddFace({c[s[0]], c[s[1]], c[s[2]], c[s[3]]}, 4, inside);
    }
  }

  // A square of `size` on the ground, `cells` by `cells`.
  void Plane(double size, int cells) {
    double h = size / 2;
    std::vector<int> grid;
    for (int i = 0; i <= cells; ++i) {
      for (int j = 0; j <= cells; ++j) {
        grid.push_back(Add({-h + size * j / cells, 0, -h + size * i / cells}));
      }
    }
    auto at = [&](int i, int j) {
      return grid[static_cast<std::size_t>(i * (cells + 1) + j)];
    };
    for (int i = 0; i < cells; ++i) {
      for (int j = 0; j < cells; ++j) {
        Vec3 centre{-h + size * (j + 0.5) / cells, 0,
                    -h + size * (i + 0.5) / cells};
        AddFace({at(i, j), at(i, j + 1), at(i + 1, j + 1), at(i + 1, j)}, 4,
                centre - Vec3{0, 1, 0});
      }
    }
  }

  Mesh Finish(bool open) {
    Bound(mesh_);
    mesh_.open = open;
    return std::move(mesh_);
  }

 private:
  Mesh mesh_;
};

// A rounded profile with a point between each two, on the curve through
// them (Catmull-Rom): finer shading and a smoother outline for the fine
// meshes. Profiles with corners (a cylinder's) are not rounded.
Profile Rounded(const Profile& p) {
  Profile out;
  for (std::size_t i = 0; i + 1 < p.size(); ++i) {
    auto at = [&](std::size_t k) { return p[std::min(k, p.size() - 1)]; };
    auto a = i == 0 ? p[0] : p[i - 1];
    auto b = p[i];
    auto c = p[i + 1];
    auto d = at(i + 2);
    out.push_back(b);
    auto mid = [](double a, double b, double c, double d) {
      return (-a + 9 * b + 9 * c - d) / 16;
    };
    double r = mid(a.first, b.first, c.first, d.first);
    // The ends on the axis stay on it.
    if (b.first == 0 && c.first == 0) r = 0;
    out.push_back(
        {std::max(0.0, r), mid(a.second, b.second, c.second, d.second)});
  }
  out.push_back(p.back());
  return out;
}

// A circular arc in the XY plane (degrees, 0 along +X), as a tube path.
std::vector<PathPoint> Arc(double cx, double cy, double big, double small,
                           double from, double to, int steps) {
  std::vector<PathPoint> path;
  for (int i = 0; i <= steps; ++i) {
    double a = (from + (to - from) * i / steps) * std::numbers::pi / 180;
    path.push_back(
        {{cx + big * std::cos(a), cy + big * std::sin(a), 0}, small});
  }
  return path;
}

// A half circle from the bottom of a ball to its top, as a lathe profile.
Profile Ball(double radius, double centre_y, int rings) {
  Profile profile;
  for (int i = 0; i <= rings; ++i) {
    double a = std::numbers::pi * (-0.5 + static_cast<double>(i) / rings);
    profile.push_back({i == 0 || i == rings ? 0 : radius * std::cos(a),
                       centre_y + radius * std::sin(a)});
  }
  return profile;
}

Mesh Build(Primitive primitive, bool fine) {
  MeshBuilder b;
  int round = fine ? 24 : 8;  // segments about an axis
  int tube = fine ? 8 : 5;    // segments about a tube
  bool open = false;
  auto curve = [fine](Profile p) { return fine ? Rounded(p) : p; };
  switch (primitive) {
    case Primitive::kTeapot:
      b.Lathe(curve({{0, 0},
                     {0.13, 0},
                     {0.17, 0.02},
                     {0.2, 0.06},
                     {0.215, 0.11},
                     {0.2, 0.17},
                     {0.16, 0.21},
                     {0.11, 0.235},
                     {0.1, 0.245},
                     {0.06, 0.26},
                     {0.025, 0.27},
                     {0.02, 0.285},
                     {0.035, 0.3},
                     {0, 0.31}}),
              round);
      b.Tube({{{0.16, 0.07, 0}, 0.045},
              {{0.24, 0.1, 0}, 0.032},
              {{0.29, 0.15, 0}, 0.025},
              {{0.32, 0.21, 0}, 0.02},
              {{0.345, 0.245, 0}, 0.021}},
             tube);
      b.Tube(Arc(-0.2, 0.13, 0.08, 0.018, 70, 290, fine ? 12 : 6), tube);
      break;
    case Primitive::kBox:
      b.Box({-0.17, 0, -0.17}, {0.17, 0.3, 0.17});
      break;
    case Primitive::kCup:
      b.Lathe(
          curve(
              {{0, 0}, {0.055, 0}, {0.065, 0.01}, {0.08, 0.11}, {0.085, 0.12}}),
          round);
      b.Tube(Arc(0.09, 0.06, 0.035, 0.01, -80, 80, fine ? 8 : 4), tube);
      open = true;
      break;
    case Primitive::kPlane:
      b.Plane(3, fine ? 6 : 2);
      open = true;
      break;
    case Primitive::kVase:
      b.Lathe(curve({{0, 0},
                     {0.06, 0},
                     {0.1, 0.05},
                     {0.125, 0.13},
                     {0.115, 0.2},
                     {0.07, 0.29},
                     {0.05, 0.34},
                     {0.055, 0.38},
                     {0.075, 0.41}}),
              round);
      open = true;
      break;
    case Primitive::kCylinder:
      b.Lathe({{0, 0}, {0.15, 0}, {0.15, 0.35}, {0, 0.35}}, round);
      break;
    case Primitive::kCone:
      b.Lathe({{0, 0}, {0.16, 0}, {0, 0.36}}, round);
      break;
    case Primitive::kTorus: {
      std::vector<PathPoint> ring;
      int steps = fine ? 24 : 10;
      for (int i = 0; i < steps; ++i) {
        double a = 2 * std::numbers::pi * i / steps;
        ring.push_back({{0.15 * std::cos(a), 0.05, 0.15 * std::sin(a)}, 0.05});
      }
      b.Tube(ring, tube, true);
      break;
    }
    case Primitive::kFigure:
      b.Lathe(curve({{0, 0},
                     {0.12, 0},
                     {0.12, 0.03},
                     {0.08, 0.05},
                     {0.09, 0.45},
                     {0.13, 0.5},
                     {0.11, 0.6},
                     {0.15, 0.75},
                     {0.14, 0.82},
                     {0.05, 0.86},
                     {0.04, 0.9},
                     {0.07, 0.92},
                     {0.085, 0.96},
                     {0.08, 1.0},
                     {0.06, 1.03},
                     {0, 1.05}}),
              round);
      for (double side : {-1.0, 1.0}) {
        b.Tube({{{0.15 * side, 0.8, 0}, 0.04},
                {{0.2 * side, 0.62, 0}, 0.035},
                {{0.21 * side, 0.45, 0}, 0.03}},
               tube);
      }
      break;
    case Primitive::kSphere:
      b.Lathe(Ball(0.18, 0.18, fine ? 12 : 5), round);
      break;
  }
  return b.Finish(open);
}

bool Contains(const std::string& text, std::string_view word) {
  return text.find(word) != std::string::npos;
}

}  // namespace

Vec3 Normalised(Vec3 a) {
  double length = std::sqrt(Dot(a, a));
  return length > 0 ? a * (1 / length) : a;
}

const char* PrimitiveName(Primitive primitive) {
  switch (primitive) {
    case Primitive::kTeapot:
      return "Teapot";
    case Primitive::kBox:
      return "Box";
    case Primitive::kCup:
      return "Cup";
    case Primitive::kPlane:
      return "Plane";
    case Primitive::kVase:
      return "Vase";
    case Primitive::kCylinder:
      return "Cylinder";
    case Primitive::kCone:
      return "Cone";
    case Primitive::kTorus:
      return "Torus";
    case Primitive::kFigure:
      return "Figure";
    case Primitive::kSphere:
      return "Sphere";
  }
  return "Sphere";
}

Primitive PrimitiveFor(std::string_view caption, std::string_view name) {
  static const std::pair<const char*, Primitive> kWords[] = {
      {"teapot", Primitive::kTeapot},     {"box", Primitive::kBox},
      {"cube", Primitive::kBox},          {"cup", Primitive::kCup},
      {"mug", Primitive::kCup},           {"plane", Primitive::kPlane},
      {"floor", Primitive::kPlane},       {"ground", Primitive::kPlane},
      {"lathe", Primitive::kVase},        {"vase", Primitive::kVase},
      {"cylinder", Primitive::kCylinder}, {"cone", Primitive::kCone},
      {"torus", Primitive::kTorus},       {"ring", Primitive::kTorus},
      {"mannequin", Primitive::kFigure},  {"figure", Primitive::kFigure},
      {"sphere", Primitive::kSphere},     {"ball", Primitive::kSphere},
  };
  for (std::string_view text : {caption, name}) {
    std::string lower(text.substr(0, 256));
    for (char& c : lower) {
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    for (const auto& [word, primitive] : kWords) {
      if (Contains(lower, word)) return primitive;
    }
  }
  return Primitive::kSphere;
}

const Mesh& MeshOf(Primitive primitive, bool fine) {
  constexpr int kCount = static_cast<int>(Primitive::kFigure) + 1;
  static const auto kMeshes = [] {
    std::array<std::array<Mesh, 2>, kCount> meshes;
    for (int p = 0; p < kCount; ++p) {
      for (int f = 0; f < 2; ++f) {
        meshes[static_cast<std::size_t>(p)][static_cast<std::size_t>(f)] =
            Build(static_cast<Primitive>(p), f == 1);
      }
    }
    return meshes;
  }();
  return kMeshes[static_cast<std::size_t>(primitive)][fine ? 1 : 0];
}

const Mesh& UnitBox() {
  static const Mesh kBox = [] {
    MeshBuilder b;
    b.Box({0, 0, 0}, {1, 1, 1});
    return b.Finish(false);
  }();
  return kBox;
}

}  // namespace morvel::demo

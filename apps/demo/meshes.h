#ifndef MORVEL_APPS_DEMO_MESHES_H_
#define MORVEL_APPS_DEMO_MESHES_H_

#include <array>
#include <string_view>
#include <vector>

#include "base/types.h"

// The shapes the demo's viewport draws: small polygon meshes of recognisable
// objects, standing on their origin (Y up, base at Y = 0), in scene units.
// Each comes in two tessellations: a coarse one, whose facets show (the flat
// draw mode, and shapes too small on screen for more), and a fine one.
namespace morvel::demo {

struct Vec3 {
  double x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
// The unit vector along `a` (`a` itself when it has no length).
Vec3 Normalised(Vec3 a);

enum class Primitive {
  kSphere,  // also whatever is not recognised
  kTeapot,
  kBox,
  kCup,
  kPlane,
  kVase,
  kCylinder,
  kCone,
  kTorus,
  kFigure,
};

// "Teapot", "Box", ...: how the viewport reports what it drew.
const char* PrimitiveName(Primitive primitive);

// The primitive for a shape, from its source caption (or, failing that, its
// name): "Teapot", "Box"/"Cube", "Cup", "Plane"/"Floor"/"Ground",
// "Lathe"/"Vase", "Cylinder", "Cone", "Torus"/"Ring", "Mannequin"/"Figure",
// compared without regard to case; a sphere otherwise.
Primitive PrimitiveFor(std::string_view caption, std::string_view name);

struct Face {
  std::array<int, 4> v{};  // vertex indices, counter-clockwise seen outside
  int count = 4;           // 3 or 4
  Vec3 normal;             // unit, outwards
  Vec3 centre;
};

struct Mesh {
  std::vector<Vec3> vertices;
  std::vector<Face> faces;
  Vec3 min, max;      // bounds
  double radius = 0;  // of the bounds, about their centre
  // Two-sided meshes (open cups, planes) show their inside.
  bool open = false;
};

// Sets the mesh's bounds and radius from its vertices.
void Bound(Mesh& mesh);

// The meshes are made once and shared.
const Mesh& MeshOf(Primitive primitive, bool fine);
// A unit box [0,1]^3, for shapes shown as their bounding box.
const Mesh& UnitBox();

}  // namespace morvel::demo

#endif  // MORVEL_APPS_DEMO_MESHES_H_

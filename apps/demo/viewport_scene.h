#ifndef MORVEL_APPS_DEMO_VIEWPORT_SCENE_H_
#define MORVEL_APPS_DEMO_VIEWPORT_SCENE_H_

#include <cstdint>
#include <memory>
#include <vector>

#include "demo/meshes.h"
#include "memscene/rotation.h"
#include "memscene/state.h"

// What the demo's viewport shows of a scene, worked out from the reference
// scene graph's data without drawing anything: every visible shape (and each
// of its clones), light, camera and bone, placed in the world.
//
// A shape, a light or a camera has no position of its own: it stands at its
// group's origin, in its group's orientation (and scale). Several of them in
// one group would stand on one spot, so the viewport sets them side by side
// along the group's X axis (in a square when there are many): the picture is
// a map of the scene, not a render. Planes stay at the origin, as the
// group's ground, and so do imported meshes, whose vertices are placed in
// the group already.
namespace morvel::demo {

enum class ItemKind { kShape, kLight, kCamera, kBone };

struct SceneItem {
  ItemKind kind = ItemKind::kShape;
  std::int32_t node = -1;  // index in the scene's nodes
  int copy = 0;            // a shape's clones are copies 1, 2, ...
  mem::Transform world;    // local to world
  bool selected = false;
  bool active = false;  // the first selected node: the one the panel shows

  // Shapes: an imported one's own mesh (in its group's frame, so it is not
  // set beside its siblings), else what its caption names.
  std::shared_ptr<const mem::MeshData> geometry;
  std::size_t face_cap = 0;  // faces of the mesh this frame may draw
  Primitive primitive = Primitive::kSphere;
  ColourValue colour{0.7f, 0.7f, 0.7f, 1};  // first material's, 0..1
  Long draw_style = 0;
  bool as_box = false;
  bool points = false;
  bool normals = false;
  bool translucent = false;

  // Lights.
  Long light_type = 0;

  // Bones: the origin of the parent bone, to draw the bone to this joint.
  bool has_parent_bone = false;
  Vec3 parent_joint;
};

// Clones drawn per shape at most; a scene may ask for 101^3.
inline constexpr int kMaxCopiesDrawn = 1000;

// The items to draw: shapes first (each shape's copies together), then
// lights, cameras and bones. Hidden nodes and everything inside a hidden
// group are left out, and so is anything whose place is not a finite point.
std::vector<SceneItem> CollectSceneItems(const mem::SceneContent& content);

// World point of a local one.
Vec3 Apply(const mem::Transform& t, Vec3 p);
// World direction of a local one (no translation).
Vec3 Rotate(const mem::Transform& t, Vec3 d);

}  // namespace morvel::demo

#endif  // MORVEL_APPS_DEMO_VIEWPORT_SCENE_H_

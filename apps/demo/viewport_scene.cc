#include "demo/viewport_scene.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/error.h"

namespace morvel::demo {
namespace {

// Gaps between things set side by side, in scene units.
constexpr double kShapeGap = 0.12;
constexpr double kIconSpacing = 0.45;
// Up to this many side by side in a row; more make a square.
constexpr std::size_t kRowAtMost = 8;

bool Finite(double v) { return std::isfinite(v); }
bool Finite(const SingleVector3& v) {
  return Finite(v.X) && Finite(v.Y) && Finite(v.Z);
}

Single Unit(Single v) { return Finite(v) ? std::clamp(v, 0.0f, 1.0f) : 0.0f; }

// Where each node stands in the world, and whether it is drawn at all.
struct Placement {
  mem::Transform world;
  bool visible = true;  // neither it nor a group above it hidden
  bool placed = true;   // a finite place and orientation all the way up
};

// A group's or bone's own frame in its parent's.
mem::Transform LocalFrame(const mem::GroupData& group, bool& placed) {
  mem::Transform t;
  if (!Finite(group.position)) {
    placed = false;
    return t;
  }
  t.origin[0] = group.position.X;
  t.origin[1] = group.position.Y;
  t.origin[2] = group.position.Z;
  if (group.orientation != Orientation{}) {  // most groups: unturned
    try {
      t.rotation = mem::FromOrientation(group.orientation.Forward,
                                        group.orientation.Up);
    } catch (const Error&) {
      // No orientation (zero or parallel vectors): drawn unturned.
    }
  }
  // An imported group's scale, on its axes: the columns of the rotation.
  const double scale[3] = {group.scale.X, group.scale.Y, group.scale.Z};
  for (int c = 0; c < 3; ++c) {
    if (!Finite(scale[c]) || scale[c] == 1) continue;
    for (int r = 0; r < 3; ++r) t.rotation.m[r][c] *= scale[c];
  }
  return t;
}

std::vector<Placement> Place(const mem::SceneContent& content) {
  const std::size_t n = content.nodes.size();
  std::vector<Placement> out(n);
  std::vector<char> done(n, 0);
  std::vector<std::int32_t> chain;
  for (std::size_t start = 0; start < n; ++start) {
    // Walk up to the first node already placed (or the top), then place
    // the chain from there down: no recursion, however deep the hierarchy.
    chain.clear();
    auto at = static_cast<std::int32_t>(start);
    while (at >= 0 && !done[static_cast<std::size_t>(at)] &&
           chain.size() <= n) {
      chain.push_back(at);
      at = content.nodes[static_cast<std::size_t>(at)].parent;
      if (at >= static_cast<std::int32_t>(n)) at = -1;
    }
    Placement above;
    if (at >= 0) above = out[static_cast<std::size_t>(at)];
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
      const auto index = static_cast<std::size_t>(*it);
      const mem::NodeData& node = content.nodes[index];
      Placement p = above;
      p.visible = above.visible && !node.Has(mem::kHidden);
      bool group = node.kind == kNodeTypeGroup || node.kind == kNodeTypeBone;
      if (group && node.ext >= 0 &&
          static_cast<std::size_t>(node.ext) < content.groups.size()) {
        bool placed = true;
        mem::Transform local = LocalFrame(
            content.groups[static_cast<std::size_t>(node.ext)], placed);
        p.placed = above.placed && placed;
        p.world = mem::Compose(above.world, local);
      }
      out[index] = p;
      done[index] = 1;
      above = p;
    }
  }
  return out;
}

// How wide a shape is along its group's X axis, clones included, and where
// its middle lies.
void ExtentX(const mem::ShapeData& shape, Primitive primitive, double& lo,
             double& hi) {
  const Mesh& mesh = MeshOf(primitive, false);
  lo = mesh.min.x;
  hi = mesh.max.x;
  double reach = std::clamp<Long>(shape.clones.get().Counts.X, 0, 100) *
                 static_cast<double>(shape.clones.get().Offsets.X);
  if (Finite(reach)) {
    lo += std::min(0.0, reach);
    hi += std::max(0.0, reach);
  }
}

// Sets the children of one parent side by side: `offsets` gets each one's
// place along the parent's X (and Z, in a square) axis.
void SideBySide(const std::vector<double>& widths, double gap,
                std::vector<Vec3>& offsets) {
  std::size_t n = widths.size();
  offsets.assign(n, Vec3{});
  if (n < 2) return;
  if (n <= kRowAtMost) {
    double total = gap * static_cast<double>(n - 1);
    for (double w : widths) total += w;
    double x = -total / 2;
    for (std::size_t i = 0; i < n; ++i) {
      offsets[i].x = x + widths[i] / 2;
      x += widths[i] + gap;
    }
    return;
  }
  double cell = gap + *std::max_element(widths.begin(), widths.end());
  auto columns = static_cast<std::size_t>(std::ceil(std::sqrt(n)));
  std::size_t rows = (n + columns - 1) / columns;
  for (std::size_t i = 0; i < n; ++i) {
    offsets[i].x = (static_cast<double>(i % columns) -
                    static_cast<double>(columns - 1) / 2) *
                   cell;
    offsets[i].z =
        (static_cast<double>(i / columns) - static_cast<double>(rows - 1) / 2) *
        cell;
  }
}

// The transform of clone (a, b, c): offsets along the shape's own axes and
// the rotation between copies (degrees) about each axis, `a`, `b`, `c` times.
mem::Transform CloneFrame(const Clones& clones, int a, int b, int c) {
  auto finite = [](Single v) { return Finite(v) ? static_cast<double>(v) : 0; };
  constexpr double kRadians = std::numbers::pi / 180;
  mem::Transform t;
  t.origin[0] = a * finite(clones.Offsets.X);
  t.origin[1] = b * finite(clones.Offsets.Y);
  t.origin[2] = c * finite(clones.Offsets.Z);
  t.rotation = mem::FromEuler(a * finite(clones.Rotations.X) * kRadians,
                              b * finite(clones.Rotations.Y) * kRadians,
                              c * finite(clones.Rotations.Z) * kRadians);
  return t;
}

mem::Transform Shifted(const mem::Transform& t, Vec3 local) {
  if (local.x == 0 && local.y == 0 && local.z == 0) return t;
  mem::Transform shift;
  shift.origin[0] = local.x;
  shift.origin[1] = local.y;
  shift.origin[2] = local.z;
  return mem::Compose(t, shift);
}

}  // namespace

Vec3 Apply(const mem::Transform& t, Vec3 p) {
  const auto& m = t.rotation.m;
  return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + t.origin[0],
          m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + t.origin[1],
          m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + t.origin[2]};
}

Vec3 Rotate(const mem::Transform& t, Vec3 d) {
  const auto& m = t.rotation.m;
  return {m[0][0] * d.x + m[0][1] * d.y + m[0][2] * d.z,
          m[1][0] * d.x + m[1][1] * d.y + m[1][2] * d.z,
          m[2][0] * d.x + m[2][1] * d.y + m[2][2] * d.z};
}

std::vector<SceneItem> CollectSceneItems(const mem::SceneContent& content) {
  const std::size_t n = content.nodes.size();
  std::vector<Placement> placement = Place(content);

  std::vector<char> selected(n, 0);
  for (std::int32_t index : content.selection) {
    if (index >= 0 && static_cast<std::size_t>(index) < n)
      selected[static_cast<std::size_t>(index)] = 1;
  }
  const std::int32_t active =
      content.selection.empty() ? -1 : content.selection.front();

  auto shape_of = [&](const mem::NodeData& node) -> const mem::ShapeData* {
    return node.kind == kNodeTypeShape && node.ext >= 0 &&
                   static_cast<std::size_t>(node.ext) < content.shapes.size()
               ? &content.shapes[static_cast<std::size_t>(node.ext)]
               : nullptr;
  };
  // The geometry of an imported shape.
  auto geometry_of =
      [&](const mem::ShapeData& shape) -> std::shared_ptr<const mem::MeshData> {
    if (shape.mesh < 0 ||
        static_cast<std::size_t>(shape.mesh) >= content.meshes.size())
      return nullptr;
    const auto& mesh = content.meshes[static_cast<std::size_t>(shape.mesh)];
    return mesh && mesh->TriangleCount() > 0 ? mesh : nullptr;
  };
  // What each shape is drawn as, worked out once.
  std::vector<Primitive> primitives(n, Primitive::kSphere);
  for (std::size_t i = 0; i < n; ++i) {
    const mem::NodeData& node = content.nodes[i];
    if (const mem::ShapeData* shape = shape_of(node)) {
      const mem::ShapeSource& source = shape->source.get();
      primitives[i] =
          PrimitiveFor(source.caption ? *source.caption : node.name, node.name);
    }
  }

  // The leaves of each parent that are set side by side: shapes (but
  // planes), and the icons of lights and cameras, each among their kind.
  struct Leaf {
    std::int32_t parent;
    bool icon;
    std::int32_t node;
  };
  // Hidden ones keep their places, unseen: hiding one moves nothing else.
  std::vector<Leaf> leaves;
  for (std::size_t i = 0; i < n; ++i) {
    const mem::NodeData& node = content.nodes[i];
    if (!placement[i].placed) continue;
    if (const mem::ShapeData* shape = shape_of(node)) {
      if (primitives[i] == Primitive::kPlane || geometry_of(*shape)) continue;
      leaves.push_back({node.parent, false, static_cast<std::int32_t>(i)});
    } else if (node.kind == kNodeTypeLight || node.kind == kNodeTypeCamera) {
      leaves.push_back({node.parent, true, static_cast<std::int32_t>(i)});
    }
  }
  std::stable_sort(
      leaves.begin(), leaves.end(), [](const Leaf& a, const Leaf& b) {
        return a.parent != b.parent ? a.parent < b.parent : a.icon < b.icon;
      });
  std::vector<Vec3> slot(n);  // each leaf's place beside its siblings
  std::vector<double> widths;
  std::vector<double> centres;
  std::vector<Vec3> offsets;
  for (std::size_t first = 0; first < leaves.size();) {
    std::size_t last = first;
    while (last < leaves.size() &&
           leaves[last].parent == leaves[first].parent &&
           leaves[last].icon == leaves[first].icon) {
      ++last;
    }
    widths.clear();
    centres.clear();
    for (std::size_t i = first; i < last; ++i) {
      const mem::NodeData& node =
          content.nodes[static_cast<std::size_t>(leaves[i].node)];
      double lo = -kIconSpacing / 2, hi = kIconSpacing / 2;
      if (const mem::ShapeData* shape = shape_of(node)) {
        ExtentX(*shape, primitives[static_cast<std::size_t>(leaves[i].node)],
                lo, hi);
      }
      widths.push_back(hi - lo);
      centres.push_back((lo + hi) / 2);
    }
    SideBySide(widths, leaves[first].icon ? 0 : kShapeGap, offsets);
    for (std::size_t i = first; i < last; ++i) {
      Vec3 at = offsets[i - first];
      at.x -= centres[i - first];
      slot[static_cast<std::size_t>(leaves[i].node)] = at;
    }
    first = last;
  }

  std::vector<SceneItem> items;
  items.reserve(n);
  std::vector<SceneItem> overlays;  // lights, cameras and bones go last
  for (std::size_t i = 0; i < n; ++i) {
    const mem::NodeData& node = content.nodes[i];
    const Placement& place = placement[i];
    if (!place.visible || !place.placed) continue;
    SceneItem item;
    item.node = static_cast<std::int32_t>(i);
    item.selected = selected[i] != 0;
    item.active = item.node == active;
    item.world = Shifted(place.world, slot[i]);
    if (const mem::ShapeData* shape = shape_of(node)) {
      item.kind = ItemKind::kShape;
      item.primitive = primitives[i];
      item.geometry = geometry_of(*shape);
      if (!shape->materials.empty()) {
        const ColourValue& c = shape->materials.front().colour;
        item.colour = {Unit(c.Red), Unit(c.Green), Unit(c.Blue), Unit(c.Alpha)};
      }
      item.draw_style = node.draw_style;
      item.as_box = node.display_as_box != 0;
      item.points = node.Has(mem::kDrawPoints);
      item.normals = node.Has(mem::kDrawNormals);
      item.translucent = node.Has(mem::kDrawTranslucent);
      const Clones& clones = shape->clones.get();
      const int counts[3] = {std::clamp<Long>(clones.Counts.X, 0, 100) + 1,
                             std::clamp<Long>(clones.Counts.Y, 0, 100) + 1,
                             std::clamp<Long>(clones.Counts.Z, 0, 100) + 1};
      int copy = 0;
      for (int c = 0; c < counts[2] && copy < kMaxCopiesDrawn; ++c) {
        for (int b = 0; b < counts[1] && copy < kMaxCopiesDrawn; ++b) {
          for (int a = 0; a < counts[0] && copy < kMaxCopiesDrawn; ++a) {
            SceneItem clone = item;
            clone.copy = copy++;
            if (clone.copy > 0) {
              clone.world =
                  mem::Compose(item.world, CloneFrame(clones, a, b, c));
            }
            items.push_back(clone);
          }
        }
      }
    } else if (node.kind == kNodeTypeLight) {
      item.kind = ItemKind::kLight;
      if (node.ext >= 0 &&
          static_cast<std::size_t>(node.ext) < content.lights.size()) {
        const mem::LightData& light =
            content.lights[static_cast<std::size_t>(node.ext)];
        item.light_type = light.light_type;
        item.colour = {Unit(light.colour.Red), Unit(light.colour.Green),
                       Unit(light.colour.Blue), 1};
      }
      overlays.push_back(item);
    } else if (node.kind == kNodeTypeCamera) {
      item.kind = ItemKind::kCamera;
      overlays.push_back(item);
    } else if (node.kind == kNodeTypeBone) {
      item.kind = ItemKind::kBone;
      std::int32_t parent = node.parent;
      if (parent >= 0 && static_cast<std::size_t>(parent) < n &&
          content.nodes[static_cast<std::size_t>(parent)].kind ==
              kNodeTypeBone &&
          placement[static_cast<std::size_t>(parent)].placed) {
        const double* o =
            placement[static_cast<std::size_t>(parent)].world.origin;
        item.has_parent_bone = true;
        item.parent_joint = {o[0], o[1], o[2]};
      }
      overlays.push_back(item);
    }
  }
  items.insert(items.end(), overlays.begin(), overlays.end());
  return items;
}

}  // namespace morvel::demo

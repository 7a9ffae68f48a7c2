// Import, edit, save, import again, compare: for each format the exporter
// writes, the edits a person makes in the panel that the format can carry
// must come back. What a format cannot carry is listed here, beside the
// table of docs/scene-format.md, so that a format that starts (or stops)
// carrying something shows up.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "base/error.h"
#include "memscene/handles.h"
#include "memscene/model_transform.h"
#include "memscene/rotation.h"
#include "memscene/scene_files.h"
#include "memscene/state.h"

namespace morvel {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = MORVEL_CORPUS_DIR;
const fs::path kSource = kCorpus / "BLEND" / "BlenderDefault_276.blend";

struct Carried {
  bool names;      // node names as they were
  bool colour;     // a material's colour
  bool map;        // a map path, rewritten for the new folder
  bool light;      // a light's colour
  bool falloff;    // a light's attenuation terms
  bool camera;     // a camera's field of view
};

struct Format {
  const char* extension;
  Carried carried;
};

// What Assimp's exporters write and its importers read back, measured.
// glTF's lights fade by the inverse square of the distance, always; Collada
// gives a material a diffuse colour or a diffuse texture, not both; OBJ
// keeps no nodes (the placement goes into the vertices), lights or cameras;
// PLY keeps geometry and a texture file, STL geometry alone.
const Format kFormats[] = {
    {"json", {true, true, true, true, true, true}},
    {"gltf", {true, true, true, true, false, true}},
    {"glb", {true, true, true, true, false, true}},
    {"dae", {true, false, true, true, true, true}},
    {"obj", {false, true, true, false, false, false}},
    {"fbx", {true, true, true, false, false, false}},
    {"ply", {false, false, true, false, false, false}},
    {"stl", {false, false, false, false, false, false}},
};

// Where the meshes of a scene lie in the world: the box around every
// vertex, through the scale and placement of every group above it. Formats
// that keep no hierarchy (OBJ) bake the placement into the vertices; this
// compares them all alike.
struct Box {
  double lo[3] = {1e300, 1e300, 1e300};
  double hi[3] = {-1e300, -1e300, -1e300};
};

Box WorldBox(const mem::SceneContent& content) {
  Box box;
  for (std::size_t i = 0; i < content.nodes.size(); ++i) {
    const mem::NodeData& node = content.nodes[i];
    if (node.kind != kNodeTypeShape) continue;
    std::int32_t mesh = content.shapes[static_cast<std::size_t>(node.ext)].mesh;
    if (mesh < 0 || !content.meshes[static_cast<std::size_t>(mesh)]) continue;
    // The chain of matrices from the top down to the shape's group.
    std::vector<mem::SourceMatrix> chain;
    for (std::int32_t g = node.parent; g >= 0;
         g = content.nodes[static_cast<std::size_t>(g)].parent) {
      chain.push_back(mem::MatrixOf(content.groups[static_cast<std::size_t>(
          content.nodes[static_cast<std::size_t>(g)].ext)]));
    }
    const mem::MeshData& data = *content.meshes[static_cast<std::size_t>(mesh)];
    for (std::size_t v = 0; v < data.VertexCount(); ++v) {
      double p[3] = {data.positions[3 * v], data.positions[3 * v + 1],
                     data.positions[3 * v + 2]};
      for (const mem::SourceMatrix& m : chain) {
        double q[3];
        for (int r = 0; r < 3; ++r) {
          q[r] = m[static_cast<std::size_t>(r * 4)] * p[0] +
                 m[static_cast<std::size_t>(r * 4 + 1)] * p[1] +
                 m[static_cast<std::size_t>(r * 4 + 2)] * p[2] +
                 m[static_cast<std::size_t>(r * 4 + 3)];
        }
        std::copy(q, q + 3, p);
      }
      for (int a = 0; a < 3; ++a) {
        box.lo[a] = std::min(box.lo[a], p[a]);
        box.hi[a] = std::max(box.hi[a], p[a]);
      }
    }
  }
  return box;
}

bool Near(double a, double b, double tolerance = 1e-3) {
  return std::abs(a - b) <= tolerance * std::max(1.0, std::abs(b));
}

template <class F>
bool AnyNode(const mem::SceneContent& content, Long kind, F test) {
  for (const mem::NodeData& node : content.nodes) {
    if (node.kind == kind && test(node)) return true;
  }
  return false;
}

class RoundTripTest : public ::testing::TestWithParam<Format> {};

TEST_P(RoundTripTest, EditsTheFormatCarriesComeBack) {
  if (!fs::exists(kSource)) GTEST_SKIP() << "no corpus";
  const Format format = GetParam();
  const Carried& carried = format.carried;
  std::shared_ptr<MemSceneGraph> scene = OpenSceneFile(kSource.string());

  // The edits, through the scene graph as the panel makes them.
  auto cube = std::dynamic_pointer_cast<Group>(scene->Node("Cube"));
  ASSERT_TRUE(cube);
  cube->SetPosition(cube->Parent(), kCurrentKey, {1, 2, 3});
  cube->SetOrientation(cube->Parent(), kCurrentKey, {1, 0, 0}, {0, 1, 0});
  std::shared_ptr<SceneNode> mesh = scene->Node("Cube (mesh)");
  std::shared_ptr<Material> material = mesh->GetMaterial(0);
  material->SetColourComponents(0.25f, 0.5f, 0.75f, 1);
  auto builder = scene->GetActiveScene()->MapBuilder();
  material->SetMaps(builder->CreateMaps("textures/wood.png", 0, 1, "", "", 0,
                                        "", "", "", ""));
  auto lamp = std::dynamic_pointer_cast<Light>(scene->Node("Lamp (light)"));
  lamp->SetColour(kCurrentKey, {0.5f, 0.25f, 1, 1});
  lamp->SetConstantAttenuation(kCurrentKey, 0);
  lamp->SetLinearAttenuation(kCurrentKey, 0.25f);
  lamp->SetQuadraticAttenuation(kCurrentKey, 0);
  auto camera = std::dynamic_pointer_cast<Camera>(scene->Node("Camera (camera)"));
  camera->SetFieldOfView(kCurrentKey, 0.3f);

  const fs::path folder = fs::temp_directory_path() /
                          ("morvel_round_trip_" + std::to_string(::getpid())) /
                          format.extension;
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path saved = folder / (std::string("saved.") + format.extension);
  SaveSceneFile(*scene, saved.string());
  std::shared_ptr<MemSceneGraph> again = OpenSceneFile(saved.string());
  const mem::SceneContent& before = scene->state().content;
  const mem::SceneContent& after = again->state().content;

  // Where the geometry stands: every format.
  Box a = WorldBox(before), b = WorldBox(after);
  for (int axis = 0; axis < 3; ++axis) {
    EXPECT_TRUE(Near(a.lo[axis], b.lo[axis]) && Near(a.hi[axis], b.hi[axis]))
        << format.extension << " axis " << axis << ": " << a.lo[axis] << ".."
        << a.hi[axis] << " came back as " << b.lo[axis] << ".." << b.hi[axis];
  }

  bool names = after.Find("Cube") >= 0 && after.Find("Lamp") >= 0;
  bool colour = false, map = false;
  for (std::size_t s = 0; s < after.shapes.size(); ++s) {
    for (const mem::MaterialData& m : after.shapes[s].materials) {
      colour |= Near(m.colour.Red, 0.25f) && Near(m.colour.Green, 0.5f) &&
                Near(m.colour.Blue, 0.75f);
      if (m.maps && !m.maps->paths[0].empty()) {
        map |= fs::weakly_canonical(folder / std::string(m.maps->paths[0])) ==
               fs::weakly_canonical(kSource.parent_path() / "textures/wood.png");
      }
    }
  }
  bool light = AnyNode(after, kNodeTypeLight, [&](const mem::NodeData& n) {
    const ColourValue& c = after.lights[static_cast<std::size_t>(n.ext)].colour;
    return Near(c.Red, 0.5f) && Near(c.Green, 0.25f) && Near(c.Blue, 1);
  });
  bool falloff = AnyNode(after, kNodeTypeLight, [&](const mem::NodeData& n) {
    const mem::LightData& l = after.lights[static_cast<std::size_t>(n.ext)];
    return l.constant_attenuation == 0 && Near(l.linear_attenuation, 0.25f) &&
           l.quadratic_attenuation == 0;
  });
  bool fov = AnyNode(after, kNodeTypeCamera, [&](const mem::NodeData& n) {
    return Near(after.cameras[static_cast<std::size_t>(n.ext)].field_of_view,
                0.3f);
  });
  std::printf(
      "%-5s names %-3s colour %-3s map %-3s light %-3s falloff %-3s camera "
      "%-3s\n",
      format.extension, names ? "yes" : "no", colour ? "yes" : "no",
      map ? "yes" : "no", light ? "yes" : "no", falloff ? "yes" : "no",
      fov ? "yes" : "no");
  EXPECT_EQ(names, carried.names) << "names";
  EXPECT_EQ(colour, carried.colour) << "material colour";
  EXPECT_EQ(map, carried.map) << "map path";
  EXPECT_EQ(light, carried.light) << "light colour";
  EXPECT_EQ(falloff, carried.falloff) << "light attenuation";
  EXPECT_EQ(fov, carried.camera) << "camera field of view";
  fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Formats, RoundTripTest, ::testing::ValuesIn(kFormats),
                         [](const auto& info) {
                           return std::string(info.param.extension);
                         });

}  // namespace
}  // namespace morvel

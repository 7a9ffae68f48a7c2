#ifndef FOREIGN_HOST_DOCUMENT_H_
#define FOREIGN_HOST_DOCUMENT_H_

// The document of a small modelling application that knows nothing of the
// panel: a plain tree of structs, in its own units (degrees, 0..1 weights,
// full cone angles). binding.h shows it to the panel.
#include <memory>
#include <string>
#include <vector>

namespace studio {

struct Vec3 {
  float x = 0, y = 0, z = 0;
};

struct Rgb {
  float r = 1, g = 1, b = 1;
};

// A surface of a mesh: a colour, how opaque it is, and an optional image
// laid over the colour.
struct Surface {
  std::string name;
  Rgb colour;
  float opacity = 1;
  std::string texture;         // an image file, "" for none
  float texture_share = 0.5f;  // how much of the texture shows, 0..1
};

enum class Kind { kFolder, kMesh, kLamp, kEye, kJoint };
enum class LampKind { kAmbient, kSun, kSpot, kBulb };

struct Item {
  std::string name;
  Kind kind = Kind::kFolder;
  bool visible = true;
  Item* parent = nullptr;
  std::vector<std::unique_ptr<Item>> children;

  // Meshes.
  std::string file;  // where the mesh was imported from
  bool frozen = false;
  bool casts_shadows = true;
  std::vector<Surface> surfaces;
  std::string part_number;

  // Folders and joints: placement relative to the parent.
  Vec3 offset;
  Vec3 forward{0, 0, 1};
  Vec3 up{0, 1, 0};
  float joint_weight = 1;  // joints: 0..1

  // Lamps.
  LampKind lamp = LampKind::kBulb;
  Rgb light{1, 1, 1};
  float cone_degrees = 45;  // the whole spot cone
  float reach = 100;

  // Eyes.
  float lens_degrees = 40;  // the horizontal angle of view

  Item& Add(std::string child_name, Kind child_kind) {
    children.push_back(std::make_unique<Item>());
    Item& child = *children.back();
    child.name = std::move(child_name);
    child.kind = child_kind;
    child.parent = this;
    return child;
  }
};

struct Document {
  Item root;  // a folder that is never shown
  std::string application = "ForeignStudio";
};

// A room with a table on a stage, a desk lamp, a sun, a camera and an arm.
inline std::unique_ptr<Document> MakeSampleDocument() {
  auto doc = std::make_unique<Document>();
  doc->root.name = "Document";
  Item& stage = doc->root.Add("Stage", Kind::kFolder);
  stage.offset = {0, 0.5f, 0};
  Item& table = stage.Add("Table", Kind::kMesh);
  table.file = "table.obj";
  table.part_number = "T-100";
  table.surfaces = {{"Oak", {0.55f, 0.35f, 0.2f}, 1, "maps/oak.png", 0.75f},
                    {"Glass", {0.8f, 0.9f, 1}, 0.25f, "", 0.5f}};
  Item& chair = stage.Add("Chair", Kind::kMesh);
  chair.file = "chair.obj";
  chair.frozen = true;
  chair.surfaces = {{"Paint", {0.9f, 0.1f, 0.1f}, 1, "", 0.5f}};
  Item& lamp = stage.Add("Desk Lamp", Kind::kLamp);
  lamp.lamp = LampKind::kSpot;
  lamp.light = {1, 0.9f, 0.7f};
  Item& sun = doc->root.Add("Sun", Kind::kLamp);
  sun.lamp = LampKind::kSun;
  Item& eye = doc->root.Add("Camera", Kind::kEye);
  eye.offset = {0, 1.6f, -5};
  Item& arm = doc->root.Add("Arm", Kind::kJoint);
  arm.joint_weight = 0.8f;
  arm.Add("Hand", Kind::kJoint).joint_weight = 0.5f;
  return doc;
}

}  // namespace studio

#endif  // FOREIGN_HOST_DOCUMENT_H_

#include "binding.h"

#include <string>

#include "host/selection_rules.h"

namespace foreign {
namespace {

using namespace morvel;

// The panel's pi, so that degrees make the round trip to the same text.
constexpr float kPi = 3.141593f;
float Radians(float degrees) { return degrees / 180 * kPi; }
float Degrees(float radians) { return radians / kPi * 180; }
SingleVector3 In(const studio::Vec3& v) { return {v.x, v.y, v.z}; }
studio::Vec3 Out(const SingleVector3& v) { return {v.X, v.Y, v.Z}; }

// What every item's node takes from the item: its name and visibility.
template <class Base>
class Bound : public Base {
 public:
  template <class... Args>
  Bound(DocumentGraph& graph, studio::Item& item, Args... args)
      : Base(item.name, args...), graph_(graph), item_(item) {}
  studio::Item& item() { return item_; }
  std::string Name() override { return item_.name; }
  bool Hidden() override { return !item_.visible; }
  void SetHidden(bool hidden) override { item_.visible = !hidden; }

 protected:
  DocumentGraph& graph_;
  studio::Item& item_;
};

// A surface: the texture is map 1, the other maps are not kept.
class SurfaceMaterial : public MaterialBase {
 public:
  explicit SurfaceMaterial(studio::Surface& surface) : s_(surface) {}
  ColourValue GetColourComponents() override {
    return {s_.colour.r, s_.colour.g, s_.colour.b, s_.opacity};
  }
  void SetColourComponents(Single r, Single g, Single b, Single a) override {
    s_.colour = {r, g, b};
    s_.opacity = a;
  }
  std::shared_ptr<MaterialMaps> Maps() override {
    if (s_.texture.empty()) return nullptr;
    return std::make_shared<MapsBase>(MapsBase::Paths{s_.texture}, 0, 1,
                                      s_.texture_share);
  }
  void SetMaps(const std::shared_ptr<MaterialMaps>& maps) override {
    s_.texture = maps ? maps->MapPath1() : "";
    if (!maps) return;
    Single share = maps->Blend();  // a fraction, or above 1.0001 a percentage
    s_.texture_share = share > 1.0001f ? share / 100 : share;
  }

 private:
  studio::Surface& s_;
};

class Mesh : public Bound<ShapeBase> {
 public:
  Mesh(DocumentGraph& graph, studio::Item& item) : Bound(graph, item) {
    for (studio::Surface& surface : item.surfaces)
      AddMaterial(std::make_shared<SurfaceMaterial>(surface));
  }
  std::string SourceDetail() override { return item_.file; }
  bool Locked() override { return item_.frozen; }
  void SetLocked(bool value) override { item_.frozen = value; }
  bool CastsShadows() override { return item_.casts_shadows; }
  void SetCastsShadows(bool value) override { item_.casts_shadows = value; }
  // Custom field 0, "Part No", is the document's part number.
  std::string GetCustomFieldValue(Long index) override {
    if (index == 0) return item_.part_number;
    return ShapeBase::GetCustomFieldValue(index);
  }
  void SetCustomFieldValue(Long index, const std::string& value) override {
    if (index == 0) item_.part_number = value;
    ShapeBase::SetCustomFieldValue(index, value);
  }
};

// Folders and joints: a placement relative to the parent item.
template <class Base>
class Placed : public Bound<Base> {
 public:
  Placed(DocumentGraph& graph, studio::Item& item) : Bound<Base>(graph, item) {}
  std::shared_ptr<Group> Parent() override {
    studio::Item* parent = this->item_.parent;
    if (parent == nullptr || parent->parent == nullptr) return nullptr;
    return std::dynamic_pointer_cast<Group>(this->graph_.NodeOf(*parent));
  }
  SingleVector3 GetPosition(const std::shared_ptr<Group>&, Single) override {
    return In(this->item_.offset);
  }
  void SetPosition(const std::shared_ptr<Group>&, Single,
                   const SingleVector3& position) override {
    this->item_.offset = Out(position);
  }
  Orientation GetOrientation(const std::shared_ptr<Group>&, Single) override {
    return {In(this->item_.forward), In(this->item_.up)};
  }
  void SetOrientation(const std::shared_ptr<Group>&, Single,
                      const SingleVector3& forward,
                      const SingleVector3& up) override {
    this->item_.forward = Out(forward);
    this->item_.up = Out(up);
  }
};
using Folder = Placed<GroupBase>;

// The document weighs joints 0..1, the panel 0..100.
class Joint : public Placed<BoneBase> {
 public:
  using Placed::Placed;
  Single BoneWeight() override { return item_.joint_weight * 100; }
  void SetBoneWeight(Single value) override {
    item_.joint_weight = value / 100;
  }
};

// The lamp kinds are in the panel's LightType order.
class Lamp : public Bound<LightBase> {
 public:
  using Bound::Bound;
  Long LightType() override { return static_cast<Long>(item_.lamp); }
  ColourValue GetColour(Single) override {
    return {item_.light.r, item_.light.g, item_.light.b, 1};
  }
  void SetColour(Single, const ColourValue& c) override {
    item_.light = {c.Red, c.Green, c.Blue};
  }
  Single SpotlightRange(Single) override { return item_.reach; }
  void SetSpotlightRange(Single, Single value) override { item_.reach = value; }
  // The document keeps the whole cone in degrees, the panel half of it in
  // radians.
  Single SpotlightUmbra(Single) override {
    return Radians(item_.cone_degrees / 2);
  }
  void SetSpotlightUmbra(Single, Single value) override {
    item_.cone_degrees = 2 * Degrees(value);
  }
};

class Eye : public Bound<CameraBase> {
 public:
  using Bound::Bound;
  Single GetFieldOfView(Single) override {
    return Radians(item_.lens_degrees);
  }
  void SetFieldOfView(Single, Single value) override {
    item_.lens_degrees = Degrees(value);
  }
};

template <class Node>
std::shared_ptr<SceneNode> MakeNode(DocumentGraph& graph, studio::Item& item) {
  return std::make_shared<Node>(graph, item);
}

std::shared_ptr<Scene> MakeScene(const studio::Document& document) {
  auto scene = std::make_shared<SceneBase>(document.application);
  scene->SetCustomShapeFieldNames({"Part No"});
  return scene;
}

}  // namespace

DocumentGraph::DocumentGraph(studio::Document& document)
    : SceneGraphBase(MakeScene(document)) {}

std::shared_ptr<SceneNode> DocumentGraph::NodeOf(studio::Item& item) {
  using Make = std::shared_ptr<SceneNode> (*)(DocumentGraph&, studio::Item&);
  // By studio::Kind: folder, mesh, lamp, eye, joint.
  static constexpr Make kMakers[] = {MakeNode<Folder>, MakeNode<Mesh>,
                                     MakeNode<Lamp>, MakeNode<Eye>,
                                     MakeNode<Joint>};
  std::shared_ptr<SceneNode>& node = nodes_[&item];
  if (!node) node = kMakers[static_cast<int>(item.kind)](*this, item);
  return node;
}

void DocumentGraph::SelectItems(const std::vector<studio::Item*>& items) {
  std::vector<std::shared_ptr<SceneNode>> nodes;
  for (studio::Item* item : items) nodes.push_back(NodeOf(*item));
  Select(std::move(nodes));
}

SetupArguments DocumentGraph::Setup(Long tab) {
  // Lamps in a selected folder count for the ambient and sun flags.
  auto lamps_in = [this](const std::shared_ptr<SceneNode>& folder) {
    std::vector<std::shared_ptr<Light>> lamps;
    for (auto& child : static_cast<Folder&>(*folder).item().children) {
      if (child->kind == studio::Kind::kLamp)
        lamps.push_back(std::dynamic_pointer_cast<Light>(NodeOf(*child)));
    }
    return lamps;
  };
  return ComputeSetupArguments(*this, tab, lamps_in);
}

}  // namespace foreign

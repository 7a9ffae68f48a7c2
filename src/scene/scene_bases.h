#ifndef MORVEL_SCENE_SCENE_BASES_H_
#define MORVEL_SCENE_SCENE_BASES_H_

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/types.h"
#include "scene/scene_graph.h"

// Base classes a host derives its scene objects from. Each answers every
// value of its interface with one it stores, starting at the neutral value
// noted beside it (the value a new object of the reference scene graph
// has), so that a host overrides only what its own document keeps (a name,
// a transform, a colour) and leaves the rest (smoothing, clones, the joint,
// bone volumes, focal blur...) to the base. Keyed values keep one value, as
// it stands: the key is not looked at.
//
// The bases keep the contract of scene/scene_graph.h: a value a kind does
// not have raises error 438 (kErrNotSupported), an index outside a list
// error 9, a missing object error 91. They add, beyond what the panel calls,
// the few values the reference utilities (host/reference_utilities.h) read:
// NodeBase::Hidden, BoneBase::BoneEnabled, ShapeBase::SourceCaption and
// MaterialBase's levels.
//
// Objects are handed out as std::shared_ptr (ObjectRef and Bone answer the
// object itself), so make them with std::make_shared.
namespace morvel {

// The accessors of a stored value: a getter Name() and a setter SetName()
// that read and write `field` of the struct `values(what)` answers, `what`
// being the accessor's own name for the 438 a kind without the value raises.
// Keyed ones take the key first and keep one value, as it stands.
#define MORVEL_STORED_AS(Type, Get, Set, values, field)                 \
  Type Get() override { return values(#Get).field; }                   \
  void Set(Type value) override { values(#Set).field = value; }
#define MORVEL_STORED(Type, Name, values, field) \
  MORVEL_STORED_AS(Type, Name, Set##Name, values, field)
#define MORVEL_STORED_KEYED_AS(Get, Set, values, field)                 \
  Single Get(Single) override { return values(#Get).field; }           \
  void Set(Single, Single value) override { values(#Set).field = value; }
#define MORVEL_STORED_KEYED(Name, values, field) \
  MORVEL_STORED_KEYED_AS(Name, Set##Name, values, field)

// Error 13: "Type mismatch: the shape "Teapot" is not a light", for a node
// asked for an object of a `kind` it does not carry.
[[noreturn]] void RaiseNotA(SceneNode& node, const char* kind);

// The custom fields of shapes and groups: slots 0 to 5.
inline constexpr Long kCustomFieldCount = 6;

// `names` padded with empty names (slots not in use) to kCustomFieldCount;
// a longer list is kept as it is (and refused by the panel's load).
std::vector<std::string> SixFieldNames(std::vector<std::string> names);

// Six custom field values, slot 0 to 5 (error 9 outside).
class CustomFields {
 public:
  const std::string& Get(Long index) const;
  void Set(Long index, const std::string& value);

 private:
  std::array<std::string, kCustomFieldCount> values_;
};

// What a shape keeps, at the values a new shape has.
struct ShapeValues {
  bool locked = false;
  bool casts_shadows = true;
  Long draw_style = 0;
  Long display_as_box = 0;
  bool draw_points = false, draw_normals = false, draw_translucent = false;
  Long smoothing_level = 0;
  Single smoothing_tension = 0;
  Long smoothing_condition = 0;
  Single smooth_angle = 30;
  Single creasing_factor = 0;
  Long mirror_axis = 0;
  Clones clones;
  CustomFields custom_fields;
  Single index_of_refraction = 0;
  std::vector<std::shared_ptr<Material>> materials;
};

// What every node has: its kind, a name, and whether it is hidden. The
// shape values are a shape's (ShapeBase); every other kind raises 438 for
// them, and for Locked and CastsShadows (which lights have too).
class NodeBase : public SceneNode, public std::enable_shared_from_this<NodeBase> {
 public:
  NodeBase(Long node_type, std::string name)
      : node_type_(node_type), name_(std::move(name)) {}

  // The name messages quote and the source caption starts from.
  virtual std::string Name() { return name_; }
  // Hidden in the viewports: the reference SceneUtility's Hide box.
  virtual bool Hidden() { return hidden_; }
  virtual void SetHidden(bool value) { hidden_ = value; }

  Long NodeType() override { return node_type_; }
  std::shared_ptr<SceneNode> ObjectRef() override { return shared_from_this(); }
  std::shared_ptr<Group> Bone() override;  // error 13: not a bone

  MORVEL_STORED(bool, Locked, Shape, locked)
  MORVEL_STORED(bool, CastsShadows, Shape, casts_shadows)
  MORVEL_STORED(Long, DrawStyle, Shape, draw_style)
  MORVEL_STORED(Long, DisplayAsBox, Shape, display_as_box)
  MORVEL_STORED(bool, DrawPoints, Shape, draw_points)
  MORVEL_STORED(bool, DrawNormals, Shape, draw_normals)
  MORVEL_STORED(bool, DrawTranslucent, Shape, draw_translucent)
  // Shape kind 0: a shape with a source to open.
  ShapeInfo GetShapeInfo() override {
    Shape("GetShapeInfo");
    return ShapeInfo{};
  }
  MORVEL_STORED(Long, SmoothingLevel, Shape, smoothing_level)
  MORVEL_STORED_KEYED(SmoothingTension, Shape, smoothing_tension)
  MORVEL_STORED(Long, SmoothingCondition, Shape, smoothing_condition)
  MORVEL_STORED_KEYED(SmoothAngle, Shape, smooth_angle)
  MORVEL_STORED_KEYED(CreasingFactor, Shape, creasing_factor)
  MORVEL_STORED(Long, MirrorAxis, Shape, mirror_axis)
  Clones GetClones() override { return Shape("GetClones").clones; }
  void SetClones(const LongVector3& counts, const SingleVector3& offsets,
                 const SingleVector3& rotations) override {
    Shape("SetClones").clones = Clones{counts, offsets, rotations};
  }
  std::string GetCustomFieldValue(Long index) override {
    return Shape("GetCustomFieldValue").custom_fields.Get(index);
  }
  void SetCustomFieldValue(Long index, const std::string& value) override {
    Shape("SetCustomFieldValue").custom_fields.Set(index, value);
  }
  MORVEL_STORED_KEYED(IndexOfRefraction, Shape, index_of_refraction)
  Long MaterialCount() override;
  std::shared_ptr<Material> GetMaterial(Long index) override;

 protected:
  // The shape values, for the shape value `what`: error 438 unless this
  // node is a shape.
  virtual ShapeValues& Shape(const char* what) { NotSupported(what); }
  // Error 438, naming `what` and this node.
  [[noreturn]] void NotSupported(const char* what);

 private:
  Long node_type_;
  std::string name_;
  bool hidden_ = false;
};

// A shape (kNodeTypeShape) and its materials.
class ShapeBase : public NodeBase {
 public:
  explicit ShapeBase(std::string name, ShapeValues values = {})
      : NodeBase(kNodeTypeShape, std::move(name)), values_(std::move(values)) {}

  // What the reference SceneUtility shows on the Source button: the name,
  // and no detail.
  virtual std::string SourceCaption() { return Name(); }
  virtual std::string SourceDetail() { return {}; }
  // Appends a material to those MaterialCount and GetMaterial answer.
  void AddMaterial(std::shared_ptr<Material> material) {
    values_.materials.push_back(std::move(material));
  }

 protected:
  ShapeValues& Shape(const char*) override { return values_; }

 private:
  ShapeValues values_;
};

// What a bone keeps beyond a group, at the values a new bone has.
struct BoneValues {
  bool enabled = true;
  Single weight = 100;
  Single origin_effect_range = 0.5f;
  Single end_effect_range = 0.5f;
  Single effect_extent = 1;
  Single irregular_extent = 0;
  SingleVector3 irregular_offset;
  Long kind = 0;
};

// A group (kNodeTypeGroup): a transform relative to its parent, a joint and
// six custom fields. The transform is kept in the parent's frame, the only
// one the panel asks for; `relative_to` is not looked at. The bone values
// are a bone's (BoneBase); a group raises 438 for them.
class GroupBase : public NodeBase, public Group {
 public:
  explicit GroupBase(std::string name) : GroupBase(kNodeTypeGroup, std::move(name)) {}

  // The group Parent() answers (none at first: the top of the hierarchy).
  void SetParent(const std::shared_ptr<Group>& parent) { parent_ = parent; }

  std::shared_ptr<Group> Parent() override { return parent_.lock(); }
  SingleVector3 GetPosition(const std::shared_ptr<Group>&, Single) override {
    return position_;
  }
  void SetPosition(const std::shared_ptr<Group>&, Single,
                   const SingleVector3& position) override {
    position_ = position;
  }
  Orientation GetOrientation(const std::shared_ptr<Group>&, Single) override {
    return orientation_;  // looking along +Z, +Y up
  }
  void SetOrientation(const std::shared_ptr<Group>&, Single,
                      const SingleVector3& forward,
                      const SingleVector3& up) override {
    orientation_ = Orientation{forward, up};
  }
  RotationalVelocity GetRotationalVelocity() override { return velocity_; }
  // Keeps radians per second: revolutions x 6.283186, the panel's 2 pi.
  void SetRotationalVelocity(const SingleVector3& axis,
                             Single revolutions_per_second) override;
  Long IKJointMode() override { return joint_mode_; }
  void SetIKJointMode(Long value) override { joint_mode_ = value; }
  IKJointLimits GetIKJointLimits() override { return limits_; }  // +-2 pi
  void SetIKJointLimits(const IKJointLimits& limits) override {
    limits_ = limits;
  }
  // The group's custom fields answer as the node's too.
  std::string GetCustomFieldValue(Long index) override {
    return fields_.Get(index);
  }
  void SetCustomFieldValue(Long index, const std::string& value) override {
    fields_.Set(index, value);
  }

  MORVEL_STORED(Single, BoneWeight, BoneData, weight)
  MORVEL_STORED(Single, BoneOriginEffectRange, BoneData, origin_effect_range)
  MORVEL_STORED(Single, BoneEndEffectRange, BoneData, end_effect_range)
  MORVEL_STORED(Single, BoneEffectExtent, BoneData, effect_extent)
  MORVEL_STORED(Single, BoneIrregularExtent, BoneData, irregular_extent)
  SingleVector3 BoneIrregularOffset() override {
    return BoneData("BoneIrregularOffset").irregular_offset;
  }
  void SetBoneIrregularOffset(const SingleVector3& value) override {
    BoneData("SetBoneIrregularOffset").irregular_offset = value;
  }
  Long BoneKind() override { return BoneData("BoneKind").kind; }
  // Stores the switch and answers 0 (switched).
  Long SetBoneEnabled(bool enabled) override {
    BoneData("SetBoneEnabled").enabled = enabled;
    return 0;
  }

 protected:
  GroupBase(Long node_type, std::string name)
      : NodeBase(node_type, std::move(name)) {}
  // The bone values, for the bone value `what`: error 438 unless this group
  // is a bone.
  virtual BoneValues& BoneData(const char* what) { NotSupported(what); }

 private:
  std::weak_ptr<Group> parent_;
  SingleVector3 position_;
  Orientation orientation_;
  RotationalVelocity velocity_;
  Long joint_mode_ = 0;
  IKJointLimits limits_{-6.283186f, -6.283186f, -6.283186f,
                        6.283186f,  6.283186f,  6.283186f};
  CustomFields fields_;
};

// A bone (kNodeTypeBone): a group with a weight and a volume of influence.
class BoneBase : public GroupBase {
 public:
  explicit BoneBase(std::string name, BoneValues values = {})
      : GroupBase(kNodeTypeBone, std::move(name)), values_(values) {}

  // Whether the bone deforms its skin: the reference SceneUtility's Enable
  // box, which SetBoneEnabled switches.
  virtual bool BoneEnabled() { return values_.enabled; }

  std::shared_ptr<Group> Bone() override;  // the bone itself

 protected:
  BoneValues& BoneData(const char*) override { return values_; }

 private:
  BoneValues values_;
};

// What a light keeps, at the values a new light has (the reference scene
// graph's lights start the same).
struct LightValues {
  Long light_type = kLightTypePoint;
  ColourValue colour{1, 1, 1, 1};
  Single constant_attenuation = 1;
  Single linear_attenuation = 0;
  Single quadratic_attenuation = 0;
  Single spotlight_range = 256;
  Single spotlight_umbra = 0.4f;
  Single spotlight_penumbra = 0.5f;
};

// A light (kNodeTypeLight); a light node is its own light.
class LightBase : public NodeBase, public Light {
 public:
  explicit LightBase(std::string name, LightValues values = {})
      : NodeBase(kNodeTypeLight, std::move(name)), values_(values) {}

  Long LightType() override { return values_.light_type; }
  bool CastsShadows() override { return casts_shadows_; }  // true
  void SetCastsShadows(bool value) override { casts_shadows_ = value; }
  ColourValue GetColour(Single) override { return values_.colour; }
  void SetColour(Single, const ColourValue& colour) override {
    values_.colour = colour;
  }
  MORVEL_STORED_KEYED(ConstantAttenuation, Values, constant_attenuation)
  MORVEL_STORED_KEYED(LinearAttenuation, Values, linear_attenuation)
  MORVEL_STORED_KEYED(QuadraticAttenuation, Values, quadratic_attenuation)
  MORVEL_STORED_KEYED(SpotlightRange, Values, spotlight_range)
  MORVEL_STORED_KEYED(SpotlightUmbra, Values, spotlight_umbra)
  MORVEL_STORED_KEYED(SpotlightPenumbra, Values, spotlight_penumbra)

 private:
  LightValues& Values(const char*) { return values_; }
  LightValues values_;
  bool casts_shadows_ = true;
};

// What a camera keeps, at the values a new camera has (the reference scene
// graph's cameras start the same).
struct CameraValues {
  Single field_of_view = 0.05f;
  bool focal_blur = false;
  Single focal_point = 1;
  Single focal_aperture = 1;
  Long focal_quality = 1;
};

// A camera (kNodeTypeCamera).
class CameraBase : public NodeBase, public Camera {
 public:
  explicit CameraBase(std::string name, CameraValues values = {})
      : NodeBase(kNodeTypeCamera, std::move(name)), values_(values) {}

  MORVEL_STORED_KEYED_AS(GetFieldOfView, SetFieldOfView, Values,
                         field_of_view)
  MORVEL_STORED_AS(bool, GetFocalBlur, SetFocalBlur, Values, focal_blur)
  MORVEL_STORED_KEYED_AS(GetFocalPoint, SetFocalPoint, Values, focal_point)
  MORVEL_STORED_KEYED_AS(GetFocalAperture, SetFocalAperture, Values,
                         focal_aperture)
  MORVEL_STORED_AS(Long, GetFocalQuality, SetFocalQuality, Values,
                   focal_quality)

 private:
  CameraValues& Values(const char*) { return values_; }
  CameraValues values_;
};

// A material: a colour, three levels, maps and custom field values.
class MaterialBase : public Material {
 public:
  // The custom field values a base material keeps: indexes 0 to 255.
  static constexpr Long kFieldLimit = 256;

  // The levels in whole percent, as the reference SceneUtility reads and
  // writes them (80, 20 and 0 at first), whatever the colour.
  virtual Long DiffuseLevel() { return diffuse_; }
  virtual void SetDiffuseLevel(Long percent) { diffuse_ = percent; }
  virtual Long AmbientLevel() { return ambient_; }
  virtual void SetAmbientLevel(Long percent) { ambient_ = percent; }
  virtual Long SpecularLevel() { return specular_; }
  virtual void SetSpecularLevel(Long percent) { specular_ = percent; }

  // Packed from GetColourComponents: each component x 255, rounded and held
  // within 0..255.
  morvel::Colour Colour() override;
  ColourValue GetColourComponents() override { return colour_; }  // white
  void SetColourComponents(Single red, Single green, Single blue,
                           Single alpha) override {
    colour_ = ColourValue{red, green, blue, alpha};
  }
  std::shared_ptr<MaterialMaps> Maps() override { return maps_; }  // none
  void SetMaps(const std::shared_ptr<MaterialMaps>& maps) override {
    maps_ = maps;
  }
  // Error 9 for an index below 0 or from kFieldLimit on; "" for one never
  // written.
  std::string GetFieldValue(Long index) override;
  void SetFieldValue(Long index, const std::string& value) override;

 private:
  ColourValue colour_{1, 1, 1, 1};
  Long diffuse_ = 80;
  Long ambient_ = 20;
  Long specular_ = 0;
  std::shared_ptr<MaterialMaps> maps_;
  std::vector<std::string> fields_;
};

// A maps object as a value. Thumbnails come from the panel's picture
// utility; the cache is not used.
class MapsBase : public MaterialMaps {
 public:
  using Paths = std::array<std::string, 6>;  // maps 1 to 6
  MapsBase(Paths paths, Long setting_a, Integer setting_b, Single blend)
      : paths_(std::move(paths)),
        setting_a_(setting_a),
        setting_b_(setting_b),
        blend_(blend) {}

  std::string MapPath1() override { return paths_[0]; }
  std::string MapPath2() override { return paths_[1]; }
  std::string MapPath3() override { return paths_[2]; }
  std::string MapPath4() override { return paths_[3]; }
  std::string MapPath5() override { return paths_[4]; }
  std::string MapPath6() override { return paths_[5]; }
  Long MapSettingA() override { return setting_a_; }
  Integer MapSettingB() override { return setting_b_; }
  Single Blend() override { return blend_; }
  // Each map's thumbnail, the same way (Thumbnail below).
#define MORVEL_MAP_THUMBNAIL(n)                                      \
  Picture GetMapThumbnail##n(                                        \
      const std::shared_ptr<PictureUtility>& pictures,               \
      const std::shared_ptr<morvel::ThumbnailCache>&, Long size) override { \
    return Thumbnail(n, pictures, size);                             \
  }
  MORVEL_MAP_THUMBNAIL(1)
  MORVEL_MAP_THUMBNAIL(2)
  MORVEL_MAP_THUMBNAIL(3)
  MORVEL_MAP_THUMBNAIL(4)
  MORVEL_MAP_THUMBNAIL(5)
  MORVEL_MAP_THUMBNAIL(6)
#undef MORVEL_MAP_THUMBNAIL

 private:
  // The thumbnail of map `map` (1 to 6): empty for no file, else the
  // picture utility's (error 91 without one).
  Picture Thumbnail(int map, const std::shared_ptr<PictureUtility>& pictures,
                    Long size) const;
  Paths paths_;
  Long setting_a_;
  Integer setting_b_;
  Single blend_;
};

// The textures' share a maps object keeps (a fraction, Blend) for the
// material's own colour's share in whole percent (the grid's "%" column,
// CreateMaps' blend argument): (100 - percent) / 100. Error 380 for a
// percentage outside 0 to 100.
Single TexturesShare(Long own_colour_percent);

// Makes MapsBase values, the blend kept as TexturesShare(blend).
class MapBuilderBase : public MapBuilder {
 public:
  std::shared_ptr<MaterialMaps> CreateMaps(
      const std::string& map1, Long setting_a, Integer setting_b,
      const std::string& map3, const std::string& map2, Long blend,
      const std::string& map4, const std::string& map5, const std::string& map6,
      const std::string& extra) override;
};

// The scene's settings and services as stored values. SelectionList answers
// kSelectionList, the handle SceneGraphBase's selection goes by.
class SceneBase : public Scene {
 public:
  static constexpr Long kSelectionList = 1;

  explicit SceneBase(std::string application_registry_key = "Morvel")
      : key_(std::move(application_registry_key)) {}

  void SetEditMode(Long mode) { edit_mode_ = mode; }
  void SetDialogOwner(Long owner) { dialog_owner_ = owner; }
  // The custom field names are padded to six (SixFieldNames).
  void SetCustomShapeFieldNames(std::vector<std::string> names);
  void SetCustomGroupFieldNames(std::vector<std::string> names);
  void SetMaterialFieldNames(std::vector<std::string> names);

  Long SelectionList() override { return kSelectionList; }
  Long EditMode() override { return edit_mode_; }  // 0
  Long DialogOwner() override { return dialog_owner_; }  // 0
  std::string ApplicationRegistryKey() override { return key_; }
  std::shared_ptr<morvel::Hierarchy> Hierarchy() override { return hierarchy_; }
  std::shared_ptr<morvel::MapBuilder> MapBuilder() override { return builder_; }
  std::shared_ptr<morvel::ThumbnailCache> ThumbnailCache() override {
    return thumbnails_;
  }
  std::vector<std::string> CustomShapeFieldNames() override {
    return shape_fields_;  // six empty names
  }
  std::vector<std::string> CustomGroupFieldNames() override {
    return group_fields_;
  }
  std::vector<std::string> MaterialFieldNames() override {
    return material_fields_;  // none
  }

 private:
  std::string key_;
  Long edit_mode_ = 0;
  Long dialog_owner_ = 0;
  std::shared_ptr<morvel::Hierarchy> hierarchy_ =
      std::make_shared<morvel::Hierarchy>();
  std::shared_ptr<morvel::MapBuilder> builder_ =
      std::make_shared<MapBuilderBase>();
  std::shared_ptr<morvel::ThumbnailCache> thumbnails_ =
      std::make_shared<morvel::ThumbnailCache>();
  std::vector<std::string> shape_fields_ = SixFieldNames({});
  std::vector<std::string> group_fields_ = SixFieldNames({});
  std::vector<std::string> material_fields_;
};

// The root a host hands to SetSceneGraph: the active scene and a stored
// selection of nodes. The objects a node carries (GetSelectedGroup and the
// like) are the selected nodes themselves when they are of that kind
// (GroupBase, BoneBase, LightBase, CameraBase), error 13 otherwise. A host
// with a selection of its own overrides GetSelectionCount and
// GetSelectedNode.
class SceneGraphBase : public SceneGraph {
 public:
  explicit SceneGraphBase(
      std::shared_ptr<Scene> scene = std::make_shared<SceneBase>())
      : scene_(std::move(scene)) {}

  void Select(std::vector<std::shared_ptr<SceneNode>> nodes) {
    selection_ = std::move(nodes);
  }
  const std::vector<std::shared_ptr<SceneNode>>& Selection() const {
    return selection_;
  }

  std::shared_ptr<Scene> GetActiveScene() override { return scene_; }
  // Error 5 for a list other than the active scene's SelectionList.
  Long GetSelectionCount(Long list) override;
  std::shared_ptr<SceneNode> GetSelectedNode(Long list, Long index) override;
  // What the selected node carries is the node itself.
  std::shared_ptr<Group> GetSelectedGroup(Long list, Long index) override {
    return Carried<Group>(GetSelectedNode(list, index), "a group");
  }
  std::shared_ptr<Group> GetSelectedBone(Long list, Long index) override {
    return Required(GetSelectedNode(list, index))->Bone();
  }
  std::shared_ptr<Light> GetSelectedLight(Long list, Long index) override {
    return Carried<Light>(GetSelectedNode(list, index), "a light");
  }
  std::shared_ptr<Camera> GetSelectedCamera(Long list, Long index) override {
    return Carried<Camera>(GetSelectedNode(list, index), "a camera");
  }
  // The light node itself: a light node is its own reference.
  std::shared_ptr<Light> GetLightOfNode(
      const std::shared_ptr<Hierarchy>&,
      const std::shared_ptr<SceneNode>& reference) override {
    return Carried<Light>(reference, "a light");
  }
  // 0: the viewports have nothing to redraw.
  Long SelectionNeedsRefresh(Long) override { return 0; }
  void RefreshSelection(Long) override {}

 protected:
  // Error 5 unless `list` is the active scene's SelectionList.
  void CheckList(Long list);
  // `node` as the object of kind T it carries; error 13, saying the node is
  // not `kind`, when it carries none.
  template <class T>
  static std::shared_ptr<T> Carried(const std::shared_ptr<SceneNode>& node,
                                    const char* kind) {
    std::shared_ptr<T> object = std::dynamic_pointer_cast<T>(Required(node));
    if (!object) RaiseNotA(*node, kind);
    return object;
  }

 private:
  std::shared_ptr<Scene> scene_;
  std::vector<std::shared_ptr<SceneNode>> selection_;
};

#undef MORVEL_STORED_AS
#undef MORVEL_STORED
#undef MORVEL_STORED_KEYED_AS
#undef MORVEL_STORED_KEYED

}  // namespace morvel

#endif  // MORVEL_SCENE_SCENE_BASES_H_

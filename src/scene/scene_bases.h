#ifndef MORVEL_SCENE_SCENE_BASES_H_
#define MORVEL_SCENE_SCENE_BASES_H_

#include <array>
#include <memory>
#include <string>
#include <vector>

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

// The custom fields of shapes and groups: slots 0 to 5.
inline constexpr Long kCustomFieldCount = 6;

// `names` padded with empty names (slots not in use) to kCustomFieldCount;
// a longer list is kept as it is (and refused by the panel's load).
std::vector<std::string> SixFieldNames(std::vector<std::string> names);

// What every node has: its kind, a name, and whether it is hidden. The
// shape values raise 438 here (ShapeBase has them); Locked and CastsShadows
// too (shapes and lights have them).
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

  bool Locked() override;
  void SetLocked(bool value) override;
  bool CastsShadows() override;
  void SetCastsShadows(bool value) override;
  Long DrawStyle() override;
  void SetDrawStyle(Long value) override;
  Long DisplayAsBox() override;
  void SetDisplayAsBox(Long value) override;
  bool DrawPoints() override;
  void SetDrawPoints(bool value) override;
  bool DrawNormals() override;
  void SetDrawNormals(bool value) override;
  bool DrawTranslucent() override;
  void SetDrawTranslucent(bool value) override;
  ShapeInfo GetShapeInfo() override;
  Long SmoothingLevel() override;
  void SetSmoothingLevel(Long value) override;
  Single SmoothingTension(Single key) override;
  void SetSmoothingTension(Single key, Single value) override;
  Long SmoothingCondition() override;
  void SetSmoothingCondition(Long value) override;
  Single SmoothAngle(Single key) override;
  void SetSmoothAngle(Single key, Single value) override;
  Single CreasingFactor(Single key) override;
  void SetCreasingFactor(Single key, Single value) override;
  Long MirrorAxis() override;
  void SetMirrorAxis(Long value) override;
  Clones GetClones() override;
  void SetClones(const LongVector3& counts, const SingleVector3& offsets,
                 const SingleVector3& rotations) override;
  std::string GetCustomFieldValue(Long index) override;
  void SetCustomFieldValue(Long index, const std::string& value) override;
  Single IndexOfRefraction(Single key) override;
  void SetIndexOfRefraction(Single key, Single value) override;
  Long MaterialCount() override;
  std::shared_ptr<Material> GetMaterial(Long index) override;

 protected:
  // Error 438, naming `what` and this node.
  [[noreturn]] void NotSupported(const char* what);

 private:
  Long node_type_;
  std::string name_;
  bool hidden_ = false;
};

// Six custom field values, slot 0 to 5 (error 9 outside).
class CustomFields {
 public:
  const std::string& Get(Long index) const;
  void Set(Long index, const std::string& value);

 private:
  std::array<std::string, kCustomFieldCount> values_;
};

// A shape (kNodeTypeShape) and its materials.
class ShapeBase : public NodeBase {
 public:
  explicit ShapeBase(std::string name) : NodeBase(kNodeTypeShape, std::move(name)) {}

  // What the reference SceneUtility shows on the Source button: the name,
  // and no detail.
  virtual std::string SourceCaption() { return Name(); }
  virtual std::string SourceDetail() { return {}; }
  // Appends a material to those MaterialCount and GetMaterial answer.
  void AddMaterial(std::shared_ptr<Material> material);

  bool Locked() override { return locked_; }
  void SetLocked(bool value) override { locked_ = value; }
  bool CastsShadows() override { return casts_shadows_; }  // true
  void SetCastsShadows(bool value) override { casts_shadows_ = value; }
  Long DrawStyle() override { return draw_style_; }
  void SetDrawStyle(Long value) override { draw_style_ = value; }
  Long DisplayAsBox() override { return display_as_box_; }
  void SetDisplayAsBox(Long value) override { display_as_box_ = value; }
  bool DrawPoints() override { return draw_points_; }
  void SetDrawPoints(bool value) override { draw_points_ = value; }
  bool DrawNormals() override { return draw_normals_; }
  void SetDrawNormals(bool value) override { draw_normals_ = value; }
  bool DrawTranslucent() override { return draw_translucent_; }
  void SetDrawTranslucent(bool value) override { draw_translucent_ = value; }
  ShapeInfo GetShapeInfo() override { return ShapeInfo{}; }  // kind 0
  Long SmoothingLevel() override { return smoothing_level_; }
  void SetSmoothingLevel(Long value) override { smoothing_level_ = value; }
  Single SmoothingTension(Single) override { return tension_; }
  void SetSmoothingTension(Single, Single value) override { tension_ = value; }
  Long SmoothingCondition() override { return condition_; }
  void SetSmoothingCondition(Long value) override { condition_ = value; }
  Single SmoothAngle(Single) override { return smooth_angle_; }  // 30
  void SetSmoothAngle(Single, Single value) override { smooth_angle_ = value; }
  Single CreasingFactor(Single) override { return creasing_; }
  void SetCreasingFactor(Single, Single value) override { creasing_ = value; }
  Long MirrorAxis() override { return mirror_axis_; }
  void SetMirrorAxis(Long value) override { mirror_axis_ = value; }
  Clones GetClones() override { return clones_; }
  void SetClones(const LongVector3& counts, const SingleVector3& offsets,
                 const SingleVector3& rotations) override {
    clones_ = Clones{counts, offsets, rotations};
  }
  std::string GetCustomFieldValue(Long index) override {
    return fields_.Get(index);
  }
  void SetCustomFieldValue(Long index, const std::string& value) override {
    fields_.Set(index, value);
  }
  Single IndexOfRefraction(Single) override { return refraction_; }
  void SetIndexOfRefraction(Single, Single value) override {
    refraction_ = value;
  }
  Long MaterialCount() override;
  std::shared_ptr<Material> GetMaterial(Long index) override;

 private:
  bool locked_ = false;
  bool casts_shadows_ = true;
  Long draw_style_ = 0;
  Long display_as_box_ = 0;
  bool draw_points_ = false;
  bool draw_normals_ = false;
  bool draw_translucent_ = false;
  Long smoothing_level_ = 0;
  Single tension_ = 0;
  Long condition_ = 0;
  Single smooth_angle_ = 30;
  Single creasing_ = 0;
  Long mirror_axis_ = 0;
  Clones clones_;
  CustomFields fields_;
  Single refraction_ = 0;
  std::vector<std::shared_ptr<Material>> materials_;
};

// A group (kNodeTypeGroup): a transform relative to its parent, a joint and
// six custom fields. The transform is kept in the parent's frame, the only
// one the panel asks for; `relative_to` is not looked at. Bone values raise
// 438 (BoneBase has them).
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

  Single BoneWeight() override;
  void SetBoneWeight(Single value) override;
  Single BoneOriginEffectRange() override;
  void SetBoneOriginEffectRange(Single value) override;
  Single BoneEndEffectRange() override;
  void SetBoneEndEffectRange(Single value) override;
  Single BoneEffectExtent() override;
  void SetBoneEffectExtent(Single value) override;
  Single BoneIrregularExtent() override;
  void SetBoneIrregularExtent(Single value) override;
  SingleVector3 BoneIrregularOffset() override;
  void SetBoneIrregularOffset(const SingleVector3& value) override;
  Long BoneKind() override;
  Long SetBoneEnabled(bool enabled) override;

 protected:
  GroupBase(Long node_type, std::string name)
      : NodeBase(node_type, std::move(name)) {}

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
  explicit BoneBase(std::string name) : GroupBase(kNodeTypeBone, std::move(name)) {}

  // Whether the bone deforms its skin: the reference SceneUtility's Enable
  // box. SetBoneEnabled stores it and answers 0 (switched).
  virtual bool BoneEnabled() { return enabled_; }

  std::shared_ptr<Group> Bone() override;  // the bone itself
  Single BoneWeight() override { return weight_; }  // 100
  void SetBoneWeight(Single value) override { weight_ = value; }
  Single BoneOriginEffectRange() override { return origin_range_; }  // 0.5
  void SetBoneOriginEffectRange(Single value) override {
    origin_range_ = value;
  }
  Single BoneEndEffectRange() override { return end_range_; }  // 0.5
  void SetBoneEndEffectRange(Single value) override { end_range_ = value; }
  Single BoneEffectExtent() override { return extent_; }  // 1
  void SetBoneEffectExtent(Single value) override { extent_ = value; }
  Single BoneIrregularExtent() override { return irregular_extent_; }
  void SetBoneIrregularExtent(Single value) override {
    irregular_extent_ = value;
  }
  SingleVector3 BoneIrregularOffset() override { return irregular_offset_; }
  void SetBoneIrregularOffset(const SingleVector3& value) override {
    irregular_offset_ = value;
  }
  Long BoneKind() override { return 0; }
  Long SetBoneEnabled(bool enabled) override;

 private:
  bool enabled_ = true;
  Single weight_ = 100;
  Single origin_range_ = 0.5f;
  Single end_range_ = 0.5f;
  Single extent_ = 1;
  Single irregular_extent_ = 0;
  SingleVector3 irregular_offset_;
};

// A light (kNodeTypeLight); a light node is its own light.
class LightBase : public NodeBase, public Light {
 public:
  explicit LightBase(std::string name, Long light_type = kLightTypePoint)
      : NodeBase(kNodeTypeLight, std::move(name)), light_type_(light_type) {}

  Long LightType() override { return light_type_; }
  bool CastsShadows() override { return casts_shadows_; }  // true
  void SetCastsShadows(bool value) override { casts_shadows_ = value; }
  ColourValue GetColour(Single) override { return colour_; }  // white
  void SetColour(Single, const ColourValue& colour) override {
    colour_ = colour;
  }
  Single ConstantAttenuation(Single) override { return constant_; }  // 1
  void SetConstantAttenuation(Single, Single value) override {
    constant_ = value;
  }
  Single LinearAttenuation(Single) override { return linear_; }
  void SetLinearAttenuation(Single, Single value) override { linear_ = value; }
  Single QuadraticAttenuation(Single) override { return quadratic_; }
  void SetQuadraticAttenuation(Single, Single value) override {
    quadratic_ = value;
  }
  Single SpotlightRange(Single) override { return range_; }  // 256
  void SetSpotlightRange(Single, Single value) override { range_ = value; }
  Single SpotlightUmbra(Single) override { return umbra_; }  // 0.4
  void SetSpotlightUmbra(Single, Single value) override { umbra_ = value; }
  Single SpotlightPenumbra(Single) override { return penumbra_; }  // 0.5
  void SetSpotlightPenumbra(Single, Single value) override {
    penumbra_ = value;
  }

 private:
  Long light_type_;
  bool casts_shadows_ = true;
  ColourValue colour_{1, 1, 1, 1};
  Single constant_ = 1;
  Single linear_ = 0;
  Single quadratic_ = 0;
  Single range_ = 256;
  Single umbra_ = 0.4f;
  Single penumbra_ = 0.5f;
};

// A camera (kNodeTypeCamera).
class CameraBase : public NodeBase, public Camera {
 public:
  explicit CameraBase(std::string name)
      : NodeBase(kNodeTypeCamera, std::move(name)) {}

  Single GetFieldOfView(Single) override { return field_of_view_; }  // 0.05
  void SetFieldOfView(Single, Single value) override {
    field_of_view_ = value;
  }
  bool GetFocalBlur() override { return focal_blur_; }
  void SetFocalBlur(bool value) override { focal_blur_ = value; }
  Single GetFocalPoint(Single) override { return focal_point_; }  // 1
  void SetFocalPoint(Single, Single value) override { focal_point_ = value; }
  Single GetFocalAperture(Single) override { return aperture_; }  // 1
  void SetFocalAperture(Single, Single value) override { aperture_ = value; }
  Long GetFocalQuality() override { return quality_; }  // 1
  void SetFocalQuality(Long value) override { quality_ = value; }

 private:
  Single field_of_view_ = 0.05f;
  bool focal_blur_ = false;
  Single focal_point_ = 1;
  Single aperture_ = 1;
  Long quality_ = 1;
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
  Picture GetMapThumbnail1(const std::shared_ptr<PictureUtility>& pictures,
                           const std::shared_ptr<morvel::ThumbnailCache>&,
                           Long size) override;
  Picture GetMapThumbnail2(const std::shared_ptr<PictureUtility>& pictures,
                           const std::shared_ptr<morvel::ThumbnailCache>&,
                           Long size) override;
  Picture GetMapThumbnail3(const std::shared_ptr<PictureUtility>& pictures,
                           const std::shared_ptr<morvel::ThumbnailCache>&,
                           Long size) override;
  Picture GetMapThumbnail4(const std::shared_ptr<PictureUtility>& pictures,
                           const std::shared_ptr<morvel::ThumbnailCache>&,
                           Long size) override;
  Picture GetMapThumbnail5(const std::shared_ptr<PictureUtility>& pictures,
                           const std::shared_ptr<morvel::ThumbnailCache>&,
                           Long size) override;
  Picture GetMapThumbnail6(const std::shared_ptr<PictureUtility>& pictures,
                           const std::shared_ptr<morvel::ThumbnailCache>&,
                           Long size) override;

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

// Makes MapsBase values. The blend argument is the grid's share of the
// material's own colour, 0 to 100 (error 380 outside); the maps keep the
// textures' share as a fraction, (100 - blend) / 100.
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
  std::shared_ptr<Group> GetSelectedGroup(Long list, Long index) override;
  std::shared_ptr<Group> GetSelectedBone(Long list, Long index) override;
  std::shared_ptr<Light> GetSelectedLight(Long list, Long index) override;
  std::shared_ptr<Camera> GetSelectedCamera(Long list, Long index) override;
  std::shared_ptr<Light> GetLightOfNode(
      const std::shared_ptr<Hierarchy>& hierarchy,
      const std::shared_ptr<SceneNode>& reference) override;
  // 0: the viewports have nothing to redraw.
  Long SelectionNeedsRefresh(Long) override { return 0; }
  void RefreshSelection(Long) override {}

 protected:
  // Error 5 unless `list` is the active scene's SelectionList.
  void CheckList(Long list);

 private:
  std::shared_ptr<Scene> scene_;
  std::vector<std::shared_ptr<SceneNode>> selection_;
};

}  // namespace morvel

#endif  // MORVEL_SCENE_SCENE_BASES_H_

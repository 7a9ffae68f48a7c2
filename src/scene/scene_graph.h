#ifndef MORVEL_SCENE_SCENE_GRAPH_H_
#define MORVEL_SCENE_SCENE_GRAPH_H_

#include <memory>
#include <string>
#include <vector>

#include "base/types.h"
#include "scene/types.h"

// The scene-graph library as the panel sees it. The panel holds the
// SceneGraph a host hands it and reaches everything else through it; it keeps
// no selection of its own. Every object is shared: the panel may keep one
// (CurrentGroup and the like) while the scene goes on changing.
//
// Conventions of every interface here:
// - Properties are a getter Name() and a setter SetName(value).
// - Animatable values are keyed: the getter takes a Single key first and the
//   setter the key and then the value; the panel passes kCurrentKey (-1).
// - A null object where one is required raises error 91; an index outside a
//   list raises error 9; a handle that names no selection list raises error 5.
// - Selection lists are Long handles, fetched afresh from the active scene
//   before each use.
namespace morvel {

class Camera;
class Group;
class Hierarchy;
class Light;
class MapBuilder;
class Material;
class MaterialMaps;
class PictureUtility;
class Scene;
class SceneNode;
class ThumbnailCache;

// The root of the library (the object a host hands to SetSceneGraph).
// Used by the layout and every section loader and editor.
class SceneGraph {
 public:
  virtual ~SceneGraph() = default;

  virtual std::shared_ptr<Scene> GetActiveScene() = 0;
  virtual Long GetSelectionCount(Long list) = 0;
  // Item `index` (0-based) of a selection list, as a node or as the object
  // the node carries. Asking for an object the item does not carry (a light
  // of a shape node) raises error 13.
  virtual std::shared_ptr<SceneNode> GetSelectedNode(Long list, Long index) = 0;
  virtual std::shared_ptr<Group> GetSelectedGroup(Long list, Long index) = 0;
  virtual std::shared_ptr<Group> GetSelectedBone(Long list, Long index) = 0;
  virtual std::shared_ptr<Light> GetSelectedLight(Long list, Long index) = 0;
  virtual std::shared_ptr<Camera> GetSelectedCamera(Long list, Long index) = 0;
  // The light a node refers to (its ObjectRef), looked up in a hierarchy.
  // Used by the Shadowless editor.
  virtual std::shared_ptr<Light> GetLightOfNode(
      const std::shared_ptr<Hierarchy>& hierarchy,
      const std::shared_ptr<SceneNode>& reference) = 0;
  // Display as Box: after a change the viewports may need the selection
  // redrawn; non-zero when they do.
  virtual Long SelectionNeedsRefresh(Long list) = 0;
  virtual void RefreshSelection(Long list) = 0;
};

// The active scene: its selection, its settings and its shared services.
class Scene {
 public:
  virtual ~Scene() = default;

  virtual Long SelectionList() = 0;
  // 0 while objects are edited as a whole; other values are the scene
  // graph's own edit modes (the shape section shows only in mode 0).
  virtual Long EditMode() = 0;
  // The owner window handed to the modal choosers.
  virtual Long DialogOwner() = 0;
  // The application name under which per-user settings are kept.
  virtual std::string ApplicationRegistryKey() = 0;
  virtual std::shared_ptr<morvel::Hierarchy> Hierarchy() = 0;
  virtual std::shared_ptr<morvel::MapBuilder> MapBuilder() = 0;
  virtual std::shared_ptr<morvel::ThumbnailCache> ThumbnailCache() = 0;
  // 0-based name lists; an empty name marks a slot that is not in use.
  virtual std::vector<std::string> CustomShapeFieldNames() = 0;
  virtual std::vector<std::string> CustomGroupFieldNames() = 0;
  virtual std::vector<std::string> MaterialFieldNames() = 0;
};

// The node tree of a scene, handed through to SetHidden and GetLightOfNode.
class Hierarchy {
 public:
  virtual ~Hierarchy() = default;
};

// Thumbnails made so far, handed through to the map thumbnail getters.
class ThumbnailCache {
 public:
  virtual ~ThumbnailCache() = default;
};

// A selected item. Shapes (NodeType 11) carry the shape values below; other
// nodes answer error 438 for them. Used by the common, shape and material
// sections.
class SceneNode {
 public:
  virtual ~SceneNode() = default;

  virtual Long NodeType() = 0;
  // The object the node stands for; a light node is its own reference.
  virtual std::shared_ptr<SceneNode> ObjectRef() = 0;
  // The bone of a bone node (error 13 for other nodes).
  virtual std::shared_ptr<Group> Bone() = 0;

  virtual bool Locked() = 0;
  virtual void SetLocked(bool value) = 0;
  virtual bool CastsShadows() = 0;
  virtual void SetCastsShadows(bool value) = 0;

  // How the shape is drawn in the viewports.
  virtual Long DrawStyle() = 0;
  virtual void SetDrawStyle(Long value) = 0;
  virtual Long DisplayAsBox() = 0;
  virtual void SetDisplayAsBox(Long value) = 0;
  virtual bool DrawPoints() = 0;
  virtual void SetDrawPoints(bool value) = 0;
  virtual bool DrawNormals() = 0;
  virtual void SetDrawNormals(bool value) = 0;
  virtual bool DrawTranslucent() = 0;
  virtual void SetDrawTranslucent(bool value) = 0;

  virtual ShapeInfo GetShapeInfo() = 0;

  // Smoothing, mirroring and creasing.
  virtual Long SmoothingLevel() = 0;
  virtual void SetSmoothingLevel(Long value) = 0;
  virtual Single SmoothingTension(Single key) = 0;
  virtual void SetSmoothingTension(Single key, Single value) = 0;
  virtual Long SmoothingCondition() = 0;
  virtual void SetSmoothingCondition(Long value) = 0;
  virtual Single SmoothAngle(Single key) = 0;
  virtual void SetSmoothAngle(Single key, Single value) = 0;
  virtual Single CreasingFactor(Single key) = 0;
  virtual void SetCreasingFactor(Single key, Single value) = 0;
  virtual Long MirrorAxis() = 0;
  virtual void SetMirrorAxis(Long value) = 0;

  // Clones, custom fields (index 0 to 5) and refraction.
  virtual Clones GetClones() = 0;
  virtual void SetClones(const LongVector3& counts,
                         const SingleVector3& offsets,
                         const SingleVector3& rotations) = 0;
  virtual std::string GetCustomFieldValue(Long index) = 0;
  virtual void SetCustomFieldValue(Long index, const std::string& value) = 0;
  virtual Single IndexOfRefraction(Single key) = 0;
  virtual void SetIndexOfRefraction(Single key, Single value) = 0;

  // Materials, indexed from 0.
  virtual Long MaterialCount() = 0;
  virtual std::shared_ptr<Material> GetMaterial(Long index) = 0;
};

// A node of the hierarchy with a transform, an inverse-kinematics joint and
// custom fields. Bones are groups too and carry the bone values. Used by the
// group and bone sections and the Lock/Enable editor.
class Group {
 public:
  virtual ~Group() = default;

  // The group above this one, or null at the top of the hierarchy.
  virtual std::shared_ptr<Group> Parent() = 0;

  // Transform relative to another group (null: the scene's own frame).
  virtual SingleVector3 GetPosition(const std::shared_ptr<Group>& relative_to,
                                    Single key) = 0;
  virtual void SetPosition(const std::shared_ptr<Group>& relative_to,
                           Single key, const SingleVector3& position) = 0;
  virtual Orientation GetOrientation(const std::shared_ptr<Group>& relative_to,
                                     Single key) = 0;
  virtual void SetOrientation(const std::shared_ptr<Group>& relative_to,
                              Single key, const SingleVector3& forward,
                              const SingleVector3& up) = 0;
  // A spin about an axis. The getter answers the speed in radians per
  // second; the setter takes it in revolutions per second, the unit the
  // panel's field shows and passes on unchanged.
  virtual RotationalVelocity GetRotationalVelocity() = 0;
  virtual void SetRotationalVelocity(const SingleVector3& axis,
                                     Single revolutions_per_second) = 0;

  // Inverse-kinematics joint: 0 disabled, 1 enabled, 2 fixed.
  virtual Long IKJointMode() = 0;
  virtual void SetIKJointMode(Long value) = 0;
  virtual IKJointLimits GetIKJointLimits() = 0;
  virtual void SetIKJointLimits(const IKJointLimits& limits) = 0;

  // Custom fields, index 0 to 5.
  virtual std::string GetCustomFieldValue(Long index) = 0;
  virtual void SetCustomFieldValue(Long index, const std::string& value) = 0;

  // Bone values (error 438 on a group that is not a bone).
  virtual Single BoneWeight() = 0;
  virtual void SetBoneWeight(Single value) = 0;
  virtual Single BoneOriginEffectRange() = 0;
  virtual void SetBoneOriginEffectRange(Single value) = 0;
  virtual Single BoneEndEffectRange() = 0;
  virtual void SetBoneEndEffectRange(Single value) = 0;
  virtual Single BoneEffectExtent() = 0;
  virtual void SetBoneEffectExtent(Single value) = 0;
  virtual Single BoneIrregularExtent() = 0;
  virtual void SetBoneIrregularExtent(Single value) = 0;
  virtual SingleVector3 BoneIrregularOffset() = 0;
  virtual void SetBoneIrregularOffset(const SingleVector3& value) = 0;
  // Read only; kind 2 has no volume of influence.
  virtual Long BoneKind() = 0;
  // 0 when switched; kBoneNoSkin or kBoneSkinNotRelaxed when it could not be.
  virtual Long SetBoneEnabled(bool enabled) = 0;
};

// A light. Used by the light section and the Shadowless editor.
class Light {
 public:
  virtual ~Light() = default;

  virtual Long LightType() = 0;
  virtual bool CastsShadows() = 0;
  virtual void SetCastsShadows(bool value) = 0;
  virtual ColourValue GetColour(Single key) = 0;
  virtual void SetColour(Single key, const ColourValue& colour) = 0;
  virtual Single ConstantAttenuation(Single key) = 0;
  virtual void SetConstantAttenuation(Single key, Single value) = 0;
  virtual Single LinearAttenuation(Single key) = 0;
  virtual void SetLinearAttenuation(Single key, Single value) = 0;
  virtual Single QuadraticAttenuation(Single key) = 0;
  virtual void SetQuadraticAttenuation(Single key, Single value) = 0;
  virtual Single SpotlightRange(Single key) = 0;
  virtual void SetSpotlightRange(Single key, Single value) = 0;
  virtual Single SpotlightUmbra(Single key) = 0;
  virtual void SetSpotlightUmbra(Single key, Single value) = 0;
  virtual Single SpotlightPenumbra(Single key) = 0;
  virtual void SetSpotlightPenumbra(Single key, Single value) = 0;
};

// A camera. Used by the camera section.
class Camera {
 public:
  virtual ~Camera() = default;

  virtual Single GetFieldOfView(Single key) = 0;
  virtual void SetFieldOfView(Single key, Single value) = 0;
  virtual bool GetFocalBlur() = 0;
  virtual void SetFocalBlur(bool value) = 0;
  virtual Single GetFocalPoint(Single key) = 0;
  virtual void SetFocalPoint(Single key, Single value) = 0;
  virtual Single GetFocalAperture(Single key) = 0;
  virtual void SetFocalAperture(Single key, Single value) = 0;
  virtual Long GetFocalQuality() = 0;
  virtual void SetFocalQuality(Long value) = 0;
};

// A material of a shape. Used by the material list and its editors.
class Material {
 public:
  virtual ~Material() = default;

  // The colour packed 0xAABBGGRR (alpha in the high byte); the
  // SceneUtility colour helpers take it apart.
  virtual morvel::Colour Colour() = 0;
  virtual ColourValue GetColourComponents() = 0;
  virtual void SetColourComponents(Single red, Single green, Single blue,
                                   Single alpha) = 0;
  // The texture maps, or null when the material has none.
  virtual std::shared_ptr<MaterialMaps> Maps() = 0;
  virtual void SetMaps(const std::shared_ptr<MaterialMaps>& maps) = 0;
  // Custom material fields, indexed like the scene's MaterialFieldNames.
  virtual std::string GetFieldValue(Long index) = 0;
  virtual void SetFieldValue(Long index, const std::string& value) = 0;
};

// The six texture maps of a material, how they are applied and blended.
// A maps object is a value: the panel replaces it through MapBuilder.
class MaterialMaps {
 public:
  virtual ~MaterialMaps() = default;

  virtual std::string MapPath1() = 0;
  virtual std::string MapPath2() = 0;
  virtual std::string MapPath3() = 0;
  virtual std::string MapPath4() = 0;
  virtual std::string MapPath5() = 0;
  virtual std::string MapPath6() = 0;
  virtual Long MapSettingA() = 0;
  virtual Integer MapSettingB() = 0;
  // The share of the material's own colour: a fraction 0..1, or (above
  // 1.0001) a percentage.
  virtual Single Blend() = 0;

  // The thumbnail of map N at `size` pixels; an empty picture when map N has
  // no file.
  virtual Picture GetMapThumbnail1(
      const std::shared_ptr<PictureUtility>& pictures,
      const std::shared_ptr<morvel::ThumbnailCache>& cache, Long size) = 0;
  virtual Picture GetMapThumbnail2(
      const std::shared_ptr<PictureUtility>& pictures,
      const std::shared_ptr<morvel::ThumbnailCache>& cache, Long size) = 0;
  virtual Picture GetMapThumbnail3(
      const std::shared_ptr<PictureUtility>& pictures,
      const std::shared_ptr<morvel::ThumbnailCache>& cache, Long size) = 0;
  virtual Picture GetMapThumbnail4(
      const std::shared_ptr<PictureUtility>& pictures,
      const std::shared_ptr<morvel::ThumbnailCache>& cache, Long size) = 0;
  virtual Picture GetMapThumbnail5(
      const std::shared_ptr<PictureUtility>& pictures,
      const std::shared_ptr<morvel::ThumbnailCache>& cache, Long size) = 0;
  virtual Picture GetMapThumbnail6(
      const std::shared_ptr<PictureUtility>& pictures,
      const std::shared_ptr<morvel::ThumbnailCache>& cache, Long size) = 0;
};

// Makes maps objects. Used by the material map and blend editors.
class MapBuilder {
 public:
  virtual ~MapBuilder() = default;

  // Note the argument order: map 1, the two settings, map 3, map 2, the blend
  // percentage as the material grid shows it (100 = only the material's own
  // colour), maps 4 to 6, and an extra argument the panel leaves empty.
  virtual std::shared_ptr<MaterialMaps> CreateMaps(
      const std::string& map1, Long setting_a, Integer setting_b,
      const std::string& map3, const std::string& map2, Long blend,
      const std::string& map4, const std::string& map5, const std::string& map6,
      const std::string& extra) = 0;
};

}  // namespace morvel

#endif  // MORVEL_SCENE_SCENE_GRAPH_H_

#ifndef MORVEL_SCENE_SCENE_GRAPH_H_
#define MORVEL_SCENE_SCENE_GRAPH_H_

#include <memory>
#include <string>
#include <vector>

#include "base/types.h"
#include "scene/types.h"

// The scene-graph library as the panel sees it: exactly the calls the panel
// makes, nothing more. A host adapts its own document to these interfaces;
// scene/scene_bases.h has base classes that answer every value with a stored
// one, so that a host overrides only what its document keeps.
//
// The panel holds the SceneGraph a host hands it and reaches everything else
// through it; it keeps no selection of its own. Every object is shared: the
// panel may keep one (CurrentGroup and the like) while the scene goes on
// changing, until the host's next SetupPropertiesPanel.
//
// Conventions of every interface here:
// - Properties are a getter Name() and a setter SetName(value).
// - Animatable values are keyed: the getter takes a Single key first and the
//   setter the key and then the value; the panel always passes kCurrentKey
//   (-1), the value as it stands.
// - Units: lengths in scene units; angles in radians unless a method says
//   degrees; colours as components 0..1 (ColourValue) or packed 0xAABBGGRR
//   (Colour); percentages as whole numbers 0..100.
// - Ranges are what the panel's widgets offer and write. A scene may hold
//   values outside them: the panel shows them as its widget can (a slider
//   pins an out-of-range position to its end) and never refuses them.
// - A null object where one is required raises error 91 (kErrObjectNotSet);
//   an index outside a list raises error 9 (kErrSubscriptOutOfRange); a
//   handle that names no selection list raises error 5; a value a kind does
//   not have (the smoothing level of a light) raises error 438
//   (kErrNotSupported). Any error a host raises reaches the host again as a
//   morvel::Error with the same number and description.
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

  // The scene the user works in; never null while the panel is set up.
  virtual std::shared_ptr<Scene> GetActiveScene() = 0;
  // How many items a selection list holds (0 or more).
  virtual Long GetSelectionCount(Long list) = 0;
  // Item `index` (0 to count - 1) of a selection list, as a node (every kind
  // is one) or as the object the node carries: a group for a group or bone
  // node, a bone for a bone node, a light for a light node, a camera for a
  // camera node. Asking for an object the item does not carry (the light of
  // a shape node) raises error 13.
  virtual std::shared_ptr<SceneNode> GetSelectedNode(Long list, Long index) = 0;
  virtual std::shared_ptr<Group> GetSelectedGroup(Long list, Long index) = 0;
  virtual std::shared_ptr<Group> GetSelectedBone(Long list, Long index) = 0;
  virtual std::shared_ptr<Light> GetSelectedLight(Long list, Long index) = 0;
  virtual std::shared_ptr<Camera> GetSelectedCamera(Long list, Long index) = 0;
  // The light a node refers to (the ObjectRef of a light node), looked up in
  // the scene's Hierarchy. Error 13 when the node is no light. Used by the
  // Shadowless editor.
  virtual std::shared_ptr<Light> GetLightOfNode(
      const std::shared_ptr<Hierarchy>& hierarchy,
      const std::shared_ptr<SceneNode>& reference) = 0;
  // After the Display as Box editor has written the selection: non-zero
  // when the viewports need the selection redrawn, which the panel then asks
  // for with RefreshSelection.
  virtual Long SelectionNeedsRefresh(Long list) = 0;
  virtual void RefreshSelection(Long list) = 0;
};

// The active scene: its selection, its settings and its shared services.
class Scene {
 public:
  virtual ~Scene() = default;

  // The handle of the current selection; any value the scene graph
  // chooses, asked for again before every use.
  virtual Long SelectionList() = 0;
  // 0 while objects are edited as a whole; other values are the scene
  // graph's own edit modes (the shape section shows only in mode 0).
  virtual Long EditMode() = 0;
  // The owner window handed to the modal choosers. The material editor also
  // gives it as MapSettingA to the first maps of a material (see MapBuilder).
  virtual Long DialogOwner() = 0;
  // The application name under which per-user settings are kept: the mesh
  // operations' parameters and the warnings' "Tips" choices.
  virtual std::string ApplicationRegistryKey() = 0;
  // Handed through to SceneUtility::SetHidden and GetLightOfNode.
  virtual std::shared_ptr<morvel::Hierarchy> Hierarchy() = 0;
  virtual std::shared_ptr<morvel::MapBuilder> MapBuilder() = 0;
  // Handed through to the MaterialMaps thumbnail getters.
  virtual std::shared_ptr<morvel::ThumbnailCache> ThumbnailCache() = 0;
  // The names of the six custom fields of shapes and of groups, slot 0
  // first; an empty name marks a slot not in use (its row is hidden). Pass
  // exactly six: the panel leaves the rows past a shorter list as the last
  // scene left them (captioned "Custom" in a new panel, shown over nothing),
  // and a seventh name stops the section's load with error 9. The base
  // classes pad a shorter list to six.
  virtual std::vector<std::string> CustomShapeFieldNames() = 0;
  virtual std::vector<std::string> CustomGroupFieldNames() = 0;
  // The names of the custom material fields, any number: the material grid
  // has one column per name up to the last non-empty one (an empty name
  // before it gets a column without a heading).
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

  // The kind: kNodeTypeGroup 1, kNodeTypeShape 11, kNodeTypeBone 16,
  // kNodeTypeCamera 30, kNodeTypeLight 60.
  virtual Long NodeType() = 0;
  // The object the node stands for; a light node is its own reference.
  virtual std::shared_ptr<SceneNode> ObjectRef() = 0;
  // The bone of a bone node (error 13 for other nodes).
  virtual std::shared_ptr<Group> Bone() = 0;

  // Shapes only: the Lock box of the common tab.
  virtual bool Locked() = 0;
  virtual void SetLocked(bool value) = 0;
  // Shapes and lights: the opposite of the Shadowless box (a light's is also
  // reached as Light::CastsShadows).
  virtual bool CastsShadows() = 0;
  virtual void SetCastsShadows(bool value) = 0;

  // How the shape is drawn in the viewports: 0 the view's default,
  // 1 wireframe, 2 smooth, 4 flat, 8 solid outline, 16 cartoon.
  virtual Long DrawStyle() = 0;
  virtual void SetDrawStyle(Long value) = 0;
  // 0 drawn as itself, 1 as its bounding box (the panel writes 0 or 1).
  virtual Long DisplayAsBox() = 0;
  virtual void SetDisplayAsBox(Long value) = 0;
  virtual bool DrawPoints() = 0;
  virtual void SetDrawPoints(bool value) = 0;
  virtual bool DrawNormals() = 0;
  virtual void SetDrawNormals(bool value) = 0;
  virtual bool DrawTranslucent() = 0;
  virtual void SetDrawTranslucent(bool value) = 0;

  // The panel reads only ShapeKind: for kinds 6, 8, 14, 15, 18, 19 and 20
  // (shapes with no source to open) the Source button is disabled.
  virtual ShapeInfo GetShapeInfo() = 0;

  // Smoothing, mirroring and creasing: live display settings, which the
  // commit buttons turn into mesh operations run by the host.
  // The subdivision level, 0 to 4. Written back by every load (below).
  virtual Long SmoothingLevel() = 0;
  virtual void SetSmoothingLevel(Long value) = 0;
  // -1.0 to 1.0 in steps of 0.1. Written back by every load (below).
  virtual Single SmoothingTension(Single key) = 0;
  virtual void SetSmoothingTension(Single key, Single value) = 0;
  // Which edges the smooth angle selects: 0 "More Than", 1 "Less Than".
  virtual Long SmoothingCondition() = 0;
  virtual void SetSmoothingCondition(Long value) = 0;
  // The angle between faces that the condition tests, in degrees, 0 to
  // 180; shown rounded to a whole degree.
  virtual Single SmoothAngle(Single key) = 0;
  virtual void SetSmoothAngle(Single key, Single value) = 0;
  // The creasing kept where operations lose it, a whole number 0 to 100.
  virtual Single CreasingFactor(Single key) = 0;
  virtual void SetCreasingFactor(Single key, Single value) = 0;
  // 0 none, 1 X, 2 Y, 3 Z.
  virtual Long MirrorAxis() = 0;
  virtual void SetMirrorAxis(Long value) = 0;

  // Copies of the shape along each axis: how many (up to 100), the offset
  // between copies (scene units, -100000 to 100000) and the rotation between
  // copies (degrees, -360 to 360). All nine are written on every edit.
  virtual Clones GetClones() = 0;
  virtual void SetClones(const LongVector3& counts,
                         const SingleVector3& offsets,
                         const SingleVector3& rotations) = 0;
  // The values of the six custom fields, index 0 to 5 (error 9 outside),
  // named by the scene's CustomShapeFieldNames. All six are written on
  // every edit, hidden ones included.
  virtual std::string GetCustomFieldValue(Long index) = 0;
  virtual void SetCustomFieldValue(Long index, const std::string& value) = 0;
  // The index of refraction for ray-traced renders, as the whole-number
  // position 0 to 10 of the panel's slider. Written back by every load, with
  // the "Refraction" warning when it is 1 or more.
  virtual Single IndexOfRefraction(Single key) = 0;
  virtual void SetIndexOfRefraction(Single key, Single value) = 0;

  // Materials, indexed from 0 (error 9 outside), in the grid's row order.
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

  // Transform relative to another group (null: the scene's own frame); the
  // panel always passes Parent(), so a host that keeps transforms relative
  // to the parent answers that frame only. Positions in scene units
  // (the fields offer -999999 to 999999). An orientation is a Forward/Up
  // pair: the directions of the group's own +Z and +Y axes, neither zero
  // and not parallel; SceneUtility turns angles into a pair and back.
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
  // The rotation range per axis, in radians (the fields show -360 to 360
  // degrees, so -6.283186 to 6.283186). Written in every mode.
  virtual IKJointLimits GetIKJointLimits() = 0;
  virtual void SetIKJointLimits(const IKJointLimits& limits) = 0;

  // The values of the six custom fields, index 0 to 5 (error 9 outside),
  // named by the scene's CustomGroupFieldNames; all six written per edit.
  virtual std::string GetCustomFieldValue(Long index) = 0;
  virtual void SetCustomFieldValue(Long index, const std::string& value) = 0;

  // Bone values (error 438 on a group that is not a bone). Each slider the
  // bone section's load moves writes its value back, rounded to what the
  // slider shows (docs/embedding.md lists the writes a load makes).
  // How strongly the bone moves the skin, a whole number 0 to 100.
  virtual Single BoneWeight() = 0;
  virtual void SetBoneWeight(Single value) = 0;
  // The reach of the volume of influence at the bone's origin and at its
  // end, 0.02 to 2.0 in steps of 0.02.
  virtual Single BoneOriginEffectRange() = 0;
  virtual void SetBoneOriginEffectRange(Single value) = 0;
  virtual Single BoneEndEffectRange() = 0;
  virtual void SetBoneEndEffectRange(Single value) = 0;
  // How far the volume reaches along the bone, 0.0 to 2.0 in steps of 0.01
  // (1.0 is the bone's own length).
  virtual Single BoneEffectExtent() = 0;
  virtual void SetBoneEffectExtent(Single value) = 0;
  // The size of an extra, irregular volume, a whole number 0 to 100; 0
  // switches it off.
  virtual Single BoneIrregularExtent() = 0;
  virtual void SetBoneIrregularExtent(Single value) = 0;
  // Where the irregular volume sits, in scene units from the bone.
  virtual SingleVector3 BoneIrregularOffset() = 0;
  virtual void SetBoneIrregularOffset(const SingleVector3& value) = 0;
  // Read only; kind 2 has no volume of influence (its frames are hidden).
  virtual Long BoneKind() = 0;
  // Switches whether the bone deforms its skin: 0 when switched;
  // kBoneNoSkin (-1) or kBoneSkinNotRelaxed (-2) when it could not be, which
  // the panel answers with a message.
  virtual Long SetBoneEnabled(bool enabled) = 0;
};

// A light. Used by the light section and the Shadowless editor.
class Light {
 public:
  virtual ~Light() = default;

  // kLightTypeAmbient 0, kLightTypeDirectional 1, kLightTypeSpot 2,
  // kLightTypePoint 3. Only spotlights show the spot values below.
  virtual Long LightType() = 0;
  virtual bool CastsShadows() = 0;
  virtual void SetCastsShadows(bool value) = 0;
  // Red, green and blue 0..1 (the swatch clamps what lies outside); the
  // panel writes the colour MakeColour gives and never reads the fourth
  // component.
  virtual ColourValue GetColour(Single key) = 0;
  virtual void SetColour(Single key, const ColourValue& colour) = 0;
  // How the light fades with distance d: 1 / (constant + linear d +
  // quadratic d^2). The panel shows the first non-zero term and writes one
  // term (0.001 to 1.0) with the other two set to 0.
  virtual Single ConstantAttenuation(Single key) = 0;
  virtual void SetConstantAttenuation(Single key, Single value) = 0;
  virtual Single LinearAttenuation(Single key) = 0;
  virtual void SetLinearAttenuation(Single key, Single value) = 0;
  virtual Single QuadraticAttenuation(Single key) = 0;
  virtual void SetQuadraticAttenuation(Single key, Single value) = 0;
  // How far a spotlight reaches, in scene units, 1 to 9999.
  virtual Single SpotlightRange(Single key) = 0;
  virtual void SetSpotlightRange(Single key, Single value) = 0;
  // The spotlight's cones as half angles from its axis, in radians, 0.1 to
  // 1.0: inside the umbra the light is full, between the umbra and the
  // penumbra it fades to nothing.
  virtual Single SpotlightUmbra(Single key) = 0;
  virtual void SetSpotlightUmbra(Single key, Single value) = 0;
  virtual Single SpotlightPenumbra(Single key) = 0;
  virtual void SetSpotlightPenumbra(Single key, Single value) = 0;
};

// A camera. Used by the camera section.
class Camera {
 public:
  virtual ~Camera() = default;

  // The whole horizontal angle of view, in radians, 0.01 to 1.0.
  virtual Single GetFieldOfView(Single key) = 0;
  virtual void SetFieldOfView(Single key, Single value) = 0;
  // Depth of field in ray-traced renders. Every load writes it back outside
  // any transaction, with the "FocalBlur" warning when it is on.
  virtual bool GetFocalBlur() = 0;
  virtual void SetFocalBlur(bool value) = 0;
  // The distance of the sharpest focus in scene units, the aperture and the
  // quality: whole numbers 1 to 10 (the panel's sliders, written back by
  // every load that moves them).
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

  // The colour packed 0xAABBGGRR (alpha in the high byte, 255 opaque); the
  // SceneUtility colour helpers take it apart.
  virtual morvel::Colour Colour() = 0;
  // The same colour as components 0..1; alpha 1 is opaque, and the grid's
  // "Trans." column shows 100 - alpha x 100. Its diffuse, ambient and
  // specular levels are SceneUtility's (GetDiffuseLevel and the like).
  virtual ColourValue GetColourComponents() = 0;
  virtual void SetColourComponents(Single red, Single green, Single blue,
                                   Single alpha) = 0;
  // The texture maps, or null when the material has none. The panel never
  // changes a maps object: it makes a new one (MapBuilder) and sets it.
  virtual std::shared_ptr<MaterialMaps> Maps() = 0;
  virtual void SetMaps(const std::shared_ptr<MaterialMaps>& maps) = 0;
  // Custom material fields, indexed like the scene's MaterialFieldNames.
  virtual std::string GetFieldValue(Long index) = 0;
  virtual void SetFieldValue(Long index, const std::string& value) = 0;
};

// The six texture maps of a material, how they are applied and blended.
// A maps object is a value: the panel replaces it through MapBuilder.
//
// The maps, by number, with the grid column that shows each (the columns do
// not run in map order: the blend sits between maps 2 and 3):
//   1 the texture: an image of the surface's colour (column 1);
//   2 a second, faded texture laid over the first (column 2);
//   3 transparency: lighter is more see-through (column 4);
//   4 bump: lighter is raised (column 5);
//   5 glow: where the surface gives light of its own (column 6);
//   6 environment: what the surface reflects (column 7).
// Each path is an image file, absolute or relative to the scene's folder;
// an empty path is no map.
class MaterialMaps {
 public:
  virtual ~MaterialMaps() = default;

  virtual std::string MapPath1() = 0;
  virtual std::string MapPath2() = 0;
  virtual std::string MapPath3() = 0;
  virtual std::string MapPath4() = 0;
  virtual std::string MapPath5() = 0;
  virtual std::string MapPath6() = 0;
  // How the maps are projected onto the shape, in the scene graph's own
  // codes; the panel keeps it as it is (a material's first maps get the
  // scene's DialogOwner, as the map chooser was opened).
  virtual Long MapSettingA() = 0;
  // How the maps repeat: 1 tiled across the shape (SceneUtility's
  // DefaultMapSettingB for new maps), other codes the scene graph's own.
  virtual Integer MapSettingB() = 0;
  // The share of the textures (maps 1 and 2) against the material's own
  // colour: a fraction 0..1, or, above 1.0001, a percentage 0..100. The
  // grid's "%" column shows the share of the material's own colour, 100
  // less that percentage: a blend of 0.25 or of 25 shows 75.
  virtual Single Blend() = 0;

  // The thumbnail of map N at `size` pixels (the panel asks for 32), made
  // by the panel's picture utility; an empty picture when map N has no
  // file.
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
  // as the material grid's "%" column shows it (a whole percentage 0 to 100
  // of the material's own colour, so 100 - blend is the textures' share),
  // maps 4 to 6, and an extra argument the panel leaves empty.
  virtual std::shared_ptr<MaterialMaps> CreateMaps(
      const std::string& map1, Long setting_a, Integer setting_b,
      const std::string& map3, const std::string& map2, Long blend,
      const std::string& map4, const std::string& map5, const std::string& map6,
      const std::string& extra) = 0;
};

}  // namespace morvel

#endif  // MORVEL_SCENE_SCENE_GRAPH_H_

#ifndef MORVEL_MEMSCENE_HANDLES_H_
#define MORVEL_MEMSCENE_HANDLES_H_

#include <cstdint>
#include <memory>
#include <string>

#include "memscene/state.h"
#include "scene/scene_graph.h"

// The interface objects of the reference scene graph: thin views onto the
// data in State. One NodeHandle exists per node, made when the node is, and
// serves every interface the node's kind has (a bone is a SceneNode and a
// Group; a light node is its own light).
namespace morvel::mem {

class NodeHandle final : public SceneNode,
                         public Group,
                         public Light,
                         public Camera {
 public:
  NodeHandle(HandlePool* pool, std::int32_t index)
      : pool_(pool), index_(index) {}

  // Where the node stands in its scene now; -1 once it was deleted.
  std::int32_t index() const { return index_; }
  void set_index(std::int32_t index) { index_ = index; }
  const std::shared_ptr<Anchor>& anchor() const { return pool_->anchor; }
  // This handle as its scene hands it out.
  std::shared_ptr<NodeHandle> Self() const;
  // The node's data; error 91 when the node or its scene is gone.
  State& state() const;
  NodeData& node() const;
  // The node's kind data; error 438 when the node is not of that kind.
  ShapeData& shape(const char* operation) const;
  GroupData& group(const char* operation) const;
  GroupData& bone(const char* operation) const;
  template <class T>
  void SetBoneValue(T GroupData::*field, const T& value, const char* operation);
  LightData& light(const char* operation) const;
  CameraData& camera(const char* operation) const;

  // SceneNode.
  Long NodeType() override;
  std::shared_ptr<SceneNode> ObjectRef() override;
  std::shared_ptr<Group> Bone() override;
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

  // Group.
  std::shared_ptr<Group> Parent() override;
  SingleVector3 GetPosition(const std::shared_ptr<Group>& relative_to,
                            Single key) override;
  void SetPosition(const std::shared_ptr<Group>& relative_to, Single key,
                   const SingleVector3& position) override;
  Orientation GetOrientation(const std::shared_ptr<Group>& relative_to,
                             Single key) override;
  void SetOrientation(const std::shared_ptr<Group>& relative_to, Single key,
                      const SingleVector3& forward,
                      const SingleVector3& up) override;
  RotationalVelocity GetRotationalVelocity() override;
  void SetRotationalVelocity(const SingleVector3& axis,
                             Single revolutions_per_second) override;
  Long IKJointMode() override;
  void SetIKJointMode(Long value) override;
  IKJointLimits GetIKJointLimits() override;
  void SetIKJointLimits(const IKJointLimits& limits) override;
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

  // Light.
  Long LightType() override;
  ColourValue GetColour(Single key) override;
  void SetColour(Single key, const ColourValue& colour) override;
  Single ConstantAttenuation(Single key) override;
  void SetConstantAttenuation(Single key, Single value) override;
  Single LinearAttenuation(Single key) override;
  void SetLinearAttenuation(Single key, Single value) override;
  Single QuadraticAttenuation(Single key) override;
  void SetQuadraticAttenuation(Single key, Single value) override;
  Single SpotlightRange(Single key) override;
  void SetSpotlightRange(Single key, Single value) override;
  Single SpotlightUmbra(Single key) override;
  void SetSpotlightUmbra(Single key, Single value) override;
  Single SpotlightPenumbra(Single key) override;
  void SetSpotlightPenumbra(Single key, Single value) override;

  // Camera.
  Single GetFieldOfView(Single key) override;
  void SetFieldOfView(Single key, Single value) override;
  bool GetFocalBlur() override;
  void SetFocalBlur(bool value) override;
  Single GetFocalPoint(Single key) override;
  void SetFocalPoint(Single key, Single value) override;
  Single GetFocalAperture(Single key) override;
  void SetFocalAperture(Single key, Single value) override;
  Long GetFocalQuality() override;
  void SetFocalQuality(Long value) override;

 private:
  // Fault check, then the node as it stands.
  NodeData& Enter(const char* operation) const;
  void Journal(const char* operation, std::string arguments) const;
  // The node a relative-to group names, -1 for the scene's own frame.
  std::int32_t RelativeIndex(const std::shared_ptr<Group>& relative_to) const;

  HandlePool* pool_;  // owns this handle
  std::int32_t index_;
};

// A material of a shape: the shape's handle and the material's index.
class MaterialHandle final : public Material {
 public:
  MaterialHandle(std::shared_ptr<NodeHandle> node, Long index)
      : node_(std::move(node)), index_(index) {}

  const std::shared_ptr<NodeHandle>& node() const { return node_; }
  Long index() const { return index_; }
  // The data, after the fault check for `operation`; error 9 when the
  // material is gone.
  MaterialData& Enter(const char* operation) const;
  // "Teapot.Materials[0]": how the journal names the material.
  std::string Name() const;

  morvel::Colour Colour() override;
  ColourValue GetColourComponents() override;
  void SetColourComponents(Single red, Single green, Single blue,
                           Single alpha) override;
  std::shared_ptr<MaterialMaps> Maps() override;
  void SetMaps(const std::shared_ptr<MaterialMaps>& maps) override;
  std::string GetFieldValue(Long index) override;
  void SetFieldValue(Long index, const std::string& value) override;

 private:
  std::shared_ptr<NodeHandle> node_;
  Long index_;
};

// A maps object: a value, detached from any material.
class MapsValue final : public MaterialMaps {
 public:
  MapsValue(MapsData data, std::shared_ptr<Anchor> anchor)
      : data_(std::move(data)), anchor_(std::move(anchor)) {}

  const MapsData& data() const { return data_; }

  std::string MapPath1() override;
  std::string MapPath2() override;
  std::string MapPath3() override;
  std::string MapPath4() override;
  std::string MapPath5() override;
  std::string MapPath6() override;
  Long MapSettingA() override;
  Integer MapSettingB() override;
  Single Blend() override;
  Picture GetMapThumbnail1(const std::shared_ptr<PictureUtility>& pictures,
                           const std::shared_ptr<ThumbnailCache>& cache,
                           Long size) override;
  Picture GetMapThumbnail2(const std::shared_ptr<PictureUtility>& pictures,
                           const std::shared_ptr<ThumbnailCache>& cache,
                           Long size) override;
  Picture GetMapThumbnail3(const std::shared_ptr<PictureUtility>& pictures,
                           const std::shared_ptr<ThumbnailCache>& cache,
                           Long size) override;
  Picture GetMapThumbnail4(const std::shared_ptr<PictureUtility>& pictures,
                           const std::shared_ptr<ThumbnailCache>& cache,
                           Long size) override;
  Picture GetMapThumbnail5(const std::shared_ptr<PictureUtility>& pictures,
                           const std::shared_ptr<ThumbnailCache>& cache,
                           Long size) override;
  Picture GetMapThumbnail6(const std::shared_ptr<PictureUtility>& pictures,
                           const std::shared_ptr<ThumbnailCache>& cache,
                           Long size) override;

 private:
  void Check(const char* operation) const;
  Picture Thumbnail(const char* operation, int map,
                    const std::shared_ptr<PictureUtility>& pictures,
                    const std::shared_ptr<ThumbnailCache>& cache, Long size);

  MapsData data_;
  std::shared_ptr<Anchor> anchor_;  // for fault checks; may be null
};

// An interface object that is a view of its scene and nothing more: it
// keeps the scene's anchor, for the fault checks and to reach the data.
template <class Interface>
class Anchored : public Interface {
 public:
  explicit Anchored(std::shared_ptr<Anchor> anchor)
      : anchor_(std::move(anchor)) {}
  const std::shared_ptr<Anchor>& anchor() const { return anchor_; }

 private:
  std::shared_ptr<Anchor> anchor_;
};

// The active scene.
class SceneHandle final : public Anchored<Scene> {
 public:
  using Anchored::Anchored;

  Long SelectionList() override;
  Long EditMode() override;
  Long DialogOwner() override;
  std::string ApplicationRegistryKey() override;
  std::shared_ptr<morvel::Hierarchy> Hierarchy() override;
  std::shared_ptr<morvel::MapBuilder> MapBuilder() override;
  std::shared_ptr<morvel::ThumbnailCache> ThumbnailCache() override;
  std::vector<std::string> CustomShapeFieldNames() override;
  std::vector<std::string> CustomGroupFieldNames() override;
  std::vector<std::string> MaterialFieldNames() override;

 private:
  State& Enter(const char* operation) const;
  // The scene's one `Handle`, kept in `slot` and made on first use.
  template <class Handle>
  std::shared_ptr<Handle> OneOf(const char* operation,
                                std::shared_ptr<void> State::*slot) const;
};

using HierarchyHandle = Anchored<Hierarchy>;
using ThumbnailCacheHandle = Anchored<ThumbnailCache>;

class MapBuilderHandle final : public Anchored<MapBuilder> {
 public:
  using Anchored::Anchored;

  std::shared_ptr<MaterialMaps> CreateMaps(
      const std::string& map1, Long setting_a, Integer setting_b,
      const std::string& map3, const std::string& map2, Long blend,
      const std::string& map4, const std::string& map5, const std::string& map6,
      const std::string& extra) override;
};

// The colour of a material packed 0xAABBGGRR.
morvel::Colour PackColour(const ColourValue& colour);

// The memscene objects behind interface pointers; error 13 for objects of
// another library, 91 for null.
NodeHandle& AsNode(const std::shared_ptr<SceneNode>& node);
MaterialHandle& AsMaterial(const std::shared_ptr<Material>& material);

}  // namespace morvel::mem

#endif  // MORVEL_MEMSCENE_HANDLES_H_

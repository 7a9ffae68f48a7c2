#include "scene/scene_bases.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/error.h"
#include "scene/utilities.h"

namespace morvel {
namespace {

// 2 pi as the panel's angle fields take it, so that a speed written in
// revolutions per second reads back as the same revolutions.
constexpr Single kFullTurn = 6.283186f;

const char* KindWord(Long node_type) {
  switch (node_type) {
    case kNodeTypeGroup: return "group";
    case kNodeTypeShape: return "shape";
    case kNodeTypeBone: return "bone";
    case kNodeTypeCamera: return "camera";
    case kNodeTypeLight: return "light";
    default: return "node";
  }
}

[[noreturn]] void NotA(SceneNode& node, const char* kind) {
  std::string name;
  if (auto* base = dynamic_cast<NodeBase*>(&node)) {
    name = " \"" + Excerpt(base->Name()) + "\"";
  }
  RaiseError(kErrTypeMismatch, std::string("Type mismatch: the ") +
                                   KindWord(node.NodeType()) + name +
                                   " is not " + kind);
}

// A selected node as the object of kind T it carries: the node itself.
template <class T>
std::shared_ptr<T> Carried(const std::shared_ptr<SceneNode>& node,
                           const char* kind) {
  std::shared_ptr<T> object = std::dynamic_pointer_cast<T>(Required(node));
  if (!object) NotA(*node, kind);
  return object;
}

std::size_t CheckedIndex(Long index, Long count) {
  if (index < 0 || index >= count) RaiseError(kErrSubscriptOutOfRange);
  return static_cast<std::size_t>(index);
}

Long Channel(Single component) {
  double scaled = std::nearbyint(static_cast<double>(component) * 255.0);
  if (!(scaled > 0)) return 0;  // negative, or not a number
  return static_cast<Long>(std::min(scaled, 255.0));
}

}  // namespace

std::vector<std::string> SixFieldNames(std::vector<std::string> names) {
  if (names.size() < static_cast<std::size_t>(kCustomFieldCount))
    names.resize(static_cast<std::size_t>(kCustomFieldCount));
  return names;
}

// ---- NodeBase: what only shapes have ---------------------------------------

void NodeBase::NotSupported(const char* what) {
  RaiseError(kErrNotSupported,
             std::string("Object doesn't support this property or method: ") +
                 what + " of the " + KindWord(node_type_) + " \"" +
                 Excerpt(Name()) + "\"");
}

std::shared_ptr<Group> NodeBase::Bone() { NotA(*this, "a bone"); }

// The shape values every other kind refuses, one line each.
#define MORVEL_NOT_SUPPORTED(signature, name) \
  signature { NotSupported(name); }
MORVEL_NOT_SUPPORTED(bool NodeBase::Locked(), "Locked")
MORVEL_NOT_SUPPORTED(void NodeBase::SetLocked(bool), "SetLocked")
MORVEL_NOT_SUPPORTED(bool NodeBase::CastsShadows(), "CastsShadows")
MORVEL_NOT_SUPPORTED(void NodeBase::SetCastsShadows(bool), "SetCastsShadows")
MORVEL_NOT_SUPPORTED(Long NodeBase::DrawStyle(), "DrawStyle")
MORVEL_NOT_SUPPORTED(void NodeBase::SetDrawStyle(Long), "SetDrawStyle")
MORVEL_NOT_SUPPORTED(Long NodeBase::DisplayAsBox(), "DisplayAsBox")
MORVEL_NOT_SUPPORTED(void NodeBase::SetDisplayAsBox(Long), "SetDisplayAsBox")
MORVEL_NOT_SUPPORTED(bool NodeBase::DrawPoints(), "DrawPoints")
MORVEL_NOT_SUPPORTED(void NodeBase::SetDrawPoints(bool), "SetDrawPoints")
MORVEL_NOT_SUPPORTED(bool NodeBase::DrawNormals(), "DrawNormals")
MORVEL_NOT_SUPPORTED(void NodeBase::SetDrawNormals(bool), "SetDrawNormals")
MORVEL_NOT_SUPPORTED(bool NodeBase::DrawTranslucent(), "DrawTranslucent")
MORVEL_NOT_SUPPORTED(void NodeBase::SetDrawTranslucent(bool),
                     "SetDrawTranslucent")
MORVEL_NOT_SUPPORTED(ShapeInfo NodeBase::GetShapeInfo(), "GetShapeInfo")
MORVEL_NOT_SUPPORTED(Long NodeBase::SmoothingLevel(), "SmoothingLevel")
MORVEL_NOT_SUPPORTED(void NodeBase::SetSmoothingLevel(Long),
                     "SetSmoothingLevel")
MORVEL_NOT_SUPPORTED(Single NodeBase::SmoothingTension(Single),
                     "SmoothingTension")
MORVEL_NOT_SUPPORTED(void NodeBase::SetSmoothingTension(Single, Single),
                     "SetSmoothingTension")
MORVEL_NOT_SUPPORTED(Long NodeBase::SmoothingCondition(), "SmoothingCondition")
MORVEL_NOT_SUPPORTED(void NodeBase::SetSmoothingCondition(Long),
                     "SetSmoothingCondition")
MORVEL_NOT_SUPPORTED(Single NodeBase::SmoothAngle(Single), "SmoothAngle")
MORVEL_NOT_SUPPORTED(void NodeBase::SetSmoothAngle(Single, Single),
                     "SetSmoothAngle")
MORVEL_NOT_SUPPORTED(Single NodeBase::CreasingFactor(Single), "CreasingFactor")
MORVEL_NOT_SUPPORTED(void NodeBase::SetCreasingFactor(Single, Single),
                     "SetCreasingFactor")
MORVEL_NOT_SUPPORTED(Long NodeBase::MirrorAxis(), "MirrorAxis")
MORVEL_NOT_SUPPORTED(void NodeBase::SetMirrorAxis(Long), "SetMirrorAxis")
MORVEL_NOT_SUPPORTED(Clones NodeBase::GetClones(), "GetClones")
MORVEL_NOT_SUPPORTED(void NodeBase::SetClones(const LongVector3&,
                                              const SingleVector3&,
                                              const SingleVector3&),
                     "SetClones")
MORVEL_NOT_SUPPORTED(std::string NodeBase::GetCustomFieldValue(Long),
                     "GetCustomFieldValue")
MORVEL_NOT_SUPPORTED(void NodeBase::SetCustomFieldValue(Long,
                                                        const std::string&),
                     "SetCustomFieldValue")
MORVEL_NOT_SUPPORTED(Single NodeBase::IndexOfRefraction(Single),
                     "IndexOfRefraction")
MORVEL_NOT_SUPPORTED(void NodeBase::SetIndexOfRefraction(Single, Single),
                     "SetIndexOfRefraction")
MORVEL_NOT_SUPPORTED(Long NodeBase::MaterialCount(), "MaterialCount")
MORVEL_NOT_SUPPORTED(std::shared_ptr<Material> NodeBase::GetMaterial(Long),
                     "GetMaterial")

// ---- Custom fields, shapes -------------------------------------------------

const std::string& CustomFields::Get(Long index) const {
  return values_[CheckedIndex(index, kCustomFieldCount)];
}

void CustomFields::Set(Long index, const std::string& value) {
  values_[CheckedIndex(index, kCustomFieldCount)] = value;
}

void ShapeBase::AddMaterial(std::shared_ptr<Material> material) {
  materials_.push_back(std::move(material));
}

Long ShapeBase::MaterialCount() { return static_cast<Long>(materials_.size()); }

std::shared_ptr<Material> ShapeBase::GetMaterial(Long index) {
  return materials_[CheckedIndex(index, MaterialCount())];
}

// ---- Groups and bones ------------------------------------------------------

void GroupBase::SetRotationalVelocity(const SingleVector3& axis,
                                      Single revolutions_per_second) {
  velocity_ = RotationalVelocity{axis, revolutions_per_second * kFullTurn};
}

MORVEL_NOT_SUPPORTED(Single GroupBase::BoneWeight(), "BoneWeight")
MORVEL_NOT_SUPPORTED(void GroupBase::SetBoneWeight(Single), "SetBoneWeight")
MORVEL_NOT_SUPPORTED(Single GroupBase::BoneOriginEffectRange(),
                     "BoneOriginEffectRange")
MORVEL_NOT_SUPPORTED(void GroupBase::SetBoneOriginEffectRange(Single),
                     "SetBoneOriginEffectRange")
MORVEL_NOT_SUPPORTED(Single GroupBase::BoneEndEffectRange(),
                     "BoneEndEffectRange")
MORVEL_NOT_SUPPORTED(void GroupBase::SetBoneEndEffectRange(Single),
                     "SetBoneEndEffectRange")
MORVEL_NOT_SUPPORTED(Single GroupBase::BoneEffectExtent(), "BoneEffectExtent")
MORVEL_NOT_SUPPORTED(void GroupBase::SetBoneEffectExtent(Single),
                     "SetBoneEffectExtent")
MORVEL_NOT_SUPPORTED(Single GroupBase::BoneIrregularExtent(),
                     "BoneIrregularExtent")
MORVEL_NOT_SUPPORTED(void GroupBase::SetBoneIrregularExtent(Single),
                     "SetBoneIrregularExtent")
MORVEL_NOT_SUPPORTED(SingleVector3 GroupBase::BoneIrregularOffset(),
                     "BoneIrregularOffset")
MORVEL_NOT_SUPPORTED(void GroupBase::SetBoneIrregularOffset(
                         const SingleVector3&),
                     "SetBoneIrregularOffset")
MORVEL_NOT_SUPPORTED(Long GroupBase::BoneKind(), "BoneKind")
MORVEL_NOT_SUPPORTED(Long GroupBase::SetBoneEnabled(bool), "SetBoneEnabled")
#undef MORVEL_NOT_SUPPORTED

std::shared_ptr<Group> BoneBase::Bone() {
  return std::static_pointer_cast<BoneBase>(shared_from_this());
}

Long BoneBase::SetBoneEnabled(bool enabled) {
  enabled_ = enabled;
  return 0;
}

// ---- Materials and maps ----------------------------------------------------

Colour MaterialBase::Colour() {
  ColourValue c = GetColourComponents();
  auto packed = static_cast<std::uint32_t>(Channel(c.Red)) |
                static_cast<std::uint32_t>(Channel(c.Green)) << 8 |
                static_cast<std::uint32_t>(Channel(c.Blue)) << 16 |
                static_cast<std::uint32_t>(Channel(c.Alpha)) << 24;
  return static_cast<morvel::Colour>(packed);
}

std::string MaterialBase::GetFieldValue(Long index) {
  std::size_t i = CheckedIndex(index, kFieldLimit);
  return i < fields_.size() ? fields_[i] : std::string();
}

void MaterialBase::SetFieldValue(Long index, const std::string& value) {
  std::size_t i = CheckedIndex(index, kFieldLimit);
  if (i >= fields_.size()) fields_.resize(i + 1);
  fields_[i] = value;
}

Picture MapsBase::Thumbnail(int map,
                            const std::shared_ptr<PictureUtility>& pictures,
                            Long size) const {
  const std::string& path = paths_[static_cast<std::size_t>(map - 1)];
  if (path.empty()) return {};
  return Required(pictures)->LoadThumbnail(path, size);
}

#define MORVEL_THUMBNAIL(n)                                              \
  Picture MapsBase::GetMapThumbnail##n(                                  \
      const std::shared_ptr<PictureUtility>& pictures,                   \
      const std::shared_ptr<morvel::ThumbnailCache>&, Long size) {       \
    return Thumbnail(n, pictures, size);                                 \
  }
MORVEL_THUMBNAIL(1)
MORVEL_THUMBNAIL(2)
MORVEL_THUMBNAIL(3)
MORVEL_THUMBNAIL(4)
MORVEL_THUMBNAIL(5)
MORVEL_THUMBNAIL(6)
#undef MORVEL_THUMBNAIL

std::shared_ptr<MaterialMaps> MapBuilderBase::CreateMaps(
    const std::string& map1, Long setting_a, Integer setting_b,
    const std::string& map3, const std::string& map2, Long blend,
    const std::string& map4, const std::string& map5, const std::string& map6,
    const std::string&) {
  if (blend < 0 || blend > 100) {
    RaiseError(kErrInvalidPropertyValue,
               "Invalid property value: a blend percentage is 0 to 100, not " +
                   std::to_string(blend));
  }
  return std::make_shared<MapsBase>(
      MapsBase::Paths{map1, map2, map3, map4, map5, map6}, setting_a,
      setting_b, static_cast<Single>(100 - blend) / 100.0f);
}

// ---- Scene and scene graph -------------------------------------------------

void SceneBase::SetCustomShapeFieldNames(std::vector<std::string> names) {
  shape_fields_ = SixFieldNames(std::move(names));
}

void SceneBase::SetCustomGroupFieldNames(std::vector<std::string> names) {
  group_fields_ = SixFieldNames(std::move(names));
}

void SceneBase::SetMaterialFieldNames(std::vector<std::string> names) {
  material_fields_ = std::move(names);
}

void SceneGraphBase::CheckList(Long list) {
  if (list != Required(GetActiveScene())->SelectionList()) {
    RaiseError(kErrInvalidProcedureCall,
               "Invalid procedure call or argument: " + std::to_string(list) +
                   " is not the scene's selection list");
  }
}

Long SceneGraphBase::GetSelectionCount(Long list) {
  CheckList(list);
  return static_cast<Long>(selection_.size());
}

std::shared_ptr<SceneNode> SceneGraphBase::GetSelectedNode(Long list,
                                                           Long index) {
  CheckList(list);
  return selection_[CheckedIndex(index, static_cast<Long>(selection_.size()))];
}

std::shared_ptr<Group> SceneGraphBase::GetSelectedGroup(Long list, Long index) {
  return Carried<Group>(GetSelectedNode(list, index), "a group");
}

std::shared_ptr<Group> SceneGraphBase::GetSelectedBone(Long list, Long index) {
  std::shared_ptr<SceneNode> node = GetSelectedNode(list, index);
  if (Required(node)->NodeType() != kNodeTypeBone) NotA(*node, "a bone");
  return Carried<Group>(node, "a bone");
}

std::shared_ptr<Light> SceneGraphBase::GetSelectedLight(Long list, Long index) {
  return Carried<Light>(GetSelectedNode(list, index), "a light");
}

std::shared_ptr<Camera> SceneGraphBase::GetSelectedCamera(Long list,
                                                          Long index) {
  return Carried<Camera>(GetSelectedNode(list, index), "a camera");
}

std::shared_ptr<Light> SceneGraphBase::GetLightOfNode(
    const std::shared_ptr<Hierarchy>&,
    const std::shared_ptr<SceneNode>& reference) {
  return Carried<Light>(reference, "a light");
}

}  // namespace morvel

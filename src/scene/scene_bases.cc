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

// ---- Nodes -----------------------------------------------------------------

void NodeBase::NotSupported(const char* what) {
  RaiseError(kErrNotSupported,
             std::string("Object doesn't support this property or method: ") +
                 what + " of the " + KindWord(node_type_) + " \"" +
                 Excerpt(Name()) + "\"");
}

std::shared_ptr<Group> NodeBase::Bone() {
  RaiseNotA(*this, "a bone");
}

// ---- Custom fields and shapes ----------------------------------------------

const std::string& CustomFields::Get(Long index) const {
  return values_[CheckedIndex(index, kCustomFieldCount)];
}

void CustomFields::Set(Long index, const std::string& value) {
  values_[CheckedIndex(index, kCustomFieldCount)] = value;
}

Long NodeBase::MaterialCount() {
  return static_cast<Long>(Shape("MaterialCount").materials.size());
}

std::shared_ptr<Material> NodeBase::GetMaterial(Long index) {
  const auto& materials = Shape("GetMaterial").materials;
  return materials[CheckedIndex(index, static_cast<Long>(materials.size()))];
}

// ---- Groups and bones ------------------------------------------------------

void GroupBase::SetRotationalVelocity(const SingleVector3& axis,
                                      Single revolutions_per_second) {
  velocity_ = RotationalVelocity{axis, revolutions_per_second * kFullTurn};
}

std::shared_ptr<Group> BoneBase::Bone() {
  return std::static_pointer_cast<BoneBase>(shared_from_this());
}

// ---- Materials and maps ----------------------------------------------------

Single TexturesShare(Long own_colour_percent) {
  if (own_colour_percent < 0 || own_colour_percent > 100) {
    RaiseError(kErrInvalidPropertyValue,
               "Invalid property value: a blend percentage is 0 to 100, not " +
                   std::to_string(own_colour_percent));
  }
  return static_cast<Single>(100 - own_colour_percent) / 100.0f;
}

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


std::shared_ptr<MaterialMaps> MapBuilderBase::CreateMaps(
    const std::string& map1, Long setting_a, Integer setting_b,
    const std::string& map3, const std::string& map2, Long blend,
    const std::string& map4, const std::string& map5, const std::string& map6,
    const std::string&) {
  return std::make_shared<MapsBase>(
      MapsBase::Paths{map1, map2, map3, map4, map5, map6}, setting_a,
      setting_b, TexturesShare(blend));
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

void RaiseNotA(SceneNode& node, const char* kind) {
  std::string name;
  if (auto* base = dynamic_cast<NodeBase*>(&node)) {
    name = " \"" + Excerpt(base->Name()) + "\"";
  }
  RaiseError(kErrTypeMismatch, std::string("Type mismatch: the ") +
                                   KindWord(node.NodeType()) + name +
                                   " is not " + kind);
}

}  // namespace morvel

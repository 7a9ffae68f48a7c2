#include "memscene/scene_keys.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "base/error.h"
#include "memscene/rotation.h"

namespace morvel::mem {
namespace {

// A field as a key reads it (a value kept out of line reads as its default
// until written) and writes it (which makes it).
template <class T>
const T& Read(const T& value) {
  return value;
}
template <class T>
const T& Read(const Lazy<T>& value) {
  return value.get();
}
template <class T>
T& Write(T& value) {
  return value;
}
template <class T>
T& Write(Lazy<T>& value) {
  return value.Mutable();
}

// The two accessors of a key, from one expression over the record `x`.
#define MORVEL_FIELD(Record, expr)                     \
  +[](const void* r) -> const void* {                  \
    const Record& x = *static_cast<const Record*>(r);  \
    return &Read(expr);                                \
  },                                                   \
      +[](void* r) -> void* {                          \
        Record& x = *static_cast<Record*>(r);          \
        return &Write(expr);                           \
      }
#define MORVEL_NODE(expr) MORVEL_FIELD(NodeRecord, expr)

using T = KeyType;

// Keys whose value the node keeps itself; name, kind and parent are read
// and written by the reader and writer before anything else.
Key Flag(std::string_view name, NodeFlag flag, std::string_view read_op,
         std::string_view write_op) {
  Key k{name, T::kFlag, MORVEL_NODE(x.node->flags), read_op, write_op};
  k.flag = flag;
  return k;
}

// A whole number with its own range and the words for it.
Key Ranged(Key k, double lo, double hi, const char* range) {
  k.lo = lo;
  k.hi = hi;
  k.range = range;
  return k;
}

Key WithTable(Key k, const KeyTable& table) {
  k.table = &table;
  return k;
}

// ---- records within records -------------------------------------------------

const char* CheckOrientation(const void* record) {
  const auto& o = *static_cast<const Orientation*>(record);
  try {
    FromOrientation(o.Forward, o.Up);
  } catch (const Error&) {
    return "Forward and Up must be non-zero and not parallel";
  }
  return nullptr;
}

const Key kOrientationKeys[] = {
    {"Forward", T::kVector, MORVEL_FIELD(Orientation, x.Forward)},
    {"Up", T::kVector, MORVEL_FIELD(Orientation, x.Up)},
};
const Orientation kOrientation;
const KeyTable kOrientationTable{"an orientation",
                                 "an object with Forward and Up",
                                 kOrientationKeys,
                                 &kOrientation,
                                 true,
                                 CheckOrientation};

const Key kRotationKeys[] = {
    {"Axis", T::kVector, MORVEL_FIELD(RotationalVelocity, x.Axis)},
    {"Theta", T::kSingle, MORVEL_FIELD(RotationalVelocity, x.Theta)},
};
const RotationalVelocity kRotation;
const KeyTable kRotationTable{"a rotational velocity",
                              "an object with Axis and Theta", kRotationKeys,
                              &kRotation, true};

const Key kClonesKeys[] = {
    {"Counts", T::kLongVector, MORVEL_FIELD(Clones, x.Counts)},
    {"Offsets", T::kVector, MORVEL_FIELD(Clones, x.Offsets)},
    {"Rotations", T::kVector, MORVEL_FIELD(Clones, x.Rotations)},
};
const Clones kClones;
const KeyTable kClonesTable{"the clones",
                            "an object with Counts, Offsets and Rotations",
                            kClonesKeys, &kClones, true};

const Key kMapsKeys[] = {
    {"Paths", T::kPaths, MORVEL_FIELD(MapsData, x.paths)},
    {"MapSettingA", T::kLong, MORVEL_FIELD(MapsData, x.setting_a),
     "MapSettingA"},
    {"MapSettingB", T::kInteger, MORVEL_FIELD(MapsData, x.setting_b),
     "MapSettingB"},
    {"Blend", T::kSingle, MORVEL_FIELD(MapsData, x.blend), "Blend"},
};
const MapsData kMaps;
const KeyTable kMapsTable{"the maps of a material", "a maps object",
                          kMapsKeys, &kMaps, true};

const Key kMaterialSourceKeys[] = {
    {"Ambient", T::kColour, MORVEL_FIELD(MaterialSource, x.ambient)},
    {"Specular", T::kColour, MORVEL_FIELD(MaterialSource, x.specular)},
    {"Emissive", T::kColour, MORVEL_FIELD(MaterialSource, x.emissive)},
    {"Shininess", T::kSingle, MORVEL_FIELD(MaterialSource, x.shininess)},
    {"AmbientLevel", T::kLong, MORVEL_FIELD(MaterialSource, x.ambient_level)},
    {"SpecularLevel", T::kLong,
     MORVEL_FIELD(MaterialSource, x.specular_level)},
    {"TwoSided", T::kBool, MORVEL_FIELD(MaterialSource, x.two_sided)},
};
const MaterialSource kMaterialSource;
const KeyTable kMaterialSourceTable{"the source of a material",
                                    "an object with the file's own colours",
                                    kMaterialSourceKeys, &kMaterialSource,
                                    true};

const Key kMaterialKeys[] = {
    {"Colour", T::kColour, MORVEL_FIELD(MaterialData, x.colour), "Colour",
     "SetColourComponents"},
    {"Diffuse", T::kLong, MORVEL_FIELD(MaterialData, x.diffuse),
     "GetDiffuseLevel", "SetDiffuseLevel"},
    {"Ambient", T::kLong, MORVEL_FIELD(MaterialData, x.ambient),
     "GetAmbientLevel", "SetAmbientLevel"},
    {"Specular", T::kLong, MORVEL_FIELD(MaterialData, x.specular),
     "GetSpecularLevel", "SetSpecularLevel"},
    {"Fields", T::kFields, MORVEL_FIELD(MaterialData, x.fields),
     "GetFieldValue", "SetFieldValue"},
    WithTable({"Maps", T::kMaps, MORVEL_FIELD(MaterialData, x.maps), "Maps",
               "SetMaps"},
              kMapsTable),
    WithTable({"Source", T::kRecord, MORVEL_FIELD(MaterialData, x.source)},
              kMaterialSourceTable),
};
const MaterialData kMaterial;
const KeyTable kMaterialTable{"a material", "a material object",
                              kMaterialKeys, &kMaterial};

const Key kPlacementKeys[] = {
    {"Position", T::kVector, MORVEL_FIELD(LightPlacement, x.position)},
    {"Direction", T::kVector, MORVEL_FIELD(LightPlacement, x.direction)},
    {"Up", T::kVector, MORVEL_FIELD(LightPlacement, x.up)},
    {"Ambient", T::kColour, MORVEL_FIELD(LightPlacement, x.ambient)},
    {"Specular", T::kColour, MORVEL_FIELD(LightPlacement, x.specular)},
};
const LightPlacement kPlacement;
const KeyTable kPlacementTable{"the placement of a light",
                               "an object with Position and Direction",
                               kPlacementKeys, &kPlacement, true};

const Key kLensKeys[] = {
    {"Position", T::kVector, MORVEL_FIELD(CameraLens, x.position)},
    {"LookAt", T::kVector, MORVEL_FIELD(CameraLens, x.look_at)},
    {"Up", T::kVector, MORVEL_FIELD(CameraLens, x.up)},
    {"Near", T::kSingle, MORVEL_FIELD(CameraLens, x.near_plane)},
    {"Far", T::kSingle, MORVEL_FIELD(CameraLens, x.far_plane)},
    {"Aspect", T::kSingle, MORVEL_FIELD(CameraLens, x.aspect)},
};
const CameraLens kLens;
const KeyTable kLensTable{"the lens of a camera",
                          "an object with Position, LookAt and Up", kLensKeys,
                          &kLens, true};

// ---- nodes ------------------------------------------------------------------

const NodeData kNode;
const ShapeData kShape;
const GroupData kGroup;
const LightData kLight;
const CameraData kCamera;
const NodeRecord kNodeDefaults{
    const_cast<NodeData*>(&kNode), const_cast<ShapeData*>(&kShape),
    const_cast<GroupData*>(&kGroup), const_cast<LightData*>(&kLight),
    const_cast<CameraData*>(&kCamera)};

const Key kCommonKeys[] = {
    {"name", T::kName},
    {"kind", T::kKind, nullptr, nullptr, "NodeType"},
    {"parent", T::kParent, nullptr, nullptr, "Parent"},
    Flag("Hidden", kHidden, "GetHiddenState", "SetHidden"),
};

const Key kShapeKeys[] = {
    Flag("Locked", kLocked, "Locked", "SetLocked"),
    Flag("CastsShadows", kCastsShadows, "CastsShadows", "SetCastsShadows"),
    {"DrawStyle", T::kLong, MORVEL_NODE(x.node->draw_style), "DrawStyle",
     "SetDrawStyle"},
    {"DisplayAsBox", T::kLong, MORVEL_NODE(x.node->display_as_box),
     "DisplayAsBox", "SetDisplayAsBox"},
    Flag("DrawPoints", kDrawPoints, "DrawPoints", "SetDrawPoints"),
    Flag("DrawNormals", kDrawNormals, "DrawNormals", "SetDrawNormals"),
    Flag("DrawTranslucent", kDrawTranslucent, "DrawTranslucent",
         "SetDrawTranslucent"),
    {"ShapeKind", T::kLong, MORVEL_NODE(x.shape->shape_kind), "GetShapeInfo"},
    {"SourceCaption", T::kCaption, MORVEL_NODE(x.shape->source),
     "GetSourceCaption"},
    {"SourceDetail", T::kDetail, MORVEL_NODE(x.shape->source),
     "GetSourceDetail"},
    WithTable({"Clones", T::kRecord, MORVEL_NODE(x.shape->clones), "GetClones",
               "SetClones"},
              kClonesTable),
    {"CreasingFactor", T::kSingle, MORVEL_NODE(x.shape->creasing_factor),
     "CreasingFactor", "SetCreasingFactor"},
    {"SmoothingLevel", T::kLong, MORVEL_NODE(x.shape->smoothing_level),
     "SmoothingLevel", "SetSmoothingLevel"},
    {"SmoothingTension", T::kSingle, MORVEL_NODE(x.shape->smoothing_tension),
     "SmoothingTension", "SetSmoothingTension"},
    {"SmoothingCondition", T::kLong,
     MORVEL_NODE(x.shape->smoothing_condition), "SmoothingCondition",
     "SetSmoothingCondition"},
    {"SmoothAngle", T::kSingle, MORVEL_NODE(x.shape->smooth_angle),
     "SmoothAngle", "SetSmoothAngle"},
    {"IndexOfRefraction", T::kSingle,
     MORVEL_NODE(x.shape->index_of_refraction), "IndexOfRefraction",
     "SetIndexOfRefraction"},
    {"MirrorAxis", T::kLong, MORVEL_NODE(x.shape->mirror_axis), "MirrorAxis",
     "SetMirrorAxis"},
    {"CustomFields", T::kSixStrings, MORVEL_NODE(x.shape->custom_fields),
     "GetCustomFieldValue", "SetCustomFieldValue"},
    WithTable({"Materials", T::kMaterials, MORVEL_NODE(x.shape->materials),
               "GetMaterial"},
              kMaterialTable),
    {"Mesh", T::kMesh, MORVEL_NODE(x.shape->mesh)},
};

const Key kGroupKeys[] = {
    {"Position", T::kVector, MORVEL_NODE(x.group->position), "GetPosition",
     "SetPosition"},
    WithTable({"Orientation", T::kRecord, MORVEL_NODE(x.group->orientation),
               "GetOrientation", "SetOrientation"},
              kOrientationTable),
    {"Scale", T::kVector, MORVEL_NODE(x.group->scale)},
    {"Matrix", T::kMatrix, MORVEL_NODE(x.group->matrix)},
    WithTable(
        {"RotationalVelocity", T::kRecord,
         MORVEL_NODE(x.group->rotational_velocity), "GetRotationalVelocity",
         "SetRotationalVelocity"},
        kRotationTable),
    {"IKJointMode", T::kLong, MORVEL_NODE(x.group->ik_joint_mode),
     "IKJointMode", "SetIKJointMode"},
    {"IKJointLimits", T::kIKJointLimits, MORVEL_NODE(x.group->ik_joint_limits),
     "GetIKJointLimits", "SetIKJointLimits"},
    {"CustomFields", T::kSixStrings, MORVEL_NODE(x.group->custom_fields),
     "GetCustomFieldValue", "SetCustomFieldValue"},
};

const Key kBoneKeys[] = {
    {"BoneWeight", T::kSingle, MORVEL_NODE(x.group->bone_weight), "BoneWeight",
     "SetBoneWeight"},
    {"BoneOriginEffectRange", T::kSingle,
     MORVEL_NODE(x.group->bone_origin_effect_range), "BoneOriginEffectRange",
     "SetBoneOriginEffectRange"},
    {"BoneEndEffectRange", T::kSingle,
     MORVEL_NODE(x.group->bone_end_effect_range), "BoneEndEffectRange",
     "SetBoneEndEffectRange"},
    {"BoneEffectExtent", T::kSingle, MORVEL_NODE(x.group->bone_effect_extent),
     "BoneEffectExtent", "SetBoneEffectExtent"},
    {"BoneIrregularExtent", T::kSingle,
     MORVEL_NODE(x.group->bone_irregular_extent), "BoneIrregularExtent",
     "SetBoneIrregularExtent"},
    {"BoneIrregularOffset", T::kVector,
     MORVEL_NODE(x.group->bone_irregular_offset), "BoneIrregularOffset",
     "SetBoneIrregularOffset"},
    {"BoneKind", T::kLong, MORVEL_NODE(x.group->bone_kind), "BoneKind"},
    Flag("Enabled", kEnabled, "GetEnabledState", "SetBoneEnabled"),
    {"SetBoneEnabledResult", T::kLong,
     MORVEL_NODE(x.group->set_bone_enabled_result)},
};

const Key kLightKeys[] = {
    Ranged({"LightType", T::kLong, MORVEL_NODE(x.light->light_type),
            "LightType"},
           0, 3, "0 (ambient), 1 (directional), 2 (spot) or 3 (point)"),
    {"Colour", T::kColour, MORVEL_NODE(x.light->colour), "GetColour",
     "SetColour"},
    {"ConstantAttenuation", T::kSingle,
     MORVEL_NODE(x.light->constant_attenuation), "ConstantAttenuation",
     "SetConstantAttenuation"},
    {"LinearAttenuation", T::kSingle, MORVEL_NODE(x.light->linear_attenuation),
     "LinearAttenuation", "SetLinearAttenuation"},
    {"QuadraticAttenuation", T::kSingle,
     MORVEL_NODE(x.light->quadratic_attenuation), "QuadraticAttenuation",
     "SetQuadraticAttenuation"},
    {"SpotlightRange", T::kSingle, MORVEL_NODE(x.light->spotlight_range),
     "SpotlightRange", "SetSpotlightRange"},
    {"SpotlightUmbra", T::kSingle, MORVEL_NODE(x.light->spotlight_umbra),
     "SpotlightUmbra", "SetSpotlightUmbra"},
    {"SpotlightPenumbra", T::kSingle, MORVEL_NODE(x.light->spotlight_penumbra),
     "SpotlightPenumbra", "SetSpotlightPenumbra"},
    Flag("CastsShadows", kCastsShadows, "CastsShadows", "SetCastsShadows"),
    WithTable({"Placement", T::kRecord, MORVEL_NODE(x.light->placement)},
              kPlacementTable),
};

const Key kCameraKeys[] = {
    {"FieldOfView", T::kSingle, MORVEL_NODE(x.camera->field_of_view),
     "GetFieldOfView", "SetFieldOfView"},
    {"FocalBlur", T::kBool, MORVEL_NODE(x.camera->focal_blur), "GetFocalBlur",
     "SetFocalBlur"},
    {"FocalPoint", T::kSingle, MORVEL_NODE(x.camera->focal_point),
     "GetFocalPoint", "SetFocalPoint"},
    {"FocalAperture", T::kSingle, MORVEL_NODE(x.camera->focal_aperture),
     "GetFocalAperture", "SetFocalAperture"},
    {"FocalQuality", T::kLong, MORVEL_NODE(x.camera->focal_quality),
     "GetFocalQuality", "SetFocalQuality"},
    WithTable({"Lens", T::kRecord, MORVEL_NODE(x.camera->lens)}, kLensTable),
};

const KeyTable kCommonTable{"a node", "", kCommonKeys, &kNodeDefaults};
const KeyTable kShapeTable{"a shape", "", kShapeKeys, &kNodeDefaults};
const KeyTable kGroupTable{"a group", "", kGroupKeys, &kNodeDefaults};
const KeyTable kBoneTable{"a bone", "", kBoneKeys, &kNodeDefaults};
const KeyTable kLightTable{"a light", "", kLightKeys, &kNodeDefaults};
const KeyTable kCameraTable{"a camera", "", kCameraKeys, &kNodeDefaults};

const KeyTable* const kShapeKinds[] = {&kCommonTable, &kShapeTable};
const KeyTable* const kGroupKinds[] = {&kCommonTable, &kGroupTable};
const KeyTable* const kBoneKinds[] = {&kCommonTable, &kGroupTable,
                                      &kBoneTable};
const KeyTable* const kLightKinds[] = {&kCommonTable, &kLightTable};
const KeyTable* const kCameraKinds[] = {&kCommonTable, &kCameraTable};

// ---- the scene ---------------------------------------------------------------

const Key kSceneKeys[] = {
    {"ApplicationRegistryKey", T::kString,
     MORVEL_FIELD(SceneContent, x.application_registry_key),
     "ApplicationRegistryKey"},
    {"EditMode", T::kLong, MORVEL_FIELD(SceneContent, x.edit_mode),
     "EditMode"},
    {"DialogOwner", T::kLong, MORVEL_FIELD(SceneContent, x.dialog_owner),
     "DialogOwner"},
    {"CustomShapeFieldNames", T::kNames,
     MORVEL_FIELD(SceneContent, x.custom_shape_field_names),
     "CustomShapeFieldNames"},
    {"CustomGroupFieldNames", T::kNames,
     MORVEL_FIELD(SceneContent, x.custom_group_field_names),
     "CustomGroupFieldNames"},
    {"MaterialFieldNames", T::kNames,
     MORVEL_FIELD(SceneContent, x.material_field_names), "MaterialFieldNames"},
    // Read and written node by node by the reader and the writer.
    {"selection", T::kNames, nullptr, nullptr, "SelectionList"},
    {"nodes", T::kNames},
};
const SceneContent& SceneDefaults() {
  static const SceneContent* defaults = new SceneContent;
  return *defaults;
}

#undef MORVEL_NODE
#undef MORVEL_FIELD

// ---- finite numbers -----------------------------------------------------------

// Appends to `path` the place of the first number of the record that is not
// finite; false when there is none.
bool NonFinite(const KeyTable& table, const void* record, std::string& path);

bool NonFiniteSingles(const Single* values, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (!std::isfinite(values[i])) return true;
  }
  return false;
}

bool NonFiniteKey(const Key& key, const void* record, std::string& path) {
  const void* value = key.get ? key.get(record) : nullptr;
  auto singles = [&](std::size_t count) {
    if (!NonFiniteSingles(static_cast<const Single*>(value), count))
      return false;
    path += key.name;
    return true;
  };
  switch (key.type) {
    case T::kSingle:
      return singles(1);
    case T::kVector:
      return singles(3);
    case T::kColour:
      return singles(4);
    case T::kIKJointLimits:
      return singles(6);
    case T::kMatrix:
      return singles(16);
    case T::kRecord: {
      std::string inner = std::string(key.name) + ".";
      if (!NonFinite(*key.table, value, inner)) return false;
      path += inner;
      return true;
    }
    case T::kMaps: {
      const auto& maps = *static_cast<const Boxed<MapsData>*>(value);
      if (!maps) return false;
      std::string inner = std::string(key.name) + ".";
      if (!NonFinite(*key.table, &*maps, inner)) return false;
      path += inner;
      return true;
    }
    case T::kMaterials: {
      const auto& list = *static_cast<const MaterialList*>(value);
      for (std::size_t i = 0; i < list.size(); ++i) {
        std::string inner =
            std::string(key.name) + "[" + std::to_string(i) + "].";
        if (NonFinite(*key.table, &list[i], inner)) {
          path += inner;
          return true;
        }
      }
      return false;
    }
    default:
      return false;
  }
}

bool NonFinite(const KeyTable& table, const void* record, std::string& path) {
  for (const Key& key : table.keys) {
    if (NonFiniteKey(key, record, path)) return true;
  }
  return false;
}

}  // namespace

void StoreFlag(const Key& key, bool on, void* record) {
  auto& flags = *static_cast<std::uint16_t*>(key.put(record));
  flags = on ? static_cast<std::uint16_t>(flags | key.flag)
             : static_cast<std::uint16_t>(flags & ~key.flag);
}

void StoreText(const Key& key, std::string_view text, void* record) {
  void* field = key.put(record);
  if (key.type == KeyType::kCaption) {
    static_cast<SourceTexts*>(field)->SetCaption(text);
  } else if (key.type == KeyType::kDetail) {
    static_cast<SourceTexts*>(field)->SetDetail(text);
  } else {
    *static_cast<std::string*>(field) = text;
  }
}

void StoreStrings(const Key& key, const std::vector<std::string_view>& texts,
                  void* record) {
  if (key.type == KeyType::kFields) {
    *static_cast<PackedStrings*>(key.put(record)) = PackedStrings(texts);
  } else {
    *static_cast<SixStrings*>(key.put(record)) = SixStrings(texts);
  }
}

const Key* KeyTable::Find(std::string_view name) const {
  // Keys of one length mostly differ in their first letter: compared whole
  // only when that matches.
  for (const Key& key : keys) {
    if (key.name.size() == name.size() &&
        (name.empty() || key.name[0] == name[0]) && key.name == name) {
      return &key;
    }
  }
  return nullptr;
}

const KeyTable& SceneKeys() {
  static const KeyTable table{"a scene", "a JSON object", kSceneKeys,
                              &SceneDefaults(), true};
  return table;
}

std::span<const KeyTable* const> NodeKeys(Long kind) {
  switch (kind) {
    case kNodeTypeShape:
      return kShapeKinds;
    case kNodeTypeGroup:
      return kGroupKinds;
    case kNodeTypeBone:
      return kBoneKinds;
    case kNodeTypeLight:
      return kLightKinds;
    case kNodeTypeCamera:
      return kCameraKinds;
    default:
      return {};
  }
}

const char* KindWhat(Long kind) {
  auto tables = NodeKeys(kind);
  return tables.empty() ? "a node" : tables.back()->what;
}

const Key* FindNodeKey(Long kind, std::string_view name) {
  // A small open-addressed table per kind, made once: a big scene file asks
  // this for every key of every node.
  struct Index {
    std::array<const Key*, 128> slots{};
    // The keys of a kind differ in their length and a few letters nearly
    // always: enough to spread a few dozen keys over the slots at a few
    // instructions a lookup (probing settles the rest).
    static std::size_t Hash(std::string_view s) {
      if (s.empty()) return 0;
      auto at = [&](std::size_t i) {
        return static_cast<std::size_t>(static_cast<unsigned char>(s[i]));
      };
      return s.size() * 97 + at(0) * 31 + at(s.size() / 2) * 7 +
             at(s.size() - 1);
    }
    explicit Index(Long kind) {
      for (const KeyTable* table : NodeKeys(kind)) {
        for (const Key& key : table->keys) {
          std::size_t at = Hash(key.name) % slots.size();
          while (slots[at] != nullptr) at = (at + 1) % slots.size();
          slots[at] = &key;
        }
      }
    }
    const Key* Find(std::string_view s) const {
      for (std::size_t at = Hash(s) % slots.size(); slots[at] != nullptr;
           at = (at + 1) % slots.size()) {
        if (slots[at]->name == s) return slots[at];
      }
      return nullptr;
    }
  };
  static const Index shape(kNodeTypeShape), group(kNodeTypeGroup),
      bone(kNodeTypeBone), light(kNodeTypeLight), camera(kNodeTypeCamera);
  switch (kind) {
    case kNodeTypeShape:
      return shape.Find(name);
    case kNodeTypeGroup:
      return group.Find(name);
    case kNodeTypeBone:
      return bone.Find(name);
    case kNodeTypeLight:
      return light.Find(name);
    case kNodeTypeCamera:
      return camera.Find(name);
    default:
      return nullptr;
  }
}

NodeRecord RecordOf(SceneContent& content, std::int32_t index) {
  NodeRecord r;
  r.node = &content.nodes[static_cast<std::size_t>(index)];
  auto ext = static_cast<std::size_t>(r.node->ext);
  switch (r.node->kind) {
    case kNodeTypeShape:
      r.shape = &content.shapes[ext];
      break;
    case kNodeTypeGroup:
    case kNodeTypeBone:
      r.group = &content.groups[ext];
      break;
    case kNodeTypeLight:
      r.light = &content.lights[ext];
      break;
    case kNodeTypeCamera:
      r.camera = &content.cameras[ext];
      break;
  }
  return r;
}

NodeRecord RecordOf(const SceneContent& content, std::int32_t index) {
  return RecordOf(const_cast<SceneContent&>(content), index);
}

std::vector<std::string_view> KeyOperations() {
  std::vector<std::string_view> names;
  auto add = [&](const KeyTable& table, auto& self) -> void {
    for (const Key& key : table.keys) {
      if (!key.read_op.empty()) names.push_back(key.read_op);
      if (!key.write_op.empty()) names.push_back(key.write_op);
      if (key.table != nullptr) self(*key.table, self);
    }
  };
  add(SceneKeys(), add);
  for (Long kind : {kNodeTypeShape, kNodeTypeGroup, kNodeTypeBone,
                    kNodeTypeLight, kNodeTypeCamera}) {
    for (const KeyTable* table : NodeKeys(kind)) add(*table, add);
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

std::string FirstNonFinite(const SceneContent& content) {
  for (std::size_t i = 0; i < content.nodes.size(); ++i) {
    NodeRecord record = RecordOf(content, static_cast<std::int32_t>(i));
    for (const KeyTable* table : NodeKeys(record.node->kind)) {
      std::string path = Excerpt(record.node->name) + ".";
      if (NonFinite(*table, &record, path)) return path;
    }
  }
  return {};
}

}  // namespace morvel::mem

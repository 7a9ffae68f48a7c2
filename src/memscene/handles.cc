#include "memscene/handles.h"

#include <algorithm>
#include <cmath>

#include "base/error.h"
#include "memscene/rotation.h"
#include "scene/scene_bases.h"
#include "scene/utilities.h"

namespace morvel::mem {
namespace {

[[noreturn]] void NotSupported(const char* operation, const NodeData& node) {
  RaiseError(kErrNotSupported,
             std::string("Object doesn't support this property or method: ") +
                 operation + " of the " + KindName(node.kind) + " \"" +
                 Excerpt(node.name) + "\"");
}

Single Finite(Single value, const char* operation) {
  if (!std::isfinite(value)) {
    RaiseError(kErrInvalidProcedureCall,
               std::string("Invalid procedure call or argument: ") + operation +
                   " needs a finite number");
  }
  return value;
}

SingleVector3 Finite(const SingleVector3& v, const char* operation) {
  Finite(v.X, operation);
  Finite(v.Y, operation);
  Finite(v.Z, operation);
  return v;
}

// A point computed in doubles through other frames, as the Singles a
// position holds: one beyond a Single's range (a group far out, measured
// from another far out the other way) is an overflow, never an infinity
// kept in the scene or handed to the caller.
SingleVector3 SinglePoint(const double (&origin)[3]) {
  SingleVector3 point{static_cast<Single>(origin[0]),
                      static_cast<Single>(origin[1]),
                      static_cast<Single>(origin[2])};
  if (!std::isfinite(point.X) || !std::isfinite(point.Y) ||
      !std::isfinite(point.Z)) {
    RaiseError(kErrOverflow);
  }
  return point;
}

// The key of a keyed write, as the journal shows it: nothing for the value
// as it stands (the key the panel passes), "@K" otherwise.
std::string KeyPrefix(Single key) {
  if (key == kCurrentKey) return {};
  return "@" + Arg(key) + " ";
}

std::size_t FieldIndex(Long index, std::size_t count) {
  if (index < 0 || static_cast<std::size_t>(index) >= count) {
    RaiseError(kErrSubscriptOutOfRange);
  }
  return static_cast<std::size_t>(index);
}

std::string GroupName(const std::shared_ptr<Group>& group) {
  auto* handle = dynamic_cast<NodeHandle*>(group.get());
  return handle ? handle->node().name : std::string("?");
}

Transform LocalTransform(const GroupData& g) {
  Transform t;
  t.rotation = FromOrientation(g.orientation.Forward, g.orientation.Up);
  t.origin[0] = g.position.X;
  t.origin[1] = g.position.Y;
  t.origin[2] = g.position.Z;
  return t;
}

// The frame of a group in the scene's own frame (identity for -1).
Transform WorldTransform(const SceneContent& content, std::int32_t index) {
  Transform t;
  // Walk up collecting the chain, then compose from the top down.
  std::vector<std::int32_t> chain;
  for (std::int32_t i = index; i >= 0;
       i = content.nodes[static_cast<std::size_t>(i)].parent) {
    chain.push_back(i);
  }
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    const NodeData& node = content.nodes[static_cast<std::size_t>(*it)];
    t = Compose(
        t, LocalTransform(content.groups[static_cast<std::size_t>(node.ext)]));
  }
  return t;
}

}  // namespace

// ---- NodeHandle: access ----------------------------------------------------

std::shared_ptr<NodeHandle> NodeHandle::Self() const {
  return std::shared_ptr<NodeHandle>(pool_->self.lock(),
                                     const_cast<NodeHandle*>(this));
}

State& NodeHandle::state() const {
  State& s = Live(pool_->anchor);
  if (index_ < 0) {
    RaiseError(kErrObjectNotSet,
               "Object variable or With block variable not set: the node was "
               "deleted from the scene");
  }
  return s;
}

NodeData& NodeHandle::node() const {
  return state().content.nodes[static_cast<std::size_t>(index_)];
}

NodeData& NodeHandle::Enter(const char* operation) const {
  State& s = state();
  s.CheckFault(operation);
  return s.content.nodes[static_cast<std::size_t>(index_)];
}

ShapeData& NodeHandle::shape(const char* operation) const {
  NodeData& n = Enter(operation);
  if (n.kind != kNodeTypeShape) NotSupported(operation, n);
  return pool_->anchor->state->content.shapes[static_cast<std::size_t>(n.ext)];
}

GroupData& NodeHandle::group(const char* operation) const {
  NodeData& n = Enter(operation);
  if (n.kind != kNodeTypeGroup && n.kind != kNodeTypeBone)
    NotSupported(operation, n);
  return pool_->anchor->state->content.groups[static_cast<std::size_t>(n.ext)];
}

GroupData& NodeHandle::bone(const char* operation) const {
  NodeData& n = Enter(operation);
  if (n.kind != kNodeTypeBone) NotSupported(operation, n);
  return pool_->anchor->state->content.groups[static_cast<std::size_t>(n.ext)];
}

LightData& NodeHandle::light(const char* operation) const {
  NodeData& n = Enter(operation);
  if (n.kind != kNodeTypeLight) NotSupported(operation, n);
  return pool_->anchor->state->content.lights[static_cast<std::size_t>(n.ext)];
}

CameraData& NodeHandle::camera(const char* operation) const {
  NodeData& n = Enter(operation);
  if (n.kind != kNodeTypeCamera) NotSupported(operation, n);
  return pool_->anchor->state->content.cameras[static_cast<std::size_t>(n.ext)];
}

void NodeHandle::Journal(const char* operation, std::string arguments) const {
  State& s = *pool_->anchor->state;
  if (!s.journal_enabled) return;
  s.Record(operation, s.content.nodes[static_cast<std::size_t>(index_)].name,
           std::move(arguments));
}

// ---- SceneNode -------------------------------------------------------------

Long NodeHandle::NodeType() { return Enter("NodeType").kind; }

std::shared_ptr<SceneNode> NodeHandle::ObjectRef() {
  Enter("ObjectRef");
  return Self();
}

std::shared_ptr<Group> NodeHandle::Bone() {
  NodeData& n = Enter("Bone");
  if (n.kind != kNodeTypeBone) {
    RaiseError(kErrTypeMismatch, "Type mismatch: the " +
                                     std::string(KindName(n.kind)) + " \"" +
                                     Excerpt(n.name) + "\" is not a bone");
  }
  return Self();
}

bool NodeHandle::Locked() {
  shape("Locked");
  return node().Has(kLocked);
}

void NodeHandle::SetLocked(bool value) {
  shape("SetLocked");
  node().Set(kLocked, value);
  Journal("SetLocked", Arg(value));
}

bool NodeHandle::CastsShadows() {
  NodeData& n = Enter("CastsShadows");
  if (n.kind != kNodeTypeShape && n.kind != kNodeTypeLight) {
    NotSupported("CastsShadows", n);
  }
  return n.Has(kCastsShadows);
}

void NodeHandle::SetCastsShadows(bool value) {
  NodeData& n = Enter("SetCastsShadows");
  if (n.kind != kNodeTypeShape && n.kind != kNodeTypeLight) {
    NotSupported("SetCastsShadows", n);
  }
  n.Set(kCastsShadows, value);
  Journal("SetCastsShadows", Arg(value));
}

Long NodeHandle::DrawStyle() {
  shape("DrawStyle");
  return node().draw_style;
}

void NodeHandle::SetDrawStyle(Long value) {
  shape("SetDrawStyle");
  node().draw_style = value;
  Journal("SetDrawStyle", Arg(value));
}

Long NodeHandle::DisplayAsBox() {
  shape("DisplayAsBox");
  return node().display_as_box;
}

void NodeHandle::SetDisplayAsBox(Long value) {
  shape("SetDisplayAsBox");
  NodeData& n = node();
  // The viewports draw a boxed shape differently: they must redraw the
  // selection once it changed.
  if (n.display_as_box != value) state().selection_needs_refresh = true;
  n.display_as_box = value;
  Journal("SetDisplayAsBox", Arg(value));
}

bool NodeHandle::DrawPoints() {
  shape("DrawPoints");
  return node().Has(kDrawPoints);
}

void NodeHandle::SetDrawPoints(bool value) {
  shape("SetDrawPoints");
  node().Set(kDrawPoints, value);
  Journal("SetDrawPoints", Arg(value));
}

bool NodeHandle::DrawNormals() {
  shape("DrawNormals");
  return node().Has(kDrawNormals);
}

void NodeHandle::SetDrawNormals(bool value) {
  shape("SetDrawNormals");
  node().Set(kDrawNormals, value);
  Journal("SetDrawNormals", Arg(value));
}

bool NodeHandle::DrawTranslucent() {
  shape("DrawTranslucent");
  return node().Has(kDrawTranslucent);
}

void NodeHandle::SetDrawTranslucent(bool value) {
  shape("SetDrawTranslucent");
  node().Set(kDrawTranslucent, value);
  Journal("SetDrawTranslucent", Arg(value));
}

ShapeInfo NodeHandle::GetShapeInfo() {
  return ShapeInfo{shape("GetShapeInfo").shape_kind};
}

Long NodeHandle::SmoothingLevel() {
  return shape("SmoothingLevel").smoothing_level;
}

void NodeHandle::SetSmoothingLevel(Long value) {
  shape("SetSmoothingLevel").smoothing_level = value;
  Journal("SetSmoothingLevel", Arg(value));
}

Single NodeHandle::SmoothingTension(Single) {
  return shape("SmoothingTension").smoothing_tension;
}

void NodeHandle::SetSmoothingTension(Single key, Single value) {
  shape("SetSmoothingTension").smoothing_tension =
      Finite(value, "SetSmoothingTension");
  Journal("SetSmoothingTension", KeyPrefix(key) + Arg(value));
}

Long NodeHandle::SmoothingCondition() {
  return shape("SmoothingCondition").smoothing_condition;
}

void NodeHandle::SetSmoothingCondition(Long value) {
  shape("SetSmoothingCondition").smoothing_condition = value;
  Journal("SetSmoothingCondition", Arg(value));
}

Single NodeHandle::SmoothAngle(Single) {
  return shape("SmoothAngle").smooth_angle;
}

void NodeHandle::SetSmoothAngle(Single key, Single value) {
  shape("SetSmoothAngle").smooth_angle = Finite(value, "SetSmoothAngle");
  Journal("SetSmoothAngle", KeyPrefix(key) + Arg(value));
}

Single NodeHandle::CreasingFactor(Single) {
  return shape("CreasingFactor").creasing_factor;
}

void NodeHandle::SetCreasingFactor(Single key, Single value) {
  shape("SetCreasingFactor").creasing_factor =
      Finite(value, "SetCreasingFactor");
  Journal("SetCreasingFactor", KeyPrefix(key) + Arg(value));
}

Long NodeHandle::MirrorAxis() { return shape("MirrorAxis").mirror_axis; }

void NodeHandle::SetMirrorAxis(Long value) {
  shape("SetMirrorAxis").mirror_axis = value;
  Journal("SetMirrorAxis", Arg(value));
}

Clones NodeHandle::GetClones() { return shape("GetClones").clones.get(); }

void NodeHandle::SetClones(const LongVector3& counts,
                           const SingleVector3& offsets,
                           const SingleVector3& rotations) {
  ShapeData& s = shape("SetClones");
  s.clones.Mutable() = Clones{counts, Finite(offsets, "SetClones"),
                              Finite(rotations, "SetClones")};
  Journal("SetClones", Arg(counts) + " " + Arg(offsets) + " " + Arg(rotations));
}

std::string NodeHandle::GetCustomFieldValue(Long index) {
  NodeData& n = Enter("GetCustomFieldValue");
  State& s = *pool_->anchor->state;
  if (n.kind == kNodeTypeShape) {
    return std::string(s.content.shapes[static_cast<std::size_t>(n.ext)]
                           .custom_fields[FieldIndex(index, 6)]);
  }
  if (n.kind == kNodeTypeGroup || n.kind == kNodeTypeBone) {
    return std::string(s.content.groups[static_cast<std::size_t>(n.ext)]
                           .custom_fields[FieldIndex(index, 6)]);
  }
  NotSupported("GetCustomFieldValue", n);
}

void NodeHandle::SetCustomFieldValue(Long index, const std::string& value) {
  NodeData& n = Enter("SetCustomFieldValue");
  State& s = *pool_->anchor->state;
  if (n.kind == kNodeTypeShape) {
    s.content.shapes[static_cast<std::size_t>(n.ext)].custom_fields.Set(
        FieldIndex(index, 6), value);
  } else if (n.kind == kNodeTypeGroup || n.kind == kNodeTypeBone) {
    s.content.groups[static_cast<std::size_t>(n.ext)].custom_fields.Set(
        FieldIndex(index, 6), value);
  } else {
    NotSupported("SetCustomFieldValue", n);
  }
  Journal("SetCustomFieldValue", Arg(index) + " " + Arg(value));
}

Single NodeHandle::IndexOfRefraction(Single) {
  return shape("IndexOfRefraction").index_of_refraction;
}

void NodeHandle::SetIndexOfRefraction(Single key, Single value) {
  shape("SetIndexOfRefraction").index_of_refraction =
      Finite(value, "SetIndexOfRefraction");
  Journal("SetIndexOfRefraction", KeyPrefix(key) + Arg(value));
}

Long NodeHandle::MaterialCount() {
  return static_cast<Long>(shape("MaterialCount").materials.size());
}

std::shared_ptr<Material> NodeHandle::GetMaterial(Long index) {
  ShapeData& s = shape("GetMaterial");
  FieldIndex(index, s.materials.size());
  return std::make_shared<MaterialHandle>(Self(), index);
}

// ---- Group -----------------------------------------------------------------

std::shared_ptr<Group> NodeHandle::Parent() {
  group("Parent");
  std::int32_t parent = node().parent;
  if (parent < 0) return nullptr;
  return state().Handle(parent);
}

std::int32_t NodeHandle::RelativeIndex(
    const std::shared_ptr<Group>& relative_to) const {
  if (!relative_to) return -1;
  auto* other = dynamic_cast<NodeHandle*>(relative_to.get());
  if (other == nullptr || other->anchor() != anchor()) {
    RaiseError(kErrInvalidProcedureCall,
               "Invalid procedure call or argument: the group to measure "
               "from belongs to another scene");
  }
  NodeData& n = other->node();
  if (n.kind != kNodeTypeGroup && n.kind != kNodeTypeBone) {
    NotSupported("GetPosition", n);
  }
  return other->index_;
}

SingleVector3 NodeHandle::GetPosition(const std::shared_ptr<Group>& relative_to,
                                      Single) {
  GroupData& g = group("GetPosition");
  std::int32_t frame = RelativeIndex(relative_to);
  const SceneContent& content = state().content;
  if (frame == node().parent) return g.position;
  Transform t = Compose(Inverse(WorldTransform(content, frame)),
                        WorldTransform(content, index_));
  return SinglePoint(t.origin);
}

void NodeHandle::SetPosition(const std::shared_ptr<Group>& relative_to,
                             Single key, const SingleVector3& position) {
  GroupData& g = group("SetPosition");
  Finite(position, "SetPosition");
  std::int32_t frame = RelativeIndex(relative_to);
  const SceneContent& content = state().content;
  std::int32_t parent = node().parent;
  if (frame == parent) {
    g.position = position;
  } else {
    // The point in the scene's frame, then in the parent's.
    Transform point;
    point.origin[0] = position.X;
    point.origin[1] = position.Y;
    point.origin[2] = position.Z;
    Transform world = Compose(WorldTransform(content, frame), point);
    Transform local = Compose(Inverse(WorldTransform(content, parent)), world);
    g.position = SinglePoint(local.origin);
  }
  Journal("SetPosition",
          KeyPrefix(key) + (relative_to ? GroupName(relative_to) : "Nothing") +
              " " + Arg(position));
}

Orientation NodeHandle::GetOrientation(
    const std::shared_ptr<Group>& relative_to, Single) {
  GroupData& g = group("GetOrientation");
  std::int32_t frame = RelativeIndex(relative_to);
  const SceneContent& content = state().content;
  if (frame == node().parent) return g.orientation;
  Transform t = Compose(Inverse(WorldTransform(content, frame)),
                        WorldTransform(content, index_));
  return ToOrientation(t.rotation);
}

void NodeHandle::SetOrientation(const std::shared_ptr<Group>& relative_to,
                                Single key, const SingleVector3& forward,
                                const SingleVector3& up) {
  GroupData& g = group("SetOrientation");
  Matrix3 wanted = FromOrientation(forward, up);  // refuses a degenerate pair
  std::int32_t frame = RelativeIndex(relative_to);
  const SceneContent& content = state().content;
  std::int32_t parent = node().parent;
  if (frame == parent) {
    g.orientation = Orientation{forward, up};
  } else {
    Matrix3 world = Multiply(WorldTransform(content, frame).rotation, wanted);
    g.orientation = ToOrientation(
        Multiply(Transpose(WorldTransform(content, parent).rotation), world));
  }
  Journal("SetOrientation",
          KeyPrefix(key) + (relative_to ? GroupName(relative_to) : "Nothing") +
              " " + Arg(forward) + " " + Arg(up));
}

RotationalVelocity NodeHandle::GetRotationalVelocity() {
  return group("GetRotationalVelocity").rotational_velocity;
}

void NodeHandle::SetRotationalVelocity(const SingleVector3& axis,
                                       Single revolutions_per_second) {
  GroupData& g = group("SetRotationalVelocity");
  Finite(axis, "SetRotationalVelocity");
  // Kept in radians per second, as the getter and the scene file have it;
  // a speed too fast for a Single in those units is an overflow.
  Single theta =
      Finite(revolutions_per_second, "SetRotationalVelocity") * kFullTurn;
  if (!std::isfinite(theta)) RaiseError(kErrOverflow);
  g.rotational_velocity = RotationalVelocity{axis, theta};
  Journal("SetRotationalVelocity",
          Arg(axis) + " " + Arg(revolutions_per_second));
}

Long NodeHandle::IKJointMode() { return group("IKJointMode").ik_joint_mode; }

void NodeHandle::SetIKJointMode(Long value) {
  group("SetIKJointMode").ik_joint_mode = value;
  Journal("SetIKJointMode", Arg(value));
}

IKJointLimits NodeHandle::GetIKJointLimits() {
  return group("GetIKJointLimits").ik_joint_limits;
}

void NodeHandle::SetIKJointLimits(const IKJointLimits& limits) {
  GroupData& g = group("SetIKJointLimits");
  for (Single v : {limits.MinX, limits.MinY, limits.MinZ, limits.MaxX,
                   limits.MaxY, limits.MaxZ}) {
    Finite(v, "SetIKJointLimits");
  }
  g.ik_joint_limits = limits;
  Journal("SetIKJointLimits", Arg(limits));
}

// Every bone value is written the same way: the node must be a bone, the
// value must be finite, and the write is journalled under its operation.
template <class T>
void NodeHandle::SetBoneValue(T GroupData::*field, const T& value,
                              const char* operation) {
  bone(operation).*field = Finite(value, operation);
  Journal(operation, Arg(value));
}

Single NodeHandle::BoneWeight() { return bone("BoneWeight").bone_weight; }
void NodeHandle::SetBoneWeight(Single value) {
  SetBoneValue(&GroupData::bone_weight, value, "SetBoneWeight");
}
Single NodeHandle::BoneOriginEffectRange() {
  return bone("BoneOriginEffectRange").bone_origin_effect_range;
}
void NodeHandle::SetBoneOriginEffectRange(Single value) {
  SetBoneValue(&GroupData::bone_origin_effect_range, value,
               "SetBoneOriginEffectRange");
}
Single NodeHandle::BoneEndEffectRange() {
  return bone("BoneEndEffectRange").bone_end_effect_range;
}
void NodeHandle::SetBoneEndEffectRange(Single value) {
  SetBoneValue(&GroupData::bone_end_effect_range, value,
               "SetBoneEndEffectRange");
}
Single NodeHandle::BoneEffectExtent() {
  return bone("BoneEffectExtent").bone_effect_extent;
}
void NodeHandle::SetBoneEffectExtent(Single value) {
  SetBoneValue(&GroupData::bone_effect_extent, value, "SetBoneEffectExtent");
}
Single NodeHandle::BoneIrregularExtent() {
  return bone("BoneIrregularExtent").bone_irregular_extent;
}
void NodeHandle::SetBoneIrregularExtent(Single value) {
  SetBoneValue(&GroupData::bone_irregular_extent, value,
               "SetBoneIrregularExtent");
}
SingleVector3 NodeHandle::BoneIrregularOffset() {
  return bone("BoneIrregularOffset").bone_irregular_offset;
}
void NodeHandle::SetBoneIrregularOffset(const SingleVector3& value) {
  SetBoneValue(&GroupData::bone_irregular_offset, value,
               "SetBoneIrregularOffset");
}
Long NodeHandle::BoneKind() { return bone("BoneKind").bone_kind; }

Long NodeHandle::SetBoneEnabled(bool enabled) {
  GroupData& b = bone("SetBoneEnabled");
  Long result = b.set_bone_enabled_result;
  // A skin that is not relaxed holds its bones as they are; without a skin a
  // bone cannot be enabled (there is nothing to deform) but can be disabled.
  bool switched =
      result != kBoneSkinNotRelaxed && (result != kBoneNoSkin || !enabled);
  if (switched) node().Set(kEnabled, enabled);
  Journal("SetBoneEnabled", Arg(enabled));
  return result;
}

// ---- Light -----------------------------------------------------------------

Long NodeHandle::LightType() { return light("LightType").light_type; }

ColourValue NodeHandle::GetColour(Single) { return light("GetColour").colour; }

void NodeHandle::SetColour(Single key, const ColourValue& colour) {
  LightData& l = light("SetColour");
  for (Single v : {colour.Red, colour.Green, colour.Blue, colour.Alpha})
    Finite(v, "SetColour");
  l.colour = colour;
  Journal("SetColour", KeyPrefix(key) + Arg(colour));
}

#define MORVEL_KEYED_LIGHT_VALUE(Name, member)                    \
  Single NodeHandle::Name(Single) { return light(#Name).member; } \
  void NodeHandle::Set##Name(Single key, Single value) {          \
    light("Set" #Name).member = Finite(value, "Set" #Name);       \
    Journal("Set" #Name, KeyPrefix(key) + Arg(value));            \
  }
MORVEL_KEYED_LIGHT_VALUE(ConstantAttenuation, constant_attenuation)
MORVEL_KEYED_LIGHT_VALUE(LinearAttenuation, linear_attenuation)
MORVEL_KEYED_LIGHT_VALUE(QuadraticAttenuation, quadratic_attenuation)
MORVEL_KEYED_LIGHT_VALUE(SpotlightRange, spotlight_range)
MORVEL_KEYED_LIGHT_VALUE(SpotlightUmbra, spotlight_umbra)
MORVEL_KEYED_LIGHT_VALUE(SpotlightPenumbra, spotlight_penumbra)
#undef MORVEL_KEYED_LIGHT_VALUE

// ---- Camera ----------------------------------------------------------------

Single NodeHandle::GetFieldOfView(Single) {
  return camera("GetFieldOfView").field_of_view;
}
void NodeHandle::SetFieldOfView(Single key, Single value) {
  camera("SetFieldOfView").field_of_view = Finite(value, "SetFieldOfView");
  Journal("SetFieldOfView", KeyPrefix(key) + Arg(value));
}
bool NodeHandle::GetFocalBlur() { return camera("GetFocalBlur").focal_blur; }
void NodeHandle::SetFocalBlur(bool value) {
  camera("SetFocalBlur").focal_blur = value;
  Journal("SetFocalBlur", Arg(value));
}
Single NodeHandle::GetFocalPoint(Single) {
  return camera("GetFocalPoint").focal_point;
}
void NodeHandle::SetFocalPoint(Single key, Single value) {
  camera("SetFocalPoint").focal_point = Finite(value, "SetFocalPoint");
  Journal("SetFocalPoint", KeyPrefix(key) + Arg(value));
}
Single NodeHandle::GetFocalAperture(Single) {
  return camera("GetFocalAperture").focal_aperture;
}
void NodeHandle::SetFocalAperture(Single key, Single value) {
  camera("SetFocalAperture").focal_aperture = Finite(value, "SetFocalAperture");
  Journal("SetFocalAperture", KeyPrefix(key) + Arg(value));
}
Long NodeHandle::GetFocalQuality() {
  return camera("GetFocalQuality").focal_quality;
}
void NodeHandle::SetFocalQuality(Long value) {
  camera("SetFocalQuality").focal_quality = value;
  Journal("SetFocalQuality", Arg(value));
}

// ---- Materials -------------------------------------------------------------

morvel::Colour PackColour(const ColourValue& c) {
  auto byte = [](Single v) -> std::uint32_t {
    double scaled = std::nearbyint(static_cast<double>(v) * 255.0);
    if (!(scaled > 0)) return 0;  // NaN too
    if (scaled > 255) return 255;
    return static_cast<std::uint32_t>(scaled);
  };
  std::uint32_t packed = byte(c.Red) | (byte(c.Green) << 8) |
                         (byte(c.Blue) << 16) | (byte(c.Alpha) << 24);
  return static_cast<morvel::Colour>(packed);
}

MaterialData& MaterialHandle::Enter(const char* operation) const {
  ShapeData& s = node_->shape(operation);
  if (index_ < 0 || static_cast<std::size_t>(index_) >= s.materials.size()) {
    RaiseError(
        kErrSubscriptOutOfRange,
        "Subscript out of range: the material was removed from the shape");
  }
  return s.materials[static_cast<std::size_t>(index_)];
}

std::string MaterialHandle::Name() const {
  return node_->node().name + ".Materials[" + std::to_string(index_) + "]";
}

morvel::Colour MaterialHandle::Colour() {
  return PackColour(Enter("Colour").colour);
}

ColourValue MaterialHandle::GetColourComponents() {
  return Enter("GetColourComponents").colour;
}

void MaterialHandle::SetColourComponents(Single red, Single green, Single blue,
                                         Single alpha) {
  MaterialData& m = Enter("SetColourComponents");
  ColourValue c{Finite(red, "SetColourComponents"),
                Finite(green, "SetColourComponents"),
                Finite(blue, "SetColourComponents"),
                Finite(alpha, "SetColourComponents")};
  m.colour = c;
  node_->state().Record("SetColourComponents", Name(), Arg(c));
}

std::shared_ptr<MaterialMaps> MaterialHandle::Maps() {
  MaterialData& m = Enter("Maps");
  if (!m.maps) return nullptr;
  return std::make_shared<MapsValue>(*m.maps, node_->anchor());
}

namespace {

std::string MapsArg(const MapsData& d) {
  std::string text = "Paths=";
  for (std::size_t i = 0; i < d.paths.size(); ++i) {
    if (i) text += ",";
    text += Arg(std::string(d.paths[i]));
  }
  return text + " MapSettingA=" + Arg(d.setting_a) +
         " MapSettingB=" + Arg(static_cast<Long>(d.setting_b)) +
         " Blend=" + Arg(d.blend);
}

}  // namespace

void MaterialHandle::SetMaps(const std::shared_ptr<MaterialMaps>& maps) {
  if (!maps) {
    Enter("SetMaps").maps.reset();
    node_->state().Record("SetMaps", Name(), "Nothing");
    return;
  }
  MapsData data;
  if (auto* value = dynamic_cast<MapsValue*>(maps.get())) {
    data = value->data();
  } else {
    // Maps made by another library: take their values.
    data.paths = SixStrings({maps->MapPath1(), maps->MapPath2(),
                             maps->MapPath3(), maps->MapPath4(),
                             maps->MapPath5(), maps->MapPath6()});
    data.setting_a = maps->MapSettingA();
    data.setting_b = maps->MapSettingB();
    data.blend = Finite(maps->Blend(), "SetMaps");
  }
  Enter("SetMaps").maps = data;
  node_->state().Record("SetMaps", Name(), MapsArg(data));
}

std::string MaterialHandle::GetFieldValue(Long index) {
  MaterialData& m = Enter("GetFieldValue");
  std::size_t count = std::max(
      m.fields.size(), node_->state().content.material_field_names.size());
  std::size_t i = FieldIndex(index, count);
  return std::string(m.fields[i]);
}

void MaterialHandle::SetFieldValue(Long index, const std::string& value) {
  MaterialData& m = Enter("SetFieldValue");
  std::size_t count = std::max(
      m.fields.size(), node_->state().content.material_field_names.size());
  std::size_t i = FieldIndex(index, count);
  m.fields.Set(i, value);
  node_->state().Record("SetFieldValue", Name(), Arg(index) + " " + Arg(value));
}

// ---- Maps ------------------------------------------------------------------

void MapsValue::Check(const char* operation) const {
  if (anchor_ && anchor_->state) anchor_->state->CheckFault(operation);
}

std::string MapsValue::MapPath1() {
  Check("MapPath1");
  return std::string(data_.paths[0]);
}
std::string MapsValue::MapPath2() {
  Check("MapPath2");
  return std::string(data_.paths[1]);
}
std::string MapsValue::MapPath3() {
  Check("MapPath3");
  return std::string(data_.paths[2]);
}
std::string MapsValue::MapPath4() {
  Check("MapPath4");
  return std::string(data_.paths[3]);
}
std::string MapsValue::MapPath5() {
  Check("MapPath5");
  return std::string(data_.paths[4]);
}
std::string MapsValue::MapPath6() {
  Check("MapPath6");
  return std::string(data_.paths[5]);
}
Long MapsValue::MapSettingA() {
  Check("MapSettingA");
  return data_.setting_a;
}
Integer MapsValue::MapSettingB() {
  Check("MapSettingB");
  return data_.setting_b;
}
Single MapsValue::Blend() {
  Check("Blend");
  return data_.blend;
}

Picture MapsValue::Thumbnail(const char* operation, int map,
                             const std::shared_ptr<PictureUtility>& pictures,
                             const std::shared_ptr<ThumbnailCache>& cache,
                             Long size) {
  Check(operation);
  Required(pictures);
  Required(cache);
  if (size <= 0) {
    RaiseError(kErrInvalidProcedureCall,
               "Invalid procedure call or argument: a thumbnail needs a size "
               "of at least one pixel");
  }
  const std::string path(data_.paths[static_cast<std::size_t>(map)]);
  if (path.empty()) return {};
  auto* memo = dynamic_cast<ThumbnailCacheHandle*>(cache.get());
  State* state = memo && memo->anchor() ? memo->anchor()->state : nullptr;
  if (state == nullptr) return pictures->LoadThumbnail(path, size);
  auto key = std::make_pair(path, size);
  auto it = state->thumbnails.find(key);
  if (it != state->thumbnails.end()) return it->second;
  Picture picture = pictures->LoadThumbnail(path, size);
  ++state->thumbnails_made;
  state->thumbnails.emplace(std::move(key), picture);
  return picture;
}

#define MORVEL_THUMBNAIL(N)                                               \
  Picture MapsValue::GetMapThumbnail##N(                                  \
      const std::shared_ptr<PictureUtility>& pictures,                    \
      const std::shared_ptr<ThumbnailCache>& cache, Long size) {          \
    return Thumbnail("GetMapThumbnail" #N, N - 1, pictures, cache, size); \
  }
MORVEL_THUMBNAIL(1)
MORVEL_THUMBNAIL(2)
MORVEL_THUMBNAIL(3)
MORVEL_THUMBNAIL(4)
MORVEL_THUMBNAIL(5)
MORVEL_THUMBNAIL(6)
#undef MORVEL_THUMBNAIL

std::shared_ptr<MaterialMaps> MapBuilderHandle::CreateMaps(
    const std::string& map1, Long setting_a, Integer setting_b,
    const std::string& map3, const std::string& map2, Long blend,
    const std::string& map4, const std::string& map5, const std::string& map6,
    const std::string&) {
  Live(anchor_).CheckFault("CreateMaps");
  MapsData data;
  // The grid shows the share of the material's own colour; the maps keep
  // the share of the textures, as a fraction.
  data.blend = TexturesShare(blend);
  data.paths = SixStrings({map1, map2, map3, map4, map5, map6});
  data.setting_a = setting_a;
  data.setting_b = setting_b;
  return std::make_shared<MapsValue>(std::move(data), anchor_);
}

// ---- Scene -----------------------------------------------------------------

State& SceneHandle::Enter(const char* operation) const {
  State& s = Live(anchor_);
  s.CheckFault(operation);
  return s;
}

Long SceneHandle::SelectionList() {
  return Enter("SelectionList").selection_handle();
}
Long SceneHandle::EditMode() { return Enter("EditMode").content.edit_mode; }
Long SceneHandle::DialogOwner() {
  return Enter("DialogOwner").content.dialog_owner;
}
std::string SceneHandle::ApplicationRegistryKey() {
  return Enter("ApplicationRegistryKey").content.application_registry_key;
}

std::shared_ptr<morvel::Hierarchy> SceneHandle::Hierarchy() {
  State& s = Enter("Hierarchy");
  if (!s.hierarchy_object)
    s.hierarchy_object = std::make_shared<HierarchyHandle>(anchor_);
  return std::static_pointer_cast<HierarchyHandle>(s.hierarchy_object);
}

std::shared_ptr<morvel::MapBuilder> SceneHandle::MapBuilder() {
  State& s = Enter("MapBuilder");
  if (!s.map_builder_object) {
    s.map_builder_object = std::make_shared<MapBuilderHandle>(anchor_);
  }
  return std::static_pointer_cast<MapBuilderHandle>(s.map_builder_object);
}

std::shared_ptr<morvel::ThumbnailCache> SceneHandle::ThumbnailCache() {
  State& s = Enter("ThumbnailCache");
  if (!s.thumbnail_cache_object) {
    s.thumbnail_cache_object = std::make_shared<ThumbnailCacheHandle>(anchor_);
  }
  return std::static_pointer_cast<ThumbnailCacheHandle>(
      s.thumbnail_cache_object);
}

std::vector<std::string> SceneHandle::CustomShapeFieldNames() {
  return Enter("CustomShapeFieldNames").content.custom_shape_field_names;
}
std::vector<std::string> SceneHandle::CustomGroupFieldNames() {
  return Enter("CustomGroupFieldNames").content.custom_group_field_names;
}
std::vector<std::string> SceneHandle::MaterialFieldNames() {
  return Enter("MaterialFieldNames").content.material_field_names;
}

// ---- Casts -----------------------------------------------------------------

NodeHandle& AsNode(const std::shared_ptr<SceneNode>& node) {
  Required(node);
  auto* handle = dynamic_cast<NodeHandle*>(node.get());
  if (handle == nullptr) {
    RaiseError(kErrTypeMismatch,
               "Type mismatch: the node belongs to another scene library");
  }
  return *handle;
}

MaterialHandle& AsMaterial(const std::shared_ptr<Material>& material) {
  Required(material);
  auto* handle = dynamic_cast<MaterialHandle*>(material.get());
  if (handle == nullptr) {
    RaiseError(kErrTypeMismatch,
               "Type mismatch: the material belongs to another scene library");
  }
  return *handle;
}

}  // namespace morvel::mem

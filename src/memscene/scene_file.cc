#include "memscene/scene_file.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "base/error.h"
#include "memscene/json_reader.h"
#include "memscene/rotation.h"

namespace morvel::mem {
namespace {

using json = nlohmann::json;
using ojson = nlohmann::ordered_json;

// What a value looked like, for messages: short, on one line.
std::string Shown(const JsonValue& value) { return value.Compact(40); }

// "Key[i]", for a message about one element of a list.
std::string ElementKey(std::string_view key, std::size_t i) {
  return std::string(key) + "[" + std::to_string(i) + "]";
}

// Reads one part of a scene file; every failure names the file, the node (or
// the scene) and the key. The place is put into words only when something
// fails: a million good nodes cost no message text.
class Reader {
 public:
  static Reader Scene(const std::string& origin) {
    return Reader(origin, Place::kScene, 0, {});
  }
  static Reader NodeAt(const std::string& origin, std::size_t index) {
    return Reader(origin, Place::kNodeAt, index, {});
  }
  static Reader Node(const std::string& origin, std::string_view name) {
    return Reader(origin, Place::kNode, 0, name);
  }

  [[noreturn]] void Fail(std::string_view key,
                         const std::string& problem) const {
    std::string text = "Invalid file format: " + origin_ + ": ";
    switch (place_) {
      case Place::kScene:
        text += "the scene";
        break;
      case Place::kNodeAt:
        text += "nodes[" + std::to_string(index_) + "]";
        break;
      case Place::kNode:
        text += "node \"" + Excerpt(name_) + "\"";
        break;
    }
    if (!key.empty()) text += ": key \"" + Excerpt(key) + "\"";
    RaiseError(kErrInvalidFileFormat, text + ": " + problem);
  }

  [[noreturn]] void Expected(std::string_view key, const char* what,
                             const JsonValue& got) const {
    Fail(key, std::string("expected ") + what + ", got " + Shown(got));
  }

  Single ToSingle(std::string_view key, const JsonValue& v) const {
    if (!v.IsNumber()) Expected(key, "a number", v);
    double d = v.Number();
    if (std::fabs(d) > std::numeric_limits<Single>::max()) {
      Fail(key, "the number " + Shown(v) + " is too large");
    }
    return static_cast<Single>(d);
  }

  Long ToLong(std::string_view key, const JsonValue& v,
              double lo = -2147483648.0, double hi = 2147483647.0,
              const char* what = "a whole number") const {
    if (!v.IsNumber()) Expected(key, what, v);
    double d = v.Number();
    if (v.IsWholeText()) {
      // Exactly, in 64 bits: a Double would round 2^53 + 1.
      std::string_view t = v.Text();
      std::int64_t i = 0;
      auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), i);
      (void)end;
      d = error == std::errc() ? static_cast<double>(i)
                               : (t[0] == '-' ? -1e300 : 1e300);
    } else if (std::floor(d) != d) {
      Expected(key, what, v);
    }
    if (d < lo || d > hi) {
      // A key with its own range says which values it takes.
      if (std::string_view(what) != "a whole number") Expected(key, what, v);
      Fail(key, "the number " + Shown(v) + " is out of range");
    }
    return static_cast<Long>(d);
  }

  bool ToBool(std::string_view key, const JsonValue& v) const {
    if (!v.IsBool()) Expected(key, "true or false", v);
    return v.Bool();
  }

  std::string ToString(std::string_view key, const JsonValue& v) const {
    if (!v.IsString()) Expected(key, "a string", v);
    return std::string(v.Text());
  }

  template <std::size_t N>
  std::array<Single, N> ToSingles(std::string_view key, const JsonValue& v,
                                  std::size_t at_least,
                                  const char* what) const {
    if (!v.IsArray() || v.Size() < at_least || v.Size() > N)
      Expected(key, what, v);
    std::array<Single, N> out{};
    std::size_t i = 0;
    for (JsonValue element : v) {
      if (!element.IsNumber()) Expected(key, what, v);
      double d = element.Number();
      if (std::fabs(d) > std::numeric_limits<Single>::max())
        ToSingle(ElementKey(key, i), element);  // raises, naming the element
      out[i++] = static_cast<Single>(d);
    }
    return out;
  }

  SingleVector3 ToVector(std::string_view key, const JsonValue& v) const {
    auto s = ToSingles<3>(key, v, 3, "an array of 3 numbers");
    return {s[0], s[1], s[2]};
  }

  LongVector3 ToLongVector(std::string_view key, const JsonValue& v) const {
    const char* what = "an array of 3 whole numbers";
    if (!v.IsArray() || v.Size() != 3) Expected(key, what, v);
    std::array<Long, 3> out{};
    std::size_t i = 0;
    for (JsonValue element : v) {
      out[i] = ToLong(ElementKey(key, i), element);
      ++i;
    }
    return {out[0], out[1], out[2]};
  }

  ColourValue ToColour(std::string_view key, const JsonValue& v) const {
    auto s = ToSingles<4>(
        key, v, 3, "an array of 3 or 4 numbers (red, green, blue, alpha)");
    return {s[0], s[1], s[2], v.Size() == 4 ? s[3] : 1.0f};
  }

  std::vector<std::string> ToStrings(std::string_view key, const JsonValue& v,
                                     std::size_t most) const {
    if (!v.IsArray()) Expected(key, "an array of strings", v);
    if (v.Size() > most) {
      Fail(key, "at most " + std::to_string(most) + " entries, got " +
                    std::to_string(v.Size()));
    }
    std::vector<std::string> out;
    out.reserve(v.Size());
    for (JsonValue element : v) {
      if (!element.IsString())
        Expected(ElementKey(key, out.size()), "a string", element);
      out.emplace_back(element.Text());
    }
    return out;
  }

  SixStrings ToSixStrings(std::string_view key, const JsonValue& v) const {
    SixStrings out;
    auto strings = ToStrings(key, v, 6);
    for (std::size_t i = 0; i < strings.size(); ++i)
      out[i] = std::move(strings[i]);
    return out;
  }

  // Refuses keys that are not in `allowed`: a misspelt key would otherwise
  // be dropped without a word.
  void OnlyKeys(
      const std::string& prefix, const JsonValue& object, const char* what,
      std::initializer_list<std::initializer_list<const char*>> allowed) const {
    for (auto it = object.begin(); it != object.end(); ++it) {
      bool known = false;
      for (auto list : allowed) {
        for (const char* name : list) known = known || it.Key() == name;
      }
      if (!known) {
        Fail(prefix + std::string(it.Key()),
             std::string("not a key of ") + what);
      }
    }
  }

 private:
  enum class Place { kScene, kNodeAt, kNode };
  Reader(const std::string& origin, Place place, std::size_t index,
         std::string_view name)
      : origin_(origin), place_(place), index_(index), name_(name) {}

  const std::string& origin_;
  Place place_;
  std::size_t index_;
  std::string_view name_;
};

constexpr std::initializer_list<const char*> kNodeKeys = {"name", "kind",
                                                          "parent", "Hidden"};
constexpr std::initializer_list<const char*> kShapeKeys = {"Locked",
                                                           "CastsShadows",
                                                           "DrawStyle",
                                                           "DisplayAsBox",
                                                           "DrawPoints",
                                                           "DrawNormals",
                                                           "DrawTranslucent",
                                                           "ShapeKind",
                                                           "SourceCaption",
                                                           "SourceDetail",
                                                           "Clones",
                                                           "CreasingFactor",
                                                           "SmoothingLevel",
                                                           "SmoothingTension",
                                                           "SmoothingCondition",
                                                           "SmoothAngle",
                                                           "IndexOfRefraction",
                                                           "MirrorAxis",
                                                           "CustomFields",
                                                           "Materials"};
constexpr std::initializer_list<const char*> kGroupKeys = {
    "Position",    "Orientation",   "RotationalVelocity",
    "IKJointMode", "IKJointLimits", "CustomFields"};
constexpr std::initializer_list<const char*> kBoneKeys = {
    "BoneWeight",
    "BoneOriginEffectRange",
    "BoneEndEffectRange",
    "BoneEffectExtent",
    "BoneIrregularExtent",
    "BoneIrregularOffset",
    "BoneKind",
    "Enabled",
    "SetBoneEnabledResult"};
constexpr std::initializer_list<const char*> kLightKeys = {
    "LightType",
    "Colour",
    "ConstantAttenuation",
    "LinearAttenuation",
    "QuadraticAttenuation",
    "SpotlightRange",
    "SpotlightUmbra",
    "SpotlightPenumbra",
    "CastsShadows"};
constexpr std::initializer_list<const char*> kCameraKeys = {
    "FieldOfView", "FocalBlur", "FocalPoint", "FocalAperture", "FocalQuality"};
constexpr std::initializer_list<const char*> kSceneKeys = {
    "ApplicationRegistryKey",
    "EditMode",
    "DialogOwner",
    "CustomShapeFieldNames",
    "CustomGroupFieldNames",
    "MaterialFieldNames",
    "selection",
    "nodes"};

// Calls `read` with the value of `key` when the object has it.
template <class F>
void With(const JsonValue& object, const char* key, F read) {
  if (auto found = object.Find(key)) read(key, *found);
}

void ReadOrientation(const Reader& r, const JsonValue& v, Orientation& o) {
  if (!v.IsObject())
    r.Expected("Orientation", "an object with Forward and Up", v);
  r.OnlyKeys("Orientation.", v, "an orientation", {{"Forward", "Up"}});
  With(v, "Forward", [&](auto, auto& x) {
    o.Forward = r.ToVector("Orientation.Forward", x);
  });
  With(v, "Up", [&](auto, auto& x) { o.Up = r.ToVector("Orientation.Up", x); });
  try {
    FromOrientation(o.Forward, o.Up);
  } catch (const Error&) {
    r.Fail("Orientation", "Forward and Up must be non-zero and not parallel");
  }
}

void ReadMaterial(const Reader& r, const std::string& prefix,
                  const JsonValue& v, MaterialData& m) {
  if (!v.IsObject()) r.Expected(prefix, "a material object", v);
  r.OnlyKeys(prefix + ".", v, "a material",
             {{"Colour", "Diffuse", "Ambient", "Specular", "Fields", "Maps"}});
  With(v, "Colour",
       [&](auto k, auto& x) { m.colour = r.ToColour(prefix + "." + k, x); });
  With(v, "Diffuse",
       [&](auto k, auto& x) { m.diffuse = r.ToLong(prefix + "." + k, x); });
  With(v, "Ambient",
       [&](auto k, auto& x) { m.ambient = r.ToLong(prefix + "." + k, x); });
  With(v, "Specular",
       [&](auto k, auto& x) { m.specular = r.ToLong(prefix + "." + k, x); });
  With(v, "Fields", [&](auto k, auto& x) {
    m.fields = r.ToStrings(prefix + "." + k, x, kMaxJsonArray);
  });
  With(v, "Maps", [&](auto k, auto& x) {
    std::string key = prefix + "." + k;
    if (!x.IsObject()) r.Expected(key, "a maps object", x);
    r.OnlyKeys(key + ".", x, "the maps of a material",
               {{"Paths", "MapSettingA", "MapSettingB", "Blend"}});
    MapsData d;
    With(x, "Paths",
         [&](auto p, auto& y) { d.paths = r.ToSixStrings(key + "." + p, y); });
    With(x, "MapSettingA",
         [&](auto p, auto& y) { d.setting_a = r.ToLong(key + "." + p, y); });
    With(x, "MapSettingB", [&](auto p, auto& y) {
      d.setting_b =
          static_cast<Integer>(r.ToLong(key + "." + p, y, -32768, 32767,
                                        "a whole number from -32768 to 32767"));
    });
    With(x, "Blend",
         [&](auto p, auto& y) { d.blend = r.ToSingle(key + "." + p, y); });
    m.maps = d;
  });
}

void ReadShape(const Reader& r, const JsonValue& v, NodeData& n, ShapeData& s) {
  With(v, "Locked", [&](auto k, auto& x) { n.Set(kLocked, r.ToBool(k, x)); });
  With(v, "CastsShadows",
       [&](auto k, auto& x) { n.Set(kCastsShadows, r.ToBool(k, x)); });
  With(v, "DrawStyle", [&](auto k, auto& x) { n.draw_style = r.ToLong(k, x); });
  With(v, "DisplayAsBox",
       [&](auto k, auto& x) { n.display_as_box = r.ToLong(k, x); });
  With(v, "DrawPoints",
       [&](auto k, auto& x) { n.Set(kDrawPoints, r.ToBool(k, x)); });
  With(v, "DrawNormals",
       [&](auto k, auto& x) { n.Set(kDrawNormals, r.ToBool(k, x)); });
  With(v, "DrawTranslucent",
       [&](auto k, auto& x) { n.Set(kDrawTranslucent, r.ToBool(k, x)); });
  With(v, "ShapeKind", [&](auto k, auto& x) { s.shape_kind = r.ToLong(k, x); });
  With(v, "SourceCaption",
       [&](auto k, auto& x) { s.source.Mutable().caption = r.ToString(k, x); });
  With(v, "SourceDetail",
       [&](auto k, auto& x) { s.source.Mutable().detail = r.ToString(k, x); });
  With(v, "Clones", [&](auto k, auto& x) {
    if (!x.IsObject())
      r.Expected(k, "an object with Counts, Offsets and Rotations", x);
    r.OnlyKeys("Clones.", x, "the clones",
               {{"Counts", "Offsets", "Rotations"}});
    Clones& clones = s.clones.Mutable();
    With(x, "Counts", [&](auto, auto& y) {
      clones.Counts = r.ToLongVector("Clones.Counts", y);
    });
    With(x, "Offsets", [&](auto, auto& y) {
      clones.Offsets = r.ToVector("Clones.Offsets", y);
    });
    With(x, "Rotations", [&](auto, auto& y) {
      clones.Rotations = r.ToVector("Clones.Rotations", y);
    });
  });
  With(v, "CreasingFactor",
       [&](auto k, auto& x) { s.creasing_factor = r.ToSingle(k, x); });
  With(v, "SmoothingLevel",
       [&](auto k, auto& x) { s.smoothing_level = r.ToLong(k, x); });
  With(v, "SmoothingTension",
       [&](auto k, auto& x) { s.smoothing_tension = r.ToSingle(k, x); });
  With(v, "SmoothingCondition",
       [&](auto k, auto& x) { s.smoothing_condition = r.ToLong(k, x); });
  With(v, "SmoothAngle",
       [&](auto k, auto& x) { s.smooth_angle = r.ToSingle(k, x); });
  With(v, "IndexOfRefraction",
       [&](auto k, auto& x) { s.index_of_refraction = r.ToSingle(k, x); });
  With(v, "MirrorAxis",
       [&](auto k, auto& x) { s.mirror_axis = r.ToLong(k, x); });
  With(v, "CustomFields", [&](auto k, auto& x) {
    s.custom_fields.Mutable() = r.ToSixStrings(k, x);
  });
  With(v, "Materials", [&](auto k, auto& x) {
    if (!x.IsArray()) r.Expected(k, "an array of materials", x);
    s.materials.resize(x.Size());
    std::size_t i = 0;
    for (JsonValue material : x) {
      ReadMaterial(r, "Materials[" + std::to_string(i) + "]", material,
                   s.materials[i]);
      ++i;
    }
  });
}

void ReadGroup(const Reader& r, const JsonValue& v, NodeData& n, GroupData& g) {
  With(v, "Position", [&](auto k, auto& x) { g.position = r.ToVector(k, x); });
  With(v, "Orientation",
       [&](auto, auto& x) { ReadOrientation(r, x, g.orientation); });
  With(v, "RotationalVelocity", [&](auto k, auto& x) {
    if (!x.IsObject()) r.Expected(k, "an object with Axis and Theta", x);
    r.OnlyKeys("RotationalVelocity.", x, "a rotational velocity",
               {{"Axis", "Theta"}});
    With(x, "Axis", [&](auto, auto& y) {
      g.rotational_velocity.Axis = r.ToVector("RotationalVelocity.Axis", y);
    });
    With(x, "Theta", [&](auto, auto& y) {
      g.rotational_velocity.Theta = r.ToSingle("RotationalVelocity.Theta", y);
    });
  });
  With(v, "IKJointMode",
       [&](auto k, auto& x) { g.ik_joint_mode = r.ToLong(k, x); });
  With(v, "IKJointLimits", [&](auto k, auto& x) {
    auto s = r.ToSingles<6>(
        k, x, 6, "an array of 6 numbers (MinX, MinY, MinZ, MaxX, MaxY, MaxZ)");
    g.ik_joint_limits = {s[0], s[1], s[2], s[3], s[4], s[5]};
  });
  With(v, "CustomFields", [&](auto k, auto& x) {
    g.custom_fields.Mutable() = r.ToSixStrings(k, x);
  });
  if (n.kind != kNodeTypeBone) return;
  With(v, "BoneWeight",
       [&](auto k, auto& x) { g.bone_weight = r.ToSingle(k, x); });
  With(v, "BoneOriginEffectRange",
       [&](auto k, auto& x) { g.bone_origin_effect_range = r.ToSingle(k, x); });
  With(v, "BoneEndEffectRange",
       [&](auto k, auto& x) { g.bone_end_effect_range = r.ToSingle(k, x); });
  With(v, "BoneEffectExtent",
       [&](auto k, auto& x) { g.bone_effect_extent = r.ToSingle(k, x); });
  With(v, "BoneIrregularExtent",
       [&](auto k, auto& x) { g.bone_irregular_extent = r.ToSingle(k, x); });
  With(v, "BoneIrregularOffset",
       [&](auto k, auto& x) { g.bone_irregular_offset = r.ToVector(k, x); });
  With(v, "BoneKind", [&](auto k, auto& x) { g.bone_kind = r.ToLong(k, x); });
  With(v, "Enabled", [&](auto k, auto& x) { n.Set(kEnabled, r.ToBool(k, x)); });
  With(v, "SetBoneEnabledResult",
       [&](auto k, auto& x) { g.set_bone_enabled_result = r.ToLong(k, x); });
}

void ReadLight(const Reader& r, const JsonValue& v, NodeData& n, LightData& l) {
  With(v, "LightType", [&](auto k, auto& x) {
    l.light_type = r.ToLong(
        k, x, 0, 3, "0 (ambient), 1 (directional), 2 (spot) or 3 (point)");
  });
  With(v, "Colour", [&](auto k, auto& x) { l.colour = r.ToColour(k, x); });
  With(v, "ConstantAttenuation",
       [&](auto k, auto& x) { l.constant_attenuation = r.ToSingle(k, x); });
  With(v, "LinearAttenuation",
       [&](auto k, auto& x) { l.linear_attenuation = r.ToSingle(k, x); });
  With(v, "QuadraticAttenuation",
       [&](auto k, auto& x) { l.quadratic_attenuation = r.ToSingle(k, x); });
  With(v, "SpotlightRange",
       [&](auto k, auto& x) { l.spotlight_range = r.ToSingle(k, x); });
  With(v, "SpotlightUmbra",
       [&](auto k, auto& x) { l.spotlight_umbra = r.ToSingle(k, x); });
  With(v, "SpotlightPenumbra",
       [&](auto k, auto& x) { l.spotlight_penumbra = r.ToSingle(k, x); });
  With(v, "CastsShadows",
       [&](auto k, auto& x) { n.Set(kCastsShadows, r.ToBool(k, x)); });
}

void ReadCamera(const Reader& r, const JsonValue& v, CameraData& c) {
  With(v, "FieldOfView",
       [&](auto k, auto& x) { c.field_of_view = r.ToSingle(k, x); });
  With(v, "FocalBlur", [&](auto k, auto& x) { c.focal_blur = r.ToBool(k, x); });
  With(v, "FocalPoint",
       [&](auto k, auto& x) { c.focal_point = r.ToSingle(k, x); });
  With(v, "FocalAperture",
       [&](auto k, auto& x) { c.focal_aperture = r.ToSingle(k, x); });
  With(v, "FocalQuality",
       [&](auto k, auto& x) { c.focal_quality = r.ToLong(k, x); });
}

// Builds a scene node by node, as the reader hands them over: a big file is
// never held whole. Parents and the selection are resolved at the end, so
// either may name nodes that come later in the file.
class SceneBuilder {
 public:
  explicit SceneBuilder(const std::string& origin) : origin_(origin) {}

  void AddNode(const JsonValue& v) {
    std::size_t i = content_.nodes.size();
    Reader at = Reader::NodeAt(origin_, i);
    if (!v.IsObject()) at.Fail("", "expected a node object, got " + Shown(v));
    auto name_value = v.Find("name");
    if (!name_value) at.Fail("name", "missing: every node needs a name");
    if (!name_value->IsString()) at.Expected("name", "a string", *name_value);
    std::string_view name = name_value->Text();
    if (name.empty()) at.Fail("name", "a node's name must not be empty");
    Reader r = Reader::Node(origin_, name);
    auto kind_value = v.Find("kind");
    if (!kind_value) r.Fail("kind", "missing: every node needs a kind");
    if (!kind_value->IsString()) r.Expected("kind", "a string", *kind_value);
    Long kind = KindFromName(kind_value->Text());
    if (kind == 0) {
      r.Fail("kind", "unknown kind " + Shown(*kind_value) +
                         " (expected group, shape, bone, camera or light)");
    }
    switch (kind) {
      case kNodeTypeShape:
        r.OnlyKeys("", v, "a shape", {kNodeKeys, kShapeKeys});
        break;
      case kNodeTypeGroup:
        r.OnlyKeys("", v, "a group", {kNodeKeys, kGroupKeys});
        break;
      case kNodeTypeBone:
        r.OnlyKeys("", v, "a bone", {kNodeKeys, kGroupKeys, kBoneKeys});
        break;
      case kNodeTypeLight:
        r.OnlyKeys("", v, "a light", {kNodeKeys, kLightKeys});
        break;
      case kNodeTypeCamera:
        r.OnlyKeys("", v, "a camera", {kNodeKeys, kCameraKeys});
        break;
    }
    std::int32_t other = -1;
    if (content_.AddNode(std::string(name), kind, -1, &other) < 0) {
      r.Fail("name", "there is another node with this name (nodes[" +
                         std::to_string(other) + "])");
    }
    NodeData& n = content_.nodes.back();
    With(v, "parent", [&](auto k, auto& x) {
      if (!x.IsString()) r.Expected(k, "a string", x);
      parents_.emplace_back(static_cast<std::int32_t>(i),
                            std::string(x.Text()));
    });
    With(v, "Hidden", [&](auto k, auto& x) { n.Set(kHidden, r.ToBool(k, x)); });
    auto ext = static_cast<std::size_t>(n.ext);
    switch (kind) {
      case kNodeTypeShape:
        ReadShape(r, v, n, content_.shapes[ext]);
        break;
      case kNodeTypeGroup:
      case kNodeTypeBone:
        ReadGroup(r, v, n, content_.groups[ext]);
        break;
      case kNodeTypeLight:
        ReadLight(r, v, n, content_.lights[ext]);
        break;
      case kNodeTypeCamera:
        ReadCamera(r, v, content_.cameras[ext]);
        break;
    }
  }

  // A scene key other than "nodes" and "selection".
  void SceneKey(std::string_view key, const JsonValue& x) {
    Reader scene = Reader::Scene(origin_);
    if (key == "ApplicationRegistryKey") {
      content_.application_registry_key = scene.ToString(key, x);
    } else if (key == "EditMode") {
      content_.edit_mode = scene.ToLong(key, x);
    } else if (key == "DialogOwner") {
      content_.dialog_owner = scene.ToLong(key, x);
    } else if (key == "CustomShapeFieldNames") {
      content_.custom_shape_field_names =
          scene.ToStrings(key, x, kMaxJsonArray);
    } else if (key == "CustomGroupFieldNames") {
      content_.custom_group_field_names =
          scene.ToStrings(key, x, kMaxJsonArray);
    } else if (key == "MaterialFieldNames") {
      content_.material_field_names = scene.ToStrings(key, x, kMaxJsonArray);
    }
  }

  // The names are kept packed, one after the other, until the nodes are
  // known: a selection of a million nodes costs a few bytes each.
  void AddSelected(const JsonValue& x) {
    if (!x.IsString()) {
      Reader::Scene(origin_).Expected(
          ElementKey("selection", selection_ends_.size()), "a node name", x);
    }
    selection_text_ += x.Text();
    // The file is at most 1 GiB, so every offset fits.
    selection_ends_.push_back(
        static_cast<std::uint32_t>(selection_text_.size()));
  }

  SceneContent Finish() {
    for (const auto& [index, parent] : parents_) {
      NodeData& n = content_.nodes[static_cast<std::size_t>(index)];
      Reader r = Reader::Node(origin_, n.name);
      std::int32_t p = content_.Find(parent);
      if (p < 0) r.Fail("parent", "\"" + Excerpt(parent) + "\" names no node");
      Long parent_kind = content_.nodes[static_cast<std::size_t>(p)].kind;
      if (parent_kind != kNodeTypeGroup && parent_kind != kNodeTypeBone) {
        r.Fail("parent", "\"" + Excerpt(parent) + "\" is a " +
                             KindName(parent_kind) +
                             "; only groups and bones have children");
      }
      n.parent = p;
    }
    RefuseLoops();

    Reader scene = Reader::Scene(origin_);
    std::vector<bool> seen(content_.nodes.size(), false);
    content_.selection.reserve(selection_ends_.size());
    std::size_t start = 0;
    for (std::size_t i = 0; i < selection_ends_.size(); ++i) {
      std::string_view name = std::string_view(selection_text_)
                                  .substr(start, selection_ends_[i] - start);
      start = selection_ends_[i];
      std::int32_t index = content_.Find(name);
      if (index < 0) {
        scene.Fail(ElementKey("selection", i),
                   "\"" + Excerpt(name) + "\" names no node");
      }
      if (seen[static_cast<std::size_t>(index)]) {
        scene.Fail(ElementKey("selection", i),
                   "\"" + Excerpt(name) + "\" is selected twice");
      }
      seen[static_cast<std::size_t>(index)] = true;
      content_.selection.push_back(index);
    }
    return std::move(content_);
  }

 private:
  // A node may not be its own ancestor. Colour the nodes: 1 on the path
  // being walked, 2 known to reach the top.
  void RefuseLoops() const {
    std::vector<std::uint8_t> mark(content_.nodes.size(), 0);
    std::vector<std::int32_t> path;
    for (std::size_t start = 0; start < content_.nodes.size(); ++start) {
      path.clear();
      std::int32_t i = static_cast<std::int32_t>(start);
      while (i >= 0 && mark[static_cast<std::size_t>(i)] == 0) {
        mark[static_cast<std::size_t>(i)] = 1;
        path.push_back(i);
        i = content_.nodes[static_cast<std::size_t>(i)].parent;
      }
      if (i >= 0 && mark[static_cast<std::size_t>(i)] == 1) {
        Reader::Node(origin_, content_.nodes[static_cast<std::size_t>(i)].name)
            .Fail("parent", "the node would be its own ancestor");
      }
      for (std::int32_t p : path) mark[static_cast<std::size_t>(p)] = 2;
    }
  }

  const std::string& origin_;
  SceneContent content_;
  std::vector<std::pair<std::int32_t, std::string>> parents_;
  std::string selection_text_;
  std::vector<std::uint32_t> selection_ends_;
};

// The scene object: its keys one by one, "nodes" and "selection" element by
// element, so that only one node is ever held as parsed JSON.
SceneContent ReadSceneFrom(JsonReader& in, const std::string& origin) {
  SceneBuilder builder(origin);
  Reader scene = Reader::Scene(origin);
  JsonTree tree;
  if (in.Peek() != '{') {
    in.ReadValue(tree, 1);
    scene.Expected("", "a JSON object", JsonValue(tree, 0));
  }
  in.BeginObject(1);
  std::string key;
  std::vector<std::string> seen;
  while (in.NextKey(key)) {
    bool known = false;
    for (const char* name : kSceneKeys) known = known || key == name;
    if (!known) scene.Fail(key, "not a key of a scene");
    for (const std::string& before : seen) {
      if (before == key) scene.Fail(key, "the key appears twice");
    }
    seen.push_back(key);
    bool nodes = key == "nodes";
    if (nodes || key == "selection") {
      if (in.Peek() != '[') {
        in.ReadValue(tree, 2);
        scene.Expected(key,
                       nodes ? "an array of nodes" : "an array of node names",
                       JsonValue(tree, 0));
      }
      in.BeginArray(2);
      while (in.NextElement()) {
        in.ReadValue(tree, 3);
        if (nodes) {
          builder.AddNode(JsonValue(tree, 0));
        } else {
          builder.AddSelected(JsonValue(tree, 0));
        }
      }
    } else {
      in.ReadValue(tree, 2);
      builder.SceneKey(key, JsonValue(tree, 0));
    }
  }
  in.ExpectEnd();
  return builder.Finish();
}

}  // namespace

SceneContent ReadScene(const json& file, const std::string& origin) {
  // A snapshot is checked exactly as a file is: through its text.
  return ReadSceneText(
      file.dump(-1, ' ', false, json::error_handler_t::replace), origin);
}

SceneContent ReadSceneText(std::string_view text, const std::string& origin) {
  JsonReader in(text, origin);
  return ReadSceneFrom(in, origin);
}

SceneContent ReadSceneFile(std::FILE* file, const std::string& origin) {
  JsonReader in(file, origin);
  return ReadSceneFrom(in, origin);
}

ojson SingleJson(Single value) {
  std::string text = ShortestText(value);
  double d = 0;
  std::from_chars(text.data(), text.data() + text.size(), d);
  if (d == std::floor(d) && std::fabs(d) < 1e15)
    return ojson(static_cast<std::int64_t>(d));
  return ojson(d);
}

namespace {

ojson VectorJson(const SingleVector3& v) {
  return ojson::array({SingleJson(v.X), SingleJson(v.Y), SingleJson(v.Z)});
}

ojson StringsJson(const std::vector<std::string>& strings) {
  ojson out = ojson::array();
  for (const auto& s : strings) out.push_back(s);
  return out;
}

ojson SixJson(const std::array<std::string, 6>& strings) {
  return StringsJson(std::vector<std::string>(strings.begin(), strings.end()));
}

ojson ColourJson(const ColourValue& c) {
  return ojson::array({SingleJson(c.Red), SingleJson(c.Green),
                       SingleJson(c.Blue), SingleJson(c.Alpha)});
}

ojson MaterialJson(const MaterialData& m, bool omit) {
  static const MaterialData kDefault;
  ojson out = ojson::object();
  if (!omit || m.colour != kDefault.colour)
    out["Colour"] = ColourJson(m.colour);
  if (!omit || m.diffuse != kDefault.diffuse) out["Diffuse"] = m.diffuse;
  if (!omit || m.ambient != kDefault.ambient) out["Ambient"] = m.ambient;
  if (!omit || m.specular != kDefault.specular) out["Specular"] = m.specular;
  if (!omit || !m.fields.empty()) out["Fields"] = StringsJson(m.fields);
  if (m.maps) {
    out["Maps"] = {{"Paths", SixJson(m.maps->paths)},
                   {"MapSettingA", m.maps->setting_a},
                   {"MapSettingB", m.maps->setting_b},
                   {"Blend", SingleJson(m.maps->blend)}};
  }
  return out;
}

}  // namespace

ojson WriteNode(const SceneContent& content, std::int32_t index, bool omit) {
  const NodeData& n = content.nodes[static_cast<std::size_t>(index)];
  static const NodeData kNode;
  ojson out = ojson::object();
  out["name"] = n.name;
  out["kind"] = KindName(n.kind);
  if (n.parent >= 0)
    out["parent"] = content.nodes[static_cast<std::size_t>(n.parent)].name;
  auto flag = [&](const char* key, NodeFlag f) {
    if (!omit || n.Has(f) != kNode.Has(f)) out[key] = n.Has(f);
  };
  flag("Hidden", kHidden);
  auto ext = static_cast<std::size_t>(n.ext);
  // Writes `value` unless it is the default and defaults are left out.
  auto put = [&](const char* key, const auto& value, const auto& neutral,
                 auto&& as_json) {
    if (!omit || !(value == neutral)) out[key] = as_json(value);
  };
  auto plain = [](const auto& v) { return ojson(v); };
  auto single = [](Single v) { return SingleJson(v); };
  switch (n.kind) {
    case kNodeTypeShape: {
      static const ShapeData kShape;
      const ShapeData& s = content.shapes[ext];
      flag("Locked", kLocked);
      flag("CastsShadows", kCastsShadows);
      put("DrawStyle", n.draw_style, kNode.draw_style, plain);
      put("DisplayAsBox", n.display_as_box, kNode.display_as_box, plain);
      flag("DrawPoints", kDrawPoints);
      flag("DrawNormals", kDrawNormals);
      flag("DrawTranslucent", kDrawTranslucent);
      put("ShapeKind", s.shape_kind, kShape.shape_kind, plain);
      const ShapeSource& source = s.source.get();
      if (!omit || source.caption)
        out["SourceCaption"] = source.caption.value_or(n.name);
      put("SourceDetail", source.detail, std::string(), plain);
      const Clones& clones = s.clones.get();
      if (!omit || !(clones == Lazy<Clones>::Default())) {
        out["Clones"] = {
            {"Counts", {clones.Counts.X, clones.Counts.Y, clones.Counts.Z}},
            {"Offsets", VectorJson(clones.Offsets)},
            {"Rotations", VectorJson(clones.Rotations)}};
      }
      put("CreasingFactor", s.creasing_factor, kShape.creasing_factor, single);
      put("SmoothingLevel", s.smoothing_level, kShape.smoothing_level, plain);
      put("SmoothingTension", s.smoothing_tension, kShape.smoothing_tension,
          single);
      put("SmoothingCondition", s.smoothing_condition,
          kShape.smoothing_condition, plain);
      put("SmoothAngle", s.smooth_angle, kShape.smooth_angle, single);
      put("IndexOfRefraction", s.index_of_refraction,
          kShape.index_of_refraction, single);
      put("MirrorAxis", s.mirror_axis, kShape.mirror_axis, plain);
      put("CustomFields", s.custom_fields.get(), Lazy<SixStrings>::Default(),
          SixJson);
      if (!omit || !s.materials.empty()) {
        ojson materials = ojson::array();
        for (const MaterialData& m : s.materials)
          materials.push_back(MaterialJson(m, omit));
        out["Materials"] = std::move(materials);
      }
      break;
    }
    case kNodeTypeGroup:
    case kNodeTypeBone: {
      static const GroupData kGroup;
      const GroupData& g = content.groups[ext];
      put("Position", g.position, kGroup.position, VectorJson);
      if (!omit || !(g.orientation == kGroup.orientation)) {
        out["Orientation"] = {{"Forward", VectorJson(g.orientation.Forward)},
                              {"Up", VectorJson(g.orientation.Up)}};
      }
      if (!omit || !(g.rotational_velocity == kGroup.rotational_velocity)) {
        out["RotationalVelocity"] = {
            {"Axis", VectorJson(g.rotational_velocity.Axis)},
            {"Theta", SingleJson(g.rotational_velocity.Theta)}};
      }
      put("IKJointMode", g.ik_joint_mode, kGroup.ik_joint_mode, plain);
      if (!omit || !(g.ik_joint_limits == kGroup.ik_joint_limits)) {
        const IKJointLimits& l = g.ik_joint_limits;
        out["IKJointLimits"] = ojson::array(
            {SingleJson(l.MinX), SingleJson(l.MinY), SingleJson(l.MinZ),
             SingleJson(l.MaxX), SingleJson(l.MaxY), SingleJson(l.MaxZ)});
      }
      put("CustomFields", g.custom_fields.get(), Lazy<SixStrings>::Default(),
          SixJson);
      if (n.kind == kNodeTypeBone) {
        put("BoneWeight", g.bone_weight, kGroup.bone_weight, single);
        put("BoneOriginEffectRange", g.bone_origin_effect_range,
            kGroup.bone_origin_effect_range, single);
        put("BoneEndEffectRange", g.bone_end_effect_range,
            kGroup.bone_end_effect_range, single);
        put("BoneEffectExtent", g.bone_effect_extent, kGroup.bone_effect_extent,
            single);
        put("BoneIrregularExtent", g.bone_irregular_extent,
            kGroup.bone_irregular_extent, single);
        put("BoneIrregularOffset", g.bone_irregular_offset,
            kGroup.bone_irregular_offset, VectorJson);
        put("BoneKind", g.bone_kind, kGroup.bone_kind, plain);
        flag("Enabled", kEnabled);
        put("SetBoneEnabledResult", g.set_bone_enabled_result,
            kGroup.set_bone_enabled_result, plain);
      }
      break;
    }
    case kNodeTypeLight: {
      static const LightData kLight;
      const LightData& l = content.lights[ext];
      put("LightType", l.light_type, kLight.light_type, plain);
      put("Colour", l.colour, kLight.colour, ColourJson);
      put("ConstantAttenuation", l.constant_attenuation,
          kLight.constant_attenuation, single);
      put("LinearAttenuation", l.linear_attenuation, kLight.linear_attenuation,
          single);
      put("QuadraticAttenuation", l.quadratic_attenuation,
          kLight.quadratic_attenuation, single);
      put("SpotlightRange", l.spotlight_range, kLight.spotlight_range, single);
      put("SpotlightUmbra", l.spotlight_umbra, kLight.spotlight_umbra, single);
      put("SpotlightPenumbra", l.spotlight_penumbra, kLight.spotlight_penumbra,
          single);
      flag("CastsShadows", kCastsShadows);
      break;
    }
    case kNodeTypeCamera: {
      static const CameraData kCamera;
      const CameraData& c = content.cameras[ext];
      put("FieldOfView", c.field_of_view, kCamera.field_of_view, single);
      put("FocalBlur", c.focal_blur, kCamera.focal_blur, plain);
      put("FocalPoint", c.focal_point, kCamera.focal_point, single);
      put("FocalAperture", c.focal_aperture, kCamera.focal_aperture, single);
      put("FocalQuality", c.focal_quality, kCamera.focal_quality, plain);
      break;
    }
  }
  return out;
}

ojson WriteScene(const SceneContent& content, bool omit) {
  ojson out = ojson::object();
  out["ApplicationRegistryKey"] = content.application_registry_key;
  out["EditMode"] = content.edit_mode;
  out["DialogOwner"] = content.dialog_owner;
  out["CustomShapeFieldNames"] = StringsJson(content.custom_shape_field_names);
  out["CustomGroupFieldNames"] = StringsJson(content.custom_group_field_names);
  out["MaterialFieldNames"] = StringsJson(content.material_field_names);
  ojson selection = ojson::array();
  for (std::int32_t i : content.selection) {
    selection.push_back(content.nodes[static_cast<std::size_t>(i)].name);
  }
  out["selection"] = std::move(selection);
  ojson nodes = ojson::array();
  for (std::size_t i = 0; i < content.nodes.size(); ++i) {
    nodes.push_back(WriteNode(content, static_cast<std::int32_t>(i), omit));
  }
  out["nodes"] = std::move(nodes);
  return out;
}

namespace {

[[noreturn]] void NoValue(const std::string& path, const std::string& why) {
  // The path may carry a node name of any length: quote its start.
  RaiseError(kErrInvalidProcedureCall,
             "Invalid procedure call or argument: the scene has no value \"" +
                 Excerpt(path) + "\" (" + why + ")");
}

// Follows "Key[1][2].Other" from `value`.
ojson Walk(ojson value, const std::string& rest, const std::string& path) {
  std::size_t i = 0;
  while (i < rest.size()) {
    std::size_t end = rest.find_first_of(".[", i);
    std::string key =
        rest.substr(i, end == std::string::npos ? std::string::npos : end - i);
    if (!key.empty()) {
      if (!value.is_object() || !value.contains(key))
        NoValue(path, "no key \"" + Excerpt(key) + "\"");
      ojson next = value[key];
      value = std::move(next);
    }
    i = end == std::string::npos ? rest.size() : end;
    while (i < rest.size() && rest[i] == '[') {
      std::size_t close = rest.find(']', i);
      if (close == std::string::npos) NoValue(path, "an index is not closed");
      std::string digits = rest.substr(i + 1, close - i - 1);
      std::size_t index = 0;
      auto [ptr, ec] =
          std::from_chars(digits.data(), digits.data() + digits.size(), index);
      if (ec != std::errc() || ptr != digits.data() + digits.size() ||
          digits.empty()) {
        NoValue(path, "\"" + Excerpt(digits) + "\" is not an index");
      }
      if (!value.is_array())
        NoValue(path, "indexing something that is not a list");
      if (index >= value.size()) {
        RaiseError(kErrSubscriptOutOfRange,
                   "Subscript out of range: \"" + Excerpt(path) +
                       "\" (the list has " + std::to_string(value.size()) +
                       " entries)");
      }
      ojson next = value[index];
      value = std::move(next);
      i = close + 1;
    }
    if (i < rest.size()) {
      if (rest[i] != '.')
        NoValue(path, "unexpected \"" + rest.substr(i, 1) + "\"");
      ++i;
    }
  }
  return value;
}

}  // namespace

ojson ValueAt(const SceneContent& content, const std::string& path) {
  // The longest node name that is a prefix of the path (up to a dot or the
  // end) names the node: node names may contain dots themselves.
  std::vector<std::size_t> ends{path.size()};
  for (std::size_t i = path.size(); i-- > 0;) {
    if (path[i] == '.') ends.push_back(i);
  }
  for (std::size_t end : ends) {
    std::int32_t index = content.Find(std::string_view(path).substr(0, end));
    if (index < 0) continue;
    ojson node = WriteNode(content, index, false);
    return end == path.size()
               ? node
               : Walk(std::move(node), path.substr(end + 1), path);
  }
  ojson scene = WriteScene(content, true);
  scene.erase("nodes");
  return Walk(std::move(scene), path, path);
}

std::string ValueText(const ojson& value) {
  if (value.is_boolean()) return value.get<bool>() ? "True" : "False";
  if (value.is_string()) return value.get<std::string>();
  return value.dump(-1, ' ', false, ojson::error_handler_t::replace);
}

}  // namespace morvel::mem

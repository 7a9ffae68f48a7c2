// Writing scene files: the keys of every record come from the tables of
// scene_keys.h, in their order; this file knows how each type of value is
// written in JSON and when it equals its default.
#include <charconv>
#include <cmath>
#include <filesystem>

#include "memscene/scene_file.h"
#include "memscene/scene_keys.h"

namespace morvel::mem {
namespace {

using ojson = nlohmann::ordered_json;

ojson VectorJson(const SingleVector3& v) {
  return ojson::array({SingleJson(v.X), SingleJson(v.Y), SingleJson(v.Z)});
}

ojson SinglesJson(const Single* values, std::size_t count) {
  ojson out = ojson::array();
  for (std::size_t i = 0; i < count; ++i) out.push_back(SingleJson(values[i]));
  return out;
}

ojson StringsJson(const std::vector<std::string>& strings) {
  ojson out = ojson::array();
  for (const auto& s : strings) out.push_back(s);
  return out;
}

ojson MeshJson(const MeshData& mesh) {
  ojson out = ojson::object();
  if (!mesh.name.empty()) out["Name"] = mesh.name;
  out["Positions"] = SinglesJson(mesh.positions.data(), mesh.positions.size());
  if (!mesh.normals.empty())
    out["Normals"] = SinglesJson(mesh.normals.data(), mesh.normals.size());
  if (!mesh.uvs.empty())
    out["TexCoords"] = SinglesJson(mesh.uvs.data(), mesh.uvs.size());
  out["Triangles"] = mesh.triangles;
  if (!mesh.bones.empty()) {
    ojson bones = ojson::array();
    for (const MeshBone& bone : mesh.bones) {
      ojson weights = ojson::array();
      for (const auto& [vertex, weight] : bone.weights) {
        weights.push_back(vertex);
        weights.push_back(SingleJson(weight));
      }
      bones.push_back({{"Name", bone.name},
                       {"Offset", SinglesJson(bone.offset.data(), 16)},
                       {"Weights", std::move(weights)}});
    }
    out["Bones"] = std::move(bones);
  }
  return out;
}

class Writer {
 public:
  Writer(const SceneContent& content, bool omit, MeshForm meshes,
         const PathMap* map_path)
      : content_(content), omit_(omit), meshes_(meshes), map_path_(map_path) {}

  // The keys of `tables` for `record`, into `out`. A whole record writes
  // every key.
  void Record(std::span<const KeyTable* const> tables, const void* record,
              ojson& out) const {
    for (const KeyTable* table : tables) {
      for (const Key& key : table->keys) {
        Value(key, record, table->defaults, table->whole, out);
      }
    }
  }

 private:
  void Value(const Key& key, const void* record, const void* defaults,
             bool whole, ojson& out) const {
    const bool omit = omit_ && !whole;
    const std::string name(key.name);
    const auto* node = static_cast<const NodeRecord*>(record);
    switch (key.type) {
      case KeyType::kName:
        out[name] = node->node->name;
        return;
      case KeyType::kKind:
        out[name] = KindName(node->node->kind);
        return;
      case KeyType::kParent:
        if (node->node->parent >= 0) {
          out[name] =
              content_.nodes[static_cast<std::size_t>(node->node->parent)]
                  .name;
        }
        return;
      case KeyType::kCaption: {
        // The caption defaults to the node's name.
        ShapeSource source = static_cast<const SourceTexts*>(key.get(record))->get();
        if (!omit || source.caption)
          out[name] = source.caption.value_or(node->node->name);
        return;
      }
      case KeyType::kMesh: {
        auto index = *static_cast<const std::int32_t*>(key.get(record));
        if (meshes_ == MeshForm::kInline && index >= 0 &&
            static_cast<std::size_t>(index) < content_.meshes.size() &&
            content_.meshes[static_cast<std::size_t>(index)]) {
          out[name] = MeshJson(*content_.meshes[static_cast<std::size_t>(index)]);
        }
        return;
      }
      default:
        break;
    }
    if (key.get == nullptr) return;  // written by the caller (the nodes)
    if (omit && Same(key, record, defaults)) return;
    const void* v = key.get(record);
    switch (key.type) {
      case KeyType::kFlag:
        out[name] = (*static_cast<const std::uint16_t*>(v) & key.flag) != 0;
        return;
      case KeyType::kBool:
        out[name] = *static_cast<const bool*>(v);
        return;
      case KeyType::kLong:
        out[name] = *static_cast<const Long*>(v);
        return;
      case KeyType::kInteger:
        out[name] = *static_cast<const Integer*>(v);
        return;
      case KeyType::kSingle:
        out[name] = SingleJson(*static_cast<const Single*>(v));
        return;
      case KeyType::kVector:
        out[name] = VectorJson(*static_cast<const SingleVector3*>(v));
        return;
      case KeyType::kLongVector: {
        const auto& l = *static_cast<const LongVector3*>(v);
        out[name] = {l.X, l.Y, l.Z};
        return;
      }
      case KeyType::kColour:
        out[name] = SinglesJson(&static_cast<const ColourValue*>(v)->Red, 4);
        return;
      case KeyType::kIKJointLimits:
        out[name] = SinglesJson(&static_cast<const IKJointLimits*>(v)->MinX, 6);
        return;
      case KeyType::kMatrix:
        out[name] = SinglesJson(static_cast<const SourceMatrix*>(v)->data(), 16);
        return;
      case KeyType::kString:
        out[name] = *static_cast<const std::string*>(v);
        return;
      case KeyType::kDetail:
        out[name] = static_cast<const SourceTexts*>(v)->get().detail;
        return;
      case KeyType::kSixStrings:
        out[name] = StringsJson(static_cast<const SixStrings*>(v)->ToVector());
        return;
      case KeyType::kPaths: {
        std::vector<std::string> paths =
            static_cast<const SixStrings*>(v)->ToVector();
        if (map_path_ != nullptr) {
          for (std::string& p : paths) {
            if (!p.empty()) p = (*map_path_)(p);
          }
        }
        out[name] = StringsJson(paths);
        return;
      }
      case KeyType::kFields:
        out[name] = StringsJson(static_cast<const PackedStrings*>(v)->ToVector());
        return;
      case KeyType::kNames:
        out[name] = StringsJson(*static_cast<const std::vector<std::string>*>(v));
        return;
      case KeyType::kRecord: {
        ojson inner = ojson::object();
        const KeyTable* tables[] = {key.table};
        Record(tables, v, inner);
        out[name] = std::move(inner);
        return;
      }
      case KeyType::kMaps: {
        const auto& maps = *static_cast<const Boxed<MapsData>*>(v);
        if (!maps) return;
        ojson inner = ojson::object();
        const KeyTable* tables[] = {key.table};
        Record(tables, &*maps, inner);
        out[name] = std::move(inner);
        return;
      }
      case KeyType::kMaterials: {
        ojson list = ojson::array();
        const KeyTable* tables[] = {key.table};
        for (const MaterialData& m :
             *static_cast<const MaterialList*>(v)) {
          ojson material = ojson::object();
          Record(tables, &m, material);
          list.push_back(std::move(material));
        }
        out[name] = std::move(list);
        return;
      }
      default:
        return;
    }
  }

  // Whether the value of `key` in `a` equals the one in `b`.
  static bool Same(const Key& key, const void* a, const void* b) {
    const void* x = key.get(a);
    const void* y = key.get(b);
    auto same = [&](auto* type) {
      using V = std::remove_pointer_t<decltype(type)>;
      return *static_cast<const V*>(x) == *static_cast<const V*>(y);
    };
    switch (key.type) {
      case KeyType::kFlag:
        return ((*static_cast<const std::uint16_t*>(x) ^
                 *static_cast<const std::uint16_t*>(y)) &
                key.flag) == 0;
      case KeyType::kBool:
        return same(static_cast<bool*>(nullptr));
      case KeyType::kLong:
        return same(static_cast<Long*>(nullptr));
      case KeyType::kInteger:
        return same(static_cast<Integer*>(nullptr));
      case KeyType::kSingle:
        return same(static_cast<Single*>(nullptr));
      case KeyType::kVector:
        return same(static_cast<SingleVector3*>(nullptr));
      case KeyType::kLongVector:
        return same(static_cast<LongVector3*>(nullptr));
      case KeyType::kColour:
        return same(static_cast<ColourValue*>(nullptr));
      case KeyType::kIKJointLimits:
        return same(static_cast<IKJointLimits*>(nullptr));
      case KeyType::kMatrix:
        return same(static_cast<SourceMatrix*>(nullptr));
      case KeyType::kString:
        return same(static_cast<std::string*>(nullptr));
      case KeyType::kDetail:
        return static_cast<const SourceTexts*>(x)->get().detail ==
               static_cast<const SourceTexts*>(y)->get().detail;
      case KeyType::kSixStrings:
      case KeyType::kPaths:
        return same(static_cast<SixStrings*>(nullptr));
      case KeyType::kFields:
        // Written once it holds any entry, even an empty one.
        return static_cast<const PackedStrings*>(x)->empty() ==
               static_cast<const PackedStrings*>(y)->empty();
      case KeyType::kNames:
        return same(static_cast<std::vector<std::string>*>(nullptr));
      case KeyType::kRecord:
        for (const Key& inner : key.table->keys) {
          if (!Same(inner, x, y)) return false;
        }
        return true;
      case KeyType::kMaps:
        return static_cast<const Boxed<MapsData>*>(x)->has_value() ==
               static_cast<const Boxed<MapsData>*>(y)->has_value();
      case KeyType::kMaterials:
        return static_cast<const MaterialList*>(x)->empty() ==
               static_cast<const MaterialList*>(y)->empty();
      default:
        return true;
    }
  }

  const SceneContent& content_;
  bool omit_;
  MeshForm meshes_;
  const PathMap* map_path_;
};

}  // namespace

PathMap Rebase(const std::string& from_folder, const std::string& to_folder) {
  namespace fs = std::filesystem;
  if (from_folder.empty()) return [](std::string_view p) { return std::string(p); };
  std::error_code error;
  fs::path from = fs::weakly_canonical(fs::absolute(from_folder, error), error);
  fs::path to = fs::weakly_canonical(fs::absolute(to_folder, error), error);
  return [from, to](std::string_view p) {
    fs::path path{std::string(p)};
    if (path.is_absolute() || from == to) return std::string(p);
    fs::path full = (from / path).lexically_normal();
    fs::path relative = full.lexically_relative(to);
    return relative.empty() ? full.string() : relative.string();
  };
}

ojson SingleJson(Single value) {
  std::string text = ShortestText(value);
  double d = 0;
  std::from_chars(text.data(), text.data() + text.size(), d);
  if (d == std::floor(d) && std::fabs(d) < 1e15)
    return ojson(static_cast<std::int64_t>(d));
  return ojson(d);
}

ojson WriteNode(const SceneContent& content, std::int32_t index, bool omit,
                MeshForm meshes, const PathMap* map_path) {
  NodeRecord record = RecordOf(content, index);
  ojson out = ojson::object();
  Writer(content, omit, meshes, map_path)
      .Record(NodeKeys(record.node->kind), &record, out);
  return out;
}

ojson WriteScene(const SceneContent& content, bool omit, MeshForm meshes,
                 const PathMap* map_path) {
  ojson out = ojson::object();
  const KeyTable* tables[] = {&SceneKeys()};
  Writer(content, omit, meshes, map_path).Record(tables, &content, out);
  ojson selection = ojson::array();
  for (std::int32_t i : content.selection) {
    selection.push_back(content.nodes[static_cast<std::size_t>(i)].name);
  }
  out["selection"] = std::move(selection);
  ojson nodes = ojson::array();
  for (std::size_t i = 0; i < content.nodes.size(); ++i) {
    nodes.push_back(WriteNode(content, static_cast<std::int32_t>(i), omit,
                              meshes, map_path));
  }
  out["nodes"] = std::move(nodes);
  return out;
}

}  // namespace morvel::mem

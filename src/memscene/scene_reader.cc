// Reading scene files: the keys of every record come from the tables of
// scene_keys.h; this file knows how each type of value is written in JSON
// and how to word what is wrong with it.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "base/error.h"
#include "memscene/json_reader.h"
#include "memscene/quick_node.h"
#include "memscene/scene_file.h"
#include "memscene/scene_keys.h"

namespace morvel::mem {
namespace {

using json = nlohmann::json;

// What a value looked like, for messages: short, on one line.
std::string Shown(const JsonValue& value) { return value.Compact(40); }

// Where a value sits in its node or in the scene ("Materials[0].Maps"),
// put into words only when something is wrong with it: a million good nodes
// cost no message text. Each part points to the one it is in, which lives
// on the stack of the reader's calls.
class KeyPath {
 public:
  KeyPath() = default;  // the node or the scene itself
  KeyPath(const char* key) : name_(key) {}
  KeyPath(std::string_view key) : name_(key) {}
  KeyPath(const KeyPath& parent, std::string_view key)
      : parent_(&parent), name_(key) {}
  KeyPath(const KeyPath& parent, std::size_t index)
      : parent_(&parent), index_(index) {}

  std::string Text() const {
    std::string text = parent_ != nullptr ? parent_->Text() : std::string();
    if (index_ != kNoIndex) return text + "[" + std::to_string(index_) + "]";
    if (text.empty()) return std::string(name_);
    return text + "." + std::string(name_);
  }

 private:
  static constexpr std::size_t kNoIndex = ~std::size_t{0};
  const KeyPath* parent_ = nullptr;
  std::string_view name_;
  std::size_t index_ = kNoIndex;
};

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

  [[noreturn]] void Fail(const KeyPath& path,
                         const std::string& problem) const {
    const std::string key = path.Text();
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

  [[noreturn]] void Expected(const KeyPath& key, const char* what,
                             const JsonValue& got) const {
    Fail(key, std::string("expected ") + what + ", got " + Shown(got));
  }

  Single ToSingle(const KeyPath& key, const JsonValue& v) const {
    if (!v.IsNumber()) Expected(key, "a number", v);
    double d = v.Number();
    if (!FitsSingle(d)) Fail(key, "the number " + Shown(v) + " is too large");
    return static_cast<Single>(d);
  }

  Long ToLong(const KeyPath& key, const JsonValue& v, double lo = kLongLow,
              double hi = kLongHigh,
              const char* range = nullptr) const {
    const char* what = range != nullptr ? range : "a whole number";
    if (!v.IsNumber()) Expected(key, what, v);
    double d = v.Number();
    if (std::fabs(d) < 9007199254740992.0) {
      // Exact as it stands: below 2^53 a Double holds every whole number.
      if (std::floor(d) != d) Expected(key, what, v);
    } else if (v.IsWholeText()) {
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
      if (range != nullptr) Expected(key, what, v);
      Fail(key, "the number " + Shown(v) + " is out of range");
    }
    return static_cast<Long>(d);
  }

  bool ToBool(const KeyPath& key, const JsonValue& v) const {
    if (!v.IsBool()) Expected(key, "true or false", v);
    return v.Bool();
  }

  std::string_view ToString(const KeyPath& key, const JsonValue& v) const {
    if (!v.IsString()) Expected(key, "a string", v);
    return v.Text();
  }

  template <std::size_t N>
  std::array<Single, N> ToSingles(const KeyPath& key, const JsonValue& v,
                                  std::size_t at_least,
                                  const char* what) const {
    if (!v.IsArray() || v.Size() < at_least || v.Size() > N)
      Expected(key, what, v);
    std::array<Single, N> out{};
    std::size_t i = 0;
    for (JsonValue element : v) {
      if (!element.IsNumber()) Expected(key, what, v);
      double d = element.Number();
      if (!FitsSingle(d))
        ToSingle(KeyPath(key, i), element);  // raises, naming the element
      out[i++] = static_cast<Single>(d);
    }
    return out;
  }

  SingleVector3 ToVector(const KeyPath& key, const JsonValue& v) const {
    auto s = ToSingles<3>(key, v, 3, "an array of 3 numbers");
    return {s[0], s[1], s[2]};
  }

  LongVector3 ToLongVector(const KeyPath& key, const JsonValue& v) const {
    const char* what = "an array of 3 whole numbers";
    if (!v.IsArray() || v.Size() != 3) Expected(key, what, v);
    std::array<Long, 3> out{};
    std::size_t i = 0;
    for (JsonValue element : v) {
      out[i] = ToLong(KeyPath(key, i), element);
      ++i;
    }
    return {out[0], out[1], out[2]};
  }

  ColourValue ToColour(const KeyPath& key, const JsonValue& v) const {
    auto s = ToSingles<4>(
        key, v, 3, "an array of 3 or 4 numbers (red, green, blue, alpha)");
    return {s[0], s[1], s[2], v.Size() == 4 ? s[3] : 1.0f};
  }

  // Checks an array of at most `most` strings and calls `each` with them.
  template <class F>
  void Strings(const KeyPath& key, const JsonValue& v, std::size_t most,
               F each) const {
    if (!v.IsArray()) Expected(key, "an array of strings", v);
    if (v.Size() > most) {
      Fail(key, "at most " + std::to_string(most) + " entries, got " +
                    std::to_string(v.Size()));
    }
    std::size_t i = 0;
    for (JsonValue element : v) {
      if (!element.IsString())
        Expected(KeyPath(key, i), "a string", element);
      each(i++, element.Text());
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

// A shape's geometry written out in the file.
std::shared_ptr<const MeshData> ReadMesh(const Reader& r, const KeyPath& key,
                                         const JsonValue& v) {
  if (!v.IsObject())
    r.Expected(key, "an object with Positions and Triangles", v);
  for (auto it = v.begin(); it != v.end(); ++it) {
    static constexpr std::string_view kKeys[] = {
        "Name", "Positions", "Normals", "TexCoords", "Triangles", "Bones"};
    if (std::find(std::begin(kKeys), std::end(kKeys), it.Key()) ==
        std::end(kKeys)) {
      r.Fail(KeyPath(key, it.Key()), "not a key of a mesh");
    }
  }
  auto mesh = std::make_shared<MeshData>();
  auto floats = [&](const char* name, std::size_t per,
                    std::vector<float>& out) {
    auto found = v.Find(name);
    if (!found) return;
    KeyPath at(key, name);
    if (!found->IsArray() || found->Size() % per != 0) {
      r.Expected(at,
                 per == 3 ? "an array of numbers, three a vertex"
                          : "an array of numbers, two a vertex",
                 *found);
    }
    out.reserve(found->Size());
    std::size_t i = 0;
    for (JsonValue element : *found)
      out.push_back(r.ToSingle(KeyPath(at, i++), element));
  };
  if (auto name = v.Find("Name"))
    mesh->name = r.ToString(KeyPath(key, "Name"), *name);
  floats("Positions", 3, mesh->positions);
  floats("Normals", 3, mesh->normals);
  floats("TexCoords", 2, mesh->uvs);
  const std::size_t vertices = mesh->VertexCount();
  if (!mesh->normals.empty() && mesh->normals.size() != mesh->positions.size())
    r.Fail(KeyPath(key, "Normals"),
           "one normal a vertex, " + std::to_string(vertices) + " in all");
  if (!mesh->uvs.empty() && mesh->uvs.size() / 2 != vertices)
    r.Fail(KeyPath(key, "TexCoords"),
           "one pair a vertex, " + std::to_string(vertices) + " in all");
  auto index = [&](const KeyPath& at, const JsonValue& element) {
    return static_cast<std::uint32_t>(
        r.ToLong(at, element, 0, static_cast<double>(vertices) - 1,
                 "the index of a vertex of the mesh"));
  };
  if (auto triangles = v.Find("Triangles")) {
    KeyPath at(key, "Triangles");
    if (!triangles->IsArray() || triangles->Size() % 3 != 0)
      r.Expected(at, "an array of vertex indexes, three a triangle",
                 *triangles);
    mesh->triangles.reserve(triangles->Size());
    std::size_t i = 0;
    for (JsonValue element : *triangles)
      mesh->triangles.push_back(index(KeyPath(at, i++), element));
  }
  if (auto bones = v.Find("Bones")) {
    KeyPath at(key, "Bones");
    if (!bones->IsArray()) r.Expected(at, "an array of bones", *bones);
    std::size_t b = 0;
    for (JsonValue bone : *bones) {
      KeyPath here(at, b++);
      if (!bone.IsObject())
        r.Expected(here, "an object with Name, Offset and Weights", bone);
      MeshBone out;
      if (auto name = bone.Find("Name"))
        out.name = r.ToString(KeyPath(here, "Name"), *name);
      if (auto offset = bone.Find("Offset")) {
        auto m = r.ToSingles<16>(KeyPath(here, "Offset"), *offset, 16,
                                 "an array of 16 numbers (a matrix by rows)");
        std::copy(m.begin(), m.end(), out.offset.begin());
      }
      if (auto weights = bone.Find("Weights")) {
        KeyPath w(here, "Weights");
        if (!weights->IsArray() || weights->Size() % 2 != 0)
          r.Expected(w, "an array of vertex index and weight pairs",
                     *weights);
        std::size_t i = 0;
        std::uint32_t vertex = 0;
        for (JsonValue element : *weights) {
          KeyPath one(w, i);
          if (i++ % 2 == 0) {
            vertex = index(one, element);
          } else {
            out.weights.emplace_back(vertex, r.ToSingle(one, element));
          }
        }
      }
      mesh->bones.push_back(std::move(out));
    }
  }
  return mesh;
}

// What reading a record needs for a moment: a builder lends the same to
// every node, so reading a node allocates nothing of its own.
struct Scratch {
  std::vector<JsonValue> values;      // of the records being read
  std::vector<std::string_view> texts;  // of the list of strings being read
};

// Reads a record: the object's keys are matched to the keys of `tables`
// (one that matches none is refused), then read in table order, so that of
// two bad values the first in the file's documented order is the one named.
class RecordReader {
 public:
  // `scratch` holds the values of the records being read; a builder lends
  // the same one to every node, so reading a node allocates nothing.
  RecordReader(const Reader& r, SceneContent& content, Scratch& scratch)
      : r_(r), content_(content), values_(scratch.values),
        texts_(scratch.texts) {}

  // The keys of an object, matched to the keys of the tables and put in
  // the tables' order.
  struct Matched {
    struct Found {
      std::uint32_t rank = 0;
      const Key* key = nullptr;
      std::uint32_t value = 0;  // the member's index in the scratch values
    };
    Found found[kMaxJsonObjectKeys];
    std::size_t count = 0;
    std::size_t first = 0;  // of the scratch values
  };

  // Refuses a key none of the tables has (`kind`: the kind of node the
  // record is, 0 for the records within one).
  void Match(const KeyPath& where, std::span<const KeyTable* const> tables,
             const char* what, const JsonValue& object, Matched& m,
             Long kind = 0) {
    m.count = 0;
    m.first = values_.size();
    for (auto it = object.begin(); it != object.end(); ++it) {
      std::uint32_t rank = 0;
      const Key* key = Lookup(tables, it.Key(), kind, rank);
      if (key == nullptr) {
        r_.Fail(KeyPath(where, it.Key()),
                std::string("not a key of ") + what);
      }
      // Insertion in rank order; a record has a handful of keys.
      std::size_t at = m.count++;
      while (at > 0 && m.found[at - 1].rank > rank) {
        m.found[at] = m.found[at - 1];
        --at;
      }
      m.found[at] = {rank, key, static_cast<std::uint32_t>(values_.size())};
      values_.push_back(*it);
    }
  }

  void ReadMatched(const KeyPath& where, const Matched& m, void* record) {
    for (std::size_t i = 0; i < m.count; ++i) {
      // A copy: reading a record within grows the scratch values.
      const JsonValue value = values_[m.found[i].value];
      Value(KeyPath(where, m.found[i].key->name), *m.found[i].key, value,
            record);
    }
    values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(m.first),
                  values_.end());
  }

  void Read(const KeyPath& where, std::span<const KeyTable* const> tables,
            const char* what, const JsonValue& object, void* record) {
    Matched m;
    Match(where, tables, what, object, m);
    ReadMatched(where, m, record);
  }

  // One value into its field of `record`.
  void Value(const KeyPath& path, const Key& key, const JsonValue& v,
             void* record) {
    switch (key.type) {
      case KeyType::kName:
      case KeyType::kKind:
      case KeyType::kParent:
        return;  // read before the record
      case KeyType::kFlag:
        StoreFlag(key, r_.ToBool(path, v), record);
        return;
      case KeyType::kBool:
        *static_cast<bool*>(key.put(record)) = r_.ToBool(path, v);
        return;
      case KeyType::kLong:
        *static_cast<Long*>(key.put(record)) =
            r_.ToLong(path, v, key.lo, key.hi, key.range);
        return;
      case KeyType::kInteger:
        *static_cast<Integer*>(key.put(record)) = static_cast<Integer>(
            r_.ToLong(path, v, kIntegerLow, kIntegerHigh,
                      "a whole number from -32768 to 32767"));
        return;
      case KeyType::kSingle:
        *static_cast<Single*>(key.put(record)) = r_.ToSingle(path, v);
        return;
      case KeyType::kVector:
        *static_cast<SingleVector3*>(key.put(record)) = r_.ToVector(path, v);
        return;
      case KeyType::kLongVector:
        *static_cast<LongVector3*>(key.put(record)) =
            r_.ToLongVector(path, v);
        return;
      case KeyType::kColour:
        *static_cast<ColourValue*>(key.put(record)) = r_.ToColour(path, v);
        return;
      case KeyType::kIKJointLimits: {
        auto s = r_.ToSingles<6>(
            path, v, 6,
            "an array of 6 numbers (MinX, MinY, MinZ, MaxX, MaxY, MaxZ)");
        *static_cast<IKJointLimits*>(key.put(record)) = {s[0], s[1], s[2],
                                                         s[3], s[4], s[5]};
        return;
      }
      case KeyType::kMatrix:
        *static_cast<SourceMatrix*>(key.put(record)) = r_.ToSingles<16>(
            path, v, 16, "an array of 16 numbers (a matrix by rows)");
        return;
      case KeyType::kString:
      case KeyType::kCaption:
      case KeyType::kDetail:
        StoreText(key, r_.ToString(path, v), record);
        return;
      case KeyType::kSixStrings:
      case KeyType::kPaths:
      case KeyType::kFields: {
        texts_.clear();
        r_.Strings(path, v,
                   key.type == KeyType::kFields ? kMaxJsonArray
                                                : SixStrings::kSize,
                   [&](std::size_t, std::string_view text) {
                     texts_.push_back(text);
                   });
        StoreStrings(key, texts_, record);
        return;
      }
      case KeyType::kNames: {
        std::vector<std::string> values;
        values.reserve(v.IsArray() ? v.Size() : 0);
        r_.Strings(path, v, kMaxJsonArray,
                   [&](std::size_t, std::string_view text) {
                     values.emplace_back(text);
                   });
        *static_cast<std::vector<std::string>*>(key.put(record)) =
            std::move(values);
        return;
      }
      case KeyType::kRecord:
      case KeyType::kMaps: {
        const KeyTable& table = *key.table;
        if (!v.IsObject()) r_.Expected(path, table.expected, v);
        void* inner = key.put(record);
        if (key.type == KeyType::kMaps)
          inner = &static_cast<Boxed<MapsData>*>(inner)->emplace();
        const KeyTable* tables[] = {&table};
        Read(path, tables, table.what, v, inner);
        if (table.check != nullptr) {
          if (const char* problem = table.check(inner)) r_.Fail(path, problem);
        }
        return;
      }
      case KeyType::kMaterials: {
        if (!v.IsArray()) r_.Expected(path, "an array of materials", v);
        auto& list = *static_cast<MaterialList*>(key.put(record));
        list.resize(v.Size());
        const KeyTable* tables[] = {key.table};
        std::size_t i = 0;
        for (JsonValue material : v) {
          KeyPath at(path, i);
          if (!material.IsObject())
            r_.Expected(at, key.table->expected, material);
          Read(at, tables, key.table->what, material, &list[i]);
          ++i;
        }
        return;
      }
      case KeyType::kMesh:
        *static_cast<std::int32_t*>(key.put(record)) =
            static_cast<std::int32_t>(content_.meshes.size());
        content_.meshes.push_back(ReadMesh(r_, path, v));
        return;
    }
  }

 private:
  // The key of that name and its place in the tables' order.
  static const Key* Lookup(std::span<const KeyTable* const> tables,
                           std::string_view name, Long kind,
                           std::uint32_t& rank) {
    const Key* node_key = kind != 0 ? FindNodeKey(kind, name) : nullptr;
    for (std::size_t t = 0; t < tables.size(); ++t) {
      std::span<const Key> keys = tables[t]->keys;
      const Key* key = kind != 0 ? node_key : tables[t]->Find(name);
      if (key != nullptr && key >= keys.data() &&
          key < keys.data() + keys.size()) {
        rank = static_cast<std::uint32_t>(t * 256 + (key - keys.data()));
        return key;
      }
    }
    return nullptr;
  }

  const Reader& r_;
  SceneContent& content_;
  std::vector<JsonValue>& values_;
  std::vector<std::string_view>& texts_;
};

// Builds a scene node by node, as the reader hands them over: a big file is
// never held whole. Parents and the selection are resolved at the end, so
// either may name nodes that come later in the file.
class SceneBuilder {
 public:
  SceneBuilder(const std::string& origin, std::uint64_t size_hint)
      : origin_(origin), size_hint_(size_hint) {
    quick_.names = &content_.index_by_name;
  }
  // The quick reader points into the content.
  SceneBuilder(const SceneBuilder&) = delete;
  SceneBuilder& operator=(const SceneBuilder&) = delete;

  // The next node, if the quick reader takes it (quick_node.h): false, with
  // nothing added or read, when it does not, or when the node's name is
  // taken; the caller then reads the node in full.
  bool AddQuickNode(JsonReader& in) {
    if (!ReadQuickNode(in.Ahead(kQuickWindow), quick_)) return false;
    const std::size_t i = content_.nodes.size();
    LayOut(in.Offset() + quick_.bytes);
    std::int32_t other = -1;
    if (content_.AddNode(std::string(quick_.name), quick_.kind, -1, &other) <
        0) {
      quick_.Clear();
      return false;
    }
    // The node keeps what AddNode gave it (name, kind, place) and takes
    // every value read; the kind's record is swapped with the scene's fresh
    // one, which leaves the reader defaults for the next node.
    NodeData& node = content_.nodes[i];
    quick_.node.name = std::move(node.name);
    quick_.node.kind = node.kind;
    quick_.node.ext = node.ext;
    quick_.node.parent = node.parent;
    node = std::move(quick_.node);
    quick_.node = NodeData{};
    quick_.SwapRecord(RecordOf(content_, static_cast<std::int32_t>(i)));
    if (quick_.parent) TakeParent(i, *quick_.parent);
    in.Take(quick_.bytes, quick_.lines, quick_.line_start);
    return true;
  }

  // `offset`: the bytes of the file read so far.
  void AddNode(const JsonValue& v, std::uint64_t offset) {
    std::size_t i = content_.nodes.size();
    LayOut(offset);
    Reader at = Reader::NodeAt(origin_, i);
    if (!v.IsObject()) at.Fail("", "expected a node object, got " + Shown(v));
    auto name_value = v.Find("name");
    if (!name_value) at.Fail("name", "missing: every node needs a name");
    if (!name_value->IsString()) at.Expected("name", "a string", *name_value);
    std::string_view name = name_value->Text();
    if (name.empty()) at.Fail("name", "a node's name must not be empty");
    content_.index_by_name.Prefetch(name);
    Reader r = Reader::Node(origin_, name);
    auto kind_value = v.Find("kind");
    if (!kind_value) r.Fail("kind", "missing: every node needs a kind");
    if (!kind_value->IsString()) r.Expected("kind", "a string", *kind_value);
    Long kind = KindFromName(kind_value->Text());
    if (kind == 0) {
      r.Fail("kind", "unknown kind " + Shown(*kind_value) +
                         " (expected group, shape, bone, camera or light)");
    }
    // Every key must be one the kind has before anything is added.
    RecordReader reader(r, content_, scratch_);
    reader.Match(KeyPath(), NodeKeys(kind), KindWhat(kind), v, matched_,
                 kind);
    std::int32_t other = -1;
    if (content_.AddNode(std::string(name), kind, -1, &other) < 0) {
      r.Fail("name", "there is another node with this name (nodes[" +
                         std::to_string(other) + "])");
    }
    if (auto parent = v.Find("parent")) {
      if (!parent->IsString()) r.Expected("parent", "a string", *parent);
      // Most files name a parent before its children: take it at once. The
      // others wait for the end, where whatever is wrong is named.
      std::int32_t p = ParentNamed(parent->Text());
      Long parent_kind =
          p >= 0 ? content_.nodes[static_cast<std::size_t>(p)].kind : 0;
      if (parent_kind == kNodeTypeGroup || parent_kind == kNodeTypeBone) {
        content_.nodes[i].parent = p;
      } else {
        parents_.emplace_back(static_cast<std::int32_t>(i),
                              std::string(parent->Text()));
      }
    }
    NodeRecord record = RecordOf(content_, static_cast<std::int32_t>(i));
    reader.ReadMatched(KeyPath(), matched_, &record);
  }

  // A scene key other than "nodes" and "selection".
  void SceneKey(const Key& key, const JsonValue& x) {
    Reader scene = Reader::Scene(origin_);
    RecordReader(scene, content_, scratch_)
        .Value(KeyPath(key.name), key, x, &content_);
  }

  // The names are kept packed, one after the other, until the nodes are
  // known: a selection of a million nodes costs a few bytes each.
  void AddSelected(const JsonValue& x) {
    if (!x.IsString()) {
      KeyPath selection("selection");
      Reader::Scene(origin_).Expected(
          KeyPath(selection, selection_ends_.size()), "a node name", x);
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
    const KeyPath selection("selection");
    std::vector<bool> seen(content_.nodes.size(), false);
    content_.selection.reserve(selection_ends_.size());
    std::size_t start = 0;
    for (std::size_t i = 0; i < selection_ends_.size(); ++i) {
      std::string_view name = std::string_view(selection_text_)
                                  .substr(start, selection_ends_[i] - start);
      start = selection_ends_[i];
      std::int32_t index = content_.Find(name);
      if (index < 0) {
        scene.Fail(KeyPath(selection, i),
                   "\"" + Excerpt(name) + "\" names no node");
      }
      if (seen[static_cast<std::size_t>(index)]) {
        scene.Fail(KeyPath(selection, i),
                   "\"" + Excerpt(name) + "\" is selected twice");
      }
      seen[static_cast<std::size_t>(index)] = true;
      content_.selection.push_back(index);
    }
    return std::move(content_);
  }

 private:
  // Lays out the node array and the name index once, when the first
  // kSample nodes are read, from `offset` (the bytes read so far).
  void LayOut(std::uint64_t offset) {
    if (content_.nodes.size() != kSample || size_hint_ <= offset) return;
    // A big file: guess how many nodes it holds from the first ones, and
    // lay out the node array and the name index once for all of them
    // (with a tenth to spare) instead of doubling them as they fill.
    std::size_t guess = static_cast<std::size_t>(
        static_cast<double>(size_hint_) / static_cast<double>(offset) *
        static_cast<double>(kSample) * 1.1);
    content_.nodes.reserve(guess);
    AdviseHugePages(content_.nodes.data() + content_.nodes.size(),
                    (content_.nodes.capacity() - content_.nodes.size()) *
                        sizeof(NodeData));
    content_.index_by_name.Reserve(guess, content_.nodes);
  }

  // The parent a node names. Most files name a parent before its children:
  // it is taken at once. The others wait for the end, where whatever is
  // wrong is named.
  void TakeParent(std::size_t i, std::string_view parent) {
    std::int32_t p = ParentNamed(parent);
    Long parent_kind =
        p >= 0 ? content_.nodes[static_cast<std::size_t>(p)].kind : 0;
    if (parent_kind == kNodeTypeGroup || parent_kind == kNodeTypeBone) {
      content_.nodes[i].parent = p;
    } else {
      parents_.emplace_back(static_cast<std::int32_t>(i), std::string(parent));
    }
  }

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

  // The node named `name`, or -1. Files name the same few groups as parents
  // over and over: the last node found under each of a few thousand hashes
  // is kept, so most lookups read a small table the cache holds instead of
  // the name index of every node. (Nodes are only added while a file is
  // read, so a node kept here stays what it was.)
  std::int32_t ParentNamed(std::string_view name) {
    std::int32_t& kept =
        parents_seen_[std::hash<std::string_view>{}(name) %
                      parents_seen_.size()];
    if (kept >= 0 && content_.nodes[static_cast<std::size_t>(kept)].name == name)
      return kept;
    std::int32_t found = content_.Find(name);
    if (found >= 0) kept = found;
    return found;
  }

  static constexpr std::size_t kSample = 4096;
  // The bytes the quick reader is shown: a node longer than this is read
  // in full.
  static constexpr std::size_t kQuickWindow = std::size_t{1} << 16;
  const std::string& origin_;
  std::uint64_t size_hint_;
  SceneContent content_;
  std::vector<std::pair<std::int32_t, std::string>> parents_;
  std::string selection_text_;
  std::vector<std::uint32_t> selection_ends_;
  Scratch scratch_;
  RecordReader::Matched matched_;
  QuickNode quick_;
  std::array<std::int32_t, 4096> parents_seen_ = MakeParentsSeen();
  static std::array<std::int32_t, 4096> MakeParentsSeen() {
    std::array<std::int32_t, 4096> none;
    none.fill(-1);
    return none;
  }
};

// The scene object: its keys one by one, "nodes" and "selection" element by
// element, so that only one node is ever held as parsed JSON.
SceneContent ReadSceneFrom(JsonReader& in, const std::string& origin,
                           std::uint64_t size_hint, NodeReading reading) {
  const bool quick = reading == NodeReading::kQuick;
  SceneBuilder builder(origin, size_hint);
  Reader scene = Reader::Scene(origin);
  const KeyTable& keys = SceneKeys();
  JsonTree tree;
  if (in.Peek() != '{') {
    in.ReadValue(tree, 1);
    scene.Expected("", keys.expected, JsonValue(tree, 0));
  }
  in.BeginObject(1);
  std::string key_name;
  std::vector<const Key*> seen;
  while (in.NextKey(key_name)) {
    const Key* key = keys.Find(key_name);
    if (key == nullptr) scene.Fail(KeyPath(key_name), "not a key of a scene");
    if (std::find(seen.begin(), seen.end(), key) != seen.end())
      scene.Fail(KeyPath(key_name), "the key appears twice");
    seen.push_back(key);
    bool nodes = key_name == "nodes";
    if (nodes || key_name == "selection") {
      if (in.Peek() != '[') {
        in.ReadValue(tree, 2);
        scene.Expected(KeyPath(key_name),
                       nodes ? "an array of nodes" : "an array of node names",
                       JsonValue(tree, 0));
      }
      in.BeginArray(2);
      while (in.NextElement()) {
        if (nodes && quick && builder.AddQuickNode(in)) continue;
        in.ReadValue(tree, 3);
        if (nodes) {
          builder.AddNode(JsonValue(tree, 0), in.Offset());
        } else {
          builder.AddSelected(JsonValue(tree, 0));
        }
      }
    } else {
      in.ReadValue(tree, 2);
      builder.SceneKey(*key, JsonValue(tree, 0));
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

SceneContent ReadSceneText(std::string_view text, const std::string& origin,
                           NodeReading reading) {
  JsonReader in(text, origin);
  return ReadSceneFrom(in, origin, text.size(), reading);
}

SceneContent ReadSceneFile(std::FILE* file, const std::string& origin,
                           std::uint64_t size_hint, NodeReading reading) {
  JsonReader in(file, origin);
  return ReadSceneFrom(in, origin, size_hint, reading);
}

}  // namespace morvel::mem

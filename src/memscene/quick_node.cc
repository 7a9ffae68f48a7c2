#include "memscene/quick_node.h"

#include <algorithm>

#include "memscene/json_reader.h"
#include "memscene/json_scan.h"

namespace morvel::mem {
namespace {

// The bytes of one node, read front to back. Every method returns false for
// what the quick path does not take, running out of bytes included, and the
// node is then given back whole: nothing here is ever an error.
class Cursor {
 public:
  explicit Cursor(std::string_view bytes)
      : begin_(bytes.data()), p_(begin_), end_(begin_ + bytes.size()) {}

  // The next byte that is not a blank, or -1 when the bytes end first.
  // Between two tokens there is mostly nothing or one space: settled here,
  // inline, and the rest (line ends, indentation) in the loop.
  int Peek() {
    if (end_ - p_ >= 2) {
      const auto c = static_cast<unsigned char>(*p_);
      if (c > ' ') return c;
      if (c == ' ' && static_cast<unsigned char>(p_[1]) > ' ')
        return static_cast<unsigned char>(*++p_);
    }
    for (; p_ < end_; ++p_) {
      const char c = *p_;
      if (static_cast<unsigned char>(c) > ' ') break;
      if (c == '\n') {
        ++lines_;
        line_start_ = static_cast<std::size_t>(p_ + 1 - begin_);
      } else if (c != ' ' && c != '\t' && c != '\r') {
        break;  // a control character: not a blank, and no token either
      }
    }
    return p_ < end_ ? static_cast<unsigned char>(*p_) : -1;
  }

  bool Skip(char c) {
    if (Peek() != static_cast<unsigned char>(c)) return false;
    ++p_;
    return true;
  }

  // A string taken as it stands: no escapes, nothing beyond ASCII and no
  // longer than the full reader allows.
  bool String(std::string_view& out) {
    if (Peek() != '"') return false;
    const char* first = ++p_;
    const char* stop =
        end_ - first > static_cast<std::ptrdiff_t>(kMaxJsonString)
            ? first + kMaxJsonString + 1
            : end_;
    p_ = PlainRunEnd(first, stop);
    if (p_ == stop || *p_ != '"') return false;
    out = std::string_view(first, static_cast<std::size_t>(p_ - first));
    ++p_;
    return true;
  }

  // A number read as the full reader reads it, to the same Double.
  bool Number(double& value) {
    const int c = Peek();
    if (c != '-' && !IsDigit(c)) return false;
    if (const char* next = ShortDecimal(p_, end_, value)) {
      p_ = next;
      return true;
    }
    const char* first = p_;
    for (; p_ < end_ && InNumber(static_cast<unsigned char>(*p_)); ++p_) {
      if (p_ - first == static_cast<std::ptrdiff_t>(kMaxJsonNumber))
        return false;
    }
    if (p_ == end_) return false;  // it may go on beyond the bytes shown
    return ConvertNumber(std::string_view(first, static_cast<std::size_t>(
                                                  p_ - first)),
                         value) == NumberText::kNumber;
  }

  bool Bool(bool& value) {
    const int c = Peek();
    const std::string_view word = c == 't' ? "true" : "false";
    if ((c != 't' && c != 'f') ||
        static_cast<std::size_t>(end_ - p_) < word.size() ||
        std::string_view(p_, word.size()) != word) {
      return false;
    }
    p_ += word.size();
    value = c == 't';
    return true;
  }

  // The elements of an array: `each` reads one (true when it could).
  template <class F>
  bool Array(std::size_t most, F each) {
    if (!Skip('[')) return false;
    if (Peek() == ']') {
      ++p_;
      return true;
    }
    std::size_t count = 0;
    do {
      if (++count > most || !each(count - 1)) return false;
    } while (Skip(','));
    return Skip(']');
  }

  // The members of an object: `each` reads the value of a key (true when
  // it could).
  template <class F>
  bool Object(F each) {
    if (!Skip('{')) return false;
    if (Peek() == '}') {
      ++p_;
      return true;
    }
    std::size_t count = 0;
    std::string_view key;
    do {
      if (++count > kMaxJsonObjectKeys || !String(key) || !Skip(':') ||
          !each(key)) {
        return false;
      }
    } while (Skip(','));
    return Skip('}');
  }

  std::size_t Taken() const { return static_cast<std::size_t>(p_ - begin_); }
  std::uint64_t lines() const { return lines_; }
  std::size_t line_start() const { return line_start_; }

 private:
  const char* begin_;
  const char* p_;
  const char* end_;
  std::uint64_t lines_ = 0;
  std::size_t line_start_ = 0;
};

// Keys met in one object: a key twice is for the full reader to word.
class SeenKeys {
 public:
  bool First(const Key* key) {
    if (std::find(keys_, keys_ + count_, key) != keys_ + count_) return false;
    keys_[count_++] = key;  // Object() allows no more keys than this holds
    return true;
  }

 private:
  const Key* keys_[kMaxJsonObjectKeys];
  std::size_t count_ = 0;
};

class NodeParser {
 public:
  NodeParser(Cursor& in, std::vector<std::string_view>& texts)
      : in_(in), texts_(texts) {}

  // The members of a record of `table` into `record`, then its check.
  bool Record(const KeyTable& table, void* record) {
    SeenKeys seen;
    return in_.Object([&](std::string_view name) {
             const Key* key = table.Find(name);
             return key != nullptr && seen.First(key) &&
                    Value(*key, record);
           }) &&
           (table.check == nullptr || table.check(record) == nullptr);
  }

  // One value into its field of `record`, taken only where the full reader
  // would take it, and stored as it stores it.
  bool Value(const Key& key, void* record) {
    switch (key.type) {
      case KeyType::kName:
      case KeyType::kKind:
      case KeyType::kParent:
        return false;  // the node's own: read by ReadQuickNode
      case KeyType::kFlag:
      case KeyType::kBool: {
        bool value = false;
        if (!in_.Bool(value)) return false;
        if (key.type == KeyType::kFlag) {
          StoreFlag(key, value, record);
        } else {
          *static_cast<bool*>(key.put(record)) = value;
        }
        return true;
      }
      case KeyType::kLong:
      case KeyType::kInteger: {
        const bool integer = key.type == KeyType::kInteger;
        double value = 0;
        if (!in_.Number(value) ||
            !IsWholeWithin(value, integer ? kIntegerLow : key.lo,
                           integer ? kIntegerHigh : key.hi)) {
          return false;
        }
        if (integer) {
          *static_cast<Integer*>(key.put(record)) = static_cast<Integer>(value);
        } else {
          *static_cast<Long*>(key.put(record)) = static_cast<Long>(value);
        }
        return true;
      }
      case KeyType::kSingle: {
        double value = 0;
        if (!in_.Number(value) || !FitsSingle(value)) return false;
        *static_cast<Single*>(key.put(record)) = static_cast<Single>(value);
        return true;
      }
      case KeyType::kVector: {
        std::array<Single, 3> s{};
        if (!Singles(s, 3)) return false;
        *static_cast<SingleVector3*>(key.put(record)) = {s[0], s[1], s[2]};
        return true;
      }
      case KeyType::kColour: {
        std::array<Single, 4> s{};
        s[3] = 1.0f;  // a colour may leave out its alpha
        if (!Singles(s, 3)) return false;
        *static_cast<ColourValue*>(key.put(record)) = {s[0], s[1], s[2], s[3]};
        return true;
      }
      case KeyType::kIKJointLimits: {
        std::array<Single, 6> s{};
        if (!Singles(s, 6)) return false;
        *static_cast<IKJointLimits*>(key.put(record)) = {s[0], s[1], s[2],
                                                         s[3], s[4], s[5]};
        return true;
      }
      case KeyType::kMatrix: {
        SourceMatrix s{};
        if (!Singles(s, 16)) return false;
        *static_cast<SourceMatrix*>(key.put(record)) = s;
        return true;
      }
      case KeyType::kLongVector: {
        std::array<Long, 3> l{};
        std::size_t count = 0;
        if (!in_.Array(3, [&](std::size_t i) {
              double value = 0;
              if (!in_.Number(value) ||
                  !IsWholeWithin(value, kLongLow, kLongHigh)) {
                return false;
              }
              l[i] = static_cast<Long>(value);
              count = i + 1;
              return true;
            }) ||
            count != 3) {
          return false;
        }
        *static_cast<LongVector3*>(key.put(record)) = {l[0], l[1], l[2]};
        return true;
      }
      case KeyType::kString:
      case KeyType::kCaption:
      case KeyType::kDetail: {
        std::string_view text;
        if (!in_.String(text)) return false;
        StoreText(key, text, record);
        return true;
      }
      case KeyType::kSixStrings:
      case KeyType::kPaths:
      case KeyType::kFields:
        texts_.clear();
        if (!in_.Array(key.type == KeyType::kFields ? kMaxJsonArray
                                                    : SixStrings::kSize,
                       [&](std::size_t) {
                         std::string_view text;
                         if (!in_.String(text)) return false;
                         texts_.push_back(text);
                         return true;
                       })) {
          return false;
        }
        StoreStrings(key, texts_, record);
        return true;
      case KeyType::kRecord:
        return Record(*key.table, key.put(record));
      case KeyType::kMaps:
        return Record(*key.table,
                      &static_cast<Boxed<MapsData>*>(key.put(record))
                           ->emplace());
      case KeyType::kMaterials: {
        auto& list = *static_cast<MaterialList*>(key.put(record));
        return in_.Array(kMaxJsonArray, [&](std::size_t) {
          list.push_back(MaterialData{});
          return Record(*key.table, &list[list.size() - 1]);
        });
      }
      case KeyType::kNames:  // the scene's, never a node's
      case KeyType::kMesh:   // geometry: rare, and large
        return false;
    }
    return false;
  }

 private:
  // `N` numbers, or from `at_least` to `N`, each one a Single can hold.
  template <std::size_t N>
  bool Singles(std::array<Single, N>& out, std::size_t at_least) {
    std::size_t count = 0;
    return in_.Array(N,
                     [&](std::size_t i) {
                       double value = 0;
                       if (!in_.Number(value) || !FitsSingle(value))
                         return false;
                       out[i] = static_cast<Single>(value);
                       count = i + 1;
                       return true;
                     }) &&
           count >= at_least;
  }

  Cursor& in_;
  std::vector<std::string_view>& texts_;
};

bool ReadNode(Cursor& in, QuickNode& out) {
  NodeParser parser(in, out.texts);
  NodeRecord record;
  SeenKeys seen;
  bool named = false;
  const bool read = in.Object([&](std::string_view name) {
    // The kind decides which keys a node has; files written by this system
    // and most others name it first, beside the name.
    const Key* key = out.kind != 0 ? FindNodeKey(out.kind, name) : nullptr;
    const KeyType type = key != nullptr  ? key->type
                         : name == "name" ? KeyType::kName
                         : name == "kind" ? KeyType::kKind
                                          : KeyType::kMesh;
    switch (type) {
      case KeyType::kName:
        if (named || !in.String(out.name) || out.name.empty()) return false;
        named = true;
        if (out.names != nullptr) out.names->Prefetch(out.name);
        return true;
      case KeyType::kKind: {
        std::string_view kind;
        if (out.kind != 0 || !in.String(kind)) return false;
        out.kind = KindFromName(kind);
        record = out.Record();
        return out.kind != 0;
      }
      case KeyType::kParent: {
        std::string_view parent;
        if (out.parent || !in.String(parent)) return false;
        out.parent = parent;
        return true;
      }
      default:
        return key != nullptr && seen.First(key) &&
               parser.Value(*key, &record);
    }
  });
  return read && named && out.kind != 0;
}

}  // namespace

NodeRecord QuickNode::Record() {
  NodeRecord r;
  r.node = &node;
  switch (kind) {
    case kNodeTypeShape:
      r.shape = &shape;
      break;
    case kNodeTypeGroup:
    case kNodeTypeBone:
      r.group = &group;
      break;
    case kNodeTypeLight:
      r.light = &light;
      break;
    case kNodeTypeCamera:
      r.camera = &camera;
      break;
  }
  return r;
}

void QuickNode::Clear() {
  node = NodeData{};
  switch (kind) {
    case kNodeTypeShape:
      shape = ShapeData{};
      break;
    case kNodeTypeGroup:
    case kNodeTypeBone:
      group = GroupData{};
      break;
    case kNodeTypeLight:
      light = LightData{};
      break;
    case kNodeTypeCamera:
      camera = CameraData{};
      break;
  }
  kind = 0;
}

void QuickNode::SwapRecord(const NodeRecord& scene) {
  switch (kind) {
    case kNodeTypeShape:
      std::swap(shape, *scene.shape);
      break;
    case kNodeTypeGroup:
    case kNodeTypeBone:
      std::swap(group, *scene.group);
      break;
    case kNodeTypeLight:
      std::swap(light, *scene.light);
      break;
    case kNodeTypeCamera:
      std::swap(camera, *scene.camera);
      break;
  }
}

bool ReadQuickNode(std::string_view bytes, QuickNode& node) {
  node.name = {};
  node.kind = 0;
  node.parent.reset();
  Cursor in(bytes);
  if (ReadNode(in, node)) {
    node.bytes = in.Taken();
    node.lines = in.lines();
    node.line_start = in.line_start();
    return true;
  }
  node.Clear();
  return false;
}

}  // namespace morvel::mem

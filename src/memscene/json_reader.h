#ifndef MORVEL_MEMSCENE_JSON_READER_H_
#define MORVEL_MEMSCENE_JSON_READER_H_

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A JSON reader for files nobody vouches for. It reads a file in chunks
// (a scene file is never held whole), keeps the parts the caller asks for in
// a flat buffer it reuses, and refuses with error 321, naming the file, the
// line and the column, whatever it cannot hold safely: text that is not
// JSON, nesting deeper than kMaxJsonDepth (counted on its own stack, never
// the C++ one), strings, arrays, objects, numbers or files beyond the limits
// below, numbers that are not finite, invalid UTF-8 and duplicate keys.
// docs/scene-format.md states the limits to users.
//
// Why not simdjson, which validates as much and parses faster: it needs the
// whole file in memory, padded, plus an index of four bytes per byte of
// input. On a terse million-node file (94 MB) it parsed in 0.1 s but held
// 6.7 times the file, where this reader parses the same file in 0.18 s in a
// quarter-megabyte buffer. A whole load is bounded by building the scene
// (and the kernel zeroing the memory it takes), not by parsing.
namespace morvel::mem {

// A scene file nests seven levels deep (scene, nodes, node, Materials,
// material, Maps, Paths); 32 leaves room for any future key.
inline constexpr int kMaxJsonDepth = 32;
// Names, captions, paths and field values: a path is at most 4096 bytes.
inline constexpr std::size_t kMaxJsonString = 65536;
// Nodes, selections and materials; fits a Long with room to spare.
inline constexpr std::size_t kMaxJsonArray = 16777216;
// A bone has the most keys, 19.
inline constexpr std::size_t kMaxJsonObjectKeys = 64;
// The shortest text of a Double is at most 24 characters.
inline constexpr std::size_t kMaxJsonNumber = 100;
// About ten million nodes; memory, not the format, is the limit there.
inline constexpr std::uint64_t kMaxJsonFile = std::uint64_t{1} << 30;

enum class JsonType : std::uint8_t {
  kNull,
  kFalse,
  kTrue,
  kNumber,
  kString,
  kArray,
  kObject,
  kKey,  // an object's key: the value follows it
};

// Values in preorder: a container's children follow it, and `end` is the
// index just past its last descendant. An object's children alternate key,
// value. Strings, keys and number texts live in `text`.
struct JsonTree {
  struct Entry {
    JsonType type;
    std::uint32_t size;  // bytes of text, or children of a container
    std::uint32_t text;  // offset into `text`
    std::uint32_t end;
    double number = 0;  // a number's value, read once (too small reads as 0)
  };
  std::vector<Entry> entries;
  std::string text;
  void Clear() {
    entries.clear();
    text.clear();
  }
};

// One value of a JsonTree (the tree must outlive it).
class JsonValue {
 public:
  JsonValue(const JsonTree& tree, std::uint32_t index)
      : tree_(&tree), index_(index) {}

  JsonType type() const { return entry().type; }
  bool IsNull() const { return type() == JsonType::kNull; }
  bool IsBool() const {
    return type() == JsonType::kTrue || type() == JsonType::kFalse;
  }
  bool IsNumber() const { return type() == JsonType::kNumber; }
  bool IsString() const { return type() == JsonType::kString; }
  bool IsArray() const { return type() == JsonType::kArray; }
  bool IsObject() const { return type() == JsonType::kObject; }
  // A number written without a fraction or an exponent.
  bool IsWholeText() const;

  bool Bool() const { return type() == JsonType::kTrue; }
  // A string's content (escapes decoded), or a number as it was written.
  std::string_view Text() const {
    return std::string_view(tree_->text).substr(entry().text, entry().size);
  }
  // A number as a Double (always finite: the reader refuses the others).
  double Number() const;

  // Elements of an array, keys of an object.
  std::size_t Size() const { return entry().size; }

  // Children in order: for an array its elements; for an object its values,
  // with Key() giving each one's key.
  class Iterator {
   public:
    Iterator(const JsonTree& tree, std::uint32_t at, bool object)
        : tree_(&tree), at_(at), object_(object) {}
    JsonValue operator*() const {
      return JsonValue(*tree_, object_ ? at_ + 1 : at_);
    }
    std::string_view Key() const { return JsonValue(*tree_, at_).Text(); }
    Iterator& operator++() {
      at_ = tree_->entries[object_ ? at_ + 1 : at_].end;
      return *this;
    }
    bool operator!=(const Iterator& other) const { return at_ != other.at_; }

   private:
    const JsonTree* tree_;
    std::uint32_t at_;
    bool object_;
  };
  Iterator begin() const { return Iterator(*tree_, index_ + 1, IsObject()); }
  Iterator end() const { return Iterator(*tree_, entry().end, IsObject()); }

  // The value of `key` in an object.
  std::optional<JsonValue> Find(std::string_view key) const;

  // The value as compact JSON, for messages: at most about `limit` bytes,
  // then "...".
  std::string Compact(std::size_t limit = 40) const;

 private:
  const JsonTree::Entry& entry() const { return tree_->entries[index_]; }
  const JsonTree* tree_;
  std::uint32_t index_;
};

// Reads one JSON document from a file or from text, part by part.
class JsonReader {
 public:
  // `origin` names the input in messages. The file is read from its current
  // position and is not closed.
  JsonReader(std::FILE* file, std::string origin);
  JsonReader(std::string_view text, std::string origin);
  ~JsonReader();
  JsonReader(const JsonReader&) = delete;
  JsonReader& operator=(const JsonReader&) = delete;

  // The next character that is not a blank (-1 at the end of the input).
  int Peek();

  // Structure, for a caller that walks the outer levels itself (and keeps
  // only one part at a time). `depth` is the nesting level of what is read.
  // Begin* take the opening bracket (error when it is not there);
  // Next* return false once the closing bracket is taken.
  void BeginObject(int depth);
  bool NextKey(std::string& key);
  void BeginArray(int depth);
  bool NextElement();

  // Reads one whole value into `tree` (cleared first); `depth` is the
  // nesting level of the value itself.
  void ReadValue(JsonTree& tree, int depth);

  // Only blanks may follow the document.
  void ExpectEnd();

  // Bytes of the input read so far.
  std::uint64_t Offset() const;

  // For a caller that reads the common forms of a value straight from the
  // bytes and hands every other to ReadValue: the bytes in memory from the
  // reader's position, blanks included, at least `want` of them (up to a
  // chunk) unless the input ends first. Valid until the next call.
  std::string_view Ahead(std::size_t want);
  // Takes the first `bytes` of what Ahead showed, which held `lines` line
  // ends; the last of them ended at `line_start` bytes in.
  void Take(std::size_t bytes, std::uint64_t lines, std::size_t line_start);

  // Error 321 "Invalid file format: ORIGIN: line L, column C: PROBLEM", at
  // the reader's position or at `offset` on the current line (where the
  // token that is refused starts).
  [[noreturn]] void Fail(const std::string& problem) const;
  [[noreturn]] void FailAt(std::uint64_t offset,
                           const std::string& problem) const;

 private:
  struct Input;
  int PeekRaw();
  int PeekRefill();
  void SkipBlanks();
  void SkipMoreBlanks();
  void Expect(char c, const char* what);
  void ReadString(std::string& out);
  double ReadNumber(std::string& out);
  void ReadLiteral(const char* word);
  [[noreturn]] void Unexpected(const char* expected);
  void CountElement(std::uint32_t& count);

  std::unique_ptr<Input> in_;
  std::string origin_;
  std::uint64_t line_ = 1;
  std::uint64_t line_start_ = 0;  // offset of the current line's first byte
  // Per open container of a Begin*/Next* walk: elements so far, and whether
  // the first one has been read.
  struct Open {
    std::uint32_t count = 0;
    bool object = false;
  };
  std::vector<Open> walk_;
  std::vector<std::uint32_t> stack_;  // open containers of ReadValue
};

}  // namespace morvel::mem

#endif  // MORVEL_MEMSCENE_JSON_READER_H_

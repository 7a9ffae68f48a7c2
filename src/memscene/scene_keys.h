#ifndef MORVEL_MEMSCENE_SCENE_KEYS_H_
#define MORVEL_MEMSCENE_SCENE_KEYS_H_

#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "memscene/state.h"

// Every property of a scene, named once. One table per kind of record (the
// scene, each kind of node, a material, its maps, an orientation...) lists
// its keys in file order: the key's name in the scene file, how its value is
// kept, where it lives, and the scene graph's operations that read and write
// it as the journal and planned failures name them. The scene file's reader
// and writer, its known-key check, the value paths of tests, the random
// user's check that every number is finite and the list of operations a
// failure can be planned for all walk these tables; a new property is one
// line here.
namespace morvel::mem {

enum class KeyType : std::uint8_t {
  kName,    // the node's name, kind and parent: read and written before
  kKind,    // the other keys, since those depend on them
  kParent,  //
  kFlag,    // a bit of NodeData::flags; true or false in the file
  kBool,
  kLong,     // a 32-bit whole number, within [lo, hi]
  kInteger,  // a 16-bit whole number
  kSingle,
  kVector,         // SingleVector3
  kLongVector,     // LongVector3
  kColour,         // ColourValue; the file may leave out alpha
  kIKJointLimits,  // six Singles
  kMatrix,         // SourceMatrix, sixteen Singles
  kString,
  kCaption,     // SourceTexts: the caption (the node's name when absent)
  kDetail,      // SourceTexts: the detail
  kSixStrings,  // SixStrings, at most six in the file
  kPaths,       // SixStrings of file paths, relative to the scene's folder
  kFields,      // PackedStrings of any length
  kNames,       // std::vector<std::string>
  kRecord,      // an object with keys of its own (`table`)
  kMaterials,   // MaterialList, each a `table` record
  kMaps,        // Boxed<MapsData>, a `table` record when present
  kMesh,        // the shape's geometry (ShapeData::mesh)
};

struct KeyTable;

// The ranges of a Long and of an Integer, as Doubles read from a file.
inline constexpr double kLongLow = -2147483648.0;
inline constexpr double kLongHigh = 2147483647.0;
inline constexpr double kIntegerLow = -32768;
inline constexpr double kIntegerHigh = 32767;

// What a node table's fields are read from: the node and its kind's data
// (only the pointer of the node's kind is set).
struct NodeRecord {
  NodeData* node = nullptr;
  ShapeData* shape = nullptr;
  GroupData* group = nullptr;
  LightData* light = nullptr;
  CameraData* camera = nullptr;
};

struct Key {
  std::string_view name;
  KeyType type;
  // The field within a record of the table: to read (a value kept out of
  // line and never set reads as its default) and to write (which makes it).
  const void* (*get)(const void* record) = nullptr;
  void* (*put)(void* record) = nullptr;
  // The scene graph's operations on the value ("" for none).
  std::string_view read_op = {};
  std::string_view write_op = {};
  // kFlag: the bit. kLong: the range, and the words for it when a value is
  // outside (nullptr: the range of a Long).
  std::uint16_t flag = 0;
  double lo = kLongLow;
  double hi = kLongHigh;
  const char* range = nullptr;
  // kRecord, kMaterials, kMaps: the keys of the record.
  const KeyTable* table = nullptr;
};

struct KeyTable {
  // "a shape", "an orientation": what a key not in the table is not a key
  // of.
  const char* what;
  // kRecord and the like: what the value must be ("an object with Forward
  // and Up").
  const char* expected;
  std::span<const Key> keys;
  // A record holding every default.
  const void* defaults;
  // Records written whole, every key, even at its default (an orientation,
  // a material's maps): the reader of the file sees all of it at once.
  bool whole = false;
  // A check of the whole record once read: the problem, or nullptr.
  const char* (*check)(const void* record) = nullptr;

  // The key of that name, or nullptr.
  const Key* Find(std::string_view name) const;
};

// What every reader of scene files takes, and how it keeps it.
// A whole number within [lo, hi] (a Long's range or narrower). Below 2^53 a
// Double holds every whole number exactly; above, none is in range.
inline bool IsWholeWithin(double value, double lo, double hi) {
  return std::fabs(value) < 9007199254740992.0 &&
         std::floor(value) == value && value >= lo && value <= hi;
}
inline bool FitsSingle(double value) {
  return std::fabs(value) <= std::numeric_limits<Single>::max();
}
// kFlag: sets or clears the key's bit.
void StoreFlag(const Key& key, bool on, void* record);
// kString, kCaption, kDetail.
void StoreText(const Key& key, std::string_view text, void* record);
// kSixStrings, kPaths, kFields.
void StoreStrings(const Key& key, const std::vector<std::string_view>& texts,
                  void* record);

// The tables of the scene object and of each kind of node (the keys every
// node has first); empty for an unknown kind.
const KeyTable& SceneKeys();
std::span<const KeyTable* const> NodeKeys(Long kind);
// The key of that name for a node of `kind`, or nullptr.
const Key* FindNodeKey(Long kind, std::string_view name);
// "a shape", "a light": for messages.
const char* KindWhat(Long kind);

NodeRecord RecordOf(SceneContent& content, std::int32_t index);
NodeRecord RecordOf(const SceneContent& content, std::int32_t index);

// Every operation name the tables give, sorted, each once.
std::vector<std::string_view> KeyOperations();

// The first number of the scene that is not finite, by its key path
// ("Teapot.Materials[0].Colour"); empty when every number is finite.
std::string FirstNonFinite(const SceneContent& content);

}  // namespace morvel::mem

#endif  // MORVEL_MEMSCENE_SCENE_KEYS_H_

#ifndef MORVEL_MEMSCENE_SCENE_FILE_H_
#define MORVEL_MEMSCENE_SCENE_FILE_H_

#include <cstdint>
#include <cstdio>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "memscene/state.h"

// The scene file format: JSON, keys named as the scene graph names its
// properties (the tables of scene_keys.h list them). Reading
// (scene_reader.cc) checks everything (types, ranges, names, references,
// and the limits of json_reader.h that keep a hostile file from exhausting
// the stack or the memory) and names the file and the place of the first
// problem: the node and the key, or the line and column. Writing
// (scene_writer.cc) leaves out the values that equal their defaults, so
// files stay short; values by key path are in scene_paths.cc.
namespace morvel::mem {

// How the nodes of a file are read. kQuick takes the plain ones straight
// from the bytes (quick_node.h) and every other one through a parsed tree;
// kFull takes them all through the tree. Both give the same scene, or the
// same message: kFull is the reference the tests hold kQuick to.
enum class NodeReading { kQuick, kFull };

// Error 321 "Invalid file format: ..." for anything wrong with the content,
// syntax included. A parsed document is checked as its text would be.
SceneContent ReadScene(const nlohmann::json& json, const std::string& origin);
SceneContent ReadSceneText(std::string_view text, const std::string& origin,
                           NodeReading reading = NodeReading::kQuick);
// Reads the file from its current position, a chunk at a time (error 75
// when reading fails). `size_hint`, the file's size when known, lets the
// node array be laid out once.
SceneContent ReadSceneFile(std::FILE* file, const std::string& origin,
                           std::uint64_t size_hint = 0,
                           NodeReading reading = NodeReading::kQuick);

// Whether a shape's geometry is written out (a file) or left out (a
// snapshot of the values, which never change the geometry).
enum class MeshForm { kNone, kInline };

// Turns a map path as the scene holds it into the one to write.
using PathMap = std::function<std::string(std::string_view)>;

// The whole scene; with `omit_defaults` only the values a user set; map
// paths through `map_path` when given.
nlohmann::ordered_json WriteScene(const SceneContent& content,
                                  bool omit_defaults,
                                  MeshForm meshes = MeshForm::kNone,
                                  const PathMap* map_path = nullptr);
nlohmann::ordered_json WriteNode(const SceneContent& content,
                                 std::int32_t index, bool omit_defaults,
                                 MeshForm meshes = MeshForm::kNone,
                                 const PathMap* map_path = nullptr);

// Map paths relative to `from_folder` (the folder of the file the scene
// came from) made relative to `to_folder` (the folder it is saved to), so
// that a copy saved elsewhere still finds its textures; absolute paths stay
// as they are. With no `from_folder` (a scene made in memory) paths are
// kept as they are.
PathMap Rebase(const std::string& from_folder, const std::string& to_folder);

// A value by its key path: "Teapot.SmoothingLevel",
// "Teapot.Materials[0].Diffuse", "Teapot.Clones.Counts[0]", or a scene key
// ("ApplicationRegistryKey", "selection[0]"). A node name may itself contain
// dots; the longest name that matches wins. Error 5 for a path that names
// nothing, 9 for an index outside its array.
nlohmann::ordered_json ValueAt(const SceneContent& content,
                               const std::string& path);

// How values read as text: numbers in their shortest exact form, True and
// False, strings as they are, arrays and objects as compact JSON.
std::string ValueText(const nlohmann::ordered_json& value);

// A Single as a JSON number that prints as its shortest exact text.
nlohmann::ordered_json SingleJson(Single value);

}  // namespace morvel::mem

#endif  // MORVEL_MEMSCENE_SCENE_FILE_H_

#include "memscene/scene_files.h"

#include <assimp/Importer.hpp>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>

#include "base/error.h"
#include "memscene/model_export.h"
#include "memscene/scene_file.h"
#include "memscene/scene_wire.h"
#include "memscene/state.h"

namespace morvel {
namespace {

namespace fs = std::filesystem;

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// "gltf" for "Duck.GLTF"; "mesh.xml" style double extensions are not
// needed: Assimp knows them by their last part too.
std::string ExtensionOf(const std::string& path) {
  std::string extension = fs::path(path).extension().string();
  return Lower(extension.empty() ? extension : extension.substr(1));
}

// What the import library reads, made once: its list is long and fixed.
const std::set<std::string>& ModelExtensions() {
  static const std::set<std::string> extensions = [] {
    std::set<std::string> out;
    std::string list;
    Assimp::Importer().GetExtensionList(list);  // "*.3d;*.3ds;..."
    std::size_t at = 0;
    while (at < list.size()) {
      std::size_t end = list.find(';', at);
      if (end == std::string::npos) end = list.size();
      std::string one = list.substr(at, end - at);
      if (one.rfind("*.", 0) == 0) one = one.substr(2);
      // Our own scene files keep their extension.
      if (!one.empty() && one != "json") out.insert(Lower(one));
      at = end + 1;
    }
    return out;
  }();
  return extensions;
}

}  // namespace

bool IsModelFile(const std::string& path) {
  return ModelExtensions().count(ExtensionOf(path)) > 0;
}

std::vector<std::string> OpenableExtensions() {
  std::vector<std::string> out{"json"};
  out.insert(out.end(), ModelExtensions().begin(), ModelExtensions().end());
  return out;
}

std::vector<std::string> SaveableExtensions() {
  std::vector<std::string> out{"json"};
  for (const char* extension :
       {"gltf", "glb", "obj", "dae", "fbx", "ply", "stl"}) {
    out.push_back(extension);
  }
  return out;
}

std::shared_ptr<MemSceneGraph> OpenSceneFile(const std::string& path,
                                             const mem::ImportLimits& limits) {
  if (!IsModelFile(path)) return MemSceneGraph::Load(path);
  std::error_code error;
  fs::file_status status = fs::status(path, error);
  if (!fs::exists(status)) RaiseError(kErrFileNotFound, "File not found: " + path);
  if (!fs::is_regular_file(status)) {
    RaiseError(kErrPathFileAccess,
               "Path/File access error: " + path + " is not a file");
  }
  if (access(path.c_str(), R_OK) != 0)
    RaiseError(kErrPathFileAccess, "Path/File access error: " + path);
  const std::string answer = mem::RunImporter(path, limits);
  mem::SceneContent content = mem::DecodeScene(answer, path);
  return MemSceneGraph::FromContent(
      std::move(content), path, fs::absolute(path, error).parent_path().string());
}

void SaveSceneFile(const MemSceneGraph& scene, const std::string& path) {
  const std::string format = mem::ExportFormatOf(ExtensionOf(path));
  if (format.empty()) {
    scene.Save(path);
    return;
  }
  std::error_code error;
  const mem::PathMap rebase = mem::Rebase(
      scene.state().folder, fs::absolute(path, error).parent_path().string());
  mem::ExportModel(scene.state().content, path, format, rebase);
}

}  // namespace morvel

#ifndef MORVEL_MEMSCENE_MODEL_EXPORT_H_
#define MORVEL_MEMSCENE_MODEL_EXPORT_H_

#include <functional>
#include <string>
#include <string_view>

#include "memscene/state.h"

// Writes a scene as a model file through the Open Asset Import Library's
// exporters: groups and bones as nodes (with their matrix), shapes with
// geometry as meshes in their first material, lights and cameras with what
// they carry. docs/scene-format.md lists what each format keeps.
namespace morvel::mem {

// The exporter's name of the format an extension stands for ("gltf2" for
// ".gltf"); "" when no exporter writes it.
std::string ExportFormatOf(std::string_view extension);

// Writes `content` to `path` in `format`; `map_path` turns each map path
// into the one to write. Error 75 when the exporter cannot write the file.
void ExportModel(const SceneContent& content, const std::string& path,
                 const std::string& format,
                 const std::function<std::string(std::string_view)>& map_path);

}  // namespace morvel::mem

#endif  // MORVEL_MEMSCENE_MODEL_EXPORT_H_

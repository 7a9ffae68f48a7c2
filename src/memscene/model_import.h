#ifndef MORVEL_MEMSCENE_MODEL_IMPORT_H_
#define MORVEL_MEMSCENE_MODEL_IMPORT_H_

#include <string>

#include "memscene/state.h"

struct aiScene;

// Turns a scene the Open Asset Import Library read from a model file into
// the reference scene: nodes as groups (bones where a skin names them) with
// their position, orientation and scale, meshes as shapes with their
// geometry and material, lights and cameras as their kinds.
// docs/scene-format.md gives every field, where it comes from and how it is
// converted. Nothing the file says is trusted: counts are checked against
// the arrays they count, indexes against what they index, numbers that are
// not finite are left at their defaults, and names are made unique,
// visible and valid UTF-8.
//
// This runs in the importer process (morvel-import), never in a host: a
// file can make the library itself hang or run out of memory.
namespace morvel::mem {

struct ImportSettings {
  // The model file: shapes name it in their Source caption.
  std::string file;
  // Where textures kept inside the model file are written, so that they
  // can be shown like any other (made when needed; empty: not written).
  std::string texture_folder;
};

// The flags the import runs with: triangles only, every mesh checked.
unsigned ImportFlags();

SceneContent ConvertModel(const aiScene& scene, const ImportSettings& settings);

// A name as the scene shows it: valid UTF-8 (a byte that is not becomes
// U+FFFD), control characters as their visible pictures (U+2400...), at most
// 255 bytes.
std::string VisibleName(std::string_view raw);

}  // namespace morvel::mem

#endif  // MORVEL_MEMSCENE_MODEL_IMPORT_H_

#ifndef MORVEL_MEMSCENE_IMPORT_GUARD_H_
#define MORVEL_MEMSCENE_IMPORT_GUARD_H_

#include <chrono>
#include <cstdint>
#include <string>

// Model files are read by the Open Asset Import Library in a child process
// (morvel-import), never in the host: some files make the library hang,
// take memory without end or crash, and a host must outlive all of them.
// Each import gets a time limit, the child an address-space limit (it caps
// itself) and a watch on its resident memory (the limit where a sanitizer
// needs the whole address space); past any of them the child is killed,
// and the host gets a numbered error naming the file. One child serves all
// the imports of a host until it is killed, and a new one starts for the
// next. docs/scene-format.md describes the guard.
namespace morvel::mem {

struct ImportLimits {
  std::chrono::milliseconds time{10000};
  std::uint64_t memory = std::uint64_t{4} << 30;
};

// The importer program: $MORVEL_IMPORTER, else morvel-import beside the
// running program, else the installed one.
std::string ImporterProgram();

// Where textures kept inside model files are written for showing:
// $XDG_CACHE_HOME/morvel/textures (~/.cache when unset).
std::string TextureCacheFolder();

// The importer's answer for `path` (scene_wire.h). Error 321 when it did
// not finish in time or stopped without an answer, 7 when it went past the
// memory limit, 75 when it cannot be started.
std::string RunImporter(const std::string& path, const ImportLimits& limits);

}  // namespace morvel::mem

#endif  // MORVEL_MEMSCENE_IMPORT_GUARD_H_

// morvel-import: reads model files through the Open Asset Import Library
// and writes the scene it makes of each to standard output (scene_wire.h),
// for a host that runs it as a child process. Whatever a file does to the
// library (a hang, memory without end, a crash) happens here, where the
// host's time and memory limits end it, and never in the host.
//
//   morvel-import [--memory BYTES] [--textures FOLDER] FILE
//   morvel-import --serve [--memory BYTES] [--textures FOLDER]
//
// Served, it reads requests from standard input (a file's length as four
// bytes, then the path) and answers each (its length as eight bytes, then
// the answer), until its input ends: a host keeps one importer for all its
// imports and spares a start, and a fresh address space, for each.

#include <malloc.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <charconv>
#include <cstdio>
#include <exception>
#include <fstream>
#include <new>
#include <string>
#include <string_view>

#include "base/error.h"
#include "memscene/model_import.h"
#include "memscene/scene_wire.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// The answer's own channel: standard output as the host started us, kept
// apart from what the library prints (some importers write to standard
// output, which then goes to standard error).
int answer_fd = STDOUT_FILENO;

bool WriteAll(const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(answer_fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

int Answer(const std::string& bytes) { return WriteAll(bytes) ? 0 : 1; }

// The answer for one file.
std::string Import(const std::string& file, const std::string& textures) {
  try {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(file, morvel::mem::ImportFlags());
    if (scene == nullptr) {
      std::string reason = importer.GetErrorString();
      if (reason.find("bad_alloc") != std::string::npos) {
        return morvel::mem::EncodeError(
            morvel::kErrOutOfMemory,
            "Out of memory: " + file + ": the model needs more memory than an "
            "import may take");
      }
      return morvel::mem::EncodeError(
          morvel::kErrInvalidFileFormat,
          "Invalid file format: " + file + ": " +
              (reason.empty() ? std::string("the importer cannot read it")
                              : morvel::mem::VisibleName(reason)));
    }
    morvel::mem::ImportSettings settings{file, textures};
    return morvel::mem::EncodeScene(morvel::mem::ConvertModel(*scene, settings));
  } catch (const std::bad_alloc&) {
    return morvel::mem::EncodeError(
        morvel::kErrOutOfMemory,
        "Out of memory: " + file +
            ": the model needs more memory than an import may take");
  } catch (const morvel::Error& e) {
    return morvel::mem::EncodeError(e.Number(), e.Description());
  } catch (const std::exception& e) {
    return morvel::mem::EncodeError(
        morvel::kErrInvalidFileFormat,
        "Invalid file format: " + file + ": " + morvel::mem::VisibleName(e.what()));
  }
}

bool ReadAll(char* to, std::size_t size) {
  while (size > 0) {
    ssize_t n = read(STDIN_FILENO, to, size);
    if (n <= 0) return false;
    to += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// What an idle importer may keep of the memory its imports took.
constexpr std::uint64_t kKeptMemory = std::uint64_t{256} << 20;

int Serve(const std::string& textures) {
  // The memory an import frees stays with the process, mapped and warm,
  // for the next import (up to kKeptMemory): giving big blocks back to the
  // system at once would make each import fault them in anew, which costs
  // a big mesh's import a third of its time.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, static_cast<int>(kKeptMemory));
  for (;;) {
    std::uint32_t length = 0;
    if (!ReadAll(reinterpret_cast<char*>(&length), sizeof length)) return 0;
    if (length > (1u << 20)) return 1;
    std::string file(length, '\0');
    if (!ReadAll(file.data(), length)) return 1;
    std::string answer = Import(file, textures);
    std::uint64_t size = answer.size();
    if (!WriteAll(std::string(reinterpret_cast<const char*>(&size), sizeof size)) ||
        !WriteAll(answer))
      return 1;
    // What a big model took goes back, so that the next import's memory is
    // measured from a small start; a small one's stays, warm for the next.
    answer = {};
    std::ifstream statm("/proc/self/statm");
    std::uint64_t pages = 0, resident = 0;
    statm >> pages >> resident;
    if (resident * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE)) >
        kKeptMemory)
      malloc_trim(0);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::uint64_t memory = 0;
  std::string textures, file;
  bool serve = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--" && i + 1 < argc) {
      file = argv[++i];
    } else if (arg == "--serve") {
      serve = true;
    } else if ((arg == "--memory" || arg == "--textures") && i + 1 < argc) {
      std::string_view value = argv[++i];
      if (arg == "--textures") {
        textures = std::string(value);
      } else {
        std::from_chars(value.data(), value.data() + value.size(), memory);
      }
    } else {
      file = std::string(arg);
    }
  }
  if (file.empty() && !serve) {
    std::fputs(
        "usage: morvel-import [--memory BYTES] [--textures FOLDER] FILE\n"
        "       morvel-import --serve [--memory BYTES] [--textures FOLDER]\n",
        stderr);
    return 2;
  }
  answer_fd = dup(STDOUT_FILENO);
  if (answer_fd < 0) return 1;
  dup2(STDERR_FILENO, STDOUT_FILENO);
  // An importer whose host is gone has no one to answer.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  // The address space is capped where the sanitizer does not need all of it
  // for its shadow memory; there the host's watch on the resident memory is
  // the limit.
  if (memory > 0 && !kSanitized) {
    rlimit limit{memory, memory};
    setrlimit(RLIMIT_AS, &limit);
  }
  if (serve) return Serve(textures);
  return Answer(Import(file, textures));
}

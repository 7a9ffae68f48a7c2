// morvel-import: reads one model file through the Open Asset Import Library
// and writes the scene it makes of it to standard output (scene_wire.h),
// for a host that runs it as a child process. Whatever the file does to the
// library (a hang, memory without end, a crash) happens here, where the
// host's time and memory limits end it, and never in the host.
//
//   morvel-import [--memory BYTES] [--textures FOLDER] FILE

#include <sys/resource.h>
#include <unistd.h>

#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <charconv>
#include <cstdio>
#include <exception>
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

}  // namespace

int main(int argc, char** argv) {
  std::uint64_t memory = 0;
  std::string textures, file;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--" && i + 1 < argc) {
      file = argv[++i];
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
  if (file.empty()) {
    std::fputs("usage: morvel-import [--memory BYTES] [--textures FOLDER] FILE\n",
               stderr);
    return 2;
  }
  answer_fd = dup(STDOUT_FILENO);
  if (answer_fd < 0) return 1;
  dup2(STDERR_FILENO, STDOUT_FILENO);
  // The address space is capped where the sanitizer does not need all of it
  // for its shadow memory; there the host's watch on the resident memory is
  // the limit.
  if (memory > 0 && !kSanitized) {
    rlimit limit{memory, memory};
    setrlimit(RLIMIT_AS, &limit);
  }
  try {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(file, morvel::mem::ImportFlags());
    if (scene == nullptr) {
      std::string reason = importer.GetErrorString();
      if (reason.find("bad_alloc") != std::string::npos) {
        return Answer(morvel::mem::EncodeError(
            morvel::kErrOutOfMemory,
            "Out of memory: " + file + ": the model needs more memory than an "
            "import may take"));
      }
      return Answer(morvel::mem::EncodeError(
          morvel::mem::kErrInvalidFileFormat,
          "Invalid file format: " + file + ": " +
              (reason.empty() ? std::string("the importer cannot read it")
                              : morvel::mem::VisibleName(reason))));
    }
    morvel::mem::ImportSettings settings{file, textures};
    return Answer(morvel::mem::EncodeScene(
        morvel::mem::ConvertModel(*scene, settings)));
  } catch (const std::bad_alloc&) {
    return Answer(morvel::mem::EncodeError(
        morvel::kErrOutOfMemory,
        "Out of memory: " + file +
            ": the model needs more memory than an import may take"));
  } catch (const morvel::Error& e) {
    return Answer(morvel::mem::EncodeError(e.Number(), e.Description()));
  } catch (const std::exception& e) {
    return Answer(morvel::mem::EncodeError(
        morvel::mem::kErrInvalidFileFormat,
        "Invalid file format: " + file + ": " + morvel::mem::VisibleName(e.what())));
  }
}

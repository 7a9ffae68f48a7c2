#include "memscene/import_guard.h"

#include <fcntl.h>
#include <pthread.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <vector>

#include "base/error.h"
#include "memscene/state.h"

extern char** environ;

namespace morvel::mem {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The answer of a model a host can hold is far below this; past it the
// importer is making something no host should take.
constexpr std::size_t kMaxAnswer = std::size_t{2} << 30;

bool Executable(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error) && access(path.c_str(), X_OK) == 0;
}

// Resident memory of a process, in bytes (0 when it cannot be read).
std::uint64_t ResidentBytes(pid_t pid) {
  std::ifstream statm("/proc/" + std::to_string(pid) + "/statm");
  std::uint64_t size = 0, resident = 0;
  statm >> size >> resident;
  return resident * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
}

}  // namespace

std::string ImporterProgram() {
  if (const char* set = std::getenv("MORVEL_IMPORTER"); set && *set) return set;
  std::error_code error;
  fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (!error) {
    for (fs::path candidate : {self.parent_path() / "morvel-import",
                               self.parent_path().parent_path() / "libexec" /
                                   "morvel-import"}) {
      if (Executable(candidate)) return candidate.string();
    }
  }
#ifdef MORVEL_IMPORTER_PATH
  if (Executable(MORVEL_IMPORTER_PATH)) return MORVEL_IMPORTER_PATH;
#endif
  return "morvel-import";
}

std::string TextureCacheFolder() {
  fs::path base;
  if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache) {
    base = cache;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = fs::path(home) / ".cache";
  } else {
    base = fs::temp_directory_path();
  }
  return (base / "morvel" / "textures").string();
}

namespace {

// The importer this process keeps: started on the first import, asked for
// each next one, and started anew after it was stopped (a file that took
// too long or too much, or made it crash). Keeping it spares each import a
// process start and an address space to fill from nothing, which cost more
// than the import of a small model.
class Importer {
 public:
  std::string Import(const std::string& path, const ImportLimits& limits) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto deadline = Clock::now() + limits.time;
    if (pid_ > 0 && memory_ != limits.memory) Stop();
    if (pid_ <= 0) Start(path, limits);
    if (!Ask(path)) {
      // It ended since the last answer: once more with a fresh one.
      Stop();
      Start(path, limits);
      if (!Ask(path)) Failed(path, limits, deadline);
    }
    std::uint64_t size = 0;
    if (!Read(reinterpret_cast<char*>(&size), sizeof size, path, limits,
              deadline))
      Failed(path, limits, deadline);
    if (size > kMaxAnswer) {
      Stop();
      TooBig(path, limits);
    }
    std::string answer(static_cast<std::size_t>(size), '\0');
    if (!Read(answer.data(), answer.size(), path, limits, deadline))
      Failed(path, limits, deadline);
    return answer;
  }

 private:
  void Start(const std::string& path, const ImportLimits& limits) {
    const std::string program = ImporterProgram();
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) != 0) CannotStart(path, program, errno);
    if (pipe2(out, O_CLOEXEC) != 0) {
      close(in[0]);
      close(in[1]);
      CannotStart(path, program, errno);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    const std::string memory = std::to_string(limits.memory);
    const std::string textures = TextureCacheFolder();
    std::vector<char*> argv = {const_cast<char*>(program.c_str()),
                               const_cast<char*>("--serve"),
                               const_cast<char*>("--memory"),
                               const_cast<char*>(memory.c_str()),
                               const_cast<char*>("--textures"),
                               const_cast<char*>(textures.c_str()),
                               nullptr};
    pid_t pid = -1;
    int spawned = posix_spawnp(&pid, program.c_str(), &actions, nullptr,
                               argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    if (spawned != 0) {
      close(in[1]);
      close(out[0]);
      CannotStart(path, program, spawned);
    }
    pid_ = pid;
    to_ = in[1];
    from_ = out[0];
    memory_ = limits.memory;
  }

  // Kills the importer (it may be stuck) and waits for it; its exit status.
  int Stop() {
    int status = 0;
    if (to_ >= 0) close(to_);
    if (from_ >= 0) close(from_);
    to_ = from_ = -1;
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
      }
    }
    pid_ = -1;
    return status;
  }

  // Sends the request; false when the importer is gone. A write to a pipe
  // nobody reads raises SIGPIPE, which would end the host: it is held back
  // for the write and taken away if it came.
  bool Ask(const std::string& path) {
    std::string request(sizeof(std::uint32_t), '\0');
    const auto length = static_cast<std::uint32_t>(path.size());
    std::memcpy(request.data(), &length, sizeof length);
    request += path;
    sigset_t pipe_signal, before;
    sigemptyset(&pipe_signal);
    sigaddset(&pipe_signal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe_signal, &before);
    bool sent = true;
    for (std::size_t done = 0; sent && done < request.size();) {
      ssize_t n = write(to_, request.data() + done, request.size() - done);
      if (n < 0 && errno == EINTR) continue;
      sent = n > 0;
      if (sent) done += static_cast<std::size_t>(n);
    }
    if (!sent) {
      timespec none{0, 0};
      sigtimedwait(&pipe_signal, nullptr, &none);
    }
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    return sent;
  }

  // Reads `size` bytes of the answer within the limits; false when the
  // importer ended before.
  bool Read(char* to, std::size_t size, const std::string& path,
            const ImportLimits& limits, Clock::time_point deadline) {
    while (size > 0) {
      const auto now = Clock::now();
      if (now >= deadline) {
        Stop();
        TooLong(path, limits);
      }
      if (ResidentBytes(pid_) > limits.memory) {
        Stop();
        TooBig(path, limits);
      }
      pollfd wait{from_, POLLIN, 0};
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
      int ready = poll(&wait, 1,
                       static_cast<int>(std::min<long long>(left.count() + 1, 50)));
      if (ready < 0 && errno != EINTR) return false;
      if (ready <= 0) continue;
      ssize_t n = read(from_, to, size);
      if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      if (n <= 0) return false;
      to += n;
      size -= static_cast<std::size_t>(n);
    }
    return true;
  }

  // The importer ended without a whole answer: why, in words.
  [[noreturn]] void Failed(const std::string& path, const ImportLimits& limits,
                           Clock::time_point deadline) {
    const int status = Stop();
    if (WIFSIGNALED(status)) {
      if (Clock::now() >= deadline) TooLong(path, limits);
      RaiseError(kErrInvalidFileFormat,
                 "Invalid file format: " + path + ": the importer stopped (" +
                     strsignal(WTERMSIG(status)) + ")");
    }
    RaiseError(kErrInvalidFileFormat,
               "Invalid file format: " + path +
                   ": the importer gave no answer (exit status " +
                   std::to_string(WEXITSTATUS(status)) + ")");
  }

  [[noreturn]] static void CannotStart(const std::string& path,
                                       const std::string& program, int error) {
    RaiseError(kErrPathFileAccess, "Path/File access error: cannot start the "
                                   "importer (" + program + ") for " + path +
                                       ": " + std::strerror(error));
  }

  [[noreturn]] static void TooLong(const std::string& path,
                                   const ImportLimits& limits) {
    const auto ms = limits.time.count();
    std::string seconds = std::to_string(ms / 1000);
    if (ms % 1000 != 0) seconds += "." + std::to_string(ms % 1000 / 100);
    RaiseError(kErrInvalidFileFormat,
               "Invalid file format: " + path +
                   ": the importer did not finish within " + seconds + " s");
  }

  [[noreturn]] static void TooBig(const std::string& path,
                                  const ImportLimits& limits) {
    RaiseError(kErrOutOfMemory,
               "Out of memory: " + path + ": the model needs more than " +
                   std::to_string(limits.memory >> 20) +
                   " MiB, the most an import may take");
  }

  std::mutex mutex_;
  pid_t pid_ = -1;
  int to_ = -1;
  int from_ = -1;
  std::uint64_t memory_ = 0;
};

}  // namespace

std::string RunImporter(const std::string& path, const ImportLimits& limits) {
  // Kept for the life of the process: when it ends, the importer's input
  // ends and it leaves.
  static Importer* importer = new Importer;
  return importer->Import(path, limits);
}

}  // namespace morvel::mem

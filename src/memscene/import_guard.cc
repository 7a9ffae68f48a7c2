#include "memscene/import_guard.h"

#include <fcntl.h>
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

// Owns the child until it has been waited for: an error on the way out
// kills it rather than leaving it to run on.
class Child {
 public:
  explicit Child(pid_t pid) : pid_(pid) {}
  ~Child() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      int status = 0;
      waitpid(pid_, &status, 0);
    }
  }
  pid_t pid() const { return pid_; }
  // Waits for the child to end (killing it at `deadline`); its status.
  int Wait(Clock::time_point deadline) {
    int status = 0;
    for (;;) {
      pid_t done = waitpid(pid_, &status, WNOHANG);
      if (done == pid_ || (done < 0 && errno != EINTR)) break;
      if (Clock::now() >= deadline) kill(pid_, SIGKILL);
      usleep(2000);
    }
    pid_ = -1;
    return status;
  }

 private:
  pid_t pid_;
};

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { Close(); }
  int get() const { return fd_; }
  void Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

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

std::string RunImporter(const std::string& path, const ImportLimits& limits) {
  const std::string program = ImporterProgram();
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    RaiseError(kErrPathFileAccess,
               "Path/File access error: cannot start the importer for " + path);
  }
  Fd read_end(fds[0]), write_end(fds[1]);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, write_end.get(), STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY,
                                   0);
  const std::string memory = std::to_string(limits.memory);
  const std::string textures = TextureCacheFolder();
  std::vector<char*> argv = {
      const_cast<char*>(program.c_str()),  const_cast<char*>("--memory"),
      const_cast<char*>(memory.c_str()),   const_cast<char*>("--textures"),
      const_cast<char*>(textures.c_str()), const_cast<char*>("--"),
      const_cast<char*>(path.c_str()),     nullptr};
  pid_t pid = -1;
  int spawned =
      posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  write_end.Close();
  if (spawned != 0) {
    RaiseError(kErrPathFileAccess, "Path/File access error: cannot start the "
                                   "importer (" + program + ") for " + path +
                                       ": " + std::strerror(spawned));
  }
  Child child(pid);

  const auto start = Clock::now();
  const auto deadline = start + limits.time;
  std::string answer;
  char buffer[1 << 16];
  auto too_long = [&] {
    const auto ms = limits.time.count();
    std::string seconds = std::to_string(ms / 1000);
    if (ms % 1000 != 0) seconds += "." + std::to_string(ms % 1000 / 100);
    RaiseError(kErrInvalidFileFormat,
               "Invalid file format: " + path +
                   ": the importer did not finish within " + seconds + " s");
  };
  auto too_big = [&] {
    RaiseError(kErrOutOfMemory,
               "Out of memory: " + path + ": the model needs more than " +
                   std::to_string(limits.memory >> 20) +
                   " MiB, the most an import may take");
  };
  for (;;) {
    const auto now = Clock::now();
    if (now >= deadline) too_long();
    if (ResidentBytes(child.pid()) > limits.memory) too_big();
    pollfd wait{read_end.get(), POLLIN, 0};
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - now);
    int ready = poll(&wait, 1, static_cast<int>(std::min<long long>(left.count(), 50)));
    if (ready < 0 && errno != EINTR) break;
    if (ready <= 0) continue;
    ssize_t n = read(read_end.get(), buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) break;  // the importer closed its end: it is done
    answer.append(buffer, static_cast<std::size_t>(n));
    if (answer.size() > kMaxAnswer) too_big();
  }
  const int status = child.Wait(deadline + std::chrono::seconds(1));
  if (WIFSIGNALED(status)) {
    if (Clock::now() >= deadline) too_long();
    if (answer.empty() && WTERMSIG(status) == SIGKILL) too_big();
    RaiseError(kErrInvalidFileFormat,
               "Invalid file format: " + path + ": the importer stopped (" +
                   strsignal(WTERMSIG(status)) + ")");
  }
  if (answer.empty()) {
    RaiseError(kErrInvalidFileFormat,
               "Invalid file format: " + path + ": the importer gave no answer "
               "(exit status " + std::to_string(WEXITSTATUS(status)) + ")");
  }
  return answer;
}

}  // namespace morvel::mem

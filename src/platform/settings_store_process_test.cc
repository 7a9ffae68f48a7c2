// The settings store against other processes: writers running side by side,
// writers killed at random moments, and a writer the system stops mid-write.

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/settings_store.h"
#include "platform/test_folder.h"

namespace morvel {
namespace {

namespace fs = std::filesystem;
using test::ReadWholeFile;
using test::TestFolder;

// Starts `body` in a child process; its result is the child's exit code.
pid_t StartChild(const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    int code = 98;
    try {
      code = body();
    } catch (...) {
      code = 99;
    }
    ::_exit(code);
  }
  return pid;
}

// The child's exit code, or 128 + the signal that ended it.
int WaitForChild(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int TemporaryFiles(const fs::path& folder) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().string().find(".tmp-") != std::string::npos) {
      ++count;
    }
  }
  return count;
}

TEST(SettingsStoreProcessTest, TwoWritersOfOneApplicationLoseNothing) {
  TestFolder folder;
  constexpr int kWrites = 100;
  std::vector<pid_t> children;
  for (const char* prefix : {"a", "b"}) {
    children.push_back(StartChild([&, prefix] {
      FileSettingsStore store(folder.path());
      for (int i = 0; i < kWrites; ++i) {
        store.SaveSetting("Shared", "Section", prefix + std::to_string(i),
                          std::string(prefix) + " value " + std::to_string(i));
      }
      return 0;
    }));
  }
  for (pid_t child : children) ASSERT_EQ(WaitForChild(child), 0);

  FileSettingsStore store(folder.path());
  int found = 0;
  for (const char* prefix : {"a", "b"}) {
    for (int i = 0; i < kWrites; ++i) {
      const auto value =
          store.GetSetting("Shared", "Section", prefix + std::to_string(i));
      if (value == std::string(prefix) + " value " + std::to_string(i)) ++found;
    }
  }
  EXPECT_EQ(found, 2 * kWrites);
  EXPECT_EQ(TemporaryFiles(folder.path()), 0);
}

// A value long enough that writing the file takes a while, and whose every
// character depends on its index, so a torn or mixed-up value shows.
std::string ValueFor(int index) {
  std::string value;
  value.reserve(3000);
  for (int i = 0; i < 3000; ++i) {
    value.push_back(static_cast<char>('a' + (index * 7 + i) % 26));
  }
  return value;
}

// The writer appends key k<n> and then moves "count" to n + 1, forever.
int EndlessWriter(const fs::path& root) {
  FileSettingsStore store(root);
  int next = 0;
  if (auto count = store.GetSetting("Crash", "S", "count")) {
    next = std::stoi(*count);
  }
  for (;; ++next) {
    store.SaveSetting("Crash", "S", "k" + std::to_string(next), ValueFor(next));
    store.SaveSetting("Crash", "S", "count", std::to_string(next + 1));
  }
}

// The whole file must be exactly one of the states the writer passes
// through: count = n, keys k0..k(n-1), and maybe k(n) just written.
void ExpectConsistent(const fs::path& root, int round) {
  const fs::path file = root / "Crash.ini";
  if (!fs::exists(file)) return;  // killed before its first rename
  const std::string content = ReadWholeFile(file);
  FileSettingsStore store(root);
  const auto count_text = store.GetSetting("Crash", "S", "count");
  const int count = count_text ? std::stoi(*count_text) : 0;
  std::string expected = "[S]\n";
  int keys = 0;
  for (; keys <= count; ++keys) {
    const std::string line =
        "k" + std::to_string(keys) + "=" + ValueFor(keys) + "\n";
    if (content.compare(expected.size(), line.size(), line) != 0) break;
    expected += line;
    if (keys == 0 && count_text) expected += "count=" + *count_text + "\n";
  }
  ASSERT_TRUE(keys == count || keys == count + 1)
      << "round " << round << ": count " << count << ", keys " << keys;
  ASSERT_EQ(content, expected) << "round " << round;
}

TEST(SettingsStoreProcessTest, AWriterKilledAtAnyMomentLeavesAWholeFile) {
  TestFolder folder;
  // Kill at moments spread over a few dozen saves, however fast this machine
  // (or this sanitizer build) saves.
  const auto started = std::chrono::steady_clock::now();
  {
    TestFolder scratch;
    FileSettingsStore store(scratch.path());
    for (int i = 0; i < 10; ++i) {
      store.SaveSetting("Calibrate", "S", "k" + std::to_string(i), ValueFor(i));
    }
  }
  const auto save_us = std::max<long>(
      50, std::chrono::duration_cast<std::chrono::microseconds>(
              std::chrono::steady_clock::now() - started)
                  .count() /
              10);
  std::mt19937 random(20261205);
  std::uniform_int_distribution<long> delay_us(save_us / 2, save_us * 12);
  int rounds_with_leftovers = 0;
  for (int round = 0; round < 30; ++round) {
    const pid_t child = StartChild([&] { return EndlessWriter(folder.path()); });
    std::this_thread::sleep_for(std::chrono::microseconds(delay_us(random)));
    ::kill(child, SIGKILL);
    ASSERT_EQ(WaitForChild(child), 128 + SIGKILL);
    if (TemporaryFiles(folder.path()) > 0) ++rounds_with_leftovers;
    ExpectConsistent(folder.path(), round);
    if (HasFatalFailure()) return;
  }
  // The writer got somewhere, and a later save clears what killed writers
  // left behind.
  FileSettingsStore store(folder.path());
  const auto count = store.GetSetting("Crash", "S", "count");
  ASSERT_TRUE(count.has_value());
  EXPECT_GE(std::stoi(*count), 5);
  store.SaveSetting("Crash", "Other", "done", "1");
  EXPECT_EQ(TemporaryFiles(folder.path()), 0);
  RecordProperty("rounds_killed_mid_write", rounds_with_leftovers);
  std::printf("%d of 30 writers were killed while writing a file\n",
              rounds_with_leftovers);
}

TEST(SettingsStoreProcessTest, AWriteStoppedByTheSystemKeepsTheOldFile) {
  TestFolder folder;
  FileSettingsStore store(folder.path());
  store.SaveSetting("App", "Tips", "Refraction", "1");
  const std::string before = ReadWholeFile(folder.path() / "App.ini");

  // The child may not write files larger than 4 KiB: its save fails while
  // writing the new content.
  const pid_t child = StartChild([&] {
    ::signal(SIGXFSZ, SIG_IGN);
    const struct rlimit limit = {4096, 4096};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
    try {
      FileSettingsStore(folder.path())
          .SaveSetting("App", "Tips", "Big", std::string(10000, 'x'));
    } catch (const Error& e) {
      const bool names_file =
          e.Description().find((folder.path() / "App.ini").string()) !=
          std::string::npos;
      return e.Number() == kErrPathFileAccess && names_file ? 0 : 3;
    }
    return 4;  // no error
  });
  ASSERT_EQ(WaitForChild(child), 0);
  EXPECT_EQ(ReadWholeFile(folder.path() / "App.ini"), before);
  EXPECT_EQ(TemporaryFiles(folder.path()), 0);
  EXPECT_EQ(store.GetSetting("App", "Tips", "Big"), std::nullopt);
}

}  // namespace
}  // namespace morvel

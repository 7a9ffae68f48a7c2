// Benchmarks of opening scene files as a host does:
//
// - a model through the guarded importer (a child process, the scene sent
//   back through a pipe, read into the reference scene) beside Assimp's own
//   bare import of it in this process: `ratio` (wall clock) and `cpu_ratio`
//   (CPU time of this process and the importer's) at most 1.3;
// - a scene file of a million shapes (1,000 groups, one material each,
//   shaped like examples/studio.json) loaded by the whole `morvel-panel
//   show FILE --tab common` process, seven runs and their median:
//   `nodes_per_second` (wall clock) and `nodes_per_cpu_second` (the
//   process's user and system time, which a busy machine does not inflate)
//   at least 1,000,000, and `peak_per_file` (the process's peak resident
//   memory against the file's size) at most 1.5.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <ctime>
#include <unistd.h>
#include <string>

#include "memscene/model_import.h"
#include "memscene/scene_files.h"

extern char** environ;

namespace morvel {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const fs::path kCorpus = MORVEL_CORPUS_DIR;

// The corpus's largest models that open: the most faces, a big IFC
// building, a big binary Blender file and a textured AC model.
const char* const kModels[] = {
    "BLEND/SuzanneSubdiv_252.blend",
    "AC/SphereWithLightUvScaling4X.ac",
    "IFC/AC14-FZK-Haus.ifc",
    "BLEND/yxa_1.blend",
    "AC/sample_subdiv.ac",
};

// CPU seconds this process has used, all its threads.
double OwnCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// CPU seconds (user and system) the running children of this process have
// used: the kept importer does its work there, and on a machine other
// programs share, its CPU time is what the import costs.
double ChildrenCpuSeconds() {
  double seconds = 0;
  const double tick = static_cast<double>(sysconf(_SC_CLK_TCK));
  std::error_code error;
  for (const auto& task : fs::directory_iterator("/proc/self/task", error)) {
    std::ifstream children(task.path() / "children");
    for (long pid = 0; children >> pid;) {
      std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
      std::string line;
      std::getline(stat, line);
      // The fields after the command's name, which may hold blanks, start
      // after its closing parenthesis; user and system time are the 12th
      // and 13th of them.
      std::istringstream rest(line.substr(line.rfind(')') + 2));
      std::string field;
      for (int i = 0; i < 11; ++i) rest >> field;
      double user = 0, system = 0;
      rest >> user >> system;
      seconds += (user + system) / tick;
    }
  }
  return seconds;
}

void BM_ImportBesideAssimp(benchmark::State& state) {
  const fs::path path = kCorpus / kModels[state.range(0)];
  if (!fs::exists(path)) {
    state.SkipWithError("the model corpus is not installed");
    return;
  }
  state.SetLabel(kModels[state.range(0)]);
  double ours = 0, bare = 0, ours_cpu = 0, bare_cpu = 0;
  std::size_t nodes = 0;
  // The importer is started before the first round, as a host's is after
  // its first import.
  OpenSceneFile(path.string());
  for (auto _ : state) {
    // Side by side, one after the other, so both see the same machine.
    const double c0 = OwnCpuSeconds();
    auto t0 = Clock::now();
    {
      Assimp::Importer importer;
      const aiScene* scene = importer.ReadFile(path.string(), mem::ImportFlags());
      benchmark::DoNotOptimize(scene);
    }
    auto t1 = Clock::now();
    const double c1 = OwnCpuSeconds(), k1 = ChildrenCpuSeconds();
    std::shared_ptr<MemSceneGraph> graph = OpenSceneFile(path.string());
    nodes = static_cast<std::size_t>(graph->NodeCount());
    graph.reset();
    auto t2 = Clock::now();
    const double c2 = OwnCpuSeconds(), k2 = ChildrenCpuSeconds();
    bare_cpu += c1 - c0;
    ours_cpu += (c2 - c1) + (k2 - k1);
    bare += std::chrono::duration<double, std::milli>(t1 - t0).count();
    ours += std::chrono::duration<double, std::milli>(t2 - t1).count();
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["assimp_ms"] = bare / n;
  state.counters["import_ms"] = ours / n;
  state.counters["ratio"] = ours / bare;
  state.counters["cpu_ratio"] = ours_cpu / bare_cpu;
  state.counters["nodes"] = static_cast<double>(nodes);
}
BENCHMARK(BM_ImportBesideAssimp)
    ->DenseRange(0, std::size(kModels) - 1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);

// The million-shape scene file. It is written once and kept (the text is
// always the same), and flushed to the disk before anything is timed: a
// file written moments before would have the system writing it out while
// the load is timed.
const std::string& MillionShapeFile() {
  static const std::string path = [] {
    constexpr int kGroups = 1000, kShapes = 1000000;
    // The size of the text below: a file of another size is not this one
    // (an older benchmark's, or cut short), and is written anew.
    constexpr std::uintmax_t kBytes = 267849878;
    std::string file =
        (fs::temp_directory_path() / "morvel_bench_million_shapes.json").string();
    std::error_code error;
    if (fs::file_size(file, error) == kBytes) return file;
    const std::string partial = file + ".partial";
    std::FILE* out = std::fopen(partial.c_str(), "wb");
    std::fputs(
        "{\n  \"ApplicationRegistryKey\": \"Morvel\",\n"
        "  \"CustomShapeFieldNames\": [\"Part No\", \"Supplier\", \"\", "
        "\"Finish\", \"\", \"\"],\n"
        "  \"MaterialFieldNames\": [\"Shader\", \"\", \"Notes\"],\n"
        "  \"selection\": [\"Shape0\"],\n  \"nodes\": [\n",
        out);
    for (int g = 0; g < kGroups; ++g) {
      std::fprintf(out,
                   "%s    {\"name\": \"Group%d\", \"kind\": \"group\", "
                   "\"Position\": [%d, 0.75, 0]}",
                   g == 0 ? "" : ",\n", g, g);
    }
    for (int i = 0; i < kShapes; ++i) {
      std::fprintf(
          out,
          ",\n    {\"name\": \"Shape%d\", \"kind\": \"shape\", \"parent\": "
          "\"Group%d\", \"SourceCaption\": \"Box\", \"DrawStyle\": 2, "
          "\"CustomFields\": [\"TP-%04d\", \"\", \"\", \"\", \"\", \"\"], "
          "\"Materials\": [{\"Colour\": [1, 0.5, 0, 1], \"Diffuse\": 80, "
          "\"Ambient\": 20, \"Specular\": 50, \"Fields\": [\"glossy\"]}]}",
          i, i % kGroups, i % 10000);
    }
    std::fputs("\n  ]\n}\n", out);
    std::fflush(out);
    fsync(fileno(out));
    std::fclose(out);
    fs::rename(partial, file);
    return file;
  }();
  return path;
}

// One `morvel-panel show FILE --tab common`: false when it fails.
bool ShowInAProcess(const std::string& file, double& seconds,
                    double& cpu_seconds, double& peak_bytes) {
  const char* argv[] = {MORVEL_PANEL_PATH, "show", file.c_str(), "--tab",
                        "common", nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", 01, 0);
  pid_t pid = -1;
  auto start = Clock::now();
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr,
                                  const_cast<char* const*>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return false;
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  seconds = std::chrono::duration<double>(Clock::now() - start).count();
  // The process's own time apart from the other programs the machine runs
  // meanwhile: on a shared machine the wall clock measures them too.
  cpu_seconds =
      static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
      static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) /
          1e6;
  peak_bytes = static_cast<double>(usage.ru_maxrss) * 1024.0;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Each repetition is one run of the whole process; the aggregates give the
// median of the runs beside their mean, since a virtual machine's host
// now and then stalls one run for a quarter of a second. One untimed run
// first reads the file into the system's cache, so that every timed run
// starts from the same place (a file opened again, not one fetched from a
// disk).
void BM_MillionShapeFileInTheWholeProcess(benchmark::State& state) {
  const std::string& file = MillionShapeFile();
  const double bytes = static_cast<double>(fs::file_size(file));
  static const bool warm = [&] {
    double s = 0, c = 0, p = 0;
    return ShowInAProcess(file, s, c, p);
  }();
  if (!warm) {
    state.SkipWithError("morvel-panel show failed");
    return;
  }
  double seconds = 0, cpu_seconds = 0, peak = 0;
  for (auto _ : state) {
    double s = 0, c = 0, p = 0;
    if (!ShowInAProcess(file, s, c, p)) {
      state.SkipWithError("morvel-panel show failed");
      return;
    }
    state.SetIterationTime(s);
    seconds += s;
    cpu_seconds += c;
    peak = std::max(peak, p);
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["file_MB"] = bytes / (1024.0 * 1024.0);
  state.counters["peak_MB"] = peak / (1024.0 * 1024.0);
  state.counters["peak_per_file"] = peak / bytes;
  state.counters["nodes_per_second"] = 1001000.0 / (seconds / n);
  state.counters["nodes_per_cpu_second"] = 1001000.0 / (cpu_seconds / n);
}
BENCHMARK(BM_MillionShapeFileInTheWholeProcess)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(7)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvel

#include "panel-cli/corpus.h"

#include <algorithm>
#include <filesystem>

#include "base/error.h"
#include "memscene/mem_scene_graph.h"
#include "memscene/scene_files.h"
#include "memscene/scene_keys.h"
#include "memscene/state.h"
#include "panel/properties.h"
#include "scenario/headless_host.h"
#include "scenario/recorder.h"
#include "scenario/scene_state.h"

namespace morvel::cli {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The errors a file may end in: it cannot be read as a scene, the model
// needs more memory than an import may take, it is missing or unreadable.
bool Documented(Long number) {
  return number == kErrInvalidFileFormat || number == kErrOutOfMemory ||
         number == kErrFileNotFound || number == kErrPathFileAccess;
}

}  // namespace

std::vector<std::string> CorpusFiles(const std::string& folder) {
  std::vector<std::string> files;
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, error), end;
       !error && it != end; it.increment(error)) {
    if (it->is_regular_file(error) && IsModelFile(it->path().string()))
      files.push_back(it->path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

CorpusSummary RunCorpus(const CorpusOptions& options, std::ostream& log) {
  CorpusSummary summary;
  const std::vector<std::string> files = CorpusFiles(options.folder);
  mem::ImportLimits limits;
  limits.time = options.limit;
  for (std::size_t f = 0; f < files.size(); ++f) {
    if (f % options.shards != options.shard) continue;
    const std::string& file = files[f];
    ++summary.files;
    const auto start = Clock::now();
    scenario::HeadlessHost host;
    scenario::Recorder recorder;
    scenario::SceneState scene;
    host.BeginScenario(recorder);
    std::size_t shown = 0;
    try {
      scene.Load(file, &host.Settings());
    } catch (const Error& e) {
      ++summary.refused;
      summary.refusals.push_back(file + ": error " + std::to_string(e.Number()) +
                                 ": " + e.Description());
      if (!Documented(e.Number())) {
        summary.problems.push_back(file + ": refused with error " +
                                   std::to_string(e.Number()) +
                                   ", which a file may not raise");
      }
      if (options.verbose) log << "refused " << summary.refusals.back() << "\n";
    }
    const double open_seconds =
        std::chrono::duration<double>(Clock::now() - start).count();
    if (open_seconds * 1000 > static_cast<double>(options.limit.count()) + 1000) {
      summary.problems.push_back(file + ": took " + std::to_string(open_seconds) +
                                 " s to open or fail");
    }
    if (open_seconds > summary.slowest_seconds) {
      summary.slowest_seconds = open_seconds;
      summary.slowest_file = file;
    }
    if (scene.Loaded()) {
      ++summary.opened;
      std::shared_ptr<MemSceneGraph> graph = scene.Scene();
      std::string not_finite = mem::FirstNonFinite(graph->state().content);
      if (!not_finite.empty()) {
        summary.problems.push_back(file + ": " + not_finite +
                                   " is not a finite number");
      }
      try {
        host.SetScene(scene, scene.Graph(), scene.Applier());
        // Every node in turn, as a person clicking down the outliner would,
        // on the common tab and on the object tab.
        for (const std::string& name : graph->NodeNames()) {
          scene.Select({name});
          for (Long tab : {2, 3}) {
            try {
              host.Setup(scene.HostRules(tab));
            } catch (const Error& e) {
              summary.problems.push_back(
                  file + ": showing \"" + Excerpt(name) + "\" on tab " +
                  std::to_string(tab) + ": " + e.ToString());
            }
          }
          ++shown;
        }
      } catch (const Error& e) {
        summary.problems.push_back(file + ": " + e.ToString());
      }
      summary.nodes_shown += shown;
      if (options.verbose) {
        log << "opened " << file << ": " << shown << " nodes in "
            << open_seconds << " s\n";
      }
    }
    host.EndScenario();
  }
  return summary;
}

}  // namespace morvel::cli

#ifndef MORVEL_APPS_PANEL_CLI_CORPUS_H_
#define MORVEL_APPS_PANEL_CLI_CORPUS_H_

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

// `morvel-panel corpus FOLDER`: opens every model file under a folder (a
// corpus nobody here wrote, such as Debian's assimp-testmodels), shows every
// node of each scene that opens on both tabs of a panel, and checks what a
// host relies on: no crash, no file that takes longer than the limit to open
// or fail, no number that is not finite in the scene the panel reads, and
// no error but the numbered ones of a file that cannot be read (321), a
// model too big to import (7) or a file that cannot be opened (53, 75).
namespace morvel::cli {

struct CorpusOptions {
  std::string folder;
  // Only files whose place in the sorted list is `shard` modulo `shards`.
  std::size_t shard = 0;
  std::size_t shards = 1;
  std::chrono::milliseconds limit{10000};
  bool verbose = false;
};

struct CorpusSummary {
  std::size_t files = 0;
  std::size_t opened = 0;
  std::size_t refused = 0;
  std::size_t nodes_shown = 0;
  std::vector<std::string> refusals;   // "FILE: error N: description"
  std::vector<std::string> problems;   // what broke a rule; empty: passed
  double slowest_seconds = 0;
  std::string slowest_file;
};

// The model files under `folder`, sorted.
std::vector<std::string> CorpusFiles(const std::string& folder);

CorpusSummary RunCorpus(const CorpusOptions& options, std::ostream& log);

}  // namespace morvel::cli

#endif  // MORVEL_APPS_PANEL_CLI_CORPUS_H_

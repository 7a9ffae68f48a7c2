// Benchmarks of the reference scene graph: building and loading big scenes,
// and the selection calls the panel makes over a million selected nodes,
// each measured beside the bare loop that does the same work without the
// interface.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "bench_support.h"
#include "memscene/handles.h"
#include "memscene/mem_scene_graph.h"
#include "memscene/mem_utilities.h"
#include "memscene/state.h"

namespace morvel {
namespace {

constexpr Long kMillion = 1000000;

std::string ShapeName(Long i) { return "Shape" + std::to_string(i); }

// A scene of `count` shapes, every other one hidden, all selected. The
// journal is off: a host making millions of writes would switch it off too.
std::shared_ptr<MemSceneGraph> BuildScene(Long count, bool mixed_hidden) {
  auto scene = std::make_shared<MemSceneGraph>("benchmark");
  scene->SetJournalEnabled(false);
  for (Long i = 0; i < count; ++i) scene->AddNode(ShapeName(i), kNodeTypeShape);
  if (mixed_hidden) {
    auto& nodes = scene->state().content.nodes;
    for (std::size_t i = 0; i < nodes.size(); i += 2)
      nodes[i].Set(mem::kHidden, true);
  }
  scene->SelectAll();
  return scene;
}

// Building in memory: nodes per second, at growing sizes to show it is
// linear.
// An eighth, a quarter, half and all of a million shapes: how the time grows
// with the scene.
void UpToAMillion(benchmark::internal::Benchmark* bench) {
  for (int part : {8, 4, 2, 1}) bench->Arg(kMillion / part);
}

void BM_BuildScene(benchmark::State& state) {
  for (auto _ : state) {
    auto scene = BuildScene(static_cast<Long>(state.range(0)), false);
    benchmark::DoNotOptimize(scene.get());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BuildScene)
    ->Apply(UpToAMillion)
    ->Unit(benchmark::kMillisecond);

// The scene file of `count` shapes, written once per size.
const std::string& SceneFile(Long count) {
  static std::map<Long, std::string> files;
  auto it = files.find(count);
  if (it != files.end()) return it->second;
  auto scene = BuildScene(count, true);
  std::string path = (std::filesystem::temp_directory_path() /
                      ("morvel_bench_" + std::to_string(count) + ".json"))
                         .string();
  scene->Save(path);
  return files.emplace(count, path).first->second;
}

// Loading from a scene file (reading, parsing, checking, building): nodes
// per second.
void BM_LoadSceneFile(benchmark::State& state) {
  const std::string& path = SceneFile(static_cast<Long>(state.range(0)));
  std::size_t peak = 0;
  double kept = 0;
  for (auto _ : state) {
    bench::HeapCounters before = bench::Heap();
    bench::ResetHeapPeak();
    auto scene = MemSceneGraph::Load(path);
    benchmark::DoNotOptimize(scene.get());
    peak =
        std::max(peak, bench::HeapPeak() - (before.allocated - before.freed));
    bench::HeapCounters after = bench::Heap();
    kept = static_cast<double>((after.allocated - after.freed) -
                               (before.allocated - before.freed));
  }
  const double file_bytes =
      static_cast<double>(std::filesystem::file_size(path));
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.counters["file_MB"] = file_bytes / (1024.0 * 1024.0);
  // The most heap the load held at once (the finished scene included),
  // against the size of the file it read.
  state.counters["peak_MB"] = static_cast<double>(peak) / (1024.0 * 1024.0);
  state.counters["peak_per_file"] = static_cast<double>(peak) / file_bytes;
  // What the loaded scene itself keeps.
  state.counters["scene_MB"] = kept / (1024.0 * 1024.0);
}
BENCHMARK(BM_LoadSceneFile)
    ->Apply(UpToAMillion)
    ->Unit(benchmark::kMillisecond);

MemSceneGraph& MillionScene() {
  static std::shared_ptr<MemSceneGraph> scene = BuildScene(kMillion, false);
  return *scene;
}

// Runs `work` (a million reads) in every iteration and counts its items.
template <class Work>
void MillionReads(benchmark::State& state, Work work) {
  for (auto _ : state) work();
  state.SetItemsProcessed(state.iterations() * kMillion);
}

// GetHiddenState over a million selected nodes through the interface...
void BM_GetHiddenState(benchmark::State& state) {
  MemSceneGraph& scene = MillionScene();
  std::shared_ptr<SceneUtility> utility = std::make_shared<MemSceneUtility>();
  Long list = scene.GetActiveScene()->SelectionList();
  MillionReads(state, [&] {
    benchmark::DoNotOptimize(utility->GetHiddenState(list));
  });
}
BENCHMARK(BM_GetHiddenState)->Unit(benchmark::kMillisecond);

// ...and the bare loop over the same node array reading the same flag.
Long BareHiddenLoop(const mem::SceneContent& content) {
  const mem::NodeData* nodes = content.nodes.data();
  Long hidden = 0;
  for (std::int32_t index : content.selection)
    hidden += nodes[index].Has(mem::kHidden);
  return hidden;
}

void BM_BareHiddenLoop(benchmark::State& state) {
  const mem::SceneContent& content = MillionScene().state().content;
  MillionReads(state,
               [&] { benchmark::DoNotOptimize(BareHiddenLoop(content)); });
}
BENCHMARK(BM_BareHiddenLoop)->Unit(benchmark::kMillisecond);

// A million GetSelectedNode calls through the SceneGraph interface...
void SelectedNodeCalls(SceneGraph& graph, Long list) {
  for (Long i = 0; i < kMillion; ++i) {
    std::shared_ptr<SceneNode> node = graph.GetSelectedNode(list, i);
    benchmark::DoNotOptimize(node.get());
  }
}

void BM_GetSelectedNode(benchmark::State& state) {
  MemSceneGraph& scene = MillionScene();
  Long list = scene.GetActiveScene()->SelectionList();
  MillionReads(state, [&] { SelectedNodeCalls(scene, list); });
}
BENCHMARK(BM_GetSelectedNode)->Unit(benchmark::kMillisecond);

// ...against as many direct reads of the same handles out of the node
// vector (the shared object the call hands out, copied as the call copies
// it)...
void DirectHandleReads(const mem::State& data) {
  const auto& selection = data.content.selection;
  for (Long i = 0; i < kMillion; ++i) {
    std::shared_ptr<SceneNode> node =
        data.Handle(selection[static_cast<std::size_t>(i)]);
    benchmark::DoNotOptimize(node.get());
  }
}

void BM_DirectHandleReads(benchmark::State& state) {
  const mem::State& data = MillionScene().state();
  MillionReads(state, [&] { DirectHandleReads(data); });
}
BENCHMARK(BM_DirectHandleReads)->Unit(benchmark::kMillisecond);

// ...and against reading bare pointers, for scale.
void BM_DirectPointerReads(benchmark::State& state) {
  const mem::State& data = MillionScene().state();
  const auto& selection = data.content.selection;
  MillionReads(state, [&] {
    for (Long i = 0; i < kMillion; ++i) {
      benchmark::DoNotOptimize(
          data.RawHandle(selection[static_cast<std::size_t>(i)]));
    }
  });
}
BENCHMARK(BM_DirectPointerReads)->Unit(benchmark::kMillisecond);

// The two budgets as ratios measured side by side, alternating the two
// sides so that both see the same machine load.
template <class A, class B>
void Ratio(benchmark::State& state, A interface_side, B bare_side) {
  const bench::SideBySideSeconds seconds =
      bench::TimeSideBySide(state, interface_side, bare_side);
  const double iterations = static_cast<double>(state.iterations());
  state.counters["interface_ms"] = seconds.first * 1e3 / iterations;
  state.counters["bare_ms"] = seconds.second * 1e3 / iterations;
  state.counters["ratio"] = seconds.first / seconds.second;
}

void BM_HiddenStateRatio(benchmark::State& state) {
  MemSceneGraph& scene = MillionScene();
  MemSceneUtility utility;
  SceneUtility& through = utility;
  Long list = scene.GetActiveScene()->SelectionList();
  const mem::SceneContent& content = scene.state().content;
  Ratio(
      state, [&] { benchmark::DoNotOptimize(through.GetHiddenState(list)); },
      [&] { benchmark::DoNotOptimize(BareHiddenLoop(content)); });
}
BENCHMARK(BM_HiddenStateRatio)->Unit(benchmark::kMillisecond);

void BM_GetSelectedNodeRatio(benchmark::State& state) {
  MemSceneGraph& scene = MillionScene();
  Long list = scene.GetActiveScene()->SelectionList();
  const mem::State& data = scene.state();
  Ratio(
      state, [&] { SelectedNodeCalls(scene, list); },
      [&] { DirectHandleReads(data); });
}
BENCHMARK(BM_GetSelectedNodeRatio)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvel

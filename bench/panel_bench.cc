// Benchmarks of the panel itself: what the common tab and the editors add on
// top of the scene calls they make, and what a panel costs to build. Each
// cost is measured beside the bare work it rests on, in the same run, and
// reported as a ratio counter.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <nlohmann/json.hpp>
#include <string>

#include "bench_panel.h"
#include "bench_support.h"
#include "memscene/mem_applier.h"
#include "memscene/mem_scene_graph.h"
#include "panel/properties.h"
#include "platform/headless.h"
#include "platform/settings_store.h"
#include "scene/scene.h"

namespace morvel {
namespace {

using bench::Clock;
using bench::Seconds;

// A panel in a headless host over a scene of `count` shapes, all selected,
// all alike (so every tri-state query walks the whole selection). The
// journal is off, as a host making millions of writes would have it.
std::shared_ptr<MemSceneGraph> ShapeScene(Long count) {
  // Loaded from a document rather than grown node by node: loading builds
  // the node table in one pass.
  nlohmann::json document;
  nlohmann::json& nodes = document["nodes"] = nlohmann::json::array();
  for (Long i = 0; i < count; ++i) {
    nodes.push_back({{"name", "Shape" + std::to_string(i)}, {"kind", "shape"}});
  }
  auto scene = MemSceneGraph::FromJson(document, "benchmark");
  scene->SetJournalEnabled(false);
  scene->SelectAll();
  return scene;
}

struct Bench : bench::HeadlessPanel {
  explicit Bench(Long count) : HeadlessPanel(ShapeScene(count)) {}

  void ShowCommonTab() {
    Long count = scene->GetSelectionCount(SelectionList());
    panel.SetupPropertiesPanel(2, kNodeTypeShape, count, 0, 0, 0, 0, false,
                               false, false, 0);
  }
  CheckBox& Box(const char* name) {
    return panel.Widgets().Get<CheckBox>(name);
  }
};

constexpr Long kMillion = 1000000;
constexpr Long kHundredThousand = 100000;

Bench& CommonBench() {
  static Bench bench(kMillion);
  return bench;
}

Bench& EditorBench() {
  static Bench bench(kHundredThousand);
  return bench;
}

// The seven queries the common tab makes for a shape selection, each with
// the list fetched afresh as the panel fetches it.
Long BareTriStateQueries(Bench& b) {
  SceneUtility& u = *SharedSceneUtility();
  Long sum = 0;
  sum += u.GetHiddenState(b.SelectionList());
  sum += u.GetShadowlessState(b.SelectionList());
  sum += u.GetLockedState(b.SelectionList());
  sum += u.GetDrawPointsState(b.SelectionList());
  sum += u.GetDrawNormalsState(b.SelectionList());
  sum += u.GetDisplayAsBoxState(b.SelectionList());
  sum += u.GetDrawTranslucentState(b.SelectionList());
  return sum;
}

void BM_CommonTab_1M(benchmark::State& state) {
  Bench& b = CommonBench();
  for (auto _ : state) b.ShowCommonTab();
  state.SetItemsProcessed(state.iterations() * kMillion);
}
BENCHMARK(BM_CommonTab_1M)->Unit(benchmark::kMillisecond);

void BM_BareTriStateQueries_1M(benchmark::State& state) {
  Bench& b = CommonBench();
  for (auto _ : state) benchmark::DoNotOptimize(BareTriStateQueries(b));
  state.SetItemsProcessed(state.iterations() * kMillion);
}
BENCHMARK(BM_BareTriStateQueries_1M)->Unit(benchmark::kMillisecond);

// Both side by side, alternating, so that both see the same machine state;
// `ratio` is the panel's time over the bare queries' (budget: 1.2).
void BM_CommonTabRatio_1M(benchmark::State& state) {
  Bench& b = CommonBench();
  bench::MeasureSideBySide(
      state, [&] { b.ShowCommonTab(); },
      [&] { benchmark::DoNotOptimize(BareTriStateQueries(b)); },
      bench::TimeUnit::kMilliseconds);
}
BENCHMARK(BM_CommonTabRatio_1M)->Unit(benchmark::kMillisecond)->Iterations(20);

// The editors over 100,000 selected shapes, each beside a bare loop that
// makes the same writes through the scene interface: the selection list and
// count once, then each node and its write. `ratio` budget: 2.
struct EditorCase {
  const char* widget;
  void (*bare_write)(SceneNode& node, bool on);
};

const EditorCase kEditors[] = {
    {"chkCommonLockEnable", [](SceneNode& n, bool on) { n.SetLocked(on); }},
    {"chkCommonShadowless",
     [](SceneNode& n, bool on) { n.SetCastsShadows(!on); }},
    {"chkShapeDrawPoints", [](SceneNode& n, bool on) { n.SetDrawPoints(on); }},
    {"chkShapeDrawNormals",
     [](SceneNode& n, bool on) { n.SetDrawNormals(on); }},
    {"chkShapeDrawTranslucent",
     [](SceneNode& n, bool on) { n.SetDrawTranslucent(on); }},
    {"chkShapeDisplayAsBox",
     [](SceneNode& n, bool on) { n.SetDisplayAsBox(on ? 1 : 0); }},
    {"cboShapeDraw", [](SceneNode& n, bool on) { n.SetDrawStyle(on ? 4 : 2); }},
};

void RunEditor(Bench& b, const EditorCase& c, bool on) {
  if (std::string(c.widget) == "cboShapeDraw") {
    b.panel.Widgets().Get<ComboBox>(c.widget).SetListIndex(on ? 2 : 1);
  } else {
    b.Box(c.widget).SetValue(on ? 1 : 0);
  }
}

void BareLoop(Bench& b, const EditorCase& c, bool on) {
  SceneGraph& graph = *b.scene;
  Long list = b.SelectionList();
  Long count = graph.GetSelectionCount(list);
  for (Long i = 0; i < count; ++i)
    c.bare_write(*graph.GetSelectedNode(list, i), on);
}

// The common editors fetch the scene and its list afresh for every item and
// read each node's kind before writing; this loop makes those same calls
// without the panel, to show what the panel itself adds.
void SameCallsLoop(Bench& b, const EditorCase& c, bool on) {
  SceneGraph& graph = *b.scene;
  Long count = graph.GetSelectionCount(graph.GetActiveScene()->SelectionList());
  for (Long i = 0; i < count; ++i) {
    Long list = graph.GetActiveScene()->SelectionList();
    std::shared_ptr<SceneNode> node = graph.GetSelectedNode(list, i);
    if (node->NodeType() == kNodeTypeShape) c.bare_write(*node, on);
  }
}

void BM_EditorRatio_100k(benchmark::State& state) {
  Bench& b = EditorBench();
  const EditorCase& c = kEditors[state.range(0)];
  b.ShowCommonTab();
  const bool per_item_fetch = state.range(0) <= 1;  // Lock and Shadowless
  double panel = 0, bare = 0, same = 0;
  bool on = true;
  for (auto _ : state) {
    auto t0 = Clock::now();
    RunEditor(b, c, on);
    auto t1 = Clock::now();
    BareLoop(b, c, on);
    auto t2 = Clock::now();
    if (per_item_fetch) SameCallsLoop(b, c, on);
    auto t3 = Clock::now();
    panel += Seconds(t1 - t0);
    bare += Seconds(t2 - t1);
    same += Seconds(t3 - t2);
    on = !on;
  }
  state.SetLabel(c.widget);
  if (per_item_fetch) state.counters["ratio_same_calls"] = panel / same;
  bench::ReportRatio(state, panel, bare,
                     static_cast<double>(state.iterations()),
                     bench::TimeUnit::kMilliseconds);
}
BENCHMARK(BM_EditorRatio_100k)
    ->DenseRange(0, static_cast<int>(std::size(kEditors)) - 1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40);

// Building a panel: every widget of every section, its state and its
// sections. Budget: under 1 ms and under 1 MiB of heap.
void BM_ConstructPanel(benchmark::State& state) {
  bench::HeadlessHost host;
  std::size_t allocated = 0, live = 0, allocations = 0;
  for (auto _ : state) {
    bench::HeapCounters before = bench::Heap();
    auto panel = std::make_unique<Properties>(host.Platform(), host.events,
                                              host.container);
    bench::HeapCounters after = bench::Heap();
    allocated = after.allocated - before.allocated;
    live = allocated - (after.freed - before.freed);
    allocations = after.allocations - before.allocations;
    benchmark::DoNotOptimize(panel.get());
  }
  state.counters["heap_allocated_KiB"] =
      static_cast<double>(allocated) / 1024.0;
  state.counters["heap_live_KiB"] = static_cast<double>(live) / 1024.0;
  state.counters["allocations"] = static_cast<double>(allocations);
}
BENCHMARK(BM_ConstructPanel)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace morvel

// Benchmarks of the material list: filling the grid for a shape with many
// materials, beside a bare loop that makes the same scene reads and grid
// writes, and at two sizes to show the fill is linear. Ratios are measured
// side by side in one run and reported as counters.
//
// Run: build/bin/morvel_bench --benchmark_filter=Material
#include <benchmark/benchmark.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "bare_material_grid.h"
#include "base/numbers.h"
#include "bench_panel.h"
#include "bench_support.h"
#include "memscene/mem_applier.h"
#include "memscene/mem_scene_graph.h"
#include "panel/properties.h"
#include "panel/properties_access.h"
#include "platform/headless.h"
#include "platform/settings_store.h"
#include "scene/scene.h"
#include "sections/shape/shape_section.h"

namespace morvel {
namespace {

using bench::Clock;
using bench::Seconds;

constexpr Long kFewMaterials = 1000;
constexpr Long kManyMaterials = 100000;

// One selected shape with `count` materials, as varied as a real shape's:
// every other material has maps (one to three files, a blend as a fraction
// or a percentage), every one a custom field value.
std::shared_ptr<MemSceneGraph> MaterialScene(Long count) {
  nlohmann::json materials = nlohmann::json::array();
  for (Long i = 0; i < count; ++i) {
    nlohmann::json material = {
        {"Colour",
         {(i % 7) / 7.0, (i % 5) / 5.0, (i % 3) / 3.0, 1 - (i % 4) / 8.0}},
        {"Diffuse", 50 + i % 50},
        {"Ambient", i % 30},
        {"Specular", i % 100},
        {"Fields", {"shader " + std::to_string(i % 10)}}};
    if (i % 2 == 0) {
      material["Maps"] = {{"Paths",
                           {"maps/wood.png", i % 4 ? "" : "maps/bump.png", "",
                            "", "", i % 8 ? "" : "maps/glow.png"}},
                          {"MapSettingB", 1},
                          {"Blend", i % 6 ? 0.25 : 40}};
    }
    materials.push_back(std::move(material));
  }
  nlohmann::json document = {
      {"MaterialFieldNames", {"Shader"}},
      {"selection", {"Shape"}},
      {"nodes",
       {{{"name", "Shape"}, {"kind", "shape"}, {"Materials", materials}}}}};
  auto scene = MemSceneGraph::FromJson(document, "benchmark");
  scene->SetJournalEnabled(false);
  return scene;
}

// A panel showing the shape, with its material frame where the shape
// section puts it.
struct MaterialPanel : bench::HeadlessPanel {
  explicit MaterialPanel(Long count)
      : HeadlessPanel(MaterialScene(count)),
        materials(PropertiesAccess::Section<ShapeSection>(panel).Materials()),
        grid(panel.Widgets().Get<FlexGrid>("msgMaterialAttributes")) {}

  // What the shape loader does before the rows: the header, two rows.
  void ResetGrid() {
    Long top = kMaterialFrameTop;
    materials.LoadMaterialGrid(top);
  }

  static constexpr Long kMaterialFrameTop = 5055;
  MaterialsSection& materials;
  FlexGrid& grid;
};

MaterialPanel& Panel(Long count) {
  static MaterialPanel few(kFewMaterials);
  static MaterialPanel many(kManyMaterials);
  return count == kFewMaterials ? few : many;
}

double TimedFill(MaterialPanel& p) {
  p.ResetGrid();
  auto t0 = Clock::now();
  p.materials.FillMaterialRows();
  return Seconds(Clock::now() - t0);
}

double TimedBareFill(MaterialPanel& p) {
  p.ResetGrid();
  auto t0 = Clock::now();
  bench::BareMaterialRows(*p.scene, p.grid, 0);
  return Seconds(Clock::now() - t0);
}

void BM_FillMaterialRows(benchmark::State& state) {
  MaterialPanel& p = Panel(static_cast<Long>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    p.ResetGrid();
    state.ResumeTiming();
    p.materials.FillMaterialRows();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FillMaterialRows)
    ->Arg(kFewMaterials)
    ->Arg(kManyMaterials)
    ->Unit(benchmark::kMillisecond);

// The fill of 100,000 rows beside the bare loop (`ratio`, budget 2), and its
// time per row beside that of 1,000 rows (`per_row_ratio`, budget 1.2).
void BM_FillMaterialRowsRatio(benchmark::State& state) {
  MaterialPanel& many = Panel(kManyMaterials);
  MaterialPanel& few = Panel(kFewMaterials);
  constexpr int kFewFillsPerRound = 20;
  double panel = 0, bare = 0, small = 0;
  for (auto _ : state) {
    panel += TimedFill(many);
    bare += TimedBareFill(many);
    for (int i = 0; i < kFewFillsPerRound; ++i) small += TimedFill(few);
  }
  double rounds = static_cast<double>(state.iterations());
  double per_row_many = panel / (rounds * kManyMaterials);
  double per_row_few = small / (rounds * kFewFillsPerRound * kFewMaterials);
  bench::ReportRatio(state, panel, bare, rounds,
                     bench::TimeUnit::kMilliseconds);
  state.counters["per_row_ratio"] = per_row_many / per_row_few;
  state.counters["ns_per_row_100k"] = 1e9 * per_row_many;
  state.counters["ns_per_row_1k"] = 1e9 * per_row_few;
}
BENCHMARK(BM_FillMaterialRowsRatio)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// The heap a grid keeps for 100,000 material rows: a new panel's grid,
// which has never held rows, before and after one fill, over the rows.
void BM_MaterialGridHeap(benchmark::State& state) {
  MaterialPanel& many = Panel(kManyMaterials);
  double held_per_row = 0, allocations_per_row = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto panel = std::make_unique<Properties>(
        PlatformServices{&many.clipboard, &many.messages, &many.settings,
                         &many.metrics},
        many.events, many.container);
    panel->ReadProperties();
    panel->SetSceneGraph(many.scene, nullptr);
    MaterialsSection& materials =
        PropertiesAccess::Section<ShapeSection>(*panel).Materials();
    Long top = MaterialPanel::kMaterialFrameTop;
    materials.LoadMaterialGrid(top);
    bench::HeapCounters before = bench::Heap();
    state.ResumeTiming();
    materials.FillMaterialRows();
    state.PauseTiming();
    bench::HeapCounters after = bench::Heap();
    held_per_row = static_cast<double>((after.allocated - before.allocated) -
                                       (after.freed - before.freed)) /
                   kManyMaterials;
    allocations_per_row =
        static_cast<double>(after.allocations - before.allocations) /
        kManyMaterials;
    panel.reset();
    state.ResumeTiming();
  }
  state.counters["grid_heap_bytes_per_row"] = held_per_row;
  state.counters["allocations_per_row"] = allocations_per_row;
}
BENCHMARK(BM_MaterialGridHeap)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace morvel

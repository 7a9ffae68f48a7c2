#ifndef MORVEL_BENCH_BENCH_PANEL_H_
#define MORVEL_BENCH_BENCH_PANEL_H_

// The panel every panel benchmark measures, and how each reports what it
// measured beside the bare work it rests on.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench_support.h"
#include "memscene/mem_applier.h"
#include "memscene/mem_scene_graph.h"
#include "panel/properties.h"
#include "platform/headless.h"
#include "platform/settings_store.h"
#include "scene/scene.h"

namespace morvel::bench {

// What a headless host lends a panel: the platform services, a silent
// event sink and a fixed container.
struct HeadlessHost : HeadlessServices {
  PropertiesEvents events;
  FixedContainer container;
};

// A panel in a headless host over a reference scene: created, laid out for
// run time, handed the scene and an applier over its own settings store.
// The scene's journal is off, as a host making millions of writes would
// have it.
struct HeadlessPanel : HeadlessHost {
  explicit HeadlessPanel(std::shared_ptr<MemSceneGraph> scene_graph)
      : scene(std::move(scene_graph)), panel(Platform(), events, container) {
    scene->SetJournalEnabled(false);
    panel.ReadProperties();
    panel.SetSceneGraph(scene, std::make_shared<MemApplier>(scene, &settings));
  }

  Long SelectionList() { return scene->GetActiveScene()->SelectionList(); }
  template <class T>
  T& Get(const char* name, int index = -1) {
    return panel.Widgets().Get<T>(name, index);
  }

  std::shared_ptr<MemSceneGraph> scene;
  Properties panel;
};

// The unit the per-iteration times are reported in.
enum class TimeUnit { kMicroseconds, kMilliseconds };

// Reports a side-by-side measurement: `ratio` (the budget's figure, the
// panel's CPU time over the bare work's) and both times per iteration.
inline void ReportRatio(benchmark::State& state, double panel_seconds,
                        double bare_seconds, double iterations, TimeUnit unit) {
  const bool micro = unit == TimeUnit::kMicroseconds;
  const double scale = micro ? 1e6 : 1e3;
  const std::string suffix = micro ? "_cpu_us" : "_cpu_ms";
  state.counters["ratio"] = panel_seconds / bare_seconds;
  state.counters["panel" + suffix] = scale * panel_seconds / iterations;
  state.counters["bare" + suffix] = scale * bare_seconds / iterations;
}

// Times `panel_work` and then `bare_work` in every iteration, each with this
// thread's CPU clock, so that both see the same machine state, and reports
// the ratio with both times per unit of work (`units_per_iteration` of it in
// each iteration).
template <class PanelWork, class BareWork>
void MeasureSideBySide(benchmark::State& state, PanelWork&& panel_work,
                       BareWork&& bare_work, TimeUnit unit,
                       double units_per_iteration = 1) {
  const SideBySideSeconds seconds =
      TimeSideBySide(state, panel_work, bare_work);
  ReportRatio(state, seconds.first, seconds.second,
              static_cast<double>(state.iterations()) * units_per_iteration,
              unit);
}

// What every object section's loader starts with, without the panel: the
// frame at the panel's top left, enabled, `height` high.
inline void ShowFrame(Widget& frame, Long height) {
  frame.SetEnabled(true);
  frame.SetLeft(0);
  frame.SetTop(0);
  frame.SetHeight(height);
}

}  // namespace morvel::bench

#endif  // MORVEL_BENCH_BENCH_PANEL_H_

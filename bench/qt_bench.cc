// The Qt view's budgets, measured offscreen:
// - switching the selection between two shapes and showing the result (the
//   panel's setup, the view following the model, the window painted) fits in
//   one 60 Hz frame; the median is what counts (run with repetitions);
// - scrolling the material grid costs the same with 1,000 and with 100,000
//   rows: only the rows in view are made and painted.
//
// Run: QT_QPA_PLATFORM=offscreen build/bin/morvel_qt_bench
//        --benchmark_repetitions=15 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <QScrollBar>
#include <QTableView>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "memscene/host_rules.h"
#include "memscene/mem_applier.h"
#include "memscene/mem_scene_graph.h"
#include "panel/properties.h"
#include "platform/headless.h"
#include "platform/settings_store.h"
#include "qt/properties_widget.h"
#include "qt/widget_view.h"

namespace morvel {
namespace {

constexpr double kFrameSeconds = 1.0 / 60.0;

// A panel on screen with the studio scene, as the demo shows it.
struct PanelOnScreen {
  MemoryClipboard clipboard;
  RecordingMessageBox messages;
  MemorySettingsStore settings;
  FixedScreenMetrics metrics{15, 15};
  PropertiesEvents events;
  FixedContainer container;
  std::shared_ptr<MemSceneGraph> scene;
  std::unique_ptr<Properties> panel;
  std::unique_ptr<qt::WidgetView> view;

  PanelOnScreen() {
    PlatformServices services{&clipboard, &messages, &settings, &metrics};
    panel = std::make_unique<Properties>(services, events, container);
    view = std::make_unique<qt::WidgetView>(panel->Widgets(),
                                            *panel->Widgets().Root(), metrics);
    view->RootWidget()->resize(267, 649);
    view->RootWidget()->show();
    panel->ReadProperties();
    scene = MemSceneGraph::Load(MORVEL_SOURCE_DIR "/examples/studio.json");
    scene->SetJournalEnabled(false);
    panel->SetSceneGraph(scene, std::make_shared<MemApplier>(scene, &settings));
  }
  void Show(const std::string& name) {
    scene->Select({name});
    panel->SetupPropertiesPanel(ComputeSetupArguments(*scene, 3));
    view->Flush();
  }
};

void BM_SwitchShapeSelection(benchmark::State& state) {
  PanelOnScreen screen;
  const char* shapes[] = {"Teapot", "Cups"};
  int which = 0;
  screen.Show(shapes[0]);
  for (auto _ : state) {
    which ^= 1;
    screen.Show(shapes[which]);
    // Paint the whole panel, as the next frame would.
    QPixmap frame = screen.view->RootWidget()->grab();
    benchmark::DoNotOptimize(frame);
  }
  // The budget, beside the time, for whoever reads the report.
  state.counters["frame_budget_ms"] = kFrameSeconds * 1000;
}
BENCHMARK(BM_SwitchShapeSelection)->Unit(benchmark::kMillisecond);

// The same switch with the panel embedded as a Qt host embeds it, through
// PropertiesWidget: the widget must add nothing measurable.
void BM_SwitchShapeSelectionInPropertiesWidget(benchmark::State& state) {
  MemoryClipboard clipboard;
  RecordingMessageBox messages;
  MemorySettingsStore settings;
  FixedScreenMetrics metrics{15, 15};
  PropertiesEvents events;
  qt::PropertiesWidget widget(events, {.clipboard = &clipboard,
                                       .message_box = &messages,
                                       .settings = &settings,
                                       .metrics = &metrics});
  widget.resize(267, 649);
  widget.show();
  auto scene = MemSceneGraph::Load(MORVEL_SOURCE_DIR "/examples/studio.json");
  scene->SetJournalEnabled(false);
  widget.panel().SetSceneGraph(scene,
                               std::make_shared<MemApplier>(scene, &settings));
  auto show = [&](const std::string& name) {
    scene->Select({name});
    widget.panel().SetupPropertiesPanel(ComputeSetupArguments(*scene, 3));
    widget.view().Flush();
  };
  const char* shapes[] = {"Teapot", "Cups"};
  int which = 0;
  show(shapes[0]);
  for (auto _ : state) {
    which ^= 1;
    show(shapes[which]);
    QPixmap frame = widget.grab();
    benchmark::DoNotOptimize(frame);
  }
  state.counters["frame_budget_ms"] = kFrameSeconds * 1000;
}
BENCHMARK(BM_SwitchShapeSelectionInPropertiesWidget)
    ->Unit(benchmark::kMillisecond);

// A grid alone, filled the way the material list fills it.
struct GridOnScreen {
  FixedScreenMetrics metrics{15, 15};
  WidgetTree tree;
  std::unique_ptr<qt::WidgetView> view;
  QTableView* table = nullptr;

  explicit GridOnScreen(Long rows) {
    const WidgetSpec layout[] = {{.kind = WidgetKind::kForm,
                                  .name = "frmGrid",
                                  .width = 4000,
                                  .height = 9735},
                                 {.kind = WidgetKind::kFlexGrid,
                                  .name = "msgMaterialAttributes",
                                  .parent = "frmGrid",
                                  .left = 30,
                                  .top = 270,
                                  .width = 4045,
                                  .height = 9000}};
    tree.Build(layout);
    auto& grid = tree.Get<FlexGrid>("msgMaterialAttributes");
    grid.SetRedraw(false);
    grid.SetFixedCols(0);
    grid.SetRows(rows + 1);
    grid.SetCols(13);
    for (Long c = 0; c < 13; ++c) {
      grid.SetTextMatrix(0, c, c < 8 ? "" : "Diffuse");
      grid.SetColWidth(c, c < 8 ? 495 : 750);
    }
    grid.SetRow(0);
    for (Long c : {0, 1, 2, 4, 5, 6, 7}) {
      grid.SetCol(c);
      grid.SetCellPicture("image:" + std::to_string(c < 3 ? c + 1 : c));
    }
    grid.SetRowHeight(0, 225);
    for (Long r = 1; r <= rows; ++r) {
      grid.SetRowHeight(r, 495);
      grid.SetTextMatrix(r, 3, std::to_string(r % 100));
      grid.SetTextMatrix(r, 8, "80");
      grid.SetTextMatrix(r, 9, "20");
      grid.SetTextMatrix(r, 12, "material " + std::to_string(r));
    }
    grid.SetRedraw(true);
    view = std::make_unique<qt::WidgetView>(tree, *tree.Root(), metrics);
    view->RootWidget()->resize(267, 649);
    view->RootWidget()->show();
    view->Flush();
    table = qobject_cast<QTableView*>(view->Find("msgMaterialAttributes"));
    QApplication::processEvents();
  }
};

void BM_ScrollMaterialGrid(benchmark::State& state) {
  GridOnScreen screen(static_cast<Long>(state.range(0)));
  QScrollBar* bar = screen.table->verticalScrollBar();
  int maximum = bar->maximum();
  int step = 0;
  for (auto _ : state) {
    // Jump about the whole table: every position shows different rows.
    step = (step + 7919) % 1000;
    bar->setValue(
        static_cast<int>(static_cast<long long>(maximum) * step / 1000));
    screen.table->viewport()->repaint();
  }
  state.counters["rows"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_ScrollMaterialGrid)
    ->Arg(1000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace morvel

int main(int argc, char** argv) {
  if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

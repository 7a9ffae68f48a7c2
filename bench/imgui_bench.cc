// The ImGui front end's budgets, measured on a headless screen (ImGui builds
// its frames without a renderer; drawing them is the GPU's and the same for
// both sides):
// - one frame of the panel showing a shape with 10,000 materials costs at
//   most 2x one frame of a bare ImGui table of the same rows and columns
//   (`ratio`, side by side in one run);
// - switching the selection between two shapes and drawing the next frame
//   fits in one 60 Hz frame; for a shape with 10,000 materials, in 100 ms.
//
// Run: build/bin/morvel_imgui_bench --benchmark_repetitions=5
//        --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>
#include <imgui.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "bench_panel.h"
#include "bench_support.h"
#include "imgui/headless_screen.h"
#include "imgui/properties_panel.h"
#include "memscene/host_rules.h"
#include "memscene/mem_applier.h"
#include "memscene/mem_scene_graph.h"
#include "platform/headless.h"
#include "platform/settings_store.h"
#include "widgets/widget.h"

namespace morvel {
namespace {

using bench::Clock;
using bench::Seconds;

constexpr double kFrameSeconds = 1.0 / 60.0;
constexpr Long kMaterials = 10000;
const ImVec2 kPanelSize(267, 649);

// Two shapes: one with `count` materials, one with a single material.
std::shared_ptr<MemSceneGraph> MaterialScene(Long count) {
  nlohmann::json materials = nlohmann::json::array();
  for (Long i = 0; i < count; ++i) {
    nlohmann::json material = {
        {"Colour", {(i % 7) / 7.0, (i % 5) / 5.0, (i % 3) / 3.0, 1}},
        {"Diffuse", 50 + i % 50},
        {"Ambient", i % 30},
        {"Specular", i % 100},
        {"Fields", {"shader " + std::to_string(i % 10)}}};
    if (i % 2 == 0)
      material["Maps"] = {{"Paths", {"maps/wood.png", "", "", "", "", ""}},
                          {"Blend", 0.25}};
    materials.push_back(std::move(material));
  }
  nlohmann::json document = {
      {"MaterialFieldNames", {"Shader"}},
      {"selection", {"Shape"}},
      {"nodes",
       {{{"name", "Shape"}, {"kind", "shape"}, {"Materials", materials}},
        {{"name", "Small"},
         {"kind", "shape"},
         {"Materials", {{{"Colour", {1, 0, 0, 1}}}}}}}}};
  auto scene = MemSceneGraph::FromJson(document);
  scene->SetJournalEnabled(false);
  return scene;
}

// The panel in a host window on a headless screen.
struct PanelOnScreen {
  imgui::HeadlessScreen screen{ImVec2(1000, 800)};
  MemoryClipboard clipboard;
  RecordingMessageBox messages;
  MemorySettingsStore settings;
  FixedScreenMetrics metrics{15, 15};
  PropertiesEvents events;
  std::shared_ptr<MemSceneGraph> scene;
  std::unique_ptr<imgui::PropertiesPanel> panel;

  explicit PanelOnScreen(std::shared_ptr<MemSceneGraph> shown)
      : scene(std::move(shown)) {
    panel = std::make_unique<imgui::PropertiesPanel>(
        events, imgui::PropertiesPanel::Services{.clipboard = &clipboard,
                                                 .message_box = &messages,
                                                 .settings = &settings,
                                                 .metrics = &metrics,
                                                 .initial_size = kPanelSize});
    panel->panel().SetSceneGraph(
        scene, std::make_shared<MemApplier>(scene, &settings));
  }
  ~PanelOnScreen() { panel.reset(); }
  void Show(const std::string& name) {
    scene->Select({name});
    panel->panel().SetupPropertiesPanel(ComputeSetupArguments(*scene, 3));
  }
  void Frame() {
    screen.WindowFrame(ImVec2(300, 700), [&] { panel->Draw(kPanelSize); });
  }
};

PanelOnScreen& Shown() {
  static PanelOnScreen* screen = [] {
    auto* s = new PanelOnScreen(MaterialScene(kMaterials));
    s->Show("Shape");
    s->Frame();
    return s;
  }();
  return *screen;
}

// The bare table: the grid's rows and columns in an ImGui table of the
// same size, each cell its colour and its text, only the rows in view
// submitted (ImGuiListClipper), as any ImGui code showing 10,000 rows would.
void BareTableFrame(imgui::HeadlessScreen& screen, const FlexGrid& grid) {
  screen.WindowFrame(ImVec2(300, 700), [&] {
    int cols = static_cast<int>(grid.Cols());
    if (ImGui::BeginTable("##rows", cols,
                          ImGuiTableFlags_ScrollX | ImGuiTableFlags_ScrollY |
                              ImGuiTableFlags_Borders,
                          kPanelSize)) {
      ImGui::TableSetupScrollFreeze(0, 1);
      for (int c = 0; c < cols; ++c)
        ImGui::TableSetupColumn(grid.TextMatrix(0, c).c_str(),
                                ImGuiTableColumnFlags_WidthFixed, 40);
      ImGui::TableHeadersRow();
      ImGuiListClipper clipper;
      clipper.Begin(static_cast<int>(grid.Rows()) - 1);
      while (clipper.Step()) {
        for (int r = clipper.DisplayStart; r < clipper.DisplayEnd; ++r) {
          ImGui::TableNextRow();
          for (int c = 0; c < cols; ++c) {
            ImGui::TableSetColumnIndex(c);
            if (Colour back = grid.CellBackColorAt(r + 1, c)) {
              ImGui::TableSetBgColor(ImGuiTableBgTarget_CellBg,
                                     (back & 0xFFFFFF) | 0xFF000000u);
            }
            ImGui::TextUnformatted(grid.TextMatrix(r + 1, c).c_str());
          }
        }
      }
      ImGui::EndTable();
    }
  });
}

void BM_ImGuiPanelFrameRatio(benchmark::State& state) {
  PanelOnScreen& shown = Shown();
  const auto& grid =
      shown.panel->panel().Widgets().Get<FlexGrid>("msgMaterialAttributes");
  BareTableFrame(shown.screen, grid);  // the table's first frame lays it out
  double panel = 0, bare = 0;
  for (auto _ : state) {
    auto t0 = Clock::now();
    shown.Frame();
    auto t1 = Clock::now();
    BareTableFrame(shown.screen, grid);
    auto t2 = Clock::now();
    panel += Seconds(t1 - t0);
    bare += Seconds(t2 - t1);
  }
  bench::ReportRatio(state, panel, bare, static_cast<double>(state.iterations()),
                     bench::TimeUnit::kMicroseconds);
  state.counters["rows"] = static_cast<double>(grid.Rows() - 1);
}
BENCHMARK(BM_ImGuiPanelFrameRatio)->Unit(benchmark::kMicrosecond);

// A selection switch as the demo makes it: the set-up, then the next frame.
void SwitchBetween(benchmark::State& state, PanelOnScreen& screen,
                   const char* a, const char* b) {
  const char* shapes[] = {a, b};
  int which = 0;
  screen.Show(shapes[0]);
  screen.Frame();
  for (auto _ : state) {
    which ^= 1;
    screen.Show(shapes[which]);
    screen.Frame();
  }
  state.counters["frame_budget_ms"] = kFrameSeconds * 1000;
}

void BM_ImGuiSwitchShapeSelection(benchmark::State& state) {
  PanelOnScreen screen(
      MemSceneGraph::Load(MORVEL_SOURCE_DIR "/examples/studio.json"));
  screen.scene->SetJournalEnabled(false);
  SwitchBetween(state, screen, "Teapot", "Cups");
}
BENCHMARK(BM_ImGuiSwitchShapeSelection)->Unit(benchmark::kMillisecond);

// To the shape with 10,000 materials and back: its grid filled each time.
void BM_ImGuiSwitchToManyMaterials(benchmark::State& state) {
  SwitchBetween(state, Shown(), "Shape", "Small");
  state.counters["budget_ms"] = 100;
}
BENCHMARK(BM_ImGuiSwitchToManyMaterials)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvel

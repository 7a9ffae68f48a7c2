// Benchmarks of the shape section: showing a shape on the object tab, and
// dragging the smoothing level. Each is measured beside a bare loop that
// makes the same scene calls and the same widget writes without the panel
// (on a widget tree of the same layout with no editors attached), in the
// same run, and reported as a ratio counter.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "bare_material_grid.h"
#include "base/numbers.h"
#include "bench_panel.h"
#include "bench_support.h"
#include "host/scene_services.h"
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

constexpr int kMaterials = 10;

// Two shapes that differ in every value the section shows, so that each
// switch between them changes every widget and moves the three sliders whose
// editors write back. Six named custom fields and ten materials each.
std::shared_ptr<MemSceneGraph> ShapeScene() {
  nlohmann::json document;
  document["CustomShapeFieldNames"] = {"Part No",  "Batch",  "Finish",
                                       "Supplier", "Weight", "Notes"};
  document["MaterialFieldNames"] = {"Shader"};
  nlohmann::json& nodes = document["nodes"] = nlohmann::json::array();
  for (int shape = 0; shape < 2; ++shape) {
    nlohmann::json materials = nlohmann::json::array();
    for (int m = 0; m < kMaterials; ++m) {
      materials.push_back({{"Colour", {0.1 * m, 0.5, 1 - 0.1 * m, 1}},
                           {"Diffuse", 10 * m},
                           {"Fields", {"glossy"}}});
    }
    nodes.push_back({{"name", shape == 0 ? "A" : "B"},
                     {"kind", "shape"},
                     {"SourceCaption", shape == 0 ? "Teapot" : "Vase"},
                     {"SourceDetail", shape == 0 ? "teapot.obj" : "vase.obj"},
                     {"Clones",
                      {{"Counts", {shape + 1, shape, 2}},
                       {"Offsets", {1.5 + shape, 0, 0.25}},
                       {"Rotations", {0, 45 + shape, 90}}}},
                     {"CreasingFactor", 10 + shape},
                     {"SmoothingLevel", 1 + shape},
                     {"SmoothingTension", 0.1 * (shape + 1)},
                     {"SmoothingCondition", shape},
                     {"SmoothAngle", 30 + shape},
                     {"IndexOfRefraction", 2 * shape},
                     {"MirrorAxis", shape + 1},
                     {"CustomFields",
                      {"T-1" + std::to_string(shape), "B7", "matte", "Acme",
                       "2 kg", "none"}},
                     {"Materials", materials}});
  }
  auto scene = MemSceneGraph::FromJson(document, "benchmark");
  scene->SetJournalEnabled(false);
  return scene;
}

struct Panel : bench::HeadlessPanel {
  Panel() : HeadlessPanel(ShapeScene()) {}
  void Show(const char* shape) {
    scene->Select({shape});
    panel.SetupPropertiesPanel(3, kNodeTypeShape, 1, 0, 0, 0, 0, false, false,
                               false, 0);
  }
};

// Takes every editor off the widgets of `tree`, so that nothing reacts to
// their changes.
void DetachEditors(WidgetTree& tree) {
  for (const auto& widget : tree.All()) {
    if (auto* slider = dynamic_cast<Slider*>(widget.get())) {
      slider->on_change = nullptr;
    } else if (auto* list = dynamic_cast<ComboBox*>(widget.get())) {
      list->on_click = nullptr;
    } else if (auto* box = dynamic_cast<CheckBox*>(widget.get())) {
      box->on_click = nullptr;
    } else if (auto* button = dynamic_cast<Button*>(widget.get())) {
      button->on_click = nullptr;
    } else if (auto* field = dynamic_cast<UpDownText*>(widget.get())) {
      field->on_value_committed = nullptr;
    } else if (auto* text = dynamic_cast<TextField*>(widget.get())) {
      text->on_value_committed = nullptr;
    }
  }
}

// The same widgets, built by a panel that is then taken off them: nothing
// reacts to their changes.
struct BareWidgets {
  template <class T>
  T& Get(const char* name, int index = -1) {
    return tree.Get<T>(name, index);
  }
  template <class T>
  std::array<T*, 3> Axes(const char* name) {
    return {&Get<T>(name, 0), &Get<T>(name, 1), &Get<T>(name, 2)};
  }

  PropertiesEvents events;
  FixedContainer container;
  Properties builder{PlatformServices{}, events, container};
  WidgetTree& tree = builder.Widgets();
  bool detached = (DetachEditors(tree), true);
  std::array<Frame*, 6> parked = {&Get<Frame>("fraCommonProperties"),
                                  &Get<Frame>("fraShapeCommonProperties"),
                                  &Get<Frame>("fraLightProperties"),
                                  &Get<Frame>("fraCameraProperties"),
                                  &Get<Frame>("fraBoneProperties"),
                                  &Get<Frame>("fraGroupProperties")};
  Frame& divider = Get<Frame>("fraBottomDivider");
  Frame& section = Get<Frame>("fraShapeProperties");
  Frame& general = Get<Frame>("fraGeneral");
  std::array<Frame*, 4> stacked = {
      &Get<Frame>("fraSmoothing"), &Get<Frame>("fraMirror"),
      &Get<Frame>("fraClone"), &Get<Frame>("fraObjectRayTrace")};
  Frame& custom = Get<Frame>("fraCustomShapeFields");
  Frame& material = Get<Frame>("fraMaterial");
  FlexGrid& grid = Get<FlexGrid>("msgMaterialAttributes");
  Button& source = Get<Button>("cmdSource");
  Slider& creasing = Get<Slider>("sldCreasingFactor");
  ComboBox& condition = Get<ComboBox>("cboCondition");
  UpDownText& angle = Get<UpDownText>("txtAngle");
  Slider& tension = Get<Slider>("sldSmoothingTension");
  Slider& level = Get<Slider>("sldSmoothingLevel");
  Slider& refraction = Get<Slider>("sldIndexofRefraction");
  ComboBox& mirror = Get<ComboBox>("cboMirror");
  Button& commit_mirror = Get<Button>("cmdCommitMirroring");
  std::array<Widget*, 6> smoothing = {&Get<Button>("cmdCommitSmoothing"),
                                      &Get<Label>("lblAngle"),
                                      &condition,
                                      &angle,
                                      &Get<Label>("lblTension"),
                                      &tension};
  std::array<UpDownText*, 3> counts = Axes<UpDownText>("txtNumClones");
  std::array<UpDownText*, 3> offsets = Axes<UpDownText>("txtCloneOffset");
  std::array<UpDownText*, 3> rotations = Axes<UpDownText>("txtCloneRotate");
  std::array<Label*, 3> offset_labels = Axes<Label>("lblCloneOffset");
  std::array<Label*, 3> rotation_labels = Axes<Label>("lblCloneRotate");
  std::vector<Widget*> labels = tree.Array("lblCustomShapeFieldName");
  std::vector<Widget*> values = tree.Array("txtCustomShapeFieldValue");
};

std::shared_ptr<SceneNode> First(SceneGraph& graph) {
  return graph.GetSelectedNode(graph.GetActiveScene()->SelectionList(), 0);
}

void Stack(Widget& frame, Long& pos) {
  frame.SetTop(pos);
  pos = frame.Top() + frame.Height() - 30;
}

void SetSmoothingEnabled(BareWidgets& w) {
  const bool on = w.level.Value() >= 1;
  for (Widget* widget : w.smoothing) widget->SetEnabled(on);
}

// What SetupPropertiesPanel does for one selected shape, call for call:
// parking, the edit mode, the frames, the source, the custom rows and every
// value, and the write-backs of the three unguarded sliders when they move.
void BareShowShape(SceneGraph& graph, BareWidgets& w, Long inner_height) {
  for (Frame* frame : w.parked) {
    frame->SetLeft(-50000);
    frame->SetEnabled(false);
  }
  w.divider.SetLeft(-50000);
  benchmark::DoNotOptimize(graph.GetActiveScene()->EditMode());
  w.section.SetEnabled(true);
  w.section.SetLeft(0);
  w.section.SetTop(0);
  w.section.SetHeight(inner_height);

  std::shared_ptr<SceneUtility> utility =
      ThreadSceneServices().GetSceneUtility();
  std::shared_ptr<SceneNode> node = First(graph);
  w.source.SetCaption(utility->GetSourceCaption(node, true));
  std::string detail = utility->GetSourceDetail(node, true);
  if (!detail.empty())
    w.source.SetCaption(w.source.Caption() + " (" + detail + ")");
  Long pos = w.general.Top() + w.general.Height() - 30;
  Long kind = First(graph)->GetShapeInfo().ShapeKind;
  w.source.SetEnabled(kind != 6);
  for (Frame* frame : w.stacked) {
    frame->SetVisible(true);
    Stack(*frame, pos);
  }
  std::vector<std::string> names =
      graph.GetActiveScene()->CustomShapeFieldNames();
  for (std::size_t i = 0; i < names.size(); ++i) {
    w.labels[i]->SetVisible(true);
    w.values[i]->SetVisible(true);
    w.labels[i]->SetCaption(names[i]);
  }
  for (std::size_t row = 0; row < 3; ++row) {
    w.labels[row]->SetWidth(705);
    w.values[row]->SetLeft(840);
    w.values[row]->SetWidth(1095);
  }
  w.custom.SetHeight(w.labels[2]->Top() + w.labels[2]->Height() + 75);
  w.custom.SetVisible(true);
  Stack(w.custom, pos);
  bench::BareMaterialHeader(graph, w.material, w.grid, inner_height, pos);

  Clones clones = First(graph)->GetClones();
  const Long count[] = {clones.Counts.X, clones.Counts.Y, clones.Counts.Z};
  const Single offset[] = {clones.Offsets.X, clones.Offsets.Y,
                           clones.Offsets.Z};
  const Single rotation[] = {clones.Rotations.X, clones.Rotations.Y,
                             clones.Rotations.Z};
  for (int axis = 0; axis < 3; ++axis) {
    w.counts[axis]->SetText(LongToText(count[axis]));
    w.offsets[axis]->SetText(FormatNumber(offset[axis], "0.0##"));
    w.rotations[axis]->SetText(FormatNumber(rotation[axis], "0.0##"));
  }
  for (int axis = 0; axis < 3; ++axis) {
    bool on = TextToDouble(w.counts[axis]->Text()) != 0;
    w.offsets[axis]->SetEnabled(on);
    w.rotations[axis]->SetEnabled(on);
    w.offset_labels[axis]->SetEnabled(on);
    w.rotation_labels[axis]->SetEnabled(on);
  }
  bench::BareMaterialRows(graph, w.grid, 0);
  w.creasing.SetEnabled(false);
  w.creasing.SetValue(RoundToLong(First(graph)->CreasingFactor(kCurrentKey)));
  w.creasing.SetEnabled(true);
  w.condition.SetEnabled(false);
  w.condition.SetListIndex(First(graph)->SmoothingCondition());
  w.condition.SetEnabled(true);
  w.angle.SetText(
      LongToText(RoundToLong(First(graph)->SmoothAngle(kCurrentKey))));

  Long tension =
      RoundToLong(First(graph)->SmoothingTension(kCurrentKey) * 10.0f);
  if (tension != w.tension.Value()) {
    w.tension.SetValue(tension);
    First(graph)->SetSmoothingTension(kCurrentKey,
                                      static_cast<Single>(tension) / 10.0f);
  }
  Long level = First(graph)->SmoothingLevel();
  if (level != w.level.Value()) {
    w.level.SetValue(level);
    First(graph)->SetSmoothingLevel(level);
    SetSmoothingEnabled(w);
  }
  SetSmoothingEnabled(w);
  Long refraction = RoundToLong(First(graph)->IndexOfRefraction(kCurrentKey));
  if (refraction != w.refraction.Value()) {
    w.refraction.SetValue(refraction);
    if (refraction >= 1) {
      benchmark::DoNotOptimize(
          graph.GetActiveScene()->ApplicationRegistryKey());
    }
    First(graph)->SetIndexOfRefraction(kCurrentKey,
                                       static_cast<Single>(refraction));
  }
  w.mirror.SetEnabled(false);
  w.mirror.SetListIndex(First(graph)->MirrorAxis());
  w.mirror.SetEnabled(true);
  w.commit_mirror.SetEnabled(w.mirror.ListIndex() >= 1);
  node = First(graph);
  for (Long row = 0; row < 6; ++row) {
    static_cast<TextWidget*>(w.values[static_cast<std::size_t>(row)])
        ->SetText(node->GetCustomFieldValue(row));
  }
  benchmark::DoNotOptimize(First(graph));
}

// SetupPropertiesPanel switching between two shapes, beside the bare loop.
// `ratio` budget: 1.5.
void BM_ShapeSetupRatio(benchmark::State& state) {
  Panel p;
  BareWidgets bare;
  // The fixed lists come with the panel's start-up; the bare lists get the
  // same entries.
  for (ComboBox* list : {&bare.condition, &bare.mirror}) {
    for (const std::string& item :
         p.panel.Widgets().Get<ComboBox>(list->Name()).Items()) {
      list->AddItem(item);
    }
  }
  double panel = 0, plain = 0;
  bool second = false;
  for (auto _ : state) {
    const char* shape = second ? "B" : "A";
    p.scene->Select({shape});
    auto t0 = Clock::now();
    p.Show(shape);
    auto t1 = Clock::now();
    BareShowShape(*p.scene, bare, p.container.inner_height);
    auto t2 = Clock::now();
    panel += Seconds(t1 - t0);
    plain += Seconds(t2 - t1);
    second = !second;
  }
  bench::ReportRatio(state, panel, plain,
                     static_cast<double>(state.iterations()),
                     bench::TimeUnit::kMicroseconds);
}
BENCHMARK(BM_ShapeSetupRatio)->Unit(benchmark::kMicrosecond)->Iterations(4000);

// The level slider dragged back and forth through 1,000 positions: each a
// scene change on the first selected shape and a pass of the smoothing
// enable rule. The bare loop moves a slider of the same layout, writes the
// level to the freshly fetched node and sets the six widgets' states.
// `ratio` budget: 2.
constexpr int kDragPositions = 1000;

Long DragPosition(int step) {
  // 1, 2, 3, 4, 3, 2, 1, 0, 1, ...: every step is a change.
  int phase = (step + 1) % 8;
  return phase <= 4 ? phase : 8 - phase;
}

void BM_LevelDragRatio(benchmark::State& state) {
  Panel p;
  p.Show("A");
  BareWidgets bare;
  Slider& level = p.panel.Widgets().Get<Slider>("sldSmoothingLevel");
  SceneGraph& graph = *p.scene;
  bench::MeasureSideBySide(
      state,
      [&] {
        for (int step = 0; step < kDragPositions; ++step) {
          level.SetValue(DragPosition(step));
        }
      },
      [&] {
        for (int step = 0; step < kDragPositions; ++step) {
          bare.level.SetValue(DragPosition(step));
          First(graph)->SetSmoothingLevel(bare.level.Value());
          SetSmoothingEnabled(bare);
        }
      },
      bench::TimeUnit::kMicroseconds);
}
BENCHMARK(BM_LevelDragRatio)->Unit(benchmark::kMicrosecond)->Iterations(400);

}  // namespace
}  // namespace morvel

// SetupPropertiesPanel for one selected light and for one selected camera,
// each beside a bare routine that makes the same scene reads, number texts
// and widget writes without the panel, measured alternately in one run.
// `ratio` is the panel's time over the bare routine's (budget: 1.5).
#include <benchmark/benchmark.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "base/numbers.h"
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

constexpr Long kObjectTab = 3;
constexpr Long kParkedLeft = -50000;
// Setups per timed batch: one setup takes microseconds, so each side is
// timed over a batch to keep the clock's own cost out of the ratio.
constexpr int kBatch = 200;

// A spotlight that fades linearly (so the loader looks at two terms), and a
// camera with focal blur on (so every load warns).
constexpr const char* kScene = R"({
  "nodes": [
    {"name": "Key", "kind": "light", "LightType": 2,
     "Colour": [1, 0.5, 0.25, 1], "ConstantAttenuation": 0,
     "LinearAttenuation": 0.2, "SpotlightRange": 300,
     "SpotlightUmbra": 0.35, "SpotlightPenumbra": 0.75},
    {"name": "Cam", "kind": "camera", "FieldOfView": 0.12, "FocalBlur": true,
     "FocalPoint": 4, "FocalAperture": 2, "FocalQuality": 5}
  ]
})";

struct Bench : bench::HeadlessPanel {
  explicit Bench(const char* selected)
      : HeadlessPanel(MemSceneGraph::FromText(kScene, "benchmark")) {
    scene->Select({selected});
  }
};

// The widget writes every object-tab setup makes before its loader: the
// frames of the other sections parked, the divider moved away.
struct ParkedFrames {
  explicit ParkedFrames(Bench& b, const char* shown_section) {
    for (const char* name :
         {"fraCommonProperties", "fraShapeCommonProperties",
          "fraShapeProperties", "fraLightProperties", "fraCameraProperties",
          "fraBoneProperties", "fraGroupProperties"}) {
      if (std::string(name) != shown_section)
        frames[count++] = &b.Get<Frame>(name);
    }
    divider = &b.Get<Frame>("fraBottomDivider");
  }
  void Park() {
    for (int i = 0; i < count; ++i) {
      frames[i]->SetLeft(kParkedLeft);
      frames[i]->SetEnabled(false);
    }
    divider->SetLeft(kParkedLeft);
  }
  Frame* frames[7] = {};
  int count = 0;
  Frame* divider = nullptr;
};

// The light's setup without the panel: the same reads (the scene fetched
// for the edit mode, then the light three times, as the loaders fetch it),
// the same texts and the same widget writes.
struct BareLight {
  explicit BareLight(Bench& b)
      : b(b),
        parked(b, "fraLightProperties"),
        frame(b.Get<Frame>("fraLightProperties")),
        general(b.Get<Frame>("fraLightGeneral")),
        spot(b.Get<Frame>("fraLightSpot")),
        swatch(b.Get<PictureBox>("picVBColor")),
        type(b.Get<ComboBox>("cboAttenuationType")),
        factor(b.Get<UpDownText>("txtAttenuationFactor")),
        range(b.Get<UpDownText>("txtSpotlightRange")),
        umbra(b.Get<UpDownText>("txtSpotlightUmbra")),
        penumbra(b.Get<UpDownText>("txtSpotlightPenumbra")) {}

  void Run() {
    SceneGraph& graph = *b.scene;
    parked.Park();
    benchmark::DoNotOptimize(graph.GetActiveScene()->EditMode());
    bench::ShowFrame(frame, b.container.InnerHeight());
    std::shared_ptr<Light> light = graph.GetSelectedLight(b.SelectionList(), 0);
    spot.SetVisible(light->LightType() == kLightTypeSpot);
    general.SetVisible(true);
    light = graph.GetSelectedLight(b.SelectionList(), 0);
    type.SetEnabled(false);
    benchmark::DoNotOptimize(light->ConstantAttenuation(kCurrentKey));
    benchmark::DoNotOptimize(light->LinearAttenuation(kCurrentKey));
    type.SetListIndex(1);
    factor.SetText(SingleToText(light->LinearAttenuation(kCurrentKey)));
    type.SetEnabled(true);
    benchmark::DoNotOptimize(light->LightType());
    range.SetText(SingleToText(light->SpotlightRange(kCurrentKey)));
    umbra.SetText(SingleToText(light->SpotlightUmbra(kCurrentKey)));
    penumbra.SetText(SingleToText(light->SpotlightPenumbra(kCurrentKey)));
    ColourValue c = light->GetColour(kCurrentKey);
    swatch.SetBackColor(RoundToLong(c.Blue * 255.0f) * 65536 +
                        RoundToLong(c.Green * 255.0f) * 256 +
                        RoundToLong(c.Red * 255.0f));
    current = graph.GetSelectedLight(b.SelectionList(), 0);
  }

  Bench& b;
  ParkedFrames parked;
  Frame& frame;
  Frame& general;
  Frame& spot;
  PictureBox& swatch;
  ComboBox& type;
  UpDownText& factor;
  UpDownText& range;
  UpDownText& umbra;
  UpDownText& penumbra;
  std::shared_ptr<Light> current;
};

// The camera's setup without the panel. The sliders already stand where
// the camera's values put them, so, as for the panel, nothing is written
// back but focal blur; the warning is raised as the panel raises it.
struct BareCamera {
  explicit BareCamera(Bench& b)
      : b(b),
        parked(b, "fraCameraProperties"),
        frame(b.Get<Frame>("fraCameraProperties")),
        raytrace(b.Get<Frame>("fraCameraRaytrace")),
        field_of_view(b.Get<UpDownText>("txtFieldofView")),
        blur(b.Get<CheckBox>("chkFocalBlur")),
        point(b.Get<Slider>("sldFocalPoint")),
        aperture(b.Get<Slider>("sldFocalAperture")),
        quality(b.Get<Slider>("sldFocalQuality")),
        focal_widgets{&b.Get<Label>("lblFocalAperture"),
                      &b.Get<Label>("lblFocalPoint"),
                      &b.Get<Label>("lblFocalQuality"),
                      &aperture,
                      &point,
                      &quality} {}

  void Run() {
    SceneGraph& graph = *b.scene;
    parked.Park();
    benchmark::DoNotOptimize(graph.GetActiveScene()->EditMode());
    bench::ShowFrame(frame, b.container.InnerHeight());
    raytrace.SetVisible(true);
    std::shared_ptr<Camera> camera =
        graph.GetSelectedCamera(b.SelectionList(), 0);
    field_of_view.SetText(SingleToText(camera->GetFieldOfView(kCurrentKey)));
    blur.SetEnabled(false);
    blur.SetValue(camera->GetFocalBlur() ? 1 : 0);
    blur.SetEnabled(true);
    point.SetValue(RoundToLong(camera->GetFocalPoint(kCurrentKey)));
    aperture.SetValue(RoundToLong(camera->GetFocalAperture(kCurrentKey)));
    quality.SetValue(camera->GetFocalQuality());
    bool on = blur.Value() == 1;
    if (on) {
      std::string key = b.scene->GetActiveScene()->ApplicationRegistryKey();
      std::string warning =
          "Focal Blur only applies to Snapshots or Videos rendered using "
          "POV-Ray.";
      std::string entry = "FocalBlur";
      b.events.evtReqWarn(key, warning, entry);
    }
    for (Widget* widget : focal_widgets) widget->SetEnabled(on);
    graph.GetSelectedCamera(b.SelectionList(), 0)->SetFocalBlur(on);
    current = graph.GetSelectedCamera(b.SelectionList(), 0);
  }

  Bench& b;
  ParkedFrames parked;
  Frame& frame;
  Frame& raytrace;
  UpDownText& field_of_view;
  CheckBox& blur;
  Slider& point;
  Slider& aperture;
  Slider& quality;
  Widget* focal_widgets[6];
  std::shared_ptr<Camera> current;
};

template <class Bare>
void RunRatio(benchmark::State& state, const char* selected, Long entity,
              Long lights, Long cameras) {
  Bench b(selected);
  Bare bare(b);
  auto setup = [&] {
    b.panel.SetupPropertiesPanel(kObjectTab, entity, 0, lights, 0, cameras, 0,
                                 false, false, false, 0);
  };
  // The first setup moves the sliders to the camera's values; from then on
  // every setup is the steady one.
  setup();
  bench::MeasureSideBySide(
      state,
      [&] {
        for (int i = 0; i < kBatch; ++i) setup();
      },
      [&] {
        for (int i = 0; i < kBatch; ++i) bare.Run();
      },
      bench::TimeUnit::kMicroseconds, kBatch);
}

void BM_LightSetupRatio(benchmark::State& state) {
  RunRatio<BareLight>(state, "Key", kNodeTypeLight, 1, 0);
}
BENCHMARK(BM_LightSetupRatio)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_CameraSetupRatio(benchmark::State& state) {
  RunRatio<BareCamera>(state, "Cam", kNodeTypeCamera, 0, 1);
}
BENCHMARK(BM_CameraSetupRatio)->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace
}  // namespace morvel

// Benchmarks of the group and bone sections: what showing one group or one
// bone costs, and what a position commit costs, each beside a bare loop that
// makes the same scene calls and widget writes without the panel, in the
// same run. Ratios are reported as counters.
#include <benchmark/benchmark.h>

#include <memory>
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
#include "sections/bone/bone_scales.h"
#include "sections/group/angles.h"

namespace morvel {
namespace {

using bench::Clock;
using bench::Seconds;

// A group inside another (so every transform is measured from a parent),
// with named custom fields in both columns and an enabled joint; a bone
// with an irregular volume, so that its offsets are read too.
constexpr const char* kScene = R"({
  "CustomGroupFieldNames": ["Rig", "", "Notes", "Owner", "", ""],
  "nodes": [
    {"name": "Stage", "kind": "group"},
    {"name": "Figure", "kind": "group", "parent": "Stage",
     "Position": [1.5, 0, -1], "IKJointMode": 1,
     "Orientation": {"Forward": [0, -1, 0], "Up": [0, 0, 1]},
     "RotationalVelocity": {"Axis": [0, 1, 0], "Theta": 0.6283186},
     "CustomFields": ["Mannequin", "", "Oak", "Me", "", ""]},
    {"name": "Spine", "kind": "bone", "parent": "Figure", "BoneWeight": 75,
     "BoneOriginEffectRange": 0.4, "BoneEndEffectRange": 0.3,
     "BoneEffectExtent": 1.2, "BoneIrregularExtent": 30,
     "BoneIrregularOffset": [0, 0.05, 0.1]}
  ]})";

struct Bench : bench::HeadlessPanel {
  Bench()
      : HeadlessPanel(MemSceneGraph::FromText(kScene, "benchmark")),
        w(panel.Widgets()) {}
  void Select(const char* name) { scene->Select({name}); }

  WidgetTree& w;
};

Bench& TheBench() {
  static Bench bench;
  return bench;
}

// What SetupPropertiesPanel does around any object section on the object
// tab: six frames and the divider parked, then the edit mode read.
struct Parking {
  explicit Parking(Bench& b) {
    for (const char* name :
         {"fraCommonProperties", "fraShapeCommonProperties",
          "fraShapeProperties", "fraLightProperties", "fraCameraProperties"}) {
      frames.push_back(&b.w.GetWidget(name));
    }
    divider = &b.w.GetWidget("fraBottomDivider");
  }
  void Park(Bench& b, Widget& own_parked) {
    for (Widget* frame : frames) {
      frame->SetLeft(-50000);
      frame->SetEnabled(false);
    }
    own_parked.SetLeft(-50000);
    own_parked.SetEnabled(false);
    divider->SetLeft(-50000);
    benchmark::DoNotOptimize(b.scene->GetActiveScene()->EditMode());
  }
  std::vector<Widget*> frames;
  Widget* divider;
};

// The group section's reads and writes, with every widget looked up once.
struct BareGroup {
  explicit BareGroup(Bench& b) : parking(b) {
    section = &b.w.GetWidget("fraGroupProperties");
    bone_frame = &b.w.GetWidget("fraBoneProperties");
    for (const char* name :
         {"fraPosition", "fraOrientation", "fraVelocity", "fraIK"}) {
      frames.push_back(&b.w.GetWidget(name));
    }
    custom = &b.w.GetWidget("fraCustomGroupFields");
    for (int i = 0; i < 6; ++i) {
      labels.push_back(&b.Get<Label>("lblCustomGroupFieldName", i));
      values.push_back(&b.Get<TextField>("txtCustomGroupFieldValue", i));
    }
    for (const char* name :
         {"txtPositionX", "txtPositionY", "txtPositionZ", "txtOrientationX",
          "txtOrientationY", "txtOrientationZ", "txtRotationTheta",
          "txtIKJointMinX", "txtIKJointMaxX", "txtIKJointMinY",
          "txtIKJointMaxY", "txtIKJointMinZ", "txtIKJointMaxZ"}) {
      fields.push_back(&b.Get<UpDownText>(name));
    }
    joint = &b.Get<ComboBox>("cboIKJoint");
  }

  void Load(Bench& b) {
    parking.Park(b, *bone_frame);
    bench::ShowFrame(*section, b.container.InnerHeight());
    Long pos = 60;
    for (Widget* frame : frames) {
      frame->SetVisible(true);
      frame->SetTop(pos);
      pos = frame->Top() + frame->Height() - 30;
    }
    std::vector<std::string> names =
        b.scene->GetActiveScene()->CustomGroupFieldNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
      labels[i]->SetVisible(!names[i].empty());
      values[i]->SetVisible(!names[i].empty());
      labels[i]->SetCaption(names[i]);
    }
    for (int i = 0; i < 3; ++i) {
      labels[i]->SetWidth(705);
      values[i]->SetLeft(840);
      values[i]->SetWidth(1095);
    }
    custom->SetHeight(labels[2]->Top() + labels[2]->Height() + 75);
    custom->SetVisible(true);
    custom->SetTop(pos);

    auto group = b.scene->GetSelectedGroup(b.SelectionList(), 0);
    auto parent = group->Parent();
    SingleVector3 p = group->GetPosition(parent, kCurrentKey);
    fields[0]->SetText(FormatNumber(p.X, "0.0###"));
    fields[1]->SetText(FormatNumber(p.Y, "0.0###"));
    fields[2]->SetText(FormatNumber(p.Z, "0.0###"));
    Orientation o = group->GetOrientation(parent, kCurrentKey);
    SingleVector3 a = SharedSceneUtility()->OrientationToEuler(o.Forward, o.Up);
    fields[3]->SetText(FormatNumber(OrientationToDegrees(a.X), "#.0###"));
    fields[4]->SetText(FormatNumber(OrientationToDegrees(a.Y), "#.0###"));
    fields[5]->SetText(FormatNumber(OrientationToDegrees(a.Z), "#.0###"));
    fields[6]->SetText(FormatNumber(
        RevolutionsPerSecond(group->GetRotationalVelocity().Theta), "0.0"));
    joint->SetEnabled(false);
    joint->SetListIndex(group->IKJointMode());
    joint->SetEnabled(true);
    IKJointLimits l = group->GetIKJointLimits();
    const Single shown[] = {l.MinX, l.MaxX, l.MinY, l.MaxY, l.MinZ, l.MaxZ};
    for (int i = 0; i < 6; ++i) {
      fields[7 + i]->SetText(SingleToText(JointLimitToDegrees(shown[i])));
    }
    for (int i = 0; i < 6; ++i) fields[7 + i]->SetEnabled(true);
    for (int i = 0; i < 6; ++i) {
      values[i]->SetText(group->GetCustomFieldValue(i));
    }
    remembered = b.scene->GetSelectedGroup(b.SelectionList(), 0);
  }

  Parking parking;
  Widget* section;
  Widget* bone_frame;
  std::vector<Widget*> frames;
  Widget* custom;
  std::vector<Label*> labels;
  std::vector<TextField*> values;
  std::vector<UpDownText*> fields;
  ComboBox* joint;
  std::shared_ptr<Group> remembered;
};

// The bone section's: the sliders set (they stand still, so nothing is
// written back) and the offsets read.
struct BareBone {
  explicit BareBone(Bench& b) : parking(b) {
    section = &b.w.GetWidget("fraBoneProperties");
    group_frame = &b.w.GetWidget("fraGroupProperties");
    volume = &b.w.GetWidget("fraBoneVolume");
    irregular = &b.w.GetWidget("fraBoneVolumeIrregular");
    for (const char* name :
         {"sldWeight", "sldOriginEffectRange", "sldEndEffectRange",
          "sldEffectExtent", "sldExtentIrregular"}) {
      sliders.push_back(&b.Get<Slider>(name));
    }
    for (const char* name :
         {"lblExtentIrregularOffsetX", "lblExtentIrregularOffsetY",
          "lblExtentIrregularOffsetZ"}) {
      labels.push_back(&b.w.GetWidget(name));
    }
    for (const char* name :
         {"txtExtentIrregularOffsetX", "txtExtentIrregularOffsetY",
          "txtExtentIrregularOffsetZ"}) {
      offsets.push_back(&b.Get<UpDownText>(name));
    }
  }

  void Load(Bench& b) {
    parking.Park(b, *group_frame);
    bench::ShowFrame(*section, b.container.OuterHeight());
    auto bone = b.scene->GetSelectedBone(b.SelectionList(), 0);
    sliders[0]->SetValue(SliderPosition(bone->BoneWeight(), kWeightScale));
    benchmark::DoNotOptimize(bone->BoneKind());
    volume->SetVisible(true);
    irregular->SetVisible(true);
    sliders[1]->SetValue(
        SliderPosition(bone->BoneOriginEffectRange(), kOriginRangeScale));
    sliders[2]->SetValue(
        SliderPosition(bone->BoneEndEffectRange(), kEndRangeScale));
    sliders[3]->SetValue(
        SliderPosition(bone->BoneEffectExtent(), kExtentScale));
    sliders[4]->SetValue(
        SliderPosition(bone->BoneIrregularExtent(), kIrregularExtentScale));
    auto fresh = b.scene->GetSelectedBone(b.SelectionList(), 0);
    for (Widget* label : labels) label->SetEnabled(true);
    for (UpDownText* offset : offsets) offset->SetEnabled(true);
    SingleVector3 o = fresh->BoneIrregularOffset();
    offsets[0]->SetText(SingleToText(o.X));
    offsets[1]->SetText(SingleToText(o.Y));
    offsets[2]->SetText(SingleToText(o.Z));
    remembered = b.scene->GetSelectedBone(b.SelectionList(), 0);
  }

  Parking parking;
  Widget* section;
  Widget* group_frame;
  Widget* volume;
  Widget* irregular;
  std::vector<Slider*> sliders;
  std::vector<Widget*> labels;
  std::vector<UpDownText*> offsets;
  std::shared_ptr<Group> remembered;
};

template <class Bare>
void RunSetupRatio(benchmark::State& state, const char* node,
                   const SetupArguments& args) {
  Bench& b = TheBench();
  b.Select(node);
  Bare bare_loop(b);
  b.panel.SetupPropertiesPanel(args);  // the first load moves the sliders
  bench::MeasureSideBySide(
      state, [&] { b.panel.SetupPropertiesPanel(args); },
      [&] { bare_loop.Load(b); }, bench::TimeUnit::kMicroseconds);
}

SetupArguments ObjectTab(Long entity, Long bones, Long groups) {
  SetupArguments args;
  args.SelectedTab = 3;
  args.SelectionEntity = entity;
  args.BonesSelectedCount = bones;
  args.GroupsSelectedCount = groups;
  return args;
}

// Budget: 1.5 each.
void BM_GroupSetupRatio(benchmark::State& state) {
  RunSetupRatio<BareGroup>(state, "Figure", ObjectTab(kNodeTypeGroup, 0, 1));
}
BENCHMARK(BM_GroupSetupRatio)->Unit(benchmark::kMicrosecond);

void BM_BoneSetupRatio(benchmark::State& state) {
  RunSetupRatio<BareBone>(state, "Spine", ObjectTab(kNodeTypeBone, 1, 0));
}
BENCHMARK(BM_BoneSetupRatio)->Unit(benchmark::kMicrosecond);

// 10,000 commits of txtPositionX beside the bare writes they make: the six
// texts converted, the angles turned into an orientation, then
// SetOrientation and SetPosition relative to the parent. `ratio` is the
// panel's editor alone (budget 2); `ratio_with_field` adds the field's own
// handling of a commit (its bounds and decimals), as a person's Enter does.
constexpr int kCommits = 10000;

void BareCommit(Bench& b, const std::shared_ptr<Group>& group,
                UpDownText* const* fields) {
  SceneUtility& utility = *SharedSceneUtility();
  SingleVector3 angles{OrientationToRadians(TextToSingle(fields[3]->Text())),
                       OrientationToRadians(TextToSingle(fields[4]->Text())),
                       OrientationToRadians(TextToSingle(fields[5]->Text()))};
  Orientation o = utility.EulerToOrientation(angles);
  group->SetOrientation(group->Parent(), kCurrentKey, o.Forward, o.Up);
  SingleVector3 v = utility.MakeVector(TextToSingle(fields[0]->Text()),
                                       TextToSingle(fields[1]->Text()),
                                       TextToSingle(fields[2]->Text()));
  group->SetPosition(group->Parent(), kCurrentKey, v);
  benchmark::DoNotOptimize(b);
}

void BM_PositionCommitRatio_10k(benchmark::State& state) {
  Bench& b = TheBench();
  b.Select("Figure");
  b.panel.SetupPropertiesPanel(ObjectTab(kNodeTypeGroup, 0, 1));
  UpDownText* fields[6];
  const char* names[] = {"txtPositionX",    "txtPositionY",
                         "txtPositionZ",    "txtOrientationX",
                         "txtOrientationY", "txtOrientationZ"};
  for (int i = 0; i < 6; ++i) fields[i] = &b.Get<UpDownText>(names[i]);
  UpDownText& x = *fields[0];
  x.SetText("2.125");
  auto group = b.scene->GetSelectedGroup(b.SelectionList(), 0);
  double panel = 0, with_field = 0, bare = 0;
  for (auto _ : state) {
    auto t0 = Clock::now();
    for (int i = 0; i < kCommits; ++i) x.on_value_committed();
    auto t1 = Clock::now();
    for (int i = 0; i < kCommits; ++i) UserInput::Commit(x, std::nullopt);
    auto t2 = Clock::now();
    for (int i = 0; i < kCommits; ++i) BareCommit(b, group, fields);
    auto t3 = Clock::now();
    panel += Seconds(t1 - t0);
    with_field += Seconds(t2 - t1);
    bare += Seconds(t3 - t2);
  }
  const double n = static_cast<double>(state.iterations());
  bench::ReportRatio(state, panel, bare, n, bench::TimeUnit::kMilliseconds);
  state.counters["ratio_with_field"] = with_field / bare;
}
BENCHMARK(BM_PositionCommitRatio_10k)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace
}  // namespace morvel

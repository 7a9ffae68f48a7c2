// The widget tree's budgets: a window of a few hundred widgets is built in
// well under a millisecond and a fraction of a megabyte, and a change costs
// little more than the observer and handler calls it makes.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "widgets/widget.h"

namespace morvel {
namespace {

constexpr int kWidgetCount = 300;

// A layout table shaped like the panel's: frames of twenty widgets holding a
// mix of labels, sliders, fields, check boxes and lists, and a control array.
class Layout {
 public:
  Layout() {
    // Reserved once, so the names the table points at never move.
    names_.reserve(kWidgetCount);
    const WidgetKind kinds[] = {
        WidgetKind::kLabel,     WidgetKind::kSlider,    WidgetKind::kUpDownText,
        WidgetKind::kCheckBox,  WidgetKind::kComboBox,  WidgetKind::kButton,
        WidgetKind::kTextField, WidgetKind::kPictureBox};
    names_.push_back("Properties");
    specs_.push_back({.kind = WidgetKind::kForm,
                      .name = names_[0].c_str(),
                      .width = 4000,
                      .height = 9735});
    const char* frame = "";
    for (int i = 1; i < kWidgetCount; ++i) {
      WidgetSpec spec{.kind = WidgetKind::kFrame, .name = ""};
      if (i % 20 == 1) {
        names_.push_back("fraSection" + std::to_string(i / 20));
        spec.caption = " Section";
        spec.left = -30;
        spec.top = 60 + 75 * i;
        spec.width = 3930;
        spec.height = 1400;
        frame = names_.back().c_str();
      } else {
        spec.kind = i % 10 == 0 ? WidgetKind::kLabel : kinds[i % 8];
        spec.parent = frame;
        if (i % 10 == 0) {
          names_.push_back("Label");
          spec.index = i;
        } else {
          names_.push_back("w" + std::to_string(i));
        }
        spec.left = 135;
        spec.top = 60 * (i % 20);
        spec.width = 2835;
        spec.height = 285;
        spec.caption = "Caption";
        spec.tooltip = "A tool tip long enough to need the heap";
        spec.min = 0;
        spec.max = 100;
        spec.large_change = 5;
        spec.text = "0.0";
        spec.decimals = 2;
      }
      spec.name = names_.back().c_str();
      specs_.push_back(spec);
    }
  }
  const std::vector<WidgetSpec>& Specs() const { return specs_; }

 private:
  std::vector<std::string> names_;
  std::vector<WidgetSpec> specs_;
};

const Layout& TheLayout() {
  static const Layout layout;
  return layout;
}

std::size_t HeapInUse() { return mallinfo2().uordblks; }

void BM_BuildTreeOf300Widgets(benchmark::State& state) {
  const auto& specs = TheLayout().Specs();
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::size_t before = HeapInUse();
    WidgetTree tree;
    tree.Build(specs.data(), specs.size());
    bytes = HeapInUse() - before;
    benchmark::DoNotOptimize(tree.Root());
  }
  state.counters["widgets"] = static_cast<double>(specs.size());
  state.counters["heap_bytes"] = static_cast<double>(bytes);
  state.SetItemsProcessed(state.iterations() *
                          static_cast<std::int64_t>(specs.size()));
}
BENCHMARK(BM_BuildTreeOf300Widgets)->Unit(benchmark::kMicrosecond);

class CountingObserver : public WidgetObserver {
 public:
  void OnWidgetChanged(Widget&, WidgetProperty) override { ++count; }
  long long count = 0;
};

constexpr int kChanges = 1'000'000;

// 1,000,000 position changes through the tree: range check, notification of
// an attached observer, the Change handler.
void BM_SliderChanges(benchmark::State& state) {
  WidgetTree tree;
  tree.Build(TheLayout().Specs().data(), TheLayout().Specs().size());
  auto& slider = tree.Get<Slider>("w9");
  CountingObserver observer;
  tree.AddObserver(&observer);
  long long handled = 0;
  slider.on_change = [&handled] { ++handled; };
  for (auto _ : state) {
    for (int i = 0; i < kChanges; ++i) slider.SetValue(i & 1 ? 7 : 3);
  }
  benchmark::DoNotOptimize(handled);
  state.SetItemsProcessed(state.iterations() * kChanges);
  state.counters["observer_calls"] = static_cast<double>(observer.count);
}
BENCHMARK(BM_SliderChanges)->Unit(benchmark::kMillisecond);

// The same work without the widget: store the value, call the observer and
// the handler. BM_SliderChanges over this is the tree's own overhead.
void BM_SliderChangesBareLoop(benchmark::State& state) {
  CountingObserver observer;
  WidgetObserver* observers[] = {&observer};
  WidgetTree tree;
  Widget& root = tree.Create(WidgetKind::kForm, "Properties", -1, nullptr);
  long long handled = 0;
  std::function<void()> on_change = [&handled] { ++handled; };
  volatile Long value = 0;
  for (auto _ : state) {
    for (int i = 0; i < kChanges; ++i) {
      Long next = i & 1 ? 7 : 3;
      if (next == value) continue;
      value = next;
      for (WidgetObserver* o : observers) {
        o->OnWidgetChanged(root, WidgetProperty::kValue);
      }
      on_change();
    }
  }
  benchmark::DoNotOptimize(handled);
  state.SetItemsProcessed(state.iterations() * kChanges);
}
BENCHMARK(BM_SliderChangesBareLoop)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvel

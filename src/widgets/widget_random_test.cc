// Long random sequences of code and user actions: whatever happens, the
// widgets keep their invariants, every failure is an Error with a known
// number, and a view that refreshes only what it is told about stays in step
// with the model.

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <string>

#include "base/error.h"
#include "widgets/text_util.h"
#include "widgets/widget.h"

namespace morvel {
namespace {

// Keeps a copy of each widget's dump line, refreshed only on notification.
class MirrorView : public WidgetObserver {
 public:
  explicit MirrorView(WidgetTree& tree) : tree_(tree) {
    for (const auto& w : tree.All()) lines_[w.get()] = w->DumpLine();
    tree_.AddObserver(this);
  }
  ~MirrorView() override { tree_.RemoveObserver(this); }
  void OnWidgetChanged(Widget& widget, WidgetProperty) override {
    lines_[&widget] = widget.DumpLine();
  }
  void ExpectInStep() const {
    for (const auto& w : tree_.All()) {
      ASSERT_EQ(lines_.at(w.get()), w->DumpLine());
    }
  }

 private:
  WidgetTree& tree_;
  std::map<const Widget*, std::string> lines_;
};

// clang-format off
const WidgetSpec kLayout[] = {
    {.kind = WidgetKind::kForm, .name = "Properties", .width = 4000,
     .height = 9735},
    {.kind = WidgetKind::kFrame, .name = "fraA", .width = 3930,
     .height = 4000},
    {.kind = WidgetKind::kSlider, .name = "sld", .parent = "fraA", .min = -3,
     .max = 7},
    {.kind = WidgetKind::kComboBox, .name = "cbo", .parent = "fraA"},
    {.kind = WidgetKind::kCheckBox, .name = "chk", .parent = "fraA"},
    {.kind = WidgetKind::kButton, .name = "cmd", .parent = "fraA"},
    {.kind = WidgetKind::kUpDownText, .name = "txtUp", .parent = "fraA",
     .min = -10, .max = 10, .small_change = 0.25, .decimals = 2},
    {.kind = WidgetKind::kTextField, .name = "txtField", .index = 2,
     .parent = "fraA"},
    {.kind = WidgetKind::kTextBox, .name = "txtBox"},
    {.kind = WidgetKind::kFlexGrid, .name = "msg"},
    {.kind = WidgetKind::kPictureBox, .name = "pic"},
};
// clang-format on

TEST(WidgetRandomTest, InvariantsHoldAndViewsStayInStep) {
  WidgetTree tree;
  tree.Build(kLayout);
  auto& slider = tree.Get<Slider>("sld");
  auto& combo = tree.Get<ComboBox>("cbo");
  auto& check = tree.Get<CheckBox>("chk");
  auto& up = tree.Get<UpDownText>("txtUp");
  auto& field = tree.Get<TextField>("txtField", 2);
  auto& box = tree.Get<TextBox>("txtBox");
  auto& grid = tree.Get<FlexGrid>("msg");
  Widget& frame = tree.GetWidget("fraA");
  TextWidget* texts[] = {&up, &field, &box};
  Widget* all[] = {&slider, &combo, &check, &up, &field, &box, &grid, &frame};

  std::mt19937 random(20240521);
  auto pick = [&](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(random);
  };
  const char* const kTexts[] = {
      "",    "1",           "-2.345", "abc",  "|", "\xC3\xA9t\xC3\xA9",
      "1e3", "99999999999", "\b\b",   "0.125"};
  // Handlers that act back on the widgets, as editors do.
  field.on_key_press = [](Integer& key) {
    if (key == '|') key = 0;
  };
  up.on_activated = [&] { up.SelectValueText(); };
  box.on_got_focus = [&] { box.SetSelection(0, CharCount(box.Text())); };
  combo.on_click = [&] {
    if (combo.ListIndex() == 0) slider.SetValue(0);
  };

  MirrorView mirror(tree);
  const std::set<Long> kKnown = {5, 6, 7, 9, 13, 380};
  int failures = 0;
  auto any_index = [&] { return pick(-1, 4); };
  auto any_text = [&] { return kTexts[pick(0, 9)]; };
  auto any_text_widget = [&]() -> TextWidget& { return *texts[pick(0, 2)]; };
  auto any_widget = [&]() -> Widget& { return *all[pick(0, 7)]; };
  // What code and a person do, each picked at random.
  const std::function<void()> actions[] = {
      [&] { slider.SetValue(pick(-5, 9)); },
      [&] { slider.SetRange(pick(-5, 5), pick(-5, 9)); },
      [&] { UserInput::MoveSlider(slider, pick(-5, 9)); },
      [&] {
        combo.AddItem("item", pick(0, 2) ? std::nullopt
                                         : std::optional<Long>(any_index()));
      },
      [&] { combo.RemoveItem(any_index()); },
      [&] { combo.SetListIndex(pick(-2, 4)); },
      [&] { UserInput::Pick(combo, any_index()); },
      [&] { check.SetValue(static_cast<Integer>(pick(-1, 3))); },
      [&] { UserInput::Click(any_widget()); },
      [&] { any_text_widget().SetText(any_text()); },
      [&] { UserInput::Type(any_text_widget(), any_text()); },
      [&] {
        TextWidget& t = any_text_widget();
        UserInput::Commit(t, pick(0, 1) ? std::optional<std::string>(any_text())
                                        : std::nullopt);
      },
      [&] { any_text_widget().SetSelection(pick(-1, 8), pick(-1, 8)); },
      [&] { UserInput::Activate(up); },
      [&] { UserInput::Step(up, pick(-1, 1)); },
      [&] { any_widget().SetEnabled(pick(0, 3) != 0); },
      [&] { any_widget().SetVisible(pick(0, 3) != 0); },
      [&] {
        pick(0, 1) ? grid.SetRows(pick(-1, 6)) : grid.SetCols(pick(-1, 6));
      },
      [&] {
        grid.SetRow(pick(-1, 6));
        grid.SetCol(pick(-1, 6));
        grid.SetText(any_text());
      },
      [&] { UserInput::ClickCell(grid, pick(-1, 6), pick(-1, 6)); },
      [&] {
        pick(0, 1) ? UserInput::Focus(any_widget())
                   : UserInput::Blur(any_widget());
      },
      [&] { grid.SetColWidth(pick(-1, 6), pick(-2, 2000)); },
  };
  constexpr int kActions = static_cast<int>(std::size(actions));
  for (int step = 0; step < 20000; ++step) {
    try {
      actions[pick(0, kActions - 1)]();
    } catch (const Error& e) {
      ++failures;
      ASSERT_TRUE(kKnown.count(e.Number()))
          << "step " << step << ": " << e.Number() << " " << e.Description();
    }
    ASSERT_GE(slider.Value(), std::min(slider.Min(), slider.Max()));
    ASSERT_LE(slider.Value(), std::max(slider.Min(), slider.Max()));
    ASSERT_GE(combo.ListIndex(), -1);
    ASSERT_LT(combo.ListIndex(), combo.ListCount());
    ASSERT_GE(check.Value(), 0);
    ASSERT_LE(check.Value(), 2);
    for (const TextWidget* t : texts) {
      ASSERT_LE(t->SelStart() + t->SelLength(), CharCount(t->Text()));
    }
    if (grid.Rows() > 0 && grid.Cols() > 0) {
      ASSERT_LT(grid.Row(), grid.Rows());
      ASSERT_LT(grid.Col(), grid.Cols());
      ASSERT_LE(grid.FixedRows(), grid.Rows());
    }
    ASSERT_NO_FATAL_FAILURE(mirror.ExpectInStep()) << "step " << step;
  }
  // The sequence exercised both the accepted and the refused paths.
  EXPECT_GT(failures, 1000);
  EXPECT_LT(failures, 19000);
}

}  // namespace
}  // namespace morvel

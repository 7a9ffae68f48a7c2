#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error.h"
#include "widgets/widget.h"
#include "widgets/widget_testing.h"

namespace morvel {
namespace {

using ::morvel::testing::ExpectError;
using ::testing::IsEmpty;

// A small window laid out from a table, as the sections lay out theirs.
// clang-format off
const WidgetSpec kLayout[] = {
    {.kind = WidgetKind::kForm, .name = "Properties"},
    {.kind = WidgetKind::kFrame, .name = "fraSmoothing"},
    {.kind = WidgetKind::kLabel, .name = "Label", .index = 3,
     .parent = "fraSmoothing"},
    {.kind = WidgetKind::kSlider, .name = "sldSmoothingLevel",
     .parent = "fraSmoothing"},
    {.kind = WidgetKind::kUpDownText, .name = "txtAngle",
     .parent = "fraSmoothing", .text = "30.0"},
    {.kind = WidgetKind::kButton, .name = "cmdCommitSmoothing",
     .parent = "fraSmoothing"},
    {.kind = WidgetKind::kTextField, .name = "txtNumClones", .index = 0,
     .parent = "Label(3)"},
    {.kind = WidgetKind::kImageList, .name = "ilsImageList"},
};
// clang-format on

// (The settings a table gives are read back by the layout and range
// scenarios; what is left here is how a table names parents.)
TEST(WidgetTreeTest, ATableNamesParentsByDisplayNameOrNotAtAll) {
  WidgetTree tree;
  tree.Build(kLayout);
  EXPECT_EQ(tree.GetWidget("txtNumClones", 0).Parent(),
            &tree.GetWidget("Label", 3));
  EXPECT_EQ(tree.GetWidget("ilsImageList").Parent(), tree.Root());
  EXPECT_EQ(tree.GetWidget("fraSmoothing").Children().size(), 4u);
}

TEST(WidgetTreeTest, LooksUpByNameIndexAndDisplayName) {
  WidgetTree tree;
  Widget& form = tree.Create(WidgetKind::kForm, "Properties", -1, nullptr);
  for (int i : {2, 0, 1}) {
    tree.Create(WidgetKind::kTextField, "txtNumClones", i, &form);
  }
  struct Case {
    const char* display;
    const char* name;
    int index;
    bool found;
  };
  for (const Case& c :
       {Case{"txtNumClones(0)", "txtNumClones", 0, true},
        Case{"txtNumClones(2)", "txtNumClones", 2, true},
        Case{"txtNumClones(3)", "txtNumClones", 3, false},
        Case{"txtNumClones", "txtNumClones", -1, false},
        Case{"Properties", "Properties", -1, true},
        Case{"txtNumClones(x)", "", 0, false},
        Case{"txtNumClones(-1)", "", 0, false}, Case{"(1)", "", 0, false}}) {
    SCOPED_TRACE(c.display);
    Widget* by_display = tree.FindByDisplayName(c.display);
    EXPECT_EQ(by_display != nullptr, c.found);
    if (c.found) {
      EXPECT_EQ(by_display, tree.Find(c.name, c.index));
      EXPECT_EQ(by_display->DisplayName(), c.display);
    }
  }
  std::vector<Widget*> array = tree.Array("txtNumClones");
  ASSERT_EQ(array.size(), 3u);
  EXPECT_EQ(array[0]->Index(), 0);
  EXPECT_EQ(array[1]->Index(), 1);
  EXPECT_EQ(array[2]->Index(), 2);
  EXPECT_THAT(tree.Array("Properties"), IsEmpty());
}

TEST(WidgetTreeTest, RefusesBadCreationsWithClearErrors) {
  WidgetTree tree;
  Widget& form = tree.Create(WidgetKind::kForm, "Properties", -1, nullptr);
  tree.Create(WidgetKind::kLabel, "lblName", -1, &form);
  tree.Create(WidgetKind::kLabel, "Label", 0, &form);
  WidgetTree other;
  Widget& stranger = other.Create(WidgetKind::kForm, "frmWarn", -1, nullptr);

  struct Case {
    const char* what;
    std::function<void()> call;
    const char* description;
  };
  const Case cases[] = {
      {"duplicate",
       [&] { tree.Create(WidgetKind::kLabel, "lblName", -1, &form); },
       "A widget named lblName already exists"},
      {"single used as array",
       [&] { tree.Create(WidgetKind::kLabel, "lblName", 1, &form); },
       "lblName is not a control array"},
      {"array used as single",
       [&] { tree.Create(WidgetKind::kLabel, "Label", -1, &form); },
       "Label is a control array: give an index"},
      {"second root",
       [&] { tree.Create(WidgetKind::kForm, "frmOther", -1, nullptr); },
       "frmOther needs a parent: the window already has its root Properties"},
      {"foreign parent",
       [&] { tree.Create(WidgetKind::kLabel, "lblX", -1, &stranger); },
       "The parent of lblX belongs to another window"},
      {"bad index", [&] { tree.Create(WidgetKind::kLabel, "lblY", -2, &form); },
       "Invalid control array index -2 for lblY"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectError(c.call, 5, c.description);
  }
  // Nothing refused was added.
  EXPECT_EQ(tree.All().size(), 3u);
  EXPECT_EQ(form.Children().size(), 2u);
}

TEST(WidgetTreeTest, TypedLookupReportsMissingAndWrongKind) {
  WidgetTree tree;
  tree.Build(kLayout);
  ExpectError([&] { tree.Get<Slider>("sldNothing"); }, 9,
              "No widget named sldNothing");
  ExpectError([&] { tree.Get<TextField>("txtNumClones", 4); }, 9,
              "No widget named txtNumClones(4)");
  ExpectError([&] { tree.Get<CheckBox>("sldSmoothingLevel"); }, 13,
              "Type mismatch: sldSmoothingLevel is a Slider");
  // A field is also a text widget.
  EXPECT_EQ(tree.Get<TextWidget>("txtAngle").Text(), "30.0");
}

// ------------------------------------------------------------------ focus

class FocusTest : public ::testing::Test {
 protected:
  FocusTest() {
    tree_.Build(kLayout);
    form_ = tree_.Root();
    first_ =
        &tree_.Create<TextBox>(WidgetKind::kTextBox, "txtFirst", -1, form_);
    second_ =
        &tree_.Create<TextBox>(WidgetKind::kTextBox, "txtSecond", -1, form_);
  }
  WidgetTree tree_;
  Widget* form_;
  TextBox* first_;
  TextBox* second_;
};

// (Lost before got, and a blur, are pinned by the input rules.)
TEST_F(FocusTest, AHandlerThatMovesTheFocusAgainWins) {
  tree_.SetFocus(first_);
  // The cell editor hides itself and sends the focus elsewhere while losing
  // it; the focus must end where the handler put it.
  first_->on_lost_focus = [&] {
    first_->SetVisible(false);
    tree_.SetFocus(nullptr);
  };
  int got_second = 0;
  second_->on_got_focus = [&] { ++got_second; };
  tree_.SetFocus(second_);
  EXPECT_EQ(tree_.Focused(), nullptr);
  EXPECT_EQ(got_second, 0);
  EXPECT_FALSE(first_->Visible());
}

TEST_F(FocusTest, AWidgetOfAnotherWindowCannotTakeTheFocus) {
  WidgetTree other;
  Widget& stranger = other.Create(WidgetKind::kForm, "frmWarn", -1, nullptr);
  ExpectError([&] { tree_.SetFocus(&stranger); }, 5,
              "frmWarn belongs to another window");
  EXPECT_EQ(tree_.Focused(), nullptr);
}

// ---------------------------------------------------------------- observers

class CountingObserver : public WidgetObserver {
 public:
  void OnWidgetChanged(Widget&, WidgetProperty) override {
    ++count;
    if (on_change) on_change();
  }
  int count = 0;
  std::function<void()> on_change;
};

TEST(WidgetTreeTest, ObserversCanLeaveWhileBeingNotified) {
  WidgetTree tree;
  Widget& form = tree.Create(WidgetKind::kForm, "Properties", -1, nullptr);
  auto& slider = tree.Create<Slider>(WidgetKind::kSlider, "sld", -1, &form);
  CountingObserver first, second, third;
  tree.AddObserver(&first);
  tree.AddObserver(&second);
  tree.AddObserver(&third);
  tree.AddObserver(&second);  // once only
  first.on_change = [&] { tree.RemoveObserver(&second); };
  slider.SetValue(1);
  EXPECT_EQ(first.count, 1);
  EXPECT_EQ(second.count, 0);
  EXPECT_EQ(third.count, 1);
  first.on_change = nullptr;
  tree.RemoveObserver(&first);
  slider.SetValue(2);
  EXPECT_EQ(first.count, 1);
  EXPECT_EQ(third.count, 2);
  ExpectError([&] { tree.AddObserver(nullptr); }, 91,
              "Object variable or With block variable not set");
}

// ------------------------------------------------------------------- dump

// (The dump's format is pinned by the `morvel-panel show` tests.)
TEST(WidgetTreeTest, DumpOfWhatIsShownLeavesOutHiddenParkedAndClipped) {
  WidgetTree tree;
  // clang-format off
  const WidgetSpec layout[] = {
      {.kind = WidgetKind::kForm, .name = "Properties", .left = 500,
       .top = 500, .width = 4000, .height = 3000},
      {.kind = WidgetKind::kFrame, .name = "fraShown", .width = 4000,
       .height = 1000},
      {.kind = WidgetKind::kCheckBox, .name = "chkVisible",
       .parent = "fraShown", .left = 100, .top = 100, .width = 500,
       .height = 200, .caption = "On"},
      {.kind = WidgetKind::kCheckBox, .name = "chkHidden",
       .parent = "fraShown", .width = 500, .height = 200, .visible = false},
      {.kind = WidgetKind::kLabel, .name = "lblBelowFrame",
       .parent = "fraShown", .top = 1000, .width = 500, .height = 200},
      {.kind = WidgetKind::kLabel, .name = "lblHalfOut", .parent = "fraShown",
       .left = 3900, .top = 900, .width = 500, .height = 200},
      {.kind = WidgetKind::kFrame, .name = "fraParked", .left = -50000,
       .width = 3930, .height = 1000},
      {.kind = WidgetKind::kButton, .name = "cmdParked", .parent = "fraParked",
       .width = 500, .height = 200},
      {.kind = WidgetKind::kFrame, .name = "fraWide", .top = 1000,
       .width = 50000, .height = 800, .enabled = false},
      {.kind = WidgetKind::kButton, .name = "cmdInView", .parent = "fraWide",
       .left = 100, .width = 500, .height = 200},
      {.kind = WidgetKind::kButton, .name = "cmdOutOfView",
       .parent = "fraWide", .left = 5000, .width = 500, .height = 200},
      {.kind = WidgetKind::kImageList, .name = "ilsImageList"},
  };
  // clang-format on
  tree.Build(layout);
  EXPECT_EQ(tree.Dump(*tree.Root(), /*shown_only=*/true),
            "Properties Form (500,500,4000,3000)\n"
            "  fraShown Frame (0,0,4000,1000)\n"
            "    chkVisible CheckBox (100,100,500,200) Caption=\"On\" Value=0\n"
            "    lblHalfOut Label (3900,900,500,200)\n"
            "  fraWide Frame (0,1000,50000,800) disabled\n"
            "    cmdInView Button (100,0,500,200)\n");
  EXPECT_EQ(tree.Dump(tree.GetWidget("fraParked"), true), "");
  EXPECT_EQ(tree.Dump(tree.GetWidget("fraParked"), false),
            "fraParked Frame (-50000,0,3930,1000)\n"
            "  cmdParked Button (0,0,500,200)\n");
  EXPECT_EQ(tree.Dump(tree.GetWidget("fraWide"), true),
            "fraWide Frame (0,1000,50000,800) disabled\n"
            "  cmdInView Button (100,0,500,200)\n");
  tree.Root()->SetVisible(false);
  EXPECT_EQ(tree.Dump(*tree.Root(), true), "");
  EXPECT_EQ(tree.Dump(tree.GetWidget("chkVisible"), true), "");
}

}  // namespace
}  // namespace morvel

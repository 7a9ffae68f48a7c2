#include "widgets/widget.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error.h"
#include "widgets/widget_testing.h"

namespace morvel {
namespace {

using ::morvel::testing::EventLog;
using ::morvel::testing::ExpectError;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

using Events = std::vector<std::string>;

class WidgetTest : public ::testing::Test {
 protected:
  WidgetTest()
      : form_(tree_.Create<Form>(WidgetKind::kForm, "frmMain", -1, nullptr)) {}

  template <class T>
  T& Make(WidgetKind kind, const char* name, int index = -1) {
    return tree_.Create<T>(kind, name, index, &form_);
  }

  WidgetTree tree_;
  Form& form_;
};

// ------------------------------------------------------- change rules: tables

struct SliderCase {
  const char* name;
  Long min, max, start;
  Long set;
  Events events;
};

class SliderRuleTest : public WidgetTest,
                       public ::testing::WithParamInterface<SliderCase> {};

TEST_P(SliderRuleTest, ChangeIsRaisedExactlyWhenThePositionMoves) {
  const SliderCase& c = GetParam();
  auto& slider = Make<Slider>(WidgetKind::kSlider, "sldLevel");
  slider.SetRange(c.min, c.max);
  slider.SetValue(c.start);
  EventLog log(tree_);
  slider.on_change = log.Handler("change");
  slider.SetValue(c.set);
  EXPECT_THAT(log.Take(), ElementsAreArray(c.events));
  EXPECT_EQ(slider.Value(), c.set);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SliderRuleTest,
    ::testing::Values(
        SliderCase{"Up", 0, 10, 0, 2, {"notify sldLevel Value", "change"}},
        SliderCase{"Down", 0, 10, 7, 3, {"notify sldLevel Value", "change"}},
        SliderCase{"Unchanged", 0, 10, 4, 4, {}},
        SliderCase{"ToMin", 1, 10, 5, 1, {"notify sldLevel Value", "change"}},
        SliderCase{"ReversedRange",
                   10,
                   -5,
                   0,
                   -5,
                   {"notify sldLevel Value", "change"}},
        SliderCase{"NegativeRange",
                   -100,
                   -50,
                   -60,
                   -100,
                   {"notify sldLevel Value", "change"}}),
    [](const auto& info) { return info.param.name; });

TEST_F(WidgetTest, SliderRefusesPositionsOutsideItsRangeWithoutChange) {
  auto& slider = Make<Slider>(WidgetKind::kSlider, "sldLevel");
  slider.SetRange(1, 10);
  slider.SetValue(4);
  EventLog log(tree_);
  slider.on_change = log.Handler("change");
  for (Long bad : {0, 11, -1, 2147483647}) {
    ExpectError([&] { slider.SetValue(bad); }, 380, "Invalid property value");
  }
  EXPECT_EQ(slider.Value(), 4);
  EXPECT_THAT(log.Take(), IsEmpty());
}

TEST_F(WidgetTest, SliderRangeBringsThePositionInsideAndRaisesChange) {
  auto& slider = Make<Slider>(WidgetKind::kSlider, "sldLevel");
  slider.SetValue(8);
  EventLog log(tree_);
  slider.on_change = log.Handler("change");
  slider.SetRange(0, 5);
  EXPECT_THAT(log.Take(), ElementsAre("notify sldLevel Range",
                                      "notify sldLevel Value", "change"));
  EXPECT_EQ(slider.Value(), 5);
  // A range that still holds the position moves nothing.
  slider.SetRange(-5, 5);
  EXPECT_THAT(log.Take(), ElementsAre("notify sldLevel Range"));
  slider.SetRange(-5, 5);
  EXPECT_THAT(log.Take(), IsEmpty());
}

TEST_F(WidgetTest, SliderStepsRefuseNegativeValues) {
  auto& slider = Make<Slider>(WidgetKind::kSlider, "sldLevel");
  ExpectError([&] { slider.SetSmallChange(-1); }, 380,
              "Invalid property value");
  ExpectError([&] { slider.SetLargeChange(-1); }, 380,
              "Invalid property value");
  ExpectError([&] { slider.SetTickFrequency(-1); }, 380,
              "Invalid property value");
  slider.SetSmallChange(2);
  slider.SetLargeChange(7);
  slider.SetTickFrequency(3);
  EXPECT_EQ(slider.SmallChange(), 2);
  EXPECT_EQ(slider.LargeChange(), 7);
  EXPECT_EQ(slider.TickFrequency(), 3);
}

struct CheckCase {
  const char* name;
  Integer start, set;
  Events events;
};

class CheckBoxRuleTest : public WidgetTest,
                         public ::testing::WithParamInterface<CheckCase> {};

TEST_P(CheckBoxRuleTest, ClickIsRaisedExactlyWhenTheValueChanges) {
  const CheckCase& c = GetParam();
  auto& box = Make<CheckBox>(WidgetKind::kCheckBox, "chkHide");
  box.SetValue(c.start);
  EventLog log(tree_);
  box.on_click = log.Handler("click");
  box.SetValue(c.set);
  EXPECT_THAT(log.Take(), ElementsAreArray(c.events));
  EXPECT_EQ(box.Value(), c.set);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckBoxRuleTest,
    ::testing::Values(
        CheckCase{"ClearedToChecked", 0, 1, {"notify chkHide Value", "click"}},
        CheckCase{"CheckedToCleared", 1, 0, {"notify chkHide Value", "click"}},
        CheckCase{"GreyToCleared", 2, 0, {"notify chkHide Value", "click"}},
        CheckCase{"ClearedToGrey", 0, 2, {"notify chkHide Value", "click"}},
        CheckCase{"CheckedUnchanged", 1, 1, {}},
        CheckCase{"GreyUnchanged", 2, 2, {}},
        CheckCase{"ClearedUnchanged", 0, 0, {}}),
    [](const auto& info) { return info.param.name; });

TEST_F(WidgetTest, CheckBoxRefusesValuesOtherThanZeroOneTwo) {
  auto& box = Make<CheckBox>(WidgetKind::kCheckBox, "chkHide");
  box.SetValue(2);
  EventLog log(tree_);
  for (Integer bad : {-1, 3, 255}) {
    ExpectError([&] { box.SetValue(bad); }, 380, "Invalid property value");
  }
  EXPECT_EQ(box.Value(), 2);
  EXPECT_THAT(log.Take(), IsEmpty());
}

struct ComboCase {
  const char* name;
  Long start, set;
  Events events;
};

class ComboRuleTest : public WidgetTest,
                      public ::testing::WithParamInterface<ComboCase> {};

TEST_P(ComboRuleTest, ClickIsRaisedExactlyWhenTheIndexChanges) {
  const ComboCase& c = GetParam();
  auto& combo = Make<ComboBox>(WidgetKind::kComboBox, "cboMirror");
  for (const char* item : {"X", "Y", "Z"}) combo.AddItem(item);
  combo.SetListIndex(c.start);
  EventLog log(tree_);
  combo.on_click = log.Handler("click");
  combo.SetListIndex(c.set);
  EXPECT_THAT(log.Take(), ElementsAreArray(c.events));
  EXPECT_EQ(combo.ListIndex(), c.set);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComboRuleTest,
    ::testing::Values(
        ComboCase{"NoneToFirst", -1, 0, {"notify cboMirror Value", "click"}},
        ComboCase{"FirstToLast", 0, 2, {"notify cboMirror Value", "click"}},
        ComboCase{"BackToNone", 1, -1, {"notify cboMirror Value", "click"}},
        ComboCase{"Unchanged", 1, 1, {}},
        ComboCase{"NoneUnchanged", -1, -1, {}}),
    [](const auto& info) { return info.param.name; });

TEST_F(WidgetTest, ComboRefusesIndexesBeyondItsItems) {
  auto& combo = Make<ComboBox>(WidgetKind::kComboBox, "cboMirror");
  combo.AddItem("X");
  combo.AddItem("Y");
  combo.SetListIndex(1);
  EventLog log(tree_);
  for (Long bad : {2, -2, 100}) {
    ExpectError([&] { combo.SetListIndex(bad); }, 380,
                "Invalid property value");
  }
  ExpectError([&] { (void)combo.List(2); }, 9, "Subscript out of range");
  ExpectError([&] { (void)combo.List(-1); }, 9, "Subscript out of range");
  ExpectError([&] { combo.AddItem("W", 3); }, 5,
              "Invalid procedure call or argument");
  ExpectError([&] { combo.RemoveItem(2); }, 5,
              "Invalid procedure call or argument");
  EXPECT_EQ(combo.ListIndex(), 1);
  EXPECT_THAT(combo.Items(), ElementsAre("X", "Y"));
  EXPECT_THAT(log.Take(), IsEmpty());
}

TEST_F(WidgetTest,
       ComboKeepsTheSelectedEntryAcrossInsertsAndRemovesWithoutClick) {
  auto& combo = Make<ComboBox>(WidgetKind::kComboBox, "cboMirror");
  for (const char* item : {"A", "B", "C"}) combo.AddItem(item);
  combo.SetListIndex(1);  // "B"
  EventLog log(tree_);
  combo.on_click = log.Handler("click");

  combo.AddItem("first", 0);
  EXPECT_EQ(combo.ListIndex(), 2);
  EXPECT_EQ(combo.List(2), "B");
  EXPECT_THAT(log.Take(),
              ElementsAre("notify cboMirror Items", "notify cboMirror Value"));
  combo.AddItem("last");  // after the selection: index stays
  EXPECT_THAT(log.Take(), ElementsAre("notify cboMirror Items"));
  combo.RemoveItem(0);
  EXPECT_EQ(combo.ListIndex(), 1);
  EXPECT_EQ(combo.List(1), "B");
  EXPECT_THAT(log.Take(),
              ElementsAre("notify cboMirror Items", "notify cboMirror Value"));
  combo.RemoveItem(1);  // the selected entry itself
  EXPECT_EQ(combo.ListIndex(), -1);
  EXPECT_THAT(combo.Items(), ElementsAre("A", "C", "last"));
  EXPECT_THAT(log.Take(),
              ElementsAre("notify cboMirror Items", "notify cboMirror Value"));
  combo.SetListIndex(0);
  log.Take();
  combo.Clear();
  EXPECT_EQ(combo.ListIndex(), -1);
  EXPECT_EQ(combo.ListCount(), 0);
  EXPECT_THAT(log.Take(),
              ElementsAre("notify cboMirror Items", "notify cboMirror Value"));
  combo.Clear();
  EXPECT_THAT(log.Take(), IsEmpty());
}

TEST_F(WidgetTest, HandlerFailurePropagatesToTheCodeThatSetTheValue) {
  auto& slider = Make<Slider>(WidgetKind::kSlider, "sldLevel");
  slider.on_change = [] { RaiseError(6); };
  ExpectError([&] { slider.SetValue(3); }, 6, "Overflow");
  // The position had already moved: nothing is undone.
  EXPECT_EQ(slider.Value(), 3);
}

// ---------------------------------------------------------- common properties

TEST_F(WidgetTest, GeometryAndStateNotifyOnlyOnRealChange) {
  auto& label = Make<Label>(WidgetKind::kLabel, "lblName");
  EventLog log(tree_);
  label.Move(10, 20, 300, 40);
  label.Move(10, 20, 300, 40);
  label.SetLeft(10);
  label.SetLeft(-50000);
  label.SetVisible(true);
  label.SetVisible(false);
  label.SetEnabled(false);
  label.SetEnabled(false);
  label.SetCaption("Name");
  label.SetCaption("Name");
  label.SetToolTip("tip");
  EXPECT_THAT(log.Take(),
              ElementsAre("notify lblName Geometry", "notify lblName Geometry",
                          "notify lblName Visible", "notify lblName Enabled",
                          "notify lblName Caption", "notify lblName ToolTip"));
  EXPECT_EQ(label.Left(), -50000);
  EXPECT_EQ(label.Top(), 20);
  EXPECT_EQ(label.Width(), 300);
  EXPECT_EQ(label.Height(), 40);
}

TEST_F(WidgetTest, NegativeSizesAreRefusedAndLeaveTheRectangle) {
  auto& label = Make<Label>(WidgetKind::kLabel, "lblName");
  label.Move(1, 2, 3, 4);
  ExpectError([&] { label.SetWidth(-1); }, 380, "Invalid property value");
  ExpectError([&] { label.SetHeight(-15); }, 380, "Invalid property value");
  ExpectError([&] { label.Move(0, 0, 5, -5); }, 380, "Invalid property value");
  EXPECT_EQ(label.Left(), 1);
  EXPECT_EQ(label.Width(), 3);
  EXPECT_EQ(label.Height(), 4);
}

TEST_F(WidgetTest, ShownAndUsableFollowEveryAncestor) {
  auto& frame = Make<Frame>(WidgetKind::kFrame, "fraOuter");
  auto& inner = tree_.Create<Frame>(WidgetKind::kFrame, "fraInner", -1, &frame);
  auto& button = tree_.Create<Button>(WidgetKind::kButton, "cmdGo", -1, &inner);
  EXPECT_TRUE(button.IsShown());
  EXPECT_TRUE(button.IsUsable());
  frame.SetEnabled(false);
  EXPECT_TRUE(button.IsShown());
  EXPECT_FALSE(button.IsUsable());
  frame.SetEnabled(true);
  form_.SetVisible(false);
  EXPECT_FALSE(button.IsShown());
  EXPECT_FALSE(button.IsUsable());
}

// ------------------------------------------------------------------ text

TEST_F(WidgetTest, TextSetByCodeRaisesChangeOnceAndPutsTheCaretAtTheEnd) {
  auto& box = Make<TextBox>(WidgetKind::kTextBox, "txtEntry");
  EventLog log(tree_);
  box.on_change = log.Handler("change");
  box.SetText("40");
  box.SetText("40");
  EXPECT_THAT(log.Take(), ElementsAre("notify txtEntry Text",
                                      "notify txtEntry Selection", "change"));
  EXPECT_EQ(box.SelStart(), 2);
  EXPECT_EQ(box.SelLength(), 0);
}

TEST_F(WidgetTest, SelectionIsClampedToTheTextAndCountsCharacters) {
  auto& box = Make<TextBox>(WidgetKind::kTextBox, "txtEntry");
  box.SetText("a\xC3\xA9z");  // "aéz": four bytes, three characters
  struct Case {
    Long start, length, want_start, want_length;
    const char* selected;
  };
  for (const Case& c :
       {Case{0, 3, 0, 3, "a\xC3\xA9z"}, Case{1, 1, 1, 1, "\xC3\xA9"},
        Case{2, 99, 2, 1, "z"}, Case{9, 2, 3, 0, ""}}) {
    box.SetSelection(c.start, c.length);
    EXPECT_EQ(box.SelStart(), c.want_start);
    EXPECT_EQ(box.SelLength(), c.want_length);
    EXPECT_EQ(box.SelectedText(), c.selected);
  }
  ExpectError([&] { box.SetSelection(-1, 0); }, 380, "Invalid property value");
  ExpectError([&] { box.SetSelection(0, -1); }, 380, "Invalid property value");
}

TEST_F(WidgetTest, SelectedTextIsReplacedAndTheCaretFollowsTheInsertion) {
  auto& box = Make<TextBox>(WidgetKind::kTextBox, "txtEntry");
  box.SetText("12345");
  box.SetSelection(1, 3);
  EventLog log(tree_);
  box.on_change = log.Handler("change");
  box.SetSelectedText("\xC3\xA9x");
  EXPECT_EQ(box.Text(), "1\xC3\xA9x5");
  EXPECT_EQ(box.SelStart(), 3);
  EXPECT_EQ(box.SelLength(), 0);
  EXPECT_THAT(log.Take(), ElementsAre("notify txtEntry Text",
                                      "notify txtEntry Selection", "change"));
  // Replacing a selection by the same text changes nothing but the caret.
  box.SetSelection(0, 1);
  log.Take();
  box.SetSelectedText("1");
  EXPECT_THAT(log.Take(), ElementsAre("notify txtEntry Selection"));
}

// ------------------------------------------------------------- up-down field

struct CommitCase {
  const char* name;
  double min, max;
  Long decimals;
  const char* typed;
  const char* committed;
};

class UpDownCommitTest : public WidgetTest,
                         public ::testing::WithParamInterface<CommitCase> {};

TEST_P(UpDownCommitTest, CommitKeepsTheValueInsideBoundsAndDecimals) {
  const CommitCase& c = GetParam();
  auto& field = Make<UpDownText>(WidgetKind::kUpDownText, "txtFieldofView");
  field.SetMinValue(c.min);
  field.SetMaxValue(c.max);
  field.SetMaxDecimalPlaces(c.decimals);
  field.SetText(c.typed);
  int commits = 0;
  field.on_value_committed = [&] {
    ++commits;
    EXPECT_EQ(field.Text(), c.committed) << "text when committed";
  };
  field.CommitText();
  EXPECT_EQ(field.Text(), c.committed);
  EXPECT_EQ(commits, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpDownCommitTest,
    ::testing::Values(
        CommitCase{"Inside", 0.01, 1.0, 3, "0.5", "0.5"},
        CommitCase{"TrailingZerosKept", 0.01, 1.0, 3, "0.50000", "0.50000"},
        CommitCase{"AboveMax", 0.01, 1.0, 3, "2", "1"},
        CommitCase{"BelowMin", 0.01, 1.0, 3, "0", "0.01"},
        CommitCase{"TooManyDecimals", 0.01, 1.0, 3, "0.12345", "0.123"},
        CommitCase{"HalfToEven", 0, 10, 1, "0.25", "0.2"},
        CommitCase{"NoDecimalsAllowed", -360, 360, 0, "12.7", "13"},
        CommitCase{"Negative", -360, 360, 4, "-400", "-360"},
        CommitCase{"NotANumberLeftForTheEditor", 0, 10, 2, "abc", "abc"},
        CommitCase{"EmptyLeftForTheEditor", 0, 10, 2, "", ""}),
    [](const auto& info) { return info.param.name; });

TEST_F(WidgetTest, UpDownCommitRewritesBeforeValueCommitted) {
  auto& field = Make<UpDownText>(WidgetKind::kUpDownText, "txtAngle");
  field.SetMaxValue(90);
  field.SetText("120");
  EventLog log(tree_);
  log.IgnoreNotifications();
  field.on_change = log.Handler("change");
  field.on_value_committed = log.Handler("committed");
  field.CommitText();
  EXPECT_THAT(log.Take(), ElementsAre("change", "committed"));
  EXPECT_EQ(field.Text(), "90");
}

struct StepCase {
  const char* name;
  const char* start;
  int direction;
  const char* after;
};

class UpDownStepTest : public WidgetTest,
                       public ::testing::WithParamInterface<StepCase> {};

TEST_P(UpDownStepTest, StepMovesOneIncrementWithinTheBounds) {
  const StepCase& c = GetParam();
  auto& field = Make<UpDownText>(WidgetKind::kUpDownText, "txtFieldofView");
  field.SetMinValue(0.01);
  field.SetMaxValue(1.0);
  field.SetIncrement(0.01);
  field.SetMaxDecimalPlaces(3);
  field.SetDefaultValue(0.05);
  field.SetText(c.start);
  int commits = 0;
  field.on_value_committed = [&] { ++commits; };
  field.Step(c.direction);
  EXPECT_EQ(field.Text(), c.after);
  EXPECT_EQ(commits, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpDownStepTest,
    ::testing::Values(StepCase{"Up", "0.05", 1, "0.06"},
                      StepCase{"Down", "0.05", -1, "0.04"},
                      StepCase{"StopsAtMax", "1", 1, "1"},
                      StepCase{"StopsAtMin", "0.01", -1, "0.01"},
                      StepCase{"FromGarbageStartsAtDefault", "x", 1, "0.06"}),
    [](const auto& info) { return info.param.name; });

TEST_F(WidgetTest, UpDownSettingsRefuseInvalidValues) {
  auto& field = Make<UpDownText>(WidgetKind::kUpDownText, "txtAngle");
  ExpectError([&] { field.SetMaxDecimalPlaces(16); }, 380,
              "Invalid property value");
  ExpectError([&] { field.SetMaxDecimalPlaces(-1); }, 380,
              "Invalid property value");
  ExpectError([&] { field.SetIncrement(-0.5); }, 380, "Invalid property value");
  ExpectError([&] { field.Step(0); }, 5, "Invalid procedure call or argument");
  field.SetText("12");
  field.SelectValueText();
  EXPECT_EQ(field.SelStart(), 0);
  EXPECT_EQ(field.SelLength(), 2);
}

// ------------------------------------------------------------------- grid

class GridTest : public WidgetTest {
 protected:
  GridTest() : grid_(Make<FlexGrid>(WidgetKind::kFlexGrid, "msgMaterial")) {}
  FlexGrid& grid_;
};

TEST_F(GridTest, StartsAsTheControlDoes) {
  EXPECT_EQ(grid_.Rows(), 2);
  EXPECT_EQ(grid_.Cols(), 2);
  EXPECT_EQ(grid_.FixedRows(), 1);
  EXPECT_EQ(grid_.FixedCols(), 1);
  EXPECT_EQ(grid_.Row(), 1);
  EXPECT_EQ(grid_.Col(), 1);
  EXPECT_TRUE(grid_.Redraw());
  EXPECT_EQ(grid_.Text(), "");
  EXPECT_EQ(grid_.CellBackColor(), 0);
}

TEST_F(GridTest, CurrentCellAddressesTextColourAlignmentAndPicture) {
  grid_.SetCols(13);
  grid_.SetRows(3);
  grid_.SetRow(2);
  grid_.SetCol(12);
  grid_.SetText("steel");
  grid_.SetCellBackColor(0x0000FF);
  grid_.SetCellAlignment(1);
  grid_.SetCellPicture("image:3");
  grid_.SetRow(0);
  EXPECT_EQ(grid_.Text(), "");
  EXPECT_EQ(grid_.TextMatrix(2, 12), "steel");
  EXPECT_EQ(grid_.CellBackColorAt(2, 12), 0x0000FF);
  EXPECT_EQ(grid_.CellAlignmentAt(2, 12), 1);
  EXPECT_EQ(grid_.CellPictureAt(2, 12), "image:3");
  EXPECT_EQ(grid_.CellAlignmentAt(2, 11), 0);
}

TEST_F(GridTest, ShrinkingAndGrowingKeepTheCellsThatRemain) {
  grid_.SetCols(3);
  grid_.SetRows(4);
  for (Long r = 0; r < 4; ++r) {
    for (Long c = 0; c < 3; ++c) {
      grid_.SetTextMatrix(r, c, std::to_string(r) + "," + std::to_string(c));
    }
  }
  grid_.SetColWidth(1, 500);
  grid_.SetRowHeight(2, 330);
  grid_.SetRows(3);
  grid_.SetCols(2);
  EXPECT_EQ(grid_.TextMatrix(2, 1), "2,1");
  EXPECT_EQ(grid_.TextMatrix(0, 0), "0,0");
  grid_.SetRows(5);
  grid_.SetCols(4);
  EXPECT_EQ(grid_.TextMatrix(1, 1), "1,1");
  EXPECT_EQ(grid_.TextMatrix(2, 1), "2,1");
  EXPECT_EQ(grid_.TextMatrix(3, 0), "");  // dropped, not resurrected
  EXPECT_EQ(grid_.TextMatrix(0, 2), "");
  EXPECT_EQ(grid_.TextMatrix(4, 3), "");
  EXPECT_EQ(grid_.ColWidth(1), 500);
  EXPECT_EQ(grid_.RowHeight(2), 330);
  EXPECT_EQ(grid_.ColWidth(3), 960);
}

TEST_F(GridTest, EachCellKeepsItsPictureThroughSharingShrinkingAndClearing) {
  grid_.SetCols(3);
  grid_.SetRows(10000);
  grid_.SetCol(1);
  const char* pictures[] = {"thumbnail:a:32", "thumbnail:a:32",
                            "thumbnail:b:32"};
  for (Long r = 1; r <= 3; ++r) {
    grid_.SetRow(r);
    grid_.SetCellPicture(pictures[r - 1]);
  }
  grid_.SetRow(2);
  grid_.SetCellPicture("thumbnail:c:32");
  EventLog log(tree_);
  grid_.SetCellPicture("thumbnail:c:32");
  EXPECT_THAT(log.Take(), IsEmpty());
  grid_.SetRows(4);  // far smaller: the memory goes, the cells stay
  grid_.SetCols(2);
  EXPECT_EQ(grid_.CellPictureAt(1, 1), "thumbnail:a:32");
  EXPECT_EQ(grid_.CellPictureAt(2, 1), "thumbnail:c:32");
  EXPECT_EQ(grid_.CellPictureAt(3, 1), "thumbnail:b:32");
  grid_.Clear();
  grid_.SetRow(1);
  grid_.SetCellPicture("thumbnail:b:32");
  EXPECT_EQ(grid_.CellPictureAt(1, 1), "thumbnail:b:32");
  EXPECT_EQ(grid_.CellPictureAt(2, 1), "");
  EXPECT_EQ(grid_.CellPictureAt(3, 1), "");
}

TEST_F(GridTest, ShrinkingMovesTheCurrentCellAndFixedPartInside) {
  grid_.SetRows(10);
  grid_.SetCols(10);
  grid_.SetFixedRows(3);
  grid_.SetRow(8);
  grid_.SetCol(9);
  EventLog log(tree_);
  grid_.SetRows(2);
  EXPECT_EQ(grid_.Row(), 1);
  EXPECT_EQ(grid_.FixedRows(), 2);
  EXPECT_EQ(grid_.Col(), 9);
  EXPECT_THAT(log.Take(), ElementsAre("notify msgMaterial Grid",
                                      "notify msgMaterial CurrentCell"));
}

TEST_F(GridTest, PositionsAreSumsOfTheSizesBefore) {
  grid_.SetCols(4);
  grid_.SetRows(3);
  grid_.SetColWidth(0, 495);
  grid_.SetColWidth(1, 495);
  grid_.SetColWidth(2, 390);
  grid_.SetRowHeight(0, 225);
  grid_.SetRowHeight(1, 495);
  struct Case {
    Long index, col_pos, row_pos;
  };
  for (const Case& c : {Case{0, 0, 0}, Case{1, 495, 225}, Case{2, 990, 720}}) {
    EXPECT_EQ(grid_.ColPos(c.index), c.col_pos) << c.index;
    EXPECT_EQ(grid_.RowPos(c.index), c.row_pos) << c.index;
  }
  EXPECT_EQ(grid_.ColPos(3), 1380);
  grid_.SetColWidth(1, -1);  // back to the default
  EXPECT_EQ(grid_.ColPos(2), 495 + 960);
}

TEST_F(GridTest, PositionsFollowTheScrollingAndClearScrollsHome) {
  grid_.SetRows(6);
  grid_.SetCols(4);
  grid_.SetFixedCols(0);
  for (Long r = 0; r < 6; ++r) grid_.SetRowHeight(r, 100 * (r + 1));
  for (Long c = 0; c < 4; ++c) grid_.SetColWidth(c, 10 * (c + 1));
  EventLog log(tree_);
  grid_.SetTopRow(3);
  grid_.SetLeftCol(1);
  grid_.SetLeftCol(1);  // already there
  EXPECT_THAT(log.Take(), ElementsAre("notify msgMaterial CurrentCell",
                                      "notify msgMaterial CurrentCell"));
  // The fixed row stays; rows 1 and 2 are scrolled out, above the view.
  struct Case {
    Long row, row_pos;
  };
  for (const Case& c : {Case{0, 0}, Case{1, 100 - 500}, Case{2, 100 - 300},
                        Case{3, 100}, Case{5, 100 + 400 + 500}}) {
    EXPECT_EQ(grid_.RowPos(c.row), c.row_pos) << c.row;
  }
  EXPECT_EQ(grid_.ColPos(0), -10);
  EXPECT_EQ(grid_.ColPos(3), 20 + 30);
  // Only what can scroll: not a fixed row, not past the last.
  ExpectError([&] { grid_.SetTopRow(0); }, 380, "Invalid property value");
  ExpectError([&] { grid_.SetTopRow(6); }, 380, "Invalid property value");
  grid_.SetRows(3);
  EXPECT_EQ(grid_.TopRow(), 2);
  grid_.Clear();
  EXPECT_EQ(grid_.TopRow(), 1);
  EXPECT_EQ(grid_.LeftCol(), 0);
  EXPECT_EQ(grid_.RowPos(2), 100 + 200);
}

TEST_F(GridTest, ClearEmptiesCellsButKeepsStructure) {
  grid_.SetRows(3);
  grid_.SetCols(3);
  grid_.SetColWidth(2, 1200);
  grid_.SetRow(2);
  grid_.SetCol(2);
  grid_.SetText("x");
  grid_.SetCellBackColor(0xFF);
  grid_.SetCellAlignment(1);
  grid_.SetCellPicture("image:1");
  EventLog log(tree_);
  grid_.Clear();
  EXPECT_THAT(log.Take(), ElementsAre("notify msgMaterial Grid"));
  EXPECT_EQ(grid_.Text(), "");
  EXPECT_EQ(grid_.CellBackColor(), 0);
  EXPECT_EQ(grid_.CellAlignment(), 0);
  EXPECT_EQ(grid_.CellPicture(), "");
  EXPECT_EQ(grid_.Rows(), 3);
  EXPECT_EQ(grid_.Cols(), 3);
  EXPECT_EQ(grid_.ColWidth(2), 1200);
  EXPECT_EQ(grid_.Row(), 2);
  grid_.Clear();
  EXPECT_THAT(log.Take(), IsEmpty());
}

TEST_F(GridTest, CellChangesNameTheCellAndStructureChangesNone) {
  grid_.SetRows(4);
  grid_.SetCols(4);
  grid_.SetRow(3);
  grid_.SetCol(2);
  EventLog log(tree_);
  grid_.SetText("a");
  EXPECT_EQ(grid_.ChangedRow(), 3);
  EXPECT_EQ(grid_.ChangedCol(), 2);
  grid_.SetText("a");
  grid_.SetTextMatrix(1, 0, "b");
  EXPECT_EQ(grid_.ChangedRow(), 1);
  EXPECT_EQ(grid_.ChangedCol(), 0);
  grid_.SetColWidth(0, 100);
  EXPECT_EQ(grid_.ChangedRow(), -1);
  EXPECT_EQ(grid_.ChangedCol(), -1);
  grid_.SetRedraw(false);
  grid_.SetRedraw(false);
  grid_.SetRow(3);
  EXPECT_THAT(
      log.Take(),
      ElementsAre("notify msgMaterial Grid", "notify msgMaterial Grid",
                  "notify msgMaterial Grid", "notify msgMaterial Redraw"));
}

TEST_F(GridTest, OutOfRangeIndexesRaiseTheControlsErrors) {
  grid_.SetRows(3);
  grid_.SetCols(12);
  struct Case {
    const char* what;
    std::function<void()> call;
    Long number;
    const char* description;
  };
  const Case cases[] = {
      {"Row=3", [&] { grid_.SetRow(3); }, 380, "Invalid property value"},
      {"Row=-1", [&] { grid_.SetRow(-1); }, 380, "Invalid property value"},
      {"Col=12", [&] { grid_.SetCol(12); }, 380, "Invalid property value"},
      {"Rows=-1", [&] { grid_.SetRows(-1); }, 380, "Invalid property value"},
      {"Cols=-2", [&] { grid_.SetCols(-2); }, 380, "Invalid property value"},
      {"FixedRows=4", [&] { grid_.SetFixedRows(4); }, 380,
       "Invalid property value"},
      {"FixedCols=-1", [&] { grid_.SetFixedCols(-1); }, 380,
       "Invalid property value"},
      {"CellAlignment=10", [&] { grid_.SetCellAlignment(10); }, 380,
       "Invalid property value"},
      {"ColWidth=-2", [&] { grid_.SetColWidth(0, -2); }, 380,
       "Invalid property value"},
      {"ColWidth(12)", [&] { (void)grid_.ColWidth(12); }, 9,
       "Subscript out of range"},
      {"ColWidth(12)=5", [&] { grid_.SetColWidth(12, 5); }, 9,
       "Subscript out of range"},
      {"RowHeight(3)", [&] { (void)grid_.RowHeight(3); }, 9,
       "Subscript out of range"},
      {"RowHeight(-1)=5", [&] { grid_.SetRowHeight(-1, 5); }, 9,
       "Subscript out of range"},
      {"ColPos(-1)", [&] { (void)grid_.ColPos(-1); }, 9,
       "Subscript out of range"},
      {"RowPos(3)", [&] { (void)grid_.RowPos(3); }, 9,
       "Subscript out of range"},
      {"TextMatrix(3,0)", [&] { (void)grid_.TextMatrix(3, 0); }, 9,
       "Subscript out of range"},
      {"TextMatrix(0,12)=x", [&] { grid_.SetTextMatrix(0, 12, "x"); }, 9,
       "Subscript out of range"},
      {"CellBackColorAt(5,5)", [&] { (void)grid_.CellBackColorAt(5, 5); }, 9,
       "Subscript out of range"},
      {"huge grid", [&] { grid_.SetRows(2147483647); }, 7, "Out of memory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectError(c.call, c.number, c.description);
  }
  EXPECT_EQ(grid_.Rows(), 3);
  EXPECT_EQ(grid_.Cols(), 12);
  EXPECT_EQ(grid_.Row(), 1);
}

TEST_F(GridTest, AnEmptyGridHasNoCurrentCell) {
  grid_.SetRows(0);
  EXPECT_EQ(grid_.FixedRows(), 0);
  ExpectError([&] { (void)grid_.Text(); }, 9, "Subscript out of range");
  ExpectError([&] { grid_.SetText("x"); }, 9, "Subscript out of range");
  grid_.SetRows(1);
  grid_.SetText("header");
  EXPECT_EQ(grid_.TextMatrix(0, 1), "header");
}

// --------------------------------------------------------------- properties

TEST_F(WidgetTest, PropertiesPrintAsTheScenarioRunnerCompares) {
  auto& frame = Make<Frame>(WidgetKind::kFrame, "fraShape");
  frame.Move(-50000, 0, 50000, 7000);
  frame.SetCaption(" Shape");
  frame.SetEnabled(false);
  auto& combo = Make<ComboBox>(WidgetKind::kComboBox, "cboMirror");
  combo.AddItem("X");
  combo.AddItem("Y");
  combo.SetListIndex(1);
  auto& slider = Make<Slider>(WidgetKind::kSlider, "sldLevel");
  slider.SetRange(-2, 8);
  slider.SetValue(-1);
  auto& pic = Make<PictureBox>(WidgetKind::kPictureBox, "picColour");
  pic.SetBackColor(0xFFFFFF);
  auto& field = Make<UpDownText>(WidgetKind::kUpDownText, "txtFieldofView");
  field.SetMinValue(0.01);
  field.SetText("0.05");
  auto& grid = Make<FlexGrid>(WidgetKind::kFlexGrid, "msgMaterial");
  grid.SetCols(12);
  grid.SetColWidth(11, 750);
  grid.SetRowHeight(0, 225);
  grid.SetText("Diffuse");
  auto& images = Make<ImageList>(WidgetKind::kImageList, "ilsImages");
  images.Add("image:1");
  auto& check = Make<CheckBox>(WidgetKind::kCheckBox, "chkHide", 0);
  check.SetValue(2);

  struct Case {
    const Widget* widget;
    const char* property;
    std::optional<Long> arg;
    const char* expected;
  };
  const Case cases[] = {
      {&frame, "Left", {}, "-50000"},    {&frame, "Width", {}, "50000"},
      {&frame, "Enabled", {}, "False"},  {&frame, "Visible", {}, "True"},
      {&frame, "Caption", {}, " Shape"}, {&frame, "caption", {}, " Shape"},
      {&combo, "ListIndex", {}, "1"},    {&combo, "ListCount", {}, "2"},
      {&combo, "List", 0, "X"},          {&combo, "Text", {}, "Y"},
      {&slider, "Value", {}, "-1"},      {&slider, "Min", {}, "-2"},
      {&slider, "Max", {}, "8"},         {&pic, "BackColor", {}, "16777215"},
      {&field, "Text", {}, "0.05"},      {&field, "MinValue", {}, "0.01"},
      {&field, "SelStart", {}, "4"},     {&grid, "Rows", {}, "2"},
      {&grid, "Cols", {}, "12"},         {&grid, "ColWidth", 11, "750"},
      {&grid, "RowHeight", 0, "225"},    {&grid, "ColPos", 2, "1920"},
      {&grid, "Text", {}, "Diffuse"},    {&grid, "Redraw", {}, "True"},
      {&images, "Count", {}, "1"},       {&images, "ListImage", 1, "image:1"},
      {&check, "Value", {}, "2"},        {&check, "Index", {}, "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.widget->DisplayName() + "." + c.property);
    EXPECT_EQ(c.widget->Property(c.property, c.arg), std::string(c.expected));
  }
  EXPECT_EQ(slider.Property("ListIndex", {}), std::nullopt);
  EXPECT_EQ(frame.Property("Value", {}), std::nullopt);
  ExpectError([&] { (void)combo.Property("List", 2); }, 9,
              "Subscript out of range");
  ExpectError([&] { (void)grid.Property("ColWidth", 12); }, 9,
              "Subscript out of range");
  ExpectError([&] { (void)grid.Property("ColWidth", {}); }, 450,
              "Wrong number of arguments: ColWidth needs an index");
  ExpectError([&] { (void)images.ListImage(2); }, 35600, "Index out of bounds");
}

}  // namespace
}  // namespace morvel

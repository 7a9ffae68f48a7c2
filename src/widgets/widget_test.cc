#include "widgets/widget.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
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
      : form_(tree_.Create<Form>(WidgetKind::kForm, "frmMain", -1, nullptr)),
        slider_(Make<Slider>(WidgetKind::kSlider, "sldLevel")),
        box_(Make<CheckBox>(WidgetKind::kCheckBox, "chkHide")),
        combo_(Make<ComboBox>(WidgetKind::kComboBox, "cboMirror")),
        text_(Make<TextBox>(WidgetKind::kTextBox, "txtEntry")),
        field_(Make<UpDownText>(WidgetKind::kUpDownText, "txtAngle")),
        label_(Make<Label>(WidgetKind::kLabel, "lblName")),
        grid_(Make<FlexGrid>(WidgetKind::kFlexGrid, "msgMaterial")) {
    for (const char* item : {"X", "Y", "Z"}) combo_.AddItem(item);
  }

  template <class T>
  T& Make(WidgetKind kind, const char* name, int index = -1) {
    return tree_.Create<T>(kind, name, index, &form_);
  }

  WidgetTree tree_;
  Form& form_;
  Slider& slider_;
  CheckBox& box_;
  ComboBox& combo_;
  TextBox& text_;
  UpDownText& field_;
  Label& label_;
  FlexGrid& grid_;
};

// Code sets a value: the widget notifies its view and raises its event
// exactly when the value changes, after the view has been told.
TEST_F(WidgetTest, ValuesSetByCodeRaiseTheirEventOnlyOnARealChange) {
  const struct {
    const char* name;
    std::function<void()> before;
    std::function<void()> set;
    Events events;
  } cases[] = {
      {"slider moves",
       [&] { slider_.SetValue(7); },
       [&] { slider_.SetValue(3); },
       {"notify sldLevel Value", "change"}},
      {"slider stays",
       [&] { slider_.SetValue(4); },
       [&] { slider_.SetValue(4); },
       {}},
      {"slider over a reversed range",
       [&] { slider_.SetRange(10, -5); },
       [&] { slider_.SetValue(-5); },
       {"notify sldLevel Value", "change"}},
      {"range moves the position inside",
       [&] { slider_.SetValue(8); },
       [&] { slider_.SetRange(0, 5); },
       {"notify sldLevel Range", "notify sldLevel Value", "change"}},
      {"range that holds the position",
       [] {},
       [&] { slider_.SetRange(-5, 5); },
       {"notify sldLevel Range"}},
      {"check box to grey",
       [] {},
       [&] { box_.SetValue(2); },
       {"notify chkHide Value", "click"}},
      {"list back to none",
       [&] { combo_.SetListIndex(1); },
       [&] { combo_.SetListIndex(-1); },
       {"notify cboMirror Value", "click"}},
      {"list stays",
       [&] { combo_.SetListIndex(1); },
       [&] { combo_.SetListIndex(1); },
       {}},
      {"text, then the same text",
       [] {},
       [&] {
         text_.SetText("40");
         text_.SetText("40");
       },
       {"notify txtEntry Text", "notify txtEntry Selection", "change"}},
      // Geometry, state and captions notify only on a real change too.
      {"label",
       [] {},
       [&] {
         label_.Move(10, 20, 300, 40);
         label_.Move(10, 20, 300, 40);
         label_.SetEnabled(false);
         label_.SetEnabled(false);
         label_.SetCaption("Name");
         label_.SetCaption("Name");
       },
       {"notify lblName Geometry", "notify lblName Enabled",
        "notify lblName Caption"}},
  };
  EventLog log(tree_);
  slider_.on_change = log.Handler("change");
  box_.on_click = log.Handler("click");
  combo_.on_click = log.Handler("click");
  text_.on_change = log.Handler("change");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // The cases run one after another on the same widgets; each states
    // the value it starts from.
    slider_.SetRange(0, 10);
    c.before();
    log.Take();
    c.set();
    EXPECT_THAT(log.Take(), ElementsAreArray(c.events));
  }
}

// A value the widget does not offer is its own error; the value stays and
// nothing is raised.
TEST_F(WidgetTest, ValuesTheWidgetDoesNotOfferAreRefused) {
  slider_.SetRange(1, 10);
  slider_.SetValue(4);
  combo_.SetListIndex(1);
  box_.SetValue(2);
  label_.Move(1, 2, 3, 4);
  grid_.SetRows(3);
  grid_.SetCols(12);
  const struct {
    const char* what;
    std::function<void()> call;
    Long number;
  } cases[] = {
      {"slider below its range", [&] { slider_.SetValue(0); }, 380},
      {"slider above it", [&] { slider_.SetValue(11); }, 380},
      {"negative small change", [&] { slider_.SetSmallChange(-1); }, 380},
      {"negative tick frequency", [&] { slider_.SetTickFrequency(-1); }, 380},
      {"check box 3", [&] { box_.SetValue(3); }, 380},
      {"list index past the items", [&] { combo_.SetListIndex(3); }, 380},
      {"list entry past the items", [&] { (void)combo_.List(3); }, 9},
      {"list entry before them", [&] { (void)combo_.List(-1); }, 9},
      {"inserting past the end", [&] { combo_.AddItem("W", 4); }, 5},
      {"removing past the end", [&] { combo_.RemoveItem(3); }, 5},
      {"negative height by Move", [&] { label_.Move(0, 0, 5, -5); }, 380},
      {"negative selection start", [&] { text_.SetSelection(-1, 0); }, 380},
      {"sixteen decimal places", [&] { field_.SetMaxDecimalPlaces(16); }, 380},
      {"negative increment", [&] { field_.SetIncrement(-0.5); }, 380},
      {"a step of no direction", [&] { field_.Step(0); }, 5},
      {"grid Row=3", [&] { grid_.SetRow(3); }, 380},
      {"grid Rows=-1", [&] { grid_.SetRows(-1); }, 380},
      {"grid FixedRows=4", [&] { grid_.SetFixedRows(4); }, 380},
      {"grid CellAlignment=10", [&] { grid_.SetCellAlignment(10); }, 380},
      {"grid ColWidth=-2", [&] { grid_.SetColWidth(0, -2); }, 380},
      {"grid ColWidth(12)", [&] { (void)grid_.ColWidth(12); }, 9},
      {"grid RowHeight(-1)=5", [&] { grid_.SetRowHeight(-1, 5); }, 9},
      {"grid TextMatrix(0,12)=x", [&] { grid_.SetTextMatrix(0, 12, "x"); }, 9},
      {"huge grid", [&] { grid_.SetRows(2147483647); }, 7},
  };
  EventLog log(tree_);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectError(c.call, c.number, StandardDescription(c.number));
  }
  EXPECT_THAT(log.Take(), IsEmpty());
  EXPECT_EQ(slider_.Value(), 4);
  EXPECT_EQ(box_.Value(), 2);
  EXPECT_EQ(combo_.ListIndex(), 1);
  EXPECT_THAT(combo_.Items(), ElementsAre("X", "Y", "Z"));
  EXPECT_EQ(label_.Height(), 4);
  EXPECT_EQ(grid_.Rows(), 3);
  EXPECT_EQ(grid_.Cols(), 12);
  EXPECT_EQ(grid_.Row(), 1);
  // An empty grid has no current cell.
  grid_.SetRows(0);
  EXPECT_EQ(grid_.FixedRows(), 0);
  ExpectError([&] { grid_.SetText("x"); }, 9, "Subscript out of range");
}

TEST_F(WidgetTest, TheSelectedEntryFollowsInsertsAndRemovesWithoutAClick) {
  combo_.SetListIndex(1);  // "Y"
  EventLog log(tree_);
  combo_.on_click = log.Handler("click");
  // Inserted at the selected entry's own index: the entry moves down.
  combo_.AddItem("before Y", 1);
  EXPECT_EQ(combo_.ListIndex(), 2);
  EXPECT_EQ(combo_.List(2), "Y");
  EXPECT_THAT(log.Take(),
              ElementsAre("notify cboMirror Items", "notify cboMirror Value"));
  combo_.AddItem("last");  // after the selection: the index stays
  EXPECT_THAT(log.Take(), ElementsAre("notify cboMirror Items"));
  combo_.RemoveItem(0);
  EXPECT_EQ(combo_.ListIndex(), 1);
  EXPECT_EQ(combo_.List(1), "Y");
  log.Take();
  combo_.RemoveItem(1);  // the selected entry itself
  EXPECT_EQ(combo_.ListIndex(), -1);
  EXPECT_THAT(log.Take(),
              ElementsAre("notify cboMirror Items", "notify cboMirror Value"));
  combo_.SetListIndex(0);
  log.Take();
  combo_.Clear();
  EXPECT_EQ(combo_.ListCount(), 0);
  EXPECT_THAT(log.Take(),
              ElementsAre("notify cboMirror Items", "notify cboMirror Value"));
  combo_.Clear();
  EXPECT_THAT(log.Take(), IsEmpty());
}

TEST_F(WidgetTest, AHandlerFailureReachesTheCodeThatSetTheValue) {
  slider_.on_change = [] { RaiseError(6); };
  ExpectError([&] { slider_.SetValue(3); }, 6, "Overflow");
  // The position had already moved: nothing is undone.
  EXPECT_EQ(slider_.Value(), 3);
}

// ------------------------------------------------------------------ text

TEST_F(WidgetTest, SelectionsCountCharactersAndTypingReplacesThem) {
  text_.SetText("a\xC3\xA9z");     // "aéz": four bytes, three characters
  EXPECT_EQ(text_.SelStart(), 3);  // code puts the caret at the end
  const struct {
    Long start, length, want_start, want_length;
    const char* selected;
  } cases[] = {{1, 1, 1, 1, "\xC3\xA9"}, {2, 99, 2, 1, "z"}, {9, 2, 3, 0, ""}};
  for (const auto& c : cases) {
    text_.SetSelection(c.start, c.length);
    EXPECT_EQ(text_.SelStart(), c.want_start);
    EXPECT_EQ(text_.SelLength(), c.want_length);
    EXPECT_EQ(text_.SelectedText(), c.selected);
  }
  text_.SetText("12345");
  text_.SetSelection(1, 3);
  EventLog log(tree_);
  text_.on_change = log.Handler("change");
  text_.SetSelectedText("\xC3\xA9x");
  EXPECT_EQ(text_.Text(), "1\xC3\xA9x5");
  EXPECT_EQ(text_.SelStart(), 3);
  EXPECT_EQ(text_.SelLength(), 0);
  EXPECT_THAT(log.Take(), ElementsAre("notify txtEntry Text",
                                      "notify txtEntry Selection", "change"));
  // Replacing a selection by the same text changes nothing but the caret.
  text_.SetSelection(0, 1);
  log.Take();
  text_.SetSelectedText("1");
  EXPECT_THAT(log.Take(), ElementsAre("notify txtEntry Selection"));
}

// ------------------------------------------------------------- up-down field

// (Bringing a commit back to a bound is pinned by the input rules and the
// range scenarios.)
TEST_F(WidgetTest, ACommitKeepsTheValueToItsDecimals) {
  field_.SetMinValue(0.01);
  field_.SetMaxValue(1.0);
  field_.SetMaxDecimalPlaces(3);
  const struct {
    const char* typed;
    const char* committed;
  } cases[] = {
      {"0.50000", "0.50000"},  // trailing zeros are kept
      {"0.12345", "0.123"},
      {"0.0625", "0.062"},  // halves to even
      {"abc", "abc"},       // no number: left for the editor to report
  };
  std::vector<std::string> seen;
  field_.on_change = [&] { seen.push_back("change"); };
  field_.on_value_committed = [&] {
    seen.push_back("committed " + field_.Text());
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    field_.SetText(c.typed);
    seen.clear();
    field_.CommitText();
    const std::string committed = std::string("committed ") + c.committed;
    // A rewritten text changes before the commit is announced.
    if (std::string(c.typed) != c.committed) {
      EXPECT_THAT(seen, ElementsAre("change", committed));
    } else {
      EXPECT_THAT(seen, ElementsAre(committed));
    }
  }
}

TEST_F(WidgetTest, AStepMovesOneIncrementWithinTheBounds) {
  field_.SetMinValue(0.01);
  field_.SetMaxValue(1.0);
  field_.SetIncrement(0.01);
  field_.SetMaxDecimalPlaces(3);
  field_.SetDefaultValue(0.05);
  const struct {
    const char* start;
    int direction;
    const char* after;
  } cases[] = {{"1", 1, "1"},
               {"0.01", -1, "0.01"},
               {"x", 1, "0.06"}};  // from no number: from the default
  int commits = 0;
  field_.on_value_committed = [&] { ++commits; };
  for (const auto& c : cases) {
    field_.SetText(c.start);
    commits = 0;
    field_.Step(c.direction);
    EXPECT_EQ(field_.Text(), c.after) << c.start << " " << c.direction;
    EXPECT_EQ(commits, 1);
  }
}

// ------------------------------------------------------------------- grid

TEST_F(WidgetTest,
       GridResizingKeepsTheCellsThatRemainAndMovesTheCurrentOneInside) {
  grid_.SetCols(3);
  grid_.SetRows(4);
  for (Long r = 0; r < 4; ++r) {
    for (Long c = 0; c < 3; ++c) {
      grid_.SetTextMatrix(r, c, std::to_string(r) + "," + std::to_string(c));
    }
  }
  grid_.SetColWidth(1, 500);
  grid_.SetRow(3);
  grid_.SetFixedRows(3);
  EventLog log(tree_);
  grid_.SetRows(2);
  EXPECT_THAT(log.Take(), ElementsAre("notify msgMaterial Grid",
                                      "notify msgMaterial CurrentCell"));
  EXPECT_EQ(grid_.Row(), 1);
  EXPECT_EQ(grid_.FixedRows(), 2);
  grid_.SetCols(2);
  EXPECT_EQ(grid_.TextMatrix(1, 1), "1,1");
  grid_.SetRows(5);
  grid_.SetCols(4);
  EXPECT_EQ(grid_.TextMatrix(1, 1), "1,1");
  EXPECT_EQ(grid_.TextMatrix(2, 1), "");  // dropped, not resurrected
  EXPECT_EQ(grid_.TextMatrix(0, 2), "");
  EXPECT_EQ(grid_.ColWidth(1), 500);
  EXPECT_EQ(grid_.ColWidth(3), 960);
}

TEST_F(WidgetTest,
       GridEachCellKeepsItsPictureThroughSharingShrinkingAndClearing) {
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
  EXPECT_EQ(grid_.CellPictureAt(1, 1), "thumbnail:a:32");
  EXPECT_EQ(grid_.CellPictureAt(2, 1), "thumbnail:c:32");
  EXPECT_EQ(grid_.CellPictureAt(3, 1), "thumbnail:b:32");
  log.Take();
  grid_.SetCellBackColor(0xFF);
  grid_.SetCellAlignment(1);
  grid_.SetText("x");
  grid_.Clear();
  // Clearing empties the cells and keeps the structure.
  EXPECT_THAT(
      log.Take(),
      ElementsAre("notify msgMaterial Grid", "notify msgMaterial Grid",
                  "notify msgMaterial Grid", "notify msgMaterial Grid"));
  EXPECT_EQ(grid_.CellPictureAt(1, 1), "");
  EXPECT_EQ(grid_.CellBackColor(), 0);
  EXPECT_EQ(grid_.CellAlignment(), 0);
  EXPECT_EQ(grid_.Text(), "");
  EXPECT_EQ(grid_.Rows(), 4);
  EXPECT_EQ(grid_.Row(), 2);
  grid_.Clear();
  EXPECT_THAT(log.Take(), IsEmpty());
}

TEST_F(WidgetTest, GridPositionsAreSumsOfTheSizesBeforeAndFollowTheScrolling) {
  grid_.SetRows(6);
  grid_.SetCols(4);
  grid_.SetFixedCols(0);
  for (Long r = 0; r < 6; ++r) grid_.SetRowHeight(r, 100 * (r + 1));
  for (Long c = 0; c < 4; ++c) grid_.SetColWidth(c, 10 * (c + 1));
  EXPECT_EQ(grid_.ColPos(3), 10 + 20 + 30);
  EXPECT_EQ(grid_.RowPos(2), 100 + 200);
  EventLog log(tree_);
  grid_.SetTopRow(3);
  grid_.SetLeftCol(1);
  grid_.SetLeftCol(1);  // already there
  EXPECT_THAT(log.Take(), ElementsAre("notify msgMaterial CurrentCell",
                                      "notify msgMaterial CurrentCell"));
  // The fixed row stays; rows 1 and 2 are scrolled out, above the view.
  const struct {
    Long row, row_pos;
  } cases[] = {
      {0, 0}, {1, 100 - 500}, {2, 100 - 300}, {3, 100}, {5, 100 + 400 + 500}};
  for (const auto& c : cases) EXPECT_EQ(grid_.RowPos(c.row), c.row_pos);
  EXPECT_EQ(grid_.ColPos(0), -10);
  // Only what can scroll: not a fixed row, not past the last.
  ExpectError([&] { grid_.SetTopRow(0); }, 380, "Invalid property value");
  ExpectError([&] { grid_.SetTopRow(6); }, 380, "Invalid property value");
  grid_.SetRows(3);
  EXPECT_EQ(grid_.TopRow(), 2);
  grid_.Clear();
  EXPECT_EQ(grid_.TopRow(), 1);
  EXPECT_EQ(grid_.LeftCol(), 0);
  grid_.SetColWidth(1, -1);  // back to the default
  EXPECT_EQ(grid_.ColPos(2), 10 + 960);
}

TEST_F(WidgetTest, GridCellChangesNameTheCellAndStructureChangesNone) {
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

// --------------------------------------------------------------- properties

// The scenarios compare widget properties as these print them; what they
// cannot reach is a property asked for wrongly.
TEST_F(WidgetTest, PropertiesAskedForWronglyAreErrorsOrNothing) {
  auto& images = Make<ImageList>(WidgetKind::kImageList, "ilsImages");
  EXPECT_EQ(slider_.Property("ListIndex", {}), std::nullopt);
  EXPECT_EQ(label_.Property("caption", {}), std::string());
  ExpectError([&] { (void)combo_.Property("List", 3); }, 9,
              "Subscript out of range");
  ExpectError([&] { (void)grid_.Property("ColWidth", {}); }, 450,
              "Wrong number of arguments: ColWidth needs an index");
  ExpectError([&] { (void)images.ListImage(1); }, 35600, "Index out of bounds");
}

}  // namespace
}  // namespace morvel

#ifndef MORVEL_SCENARIO_INPUT_DRIVER_TESTING_H_
#define MORVEL_SCENARIO_INPUT_DRIVER_TESTING_H_

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/error.h"
#include "scenario/input_driver.h"
#include "widgets/widget.h"
#include "widgets/widget_testing.h"

// The rules of a person's input, written once against InputDriver and run
// on every front end: what is refused (hidden or disabled widgets, values a
// person cannot give) and which notifications reach the panel, in which
// order. A front end instantiates the suite with a type that builds the
// widgets of InputRulesLayout() and drives them:
//
//   struct MyFrontEnd {
//     MyFrontEnd();                        // the widgets built and shown
//     WidgetTree& Tree();
//     scenario::InputDriver& Driver();
//   };
//   INSTANTIATE_TYPED_TEST_SUITE_P(Mine, InputRulesTest, MyFrontEnd);
namespace morvel::testing {

// A panel in small: one widget of every kind a person acts on.
inline std::vector<WidgetSpec> InputRulesLayout() {
  using K = WidgetKind;
  // clang-format off
  return {
      {.kind = K::kForm, .name = "Properties", .width = 4000, .height = 9735},
      {.kind = K::kFrame, .name = "fraShape", .width = 50000, .height = 9000},
      {.kind = K::kFrame, .name = "fraSmoothing", .parent = "fraShape",
       .top = 120, .width = 3930, .height = 1500},
      {.kind = K::kSlider, .name = "sldSmoothingLevel", .parent = "fraSmoothing",
       .left = 120, .top = 240, .width = 2835, .height = 285, .min = 0, .max = 4,
       .small_change = 1, .large_change = 2},
      {.kind = K::kButton, .name = "cmdCommitSmoothing", .parent = "fraSmoothing",
       .left = 120, .top = 600, .width = 1000, .height = 375, .caption = "Commit"},
      {.kind = K::kComboBox, .name = "cboMirror", .parent = "fraSmoothing",
       .left = 1200, .top = 600, .width = 1000, .height = 315},
      {.kind = K::kUpDownText, .name = "txtAngle", .parent = "fraSmoothing",
       .left = 120, .top = 1050, .width = 915, .height = 315, .min = 0, .max = 180,
       .small_change = 0.5, .decimals = 1, .text = "30.0"},
      {.kind = K::kCheckBox, .name = "chkHide", .parent = "fraShape", .left = 120,
       .top = 1740, .width = 1000, .height = 255, .caption = "Hide"},
      {.kind = K::kPictureBox, .name = "picColour", .parent = "fraShape",
       .left = 1200, .top = 1740, .width = 300, .height = 300},
      {.kind = K::kLabel, .name = "lblLevel", .parent = "fraShape", .left = 1600,
       .top = 1740, .width = 300, .height = 300, .caption = "Level"},
      {.kind = K::kTextField, .name = "txtCustomShapeFieldValue", .index = 4,
       .parent = "fraShape", .left = 120, .top = 2160, .width = 1095, .height = 315},
      {.kind = K::kTextBox, .name = "txtMaterialAttributeEntry", .parent = "fraShape",
       .left = 1300, .top = 2160, .width = 1125, .height = 300},
      {.kind = K::kFlexGrid, .name = "msgMaterialAttributes", .parent = "fraShape",
       .left = 30, .top = 2600, .width = 3915, .height = 1695},
  };
  // clang-format on
}

// Builds the layout into `tree`, with the lists and the grid filled.
inline void BuildInputRulesTree(WidgetTree& tree) {
  std::vector<WidgetSpec> layout = InputRulesLayout();
  tree.Build(layout.data(), layout.size());
  auto& combo = tree.Get<ComboBox>("cboMirror");
  for (const char* item : {"None", "X", "Y", "Z"}) combo.AddItem(item);
  auto& grid = tree.Get<FlexGrid>("msgMaterialAttributes");
  grid.SetRows(3);
  grid.SetCols(12);
  for (Long c = 0; c < 12; ++c) grid.SetColWidth(c, 300);
  for (Long r = 0; r < 3; ++r) grid.SetRowHeight(r, 300);
  grid.SetRow(0);
  grid.SetCol(1);
}

template <class FrontEnd>
class InputRulesTest : public ::testing::Test {
 protected:
  WidgetTree& Tree() { return front_end_.Tree(); }
  scenario::InputDriver& Input() { return front_end_.Driver(); }
  template <class T>
  T& Get(const char* name, int index = -1) {
    return Tree().template Get<T>(name, index);
  }

  FrontEnd front_end_;
};

TYPED_TEST_SUITE_P(InputRulesTest);

// ------------------------------------------------------------- refusals

struct InputRefusal {
  const char* name;
  const char* hide;     // made invisible first ("" for none)
  const char* disable;  // disabled first ("" for none)
  std::function<void(scenario::InputDriver&, WidgetTree&)> action;
  const char* description;
};

inline std::vector<InputRefusal> InputRefusals() {
  using In = scenario::InputDriver;
  return {
      {"disabled button", "", "cmdCommitSmoothing",
       [](In& in, WidgetTree& t) {
         in.Click(t.GetWidget("cmdCommitSmoothing"));
       },
       "cmdCommitSmoothing is disabled"},
      {"hidden check box", "chkHide", "",
       [](In& in, WidgetTree& t) { in.Click(t.GetWidget("chkHide")); },
       "chkHide is hidden"},
      {"slider in a disabled frame", "", "fraSmoothing",
       [](In& in, WidgetTree& t) {
         in.MoveSlider(t.Get<Slider>("sldSmoothingLevel"), 2);
       },
       "sldSmoothingLevel is inside fraSmoothing, which is disabled"},
      {"list in a hidden grandparent", "fraShape", "",
       [](In& in, WidgetTree& t) { in.Pick(t.Get<ComboBox>("cboMirror"), 1); },
       "cboMirror is inside fraShape, which is hidden"},
      {"hidden window", "Properties", "",
       [](In& in, WidgetTree& t) { in.Check(t.Get<CheckBox>("chkHide"), 1); },
       "chkHide is inside Properties, which is hidden"},
      {"nearest ancestor named", "fraShape", "fraSmoothing",
       [](In& in, WidgetTree& t) {
         in.Type(t.Get<UpDownText>("txtAngle"), "5");
       },
       "txtAngle is inside fraSmoothing, which is disabled"},
      {"hidden beats disabled", "txtAngle", "txtAngle",
       [](In& in, WidgetTree& t) {
         in.Commit(t.Get<UpDownText>("txtAngle"), "5");
       },
       "txtAngle is hidden"},
      {"activate a disabled field", "", "txtAngle",
       [](In& in, WidgetTree& t) {
         in.Activate(t.Get<UpDownText>("txtAngle"));
       },
       "txtAngle is disabled"},
      {"step a disabled field", "", "txtAngle",
       [](In& in, WidgetTree& t) { in.Step(t.Get<UpDownText>("txtAngle"), 1); },
       "txtAngle is disabled"},
      {"focus a hidden field", "txtCustomShapeFieldValue(4)", "",
       [](In& in, WidgetTree& t) {
         in.Focus(t.GetWidget("txtCustomShapeFieldValue", 4));
       },
       "txtCustomShapeFieldValue(4) is hidden"},
      {"select in a hidden field", "txtCustomShapeFieldValue(4)", "",
       [](In& in, WidgetTree& t) {
         in.SelectText(t.Get<TextField>("txtCustomShapeFieldValue", 4), 0, 1);
       },
       "txtCustomShapeFieldValue(4) is hidden"},
      {"cell of a disabled grid", "", "msgMaterialAttributes",
       [](In& in, WidgetTree& t) {
         in.ClickCell(t.Get<FlexGrid>("msgMaterialAttributes"), 1, 1);
       },
       "msgMaterialAttributes is disabled"},
      {"picture in a disabled frame", "", "fraShape",
       [](In& in, WidgetTree& t) { in.Click(t.GetWidget("picColour")); },
       "picColour is inside fraShape, which is disabled"},
      {"click a label", "", "",
       [](In& in, WidgetTree& t) { in.Click(t.GetWidget("lblLevel")); },
       "lblLevel is a Label: only buttons, picture boxes and check boxes are "
       "clicked"},
      {"focus a label", "", "",
       [](In& in, WidgetTree& t) { in.Focus(t.GetWidget("lblLevel")); },
       "lblLevel is a Label and cannot take the focus"},
  };
}

TYPED_TEST_P(InputRulesTest, RefusalsComeBeforeAnythingChanges) {
  for (const InputRefusal& c : InputRefusals()) {
    SCOPED_TRACE(c.name);
    // A fresh front end for each case: a refusal must leave no trace, and
    // the next case must not depend on that.
    TypeParam front_end;
    WidgetTree& tree = front_end.Tree();
    auto& before = tree.Get<TextBox>("txtMaterialAttributeEntry");
    tree.SetFocus(&before);
    if (*c.hide) tree.FindByDisplayName(c.hide)->SetVisible(false);
    if (*c.disable) tree.FindByDisplayName(c.disable)->SetEnabled(false);
    std::string dump = tree.Dump(*tree.Root());

    EventLog log(tree);
    before.on_lost_focus = log.Handler("lost focus");
    ExpectError([&] { c.action(front_end.Driver(), tree); }, 5, c.description);
    EXPECT_THAT(log.Take(), ::testing::IsEmpty());
    EXPECT_EQ(tree.Dump(*tree.Root()), dump);
    EXPECT_EQ(tree.Focused(), &before);
  }
}

TYPED_TEST_P(InputRulesTest, ValuesAPersonCannotGiveAreRefused) {
  auto& slider = this->template Get<Slider>("sldSmoothingLevel");
  auto& combo = this->template Get<ComboBox>("cboMirror");
  auto& box = this->template Get<CheckBox>("chkHide");
  auto& grid = this->template Get<FlexGrid>("msgMaterialAttributes");
  auto& field = this->template Get<UpDownText>("txtAngle");
  scenario::InputDriver& in = this->Input();
  EventLog log(this->Tree());
  struct Case {
    const char* what;
    std::function<void()> action;
    Long number;
  };
  const Case cases[] = {
      {"slider above its range", [&] { in.MoveSlider(slider, 5); }, 380},
      {"slider below its range", [&] { in.MoveSlider(slider, -1); }, 380},
      {"no list entry", [&] { in.Pick(combo, -1); }, 380},
      {"past the last entry", [&] { in.Pick(combo, 4); }, 380},
      {"grey by hand", [&] { in.Check(box, 2); }, 380},
      {"no check value", [&] { in.Check(box, -1); }, 380},
      {"row past the grid", [&] { in.ClickCell(grid, 3, 0); }, 380},
      {"no column", [&] { in.ClickCell(grid, 0, -1); }, 380},
      // The fixed header row is not a cell a person makes current.
      {"the header row", [&] { in.ClickCell(grid, 0, 1); }, 380},
      {"a step of nothing", [&] { in.Step(field, 0); }, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectError(c.action, c.number,
                c.number == 380 ? "Invalid property value"
                                : "Invalid procedure call or argument");
  }
  EXPECT_THAT(log.Take(), ::testing::IsEmpty());
  EXPECT_EQ(this->Tree().Focused(), nullptr);
}

// ------------------------------------------------------------ notifications

TYPED_TEST_P(InputRulesTest, AClickChecksClearedAndGreyBoxesAndClearsChecked) {
  auto& box = this->template Get<CheckBox>("chkHide");
  const Integer steps[][2] = {{0, 1}, {1, 0}, {2, 1}};
  int clicks = 0;
  box.on_click = [&] { ++clicks; };
  for (const auto& [start, after] : steps) {
    SCOPED_TRACE(start);
    box.SetValue(start);
    clicks = 0;
    this->Input().Click(box);
    EXPECT_EQ(box.Value(), after);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(this->Tree().Focused(), &box);
  }
}

TYPED_TEST_P(InputRulesTest, UserActionsRaiseTheSameEventsAsCode) {
  auto& slider = this->template Get<Slider>("sldSmoothingLevel");
  auto& combo = this->template Get<ComboBox>("cboMirror");
  auto& box = this->template Get<CheckBox>("chkHide");
  auto& button = this->template Get<Button>("cmdCommitSmoothing");
  auto& picture = this->template Get<PictureBox>("picColour");
  scenario::InputDriver& in = this->Input();
  EventLog log(this->Tree());
  log.IgnoreNotifications();
  slider.on_change = log.Handler("slider change");
  combo.on_click = log.Handler("combo click");
  box.on_click = log.Handler("check click");
  button.on_click = log.Handler("button click");
  picture.on_click = log.Handler("picture click");

  in.MoveSlider(slider, 2);
  in.MoveSlider(slider, 2);  // already there: no change
  in.Pick(combo, 3);
  in.Pick(combo, 3);
  in.Check(box, 1);
  in.Check(box, 1);
  in.Click(button);
  in.Click(button);  // every press is a click
  in.Click(picture);
  EXPECT_THAT(log.Take(), ::testing::ElementsAre(
                              "slider change", "combo click", "check click",
                              "button click", "button click", "picture click"));
  EXPECT_EQ(slider.Value(), 2);
  EXPECT_EQ(combo.ListIndex(), 3);
  // A picture box never takes the focus; the button kept it.
  EXPECT_EQ(this->Tree().Focused(), &button);
}

TYPED_TEST_P(InputRulesTest, ClickingElsewhereEndsAnEditBeforeTheClick) {
  auto& entry = this->template Get<TextBox>("txtMaterialAttributeEntry");
  auto& button = this->template Get<Button>("cmdCommitSmoothing");
  EventLog log(this->Tree());
  log.IgnoreNotifications();
  entry.on_lost_focus = log.Handler("entry lost focus");
  button.on_click = log.Handler("button click");
  this->Input().Focus(entry);
  this->Input().Click(button);
  EXPECT_THAT(log.Take(),
              ::testing::ElementsAre("entry lost focus", "button click"));
}

TYPED_TEST_P(InputRulesTest, HandlerFailuresReachTheCallerAndInputGoesOn) {
  auto& button = this->template Get<Button>("cmdCommitSmoothing");
  button.on_click = [] { RaiseError(91); };
  ExpectError([&] { this->Input().Click(button); }, 91,
              "Object variable or With block variable not set");
  auto& box = this->template Get<CheckBox>("chkHide");
  this->Input().Click(box);
  EXPECT_EQ(box.Value(), 1);
}

TYPED_TEST_P(InputRulesTest, TypedKeysPassTheFilterAndReplaceTheSelection) {
  auto& field = this->template Get<TextField>("txtCustomShapeFieldValue", 4);
  field.SetText("ab");
  this->Input().SelectText(field, 0, 2);
  std::vector<Integer> seen;
  field.on_key_press = [&](Integer& key) {
    seen.push_back(key);
    if (key == '|') key = 0;    // dropped
    if (key == 'q') key = 'Q';  // replaced
  };
  EventLog log(this->Tree());
  log.IgnoreNotifications();
  field.on_change = log.Handler("change");
  this->Input().Type(field, "x|q\xC3\xA9");
  EXPECT_EQ(field.Text(), "xQ\xC3\xA9");
  EXPECT_THAT(seen, ::testing::ElementsAre('x', '|', 'q', 0xE9));
  // One Change a kept key; the dropped key changes nothing.
  EXPECT_THAT(log.Take(), ::testing::ElementsAre("change", "change", "change"));
  EXPECT_EQ(field.SelStart(), 3);
  EXPECT_EQ(this->Tree().Focused(), &field);
}

TYPED_TEST_P(InputRulesTest, BackspaceDeletesTheSelectionOrTheCharacterBefore) {
  auto& box = this->template Get<TextBox>("txtMaterialAttributeEntry");
  struct Case {
    const char* start;
    Long sel_start, sel_length;
    const char* keys;
    const char* after;
  };
  const Case cases[] = {
      {"1234", 4, 0, "\b", "123"},
      {"1234", 1, 2, "\b", "14"},
      {"1234", 0, 0, "\b", "1234"},
      {"a\xC3\xA9", 2, 0, "\bz", "az"},
      // Return, Tab and Escape are no characters of a text.
      {"12", 2, 0,
       "\r\t\x1b"
       "3",
       "123"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    box.SetText(c.start);
    this->Input().SelectText(box, c.sel_start, c.sel_length);
    this->Input().Type(box, c.keys);
    EXPECT_EQ(box.Text(), c.after);
  }
}

TYPED_TEST_P(InputRulesTest, ActivationSelectsTheValueSoTypingReplacesIt) {
  auto& field = this->template Get<UpDownText>("txtAngle");
  // The panel answers Activated with SelectValueText.
  field.on_activated = [&] { field.SelectValueText(); };
  EventLog log(this->Tree());
  log.IgnoreNotifications();
  field.on_change = log.Handler("change");
  field.on_value_committed = log.Handler("committed");
  this->Input().Activate(field);
  this->Input().Type(field, "45");
  this->Input().Commit(field, std::nullopt);
  EXPECT_EQ(field.Text(), "45");
  EXPECT_THAT(log.Take(),
              ::testing::ElementsAre("change", "change", "committed"));
}

TYPED_TEST_P(InputRulesTest, TypingStopsWhenAHandlerDisablesTheField) {
  auto& field = this->template Get<TextField>("txtCustomShapeFieldValue", 4);
  field.on_change = [&] { field.SetEnabled(false); };
  this->Input().Type(field, "abc");
  EXPECT_EQ(field.Text(), "a");
}

TYPED_TEST_P(InputRulesTest, CommitsByKind) {
  scenario::InputDriver& in = this->Input();
  EventLog log(this->Tree());
  log.IgnoreNotifications();

  // An up-down field brings the value into its range, then commits; the
  // same text again is still a commit.
  auto& angle = this->template Get<UpDownText>("txtAngle");
  angle.on_change = log.Handler("angle change");
  angle.on_value_committed = [&] {
    log.Add("angle committed " + angle.Text());
  };
  in.Commit(angle, "200");
  EXPECT_THAT(log.Take(), ::testing::ElementsAre("angle change", "angle change",
                                                 "angle committed 180"));
  in.Commit(angle, "180");
  EXPECT_THAT(log.Take(), ::testing::ElementsAre("angle committed 180"));

  // A text field reports its element index; text that arrives whole (as a
  // paste) is not typed, so no key filter runs.
  auto& field = this->template Get<TextField>("txtCustomShapeFieldValue", 4);
  field.on_value_committed = [&](int index) {
    log.Add("field committed " + std::to_string(index) + " " + field.Text());
  };
  field.on_key_press = [](Integer& key) { key = 0; };
  in.Commit(field, "a|b");
  EXPECT_THAT(log.Take(), ::testing::ElementsAre("field committed 4 a|b"));

  // A plain text box has no commit of its own: its edit ends with the focus.
  auto& box = this->template Get<TextBox>("txtMaterialAttributeEntry");
  box.on_got_focus = [&] {
    log.Add("box got focus");
    box.SetSelection(0, 99);
  };
  box.on_change = log.Handler("box change");
  box.on_lost_focus = [&] { log.Add("box lost focus " + box.Text()); };
  in.Commit(box, "40");
  EXPECT_THAT(log.Take(), ::testing::ElementsAre("box got focus", "box change",
                                                 "box lost focus 40"));
  EXPECT_EQ(this->Tree().Focused(), nullptr);
}

TYPED_TEST_P(InputRulesTest, FocusAndBlurMoveTheTreesFocus) {
  auto& angle = this->template Get<UpDownText>("txtAngle");
  auto& entry = this->template Get<TextBox>("txtMaterialAttributeEntry");
  scenario::InputDriver& in = this->Input();
  EventLog log(this->Tree());
  log.IgnoreNotifications();
  angle.on_got_focus = log.Handler("angle got");
  angle.on_lost_focus = log.Handler("angle lost");
  entry.on_got_focus = log.Handler("entry got");
  entry.on_lost_focus = log.Handler("entry lost");
  in.Focus(angle);
  in.Focus(entry);
  in.Blur(angle);  // has no focus: nothing to lose
  // The entry is hidden by the panel meanwhile; a click elsewhere still
  // takes the focus from it.
  entry.SetVisible(false);
  in.Blur(entry);
  EXPECT_THAT(log.Take(), ::testing::ElementsAre("angle got", "angle lost",
                                                 "entry got", "entry lost"));
  EXPECT_EQ(this->Tree().Focused(), nullptr);
}

// No edit is lost: a field the person changed commits as it loses the
// focus, however that happens; Escape takes the change back.
TYPED_TEST_P(InputRulesTest, ALeftFieldCommitsWhatThePersonChanged) {
  auto& angle = this->template Get<UpDownText>("txtAngle");
  auto& field = this->template Get<TextField>("txtCustomShapeFieldValue", 4);
  auto& box = this->template Get<TextBox>("txtMaterialAttributeEntry");
  scenario::InputDriver& in = this->Input();
  EventLog log(this->Tree());
  log.IgnoreNotifications();
  angle.on_value_committed = [&] { log.Add("angle committed " + angle.Text()); };
  angle.on_lost_focus = log.Handler("angle lost");
  field.on_value_committed = [&](int) { log.Add("field committed"); };
  box.on_lost_focus = [&] { log.Add("box lost " + box.Text()); };

  // Typed over, then another widget clicked: committed before LostFocus.
  in.SelectText(angle, 0, 4);
  in.Type(angle, "45");
  in.Focus(field);
  EXPECT_THAT(log.Take(),
              ::testing::ElementsAre("angle committed 45", "angle lost"));
  // Escape puts back the committed text; nothing is left to commit.
  in.Type(field, "xy\x1b");
  EXPECT_EQ(field.Text(), "");
  in.Blur(field);
  // Focus moved in and out without a change commits nothing either.
  in.Focus(angle);
  in.Blur(angle);
  EXPECT_THAT(log.Take(), ::testing::ElementsAre("angle lost"));
  // A plain text box only loses the focus; whoever listens reads it.
  in.Type(box, "7");
  in.Blur(box);
  EXPECT_THAT(log.Take(), ::testing::ElementsAre("box lost 7"));
  // A field the panel disabled meanwhile is no longer the person's.
  in.Type(field, "z");
  field.SetEnabled(false);
  in.Blur(field);
  EXPECT_THAT(log.Take(), ::testing::IsEmpty());
  field.SetEnabled(true);

  // A commit that fails as the focus moves: the focus has moved, and the
  // error reaches whoever moved it.
  angle.on_value_committed = [] { RaiseError(kErrTypeMismatch); };
  in.SelectText(angle, 0, 2);
  in.Type(angle, "abc");
  ExpectError([&] { in.Focus(field); }, kErrTypeMismatch, "Type mismatch");
  EXPECT_EQ(this->Tree().Focused(), &field);
  EXPECT_EQ(angle.Text(), "abc");
}

TYPED_TEST_P(InputRulesTest, StepButtonsMoveAndCommit) {
  auto& field = this->template Get<UpDownText>("txtAngle");
  std::vector<std::string> committed;
  field.on_value_committed = [&] { committed.push_back(field.Text()); };
  for (int direction : {1, -1, -1}) this->Input().Step(field, direction);
  EXPECT_THAT(committed, ::testing::ElementsAre("30.5", "30", "29.5"));
}

TYPED_TEST_P(InputRulesTest, AClickedCellIsCurrentWhenCellClickedIsRaised) {
  auto& grid = this->template Get<FlexGrid>("msgMaterialAttributes");
  auto& entry = this->template Get<TextBox>("txtMaterialAttributeEntry");
  EventLog log(this->Tree());
  log.IgnoreNotifications();
  auto at = [&] {
    return std::to_string(grid.Row()) + "," + std::to_string(grid.Col());
  };
  entry.on_lost_focus = [&] { log.Add("entry lost at " + at()); };
  grid.on_cell_clicked = [&] { log.Add("clicked " + at()); };
  this->Input().Focus(entry);
  this->Input().ClickCell(grid, 2, 8);
  // The edit ends while the old cell is still current.
  EXPECT_THAT(log.Take(),
              ::testing::ElementsAre("entry lost at 0,1", "clicked 2,8"));
  EXPECT_EQ(this->Tree().Focused(), &grid);
  // Clicking the current cell again is still a click.
  this->Input().ClickCell(grid, 2, 8);
  EXPECT_THAT(log.Take(), ::testing::ElementsAre("clicked 2,8"));
}

REGISTER_TYPED_TEST_SUITE_P(InputRulesTest, RefusalsComeBeforeAnythingChanges,
                            ValuesAPersonCannotGiveAreRefused,
                            AClickChecksClearedAndGreyBoxesAndClearsChecked,
                            UserActionsRaiseTheSameEventsAsCode,
                            ClickingElsewhereEndsAnEditBeforeTheClick,
                            HandlerFailuresReachTheCallerAndInputGoesOn,
                            TypedKeysPassTheFilterAndReplaceTheSelection,
                            BackspaceDeletesTheSelectionOrTheCharacterBefore,
                            ActivationSelectsTheValueSoTypingReplacesIt,
                            TypingStopsWhenAHandlerDisablesTheField,
                            CommitsByKind, FocusAndBlurMoveTheTreesFocus,
                            ALeftFieldCommitsWhatThePersonChanged,
                            StepButtonsMoveAndCommit,
                            AClickedCellIsCurrentWhenCellClickedIsRaised);

}  // namespace morvel::testing

#endif  // MORVEL_SCENARIO_INPUT_DRIVER_TESTING_H_

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/error.h"
#include "widgets/widget.h"
#include "widgets/widget_testing.h"

namespace morvel {
namespace {

using ::morvel::testing::EventLog;
using ::morvel::testing::ExpectError;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// clang-format off
const WidgetSpec kLayout[] = {
    {.kind = WidgetKind::kForm, .name = "Properties", .width = 4000,
     .height = 9735},
    {.kind = WidgetKind::kFrame, .name = "fraShape", .width = 50000,
     .height = 9000},
    {.kind = WidgetKind::kFrame, .name = "fraSmoothing", .parent = "fraShape",
     .width = 3930, .height = 1500},
    {.kind = WidgetKind::kSlider, .name = "sldSmoothingLevel",
     .parent = "fraSmoothing", .width = 2835, .height = 285, .min = 0,
     .max = 4, .small_change = 1, .large_change = 2},
    {.kind = WidgetKind::kButton, .name = "cmdCommitSmoothing",
     .parent = "fraSmoothing", .width = 1000, .height = 375},
    {.kind = WidgetKind::kComboBox, .name = "cboMirror",
     .parent = "fraSmoothing", .width = 1000, .height = 315},
    {.kind = WidgetKind::kCheckBox, .name = "chkHide", .parent = "fraShape",
     .width = 1000, .height = 255},
    {.kind = WidgetKind::kPictureBox, .name = "picColour", .parent = "fraShape",
     .width = 300, .height = 300},
    {.kind = WidgetKind::kLabel, .name = "lblLevel", .parent = "fraShape",
     .width = 300, .height = 300},
    {.kind = WidgetKind::kUpDownText, .name = "txtAngle",
     .parent = "fraSmoothing", .width = 915, .height = 315, .min = 0,
     .max = 180, .small_change = 0.5, .decimals = 1, .text = "30.0"},
    {.kind = WidgetKind::kTextField, .name = "txtCustomShapeFieldValue",
     .index = 4, .parent = "fraShape", .width = 1095, .height = 315},
    {.kind = WidgetKind::kTextBox, .name = "txtMaterialAttributeEntry",
     .parent = "fraShape", .width = 1125, .height = 200},
    {.kind = WidgetKind::kFlexGrid, .name = "msgMaterialAttributes",
     .parent = "fraShape", .width = 3915, .height = 1695},
};
// clang-format on

class UserInputTest : public ::testing::Test {
 protected:
  UserInputTest() {
    tree_.Build(kLayout);
    auto& combo = tree_.Get<ComboBox>("cboMirror");
    for (const char* item : {"None", "X", "Y", "Z"}) combo.AddItem(item);
  }
  template <class T>
  T& Get(const char* name, int index = -1) {
    return tree_.Get<T>(name, index);
  }
  WidgetTree tree_;
};

// ------------------------------------------------------------- refusals

struct RefusalCase {
  const char* name;
  const char* hide;     // widget made invisible first ("" for none)
  const char* disable;  // widget disabled first ("" for none)
  std::function<void(WidgetTree&)> action;
  const char* description;
};

class RefusalTest : public UserInputTest,
                    public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusalTest, RefusesBeforeAnythingChanges) {
  const RefusalCase& c = GetParam();
  auto& before = tree_.Get<TextBox>("txtMaterialAttributeEntry");
  tree_.SetFocus(&before);
  if (*c.hide) tree_.FindByDisplayName(c.hide)->SetVisible(false);
  if (*c.disable) tree_.FindByDisplayName(c.disable)->SetEnabled(false);
  std::string dump = tree_.Dump(*tree_.Root());

  EventLog log(tree_);
  before.on_lost_focus = log.Handler("lost focus");
  ExpectError([&] { c.action(tree_); }, 5, c.description);
  EXPECT_THAT(log.Take(), IsEmpty());
  EXPECT_EQ(tree_.Dump(*tree_.Root()), dump);
  EXPECT_EQ(tree_.Focused(), &before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusalTest,
    ::testing::Values(
        RefusalCase{"DisabledButton", "", "cmdCommitSmoothing",
                    [](WidgetTree& t) {
                      UserInput::Click(t.GetWidget("cmdCommitSmoothing"));
                    },
                    "cmdCommitSmoothing is disabled"},
        RefusalCase{
            "HiddenCheckBox", "chkHide", "",
            [](WidgetTree& t) { UserInput::Click(t.GetWidget("chkHide")); },
            "chkHide is hidden"},
        RefusalCase{"SliderInDisabledFrame", "", "fraSmoothing",
                    [](WidgetTree& t) {
                      UserInput::MoveSlider(t.Get<Slider>("sldSmoothingLevel"),
                                            2);
                    },
                    "sldSmoothingLevel is inside fraSmoothing, which is "
                    "disabled"},
        RefusalCase{"ComboInHiddenGrandparent", "fraShape", "",
                    [](WidgetTree& t) {
                      UserInput::Pick(t.Get<ComboBox>("cboMirror"), 1);
                    },
                    "cboMirror is inside fraShape, which is hidden"},
        RefusalCase{"HiddenWindow", "Properties", "",
                    [](WidgetTree& t) {
                      UserInput::Check(t.Get<CheckBox>("chkHide"), 1);
                    },
                    "chkHide is inside Properties, which is hidden"},
        RefusalCase{"NearestAncestorNamed", "fraShape", "fraSmoothing",
                    [](WidgetTree& t) {
                      UserInput::Type(t.Get<UpDownText>("txtAngle"), "5");
                    },
                    "txtAngle is inside fraSmoothing, which is disabled"},
        RefusalCase{"HiddenBeatsDisabled", "txtAngle", "txtAngle",
                    [](WidgetTree& t) {
                      UserInput::Commit(t.Get<UpDownText>("txtAngle"), "5");
                    },
                    "txtAngle is hidden"},
        RefusalCase{"ActivateDisabledField", "", "txtAngle",
                    [](WidgetTree& t) {
                      UserInput::Activate(t.Get<UpDownText>("txtAngle"));
                    },
                    "txtAngle is disabled"},
        RefusalCase{"StepDisabledField", "", "txtAngle",
                    [](WidgetTree& t) {
                      UserInput::Step(t.Get<UpDownText>("txtAngle"), 1);
                    },
                    "txtAngle is disabled"},
        RefusalCase{"FocusHiddenField", "txtCustomShapeFieldValue(4)", "",
                    [](WidgetTree& t) {
                      UserInput::Focus(
                          t.GetWidget("txtCustomShapeFieldValue", 4));
                    },
                    "txtCustomShapeFieldValue(4) is hidden"},
        RefusalCase{"ClickCellOfDisabledGrid", "", "msgMaterialAttributes",
                    [](WidgetTree& t) {
                      UserInput::ClickCell(
                          t.Get<FlexGrid>("msgMaterialAttributes"), 1, 1);
                    },
                    "msgMaterialAttributes is disabled"},
        RefusalCase{
            "ClickPictureInDisabledFrame", "", "fraShape",
            [](WidgetTree& t) { UserInput::Click(t.GetWidget("picColour")); },
            "picColour is inside fraShape, which is disabled"},
        RefusalCase{
            "ClickALabel", "", "",
            [](WidgetTree& t) { UserInput::Click(t.GetWidget("lblLevel")); },
            "lblLevel is a Label: only buttons, picture boxes and "
            "check boxes are clicked"},
        RefusalCase{
            "FocusALabel", "", "",
            [](WidgetTree& t) { UserInput::Focus(t.GetWidget("lblLevel")); },
            "lblLevel is a Label and cannot take the focus"}),
    [](const auto& info) { return info.param.name; });

TEST_F(UserInputTest, ValuesAPersonCannotGiveAreRefusedWith380) {
  auto& slider = Get<Slider>("sldSmoothingLevel");
  auto& combo = Get<ComboBox>("cboMirror");
  auto& box = Get<CheckBox>("chkHide");
  auto& grid = Get<FlexGrid>("msgMaterialAttributes");
  EventLog log(tree_);
  const std::function<void()> actions[] = {
      [&] { UserInput::MoveSlider(slider, 5); },
      [&] { UserInput::MoveSlider(slider, -1); },
      [&] { UserInput::Pick(combo, -1); },
      [&] { UserInput::Pick(combo, 4); },
      [&] { UserInput::Check(box, 2); },
      [&] { UserInput::Check(box, -1); },
      [&] { UserInput::ClickCell(grid, 2, 0); },
      [&] { UserInput::ClickCell(grid, 0, -1); },
      // The fixed header row is not a cell a person makes current.
      [&] { UserInput::ClickCell(grid, 0, 1); },
  };
  for (const auto& action : actions) {
    ExpectError(action, 380, "Invalid property value");
  }
  ExpectError([&] { UserInput::Step(Get<UpDownText>("txtAngle"), 0); }, 5,
              "Invalid procedure call or argument");
  EXPECT_THAT(log.Take(), IsEmpty());
  EXPECT_EQ(tree_.Focused(), nullptr);
}

// ------------------------------------------------------------------ clicks

struct CheckClickCase {
  Integer start, after;
};

class CheckClickTest : public UserInputTest,
                       public ::testing::WithParamInterface<CheckClickCase> {};

TEST_P(CheckClickTest, AClickChecksClearedAndGreyAndClearsChecked) {
  auto& box = Get<CheckBox>("chkHide");
  box.SetValue(GetParam().start);
  int clicks = 0;
  box.on_click = [&] { ++clicks; };
  UserInput::Click(box);
  EXPECT_EQ(box.Value(), GetParam().after);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(tree_.Focused(), &box);
}

INSTANTIATE_TEST_SUITE_P(Cases, CheckClickTest,
                         ::testing::Values(CheckClickCase{0, 1},
                                           CheckClickCase{1, 0},
                                           CheckClickCase{2, 1}),
                         [](const auto& info) {
                           return "From" + std::to_string(info.param.start);
                         });

TEST_F(UserInputTest, UserActionsRaiseTheSameEventsAsCode) {
  auto& slider = Get<Slider>("sldSmoothingLevel");
  auto& combo = Get<ComboBox>("cboMirror");
  auto& box = Get<CheckBox>("chkHide");
  auto& button = Get<Button>("cmdCommitSmoothing");
  auto& picture = Get<PictureBox>("picColour");
  EventLog log(tree_);
  log.IgnoreNotifications();
  slider.on_change = log.Handler("slider change");
  combo.on_click = log.Handler("combo click");
  box.on_click = log.Handler("check click");
  button.on_click = log.Handler("button click");
  picture.on_click = log.Handler("picture click");

  UserInput::MoveSlider(slider, 2);
  UserInput::MoveSlider(slider, 2);  // already there: no change
  UserInput::Pick(combo, 3);
  UserInput::Pick(combo, 3);
  UserInput::Check(box, 1);
  UserInput::Check(box, 1);
  UserInput::Click(button);
  UserInput::Click(button);  // every press is a click
  UserInput::Click(picture);
  EXPECT_THAT(log.Take(),
              ElementsAre("slider change", "combo click", "check click",
                          "button click", "button click", "picture click"));
  EXPECT_EQ(slider.Value(), 2);
  EXPECT_EQ(combo.ListIndex(), 3);
  // A picture box never takes the focus; the button kept it.
  EXPECT_EQ(tree_.Focused(), &button);
}

TEST_F(UserInputTest, ClickingElsewhereEndsAnEditBeforeTheClick) {
  auto& entry = Get<TextBox>("txtMaterialAttributeEntry");
  auto& button = Get<Button>("cmdCommitSmoothing");
  EventLog log(tree_);
  log.IgnoreNotifications();
  entry.on_lost_focus = log.Handler("entry lost focus");
  button.on_click = log.Handler("button click");
  UserInput::Focus(entry);
  UserInput::Click(button);
  EXPECT_THAT(log.Take(), ElementsAre("entry lost focus", "button click"));
}

TEST_F(UserInputTest, HandlerFailuresReachTheCaller) {
  auto& button = Get<Button>("cmdCommitSmoothing");
  button.on_click = [] { RaiseError(91); };
  ExpectError([&] { UserInput::Click(button); }, 91,
              "Object variable or With block variable not set");
}

// ------------------------------------------------------------------ typing

TEST_F(UserInputTest, TypedKeysPassTheFilterAndReplaceTheSelection) {
  auto& field = Get<TextField>("txtCustomShapeFieldValue", 4);
  field.SetText("ab");
  field.SetSelection(0, 2);
  std::vector<Integer> seen;
  field.on_key_press = [&](Integer& key) {
    seen.push_back(key);
    if (key == '|') key = 0;    // dropped
    if (key == 'q') key = 'Q';  // replaced
  };
  EventLog log(tree_);
  log.IgnoreNotifications();
  field.on_change = log.Handler("change");
  UserInput::Type(field, "x|q\xC3\xA9");
  EXPECT_EQ(field.Text(), "xQ\xC3\xA9");
  EXPECT_THAT(seen, ElementsAre('x', '|', 'q', 0xE9));
  // One Change a kept key; the dropped key changes nothing.
  EXPECT_THAT(log.Take(), ElementsAre("change", "change", "change"));
  EXPECT_EQ(field.SelStart(), 3);
  EXPECT_EQ(tree_.Focused(), &field);
}

TEST_F(UserInputTest, BackspaceDeletesTheSelectionOrTheCharacterBefore) {
  auto& box = Get<TextBox>("txtMaterialAttributeEntry");
  struct Case {
    const char* start;
    Long sel_start, sel_length;
    const char* keys;
    const char* after;
  };
  for (const Case& c :
       {Case{"1234", 4, 0, "\b", "123"}, Case{"1234", 1, 2, "\b", "14"},
        Case{"1234", 0, 0, "\b", "1234"}, Case{"a\xC3\xA9", 2, 0, "\bz", "az"},
        Case{"12", 2, 0,
             "\r\t\x1b"
             "3",
             "123"}}) {
    SCOPED_TRACE(c.start);
    box.SetText(c.start);
    box.SetSelection(c.sel_start, c.sel_length);
    UserInput::Type(box, c.keys);
    EXPECT_EQ(box.Text(), c.after);
  }
}

TEST_F(UserInputTest, ActivationSelectsTheValueSoTypingReplacesIt) {
  auto& field = Get<UpDownText>("txtAngle");
  // The panel answers Activated with SelectValueText.
  field.on_activated = [&] { field.SelectValueText(); };
  EventLog log(tree_);
  log.IgnoreNotifications();
  field.on_change = log.Handler("change");
  field.on_value_committed = log.Handler("committed");
  UserInput::Activate(field);
  UserInput::Type(field, "45");
  UserInput::Commit(field, std::nullopt);
  EXPECT_EQ(field.Text(), "45");
  EXPECT_THAT(log.Take(), ElementsAre("change", "change", "committed"));
}

TEST_F(UserInputTest, TypingStopsWhenAHandlerDisablesTheField) {
  auto& field = Get<TextField>("txtCustomShapeFieldValue", 4);
  field.on_change = [&] { field.SetEnabled(false); };
  UserInput::Type(field, "abc");
  EXPECT_EQ(field.Text(), "a");
}

// ---------------------------------------------------------------- commits

TEST_F(UserInputTest, CommitOfAnUpDownFieldClampsThenCommits) {
  auto& field = Get<UpDownText>("txtAngle");
  EventLog log(tree_);
  log.IgnoreNotifications();
  field.on_change = log.Handler("change");
  field.on_value_committed = [&] { log.Add("committed " + field.Text()); };
  UserInput::Commit(field, "200");
  EXPECT_THAT(log.Take(), ElementsAre("change", "change", "committed 180"));
  UserInput::Commit(field, "180");  // same text: no change, still a commit
  EXPECT_THAT(log.Take(), ElementsAre("committed 180"));
}

TEST_F(UserInputTest, CommitOfATextFieldReportsItsElementIndex) {
  auto& field = Get<TextField>("txtCustomShapeFieldValue", 4);
  std::vector<int> committed;
  field.on_value_committed = [&](int index) { committed.push_back(index); };
  // Text that arrives whole (pasted) is not typed, so no key filter runs.
  field.on_key_press = [](Integer& key) { key = 0; };
  UserInput::Commit(field, "a|b");
  EXPECT_EQ(field.Text(), "a|b");
  EXPECT_THAT(committed, ElementsAre(4));
}

TEST_F(UserInputTest, CommitOfATextBoxTakesTheFocusAway) {
  auto& box = Get<TextBox>("txtMaterialAttributeEntry");
  EventLog log(tree_);
  log.IgnoreNotifications();
  box.on_got_focus = [&] {
    log.Add("got focus");
    box.SetSelection(0, 99);
  };
  box.on_change = log.Handler("change");
  box.on_lost_focus = [&] { log.Add("lost focus " + box.Text()); };
  UserInput::Commit(box, "40");
  EXPECT_THAT(log.Take(), ElementsAre("got focus", "change", "lost focus 40"));
  EXPECT_EQ(tree_.Focused(), nullptr);
}

TEST_F(UserInputTest, FocusAndBlurMoveTheTreesFocus) {
  auto& angle = Get<UpDownText>("txtAngle");
  auto& entry = Get<TextBox>("txtMaterialAttributeEntry");
  EventLog log(tree_);
  log.IgnoreNotifications();
  angle.on_got_focus = log.Handler("angle got");
  angle.on_lost_focus = log.Handler("angle lost");
  entry.on_got_focus = log.Handler("entry got");
  entry.on_lost_focus = log.Handler("entry lost");
  UserInput::Focus(angle);
  UserInput::Focus(entry);
  UserInput::Blur(angle);  // has no focus: nothing to lose
  // The entry is hidden by the panel meanwhile; a click elsewhere still
  // takes the focus from it.
  entry.SetVisible(false);
  UserInput::Blur(entry);
  EXPECT_THAT(log.Take(), ElementsAre("angle got", "angle lost", "entry got",
                                      "entry lost"));
  EXPECT_EQ(tree_.Focused(), nullptr);
}

TEST_F(UserInputTest, StepButtonsMoveAndCommit) {
  auto& field = Get<UpDownText>("txtAngle");
  std::vector<std::string> committed;
  field.on_value_committed = [&] { committed.push_back(field.Text()); };
  UserInput::Step(field, 1);
  UserInput::Step(field, -1);
  UserInput::Step(field, -1);
  EXPECT_THAT(committed, ElementsAre("30.5", "30", "29.5"));
}

// ------------------------------------------------------------------ grid

TEST_F(UserInputTest, ClickCellMakesTheCellCurrentThenRaisesCellClicked) {
  auto& grid = Get<FlexGrid>("msgMaterialAttributes");
  grid.SetRows(3);
  grid.SetCols(12);
  grid.SetRow(0);
  auto& entry = Get<TextBox>("txtMaterialAttributeEntry");
  EventLog log(tree_);
  entry.on_lost_focus = [&] {
    log.Add("entry lost at " + std::to_string(grid.Row()) + "," +
            std::to_string(grid.Col()));
  };
  grid.on_cell_clicked = [&] {
    log.Add("clicked " + std::to_string(grid.Row()) + "," +
            std::to_string(grid.Col()));
  };
  tree_.SetFocus(&entry);
  log.Take();
  UserInput::ClickCell(grid, 2, 8);
  EXPECT_THAT(
      log.Take(),
      ElementsAre("notify txtMaterialAttributeEntry Focus", "entry lost at 0,1",
                  "notify msgMaterialAttributes Focus",
                  "notify msgMaterialAttributes CurrentCell",
                  "notify msgMaterialAttributes CurrentCell", "clicked 2,8"));
  // Clicking the current cell again is still a click.
  UserInput::ClickCell(grid, 2, 8);
  EXPECT_THAT(log.Take(), ElementsAre("clicked 2,8"));
}

}  // namespace
}  // namespace morvel

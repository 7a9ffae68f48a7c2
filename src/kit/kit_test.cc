// The kit the sections stand on: the transaction, the guard of the
// editors, the twip arithmetic and the rule that a section reaches only the
// widgets it built.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

#include "kit/editors.h"
#include "kit/kit_testing.h"
#include "kit/section_layout.h"
#include "kit/section_widgets.h"
#include "kit/transaction.h"

namespace morvel {
namespace {

using ::testing::ElementsAre;
using testing::RecordingEvents;
using testing::TestServices;

class TransactionTest : public ::testing::Test {
 protected:
  TransactionTest()
      : context_(widgets_, state_, events_, container_, PlatformServices{},
                 services_) {
    Widget& form =
        widgets_.Create(WidgetKind::kForm, "Properties", -1, nullptr);
    box_ =
        &widgets_.Create<CheckBox>(WidgetKind::kCheckBox, "chkBox", -1, &form);
    combo_ =
        &widgets_.Create<ComboBox>(WidgetKind::kComboBox, "cboList", -1, &form);
    combo_->AddItem("a");
    combo_->AddItem("b");
  }

  WidgetTree widgets_;
  PanelState state_;
  RecordingEvents events_;
  FixedContainer container_;
  TestServices services_;
  PanelContext context_;
  CheckBox* box_ = nullptr;
  ComboBox* combo_ = nullptr;
};

TEST_F(TransactionTest, PreparesOnConstructionAndAppliesOnCommitOnce) {
  {
    SceneTransaction transaction(context_, kLayerSysMaterialUpdate);
    EXPECT_THAT(
        events_.log,
        ElementsAre("evtReqPrepareForSceneChanges(\"SysMaterialUpdate\")"));
    transaction.Commit(true);
    transaction.Commit(false);
    EXPECT_TRUE(transaction.Committed());
  }
  EXPECT_THAT(events_.Take(),
              ElementsAre("evtReqPrepareForSceneChanges(\"SysMaterialUpdate\")",
                          "evtReqApplySceneChanges(True)"));
}

TEST_F(TransactionTest, AFailureBeforeCommitLeavesThePrepareAlone) {
  EXPECT_THROW(
      {
        SceneTransaction transaction(context_, kLayerNone);
        throw Error(kErrTypeMismatch, "Type mismatch");
      },
      Error);
  EXPECT_THAT(events_.Take(),
              ElementsAre("evtReqPrepareForSceneChanges(\"\")"));
}

TEST_F(TransactionTest, GuardedEditorIgnoresADisabledWidget) {
  int runs = 0;
  ConnectGuardedEditor(*box_, [&] { ++runs; });
  ConnectGuardedEditor(*combo_, [&] { ++runs; });
  box_->SetValue(1);
  combo_->SetListIndex(1);
  EXPECT_EQ(runs, 2);
  SetWhileDisabled(*box_, [&] { box_->SetValue(2); });
  SetWhileDisabled(*combo_, [&] { combo_->SetListIndex(0); });
  EXPECT_EQ(runs, 2);
  EXPECT_TRUE(box_->Enabled());
  EXPECT_TRUE(combo_->Enabled());
  EXPECT_EQ(box_->Value(), 2);
}

TEST_F(TransactionTest, GuardedEditorNamesThePanelAsTheSource) {
  ConnectGuardedEditor(*box_, [] { throw std::runtime_error("scene gone"); });
  try {
    box_->SetValue(1);
    FAIL() << "expected an error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), kErrInvalidProcedureCall);
    EXPECT_EQ(e.Description(), "scene gone");
    EXPECT_EQ(e.Source(), "Properties");
  }
}

TEST_F(TransactionTest, SetWhileDisabledLeavesAFailedWidgetDisabled) {
  EXPECT_THROW(SetWhileDisabled(*box_, [&] { box_->SetValue(3); }), Error);
  EXPECT_FALSE(box_->Enabled());
}

constexpr Long kMax = std::numeric_limits<Long>::max();
constexpr Long kMin = std::numeric_limits<Long>::min();

TEST(CheckedAddTest, AddsOrRaisesOverflow) {
  const struct {
    Long a, b;
    bool overflows;
    Long sum;
  } cases[] = {{kMax - 1, 1, false, kMax},
               {kMax, 1, true, 0},
               {kMin, -1, true, 0},
               {kMin, kMax, false, -1},
               {-5, 2, false, -3}};
  for (const auto& c : cases) {
    if (!c.overflows) {
      EXPECT_EQ(CheckedAdd(c.a, c.b), c.sum);
      continue;
    }
    try {
      CheckedAdd(c.a, c.b);
      ADD_FAILURE() << c.a << " + " << c.b;
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), kErrOverflow);
    }
  }
}

TEST(LongToCheckValueTest, KeepsIntegersAndRefusesTheRest) {
  EXPECT_EQ(LongToCheckValue(2), 2);
  EXPECT_EQ(LongToCheckValue(-32768), -32768);
  EXPECT_EQ(LongToCheckValue(32767), 32767);
  for (Long bad : {32768, -32769, 65537}) {
    try {
      LongToCheckValue(bad);
      FAIL() << bad;
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), kErrOverflow);
    }
  }
}

// Two sections' tables in one tree: each hands out its own widgets, in
// index order for an array, and refuses the other's by name.
TEST(SectionWidgetsTest, HandsOutOnlyWhatItsTableBuilt) {
  using K = WidgetKind;
  const WidgetSpec form[] = {{.kind = K::kForm, .name = "Properties"}};
  const WidgetSpec first[] = {
      {.kind = K::kFrame, .name = "fraFirst", .parent = "Properties"},
      {.kind = K::kSlider, .name = "sldArray", .index = 0,
       .parent = "fraFirst"},
      {.kind = K::kSlider, .name = "sldArray", .index = 1,
       .parent = "fraFirst"}};
  const WidgetSpec second[] = {
      {.kind = K::kFrame, .name = "fraSecond", .parent = "Properties"},
      {.kind = K::kCheckBox, .name = "chkSecond", .parent = "fraSecond"}};
  WidgetTree tree;
  tree.Build(form);
  SectionWidgets one(tree, first);
  SectionWidgets two(tree, second);

  EXPECT_EQ(&one.Get<Frame>("fraFirst"), &tree.GetWidget("fraFirst"));
  auto sliders = one.Elements<Slider, 2>("sldArray");
  EXPECT_EQ(sliders[0], &tree.GetWidget("sldArray", 0));
  EXPECT_EQ(sliders[1], &tree.GetWidget("sldArray", 1));
  EXPECT_EQ(&two.Get<CheckBox>("chkSecond"), &tree.GetWidget("chkSecond"));

  const struct {
    const SectionWidgets& table;
    const char* name;
    Long error;
    const char* description;
  } refusals[] = {
      {one, "chkSecond", kErrInvalidProcedureCall,
       "chkSecond belongs to another section"},
      {two, "fraFirst", kErrInvalidProcedureCall,
       "fraFirst belongs to another section"},
      {two, "Properties", kErrInvalidProcedureCall,
       "Properties belongs to another section"},
      {one, "fraFirst", kErrTypeMismatch, ""},  // a frame asked for as a box
  };
  for (const auto& r : refusals) {
    SCOPED_TRACE(r.name);
    try {
      r.table.Get<CheckBox>(r.name);
      ADD_FAILURE() << "handed out";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), r.error);
      if (*r.description) {
        EXPECT_EQ(e.Description(), r.description);
      }
    }
  }
}

}  // namespace
}  // namespace morvel

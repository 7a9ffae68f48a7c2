#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/numbers.h"
#include "kit/kit_testing.h"
#include "panel/properties.h"
#include "warn/frm_warn_layout.h"
#include "widgets/widget.h"

// The layout tables are data; these tests check what must hold of any
// version of them, so that a slip in one figure or name fails for a reason.
// The figures a person sees are pinned by the scenario files, and every
// widget a section keeps a handle to is checked each time a panel is
// constructed: one missing from the section's own table, or of another
// kind, is an error there.
namespace morvel {
namespace {

using K = WidgetKind;

bool Apart(const Widget& a, const Widget& b) {
  return a.Left() + a.Width() <= b.Left() || b.Left() + b.Width() <= a.Left() ||
         a.Top() + a.Height() <= b.Top() || b.Top() + b.Height() <= a.Top();
}

// A panel as its sections build it, before the container or a scene has
// touched it: the tree as the designer leaves it.
class PanelLayoutTest : public ::testing::Test {
 protected:
  testing::RecordingEvents events_;
  FixedContainer container_;
  testing::TestServices services_;
  Properties panel_{PlatformServices{}, events_, container_, &services_};
  WidgetTree& tree_ = panel_.Widgets();
};

TEST_F(PanelLayoutTest, NamesAreUniqueAndEveryWidgetHangsInAContainer) {
  ASSERT_NE(tree_.Root(), nullptr);
  EXPECT_EQ(tree_.Root()->Name(), "Properties");
  EXPECT_EQ(tree_.Root()->Kind(), K::kForm);
  std::set<std::string> seen;
  for (const auto& widget : tree_.All()) {
    SCOPED_TRACE(widget->DisplayName());
    EXPECT_TRUE(seen.insert(widget->DisplayName()).second) << "named twice";
    if (widget.get() == tree_.Root()) continue;
    const Widget* parent = widget->Parent();
    ASSERT_NE(parent, nullptr);
    // Only windows, frames and picture boxes hold other widgets.
    EXPECT_THAT(parent->Kind(),
                ::testing::AnyOf(K::kForm, K::kFrame, K::kPictureBox));
    EXPECT_EQ(std::count(parent->Children().begin(), parent->Children().end(),
                         widget.get()),
              1);
  }
}

TEST_F(PanelLayoutTest, ControlArraysCountFromZeroWithoutGaps) {
  // Sections address elements by index (the clone axes, the six custom
  // rows, the frame titles): a gap or a repeat would send an edit to the
  // wrong row.
  std::map<std::string, std::vector<const Widget*>> arrays;
  for (const auto& widget : tree_.All()) {
    if (widget->Index() >= 0) arrays[widget->Name()].push_back(widget.get());
  }
  ASSERT_FALSE(arrays.empty());
  for (const auto& [name, elements] : arrays) {
    SCOPED_TRACE(name);
    std::vector<Widget*> in_order = tree_.Array(name);
    ASSERT_EQ(in_order.size(), elements.size());
    for (std::size_t i = 0; i < in_order.size(); ++i) {
      EXPECT_EQ(in_order[i]->Index(), static_cast<int>(i));
      EXPECT_EQ(in_order[i]->Kind(), in_order[0]->Kind());
    }
  }
  EXPECT_EQ(tree_.Array("lblCustomShapeFieldName").size(), 6u);
  EXPECT_EQ(tree_.Array("txtCustomGroupFieldValue").size(), 6u);
  EXPECT_EQ(tree_.Array("txtNumClones").size(), 3u);
}

TEST_F(PanelLayoutTest, SectionWidgetsLieInsideTheirContainers) {
  // Every label and input lies wholly within its container, and every
  // sub-frame ends above its section's bottom. The grid is left out: its
  // width follows the panel's at run time. (Siblings may overlap: a slider's
  // track ends under the Commit button beside it.)
  for (const auto& widget : tree_.All()) {
    const Widget* parent = widget->Parent();
    if (!parent || parent == tree_.Root()) continue;
    if (widget->Kind() == K::kFlexGrid) continue;
    SCOPED_TRACE(widget->DisplayName());
    EXPECT_GT(widget->Width(), 0);
    EXPECT_GT(widget->Height(), 0);
    EXPECT_GE(widget->Top(), 0);
    EXPECT_LE(widget->Top() + widget->Height(), parent->Height());
    if (widget->Kind() == K::kFrame) continue;
    EXPECT_GE(widget->Left(), 0);
    EXPECT_LE(widget->Left() + widget->Width(), parent->Width());
  }
}

TEST_F(PanelLayoutTest, FrameTitlesSitOnTheFrameBorder) {
  // The title labels (the array "Label") stand on the top border of their
  // frame, wide enough for the text and not past the frame's edge.
  for (Widget* title : tree_.Array("Label")) {
    SCOPED_TRACE(title->DisplayName());
    EXPECT_EQ(title->Parent()->Kind(), K::kFrame);
    EXPECT_EQ(title->Top(), 0);
    EXPECT_EQ(title->Caption().front(), ' ');
    EXPECT_GE(title->Width(), 60 * static_cast<Long>(title->Caption().size()));
    EXPECT_LE(title->Left() + title->Width(), title->Parent()->Width());
  }
}

TEST_F(PanelLayoutTest, CustomFieldRowsPairUpAcrossTheColumns) {
  // Row k and row k + 3 share a line, the label 30 twips below its field's
  // top so that their texts line up.
  for (const char* prefix : {"Shape", "Group"}) {
    std::string label = std::string("lblCustom") + prefix + "FieldName";
    std::string field = std::string("txtCustom") + prefix + "FieldValue";
    for (int k = 0; k < 3; ++k) {
      SCOPED_TRACE(label + "(" + std::to_string(k) + ")");
      Widget& left = tree_.GetWidget(label, k);
      Widget& right = tree_.GetWidget(label, k + 3);
      EXPECT_EQ(left.Top(), right.Top());
      EXPECT_EQ(tree_.GetWidget(field, k).Top(),
                tree_.GetWidget(field, k + 3).Top());
      EXPECT_EQ(tree_.GetWidget(field, k).Top() + 30, left.Top());
      EXPECT_LT(tree_.GetWidget(field, k).Left(), right.Left());
      if (k > 0) {
        EXPECT_GT(left.Top(), tree_.GetWidget(label, k - 1).Top());
      }
    }
  }
}

TEST_F(PanelLayoutTest, DropDownListsFillTheirHoldersAndStartEmpty) {
  // The fixed lists are filled when the panel first gets a scene graph.
  for (const char* name : {"cboShapeDraw", "cboCondition", "cboMirror",
                           "cboIKJoint", "cboAttenuationType"}) {
    SCOPED_TRACE(name);
    auto& list = tree_.Get<ComboBox>(name);
    const Widget& holder = *list.Parent();
    EXPECT_EQ(holder.Kind(), K::kPictureBox);
    EXPECT_THAT(holder.Children(), ::testing::ElementsAre(&list));
    EXPECT_EQ(list.Left(), 0);
    EXPECT_EQ(list.Top(), 0);
    EXPECT_EQ(list.Width(), holder.Width());
    EXPECT_EQ(list.Height(), holder.Height());
    EXPECT_EQ(list.ListCount(), 0);
  }
}

TEST_F(PanelLayoutTest, RangesAreNonEmptyAndHoldTheirStartingValues) {
  int sliders = 0, fields = 0;
  for (const auto& widget : tree_.All()) {
    SCOPED_TRACE(widget->DisplayName());
    if (auto* slider = dynamic_cast<Slider*>(widget.get())) {
      ++sliders;
      EXPECT_LT(slider->Min(), slider->Max());
      EXPECT_GE(slider->Value(), slider->Min());
      EXPECT_LE(slider->Value(), slider->Max());
      EXPECT_GE(slider->SmallChange(), 1);
      EXPECT_GE(slider->LargeChange(), slider->SmallChange());
      EXPECT_GT(slider->TickFrequency(), 0);
      EXPECT_LE(slider->TickFrequency(), slider->Max() - slider->Min());
    } else if (auto* field = dynamic_cast<UpDownText*>(widget.get())) {
      ++fields;
      EXPECT_LT(field->MinValue(), field->MaxValue());
      EXPECT_GT(field->Increment(), 0);
      EXPECT_LE(field->Increment(), field->MaxValue() - field->MinValue());
      EXPECT_GE(field->DefaultValue(), field->MinValue());
      EXPECT_LE(field->DefaultValue(), field->MaxValue());
      // The designed text is a value the field itself would accept, with
      // no more decimals than it keeps.
      double value = TextToDouble(field->Text());
      EXPECT_GE(value, field->MinValue());
      EXPECT_LE(value, field->MaxValue());
      double scale = std::pow(10.0, field->MaxDecimalPlaces());
      EXPECT_EQ(std::nearbyint(value * scale) / scale, value);
    }
  }
  EXPECT_GT(sliders, 0);
  EXPECT_GT(fields, 0);
}

TEST_F(PanelLayoutTest, InputsExplainThemselves) {
  // Every widget a person can change or press (those that take the focus)
  // has a tooltip, and so does the colour swatch, which opens the colour
  // chooser.
  for (const auto& widget : tree_.All()) {
    if (!widget->CanFocus() && widget->Name() != "picVBColor") continue;
    SCOPED_TRACE(widget->DisplayName());
    EXPECT_FALSE(widget->ToolTip().empty());
  }
}

TEST_F(PanelLayoutTest, TheTextBoxStandsInFrontOfTheGrid) {
  // Later children are drawn over earlier ones: the in-place editor must
  // come after the grid it covers.
  const auto& children = tree_.GetWidget("fraMaterial").Children();
  auto grid = std::find(children.begin(), children.end(),
                        &tree_.GetWidget("msgMaterialAttributes"));
  auto box = std::find(children.begin(), children.end(),
                       &tree_.GetWidget("txtMaterialAttributeEntry"));
  ASSERT_NE(grid, children.end());
  ASSERT_NE(box, children.end());
  EXPECT_LT(grid, box);
}

TEST(WarnLayoutTest, WidgetsFitTheWindowApartAndExplainThemselves) {
  WidgetTree tree;
  BuildWarnWidgets(tree);
  const Widget& form = *tree.Root();
  const auto& children = form.Children();
  ASSERT_EQ(children.size(), 5u);
  for (std::size_t i = 0; i < children.size(); ++i) {
    const Widget& w = *children[i];
    SCOPED_TRACE(w.Name());
    EXPECT_GT(w.Width(), 0);
    EXPECT_GT(w.Height(), 0);
    EXPECT_GE(w.Left(), 0);
    EXPECT_GE(w.Top(), 0);
    EXPECT_LE(w.Left() + w.Width(), form.Width());
    EXPECT_LE(w.Top() + w.Height(), form.Height());
    for (std::size_t j = i + 1; j < children.size(); ++j) {
      EXPECT_TRUE(Apart(w, *children[j])) << "covers " << children[j]->Name();
    }
    if (w.CanFocus()) {
      EXPECT_FALSE(w.ToolTip().empty());
    }
  }
}

}  // namespace
}  // namespace morvel

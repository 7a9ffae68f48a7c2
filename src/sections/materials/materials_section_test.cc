// What the material scenarios cannot see: the grid's redraw during a fill,
// which failing scene reads a fill shrugs off, and typed values that must
// be dropped without a trace whatever they are.
#include "sections/materials/materials_section.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/panel_harness.h"
#include "panel/properties_access.h"

namespace morvel {
namespace {

using ::testing::Each;
using ::testing::IsEmpty;
using testing::PanelHarness;
using ::testing::SizeIs;

constexpr const char* kScene = R"({
  "MaterialFieldNames": ["Shader"],
  "nodes": [
    {"name": "Teapot", "kind": "shape", "Materials": [
      {"Diffuse": 80, "Fields": ["glossy"],
       "Maps": {"Paths": ["wood.png", "", "", "", "", ""], "Blend": 0.25}},
      {"Diffuse": 60}]}
  ]
})";

// Whether each data-cell change of the grid came while it was not drawing.
class RedrawWatch : public WidgetObserver {
 public:
  void OnWidgetChanged(Widget& widget, WidgetProperty property) override {
    auto* grid = dynamic_cast<FlexGrid*>(&widget);
    if (grid && property == WidgetProperty::kGrid && grid->ChangedRow() >= 1) {
      redraw_during_cell_writes.push_back(grid->Redraw());
    }
  }
  std::vector<bool> redraw_during_cell_writes;
};

TEST(MaterialListTest, RowsAreWrittenWithTheGridsDrawingOff) {
  PanelHarness h(kScene);
  RedrawWatch watch;
  h.panel.Widgets().AddObserver(&watch);
  h.Show(3, {"Teapot"});
  h.panel.Widgets().RemoveObserver(&watch);
  EXPECT_THAT(watch.redraw_during_cell_writes, SizeIs(::testing::Ge(20u)));
  EXPECT_THAT(watch.redraw_during_cell_writes, Each(false));
  EXPECT_TRUE(h.Get<FlexGrid>("msgMaterialAttributes").Redraw());
}

// A failing scene read during the fill: the thumbnail and blend reads are
// shrugged off, every other stops the load with the read's own error.
struct FillFault {
  const char* operation;
  Long error;  // 0: the load goes on
};

class MaterialFillFaultTest : public ::testing::TestWithParam<FillFault> {};

TEST_P(MaterialFillFaultTest, StopsOrGoesOnAsTheReadRequires) {
  PanelHarness h(kScene);
  h.scene->Fault(GetParam().operation, 70, "Permission denied", 0, -1);
  h.scene->Select({"Teapot"});
  Long error = 0;
  try {
    h.panel.SetupPropertiesPanel(ComputeSetupArguments(*h.scene, 3));
  } catch (const Error& e) {
    EXPECT_EQ(e.Source(), "Properties");
    error = e.Number();
  }
  EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Reads, MaterialFillFaultTest,
    ::testing::Values(
        FillFault{"Maps", 0}, FillFault{"Blend", 0},
        FillFault{"GetMapThumbnail1", 0}, FillFault{"LoadThumbnail", 0},
        FillFault{"ThumbnailCache", 0}, FillFault{"MaterialFieldNames", 70},
        FillFault{"MaterialCount", 70}, FillFault{"GetMaterial", 70},
        FillFault{"Colour", 70}, FillFault{"ColourRed", 70},
        FillFault{"ColourAlpha", 70}, FillFault{"GetAmbientLevel", 70},
        FillFault{"GetFieldValue", 70}),
    [](const auto& info) { return std::string(info.param.operation); });

// Texts typed into a numeric cell that must leave no trace: no event, no
// write, the cell as it was, the edit over. The number the cell already
// shows is no change either.
class RejectedNumberTest : public ::testing::TestWithParam<std::string> {};

TEST_P(RejectedNumberTest, WritesNothingAndRaisesNothing) {
  PanelHarness h(kScene);
  h.Show(3, {"Teapot"});
  auto& grid = h.Get<FlexGrid>("msgMaterialAttributes");
  auto& entry = h.Get<TextBox>("txtMaterialAttributeEntry");
  PanelState& state = PropertiesAccess::Impl(h.panel).State();
  for (Long col : {3, 8, 9, 10, 11}) {
    std::string before = grid.TextMatrix(1, col);
    for (const std::string& typed : {GetParam(), before + ".4"}) {
      UserInput::ClickCell(grid, 1, col);
      ASSERT_TRUE(entry.Visible());
      EXPECT_EQ(state.EditShape, h.scene->Node("Teapot"));
      UserInput::Commit(entry, typed);
      EXPECT_THAT(h.events.Take(), IsEmpty()) << col << ": " << typed;
      EXPECT_THAT(h.Journal(), IsEmpty()) << col << ": " << typed;
      EXPECT_EQ(grid.TextMatrix(1, col), before);
      EXPECT_FALSE(entry.Visible());
      EXPECT_EQ(state.EditShape, nullptr);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, RejectedNumberTest,
                         ::testing::Values("", "   ", "abc", "12abc", "-1",
                                           "-0.6", "101", "100.6", "1e10",
                                           "-1e10", "4,0", "1,000", "NaN",
                                           "inf", "0x10",
                                           std::string(10000, '9')));

}  // namespace
}  // namespace morvel

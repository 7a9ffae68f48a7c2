// What the material scenarios cannot see: the grid's redraw during a fill,
// which failing scene reads a fill shrugs off, and typed values that must
// be dropped without a trace whatever they are.
#include "sections/materials/materials_section.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/panel_testing.h"
#include "panel/properties_access.h"
#include "sections/shape/shape_section.h"

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
TEST(MaterialFillFaultTest, StopsOrGoesOnAsTheReadRequires) {
  const struct {
    const char* operation;
    Long error;  // 0: the load goes on
  } reads[] = {{"Maps", 0},
               {"Blend", 0},
               {"GetMapThumbnail1", 0},
               {"LoadThumbnail", 0},
               {"ThumbnailCache", 0},
               {"MaterialFieldNames", 70},
               {"MaterialCount", 70},
               {"GetMaterial", 70},
               {"Colour", 70},
               {"ColourAlpha", 70},
               {"GetAmbientLevel", 70},
               {"GetFieldValue", 70}};
  for (const auto& read : reads) {
    SCOPED_TRACE(read.operation);
    PanelHarness h(kScene);
    h.scene->Fault(read.operation, 70, "Permission denied", 0, -1);
    h.scene->Select({"Teapot"});
    Long error = 0;
    try {
      h.panel.SetupPropertiesPanel(ComputeSetupArguments(*h.scene, 3));
    } catch (const Error& e) {
      EXPECT_EQ(e.Source(), "Properties");
      error = e.Number();
    }
    EXPECT_EQ(error, read.error);
  }
}

// Texts typed into a numeric cell that must leave no trace: no event, no
// write, the cell as it was, the edit over. The number the cell already
// shows is no change either.
TEST(RejectedNumberTest, WritesNothingAndRaisesNothing) {
  PanelHarness h(kScene);
  h.Show(3, {"Teapot"});
  auto& grid = h.Get<FlexGrid>("msgMaterialAttributes");
  auto& entry = h.Get<TextBox>("txtMaterialAttributeEntry");
  MaterialsSection::CellEdit& edit =
      PropertiesAccess::Section<ShapeSection>(h.panel).Materials().Edit();
  for (Long col : {3, 8, 9, 10, 11}) {
    std::string before = grid.TextMatrix(1, col);
    for (const std::string& typed :
         {std::string(), std::string("12abc"), std::string("-0.6"),
          std::string("100.6"), std::string("-1e10"), std::string("4,0"),
          std::string("NaN"), std::string("0x10"), std::string(10000, '9'),
          before + ".4"}) {
      UserInput::ClickCell(grid, 1, col);
      ASSERT_TRUE(entry.Visible());
      EXPECT_EQ(edit.EditShape, h.scene->Node("Teapot"));
      UserInput::Commit(entry, typed);
      EXPECT_THAT(h.events.Take(), IsEmpty()) << col << ": " << typed;
      EXPECT_THAT(h.Journal(), IsEmpty()) << col << ": " << typed;
      EXPECT_EQ(grid.TextMatrix(1, col), before);
      EXPECT_FALSE(entry.Visible());
      EXPECT_EQ(edit.EditShape, nullptr);
    }
  }
}

}  // namespace
}  // namespace morvel

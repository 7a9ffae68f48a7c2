#ifndef MORVEL_SECTIONS_MATERIALS_MATERIALS_SECTION_H_
#define MORVEL_SECTIONS_MATERIALS_MATERIALS_SECTION_H_

#include <memory>

#include "base/types.h"
#include "kit/panel_context.h"
#include "kit/section_widgets.h"
#include "scene/scene.h"
#include "sections/materials/material_columns.h"
#include "widgets/widget.h"

namespace morvel {

// The Materials frame at the foot of the shape section: the grid of the
// shown shape's materials, one row a material and one column an attribute,
// and the editing of its cells. The shape section's loader drives the two
// loaders in one pass: LoadMaterialGrid where the frame is to stand, then
// FillMaterialRows while it fills the shape's values.
//
// Editing starts with a click on a cell: the colour column asks for a
// colour, the six map columns for a map file, and every other column opens
// txtMaterialAttributeEntry over the cell; what is typed there is written
// back when the box loses the focus. Each change is one scene transaction
// with the layer source "SysMaterialUpdate".
//
// The shape section builds it after its own frames and forwards the panel's
// resize and termination to it.
class MaterialsSection {
 public:
  // A cell edit in progress: the cell, and the shape whose material it
  // edits (captured when the edit starts, released when it ends).
  struct CellEdit {
    Long EditRow = 0;
    Long EditCol = 0;
    std::shared_ptr<SceneNode> EditShape;
  };

  explicit MaterialsSection(PanelContext& context);
  MaterialsSection(const MaterialsSection&) = delete;
  MaterialsSection& operator=(const MaterialsSection&) = delete;

  // The grid reaches 45 twips past the panel's right edge (`width`), so that
  // its own border falls outside the panel and it looks flush with it.
  void Resize(Long width);
  // Lets go of the shape of a cell edit that never ended.
  void Release() { edit_.EditShape.reset(); }

  // Places fraMaterial at `Top` (twips inside fraShapeProperties), sizes it
  // and the grid to the panel's height, and writes the header row.
  void LoadMaterialGrid(Long& Top);
  // One row per material of the first selected shape.
  void FillMaterialRows();

  // The grid's cell click: acts on the current cell by its column.
  void CellClicked();
  // Lays the text box over the current cell, shows it and gives it the
  // focus, copying the cell's text into it when asked. The edit runs until
  // the box loses the focus.
  void ShowMaterialEditor(bool& CopyCellText);
  // Gives `material` the colour `colour` (0x00BBGGRR), keeping its alpha and
  // the diffuse and ambient percentages it had.
  void ApplyMaterialColour(std::shared_ptr<Material>& material, Colour& colour);

  // The cell edit in progress (valid only while one runs).
  CellEdit& Edit() { return edit_; }

 private:
  // The row loader's work for material `index`, in grid row index + 1.
  struct RowSources;
  void FillRow(const RowSources& sources, SceneNode& node, Long index);

  // CellClicked for the colour column and for a map column: ask the
  // chooser, then change the material of the clicked row of `node` in one
  // transaction.
  void PickColour(SceneNode& node);
  void PickMapFile(SceneNode& node, const MapColumn& column);

  // The text box's handlers.
  void EntryGotFocus();
  void EntryKeyPress(Integer& key_ascii);
  void EntryLostFocus();
  // Writes the number `value` of a numeric column (the blend, a level or
  // the transparency) into `material`. The text as typed goes to the level
  // setters, which read it themselves.
  void WriteNumber(const std::shared_ptr<Material>& material, Long value);

  PanelContext& context_;
  SectionWidgets widgets_;
  // Typed handles to the widgets of its own table that it works with.
  Frame& fraMaterial = widgets_.Get<Frame>("fraMaterial");
  FlexGrid& msgMaterialAttributes =
      widgets_.Get<FlexGrid>("msgMaterialAttributes");
  TextBox& txtMaterialAttributeEntry =
      widgets_.Get<TextBox>("txtMaterialAttributeEntry");
  ImageList& ilsImageList = widgets_.Get<ImageList>("ilsImageList");
  // The last material field the scene names (-1: none), as the header was
  // last written: the row loader fills the custom columns up to it.
  Long LastMaterialField = 0;
  CellEdit edit_;
};

}  // namespace morvel

#endif  // MORVEL_SECTIONS_MATERIALS_MATERIALS_SECTION_H_

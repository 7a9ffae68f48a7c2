// The editors of the material grid: a click on a cell, the colour and map
// choosers it opens, and the text box laid over the other cells.
#include <optional>
#include <string>

#include "base/error.h"
#include "base/numbers.h"
#include "kit/colour.h"
#include "kit/section_layout.h"
#include "kit/selection.h"
#include "kit/transaction.h"
#include "sections/materials/material_columns.h"
#include "sections/materials/materials_section.h"
#include "widgets/text_util.h"

namespace morvel {
namespace {

// The text box stands this far right of the cell's left edge (and is that
// much narrower than the cell), and this far below the cell's middle.
constexpr Long kEntryIndent = 60;
constexpr Long kEntryDrop = 15;

// A typed text as a whole number: locale-aware, rounded half to even.
// Nothing for a text that is not a number or does not fit a Long.
std::optional<Long> TextAsWholeNumber(const std::string& text) {
  try {
    return RoundToLong(TextToDouble(text));
  } catch (const Error&) {
    return std::nullopt;
  }
}

// What the numeric columns accept: a whole percentage.
std::optional<Long> TypedPercentage(const std::string& text) {
  std::optional<Long> value = TextAsWholeNumber(text);
  if (value && (*value < 0 || *value > 100)) return std::nullopt;
  return value;
}

}  // namespace

void MaterialsSection::CellClicked() {
  WithPropertiesSource([&] {
    std::shared_ptr<SceneNode> node =
        FirstSelected(context_, &SceneGraph::GetSelectedNode);
    Long col = msgMaterialAttributes.Col();
    if (col == kColourCol) {
      PickColour(*node);
    } else if (const MapColumn* column = MapColumnAt(col)) {
      PickMapFile(*node, *column);
    } else {
      // The blend, the levels and the custom fields are typed in; the edit
      // ends when the text box loses the focus.
      bool copy_cell_text = true;
      ShowMaterialEditor(copy_cell_text);
    }
  });
}

void MaterialsSection::PickColour(SceneNode& node) {
  FlexGrid& grid = msgMaterialAttributes;
  std::shared_ptr<Scene> scene = context_.ActiveScene();
  Long owner = scene->DialogOwner();
  std::string application_key = scene->ApplicationRegistryKey();
  ColourChoice choice = context_.DialogUtil()->ChooseColour(
      owner, application_key, grid.CellBackColor());
  // A cancelled chooser, or the colour the cell already has, changes
  // nothing and tells the host nothing.
  if (choice.result != kChooseColourAccepted ||
      choice.colour == grid.CellBackColor()) {
    return;
  }
  Colour colour = choice.colour;
  grid.SetCellBackColor(colour);
  SceneTransaction transaction(context_, kLayerSysMaterialUpdate);
  std::shared_ptr<Material> material = node.GetMaterial(grid.Row() - 1);
  ApplyMaterialColour(material, colour);
  transaction.Commit(false);
}

void MaterialsSection::PickMapFile(SceneNode& node, const MapColumn& column) {
  FlexGrid& grid = msgMaterialAttributes;
  // New maps are made with the blend the row shows.
  grid.SetCol(kBlendCol);
  Long blend = RoundToLong(TextToDouble(grid.Text()));
  grid.SetCol(column.col);
  std::shared_ptr<Material> material = node.GetMaterial(grid.Row() - 1);
  Required(material);

  std::shared_ptr<Scene> scene = context_.ActiveScene();
  Long owner = scene->DialogOwner();
  std::string application_key = scene->ApplicationRegistryKey();
  std::shared_ptr<SceneUtility> util = context_.SceneUtil();
  Integer default_setting_b = util->DefaultMapSettingB();
  // The answer is used as it comes: an empty one takes the map away.
  std::string path = context_.DialogUtil()->ChooseMapFile(
      owner, application_key, 0, default_setting_b);

  SceneTransaction transaction(context_, kLayerSysMaterialUpdate);
  MapPaths paths;
  Long setting_a = 0;
  Integer setting_b = 0;
  if (std::shared_ptr<MaterialMaps> maps = material->Maps()) {
    paths = PathsOf(*maps);
    setting_a = maps->MapSettingA();
    setting_b = maps->MapSettingB();
  } else {
    // A material's first maps are set up as the chooser was.
    setting_a = owner;
    setting_b = default_setting_b;
  }
  paths[static_cast<std::size_t>(column.map - 1)] = path;
  std::shared_ptr<MapBuilder> builder = scene->MapBuilder();
  material->SetMaps(
      CreateMapsFrom(*Required(builder), paths, setting_a, setting_b, blend));

  // The cell shows the new map; a thumbnail that cannot be made now is the
  // edit's failure, unlike in the row loader.
  Picture picture;
  if (std::shared_ptr<MaterialMaps> maps = material->Maps()) {
    picture =
        ((*maps).*column.thumbnail)(context_.State().picture_utility,
                                    scene->ThumbnailCache(), kThumbnailSize);
  }
  grid.SetCellPicture(std::move(picture));
  transaction.Commit(false);
}

void MaterialsSection::ShowMaterialEditor(bool& CopyCellText) {
  WithPropertiesSource([&] {
    FlexGrid& grid = msgMaterialAttributes;
    TextBox& entry = txtMaterialAttributeEntry;
    CellEdit& edit = edit_;
    // The shape is captured now: whatever is selected when the edit ends,
    // the value goes to the material that was clicked.
    edit.EditShape =
        FirstSelectedOrNull(context_, &SceneGraph::GetSelectedNode);
    Long row = grid.Row();
    Long col = grid.Col();
    entry.SetLeft(RoundToLong(static_cast<double>(grid.Left()) +
                              grid.ColPos(col) + kEntryIndent));
    // Centred on the cell, a little low, halves rounded to even like every
    // twip the panel computes.
    entry.SetTop(RoundToLong(static_cast<double>(grid.Top()) +
                             grid.RowPos(row) + grid.RowHeight(row) / 2.0 -
                             entry.Height() / 2.0 + kEntryDrop));
    entry.SetWidth(CheckedAdd(grid.ColWidth(col), -kEntryIndent));
    if (CopyCellText) entry.SetText(grid.Text());
    entry.SetVisible(true);
    context_.Widgets().SetFocus(&entry);
    edit.EditRow = grid.Row();
    edit.EditCol = grid.Col();
  });
}

void MaterialsSection::EntryGotFocus() {
  // Typing replaces the value rather than adding to it.
  TextBox& entry = txtMaterialAttributeEntry;
  entry.SetSelection(0, CharCount(entry.Text()));
}

void MaterialsSection::EntryKeyPress(Integer& key_ascii) {
  RefusePipeKey(key_ascii);
}

void MaterialsSection::EntryLostFocus() {
  WithPropertiesSource([&] {
    FlexGrid& grid = msgMaterialAttributes;
    TextBox& entry = txtMaterialAttributeEntry;
    CellEdit& edit = edit_;
    // The person may have clicked another cell to end the edit: that cell
    // is current again once the edited one is written.
    Long clicked_col = grid.Col();
    Long clicked_row = grid.Row();
    grid.SetCol(edit.EditCol);
    grid.SetRow(edit.EditRow);

    std::optional<SceneTransaction> transaction;
    if (grid.Col() < kFirstCustomCol) {
      // A number from 0 to 100 that differs from the cell's; anything else
      // is dropped without a word, and the cell keeps its value.
      std::optional<Long> value = TypedPercentage(entry.Text());
      if (value && value != TextAsWholeNumber(grid.Text())) {
        transaction.emplace(context_, kLayerSysMaterialUpdate);
        grid.SetText(LongToText(*value));
        std::shared_ptr<Material> material =
            Required(edit.EditShape)->GetMaterial(grid.Row() - 1);
        WriteNumber(material, *value);
      }
    } else if (entry.Text() != grid.Text()) {
      transaction.emplace(context_, kLayerSysMaterialUpdate);
      grid.SetText(entry.Text());
      std::shared_ptr<Material> material =
          Required(edit.EditShape)->GetMaterial(grid.Row() - 1);
      Required(material)->SetFieldValue(grid.Col() - kFirstCustomCol,
                                        entry.Text());
    }

    entry.SetVisible(false);
    grid.SetCol(clicked_col);
    grid.SetRow(clicked_row);
    if (transaction) transaction->Commit(false);
    edit.EditShape.reset();
  });
}

void MaterialsSection::WriteNumber(const std::shared_ptr<Material>& material,
                                   Long value) {
  FlexGrid& grid = msgMaterialAttributes;
  Material& target = *Required(material);
  const std::string& typed = txtMaterialAttributeEntry.Text();
  // The levels apply to the colour the row shows.
  auto row_colour = [&grid](Long back_to) {
    grid.SetCol(kColourCol);
    Colour colour = grid.CellBackColor();
    grid.SetCol(back_to);
    return colour;
  };
  switch (grid.Col()) {
    case kBlendCol: {
      // The blend lives in the maps: a material without maps has nothing
      // to blend and keeps what it has.
      std::shared_ptr<MaterialMaps> maps = target.Maps();
      if (!maps) break;
      MapPaths paths = PathsOf(*maps);
      Long setting_a = maps->MapSettingA();
      Integer setting_b = maps->MapSettingB();
      std::shared_ptr<MapBuilder> builder =
          context_.ActiveScene()->MapBuilder();
      target.SetMaps(CreateMapsFrom(*Required(builder), paths, setting_a,
                                    setting_b, value));
      break;
    }
    case kDiffuseCol:
      context_.SceneUtil()->SetDiffuseLevel(material, typed,
                                            row_colour(kDiffuseCol));
      break;
    case kAmbientCol:
      context_.SceneUtil()->SetAmbientLevel(material, typed,
                                            row_colour(kAmbientCol));
      break;
    case kSpecularCol:
      context_.SceneUtil()->SetSpecularLevel(material, typed);
      break;
    case kTransparencyCol: {
      ColourValue colour = target.GetColourComponents();
      target.SetColourComponents(colour.Red, colour.Green, colour.Blue,
                                 static_cast<Single>(1.0 - value / 100.0));
      break;
    }
    default:
      break;
  }
}

void MaterialsSection::ApplyMaterialColour(std::shared_ptr<Material>& material,
                                           Colour& colour) {
  WithPropertiesSource([&] {
    Material& target = *Required(material);
    std::shared_ptr<SceneUtility> util = context_.SceneUtil();
    // The percentages are read against the old colour, before it changes,
    // and written against the new one, so the numbers the grid shows stay.
    Long ambient = util->GetAmbientLevel(material, target.Colour());
    Long diffuse = util->GetDiffuseLevel(material, target.Colour());
    ColourValue old = target.GetColourComponents();
    const ColourComponents picked = UnpackColour(colour);
    target.SetColourComponents(picked.red, picked.green, picked.blue,
                               old.Alpha);
    util->SetAmbientLevel(material, LongToText(ambient), colour);
    util->SetDiffuseLevel(material, LongToText(diffuse), colour);
  });
}

}  // namespace morvel

#include "sections/materials/materials_section.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "base/error.h"
#include "base/numbers.h"
#include "kit/colour.h"
#include "kit/section_layout.h"
#include "kit/selection.h"
#include "kit/transaction.h"
#include "sections/materials/material_columns.h"
#include "sections/materials/materials_layout.h"

namespace morvel {
namespace {

// A material row is 33 pixels high; the header row is drawn 15 pixels high,
// but the grid's height allows 33 pixels for it too.
constexpr Long kRowPixels = 33;
constexpr Long kHeaderRowPixels = 15;
// The frame reaches this far below the grid.
constexpr Long kFrameBottomMargin = 150;
constexpr Long kLevelColumnTwips = 750;
constexpr Long kCustomColumnTwips = 1200;
// Shown for the blend of a material without maps: its own colour and the
// (absent) textures half and half.
constexpr const char* kNoBlendText = "50";
// A blend above this is kept as a percentage, at or below it as a fraction.
constexpr double kBlendPercentageAbove = 1.0001;

// The grid as the designer leaves it: nine columns, none of them fixed. The
// loader sets the real column count for the scene's material fields.
constexpr Long kDesignGridCols = 9;
constexpr Long kDesignGridFixedCols = 0;
// The header pictures of ilsImageList, 1-based as the grid asks for them:
// colour, map 1, map 2, and maps 3 to 6.
constexpr Long kHeaderImageCount = 7;
// The grid reaches this far past the panel's right edge.
constexpr Long kGridOverhang = 45;

// The header of one of the fixed columns: a picture of ilsImageList
// (1-based; 0 for a text header) or a text, and the width, given in pixels
// of the screen or in twips.
struct HeaderColumn {
  Long image;
  const char* text;
  Long pixels;
  Long twips;
};

constexpr HeaderColumn kHeader[kFixedColumnCount] = {
    {1, "", 33, 0},  // the colour
    {2, "", 33, 0},  // map 1
    {3, "", 33, 0},  // map 2
    {0, "%", 26, 0},
    {4, "", 33, 0},  // map 3
    {5, "", 33, 0},  // map 4
    {6, "", 33, 0},  // map 5
    {7, "", 33, 0},  // map 6
    {0, "Diffuse", 0, kLevelColumnTwips},
    {0, "Ambient", 0, kLevelColumnTwips},
    {0, "Specular", 0, kLevelColumnTwips},
    {0, "Trans.", 0, kLevelColumnTwips},
};

// Pixels to twips at `twips_per_pixel`, rounded to a whole twip; error 6
// when that does not fit a Long.
Long PixelsToTwips(Long pixels, Long twips_per_pixel) {
  return RoundToLong(static_cast<double>(pixels) * twips_per_pixel);
}

const ScreenMetrics& Metrics(const PanelContext& context) {
  return *Required(context.Platform().metrics);
}

// The "%" column: the share of the material's own colour, from the maps'
// blend, which is a fraction or (above 1.0001) a percentage of the
// textures.
std::string BlendText(Single blend) {
  if (static_cast<double>(blend) > kBlendPercentageAbove) {
    return LongToText(RoundToLong(100.0f - blend));
  }
  return LongToText(RoundToLong(100.0f - 100.0f * blend));
}

// "Trans.": the transparency in whole percent. The opacity is rounded to a
// 16-bit whole number first, so an alpha far outside 0..1 is error 6.
std::string TransparencyText(Single alpha) {
  Integer opacity = RoundToInteger(alpha * 100.0f);
  return LongToText(100 - Long{opacity});
}

}  // namespace

// What every row of one fill shares, fetched once before the first row.
struct MaterialsSection::RowSources {
  SceneUtility& util;
  std::shared_ptr<PictureUtility> pictures;
  // Null when the scene would not give its cache: the thumbnails then fail,
  // and a failed thumbnail is no picture.
  std::shared_ptr<ThumbnailCache> cache;
  Long row_height;
  Long last_field;
};

MaterialsSection::MaterialsSection(PanelContext& context)
    : context_(context), widgets_(context.Widgets(), MaterialsLayout()) {
  msgMaterialAttributes.SetCols(kDesignGridCols);
  msgMaterialAttributes.SetFixedCols(kDesignGridFixedCols);
  for (Long i = 1; i <= kHeaderImageCount; ++i) {
    ilsImageList.Add("image:" + std::to_string(i));
  }
  msgMaterialAttributes.on_cell_clicked = [this] { CellClicked(); };
  txtMaterialAttributeEntry.on_got_focus = [this] { EntryGotFocus(); };
  txtMaterialAttributeEntry.on_key_press = [this](Integer& key_ascii) {
    EntryKeyPress(key_ascii);
  };
  txtMaterialAttributeEntry.on_lost_focus = [this] { EntryLostFocus(); };
}

void MaterialsSection::Resize(Long width) {
  msgMaterialAttributes.SetWidth(CheckedAdd(width, kGridOverhang));
}

void MaterialsSection::LoadMaterialGrid(Long& Top) {
  WithPropertiesSource([&] {
    FlexGrid& grid = msgMaterialAttributes;
    fraMaterial.SetTop(Top);
    grid.SetFixedCols(0);

    // The grid takes the rest of the panel below the frame's top, in whole
    // rows, and always shows at least one material.
    double row =
        static_cast<double>(kRowPixels) * Metrics(context_).TwipsPerPixelY();
    Long available =
        RoundToLong(static_cast<double>(context_.Container().OuterHeight()) -
                    Top - row - grid.Top());
    if (row == 0) RaiseError(kErrDivisionByZero, "Division by zero");
    double fitting = std::floor(available / row);
    Long rows = fitting < 1 ? 1 : RoundToLong(fitting);
    grid.SetHeight(RoundToLong(row + rows * row));
    fraMaterial.SetHeight(RoundToLong(static_cast<double>(grid.Top()) +
                                      grid.Height() + kFrameBottomMargin));

    // Every field up to the last named one gets a column, so a field keeps
    // its column even when a field before it has no name.
    std::vector<std::string> names =
        context_.ActiveScene()->MaterialFieldNames();
    Long& last = LastMaterialField;
    last = -1;
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (!names[i].empty()) {
        if (i > static_cast<std::size_t>(std::numeric_limits<Long>::max())) {
          RaiseError(kErrOverflow);
        }
        last = static_cast<Long>(i);
      }
    }

    grid.Clear();
    grid.SetRows(2);
    grid.SetRow(0);
    grid.SetCols(CheckedAdd(last, kFixedColumnCount + 1));
    Long twips_per_pixel = Metrics(context_).TwipsPerPixelX();
    for (Long c = 0; c < kFixedColumnCount; ++c) {
      const HeaderColumn& header = kHeader[c];
      grid.SetCol(c);
      if (header.image > 0) {
        grid.SetCellPicture(ilsImageList.ListImage(header.image));
      } else {
        grid.SetText(header.text);
      }
      grid.SetColWidth(c, header.pixels > 0
                              ? PixelsToTwips(header.pixels, twips_per_pixel)
                              : header.twips);
    }
    for (Long k = 0; k <= last; ++k) {
      Long col = kFirstCustomCol + k;
      grid.SetCol(col);
      grid.SetText(names[static_cast<std::size_t>(k)]);
      grid.SetColWidth(col, kCustomColumnTwips);
    }
    grid.SetRedraw(true);
  });
}

void MaterialsSection::FillMaterialRows() {
  WithPropertiesSource([&] {
    FlexGrid& grid = msgMaterialAttributes;
    // The grid is drawn once, when every row is in.
    grid.SetRedraw(false);
    std::shared_ptr<SceneNode> node =
        FirstSelected(context_, &SceneGraph::GetSelectedNode);
    Long count = node->MaterialCount();
    grid.SetRows(CheckedAdd(count, 1));
    grid.SetRow(0);
    Long twips_per_pixel = Metrics(context_).TwipsPerPixelY();
    grid.SetRowHeight(0, PixelsToTwips(kHeaderRowPixels, twips_per_pixel));

    std::shared_ptr<SceneUtility> util = context_.SceneUtil();
    RowSources sources{*util, context_.State().picture_utility, nullptr,
                       PixelsToTwips(kRowPixels, twips_per_pixel),
                       LastMaterialField};
    Quietly([&] { sources.cache = context_.ActiveScene()->ThumbnailCache(); });
    for (Long i = 0; i < count; ++i) FillRow(sources, *node, i);
    grid.SetRedraw(true);
  });
}

void MaterialsSection::FillRow(const RowSources& sources, SceneNode& node,
                               Long index) {
  FlexGrid& grid = msgMaterialAttributes;
  SceneUtility& util = sources.util;
  std::shared_ptr<Material> material = node.GetMaterial(index);
  Required(material);
  Long row = index + 1;
  grid.SetRow(row);
  grid.SetRowHeight(row, sources.row_height);

  grid.SetCol(kColourCol);
  Colour colour = material->Colour();
  // As the scene has it: a component beyond 0..1 is not held to a byte.
  grid.SetCellBackColor(
      PackColour(util.ColourRed(colour), util.ColourGreen(colour),
                 util.ColourBlue(colour), ChannelRange::kAsStored));

  // A material without maps, or whose maps cannot be read, shows no
  // thumbnails and the neutral blend; neither stops the list.
  std::shared_ptr<MaterialMaps> maps;
  Quietly([&] { maps = material->Maps(); });
  for (const MapColumn& column : kMapColumns) {
    grid.SetCol(column.col);
    Picture picture;
    if (maps) {
      Quietly([&] {
        picture = ((*maps).*column.thumbnail)(sources.pictures, sources.cache,
                                              kThumbnailSize);
      });
    }
    grid.SetCellPicture(std::move(picture));
  }

  grid.SetCol(kBlendCol);
  grid.SetCellAlignment(kNumberAlignment);
  std::string blend = kNoBlendText;
  if (maps) Quietly([&] { blend = BlendText(maps->Blend()); });
  grid.SetText(std::move(blend));

  grid.SetCol(kDiffuseCol);
  grid.SetCellAlignment(kNumberAlignment);
  grid.SetText(LongToText(util.GetDiffuseLevel(material, colour)));
  grid.SetCol(kAmbientCol);
  grid.SetCellAlignment(kNumberAlignment);
  grid.SetText(LongToText(util.GetAmbientLevel(material, colour)));
  grid.SetCol(kSpecularCol);
  grid.SetCellAlignment(kNumberAlignment);
  grid.SetText(LongToText(util.GetSpecularLevel(material)));
  grid.SetCol(kTransparencyCol);
  grid.SetCellAlignment(kNumberAlignment);
  grid.SetText(TransparencyText(util.ColourAlpha(colour)));

  for (Long k = 0; k <= sources.last_field; ++k) {
    grid.SetCol(kFirstCustomCol + k);
    grid.SetText(material->GetFieldValue(k));
  }
}

MapPaths PathsOf(MaterialMaps& maps) {
  return {maps.MapPath1(), maps.MapPath2(), maps.MapPath3(),
          maps.MapPath4(), maps.MapPath5(), maps.MapPath6()};
}

std::shared_ptr<MaterialMaps> CreateMapsFrom(MapBuilder& builder,
                                             const MapPaths& paths,
                                             Long setting_a, Integer setting_b,
                                             Long blend) {
  return builder.CreateMaps(paths[0], setting_a, setting_b, paths[2], paths[1],
                            blend, paths[3], paths[4], paths[5], "");
}

}  // namespace morvel

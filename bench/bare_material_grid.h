#ifndef MORVEL_BENCH_BARE_MATERIAL_GRID_H_
#define MORVEL_BENCH_BARE_MATERIAL_GRID_H_

// The material list's scene reads and grid writes, written straight (no
// error handling, no shared helpers), for the benchmarks to measure the
// panel beside: the header the shape loader has written for it, then one row
// per material of the first selected shape.

#include <memory>
#include <string>
#include <vector>

#include "base/numbers.h"
#include "memscene/mem_scene_graph.h"
#include "scene/scene.h"
#include "widgets/widget.h"

namespace morvel::bench {

// The header row: columns for the scene's material fields, the pictures,
// texts and widths at 15 twips a pixel, and the frame's and grid's heights
// for a panel `outer_height` high with the frame at `top`.
inline void BareMaterialHeader(SceneGraph& graph, Frame& frame, FlexGrid& grid,
                               Long outer_height, Long top) {
  constexpr Long kTpp = 15;
  frame.SetTop(top);
  grid.SetFixedCols(0);
  Long rows = (outer_height - top - 33 * kTpp - grid.Top()) / (33 * kTpp);
  if (rows < 1) rows = 1;
  grid.SetHeight(33 * kTpp + rows * 33 * kTpp);
  frame.SetHeight(grid.Top() + grid.Height() + 150);
  std::vector<std::string> names = graph.GetActiveScene()->MaterialFieldNames();
  Long last = -1;
  for (std::size_t i = 0; i < names.size(); ++i)
    if (!names[i].empty()) last = static_cast<Long>(i);
  grid.Clear();
  grid.SetRows(2);
  grid.SetRow(0);
  grid.SetCols(last + 13);
  static constexpr const char* kTexts[] = {
      "", "", "",        "%",       "",         "",
      "", "", "Diffuse", "Ambient", "Specular", "Trans."};
  static constexpr Long kImages[] = {1, 2, 3, 0, 4, 5, 6, 7, 0, 0, 0, 0};
  for (Long c = 0; c < 12; ++c) {
    grid.SetCol(c);
    if (kImages[c] != 0) {
      grid.SetCellPicture(ImageListPicture(kImages[c]));
    } else {
      grid.SetText(kTexts[c]);
    }
    grid.SetColWidth(c, c >= 8 ? 750 : (c == 3 ? 26 : 33) * kTpp);
  }
  for (Long k = 0; k <= last; ++k) {
    grid.SetCol(12 + k);
    grid.SetText(names[static_cast<std::size_t>(k)]);
    grid.SetColWidth(12 + k, 1200);
  }
  grid.SetRedraw(true);
}

// The rows, with the custom field columns 12 to 12 + `last_field`.
inline void BareMaterialRows(SceneGraph& graph, FlexGrid& grid,
                             Long last_field) {
  using Getter =
      Picture (MaterialMaps::*)(const std::shared_ptr<PictureUtility>&,
                                const std::shared_ptr<ThumbnailCache>&, Long);
  static constexpr struct {
    Long col;
    Getter get;
  } kMaps[] = {{1, &MaterialMaps::GetMapThumbnail1},
               {2, &MaterialMaps::GetMapThumbnail2},
               {4, &MaterialMaps::GetMapThumbnail3},
               {5, &MaterialMaps::GetMapThumbnail4},
               {6, &MaterialMaps::GetMapThumbnail5},
               {7, &MaterialMaps::GetMapThumbnail6}};
  grid.SetRedraw(false);
  std::shared_ptr<SceneNode> node =
      graph.GetSelectedNode(graph.GetActiveScene()->SelectionList(), 0);
  Long count = node->MaterialCount();
  grid.SetRows(count + 1);
  grid.SetRow(0);
  grid.SetRowHeight(0, 225);
  SceneUtility& util = *SharedSceneUtility();
  std::shared_ptr<PictureUtility> pictures = CreatePictureUtility();
  std::shared_ptr<ThumbnailCache> cache =
      graph.GetActiveScene()->ThumbnailCache();
  for (Long i = 0; i < count; ++i) {
    std::shared_ptr<Material> material = node->GetMaterial(i);
    grid.SetRow(i + 1);
    grid.SetRowHeight(i + 1, 495);
    grid.SetCol(0);
    Colour colour = material->Colour();
    grid.SetCellBackColor(RoundToLong(util.ColourBlue(colour) * 255.0f) *
                              65536 +
                          RoundToLong(util.ColourGreen(colour) * 255.0f) * 256 +
                          RoundToLong(util.ColourRed(colour) * 255.0f));
    std::shared_ptr<MaterialMaps> maps = material->Maps();
    for (const auto& map : kMaps) {
      grid.SetCol(map.col);
      grid.SetCellPicture(maps ? ((*maps).*map.get)(pictures, cache, 32)
                               : Picture());
    }
    grid.SetCol(3);
    grid.SetCellAlignment(1);
    grid.SetText(maps ? LongToText(RoundToLong(100.0f - 100.0f * maps->Blend()))
                      : "50");
    grid.SetCol(8);
    grid.SetCellAlignment(1);
    grid.SetText(LongToText(util.GetDiffuseLevel(material, colour)));
    grid.SetCol(9);
    grid.SetCellAlignment(1);
    grid.SetText(LongToText(util.GetAmbientLevel(material, colour)));
    grid.SetCol(10);
    grid.SetCellAlignment(1);
    grid.SetText(LongToText(util.GetSpecularLevel(material)));
    grid.SetCol(11);
    grid.SetCellAlignment(1);
    grid.SetText(
        LongToText(100 - RoundToLong(util.ColourAlpha(colour) * 100.0f)));
    for (Long k = 0; k <= last_field; ++k) {
      grid.SetCol(12 + k);
      grid.SetText(material->GetFieldValue(k));
    }
  }
  grid.SetRedraw(true);
}

}  // namespace morvel::bench

#endif  // MORVEL_BENCH_BARE_MATERIAL_GRID_H_

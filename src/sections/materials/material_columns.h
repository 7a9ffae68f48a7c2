#ifndef MORVEL_SECTIONS_MATERIALS_MATERIAL_COLUMNS_H_
#define MORVEL_SECTIONS_MATERIALS_MATERIAL_COLUMNS_H_

#include <array>
#include <memory>
#include <string>

#include "base/types.h"
#include "scene/scene.h"

// The columns of the material grid, shared by the loaders that fill it and
// the editors that write its cells back. Row r shows material r - 1; row 0
// is the header.
namespace morvel {

inline constexpr Long kColourCol = 0;
inline constexpr Long kBlendCol = 3;
inline constexpr Long kDiffuseCol = 8;
inline constexpr Long kAmbientCol = 9;
inline constexpr Long kSpecularCol = 10;
inline constexpr Long kTransparencyCol = 11;
// Custom material field k is column kFirstCustomCol + k.
inline constexpr Long kFirstCustomCol = 12;
// The columns every grid has, before the custom ones.
inline constexpr Long kFixedColumnCount = 12;

// Numeric cells are drawn with the grid's alignment 1.
inline constexpr Integer kNumberAlignment = 1;
// Thumbnails are asked for at this size, in pixels.
inline constexpr Long kThumbnailSize = 32;

// A map column: which of the six maps it shows and the getter of its
// thumbnail. The maps do not run left to right in map order: the blend
// column sits between maps 2 and 3.
using ThumbnailGetter =
    Picture (MaterialMaps::*)(const std::shared_ptr<PictureUtility>&,
                              const std::shared_ptr<ThumbnailCache>&, Long);

struct MapColumn {
  Long col;
  Long map;  // 1 to 6
  ThumbnailGetter thumbnail;
};

inline constexpr MapColumn kMapColumns[] = {
    {1, 1, &MaterialMaps::GetMapThumbnail1},
    {2, 2, &MaterialMaps::GetMapThumbnail2},
    {4, 3, &MaterialMaps::GetMapThumbnail3},
    {5, 4, &MaterialMaps::GetMapThumbnail4},
    {6, 5, &MaterialMaps::GetMapThumbnail5},
    {7, 6, &MaterialMaps::GetMapThumbnail6},
};

// The map column at `col`, or null for a column that shows no map.
inline const MapColumn* MapColumnAt(Long col) {
  for (const MapColumn& column : kMapColumns) {
    if (column.col == col) return &column;
  }
  return nullptr;
}

// The six map files, map 1 first.
using MapPaths = std::array<std::string, 6>;

// The files of an existing maps object, map 1 first.
MapPaths PathsOf(MaterialMaps& maps);

// New maps from the builder. The builder takes its files out of map order
// (map 1, the settings, map 3, map 2, the blend, maps 4 to 6); this is the
// one place that knows it. The last argument is reserved and always empty.
std::shared_ptr<MaterialMaps> CreateMapsFrom(MapBuilder& builder,
                                             const MapPaths& paths,
                                             Long setting_a, Integer setting_b,
                                             Long blend);

}  // namespace morvel

#endif  // MORVEL_SECTIONS_MATERIALS_MATERIAL_COLUMNS_H_

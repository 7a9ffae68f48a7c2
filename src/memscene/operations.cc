#include <algorithm>
#include <string_view>
#include <vector>

#include "memscene/mem_scene_graph.h"
#include "memscene/scene_keys.h"

namespace morvel {
namespace {

// Every name a planned failure can take: the operations of the reference
// scene graph, its applier and its shared utilities, as each checks its
// faults (a method by its name, a property read by its name, a write by Set
// and the name), and the mesh operations the applier runs. The reads and
// writes of the scene's properties come from their tables (scene_keys.cc);
// these are the rest, sorted. A name missing here makes a fault on that
// operation fail loudly as unknown; it can never make a fault pass silently.
constexpr std::string_view kOperations[] = {
    "Bone",
    "ChooseColour",
    "ChooseMapFile",
    "ColourAlpha",
    "ColourBlue",
    "ColourGreen",
    "ColourRed",
    "Crease",
    "CreateMaps",
    "DefaultMapSettingB",
    "DivideSmooth",
    "EulerToOrientation",
    "GetActiveScene",
    "GetColourComponents",
    "GetDisplayAsBoxState",
    "GetDrawNormalsState",
    "GetDrawPointsState",
    "GetDrawTranslucentState",
    "GetLightOfNode",
    "GetLockedState",
    "GetMapThumbnail1",
    "GetMapThumbnail2",
    "GetMapThumbnail3",
    "GetMapThumbnail4",
    "GetMapThumbnail5",
    "GetMapThumbnail6",
    "GetOperationParameters",
    "GetSelectedBone",
    "GetSelectedCamera",
    "GetSelectedGroup",
    "GetSelectedLight",
    "GetSelectedNode",
    "GetSelectionCount",
    "GetShadowlessState",
    "Hierarchy",
    "LoadThumbnail",
    "MakeColour",
    "MakeVector",
    "MapBuilder",
    "MapPath1",
    "MapPath2",
    "MapPath3",
    "MapPath4",
    "MapPath5",
    "MapPath6",
    "MaterialCount",
    "Mirror",
    "ObjectRef",
    "OrientationToEuler",
    "RefreshSelection",
    "Remainder",
    "SelectionNeedsRefresh",
    "ThumbnailCache",
};

const std::vector<std::string_view>& AllOperations() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> all = mem::KeyOperations();
    all.insert(all.end(), std::begin(kOperations), std::end(kOperations));
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
  }();
  return names;
}

}  // namespace

std::span<const std::string_view> MemSceneGraph::OperationNames() {
  return AllOperations();
}

bool MemSceneGraph::HasOperation(std::string_view name) {
  const auto& names = AllOperations();
  return std::binary_search(names.begin(), names.end(), name);
}

}  // namespace morvel

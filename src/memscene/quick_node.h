#ifndef MORVEL_MEMSCENE_QUICK_NODE_H_
#define MORVEL_MEMSCENE_QUICK_NODE_H_

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "memscene/scene_keys.h"
#include "memscene/state.h"

// The scene file reader's quick path. Nearly every node of a big file is
// plain: ASCII names, short decimal numbers, the keys its kind has, each
// once, with values of the right type. Such a node is read here straight
// from the bytes into records of its kind, with no parsed JSON between (a
// million-node file spends most of its load there otherwise).
//
// The quick reader judges nothing. Whatever is not plain (an escape, a
// character beyond ASCII, a key it does not know, a value of another type
// or out of range, a node longer than the bytes it was shown) makes it give
// the node back untouched, and the full reader reads that node as it reads
// every node: so a node is accepted, and a fault is worded, exactly as if
// the quick path did not exist.
namespace morvel::mem {

// A node as the quick reader took it, to be added to the scene by its
// caller. The records are the reader's own and are reused: the caller swaps
// them with the scene's fresh ones, which leaves defaults behind.
struct QuickNode {
  std::string_view name;  // within the bytes read
  Long kind = 0;
  std::optional<std::string_view> parent;  // within the bytes read
  NodeData node;  // every value but the name, kind, parent and ext
  ShapeData shape;
  GroupData group;  // groups and bones
  LightData light;
  CameraData camera;

  // How much of the bytes the node took (up to its closing brace), the
  // line ends among them, and where the last line began.
  std::size_t bytes = 0;
  std::uint64_t lines = 0;
  std::size_t line_start = 0;

  std::vector<std::string_view> texts;  // the reader's scratch
  // The index the node's name will be looked up in: its place is fetched
  // into the cache as soon as the name is read, while the rest of the node
  // is being read (a million-node index lives far outside the cache).
  const NameIndex* names = nullptr;

  // The records being read into (only the kind's own is set).
  NodeRecord Record();
  // Trades the kind's record with the scene's `scene`, which is fresh: the
  // values read go to the scene and defaults come back.
  void SwapRecord(const NodeRecord& scene);
  // Back to defaults, after a node given back half read.
  void Clear();
};

// Reads the node at the front of `bytes` (blanks first are skipped). False
// for a node that is not plain, with `node`'s records left at their
// defaults: the caller then reads it in full.
bool ReadQuickNode(std::string_view bytes, QuickNode& node);

}  // namespace morvel::mem

#endif  // MORVEL_MEMSCENE_QUICK_NODE_H_

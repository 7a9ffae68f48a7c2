#ifndef MORVEL_APPS_IMGUI_DEMO_OUTLINER_H_
#define MORVEL_APPS_IMGUI_DEMO_OUTLINER_H_

#include <imgui.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/types.h"
#include "memscene/mem_scene_graph.h"

// The demo's outliner: the scene's nodes as a tree with a picture of each
// node's kind; a click selects a node, Ctrl+click adds it to (or takes it
// from) the selection. The selection keeps the order in which the nodes
// were picked: the first decides the kind the panel shows.
namespace morvel::imgui_demo {

// A small picture of a node kind (group, shape, light, camera, bone),
// `size` pixels square, at `at`.
void DrawKindIcon(ImDrawList& draw, ImVec2 at, float size, Long kind);

class Outliner {
 public:
  // Draws the tree; true when the person changed `selection`.
  bool Draw(const MemSceneGraph& scene, std::vector<std::string>& selection);
  // The scene's nodes changed (another scene, an undo): the tree is made
  // again at the next Draw.
  void Invalidate() { scene_ = nullptr; }

 private:
  void Index(const MemSceneGraph& scene);
  void DrawNode(const MemSceneGraph& scene, const std::string& name,
                std::vector<std::string>& selection, bool& changed);

  // The tree, made once per scene rather than once a frame.
  const MemSceneGraph* scene_ = nullptr;
  std::vector<std::string> roots_;
  std::unordered_map<std::string, std::vector<std::string>> children_;
};

}  // namespace morvel::imgui_demo

#endif  // MORVEL_APPS_IMGUI_DEMO_OUTLINER_H_

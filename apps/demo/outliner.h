#ifndef MORVEL_APPS_DEMO_OUTLINER_H_
#define MORVEL_APPS_DEMO_OUTLINER_H_

#include <QTreeWidget>
#include <functional>
#include <string>
#include <vector>

namespace morvel {
class MemSceneGraph;
}

namespace morvel::demo {

// The scene's nodes as a tree, each with a picture of its kind; hidden
// nodes dimmed and in italics. A person picks one node, or several with
// Ctrl+click and Shift+click. The outliner keeps the order of picking: the
// node picked first decides what the panel shows, whatever its place in
// the tree.
class SceneOutliner final : public QTreeWidget {
 public:
  explicit SceneOutliner(QWidget* parent);

  // Builds the tree from `scene` (null: empty) and shows its selection.
  void Fill(const MemSceneGraph* scene);
  // Shows the scene's selection and which nodes are hidden, without
  // reporting it as a pick.
  void ShowScene(const MemSceneGraph& scene);
  // The order in which the selected nodes were picked, as the host set the
  // selection (a pick in the viewport, an undo).
  void SetPickOrder(std::vector<std::string> names) {
    pick_order_ = std::move(names);
  }

  // A person changed the selection: the names, in the order picked.
  std::function<void(const std::vector<std::string>& names)> on_pick;

 private:
  void SelectionChanged();

  std::vector<std::string> pick_order_;
  bool filling_ = false;
};

}  // namespace morvel::demo

#endif  // MORVEL_APPS_DEMO_OUTLINER_H_

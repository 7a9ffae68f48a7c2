#ifndef MORVEL_KIT_SELECTION_H_
#define MORVEL_KIT_SELECTION_H_

#include <memory>
#include <type_traits>

#include "base/error.h"
#include "base/types.h"
#include "kit/panel_context.h"
#include "kit/transaction.h"
#include "scene/scene.h"

// Reaching the selected objects. The panel keeps no selection of its own:
// every use fetches the active scene and its selection list afresh, then
// the item, so a host that changed the selection in between is followed.
namespace morvel {

// The scene graph's query for item `index` of a selection list as one kind
// of object: &SceneGraph::GetSelectedNode, GetSelectedGroup,
// GetSelectedBone, GetSelectedLight or GetSelectedCamera.
template <class T>
using SelectedItemQuery = std::shared_ptr<T> (SceneGraph::*)(Long list,
                                                             Long index);

// Item 0 of the selection as `query` hands it out, fetched afresh; null
// when the scene gives none.
template <class T>
std::shared_ptr<T> FirstSelectedOrNull(const PanelContext& context,
                                       SelectedItemQuery<T> query) {
  SceneGraph& graph = context.Graph();
  return (graph.*query)(context.SelectionList(), 0);
}

// The same; error 91 when the scene gives none.
template <class T>
std::shared_ptr<T> FirstSelected(const PanelContext& context,
                                 SelectedItemQuery<T> query) {
  return Required(FirstSelectedOrNull(context, query));
}

// How a walk over the selection reaches its items: with the list fetched
// once, or with the active scene and its list fetched afresh before each
// item (the Lock/Enable and Shadowless editors, which may switch bones and
// lights that change what the scene holds).
enum class SelectionFetch { kOnce, kAfreshForEachItem };

// Calls `visit` with each selected node, in selection order, and returns
// the list it fetched first. `visit` may return false to stop the walk.
// Error 91 for an item the scene does not give.
template <class Visit>
Long ForEachSelectedNode(const PanelContext& context, SelectionFetch fetch,
                         Visit visit) {
  SceneGraph& graph = context.Graph();
  const Long first_list = context.SelectionList();
  const Long count = graph.GetSelectionCount(first_list);
  for (Long i = 0; i < count; ++i) {
    const Long list =
        fetch == SelectionFetch::kOnce ? first_list : context.SelectionList();
    const std::shared_ptr<SceneNode> node =
        Required(graph.GetSelectedNode(list, i));
    if constexpr (std::is_same_v<decltype(visit(*node)), bool>) {
      if (!visit(*node)) break;
    } else {
      visit(*node);
    }
  }
  return first_list;
}

// One "SysProperties" scene change writing to every selected node: `write`
// is called for each, with the list fetched once; `after_writes(list)` runs
// between the last write and the apply.
template <class Write, class AfterWrites>
void WriteToSelection(const PanelContext& context, Write write,
                      AfterWrites after_writes) {
  SceneTransaction transaction(context, kLayerSysProperties);
  const Long list =
      ForEachSelectedNode(context, SelectionFetch::kOnce, std::move(write));
  after_writes(list);
  transaction.Commit(false);
}

template <class Write>
void WriteToSelection(const PanelContext& context, Write write) {
  WriteToSelection(context, std::move(write), [](Long) {});
}

}  // namespace morvel

#endif  // MORVEL_KIT_SELECTION_H_

#ifndef MORVEL_KIT_TRANSACTION_H_
#define MORVEL_KIT_TRANSACTION_H_

#include <string>

#include "kit/panel_context.h"

namespace morvel {

// The layer sources editors announce their changes with.
inline constexpr const char* kLayerSysProperties = "SysProperties";
inline constexpr const char* kLayerSysMaterialUpdate = "SysMaterialUpdate";
inline constexpr const char* kLayerNone = "";

// One scene change, as every editor makes it: constructing it asks the host
// to prepare (evtReqPrepareForSceneChanges with the editor's layer source);
// Commit asks it to apply (evtReqApplySceneChanges). The host records and
// redraws around the writes in between.
//
// A failure between the two leaves the transaction uncommitted: the host has
// a prepare without its apply, and the writes made so far stay in the scene.
// Nothing is rolled back and no apply is raised on the way out, because the
// host's undo is built on complete pairs only.
//
// The few scene writes the panel makes outside a transaction go through the
// helpers of kit/outside_transaction.h, whose names say why.
class SceneTransaction {
 public:
  SceneTransaction(const PanelContext& context, const std::string& layer_source)
      : context_(context) {
    context_.RaisePrepare(layer_source);
  }
  SceneTransaction(const SceneTransaction&) = delete;
  SceneTransaction& operator=(const SceneTransaction&) = delete;

  // Raises the apply, once. HierarchyChanged is False except where an editor
  // changed the shape of the hierarchy (a bone switched on or off).
  void Commit(bool hierarchy_changed = false) {
    if (committed_) return;
    committed_ = true;
    context_.RaiseApply(hierarchy_changed);
  }
  bool Committed() const { return committed_; }

 private:
  const PanelContext& context_;
  bool committed_ = false;
};

}  // namespace morvel

#endif  // MORVEL_KIT_TRANSACTION_H_

#include "sections/shape/display_options.h"

#include <memory>

#include "base/error.h"
#include "kit/transaction.h"
#include "scene/scene.h"
#include "sections/common/draw_mode.h"

namespace morvel {

ShapeDisplayOptions::ShapeDisplayOptions(PanelContext& context)
    : context_(context),
      cboShapeDraw(context.Widgets().Get<ComboBox>("cboShapeDraw")),
      chkShapeDisplayAsBox(
          context.Widgets().Get<CheckBox>("chkShapeDisplayAsBox")),
      chkShapeDrawPoints(context.Widgets().Get<CheckBox>("chkShapeDrawPoints")),
      chkShapeDrawNormals(
          context.Widgets().Get<CheckBox>("chkShapeDrawNormals")),
      chkShapeDrawTranslucent(
          context.Widgets().Get<CheckBox>("chkShapeDrawTranslucent")) {
  ConnectGuardedClick(cboShapeDraw, [this] { DrawClick(); });
  ConnectGuardedClick(chkShapeDisplayAsBox, [this] { DisplayAsBoxClick(); });
  ConnectGuardedClick(chkShapeDrawPoints, [this] { DrawPointsClick(); });
  ConnectGuardedClick(chkShapeDrawNormals, [this] { DrawNormalsClick(); });
  ConnectGuardedClick(chkShapeDrawTranslucent,
                      [this] { DrawTranslucentClick(); });
}

template <class Write, class AfterWrites>
void ShapeDisplayOptions::WriteToSelection(Write write,
                                           AfterWrites after_writes) {
  SceneTransaction transaction(context_, kLayerSysProperties);
  SceneGraph& graph = context_.Graph();
  Long list = context_.SelectionList();
  Long count = graph.GetSelectionCount(list);
  for (Long i = 0; i < count; ++i) {
    std::shared_ptr<SceneNode> node = graph.GetSelectedNode(list, i);
    write(*Required(node));
  }
  after_writes(list);
  transaction.Commit(false);
}

void ShapeDisplayOptions::DrawClick() {
  WriteToSelection(
      [this](SceneNode& node) {
        Long entry = cboShapeDraw.ListIndex();
        // "Mixed" stands for no draw style at all: picking it writes nothing.
        if (entry >= 0 && entry < kDrawModeCount) {
          node.SetDrawStyle(kDrawStyleOfEntry[entry]);
        }
        // Once a real mode is chosen the selection agrees again, so "Mixed"
        // goes.
        if (cboShapeDraw.ListCount() == kMixedEntry + 1 &&
            cboShapeDraw.ListIndex() != kMixedEntry) {
          cboShapeDraw.RemoveItem(kMixedEntry);
        }
      },
      [](Long) {});
}

void ShapeDisplayOptions::DisplayAsBoxClick() {
  WriteToSelection(
      [this](SceneNode& node) {
        node.SetDisplayAsBox(chkShapeDisplayAsBox.Value() == 0 ? 0 : 1);
      },
      [this](Long list) {
        // Boxes and meshes occupy the viewports differently; the scene knows
        // when the selection has to be drawn again.
        SceneGraph& graph = context_.Graph();
        if (graph.SelectionNeedsRefresh(list) != 0)
          graph.RefreshSelection(list);
      });
}

// A grey box (2, the selection disagreed) counts as set, like a checked one.
void ShapeDisplayOptions::DrawPointsClick() {
  WriteToSelection(
      [this](SceneNode& node) {
        node.SetDrawPoints(chkShapeDrawPoints.Value() != 0);
      },
      [](Long) {});
}

void ShapeDisplayOptions::DrawNormalsClick() {
  WriteToSelection(
      [this](SceneNode& node) {
        node.SetDrawNormals(chkShapeDrawNormals.Value() != 0);
      },
      [](Long) {});
}

void ShapeDisplayOptions::DrawTranslucentClick() {
  WriteToSelection(
      [this](SceneNode& node) {
        node.SetDrawTranslucent(chkShapeDrawTranslucent.Value() != 0);
      },
      [](Long) {});
}

}  // namespace morvel

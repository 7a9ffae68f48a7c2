// fraShapeCommonProperties: how the selected shapes are drawn, the draw
// mode and four display switches. Each editor writes its widget's value into
// every selected node in one scene change; the loader (common_section.cc)
// shows the tri-state over the selection.
#include "base/error.h"
#include "kit/editors.h"
#include "kit/selection.h"
#include "scene/scene.h"
#include "sections/common/common_section.h"
#include "sections/common/draw_mode.h"

namespace morvel {

void CommonSection::ConnectDisplayOptions() {
  ConnectGuardedEditor(cboShapeDraw, [this] { DrawClick(); });
  ConnectGuardedEditor(chkShapeDisplayAsBox, [this] { DisplayAsBoxClick(); });
  // A grey box (2, the selection disagreed) counts as set, like a checked
  // one.
  ConnectGuardedEditor(chkShapeDrawPoints, [this] {
    WriteToSelection(context_, [this](SceneNode& node) {
      node.SetDrawPoints(chkShapeDrawPoints.Value() != 0);
    });
  });
  ConnectGuardedEditor(chkShapeDrawNormals, [this] {
    WriteToSelection(context_, [this](SceneNode& node) {
      node.SetDrawNormals(chkShapeDrawNormals.Value() != 0);
    });
  });
  ConnectGuardedEditor(chkShapeDrawTranslucent, [this] {
    WriteToSelection(context_, [this](SceneNode& node) {
      node.SetDrawTranslucent(chkShapeDrawTranslucent.Value() != 0);
    });
  });
}

void CommonSection::FillFixedLists() {
  for (Long entry = 0; entry < kDrawModeCount; ++entry) {
    cboShapeDraw.AddItem(kDrawModes[entry].item, entry);
  }
}

void CommonSection::SelectDrawMode(Long render_mode) {
  Long entry = DrawModeEntry(render_mode);
  // "Mixed" is added only to the six fixed modes. Repeated loads of mixed
  // selections would otherwise stack one more "Mixed" per load, and the
  // draw-mode editor takes one away only when the list has exactly seven
  // entries, so the extra ones would stay for good.
  if (entry == kMixedEntry && cboShapeDraw.ListCount() == kMixedEntry) {
    cboShapeDraw.AddItem(kMixedItem, kMixedEntry);
  }
  cboShapeDraw.SetListIndex(entry);
}

void CommonSection::DrawClick() {
  WriteToSelection(context_, [this](SceneNode& node) {
    Long entry = cboShapeDraw.ListIndex();
    // "Mixed" stands for no draw style at all: picking it writes nothing.
    if (entry >= 0 && entry < kDrawModeCount) {
      node.SetDrawStyle(kDrawModes[entry].draw_style);
    }
    // Once a real mode is chosen the selection agrees again, so "Mixed"
    // goes.
    if (cboShapeDraw.ListCount() == kMixedEntry + 1 &&
        cboShapeDraw.ListIndex() != kMixedEntry) {
      cboShapeDraw.RemoveItem(kMixedEntry);
    }
  });
}

void CommonSection::DisplayAsBoxClick() {
  WriteToSelection(
      context_,
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

}  // namespace morvel

#include "sections/shape/shape_section.h"

#include "base/error.h"
#include "panel/transaction.h"

namespace morvel {

ShapeSection::ShapeSection(PanelContext& context, MaterialsSection& materials)
    : context_(context),
      materials_(materials),
      fraShapeProperties(context.Widgets().Get<Frame>("fraShapeProperties")),
      fraGeneral(context.Widgets().Get<Frame>("fraGeneral")),
      fraSmoothing(context.Widgets().Get<Frame>("fraSmoothing")),
      fraMirror(context.Widgets().Get<Frame>("fraMirror")),
      fraClone(context.Widgets().Get<Frame>("fraClone")),
      fraObjectRayTrace(context.Widgets().Get<Frame>("fraObjectRayTrace")),
      custom_rows_(context.Widgets(), "fraCustomShapeFields",
                   "lblCustomShapeFieldName", "txtCustomShapeFieldValue") {}

std::shared_ptr<SceneNode> ShapeSection::SelectedNode() const {
  return Required(context_.Graph().GetSelectedNode(context_.SelectionList(), 0));
}

void ShapeSection::LoadShapeProperties() {
  WithPropertiesSource([&] {
    ShowSectionFrame(fraShapeProperties, context_.Container().InnerHeight());
    // General keeps its designed place at the top; the frames below it are
    // stacked one under the other.
    Long pos = CheckedAdd(CheckedAdd(fraGeneral.Top(), fraGeneral.Height()),
                          -kFrameOverlap);
    StackFrame(fraSmoothing, pos);
    for (Frame* frame : {&fraMirror, &fraClone, &fraObjectRayTrace}) {
      frame->SetVisible(true);
      StackFrame(*frame, pos);
    }
    custom_rows_.Arrange(context_.ActiveScene()->CustomShapeFieldNames(), pos);
    materials_.LoadMaterialGrid(pos);
    LoadShapeValues();
    context_.State().CurrentShapeNode = SelectedNode();
  });
}

void ShapeSection::LoadShapeValues() {
  WithPropertiesSource([&] { materials_.FillMaterialRows(); });
}

}  // namespace morvel

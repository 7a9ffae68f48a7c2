#include "sections/shape/shape_section.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <utility>

#include "base/error.h"
#include "base/numbers.h"
#include "kit/transaction.h"
#include "scene/scene.h"

namespace morvel {
namespace {

// Shape kinds whose source the scene cannot open for the user: their Source
// button stays disabled.
constexpr Long kKindsWithoutSource[] = {6, 8, 14, 15, 18, 19, 20};

// Clone offsets and rotations show at least one and at most three decimals,
// the precision their fields accept.
constexpr const char* kClonePattern = "0.0##";

// The tension slider runs over tenths: -10..10 stands for -1.0..1.0.
constexpr Single kTensionSteps = 10.0f;

// Wraps an editor so that its failures reach the host with the panel as
// their source.
template <class Body>
std::function<void()> Editor(Body body) {
  return [body = std::move(body)]() mutable { WithPropertiesSource(body); };
}

template <class T>
std::array<T*, 3> AxisArray(WidgetTree& widgets, const char* name) {
  return {&widgets.Get<T>(name, 0), &widgets.Get<T>(name, 1),
          &widgets.Get<T>(name, 2)};
}

}  // namespace

ShapeSection::ShapeSection(PanelContext& context, MaterialsSection& materials)
    : context_(context),
      materials_(materials),
      fraShapeProperties(context.Widgets().Get<Frame>("fraShapeProperties")),
      fraGeneral(context.Widgets().Get<Frame>("fraGeneral")),
      fraSmoothing(context.Widgets().Get<Frame>("fraSmoothing")),
      fraMirror(context.Widgets().Get<Frame>("fraMirror")),
      fraClone(context.Widgets().Get<Frame>("fraClone")),
      fraObjectRayTrace(context.Widgets().Get<Frame>("fraObjectRayTrace")),
      cmdSource(context.Widgets().Get<Button>("cmdSource")),
      sldCreasingFactor(context.Widgets().Get<Slider>("sldCreasingFactor")),
      cmdCommitCreasing(context.Widgets().Get<Button>("cmdCommitCreasing")),
      sldSmoothingLevel(context.Widgets().Get<Slider>("sldSmoothingLevel")),
      cmdCommitSmoothing(context.Widgets().Get<Button>("cmdCommitSmoothing")),
      lblTension(context.Widgets().Get<Label>("lblTension")),
      sldSmoothingTension(context.Widgets().Get<Slider>("sldSmoothingTension")),
      lblAngle(context.Widgets().Get<Label>("lblAngle")),
      cboCondition(context.Widgets().Get<ComboBox>("cboCondition")),
      txtAngle(context.Widgets().Get<UpDownText>("txtAngle")),
      cboMirror(context.Widgets().Get<ComboBox>("cboMirror")),
      cmdCommitMirroring(context.Widgets().Get<Button>("cmdCommitMirroring")),
      txtNumClones(AxisArray<UpDownText>(context.Widgets(), "txtNumClones")),
      txtCloneOffset(
          AxisArray<UpDownText>(context.Widgets(), "txtCloneOffset")),
      txtCloneRotate(
          AxisArray<UpDownText>(context.Widgets(), "txtCloneRotate")),
      lblCloneOffset(AxisArray<Label>(context.Widgets(), "lblCloneOffset")),
      lblCloneRotate(AxisArray<Label>(context.Widgets(), "lblCloneRotate")),
      sldIndexofRefraction(
          context.Widgets().Get<Slider>("sldIndexofRefraction")),
      custom_rows_(context.Widgets(), "fraCustomShapeFields",
                   "lblCustomShapeFieldName", "txtCustomShapeFieldValue") {
  // General, Smoothing and Mirroring. The level and tension sliders have no
  // guard: the loader sets them as they are and their editors write the
  // value back. Creasing, condition and mirror axis ignore the loader's
  // changes, made while they are disabled.
  sldCreasingFactor.on_change = Editor([this] { CreasingFactorChange(); });
  cmdCommitCreasing.on_click = Editor([this] { CommitCreasingClick(); });
  sldSmoothingLevel.on_change = Editor([this] { SmoothingLevelChange(); });
  cmdCommitSmoothing.on_click = Editor([this] { CommitSmoothingClick(); });
  sldSmoothingTension.on_change = Editor([this] { SmoothingTensionChange(); });
  ConnectGuardedClick(cboCondition, [this] { ConditionClick(); });
  // A smooth angle that does not convert is not worth an error message:
  // the edit simply does not happen.
  ConnectValueField(txtAngle,
                    [this] { Quietly([this] { AngleCommitted(); }); });
  ConnectGuardedClick(cboMirror, [this] { MirrorClick(); });
  cmdCommitMirroring.on_click = Editor([this] { CommitMirroringClick(); });

  // Clones: any of the nine fields writes all nine.
  for (int axis = 0; axis < kAxes; ++axis) {
    ConnectValueField(*txtNumClones[axis], [this] { NumClonesCommitted(); });
    ConnectValueField(*txtCloneOffset[axis], [this] { ApplyClones(); });
    ConnectValueField(*txtCloneRotate[axis], [this] { ApplyClones(); });
  }

  // Raytracing: no guard either, so a loaded index of 1 or more warns.
  sldIndexofRefraction.on_change =
      Editor([this] { IndexOfRefractionChange(); });

  // Custom fields: any row writes all six.
  custom_rows_.RefusePipeKeys();
  for (Long row = 0; row < CustomFieldRows::kRowCount; ++row) {
    custom_rows_.value(row).on_value_committed = [this](int) {
      WithPropertiesSource([this] { CustomValueCommitted(); });
    };
  }
}

std::shared_ptr<SceneNode> ShapeSection::SelectedNode() const {
  return Required(
      context_.Graph().GetSelectedNode(context_.SelectionList(), 0));
}

SceneNode& ShapeSection::CurrentShape() const {
  return *Required(context_.State().CurrentShapeNode);
}

void ShapeSection::LoadShapeProperties() {
  WithPropertiesSource([&] {
    ShowSectionFrame(fraShapeProperties, context_.Container().InnerHeight());

    {
      std::shared_ptr<SceneNode> node = SelectedNode();
      std::shared_ptr<SceneUtility> utility = context_.SceneUtil();
      cmdSource.SetCaption(utility->GetSourceCaption(node, true));
      std::string detail = utility->GetSourceDetail(node, true);
      if (!detail.empty()) {
        cmdSource.SetCaption(cmdSource.Caption() + " (" + detail + ")");
      }
    }

    // General keeps its designed place at the top; the frames below it are
    // stacked one under the other.
    Long pos = CheckedAdd(CheckedAdd(fraGeneral.Top(), fraGeneral.Height()),
                          -kFrameOverlap);
    const Long kind = SelectedNode()->GetShapeInfo().ShapeKind;
    cmdSource.SetEnabled(std::find(std::begin(kKindsWithoutSource),
                                   std::end(kKindsWithoutSource),
                                   kind) == std::end(kKindsWithoutSource));
    StackFrame(fraSmoothing, pos);
    for (Frame* frame : {&fraMirror, &fraClone, &fraObjectRayTrace}) {
      frame->SetVisible(true);
      StackFrame(*frame, pos);
    }
    custom_rows_.Arrange(context_.ActiveScene()->CustomShapeFieldNames(), pos);
    materials_.LoadMaterialGrid(pos);
    LoadShapeValues();
    // Last, so that a load that fails leaves the editors on the shape they
    // showed before.
    context_.State().CurrentShapeNode = SelectedNode();
  });
}

void ShapeSection::LoadShapeValues() {
  WithPropertiesSource([&] {
    const Clones clones = SelectedNode()->GetClones();
    const Long counts[] = {clones.Counts.X, clones.Counts.Y, clones.Counts.Z};
    const Single offsets[] = {clones.Offsets.X, clones.Offsets.Y,
                              clones.Offsets.Z};
    const Single rotations[] = {clones.Rotations.X, clones.Rotations.Y,
                                clones.Rotations.Z};
    for (int axis = 0; axis < kAxes; ++axis) {
      txtNumClones[axis]->SetText(LongToText(counts[axis]));
      txtCloneOffset[axis]->SetText(FormatNumber(offsets[axis], kClonePattern));
      txtCloneRotate[axis]->SetText(
          FormatNumber(rotations[axis], kClonePattern));
    }
    UpdateCloneFieldStates();

    materials_.FillMaterialRows();

    SetWhileDisabled(sldCreasingFactor, [&] {
      sldCreasingFactor.SetValue(
          RoundToLong(SelectedNode()->CreasingFactor(kCurrentKey)));
    });
    SetWhileDisabled(cboCondition, [&] {
      cboCondition.SetListIndex(SelectedNode()->SmoothingCondition());
    });
    txtAngle.SetText(
        LongToText(RoundToLong(SelectedNode()->SmoothAngle(kCurrentKey))));
    // Scaled in single precision, as the value is stored: 0.35 becomes 3.5
    // and rounds to 4, where double arithmetic would give 3.4999... and 3.
    const Single tension =
        SelectedNode()->SmoothingTension(kCurrentKey) * kTensionSteps;
    sldSmoothingTension.SetValue(RoundToLong(tension));
    sldSmoothingLevel.SetValue(SelectedNode()->SmoothingLevel());
    UpdateSmoothingControls();

    sldIndexofRefraction.SetValue(
        RoundToLong(SelectedNode()->IndexOfRefraction(kCurrentKey)));

    SetWhileDisabled(cboMirror, [&] {
      cboMirror.SetListIndex(SelectedNode()->MirrorAxis());
    });
    UpdateMirrorControls();

    if (custom_rows_.frame().Visible()) {
      // Hidden rows are filled too: a row's value belongs to the shape
      // whether or not the scene names the row now.
      std::shared_ptr<SceneNode> node = SelectedNode();
      for (Long row = 0; row < CustomFieldRows::kRowCount; ++row) {
        custom_rows_.value(row).SetText(node->GetCustomFieldValue(row));
      }
    }
  });
}

void ShapeSection::UpdateCloneFieldStates() {
  Quietly([this] {
    for (int axis = 0; axis < kAxes; ++axis) {
      // Offsets and rotations only mean something along an axis that has
      // clones; a negative count counts as having some.
      const bool on = TextToDouble(txtNumClones[axis]->Text()) != 0;
      txtCloneOffset[axis]->SetEnabled(on);
      txtCloneRotate[axis]->SetEnabled(on);
      lblCloneOffset[axis]->SetEnabled(on);
      lblCloneRotate[axis]->SetEnabled(on);
    }
  });
}

void ShapeSection::UpdateSmoothingControls() {
  Quietly([this] {
    // Below level 1 nothing is smoothed, so there is nothing to commit and
    // the smoothing parameters have no effect.
    const bool on = sldSmoothingLevel.Value() >= 1;
    for (Widget* widget : std::initializer_list<Widget*>{
             &cmdCommitSmoothing, &lblAngle, &cboCondition, &txtAngle,
             &lblTension, &sldSmoothingTension}) {
      widget->SetEnabled(on);
    }
  });
}

void ShapeSection::UpdateMirrorControls() {
  // Entry 0 is "None": there is no axis to mirror across.
  Quietly(
      [this] { cmdCommitMirroring.SetEnabled(cboMirror.ListIndex() >= 1); });
}

}  // namespace morvel

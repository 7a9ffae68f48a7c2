#include "sections/shape/shape_section.h"

#include <algorithm>
#include <iterator>

#include "base/error.h"
#include "base/numbers.h"
#include "kit/editors.h"
#include "kit/section_layout.h"
#include "scene/scene.h"
#include "sections/shape/shape_layout.h"

namespace morvel {
namespace {

// Shape kinds whose source the scene cannot open for the user: their Source
// button stays disabled.
constexpr Long kKindsWithoutSource[] = {6, 8, 14, 15, 18, 19, 20};

// Clone offsets and rotations show at least one and at most three decimals,
// the precision their fields accept.
constexpr const char* kClonePattern = "0.0##";

constexpr const char* kConditionItems[] = {"More Than", "Less Than"};
constexpr const char* kMirrorItems[] = {"None", "X", "Y", "Z"};

constexpr CustomFieldRowsLayout kCustomRows = {
    .frame = "fraCustomShapeFields",
    .section_frame = "fraShapeProperties",
    .top = 5820,
    .title_index = 7,
    .label_array = "lblCustomShapeFieldName",
    .value_array = "txtCustomShapeFieldValue",
    .value_tooltip = "Value of this custom field for the shape",
    .value_text = ""};

}  // namespace

ShapeSection::ShapeSection(PanelContext& context)
    : ObjectSection(context, ShapeLayout(), "fraShapeProperties",
                    &SetupArguments::ShapesSelectedCount),
      custom_rows_(context.Widgets(), kCustomRows),
      materials_(context) {
  // The Source button has no value a loader sets, so it needs no guard; it
  // only asks the host to open the source view.
  ConnectEditor(cmdSource, [this] { context_.RaiseOpenSource(); });

  // General, Smoothing and Mirroring. The level and tension sliders have no
  // guard: the loader sets them as they are and their editors write the
  // value back. Creasing, condition and mirror axis ignore the loader's
  // changes, made while they are disabled.
  ConnectGuardedEditor(sldCreasingFactor, [this] { CreasingFactorChange(); });
  ConnectEditor(cmdCommitCreasing, [this] { CommitCreasingClick(); });
  ConnectEditor(sldSmoothingLevel, [this] { SmoothingLevelChange(); });
  ConnectEditor(cmdCommitSmoothing, [this] { CommitSmoothingClick(); });
  ConnectEditor(sldSmoothingTension, [this] { SmoothingTensionChange(); });
  ConnectGuardedEditor(cboCondition, [this] { ConditionClick(); });
  // A smooth angle that does not convert is not worth an error message:
  // the edit simply does not happen.
  ConnectValueField(txtAngle,
                    [this] { Quietly([this] { AngleCommitted(); }); });
  ConnectGuardedEditor(cboMirror, [this] { MirrorClick(); });
  ConnectEditor(cmdCommitMirroring, [this] { CommitMirroringClick(); });

  // Clones: any of the nine fields writes all nine.
  for (int axis = 0; axis < kAxes; ++axis) {
    ConnectValueField(*txtNumClones[axis], [this] { NumClonesCommitted(); });
    ConnectValueField(*txtCloneOffset[axis], [this] { ApplyClones(); });
    ConnectValueField(*txtCloneRotate[axis], [this] { ApplyClones(); });
  }

  // Raytracing: no guard either, so a loaded index of 1 or more warns.
  ConnectEditor(sldIndexofRefraction, [this] { IndexOfRefractionChange(); });

  // Custom fields: any row writes all six to the shape the section shows.
  custom_rows_.Connect([this] {
    custom_rows_.WriteAll(context_, kLayerSysProperties,
                          [this] { return CurrentShape(); });
  });
}

void ShapeSection::FillFixedLists() {
  for (const char* item : kConditionItems) cboCondition.AddItem(item);
  for (const char* item : kMirrorItems) cboMirror.AddItem(item);
}

bool ShapeSection::Loads(const SetupView& view) const {
  return ObjectSection::Loads(view) && view.edit_mode == 0;
}

std::shared_ptr<SceneNode> ShapeSection::SelectedNode() const {
  return FirstSelected(context_, &SceneGraph::GetSelectedNode);
}

std::shared_ptr<SceneNode> ShapeSection::CurrentShape() const {
  return Required(context_.State().CurrentShapeNode);
}

void ShapeSection::Fill(const SetupArguments&) {
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
}

void ShapeSection::LoadShapeValues() {
  WithPropertiesSource([&] {
    const Clones clones = SelectedNode()->GetClones();
    for (int axis = 0; axis < kAxes; ++axis) {
      txtNumClones[axis]->SetText(LongToText(Component(clones.Counts, axis)));
      txtCloneOffset[axis]->SetText(
          FormatNumber(Component(clones.Offsets, axis), kClonePattern));
      txtCloneRotate[axis]->SetText(
          FormatNumber(Component(clones.Rotations, axis), kClonePattern));
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

    custom_rows_.Fill([this] { return SelectedNode(); });
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

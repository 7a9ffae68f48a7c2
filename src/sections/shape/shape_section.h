#ifndef MORVEL_SECTIONS_SHAPE_SHAPE_SECTION_H_
#define MORVEL_SECTIONS_SHAPE_SHAPE_SECTION_H_

#include <array>
#include <cstddef>
#include <initializer_list>
#include <memory>
#include <string>

#include "base/types.h"
#include "kit/axes.h"
#include "kit/custom_field_rows.h"
#include "kit/panel_context.h"
#include "kit/section.h"
#include "kit/section_widgets.h"
#include "kit/selection.h"
#include "kit/transaction.h"
#include "sections/materials/materials_section.h"
#include "widgets/widget.h"

namespace morvel {

// The warning the refraction slider raises: only one renderer uses the index.
inline constexpr const char* kRefractionWarning =
    "Refraction only applies to Snapshots or Videos rendered using POV-Ray.";
inline constexpr const char* kRefractionWarningEntry = "Refraction";

// The mesh operations the commit buttons hand to the host.
inline constexpr const char* kOperationDivideSmooth = "DivideSmooth";
inline constexpr const char* kOperationMirror = "Mirror";
inline constexpr const char* kOperationCrease = "Crease";

// The object tab's section of one selected shape: its source, creasing,
// smoothing, mirroring, clones, refraction, custom fields and, in the
// Materials frame it hands to the material list, its materials.
//
// Two kinds of target, on purpose: the live editors of the General,
// Smoothing, Mirroring and Raytracing frames write to whatever is selected
// first at the moment of the edit, while the smooth angle, the clones and
// the custom fields write to the shape the section last loaded
// (CurrentShapeNode).
//
// The loader and what it calls live in shape_section.cc; the editors in one
// file per frame: smoothing.cc (General, Smoothing and Mirroring with their
// operation commits), clones.cc, raytracing.cc. The Custom frame is the
// kit's CustomFieldRows.
class ShapeSection : public ObjectSection {
 public:
  explicit ShapeSection(PanelContext& context);

  void FillFixedLists() override;
  // A single shape loads only while the scene edits whole objects: in
  // another edit mode it is editing the shape's parts, and this section has
  // nothing to show for that.
  bool Loads(const SetupView& view) const override;
  void Resize(Long width) override { materials_.Resize(width); }
  void Release() override { materials_.Release(); }

  MaterialsSection& Materials() { return materials_; }

 private:
  // LoadShapeProperties, once fraShapeProperties is in view: stacks the
  // sub-frames, fills them from the one selected shape and remembers it in
  // CurrentShapeNode. The arguments are not read.
  void Fill(const SetupArguments& arguments) override;
  // The tension slider runs over tenths: -10..10 stands for -1.0..1.0.
  static constexpr Single kTensionSteps = 10.0f;

  void LoadShapeValues();
  // Item 0 of the selection, fetched afresh.
  std::shared_ptr<SceneNode> SelectedNode() const;
  // The shape the section shows; error 91 before any shape was loaded.
  std::shared_ptr<SceneNode> CurrentShape() const;

  // Enable rules: they read the widgets only, and end quietly on a failure.
  void UpdateCloneFieldStates();
  void UpdateSmoothingControls();
  void UpdateMirrorControls();

  // One scene change writing to item 0 of the selection, fetched after the
  // prepare.
  template <class Write>
  void WriteToSelectedNode(Write write);

  // smoothing.cc
  void SmoothingLevelChange();
  void SmoothingTensionChange();
  void CreasingFactorChange();
  void ConditionClick();
  void MirrorClick();
  void AngleCommitted();
  void CommitSmoothingClick();
  void CommitMirroringClick();
  void CommitCreasingClick();
  // Saves `value` as the operation's parameter `index` (error 9 past the end
  // of what the applier reported), under the active scene's application key.
  void SaveParameter(const OperationParameters& parameters, std::size_t index,
                     const char* operation, const std::string& value);
  // Puts the values the applier reported for parameters 0..count-1 back.
  void RestoreParameters(const OperationParameters& parameters,
                         std::size_t count, const char* operation);
  OperationParameters GetOperationParameters(const char* operation);
  // Hands a mesh operation to the host: saves `values` as its parameters
  // 0, 1, ... in the user's settings, where the operation reads them, raises
  // evtReqApplyOperation and puts back what the applier reported. A failure
  // before the event leaves the values saved so far; the host never hears.
  void HandOperationToHost(const char* operation,
                           std::initializer_list<std::string> values);

  // clones.cc
  void NumClonesCommitted();
  void ApplyClones();

  // raytracing.cc
  void IndexOfRefractionChange();

  // Typed handles to the widgets of its own table that it works with.
  Frame& fraGeneral = widgets_.Get<Frame>("fraGeneral");
  Frame& fraSmoothing = widgets_.Get<Frame>("fraSmoothing");
  Frame& fraMirror = widgets_.Get<Frame>("fraMirror");
  Frame& fraClone = widgets_.Get<Frame>("fraClone");
  Frame& fraObjectRayTrace = widgets_.Get<Frame>("fraObjectRayTrace");
  Button& cmdSource = widgets_.Get<Button>("cmdSource");
  Slider& sldCreasingFactor = widgets_.Get<Slider>("sldCreasingFactor");
  Button& cmdCommitCreasing = widgets_.Get<Button>("cmdCommitCreasing");
  Slider& sldSmoothingLevel = widgets_.Get<Slider>("sldSmoothingLevel");
  Button& cmdCommitSmoothing = widgets_.Get<Button>("cmdCommitSmoothing");
  Label& lblTension = widgets_.Get<Label>("lblTension");
  Slider& sldSmoothingTension = widgets_.Get<Slider>("sldSmoothingTension");
  Label& lblAngle = widgets_.Get<Label>("lblAngle");
  ComboBox& cboCondition = widgets_.Get<ComboBox>("cboCondition");
  UpDownText& txtAngle = widgets_.Get<UpDownText>("txtAngle");
  ComboBox& cboMirror = widgets_.Get<ComboBox>("cboMirror");
  Button& cmdCommitMirroring = widgets_.Get<Button>("cmdCommitMirroring");
  std::array<UpDownText*, kAxes> txtNumClones =
      widgets_.Elements<UpDownText, kAxes>("txtNumClones");
  std::array<UpDownText*, kAxes> txtCloneOffset =
      widgets_.Elements<UpDownText, kAxes>("txtCloneOffset");
  std::array<UpDownText*, kAxes> txtCloneRotate =
      widgets_.Elements<UpDownText, kAxes>("txtCloneRotate");
  std::array<Label*, kAxes> lblCloneOffset =
      widgets_.Elements<Label, kAxes>("lblCloneOffset");
  std::array<Label*, kAxes> lblCloneRotate =
      widgets_.Elements<Label, kAxes>("lblCloneRotate");
  Slider& sldIndexofRefraction = widgets_.Get<Slider>("sldIndexofRefraction");
  // Built after the frames above, in this order: the Custom frame, then the
  // Materials frame at the foot of the section.
  CustomFieldRows custom_rows_;
  MaterialsSection materials_;
};

template <class Write>
void ShapeSection::WriteToSelectedNode(Write write) {
  SceneTransaction transaction(context_, kLayerSysProperties);
  write(*SelectedNode());
  transaction.Commit(false);
}

}  // namespace morvel

#endif  // MORVEL_SECTIONS_SHAPE_SHAPE_SECTION_H_

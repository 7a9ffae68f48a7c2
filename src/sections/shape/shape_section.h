#ifndef MORVEL_SECTIONS_SHAPE_SHAPE_SECTION_H_
#define MORVEL_SECTIONS_SHAPE_SHAPE_SECTION_H_

#include <array>
#include <memory>
#include <string>

#include "base/types.h"
#include "kit/panel_context.h"
#include "kit/section_layout.h"
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
// operation commits), clones.cc, raytracing.cc, custom_fields.cc.
class ShapeSection {
 public:
  // The shape section hands its Materials frame to `materials`.
  ShapeSection(PanelContext& context, MaterialsSection& materials);
  ShapeSection(const ShapeSection&) = delete;
  ShapeSection& operator=(const ShapeSection&) = delete;

  // Brings fraShapeProperties into view for the one selected shape, stacks
  // its sub-frames, fills them, and remembers the shape in CurrentShapeNode.
  void LoadShapeProperties();

 private:
  static constexpr int kAxes = 3;

  void LoadShapeValues();
  // Item 0 of the selection, fetched afresh.
  std::shared_ptr<SceneNode> SelectedNode() const;
  // The shape the section shows; error 91 before any shape was loaded.
  SceneNode& CurrentShape() const;

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

  // clones.cc
  void ApplyClones();
  void NumClonesCommitted();

  // raytracing.cc
  void IndexOfRefractionChange();

  // custom_fields.cc
  void CustomValueCommitted();

  PanelContext& context_;
  MaterialsSection& materials_;
  Frame& fraShapeProperties;
  Frame& fraGeneral;
  Frame& fraSmoothing;
  Frame& fraMirror;
  Frame& fraClone;
  Frame& fraObjectRayTrace;
  Button& cmdSource;
  Slider& sldCreasingFactor;
  Button& cmdCommitCreasing;
  Slider& sldSmoothingLevel;
  Button& cmdCommitSmoothing;
  Label& lblTension;
  Slider& sldSmoothingTension;
  Label& lblAngle;
  ComboBox& cboCondition;
  UpDownText& txtAngle;
  ComboBox& cboMirror;
  Button& cmdCommitMirroring;
  std::array<UpDownText*, kAxes> txtNumClones;
  std::array<UpDownText*, kAxes> txtCloneOffset;
  std::array<UpDownText*, kAxes> txtCloneRotate;
  std::array<Label*, kAxes> lblCloneOffset;
  std::array<Label*, kAxes> lblCloneRotate;
  Slider& sldIndexofRefraction;
  CustomFieldRows custom_rows_;
};

template <class Write>
void ShapeSection::WriteToSelectedNode(Write write) {
  SceneTransaction transaction(context_, kLayerSysProperties);
  write(*SelectedNode());
  transaction.Commit(false);
}

}  // namespace morvel

#endif  // MORVEL_SECTIONS_SHAPE_SHAPE_SECTION_H_

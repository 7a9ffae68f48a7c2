// The General, Smoothing and Mirroring frames: live properties of the first
// selected shape, and the three commits that hand a mesh operation to the
// host.
//
// A commit does not run the operation itself. The operation reads its
// parameters from the user's settings, so the commit stores the values the
// user chose there, asks the host to run the operation, and then puts back
// what was stored before: the user's settings hold the panel's values only
// while the operation runs.
#include <cstddef>
#include <string>

#include "base/error.h"
#include "base/numbers.h"
#include "kit/outside_transaction.h"
#include "kit/transaction.h"
#include "scene/scene.h"
#include "sections/shape/shape_section.h"

namespace morvel {
namespace {

// The condition list shows "More Than" first; the operation takes 1 for it.
constexpr Long kConditionMoreThan = 0;

const OperationParameter& ParameterAt(const OperationParameters& parameters,
                                      std::size_t index) {
  if (index >= parameters.Parameters.size()) {
    RaiseError(kErrSubscriptOutOfRange);
  }
  return parameters.Parameters[index];
}

}  // namespace

void ShapeSection::SmoothingLevelChange() {
  WriteToSelectedNode([this](SceneNode& node) {
    node.SetSmoothingLevel(sldSmoothingLevel.Value());
  });
  UpdateSmoothingControls();
}

void ShapeSection::SmoothingTensionChange() {
  WriteToSelectedNode([this](SceneNode& node) {
    node.SetSmoothingTension(
        kCurrentKey,
        static_cast<Single>(sldSmoothingTension.Value()) / kTensionSteps);
  });
}

// Guarded: the loader sets the slider while it is disabled, so the stored
// factor is not written back.
void ShapeSection::CreasingFactorChange() {
  WriteToSelectedNode([this](SceneNode& node) {
    node.SetCreasingFactor(kCurrentKey,
                           static_cast<Single>(sldCreasingFactor.Value()));
  });
}

void ShapeSection::ConditionClick() {
  WriteToSelectedNode([this](SceneNode& node) {
    node.SetSmoothingCondition(cboCondition.ListIndex());
  });
}

void ShapeSection::MirrorClick() {
  WriteToSelectedNode(
      [this](SceneNode& node) { node.SetMirrorAxis(cboMirror.ListIndex()); });
  UpdateMirrorControls();
}

void ShapeSection::AngleCommitted() {
  SceneTransaction transaction(context_, kLayerSysProperties);
  CurrentShape()->SetSmoothAngle(kCurrentKey, TextToSingle(txtAngle.Text()));
  transaction.Commit(false);
}

OperationParameters ShapeSection::GetOperationParameters(
    const char* operation) {
  return Required(context_.State().applier)
      ->GetOperationParameters(Required(context_.State().scene_graph),
                               operation, 0, 0);
}

void ShapeSection::SaveParameter(const OperationParameters& parameters,
                                 std::size_t index, const char* operation,
                                 const std::string& value) {
  // The application key is asked for every time: the host may have switched
  // scenes while the operation ran.
  const std::string application =
      context_.ActiveScene()->ApplicationRegistryKey();
  const OperationParameter& parameter = ParameterAt(parameters, index);
  Required(context_.Platform().settings)
      ->SaveSetting(application, operation, parameter.Name, value);
}

void ShapeSection::RestoreParameters(const OperationParameters& parameters,
                                     std::size_t count, const char* operation) {
  for (std::size_t i = 0; i < count; ++i) {
    SaveParameter(parameters, i, operation,
                  SingleToText(ParameterAt(parameters, i).Value));
  }
}

void ShapeSection::HandOperationToHost(
    const char* operation, std::initializer_list<std::string> values) {
  const OperationParameters parameters = GetOperationParameters(operation);
  std::size_t index = 0;
  for (const std::string& value : values) {
    SaveParameter(parameters, index++, operation, value);
  }
  context_.RaiseApplyOperation(operation);
  RestoreParameters(parameters, values.size(), operation);
}

void ShapeSection::CommitSmoothingClick() {
  // The operation divides the mesh itself; the display smoothing goes first
  // so that the divided mesh is not smoothed once more on screen.
  WriteBeforeHostOperation([this] { SelectedNode()->SetSmoothingLevel(0); });
  // Level, tension, condition and angle. The operation takes the slider's
  // tenths, not the node's tension, and 1 for "More Than".
  HandOperationToHost(
      kOperationDivideSmooth,
      {LongToText(sldSmoothingLevel.Value()),
       LongToText(sldSmoothingTension.Value()),
       cboCondition.ListIndex() == kConditionMoreThan ? "1" : "0",
       txtAngle.Text()});
  // The level slider's own editor writes level 0 and disables the commit.
  SetThroughItsEditor(sldSmoothingLevel, 0);
}

void ShapeSection::CommitMirroringClick() {
  // The list starts with "None"; the operation counts its axes from X = 0.
  HandOperationToHost(kOperationMirror,
                      {LongToText(cboMirror.ListIndex() - 1)});
  // Mirrored once is enough: the list's own editor writes "None" back and
  // disables the commit.
  SetThroughItsEditor(cboMirror, 0);
}

void ShapeSection::CommitCreasingClick() {
  HandOperationToHost(kOperationCrease,
                      {LongToText(sldCreasingFactor.Value())});
  // The factor stays where it is: it is the shape's own default creasing
  // as well.
}

}  // namespace morvel

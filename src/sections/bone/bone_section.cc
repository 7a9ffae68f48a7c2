#include "sections/bone/bone_section.h"

#include <memory>
#include <utility>

#include "base/error.h"
#include "base/numbers.h"
#include "kit/editors.h"
#include "kit/selection.h"
#include "scene/scene.h"
#include "sections/bone/bone_layout.h"
#include "sections/bone/bone_scales.h"

namespace morvel {
namespace {

// A bone of this kind has no volume of influence: only its weight applies.
constexpr Long kBoneKindWithoutVolume = 2;

// What the offset fields show while there is no irregular volume.
constexpr const char* kNoOffsetText = "0";

}  // namespace

BoneSection::BoneSection(PanelContext& context)
    : ObjectSection(context, BoneLayout(), "fraBoneProperties",
                    &SetupArguments::BonesSelectedCount) {
  // Where the sliders stand before a bone is loaded: full weight, the
  // smallest ranges, no extra extent. Set before their editors are
  // connected, so nothing is written.
  const std::pair<Slider*, Long> starts[] = {{&sldWeight, 100},
                                             {&sldOriginEffectRange, 1},
                                             {&sldEndEffectRange, 1},
                                             {&sldEffectExtent, 0},
                                             {&sldExtentIrregular, 0}};
  for (auto [slider, start] : starts) slider->SetValue(start);
  const std::pair<Slider*, const BoneSliderScale*> scaled[] = {
      {&sldWeight, &kWeightScale},
      {&sldOriginEffectRange, &kOriginRangeScale},
      {&sldEndEffectRange, &kEndRangeScale},
      {&sldEffectExtent, &kExtentScale}};
  // By element, not by structured binding: clang 14 (the fuzzing build)
  // cannot capture a binding in a lambda.
  for (const auto& entry : scaled) {
    ConnectEditor(*entry.first, [this, entry] {
      WriteSliderValue(*entry.first, *entry.second);
    });
  }
  // The irregular extent also switches its offset fields, once the host has
  // applied the new extent.
  ConnectEditor(sldExtentIrregular, [this] {
    WriteSliderValue(sldExtentIrregular, kIrregularExtentScale);
    UpdateIrregularVolumeFields();
  });
  for (UpDownText* field : txtExtentIrregularOffset) {
    ConnectValueField(*field, [this] { ApplyIrregularOffset(); });
  }
}

void BoneSection::Fill(const SetupArguments&) {
  LoadBoneValues(FirstSelected(context_, &SceneGraph::GetSelectedBone));
  context_.State().CurrentGroup =
      FirstSelected(context_, &SceneGraph::GetSelectedBone);
}

// The sliders are moved without any guard: each one the load moves writes
// its position back at once, so the bone ends up holding exactly what its
// sliders can show (a weight of 37.5 becomes 38), and the host hears of
// each as its own change.
void BoneSection::LoadBoneValues(const std::shared_ptr<Group>& bone) {
  sldWeight.SetValue(SliderPosition(bone->BoneWeight(), kWeightScale));
  // Such a bone has no volume to show; the volume sliders keep whatever
  // they last showed, out of sight, and write nothing.
  if (bone->BoneKind() == kBoneKindWithoutVolume) {
    fraBoneVolume.SetVisible(false);
    fraBoneVolumeIrregular.SetVisible(false);
    return;
  }
  fraBoneVolume.SetVisible(true);
  fraBoneVolumeIrregular.SetVisible(true);
  sldOriginEffectRange.SetValue(
      SliderPosition(bone->BoneOriginEffectRange(), kOriginRangeScale));
  sldEndEffectRange.SetValue(
      SliderPosition(bone->BoneEndEffectRange(), kEndRangeScale));
  sldEffectExtent.SetValue(
      SliderPosition(bone->BoneEffectExtent(), kExtentScale));
  sldExtentIrregular.SetValue(
      SliderPosition(bone->BoneIrregularExtent(), kIrregularExtentScale));
  UpdateIrregularVolumeFields();
}

// Without an irregular extent there is no irregular volume to shift: the
// offset fields show 0 and take no input, while the bone keeps its offset
// for when the extent comes back.
void BoneSection::UpdateIrregularVolumeFields() {
  WithPropertiesSource([&] {
    const auto& labels = lblExtentIrregularOffset;
    const auto& fields = txtExtentIrregularOffset;
    if (sldExtentIrregular.Value() == 0) {
      for (Label* label : labels) label->SetEnabled(false);
      for (UpDownText* field : fields) field->SetEnabled(false);
      for (UpDownText* field : fields) field->SetText(kNoOffsetText);
      return;
    }
    std::shared_ptr<Group> bone =
        FirstSelected(context_, &SceneGraph::GetSelectedBone);
    for (Label* label : labels) label->SetEnabled(true);
    for (UpDownText* field : fields) field->SetEnabled(true);
    SingleVector3 offset = bone->BoneIrregularOffset();
    for (int axis = 0; axis < kAxes; ++axis) {
      fields[axis]->SetText(SingleToText(Component(offset, axis)));
    }
  });
}

}  // namespace morvel

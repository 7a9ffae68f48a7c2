#include "sections/bone/bone_section.h"

#include <memory>

#include "base/error.h"
#include "base/numbers.h"
#include "kit/transaction.h"
#include "scene/scene.h"
#include "sections/bone/bone_scales.h"
#include "sections/group/current_group.h"

namespace morvel {
namespace {

// A bone of this kind has no volume of influence: only its weight applies.
constexpr Long kBoneKindWithoutVolume = 2;

// What the offset fields show while there is no irregular volume.
constexpr const char* kNoOffsetText = "0";

}  // namespace

BoneSection::BoneSection(PanelContext& context)
    : context_(context),
      fraBoneProperties(context.Widgets().Get<Frame>("fraBoneProperties")),
      fraBoneVolume(context.Widgets().Get<Frame>("fraBoneVolume")),
      fraBoneVolumeIrregular(
          context.Widgets().Get<Frame>("fraBoneVolumeIrregular")),
      sldWeight(context.Widgets().Get<Slider>("sldWeight")),
      sldOriginEffectRange(
          context.Widgets().Get<Slider>("sldOriginEffectRange")),
      sldEndEffectRange(context.Widgets().Get<Slider>("sldEndEffectRange")),
      sldEffectExtent(context.Widgets().Get<Slider>("sldEffectExtent")),
      sldExtentIrregular(context.Widgets().Get<Slider>("sldExtentIrregular")),
      lblExtentIrregularOffsetX(
          context.Widgets().Get<Label>("lblExtentIrregularOffsetX")),
      lblExtentIrregularOffsetY(
          context.Widgets().Get<Label>("lblExtentIrregularOffsetY")),
      lblExtentIrregularOffsetZ(
          context.Widgets().Get<Label>("lblExtentIrregularOffsetZ")),
      txtExtentIrregularOffsetX(
          context.Widgets().Get<UpDownText>("txtExtentIrregularOffsetX")),
      txtExtentIrregularOffsetY(
          context.Widgets().Get<UpDownText>("txtExtentIrregularOffsetY")),
      txtExtentIrregularOffsetZ(
          context.Widgets().Get<UpDownText>("txtExtentIrregularOffsetZ")) {
  ConnectSlider(sldWeight, kWeightScale);
  ConnectSlider(sldOriginEffectRange, kOriginRangeScale);
  ConnectSlider(sldEndEffectRange, kEndRangeScale);
  ConnectSlider(sldEffectExtent, kExtentScale);
  // The irregular extent also switches its offset fields, once the host has
  // applied the new extent.
  sldExtentIrregular.on_change = [this] {
    WithPropertiesSource([this] {
      WriteSliderValue(sldExtentIrregular, kIrregularExtentScale);
      UpdateIrregularVolumeFields();
    });
  };
  for (UpDownText* field :
       {&txtExtentIrregularOffsetX, &txtExtentIrregularOffsetY,
        &txtExtentIrregularOffsetZ}) {
    ConnectValueField(*field, [this] { ApplyIrregularOffset(); });
  }
}

void BoneSection::LoadBoneProperties() {
  WithPropertiesSource([&] {
    // The bone section reaches to the panel's outer edge.
    ShowSectionFrame(fraBoneProperties, context_.Container().OuterHeight());
    LoadBoneValues();
    context_.State().CurrentGroup = SelectedBone(context_);
  });
}

// The sliders are moved without any guard: each one the load moves writes
// its position back at once, so the bone ends up holding exactly what its
// sliders can show (a weight of 37.5 becomes 38), and the host hears of
// each as its own change.
void BoneSection::LoadBoneValues() {
  WithPropertiesSource([&] {
    std::shared_ptr<Group> bone = SelectedBone(context_);
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
  });
}

// Without an irregular extent there is no irregular volume to shift: the
// offset fields show 0 and take no input, while the bone keeps its offset
// for when the extent comes back.
void BoneSection::UpdateIrregularVolumeFields() {
  WithPropertiesSource([&] {
    Label* labels[] = {&lblExtentIrregularOffsetX, &lblExtentIrregularOffsetY,
                       &lblExtentIrregularOffsetZ};
    UpDownText* fields[] = {&txtExtentIrregularOffsetX,
                            &txtExtentIrregularOffsetY,
                            &txtExtentIrregularOffsetZ};
    if (sldExtentIrregular.Value() == 0) {
      for (Label* label : labels) label->SetEnabled(false);
      for (UpDownText* field : fields) field->SetEnabled(false);
      for (UpDownText* field : fields) field->SetText(kNoOffsetText);
      return;
    }
    std::shared_ptr<Group> bone = SelectedBone(context_);
    for (Label* label : labels) label->SetEnabled(true);
    for (UpDownText* field : fields) field->SetEnabled(true);
    SingleVector3 offset = bone->BoneIrregularOffset();
    txtExtentIrregularOffsetX.SetText(SingleToText(offset.X));
    txtExtentIrregularOffsetY.SetText(SingleToText(offset.Y));
    txtExtentIrregularOffsetZ.SetText(SingleToText(offset.Z));
  });
}

}  // namespace morvel

#ifndef MORVEL_SECTIONS_BONE_BONE_SECTION_H_
#define MORVEL_SECTIONS_BONE_BONE_SECTION_H_

#include "kit/panel_context.h"
#include "widgets/widget.h"

namespace morvel {

struct BoneSliderScale;

// The object tab's section of one selected bone: its weight, and its volume
// of influence (the ranges at either end, the extent, and an irregular
// extent with its offset). Every slider move and offset commit is written
// back at once, each in its own scene change.
//
// A bone is a group as the scene hands it out and shares CurrentGroup with
// the group section; sections/group/current_group.h says which editors write
// through it and which fetch the bone afresh. The loader lives in
// bone_section.cc, the editors in bone_editors.cc.
class BoneSection {
 public:
  explicit BoneSection(PanelContext& context);
  BoneSection(const BoneSection&) = delete;
  BoneSection& operator=(const BoneSection&) = delete;

  // Brings fraBoneProperties into view for the one selected bone, fills it
  // and remembers the bone in CurrentGroup. Each slider it moves writes its
  // position back into the bone (one scene change per slider).
  void LoadBoneProperties();

 private:
  void LoadBoneValues();
  // The offset fields take input only while there is an irregular extent.
  void UpdateIrregularVolumeFields();

  // bone_editors.cc
  void ConnectSlider(Slider& slider, const BoneSliderScale& scale);
  void WriteSliderValue(const Slider& slider, const BoneSliderScale& scale);
  void ApplyIrregularOffset();

  PanelContext& context_;
  Frame& fraBoneProperties;
  Frame& fraBoneVolume;
  Frame& fraBoneVolumeIrregular;
  Slider& sldWeight;
  Slider& sldOriginEffectRange;
  Slider& sldEndEffectRange;
  Slider& sldEffectExtent;
  Slider& sldExtentIrregular;
  Label& lblExtentIrregularOffsetX;
  Label& lblExtentIrregularOffsetY;
  Label& lblExtentIrregularOffsetZ;
  UpDownText& txtExtentIrregularOffsetX;
  UpDownText& txtExtentIrregularOffsetY;
  UpDownText& txtExtentIrregularOffsetZ;
};

}  // namespace morvel

#endif  // MORVEL_SECTIONS_BONE_BONE_SECTION_H_

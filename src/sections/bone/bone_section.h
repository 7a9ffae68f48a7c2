#ifndef MORVEL_SECTIONS_BONE_BONE_SECTION_H_
#define MORVEL_SECTIONS_BONE_BONE_SECTION_H_

#include <array>

#include "kit/axes.h"
#include "kit/panel_context.h"
#include "kit/section.h"
#include "widgets/widget.h"

namespace morvel {

struct BoneSliderScale;

// The object tab's section of one selected bone: its weight, and its volume
// of influence (the ranges at either end, the extent, and an irregular
// extent with its offset). Every slider move and offset commit is written
// back at once, each in its own scene change.
//
// A bone is a group as the scene hands it out and shares CurrentGroup with
// the group section; PanelState says which editors write through it and
// which fetch the bone afresh. The loader lives in bone_section.cc, the
// editors in bone_editors.cc.
class BoneSection : public ObjectSection {
 public:
  explicit BoneSection(PanelContext& context);

 private:
  // The bone section reaches to the panel's outer edge.
  Long FrameHeight() const override {
    return context_.Container().OuterHeight();
  }
  // LoadBoneProperties, once fraBoneProperties is in view: fills it from the
  // one selected bone and remembers the bone in CurrentGroup. Each slider it
  // moves writes its position back into the bone (one scene change per
  // slider). The arguments are not read.
  void Fill(const SetupArguments& arguments) override;
  void LoadBoneValues(const std::shared_ptr<Group>& bone);
  // The offset fields take input only while there is an irregular extent.
  void UpdateIrregularVolumeFields();

  // bone_editors.cc
  void WriteSliderValue(const Slider& slider, const BoneSliderScale& scale);
  void ApplyIrregularOffset();

  // Typed handles to the widgets of its own table that it works with.
  Frame& fraBoneVolume = widgets_.Get<Frame>("fraBoneVolume");
  Frame& fraBoneVolumeIrregular = widgets_.Get<Frame>("fraBoneVolumeIrregular");
  Slider& sldWeight = widgets_.Get<Slider>("sldWeight");
  Slider& sldOriginEffectRange = widgets_.Get<Slider>("sldOriginEffectRange");
  Slider& sldEndEffectRange = widgets_.Get<Slider>("sldEndEffectRange");
  Slider& sldEffectExtent = widgets_.Get<Slider>("sldEffectExtent");
  Slider& sldExtentIrregular = widgets_.Get<Slider>("sldExtentIrregular");
  // lblExtentIrregularOffsetX, Y, Z and their fields, in axis order.
  std::array<Label*, kAxes> lblExtentIrregularOffset =
      widgets_.Axes<Label>("lblExtentIrregularOffset");
  std::array<UpDownText*, kAxes> txtExtentIrregularOffset =
      widgets_.Axes<UpDownText>("txtExtentIrregularOffset");
};

}  // namespace morvel

#endif  // MORVEL_SECTIONS_BONE_BONE_SECTION_H_

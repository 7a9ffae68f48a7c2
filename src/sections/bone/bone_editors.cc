// The bone section's editors: the five sliders and the irregular offset.
// Each is one scene change with the "SysProperties" layer source.
#include <memory>

#include "base/error.h"
#include "base/numbers.h"
#include "kit/selection.h"
#include "kit/transaction.h"
#include "scene/scene.h"
#include "sections/bone/bone_scales.h"
#include "sections/bone/bone_section.h"

namespace morvel {

// The slider's bone is the one selected now, asked for afresh: the loader
// moves the sliders, and so runs this, before it has remembered the bone.
void BoneSection::WriteSliderValue(const Slider& slider,
                                   const BoneSliderScale& scale) {
  SceneTransaction transaction(context_, kLayerSysProperties);
  Long position = slider.Value();
  std::shared_ptr<Group> bone =
      FirstSelected(context_, &SceneGraph::GetSelectedBone);
  ((*bone).*scale.set)(SliderValue(position, scale));
  transaction.Commit(false);
}

// All three axes are written from their fields, whichever was committed.
void BoneSection::ApplyIrregularOffset() {
  SceneTransaction transaction(context_, kLayerSysProperties);
  Single x = TextToSingle(txtExtentIrregularOffset[0]->Text());
  Single y = TextToSingle(txtExtentIrregularOffset[1]->Text());
  Single z = TextToSingle(txtExtentIrregularOffset[2]->Text());
  SingleVector3 offset = context_.SceneUtil()->MakeVector(x, y, z);
  Required(context_.State().CurrentGroup)->SetBoneIrregularOffset(offset);
  transaction.Commit(false);
}

}  // namespace morvel

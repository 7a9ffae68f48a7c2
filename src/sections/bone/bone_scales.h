#ifndef MORVEL_SECTIONS_BONE_BONE_SCALES_H_
#define MORVEL_SECTIONS_BONE_BONE_SCALES_H_

#include "base/numbers.h"
#include "base/types.h"
#include "scene/scene.h"

// How each bone slider's whole-number position maps to the bone value it
// edits: value = position / steps_per_unit + value_at_zero.
namespace morvel {

struct BoneSliderScale {
  Single (Group::*get)();
  void (Group::*set)(Single);
  Single steps_per_unit;
  Single value_at_zero;
};

// Weight and irregular extent 0 to 100 as they stand; the two ranges 0.02
// to 2 in fiftieths; the extent 0 to 2 in hundredths, centred on 1.
inline constexpr BoneSliderScale kWeightScale{&Group::BoneWeight,
                                              &Group::SetBoneWeight, 1, 0};
inline constexpr BoneSliderScale kOriginRangeScale{
    &Group::BoneOriginEffectRange, &Group::SetBoneOriginEffectRange, 50, 0};
inline constexpr BoneSliderScale kEndRangeScale{
    &Group::BoneEndEffectRange, &Group::SetBoneEndEffectRange, 50, 0};
inline constexpr BoneSliderScale kExtentScale{
    &Group::BoneEffectExtent, &Group::SetBoneEffectExtent, 100, 1};
inline constexpr BoneSliderScale kIrregularExtentScale{
    &Group::BoneIrregularExtent, &Group::SetBoneIrregularExtent, 1, 0};

// The slider position for a stored value: the nearest whole number (halves
// to even) to (value - value_at_zero) * steps_per_unit, computed in Single.
// Error 6 when it is beyond a Long.
inline Long SliderPosition(Single value, const BoneSliderScale& scale) {
  Single steps = (value - scale.value_at_zero) * scale.steps_per_unit;
  return RoundToLong(steps);
}

// The stored value for a slider position, divided in double precision and
// kept as a Single: 26 fiftieths store as 0.52, the Single nearest 0.52.
inline Single SliderValue(Long position, const BoneSliderScale& scale) {
  return static_cast<Single>(static_cast<double>(position) /
                                 static_cast<double>(scale.steps_per_unit) +
                             static_cast<double>(scale.value_at_zero));
}

}  // namespace morvel

#endif  // MORVEL_SECTIONS_BONE_BONE_SCALES_H_

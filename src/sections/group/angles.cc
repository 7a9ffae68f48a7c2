#include "sections/group/angles.h"

#include <cmath>

#include "base/error.h"
#include "base/numbers.h"

namespace morvel {
namespace {

constexpr Single kHalfTurnDegrees = 180.0f;
constexpr Single kThousandths = 1000.0f;

// One Single step: finite operands give a finite result or error 6.
Single Checked(Single result) {
  if (!std::isfinite(result)) RaiseError(kErrOverflow);
  return result;
}

}  // namespace

Single OrientationToRadians(Single degrees) {
  Single half_turns = Checked(degrees / kHalfTurnDegrees);
  return Checked(half_turns * kPi);
}

Single OrientationToDegrees(Single radians) {
  Single scaled = Checked(radians * kHalfTurnDegrees);
  return Checked(scaled / kPi);
}

Single JointLimitToRadians(Single degrees) {
  Single scaled = Checked(degrees * kPi);
  return Checked(scaled / kHalfTurnDegrees);
}

Single JointLimitToDegrees(Single radians) {
  Single half_turns = Checked(radians / kPi);
  return Checked(half_turns * kHalfTurnDegrees);
}

Single RevolutionsPerSecond(Single theta) {
  Single scaled = Checked(theta * kThousandths);
  Single thousandths = Checked(scaled / kTwoPi);
  return static_cast<Single>(RoundToLong(thousandths)) / kThousandths;
}

}  // namespace morvel

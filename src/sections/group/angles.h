#ifndef MORVEL_SECTIONS_GROUP_ANGLES_H_
#define MORVEL_SECTIONS_GROUP_ANGLES_H_

#include "base/types.h"

// The unit conversions of the group section. The scene keeps angles in
// radians and spins in radians per second; the section shows degrees and
// revolutions per second.
//
// Every conversion computes in Single, step by step in the order written
// below, with pi taken as the Single 3.141593: the figures a user sees (90
// degrees stored as 1.5707965, shown as 90 again) depend on exactly that. The
// transform and the joint convert in different orders, as they always have;
// both are kept, since a stored joint limit must read back as the same
// degrees. A step whose Single result overflows raises error 6 "Overflow"
// rather than handing the scene an infinity.
namespace morvel {

inline constexpr Single kPi = 3.141593f;
inline constexpr Single kTwoPi = 6.283186f;

// Position and orientation fields: (degrees / 180) * pi.
Single OrientationToRadians(Single degrees);
// And back for display: radians * 180 / pi.
Single OrientationToDegrees(Single radians);

// Joint limits: (degrees * pi) / 180.
Single JointLimitToRadians(Single degrees);
// And back for display: radians / pi * 180.
Single JointLimitToDegrees(Single radians);

// The rotational velocity as the section shows it: theta (radians per
// second) in revolutions per second, rounded to thousandths (halves to
// even): the whole number nearest theta * 1000 / 2pi, over 1000.
Single RevolutionsPerSecond(Single theta);

}  // namespace morvel

#endif  // MORVEL_SECTIONS_GROUP_ANGLES_H_

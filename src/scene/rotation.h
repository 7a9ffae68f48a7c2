#ifndef MORVEL_SCENE_ROTATION_H_
#define MORVEL_SCENE_ROTATION_H_

#include "scene/types.h"

// Rotation maths of the reference utilities and the reference scene graph,
// in double precision. An orientation (Forward, Up) is the rotation whose Z
// axis is Forward and whose Y axis is Up; X completes a right-handed frame.
namespace morvel::rotation {

struct Matrix3 {
  double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
};

// Raises error 5 when Forward or Up is zero, not finite, or they are
// parallel: such a pair is no orientation.
Matrix3 FromOrientation(const SingleVector3& forward, const SingleVector3& up);
Orientation ToOrientation(const Matrix3& r);

// Rotation about X by x, then about Y by y, then about Z by z (radians,
// fixed axes): R = Rz(z) Ry(y) Rx(x).
Matrix3 FromEuler(double x, double y, double z);
// The angles back; Y within [-pi/2, pi/2], X and Z within [-pi, pi]. At
// Y = +-pi/2 (where X and Z turn about the same axis) X is taken as 0.
void ToEuler(const Matrix3& r, double& x, double& y, double& z);

// The same conversions in the angle unit of this system's scene utility: the
// angles the panel hands over and shows, radians in which a half turn is the
// Single 3.141593 (the panel turns degrees d into (d / 180) x 3.141593). Both
// directions are exact where exactness shows: a multiple of a quarter turn
// gives components that are exactly 0 or +-1 (no 1E-07 noise in Forward and
// Up, no -0), and the angles read back from an orientation show, in
// degrees to four places, what was written, half a turn as 180, never -180.
// So an orientation survives being rewritten from the texts the panel shows.
Orientation OrientationFromAngles(const SingleVector3& angles);
SingleVector3 AnglesOfOrientation(const SingleVector3& forward,
                                  const SingleVector3& up);

Matrix3 Multiply(const Matrix3& a, const Matrix3& b);
Matrix3 Transpose(const Matrix3& a);

// A rigid transform: rotation and translation (the frame's axes and origin
// in its parent's frame).
struct Transform {
  Matrix3 rotation;
  double origin[3] = {0, 0, 0};
};

Transform Compose(const Transform& outer, const Transform& inner);
Transform Inverse(const Transform& t);

}  // namespace morvel::rotation

#endif  // MORVEL_SCENE_ROTATION_H_

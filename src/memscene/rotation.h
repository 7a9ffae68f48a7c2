#ifndef MORVEL_MEMSCENE_ROTATION_H_
#define MORVEL_MEMSCENE_ROTATION_H_

// The reference scene graph turns its groups with the same maths as the
// reference utilities' Euler conversions, so that both agree to the bit.
#include "scene/rotation.h"  // IWYU pragma: export

namespace morvel::mem {
using namespace morvel::rotation;  // NOLINT(build/namespaces)
}  // namespace morvel::mem

#endif  // MORVEL_MEMSCENE_ROTATION_H_

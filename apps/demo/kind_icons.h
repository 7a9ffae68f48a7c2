#ifndef MORVEL_APPS_DEMO_KIND_ICONS_H_
#define MORVEL_APPS_DEMO_KIND_ICONS_H_

#include <QIcon>

#include "base/types.h"

namespace morvel::demo {

// A 16-pixel picture of a node kind (kNodeTypeGroup, kNodeTypeShape, ...):
// a folder, a cube, a lit bulb, a camera, a bone; empty for another kind.
// Drawn once per kind.
QIcon KindIcon(Long kind);

}  // namespace morvel::demo

#endif  // MORVEL_APPS_DEMO_KIND_ICONS_H_

#ifndef MORVEL_SECTIONS_CAMERA_CAMERA_LAYOUT_H_
#define MORVEL_SECTIONS_CAMERA_CAMERA_LAYOUT_H_

#include <span>

#include "widgets/widget.h"

namespace morvel {

// The camera section's widgets as the designer leaves them:
// fraCameraProperties in the panel's form, with the General (field of view)
// and Raytracing (focal blur) frames inside.
// Defined by camera.layout.json (the build generates it).
std::span<const WidgetSpec> CameraLayout();

}  // namespace morvel

#endif  // MORVEL_SECTIONS_CAMERA_CAMERA_LAYOUT_H_

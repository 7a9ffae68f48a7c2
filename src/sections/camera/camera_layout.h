#ifndef MORVEL_SECTIONS_CAMERA_CAMERA_LAYOUT_H_
#define MORVEL_SECTIONS_CAMERA_CAMERA_LAYOUT_H_

namespace morvel {

class WidgetTree;

// Adds the camera section's widgets to `tree`: the General frame (field of
// view) and the Raytracing frame (focal blur) inside fraCameraProperties (a
// panel-level frame that must already be there).
void BuildCameraWidgets(WidgetTree& tree);

}  // namespace morvel

#endif  // MORVEL_SECTIONS_CAMERA_CAMERA_LAYOUT_H_

#ifndef MORVEL_SECTIONS_CAMERA_CAMERA_SECTION_H_
#define MORVEL_SECTIONS_CAMERA_CAMERA_SECTION_H_

#include "panel/panel_context.h"
#include "widgets/widget.h"

namespace morvel {

// The object tab's section of one selected camera.
class CameraSection {
 public:
  explicit CameraSection(PanelContext& context);
  CameraSection(const CameraSection&) = delete;
  CameraSection& operator=(const CameraSection&) = delete;

  // Brings fraCameraProperties into view for the one selected camera.
  void LoadCameraProperties();

 private:
  PanelContext& context_;
  Frame& fraCameraProperties;
};

}  // namespace morvel

#endif  // MORVEL_SECTIONS_CAMERA_CAMERA_SECTION_H_

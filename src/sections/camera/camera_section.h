#ifndef MORVEL_SECTIONS_CAMERA_CAMERA_SECTION_H_
#define MORVEL_SECTIONS_CAMERA_CAMERA_SECTION_H_

#include "base/types.h"
#include "kit/panel_context.h"
#include "scene/scene.h"
#include "widgets/widget.h"

namespace morvel {

// The warning raised whenever focal blur is switched on, and the entry under
// which a host remembers that the user does not want to see it again.
inline constexpr const char* kFocalBlurWarning =
    "Focal Blur only applies to Snapshots or Videos rendered using POV-Ray.";
inline constexpr const char* kFocalBlurWarningEntry = "FocalBlur";

// The object tab's section of one selected camera: its field of view, and
// the focal blur the outside ray tracer renders (on or off, with the focal
// point, aperture and quality as sliders). Every edit is one scene change
// with the empty layer source.
class CameraSection {
 public:
  explicit CameraSection(PanelContext& context);
  CameraSection(const CameraSection&) = delete;
  CameraSection& operator=(const CameraSection&) = delete;

  // Brings fraCameraProperties into view for the one selected camera, fills
  // it and remembers the camera in CurrentCamera.
  void LoadCameraProperties();

 private:
  // Fills the widgets from the selected camera. The sliders are set without
  // a guard, so each one that moves writes its value back at once.
  void LoadCameraValues();
  // Makes the focal widgets follow the check box, warns when blur is on,
  // and sets the selected camera's focal blur outside any scene change.
  void ApplyFocalBlurState();

  // Editors. Field of view goes to CurrentCamera; the others to the
  // selected camera, fetched afresh.
  void FieldOfViewCommitted();
  void FocalBlurClick();
  void FocalPointChange();
  void FocalApertureChange();
  void FocalQualityChange();
  // The scene change every slider makes: `write` gets the selected camera
  // and the slider's position.
  template <class Write>
  void WriteSlider(const Slider& slider, Write write);

  PanelContext& context_;
  Frame& fraCameraProperties;
  Frame& fraCameraRaytrace;
  UpDownText& txtFieldofView;
  CheckBox& chkFocalBlur;
  Label& lblFocalPoint;
  Slider& sldFocalPoint;
  Label& lblFocalAperture;
  Slider& sldFocalAperture;
  Label& lblFocalQuality;
  Slider& sldFocalQuality;
};

}  // namespace morvel

#endif  // MORVEL_SECTIONS_CAMERA_CAMERA_SECTION_H_

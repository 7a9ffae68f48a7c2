#ifndef MORVEL_SECTIONS_CAMERA_CAMERA_SECTION_H_
#define MORVEL_SECTIONS_CAMERA_CAMERA_SECTION_H_

#include "base/types.h"
#include "kit/panel_context.h"
#include "kit/section.h"
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
class CameraSection : public ObjectSection {
 public:
  explicit CameraSection(PanelContext& context);

 private:
  // LoadCameraProperties, once fraCameraProperties is in view: fills it
  // from the one selected camera and remembers the camera in CurrentCamera.
  // The arguments are not read.
  void Fill(const SetupArguments& arguments) override;
  // Makes the focal widgets follow the check box, warns when blur is on,
  // and sets the selected camera's focal blur outside any scene change.
  void ApplyFocalBlurState();
  // Fills the widgets from the camera Fill fetched, then applies the focal
  // blur state. The sliders are set without a guard: each one that moves
  // writes its value back at once.
  void LoadCameraValues(Camera& camera);

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

  // Typed handles to the widgets of its own table that it works with.
  Frame& fraCameraRaytrace = widgets_.Get<Frame>("fraCameraRaytrace");
  UpDownText& txtFieldofView = widgets_.Get<UpDownText>("txtFieldofView");
  CheckBox& chkFocalBlur = widgets_.Get<CheckBox>("chkFocalBlur");
  Label& lblFocalPoint = widgets_.Get<Label>("lblFocalPoint");
  Slider& sldFocalPoint = widgets_.Get<Slider>("sldFocalPoint");
  Label& lblFocalAperture = widgets_.Get<Label>("lblFocalAperture");
  Slider& sldFocalAperture = widgets_.Get<Slider>("sldFocalAperture");
  Label& lblFocalQuality = widgets_.Get<Label>("lblFocalQuality");
  Slider& sldFocalQuality = widgets_.Get<Slider>("sldFocalQuality");
};

}  // namespace morvel

#endif  // MORVEL_SECTIONS_CAMERA_CAMERA_SECTION_H_

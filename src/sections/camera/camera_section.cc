#include "sections/camera/camera_section.h"

#include <initializer_list>
#include <memory>

#include "base/error.h"
#include "base/numbers.h"
#include "kit/editors.h"
#include "kit/outside_transaction.h"
#include "kit/selection.h"
#include "kit/transaction.h"
#include "sections/camera/camera_layout.h"

namespace morvel {
namespace {

// Where the sliders stand before a camera is loaded.
constexpr Long kFocalSliderStart = 1;

}  // namespace

CameraSection::CameraSection(PanelContext& context)
    : ObjectSection(context, CameraLayout(), "fraCameraProperties",
                    &SetupArguments::CamerasSelectedCount) {
  // Placed before the editors are connected, so nothing is written.
  for (Slider* slider : {&sldFocalPoint, &sldFocalAperture, &sldFocalQuality})
    slider->SetValue(kFocalSliderStart);
  ConnectValueField(txtFieldofView, [this] { FieldOfViewCommitted(); });
  ConnectGuardedEditor(chkFocalBlur, [this] { FocalBlurClick(); });
  // A slider reports every move, the loader's own included, and has no
  // guard: a loaded position that differs from the slider's is written.
  ConnectEditor(sldFocalPoint, [this] { FocalPointChange(); });
  ConnectEditor(sldFocalAperture, [this] { FocalApertureChange(); });
  ConnectEditor(sldFocalQuality, [this] { FocalQualityChange(); });
}

void CameraSection::Fill(const SetupArguments&) {
  fraCameraRaytrace.SetVisible(true);
  LoadCameraValues(*FirstSelected(context_, &SceneGraph::GetSelectedCamera));
  context_.State().CurrentCamera =
      FirstSelectedOrNull(context_, &SceneGraph::GetSelectedCamera);
}

void CameraSection::LoadCameraValues(Camera& camera) {
  // Shown unconverted: the field works in the camera's own units.
  txtFieldofView.SetText(SingleToText(camera.GetFieldOfView(kCurrentKey)));
  SetWhileDisabled(chkFocalBlur, [&] {
    chkFocalBlur.SetValue(camera.GetFocalBlur() ? 1 : 0);
  });
  // Each slider is read and set in turn, so a slider's write-back lands
  // before the next value is read.
  sldFocalPoint.SetValue(RoundToLong(camera.GetFocalPoint(kCurrentKey)));
  sldFocalAperture.SetValue(RoundToLong(camera.GetFocalAperture(kCurrentKey)));
  sldFocalQuality.SetValue(camera.GetFocalQuality());
  ApplyFocalBlurState();
}

void CameraSection::ApplyFocalBlurState() {
  WithPropertiesSource([&] {
    const bool on = chkFocalBlur.Value() == 1;
    if (on) {
      context_.RaiseWarn(context_.ActiveScene()->ApplicationRegistryKey(),
                         kFocalBlurWarning, kFocalBlurWarningEntry);
    }
    const std::initializer_list<Widget*> focal_widgets = {
        &lblFocalAperture, &lblFocalPoint, &lblFocalQuality,
        &sldFocalAperture, &sldFocalPoint, &sldFocalQuality};
    for (Widget* widget : focal_widgets) widget->SetEnabled(on);
    // A grey box is not "on" for the widgets above, but any value but 0
    // switches blur on in the scene.
    WriteFollowingItsWidget([this] {
      FirstSelected(context_, &SceneGraph::GetSelectedCamera)
          ->SetFocalBlur(chkFocalBlur.Value() != 0);
    });
  });
}

void CameraSection::FieldOfViewCommitted() {
  // A text that is not a number stops here, after the prepare: nothing is
  // written and no apply follows.
  SceneTransaction transaction(context_, kLayerNone);
  Camera& camera = *Required(context_.State().CurrentCamera);
  camera.SetFieldOfView(kCurrentKey, TextToSingle(txtFieldofView.Text()));
  transaction.Commit(false);
}

void CameraSection::FocalBlurClick() {
  // The state (and the warning) come first, outside the scene change.
  ApplyFocalBlurState();
  SceneTransaction transaction(context_, kLayerNone);
  FirstSelected(context_, &SceneGraph::GetSelectedCamera)
      ->SetFocalBlur(chkFocalBlur.Value() != 0);
  transaction.Commit(false);
}

template <class Write>
void CameraSection::WriteSlider(const Slider& slider, Write write) {
  SceneTransaction transaction(context_, kLayerNone);
  Long position = slider.Value();
  write(*FirstSelected(context_, &SceneGraph::GetSelectedCamera), position);
  transaction.Commit(false);
}

// The positions are the camera's values themselves, without scaling.
void CameraSection::FocalPointChange() {
  WriteSlider(sldFocalPoint, [](Camera& camera, Long position) {
    camera.SetFocalPoint(kCurrentKey, static_cast<Single>(position));
  });
}

void CameraSection::FocalApertureChange() {
  WriteSlider(sldFocalAperture, [](Camera& camera, Long position) {
    camera.SetFocalAperture(kCurrentKey, static_cast<Single>(position));
  });
}

void CameraSection::FocalQualityChange() {
  WriteSlider(sldFocalQuality, [](Camera& camera, Long position) {
    camera.SetFocalQuality(position);
  });
}

}  // namespace morvel

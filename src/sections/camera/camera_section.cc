#include "sections/camera/camera_section.h"

#include <initializer_list>
#include <memory>

#include "base/error.h"
#include "base/numbers.h"
#include "kit/transaction.h"

namespace morvel {

CameraSection::CameraSection(PanelContext& context)
    : context_(context),
      fraCameraProperties(context.Widgets().Get<Frame>("fraCameraProperties")),
      fraCameraRaytrace(context.Widgets().Get<Frame>("fraCameraRaytrace")),
      txtFieldofView(context.Widgets().Get<UpDownText>("txtFieldofView")),
      chkFocalBlur(context.Widgets().Get<CheckBox>("chkFocalBlur")),
      lblFocalPoint(context.Widgets().Get<Label>("lblFocalPoint")),
      sldFocalPoint(context.Widgets().Get<Slider>("sldFocalPoint")),
      lblFocalAperture(context.Widgets().Get<Label>("lblFocalAperture")),
      sldFocalAperture(context.Widgets().Get<Slider>("sldFocalAperture")),
      lblFocalQuality(context.Widgets().Get<Label>("lblFocalQuality")),
      sldFocalQuality(context.Widgets().Get<Slider>("sldFocalQuality")) {
  ConnectValueField(txtFieldofView, [this] { FieldOfViewCommitted(); });
  ConnectGuardedClick(chkFocalBlur, [this] { FocalBlurClick(); });
  // A slider reports every move, the loader's own included, and has no
  // guard: a loaded position that differs from the slider's is written.
  sldFocalPoint.on_change = [this] {
    WithPropertiesSource([this] { FocalPointChange(); });
  };
  sldFocalAperture.on_change = [this] {
    WithPropertiesSource([this] { FocalApertureChange(); });
  };
  sldFocalQuality.on_change = [this] {
    WithPropertiesSource([this] { FocalQualityChange(); });
  };
}

void CameraSection::LoadCameraProperties() {
  WithPropertiesSource([&] {
    ShowSectionFrame(fraCameraProperties, context_.Container().InnerHeight());
    fraCameraRaytrace.SetVisible(true);
    LoadCameraValues();
    context_.State().CurrentCamera =
        context_.Graph().GetSelectedCamera(context_.SelectionList(), 0);
  });
}

void CameraSection::LoadCameraValues() {
  WithPropertiesSource([&] {
    std::shared_ptr<Camera> selected =
        context_.Graph().GetSelectedCamera(context_.SelectionList(), 0);
    Camera& camera = *Required(selected);
    // Shown unconverted: the field works in the camera's own units.
    txtFieldofView.SetText(SingleToText(camera.GetFieldOfView(kCurrentKey)));
    SetWhileDisabled(chkFocalBlur, [&] {
      chkFocalBlur.SetValue(camera.GetFocalBlur() ? 1 : 0);
    });
    // Each slider is read and set in turn, so a slider's write-back lands
    // before the next value is read.
    sldFocalPoint.SetValue(RoundToLong(camera.GetFocalPoint(kCurrentKey)));
    sldFocalAperture.SetValue(
        RoundToLong(camera.GetFocalAperture(kCurrentKey)));
    sldFocalQuality.SetValue(camera.GetFocalQuality());
    ApplyFocalBlurState();
  });
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
    std::shared_ptr<Camera> camera =
        context_.Graph().GetSelectedCamera(context_.SelectionList(), 0);
    Required(camera)->SetFocalBlur(chkFocalBlur.Value() != 0);
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
  std::shared_ptr<Camera> camera =
      context_.Graph().GetSelectedCamera(context_.SelectionList(), 0);
  Required(camera)->SetFocalBlur(chkFocalBlur.Value() != 0);
  transaction.Commit(false);
}

template <class Write>
void CameraSection::WriteSlider(const Slider& slider, Write write) {
  SceneTransaction transaction(context_, kLayerNone);
  Long position = slider.Value();
  std::shared_ptr<Camera> camera =
      context_.Graph().GetSelectedCamera(context_.SelectionList(), 0);
  write(*Required(camera), position);
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

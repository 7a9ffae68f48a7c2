#include "panel/properties.h"

#include "panel/properties_impl.h"

namespace morvel {

Properties::Properties(PlatformServices platform, PropertiesEvents& events,
                       PanelContainer& container, SceneServices* utilities)
    : impl_(std::make_unique<PropertiesImpl>(platform, events, container,
                                             utilities)) {}

Properties::~Properties() = default;

void Properties::SetupPropertiesPanel(
    const Long& SelectedTab, const Long& SelectionEntity,
    const Long& ShapesSelectedCount, const Long& LightsSelectedCount,
    const Long& BonesSelectedCount, const Long& CamerasSelectedCount,
    const Long& GroupsSelectedCount, const bool& AmbientLightSelected,
    const bool& DirectionalLightSelected, const bool& SceneSelected,
    const Long& RenderMode) {
  impl_->SetupPropertiesPanel(SetupArguments{
      SelectedTab, SelectionEntity, ShapesSelectedCount, LightsSelectedCount,
      BonesSelectedCount, CamerasSelectedCount, GroupsSelectedCount,
      AmbientLightSelected, DirectionalLightSelected, SceneSelected,
      RenderMode});
}

void Properties::SetupPropertiesPanel(const SetupArguments& arguments) {
  impl_->SetupPropertiesPanel(arguments);
}

void Properties::SetSceneGraph(
    const std::shared_ptr<SceneGraph>& MorvelSceneGraph,
    const std::shared_ptr<Applier>& Applier) {
  impl_->SetSceneGraph(MorvelSceneGraph, Applier);
}

Long Properties::lVBColor() const { return impl_->lVBColor(); }
void Properties::SetlVBColor(Long value) { impl_->SetlVBColor(value); }
bool Properties::Enabled() const { return impl_->Enabled(); }
void Properties::SetEnabled(bool value) { impl_->SetEnabled(value); }
Long Properties::hWnd() const { return impl_->hWnd(); }

void Properties::ReadProperties() { impl_->ReadProperties(); }
void Properties::Resize() { impl_->Resize(); }
void Properties::KeyDown(Integer key_code, Integer shift) {
  impl_->KeyDown(key_code, shift);
}
void Properties::Terminate() { impl_->Terminate(); }

WidgetTree& Properties::Widgets() { return impl_->Widgets(); }
const WidgetTree& Properties::Widgets() const { return impl_->Widgets(); }

}  // namespace morvel

#include "kit/panel_context.h"

#include "base/error.h"

namespace morvel {
namespace {

// One past the largest 24-bit colour: what the colour chooser answers for
// white on some systems. Stored as white itself.
constexpr Long kColourOnePastWhite = 0x1000000;
constexpr Long kColourWhite = 0xFFFFFF;

}  // namespace

SceneGraph& PanelContext::Graph() const {
  return *Required(state_.scene_graph);
}

std::shared_ptr<Scene> PanelContext::ActiveScene() const {
  std::shared_ptr<Scene> scene = Graph().GetActiveScene();
  Required(scene);
  return scene;
}

Long PanelContext::SelectionList() const {
  return ActiveScene()->SelectionList();
}

std::shared_ptr<SceneUtility> PanelContext::SceneUtil() const {
  std::shared_ptr<SceneUtility> utility = services_.GetSceneUtility();
  Required(utility);
  return utility;
}

std::shared_ptr<DialogUtility> PanelContext::DialogUtil() const {
  std::shared_ptr<DialogUtility> utility = services_.GetDialogUtility();
  Required(utility);
  return utility;
}

std::shared_ptr<MathUtility> PanelContext::MathUtil() const {
  std::shared_ptr<MathUtility> utility = services_.GetMathUtility();
  Required(utility);
  return utility;
}

void PanelContext::ShowMessage(const std::string& text) const {
  Required(platform_.message_box)
      ->Show(text, kMessageTitle, MessageIcon::kExclamation,
             MessageButtons::kOk);
}

void PanelContext::SetlVBColor(Long value) const {
  // Every other value, negative ones included, is kept as it is.
  state_.light_colour = value == kColourOnePastWhite ? kColourWhite : value;
  if (light_swatch_) light_swatch_->SetBackColor(state_.light_colour);
}

void PanelContext::RaisePrepare(const std::string& layer_source) const {
  std::string LayerSource = layer_source;
  events_.evtReqPrepareForSceneChanges(LayerSource);
}

void PanelContext::RaiseApply(bool hierarchy_changed) const {
  bool HierarchyChanged = hierarchy_changed;
  events_.evtReqApplySceneChanges(HierarchyChanged);
}

void PanelContext::RaiseOpenSource() const { events_.evtReqOpenSource(); }

void PanelContext::RaiseApplyOperation(const std::string& operation) const {
  std::string Operation = operation;
  events_.evtReqApplyOperation(Operation);
}

void PanelContext::RaiseWarn(const std::string& application_registry_key,
                             const std::string& warning,
                             const std::string& warning_registry_entry) const {
  std::string ApplicationRegistryKey = application_registry_key;
  std::string Warning = warning;
  std::string WarningRegistryEntry = warning_registry_entry;
  events_.evtReqWarn(ApplicationRegistryKey, Warning, WarningRegistryEntry);
}

}  // namespace morvel

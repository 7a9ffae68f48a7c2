#include "panel/properties_impl.h"

#include <string>

#include "base/error.h"
#include "kit/section_layout.h"
#include "panel/panel_layout.h"
#include "panel/section_list.h"

namespace morvel {
namespace {

// Key codes of the clipboard keys (the letters' codes, whatever the
// modifiers).
constexpr Integer kKeyCopy = 67;   // C
constexpr Integer kKeyPaste = 86;  // V
constexpr Integer kKeyCut = 88;    // X

WidgetTree& BuildForm(WidgetTree& tree) {
  BuildPanelForm(tree);
  return tree;
}

}  // namespace

PropertiesImpl::PropertiesImpl(PlatformServices platform,
                               PropertiesEvents& events,
                               PanelContainer& container,
                               SceneServices* services)
    : platform_(platform),
      container_(container),
      default_services_(services ? nullptr : MakeDefaultSceneServices()),
      context_(BuildForm(widgets_), state_, events, container, platform,
               services ? *services : *default_services_),
      sections_(MakeSections(context_)) {}

void PropertiesImpl::SetupPropertiesPanel(const SetupArguments& args) {
  WithPropertiesSource([&] {
    // The total first: an overflow must leave every frame where it was.
    SetupView view{args};
    for (Long count : {args.ShapesSelectedCount, args.LightsSelectedCount,
                       args.BonesSelectedCount, args.CamerasSelectedCount,
                       args.GroupsSelectedCount}) {
      view.total = CheckedAdd(view.total, count);
    }
    // Each section parks by its own rules; a frame no rule parks stays
    // where its loader last put it.
    for (const auto& section : sections_) section->Park(view);
    // The edit mode decides between the object sections, so it is read for
    // a single object on the object tab only, and before any loader runs.
    if (view.Tab() == kObjectTab && view.total == 1) {
      view.edit_mode = context_.ActiveScene()->EditMode();
    }
    for (const auto& section : sections_) {
      if (section->Loads(view)) {
        section->Load(args);
        return;
      }
    }
  });
}

void PropertiesImpl::SetSceneGraph(
    const std::shared_ptr<SceneGraph>& MorvelSceneGraph,
    const std::shared_ptr<Applier>& Applier) {
  WithPropertiesSource([&] {
    state_.scene_graph = MorvelSceneGraph;
    context_.Services().SceneGraphChanged(state_.scene_graph);
    if (state_.scene_graph && !state_.initialised) {
      InitializePanel();
      state_.initialised = true;
    }
    state_.applier = Applier;
  });
}

void PropertiesImpl::InitializePanel() {
  WithPropertiesSource([&] {
    SetEnabled(true);
    for (const auto& section : sections_) section->FillFixedLists();
    state_.picture_utility =
        Required(context_.Services().CreatePictureUtility());
  });
}

void PropertiesImpl::SetlVBColor(Long value) {
  WithPropertiesSource([&] { context_.SetlVBColor(value); });
}

void PropertiesImpl::SetEnabled(bool value) {
  // No error handling of its own: a failure reaches the caller unchanged.
  state_.enabled = value;
  for (const auto& section : sections_) {
    for (Frame* frame : section->Frames()) frame->SetEnabled(value);
  }
}

void PropertiesImpl::ReadProperties() {
  WithPropertiesSource([&] {
    // In a form designer the frames keep their designed places, so the
    // panel can be laid out by eye.
    if (!container_.UserMode()) return;
    for (const auto& section : sections_) section->PrepareForRunTime();
  });
}

void PropertiesImpl::Resize() {
  WithPropertiesSource([&] {
    const Long width = container_.Width();
    for (const auto& section : sections_) section->Resize(width);
  });
}

void PropertiesImpl::KeyDown(Integer key_code, Integer shift) {
  (void)shift;  // the clipboard keys work with any modifiers
  WithPropertiesSource([&] {
    if (key_code != kKeyCopy && key_code != kKeyCut && key_code != kKeyPaste) {
      return;
    }
    // Only text controls have a selection; for any other focused control
    // (or none) the selection steps fail and are skipped.
    auto selection_owner = [this]() -> TextWidget& {
      auto* text = dynamic_cast<TextWidget*>(widgets_.Focused());
      if (!text) RaiseError(kErrObjectRequired);
      return *text;
    };
    Clipboard& clipboard = *Required(platform_.clipboard);
    if (key_code == kKeyPaste) {
      Quietly([&] { selection_owner().SetSelectedText(clipboard.GetText()); });
      return;
    }
    clipboard.Clear();
    Quietly([&] { clipboard.SetText(selection_owner().SelectedText()); });
    if (key_code == kKeyCut) {
      Quietly([&] { selection_owner().SetSelectedText(""); });
    }
  });
}

void PropertiesImpl::Terminate() {
  WithPropertiesSource([&] {
    std::shared_ptr<DialogUtility> dialog = context_.DialogUtil();
    dialog->WriteDebugMessage("Properties instance terminating");
    state_.CurrentShapeNode.reset();
    state_.CurrentGroup.reset();
    state_.CurrentLight.reset();
    state_.CurrentCamera.reset();
    for (const auto& section : sections_) section->Release();
    state_.picture_utility.reset();
    state_.scene_graph.reset();
    // The applier goes with the panel itself.
    dialog->WriteDebugMessage("Properties instance terminated");
  });
}

}  // namespace morvel

#include "panel/properties_impl.h"

#include <string>

#include "base/error.h"
#include "kit/transaction.h"
#include "panel/panel_layout.h"
#include "sections/common/draw_mode.h"

namespace morvel {
namespace {

// The grid reaches 45 twips past the panel's right edge, so that its own
// border falls outside the panel and the grid looks flush with it.
constexpr Long kGridOverhang = 45;

// Key codes of the clipboard keys (the letters' codes, whatever the
// modifiers).
constexpr Integer kKeyCopy = 67;   // C
constexpr Integer kKeyPaste = 86;  // V
constexpr Integer kKeyCut = 88;    // X

// The frames Enabled switches, in the order it switches them.
constexpr const char* kSectionFrames[] = {
    "fraCommonProperties", "fraShapeCommonProperties", "fraShapeProperties",
    "fraLightProperties",  "fraCameraProperties",      "fraBoneProperties",
    "fraGroupProperties"};

// The object sections and their inner frames, as read properties widens them
// for run time.
struct RunTimeSection {
  const char* frame;
  std::initializer_list<const char*> inner;
};

const RunTimeSection kRunTimeSections[] = {
    {"fraShapeProperties",
     {"fraGeneral", "fraSmoothing", "fraMirror", "fraClone",
      "fraObjectRayTrace", "fraCustomShapeFields", "fraMaterial"}},
    {"fraLightProperties", {"fraLightGeneral", "fraLightSpot"}},
    {"fraCameraProperties", {"fraCameraGeneral", "fraCameraRaytrace"}},
    {"fraBoneProperties",
     {"fraBoneGeneral", "fraBoneVolume", "fraBoneVolumeIrregular"}},
    {"fraGroupProperties",
     {"fraPosition", "fraOrientation", "fraVelocity", "fraIK",
      "fraCustomGroupFields"}},
};

constexpr const char* kConditionItems[] = {"More Than", "Less Than"};
constexpr const char* kMirrorItems[] = {"None", "X", "Y", "Z"};
constexpr const char* kIKJointItems[] = {"Disabled", "Enabled", "Fixed"};
constexpr const char* kAttenuationItems[] = {"Constant", "Linear", "Quadratic"};

WidgetTree& BuildWidgets(WidgetTree& tree) {
  BuildPanelWidgets(tree);
  return tree;
}

SceneServices& ServicesOrThread(SceneServices* services) {
  return services ? *services : ThreadSceneServices();
}

}  // namespace

PropertiesImpl::PropertiesImpl(PlatformServices platform,
                               PropertiesEvents& events,
                               PanelContainer& container,
                               SceneServices* services)
    : platform_(platform),
      container_(container),
      context_(BuildWidgets(widgets_), state_, events, container, platform,
               ServicesOrThread(services)),
      common_(context_),
      display_options_(context_),
      materials_(context_),
      shape_(context_, materials_),
      group_(context_),
      light_(context_),
      camera_(context_),
      bone_(context_) {}

void PropertiesImpl::Park(Widget& frame) {
  frame.SetLeft(kParkedLeft);
  frame.SetEnabled(false);
}

void PropertiesImpl::SetupPropertiesPanel(const SetupArguments& args) {
  WithPropertiesSource([&] {
    const Long T = args.SelectedTab;
    const Long Ns = args.ShapesSelectedCount;
    const Long Nl = args.LightsSelectedCount;
    const Long Nb = args.BonesSelectedCount;
    const Long Nc = args.CamerasSelectedCount;
    const Long Ng = args.GroupsSelectedCount;
    // The total first: an overflow must leave every frame where it was.
    const Long N =
        CheckedAdd(CheckedAdd(CheckedAdd(CheckedAdd(Ns, Nl), Nb), Nc), Ng);

    WidgetTree& w = widgets_;
    // Each rule stands by itself; a frame no rule parks stays where its
    // loader last put it.
    if (T == kObjectTab || N == 0) {
      Park(w.GetWidget("fraCommonProperties"));
      Park(w.GetWidget("fraShapeCommonProperties"));
    }
    if (!(T != kCommonTab && Ns == 1 && N <= 1)) {
      Park(w.GetWidget("fraShapeProperties"));
    }
    if (T == kCommonTab && Ns != 1) {
      w.GetWidget("chkCommonShadowless").SetVisible(false);
      Park(w.GetWidget("fraShapeCommonProperties"));
    }
    if (!(T != kCommonTab && Nl == 1 && N <= 1)) {
      Park(w.GetWidget("fraLightProperties"));
    }
    if (!(T != kCommonTab && Nc == 1 && N <= 1)) {
      Park(w.GetWidget("fraCameraProperties"));
    }
    if (!(T != kCommonTab && Nb == 1 && N <= 1)) {
      Park(w.GetWidget("fraBoneProperties"));
    }
    if (!(T != kCommonTab && Ng == 1 && !args.SceneSelected && N <= 1)) {
      Park(w.GetWidget("fraGroupProperties"));
    }
    // The divider's Top belongs to the common loader; only its Left is ours.
    w.GetWidget("fraBottomDivider")
        .SetLeft(T == kCommonTab && N > 0 ? -30 : kParkedLeft);

    if (T == kCommonTab) {
      if (N > 0) common_.LoadCommonProperties(args);
      return;
    }
    if (T != kObjectTab || N != 1) return;
    Long edit_mode = context_.ActiveScene()->EditMode();
    if (Ns == 1 && edit_mode == 0) {
      shape_.LoadShapeProperties();
    } else if (Ng == 1) {
      group_.LoadGroupProperties(args);
    } else if (Nl == 1) {
      light_.LoadLightProperties(args);
    } else if (Nc == 1) {
      camera_.LoadCameraProperties();
    } else if (Nb == 1) {
      bone_.LoadBoneProperties();
    }
    // A single shape in another edit mode: the scene is editing its parts,
    // and the shape's own section has nothing to show for that.
  });
}

void PropertiesImpl::SetSceneGraph(
    const std::shared_ptr<SceneGraph>& MorvelSceneGraph,
    const std::shared_ptr<Applier>& Applier) {
  WithPropertiesSource([&] {
    state_.scene_graph = MorvelSceneGraph;
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
    ComboBox& draw = widgets_.Get<ComboBox>("cboShapeDraw");
    for (Long i = 0; i < kDrawModeCount; ++i)
      draw.AddItem(kDrawModeItems[i], i);
    ComboBox& condition = widgets_.Get<ComboBox>("cboCondition");
    for (const char* item : kConditionItems) condition.AddItem(item);
    ComboBox& mirror = widgets_.Get<ComboBox>("cboMirror");
    for (const char* item : kMirrorItems) mirror.AddItem(item);
    ComboBox& joint = widgets_.Get<ComboBox>("cboIKJoint");
    for (const char* item : kIKJointItems) joint.AddItem(item);
    ComboBox& attenuation = widgets_.Get<ComboBox>("cboAttenuationType");
    Long position = 0;
    for (const char* item : kAttenuationItems)
      attenuation.AddItem(item, position++);
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
  for (const char* name : kSectionFrames)
    widgets_.GetWidget(name).SetEnabled(value);
}

void PropertiesImpl::ReadProperties() {
  WithPropertiesSource([&] {
    // In a form designer the frames keep their designed places, so the
    // panel can be laid out by eye.
    if (!container_.UserMode()) return;
    widgets_.GetWidget("fraBottomDivider").SetWidth(kRunTimeFrameWidth);
    for (const RunTimeSection& section : kRunTimeSections) {
      Widget& frame = widgets_.GetWidget(section.frame);
      frame.SetLeft(kParkedLeft);
      frame.SetWidth(kRunTimeFrameWidth);
      for (const char* inner : section.inner) {
        widgets_.GetWidget(inner).SetWidth(kRunTimeFrameWidth);
      }
    }
  });
}

void PropertiesImpl::Resize() {
  WithPropertiesSource([&] {
    widgets_.GetWidget("msgMaterialAttributes")
        .SetWidth(CheckedAdd(container_.Width(), kGridOverhang));
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
    state_.EditShape.reset();
    state_.picture_utility.reset();
    state_.scene_graph.reset();
    // The applier goes with the panel itself.
    dialog->WriteDebugMessage("Properties instance terminated");
  });
}

}  // namespace morvel

// The smallest host of the panel: it answers the panel's events, hands over a
// scene graph, and calls SetupPropertiesPanel when the selection changes.
// Its scene is an empty one made from the library's base classes; a real
// host derives its document's objects from them. It passes scene services
// of its own, as a host with its own scene library would.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "host/scene_services.h"
#include "host/selection_rules.h"
#include "panel/properties.h"
#include "platform/headless.h"
#include "platform/settings_store.h"
#include "scene/scene.h"
#include "scene/scene_bases.h"
#include "warn/frm_warn.h"

namespace {

using namespace morvel;

// 1. The event sink: the host records and redraws around every edit.
class HostEvents : public PropertiesEvents {
 public:
  void evtReqPrepareForSceneChanges(std::string& LayerSource) override {
    std::printf("prepare %s\n", LayerSource.c_str());
  }
  void evtReqApplySceneChanges(bool& HierarchyChanged) override {
    std::printf("apply %s\n", HierarchyChanged ? "hierarchy" : "values");
  }
};

// 2. The host's scene, as the panel sees it: an empty SceneGraphBase.

// 3. The scene library's shared utilities. A host with the real library
// installs its UtilityFactory instead and passes no services at all.
class HostServices : public SceneServices {
 public:
  std::shared_ptr<SceneUtility> GetSceneUtility() override { return nullptr; }
  std::shared_ptr<DialogUtility> GetDialogUtility() override { return dialog_; }
  std::shared_ptr<MathUtility> GetMathUtility() override { return nullptr; }
  std::shared_ptr<PictureUtility> CreatePictureUtility() override {
    return std::make_shared<Pictures>();
  }

 private:
  struct Pictures : PictureUtility {
    Picture LoadThumbnail(const std::string& path, Long size) override {
      return ThumbnailPicture(path, size);
    }
  };
  struct Debug : DialogUtility {
    ColourChoice ChooseColour(Long, const std::string&, Colour c) override {
      return {0, c};
    }
    std::string ChooseMapFile(Long, const std::string&, Long,
                              Integer) override {
      return {};
    }
    void WriteDebugMessage(const std::string& text) override {
      std::printf("debug: %s\n", text.c_str());
    }
  };
  std::shared_ptr<DialogUtility> dialog_ = std::make_shared<Debug>();
};

int Fail(const char* what) {
  std::printf("minimal host: FAILED: %s\n", what);
  return 1;
}

}  // namespace

int main() {
  MemoryClipboard clipboard;
  RecordingMessageBox messages;
  MemorySettingsStore settings;
  FixedScreenMetrics metrics;
  HostEvents events;
  FixedContainer container;  // a real host reports its window here
  HostServices services;

  Properties panel(PlatformServices{&clipboard, &messages, &settings, &metrics},
                   events, container, &services);
  panel.ReadProperties();
  auto scene = std::make_shared<SceneGraphBase>();
  panel.SetSceneGraph(scene, nullptr);
  if (!panel.Enabled()) return Fail("not enabled after SetSceneGraph");

  // Nothing selected, common tab: every section leaves the view.
  panel.SetupPropertiesPanel(ComputeSetupArguments(*scene, 2));
  if (panel.Widgets().GetWidget("fraCommonProperties").Left() != -50000) {
    return Fail("common frame still in view");
  }
  // A host error arrives as morvel::Error with the panel as its source.
  try {
    panel.SetupPropertiesPanel(3, 0, 0x7fffffff, 1, 0, 0, 0, false, false,
                               false, 0);
    return Fail("no overflow");
  } catch (const Error& e) {
    std::printf("%s\n", e.ToString().c_str());
  }
  panel.SetlVBColor(0x1000000);
  if (panel.lVBColor() != 0xFFFFFF) return Fail("lVBColor");

  // The warning dialog keeps the user's choice under "Tips".
  frmWarn warn(&settings);
  warn.SetsApplicationRegistryKey("MinimalHost");
  warn.SetsWarning("Shown once.");
  warn.SetsWarningRegistryEntry("Hello");
  warn.Load();
  warn.Unload();
  if (settings.GetSetting("MinimalHost", "Tips", "Hello") != "1") {
    return Fail("warning choice");
  }

  panel.Terminate();
  std::printf("minimal host: ok\n");
  return 0;
}

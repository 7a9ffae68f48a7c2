#ifndef MORVEL_IMGUI_PROPERTIES_PANEL_H_
#define MORVEL_IMGUI_PROPERTIES_PANEL_H_

#include <imgui.h>

#include <functional>
#include <memory>
#include <string>

#include "base/error.h"
#include "base/types.h"
#include "imgui/frame_lender.h"
#include "imgui/texture_maker.h"
#include "panel/properties.h"
#include "platform/platform.h"

// The property panel for a Dear ImGui host. The host writes
//
//   morvel::imgui::PropertiesPanel panel(my_events);
//   panel.SetFrameLender(my_frame);            // for the modal answers
//   panel.panel().SetSceneGraph(scene_graph, applier);
//   ...
//   // every frame, inside one of the host's windows:
//   panel.Draw();
//
// and answers the events in `my_events` (see docs/embedding-imgui.md).
//
// The object owns the panel and what the panel needs from the window
// system: the clipboard through ImGui's clipboard functions, message boxes,
// the colour and map-file choosers and the warning tip as ImGui modal
// windows, the per-user settings files. It is the panel's container: the
// size it is drawn at is what the panel reads as its width and heights
// (twips through the screen metrics, 15 twips a pixel unless the host says
// otherwise), a change of that size is the panel's resize notification, the
// copy, cut and paste keys of the panel's fields are its key-down
// notification, and destroying it terminates the panel.
//
// A person's input of a frame runs once ImGui has rendered the frame (the
// panel hooks into ImGui::Render() of the current context), outside any
// frame: an editor that asks a modal question then waits for the answer in
// frames the host lends (SetFrameLender). Every error the panel raises
// while it handles that input comes out of `on_error`; with nothing set it
// is written to standard error. The calls the host makes itself
// (SetSceneGraph, SetupPropertiesPanel, ...) raise morvel::Error as usual.
//
// Create the panel once the ImGui context exists, and destroy it before the
// context, on the thread that draws.
namespace morvel {
class SceneServices;
}  // namespace morvel

namespace morvel::imgui {

class WidgetView;
class ImGuiDialogUtility;

class PropertiesPanel {
 public:
  // What the host may supply instead of the panel's own. Null means the
  // panel's own; whatever is given must outlive the panel.
  struct Services {
    // Default: ImGui's clipboard functions.
    Clipboard* clipboard = nullptr;
    // Default: an ImGui modal message box.
    MessageBoxService* message_box = nullptr;
    // Default: the per-user settings files (FileSettingsStore).
    SettingsStore* settings = nullptr;
    // Default: 15 twips a pixel (a 96 dpi screen).
    ScreenMetrics* metrics = nullptr;
    // Default: the scene library's shared utilities (the installed
    // UtilityFactory), with the ImGui colour and map-file choosers.
    SceneServices* scene_services = nullptr;
    // Makes textures of the pictures (the material grid's icons and map
    // thumbnails) for the host's renderer; without one the pictures are
    // drawn as plain swatches.
    TextureMaker* textures = nullptr;
    // The size (pixels) the panel reads before it is first drawn.
    ImVec2 initial_size{270, 650};
  };

  explicit PropertiesPanel(PropertiesEvents& events);
  PropertiesPanel(PropertiesEvents& events, const Services& services);
  ~PropertiesPanel();
  PropertiesPanel(const PropertiesPanel&) = delete;
  PropertiesPanel& operator=(const PropertiesPanel&) = delete;

  Properties& panel();
  const Properties& panel() const;
  // The store the panel writes its settings to; a host's applier reads the
  // mesh operations' parameters back from it.
  SettingsStore& settings();

  // Draws the panel inside the current window at the cursor, `size` pixels
  // (0 in either direction: the rest of the window's content region), and
  // takes this frame's input. Once a frame, between NewFrame and Render.
  void Draw(ImVec2 size = ImVec2(0, 0));

  // The host's frames for modal answers. Without a lender a message goes to
  // standard error and the choosers answer as cancelled.
  void SetFrameLender(FrameLender lender);
  // A modal question of the panel is on screen: the host's own shortcuts
  // should wait (ImGui already keeps the mouse from the windows behind it).
  bool InModal() const;

  // A ready answer to evtReqWarn: unless the person switched this warning
  // off in an earlier tip (its "Tips" setting is "0"), shows the tip as a
  // modal window and stores the new choice. True when the tip was shown.
  bool ShowWarning(const std::string& application_key,
                   const std::string& warning,
                   const std::string& registry_entry);
  bool IsWarningSwitchedOff(const std::string& application_key,
                            const std::string& registry_entry);

  // The folder of the scene file: maps named relative to it are drawn from
  // there, and the map-file chooser starts there.
  void SetSceneFolder(const std::string& folder);

  // The container's facts fixed (twips), for scripted runs that give the
  // panel an exact size: the panel is drawn at that size and a change of
  // the window is no notification. The caller tells the panel
  // (panel().Resize()).
  void FixContainer(Long inner_height, Long outer_height, Long width);

  // The container's terminate notification, now and once; its error
  // reaches the caller. Without it the destructor terminates the panel and
  // reports an error as input errors are reported.
  void Terminate();

  // An error of the panel while it handled input or a resize.
  std::function<void(const Error& error)> on_error;
  // The panel handled a resize: its sections take the height they are
  // loaded with, so a host may set the panel up again to fill it.
  std::function<void()> on_resize;
  // After each piece of a person's input has been handled.
  std::function<void()> on_input;

  // The ImGui side of the panel, for tools and tests: the view of its
  // widgets and the choosers (canned answers).
  WidgetView& view();
  ImGuiDialogUtility& dialogs();

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace morvel::imgui

#endif  // MORVEL_IMGUI_PROPERTIES_PANEL_H_

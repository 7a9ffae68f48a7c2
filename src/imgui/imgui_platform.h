#ifndef MORVEL_IMGUI_IMGUI_PLATFORM_H_
#define MORVEL_IMGUI_IMGUI_PLATFORM_H_

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "host/chooser_scene_services.h"
#include "imgui/modal.h"
#include "platform/platform.h"
#include "scene/utilities.h"

// The windowing-system services of the panel for an ImGui host: the
// clipboard through ImGui's clipboard functions (which the host's backend
// connects to the system's), and the message box and the colour and
// map-file choosers as ImGui modal windows, answered in frames the host
// lends (modal.h).
namespace morvel::imgui {

class ImGuiClipboard final : public Clipboard {
 public:
  void Clear() override;
  void SetText(const std::string& text) override;
  std::string GetText() override;
};

// The panel's messages: title "Morvel", an exclamation mark, OK. Without
// frames to show it in (no lender yet, or the host's window closing) the
// message is written to standard error, so it is not lost.
class ImGuiMessageBox final : public MessageBoxService {
 public:
  explicit ImGuiMessageBox(ModalLoop& modals) : modals_(modals) {}
  void Show(const std::string& text, const std::string& title, MessageIcon icon,
            MessageButtons buttons) override;

 private:
  ModalLoop& modals_;
};

// The colour chooser answers kChooseColourAccepted (5) and the chosen
// colour when the person accepts, and 0 with the colour it started with
// when they cancel (or no frame could be had). The map-file chooser answers
// a path, relative to the scene's folder when the file is inside it, or
// nothing. Scripted runs put canned answers in `next_colour` and
// `next_map_file`; each is used once, instead of showing the window.
class ImGuiDialogUtility final : public DialogUtility {
 public:
  explicit ImGuiDialogUtility(ModalLoop& modals) : modals_(modals) {}
  ColourChoice ChooseColour(Long owner, const std::string& application_key,
                            Colour colour) override;
  std::string ChooseMapFile(Long owner, const std::string& application_key,
                            Long setting_a, Integer setting_b) override;
  // To standard error when the MORVEL_DEBUG environment variable is set.
  void WriteDebugMessage(const std::string& text) override;

  // The folder of the scene being edited: the map-file chooser starts there
  // until a file is chosen elsewhere.
  void SetSceneFolder(const std::string& folder);

  std::optional<ColourChoice> next_colour;
  std::optional<std::string> next_map_file;
  // Where the map-file chooser starts; it remembers the last folder used.
  std::string map_folder;

 private:
  ModalLoop& modals_;
  std::string scene_folder_;
};

// The scene utilities a panel given none uses (MakeDefaultSceneServices),
// with the choosers replaced by the ImGui ones.
class ImGuiSceneServices final : public ChooserSceneServices {
 public:
  explicit ImGuiSceneServices(std::shared_ptr<ImGuiDialogUtility> dialogs)
      : ChooserSceneServices(std::move(dialogs)) {}
};

}  // namespace morvel::imgui

#endif  // MORVEL_IMGUI_IMGUI_PLATFORM_H_

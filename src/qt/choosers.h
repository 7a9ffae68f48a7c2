#ifndef MORVEL_QT_CHOOSERS_H_
#define MORVEL_QT_CHOOSERS_H_

#include <cstddef>
#include <deque>
#include <memory>
#include <string>

#include "base/types.h"
#include "scene/utilities.h"

class QWidget;

// The colour and map-file choosers of the Qt adapter: the dialogs a
// PropertiesWidget shows when a person clicks a colour or map cell of the
// material grid or the light's colour swatch, and how a host's tests script
// them (PropertiesWidget::dialogs()).
//
// The colour chooser answers kChooseColourAccepted (5) and the chosen colour
// when the person presses OK, and 0 with the colour it started with when
// they cancel: the panel changes nothing for any result but 5.
//
// The map-file chooser answers the chosen file, relative to the scene's
// folder when it lies inside it (as a scene file names its maps). Its "No
// Map" button answers the empty path, which removes the map. Cancel (the
// button, Escape, closing the window) raises kErrChooserCancelled: the
// panel asks before it changes anything, so a cancelled choice changes
// nothing, and PropertiesWidget does not report it as an error.
namespace morvel::qt {

// "Cancel was selected.", raised by a map-file chooser the person cancelled.
inline constexpr Long kErrChooserCancelled = 32755;

class QtDialogUtility final : public DialogUtility {
 public:
  // `debug_sink` receives WriteDebugMessage (null: standard error when the
  // MORVEL_DEBUG environment variable is set, else nowhere). The dialogs
  // open over `parent`'s window.
  explicit QtDialogUtility(std::shared_ptr<DialogUtility> debug_sink = nullptr,
                           QWidget* parent = nullptr);
  ~QtDialogUtility() override;

  ColourChoice ChooseColour(Long owner, const std::string& application_key,
                            Colour colour) override;
  std::string ChooseMapFile(Long owner, const std::string& application_key,
                            Long setting_a, Integer setting_b) override;
  void WriteDebugMessage(const std::string& text) override;

  void SetParent(QWidget* parent) { parent_ = parent; }
  // The folder of the scene being edited: the map-file chooser starts there
  // until a file is chosen elsewhere, and a file chosen inside it is
  // answered relative to it.
  void SetSceneFolder(const std::string& folder);
  // Where the map-file chooser starts next; it remembers the last folder.
  const std::string& MapFolder() const { return map_folder_; }
  void SetMapFolder(std::string folder) { map_folder_ = std::move(folder); }

  // --- scripted answers, for tests and scripted runs ---
  // Each is what the next chooser of its kind answers instead of showing
  // its dialog, in the order given; a chooser with no answer waiting shows
  // its dialog.
  void AnswerColour(Colour colour);  // picked, then OK
  void CancelColour();
  void AnswerMapFile(std::string path);  // picked, then Open
  void AnswerNoMap();                    // the "No Map" button
  void CancelMapFile();
  // Answers given and not used yet.
  std::size_t PendingAnswers() const {
    return colour_answers_.size() + map_answers_.size();
  }

 private:
  struct MapAnswer {
    bool cancelled = false;
    std::string path;
  };
  // The file dialog; false when the person cancelled.
  bool ShowMapFileDialog(const std::string& application_key,
                         std::string& path);
  std::string RelativeToScene(const std::string& path) const;

  std::shared_ptr<DialogUtility> debug_sink_;
  QWidget* parent_;
  std::string scene_folder_;
  std::string map_folder_;
  std::deque<ColourChoice> colour_answers_;
  std::deque<MapAnswer> map_answers_;
};

}  // namespace morvel::qt

#endif  // MORVEL_QT_CHOOSERS_H_

#ifndef MORVEL_QT_QT_PLATFORM_H_
#define MORVEL_QT_QT_PLATFORM_H_

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "host/chooser_scene_services.h"
#include "platform/platform.h"
#include "qt/choosers.h"
#include "scene/utilities.h"

class QWidget;

// The windowing-system services of the panel, implemented with Qt: the
// system clipboard, modal message boxes and the screen's twips per pixel
// (the colour and map-file choosers are in qt/choosers.h). Only code under qt/ and the Qt host include
// Qt; these headers keep Qt types out of their signatures where they can.
namespace morvel::qt {

// The system clipboard as plain text.
class QtClipboard final : public Clipboard {
 public:
  void Clear() override;
  void SetText(const std::string& text) override;
  std::string GetText() override;
};

// A modal QMessageBox. The panel's messages carry the title "Morvel", the
// exclamation icon and one OK button.
class QtMessageBox final : public MessageBoxService {
 public:
  // `parent` centres the box over the host window; may be null.
  explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}
  void Show(const std::string& text, const std::string& title, MessageIcon icon,
            MessageButtons buttons) override;
  void SetParent(QWidget* parent) { parent_ = parent; }
  // Called with every message before it is shown; a scripted run uses it to
  // record what the user was told.
  std::function<void(const std::string& text, const std::string& title)>
      on_show;
  // When false the message is recorded (on_show) but no window is shown: the
  // scripted runs cannot have a person press OK.
  bool interactive = true;

 private:
  QWidget* parent_;
};

// Twips per pixel of the primary screen: 1440 divided by its logical dots per
// inch (15 on a 96 dpi screen), unless fixed by the caller.
class QtScreenMetrics final : public ScreenMetrics {
 public:
  QtScreenMetrics();
  // Fixed values (the scripted runs and tests use 15 x 15 whatever the
  // screen).
  QtScreenMetrics(Long twips_per_pixel_x, Long twips_per_pixel_y)
      : x_(twips_per_pixel_x), y_(twips_per_pixel_y) {}
  Long TwipsPerPixelX() const override { return x_; }
  Long TwipsPerPixelY() const override { return y_; }

 private:
  Long x_;
  Long y_;
};

// The scene utilities a panel given none uses (MakeDefaultSceneServices),
// with the choosers replaced by the Qt ones. Hand it to the Properties
// constructor.
class QtSceneServices final : public ChooserSceneServices {
 public:
  explicit QtSceneServices(std::shared_ptr<QtDialogUtility> dialogs)
      : ChooserSceneServices(dialogs), dialogs_(std::move(dialogs)) {}
  QtDialogUtility& Dialogs() { return *dialogs_; }

 private:
  std::shared_ptr<QtDialogUtility> dialogs_;
};

// Packed 0x00BBGGRR colours, including the system colours (0x800000nn) the
// widgets start with, as Qt colours and back.
unsigned int ColourToRgb(Colour colour);  // 0xAARRGGBB for QColor
Colour RgbToColour(unsigned int rgb);

}  // namespace morvel::qt

#endif  // MORVEL_QT_QT_PLATFORM_H_

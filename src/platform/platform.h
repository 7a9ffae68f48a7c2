#ifndef MORVEL_PLATFORM_PLATFORM_H_
#define MORVEL_PLATFORM_PLATFORM_H_

#include <optional>
#include <string>

#include "base/types.h"

// The services of the windowing system and the user's environment that the
// panel and the warning dialog use. The core only sees these interfaces; the
// headless implementations live beside them (headless.h, settings_store.h) and
// the Qt adapter supplies real ones.
namespace morvel {

// The system clipboard, plain text only.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void Clear() = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual std::string GetText() = 0;
};

enum class MessageIcon { kNone, kCritical, kQuestion, kExclamation, kInformation };
enum class MessageButtons { kOk, kOkCancel, kYesNo };

// A modal message box. Returns when the user has dismissed it.
class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  virtual void Show(const std::string& text, const std::string& title,
                    MessageIcon icon, MessageButtons buttons) = 0;
};

// Twips per pixel of the screen the panel is shown on (15 on a 96 dpi screen).
class ScreenMetrics {
 public:
  virtual ~ScreenMetrics() = default;
  virtual Long TwipsPerPixelX() const = 0;
  virtual Long TwipsPerPixelY() const = 0;
};

// The per-user settings store, keyed by application, section and key.
// A store that cannot be read or written raises an Error naming the file.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual void SaveSetting(const std::string& application,
                           const std::string& section, const std::string& key,
                           const std::string& value) = 0;
  virtual std::optional<std::string> GetSetting(const std::string& application,
                                                const std::string& section,
                                                const std::string& key) = 0;
};

// What a panel is handed by its host. Every pointer must outlive the panel.
struct PlatformServices {
  Clipboard* clipboard = nullptr;
  MessageBoxService* message_box = nullptr;
  SettingsStore* settings = nullptr;
  ScreenMetrics* metrics = nullptr;
};

}  // namespace morvel

#endif  // MORVEL_PLATFORM_PLATFORM_H_

#ifndef MORVEL_PLATFORM_HEADLESS_H_
#define MORVEL_PLATFORM_HEADLESS_H_

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/error.h"
#include "platform/platform.h"
#include "platform/settings_store.h"

// Platform services without a windowing system: for the command-line host,
// the scenario runner and the tests. Each can be told to fail, so that the
// panel's handling of a failing clipboard or message box can be exercised.
namespace morvel {

// A clipboard held in memory. Records every call in order, e.g.
// {"Clear", "SetText:1.5", "GetText"}, so tests can assert what the panel did.
class MemoryClipboard : public Clipboard {
 public:
  enum class Operation { kClear, kSetText, kGetText };

  void Clear() override;
  void SetText(const std::string& text) override;
  std::string GetText() override;

  // From now on `operation` raises `error` (and changes nothing); pass
  // std::nullopt to make it succeed again.
  void FailOn(Operation operation, std::optional<Error> error);

  // The clipboard's content, as another application would see it.
  const std::string& Text() const { return text_; }
  void PutText(std::string text) { text_ = std::move(text); }

  const std::vector<std::string>& Calls() const { return calls_; }

 private:
  void MaybeFail(Operation operation);

  std::string text_;
  std::vector<std::string> calls_;
  std::optional<Error> fail_clear_;
  std::optional<Error> fail_set_;
  std::optional<Error> fail_get_;
};

// A message box that shows nothing and records what it was asked to show.
class RecordingMessageBox : public MessageBoxService {
 public:
  struct Message {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::kNone;
    MessageButtons buttons = MessageButtons::kOk;
    bool operator==(const Message&) const = default;
  };

  void Show(const std::string& text, const std::string& title,
            MessageIcon icon, MessageButtons buttons) override;

  // Messages in the order they were shown.
  const std::vector<Message>& Messages() const { return messages_; }
  void ClearMessages() { messages_.clear(); }

  // Called while a message is "on screen", after it has been recorded; lets a
  // test act as the user (or fail) at that moment.
  void OnShow(std::function<void(const Message&)> handler) {
    on_show_ = std::move(handler);
  }
  // From now on Show records the message and then raises `error`.
  void FailWith(std::optional<Error> error) { fail_ = std::move(error); }

 private:
  std::vector<Message> messages_;
  std::function<void(const Message&)> on_show_;
  std::optional<Error> fail_;
};

// A screen of fixed resolution; 15 twips per pixel is a 96 dpi screen.
class FixedScreenMetrics : public ScreenMetrics {
 public:
  explicit FixedScreenMetrics(Long twips_per_pixel_x = 15,
                              Long twips_per_pixel_y = 15);
  Long TwipsPerPixelX() const override { return x_; }
  Long TwipsPerPixelY() const override { return y_; }

 private:
  Long x_;
  Long y_;
};

// All four services in memory, as a panel run without a window (a tool, a
// benchmark) is lent them.
struct HeadlessServices {
  PlatformServices Platform() {
    return PlatformServices{&clipboard, &messages, &settings, &metrics};
  }

  MemoryClipboard clipboard;
  RecordingMessageBox messages;
  MemorySettingsStore settings;
  FixedScreenMetrics metrics;
};

// Human-readable names of the message enumerations, for logs and test output.
const char* MessageIconName(MessageIcon icon);
const char* MessageButtonsName(MessageButtons buttons);

}  // namespace morvel

#endif  // MORVEL_PLATFORM_HEADLESS_H_

#ifndef MORVEL_SCENARIO_SCENARIO_SERVICES_H_
#define MORVEL_SCENARIO_SCENARIO_SERVICES_H_

#include <memory>
#include <optional>
#include <string>

#include "base/error.h"
#include "platform/platform.h"
#include "platform/settings_store.h"
#include "scenario/recorder.h"

// The services a host hands the panel while a scenario plays, the same in
// every host: a settings store in memory, fresh for each scenario, and the
// host's own clipboard and message box (the system's, the screen's; none
// for a message box that only records), each of which a scenario can make
// fail (`fault Clipboard.Clear 521 "..."`); the events, message boxes and
// settings writes recorded for the interpreter (recorder.h).
namespace morvel::scenario {

class ScenarioServices {
 public:
  // `clipboard` and `message_box` (null: messages are only recorded) do
  // the work; the panel's events go on to `events` (may be null). All must
  // outlive the services.
  ScenarioServices(Clipboard& clipboard, MessageBoxService* message_box,
                   PropertiesEvents* events);
  ScenarioServices(const ScenarioServices&) = delete;
  ScenarioServices& operator=(const ScenarioServices&) = delete;

  // A new scenario: an empty settings store and clipboard, no faults, and
  // everything the panel does recorded by `recorder` (null: nothing).
  void Begin(Recorder* recorder);
  // ScenarioHost::FaultPlatform: Clipboard.Clear, Clipboard.SetText,
  // Clipboard.GetText, MessageBox.Show, Settings.SaveSetting and
  // Settings.GetSetting (which fail together). Error number 0 makes the
  // operation work again. False for another operation.
  bool Fault(const std::string& operation, const Error& error);

  Clipboard& GetClipboard() { return clipboard_; }
  SettingsStore& Settings() { return *settings_; }
  MessageBoxService& Messages() { return messages_; }
  PropertiesEvents& Events() { return events_; }
  // What a panel is handed: these services and the host's screen metrics.
  PlatformServices Platform(ScreenMetrics* metrics);

 private:
  // Fails when told to, else passes the call on.
  class FaultingClipboard final : public Clipboard {
   public:
    explicit FaultingClipboard(Clipboard& inner) : inner_(inner) {}
    void Clear() override;
    void SetText(const std::string& text) override;
    std::string GetText() override;
    std::optional<Error> fail_clear, fail_set, fail_get;

   private:
    Clipboard& inner_;
  };
  class FaultingMessageBox final : public MessageBoxService {
   public:
    explicit FaultingMessageBox(MessageBoxService* inner) : inner_(inner) {}
    void Show(const std::string& text, const std::string& title,
              MessageIcon icon, MessageButtons buttons) override;
    std::optional<Error> fail;

   private:
    MessageBoxService* inner_;
  };

  FaultingClipboard clipboard_;
  FaultingMessageBox message_box_;
  RecordingMessageService messages_{&message_box_};
  RecordingEvents events_;
  std::unique_ptr<MemorySettingsStore> store_;
  std::unique_ptr<RecordingSettingsStore> settings_;
};

}  // namespace morvel::scenario

#endif  // MORVEL_SCENARIO_SCENARIO_SERVICES_H_

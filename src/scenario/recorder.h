#ifndef MORVEL_SCENARIO_RECORDER_H_
#define MORVEL_SCENARIO_RECORDER_H_

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "panel/properties.h"
#include "platform/platform.h"

// What a scenario observes of the panel besides its widgets: the events it
// raised, the message boxes it showed and the settings it wrote. A host wraps
// the panel's services in the Recording* decorators below and attaches them
// to the interpreter's Recorder; they forward to the host's own services, so
// a real host keeps working while a scenario plays.
namespace morvel::scenario {

// One argument of an event: a string or a Boolean.
using EventArgument = std::variant<std::string, bool>;

struct RecordedEvent {
  std::string name;
  std::vector<EventArgument> arguments;

  // As the scenario language writes it: `evtShapeHidden8`,
  // `evtReqPrepareForSceneChanges("SysProperties")`,
  // `evtReqApplySceneChanges(False)`.
  std::string ToText() const;
  friend bool operator==(const RecordedEvent&, const RecordedEvent&) = default;
};

struct RecordedMessage {
  std::string text;
  std::string title;
  MessageIcon icon = MessageIcon::kNone;
  MessageButtons buttons = MessageButtons::kOk;
};

struct RecordedSetting {
  std::string application, section, key, value;
};

// "quoted \"text\"" with \" and \\ escaped, as scenarios write strings.
std::string Quote(std::string_view text);

class Recorder {
 public:
  // Transcript lines go to `transcript` when it is not null.
  void SetTranscript(std::ostream* transcript) { transcript_ = transcript; }
  // Writes one line to the transcript (indented by the caller).
  void Note(std::string_view line);

  void RecordEvent(RecordedEvent event);
  void RecordMessage(RecordedMessage message);
  void RecordSetting(RecordedSetting setting);

  // Starts a new action: what was recorded before no longer counts as the
  // last action's.
  void StartAction();
  // Everything since the start, and what the last action produced.
  const std::vector<RecordedEvent>& AllEvents() const { return events_; }
  std::vector<RecordedEvent> ActionEvents() const;
  std::vector<RecordedMessage> ActionMessages() const;
  const std::vector<RecordedSetting>& Settings() const { return settings_; }

  // Forgets everything (a new scenario).
  void Clear();

 private:
  std::ostream* transcript_ = nullptr;
  std::vector<RecordedEvent> events_;
  std::vector<RecordedMessage> messages_;
  std::vector<RecordedSetting> settings_;
  std::size_t action_events_ = 0;
  std::size_t action_messages_ = 0;
};

// Records every event, hands it to `on_event` (a host that answers the
// events as records, the demos' event logs), then passes it on to `forward`
// (when given).
class RecordingEvents : public PropertiesEvents {
 public:
  explicit RecordingEvents(PropertiesEvents* forward = nullptr)
      : forward_(forward) {}
  void Attach(Recorder* recorder) { recorder_ = recorder; }
  void SetForward(PropertiesEvents* forward) { forward_ = forward; }
  std::function<void(const RecordedEvent& event)> on_event;

  void evtShapeHidden8() override;
  void evtLightHidden8() override;
  void evtBoneHidden8() override;
  void evtGroupHidden8() override;
  void evtCameraHidden8() override;
  void evtReqPrepareForSceneChanges(std::string& LayerSource) override;
  void evtReqApplySceneChanges(bool& HierarchyChanged) override;
  void evtReqOpenSource() override;
  void evtReqApplyOperation(std::string& Operation) override;
  void evtReqWarn(std::string& ApplicationRegistryKey, std::string& Warning,
                  std::string& WarningRegistryEntry) override;

 private:
  void Record(const char* name, std::vector<EventArgument> arguments = {});
  Recorder* recorder_ = nullptr;
  PropertiesEvents* forward_;
};

// Records every message box; shows it through `forward` when given (the
// headless host shows nothing).
class RecordingMessageService : public MessageBoxService {
 public:
  explicit RecordingMessageService(MessageBoxService* forward = nullptr)
      : forward_(forward) {}
  void Attach(Recorder* recorder) { recorder_ = recorder; }
  void Show(const std::string& text, const std::string& title, MessageIcon icon,
            MessageButtons buttons) override;

 private:
  Recorder* recorder_ = nullptr;
  MessageBoxService* forward_;
};

// Records every settings write that `inner` accepted.
class RecordingSettingsStore : public SettingsStore {
 public:
  explicit RecordingSettingsStore(SettingsStore& inner) : inner_(inner) {}
  void Attach(Recorder* recorder) { recorder_ = recorder; }
  void SaveSetting(const std::string& application, const std::string& section,
                   const std::string& key, const std::string& value) override;
  std::optional<std::string> GetSetting(const std::string& application,
                                        const std::string& section,
                                        const std::string& key) override;

 private:
  SettingsStore& inner_;
  Recorder* recorder_ = nullptr;
};

}  // namespace morvel::scenario

#endif  // MORVEL_SCENARIO_RECORDER_H_

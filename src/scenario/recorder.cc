#include "scenario/recorder.h"

#include <ostream>

#include "platform/headless.h"

namespace morvel::scenario {

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string RecordedEvent::ToText() const {
  std::string out = name;
  if (arguments.empty()) return out;
  out += '(';
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) out += ", ";
    if (const auto* text = std::get_if<std::string>(&arguments[i]))
      out += Quote(*text);
    else
      out += std::get<bool>(arguments[i]) ? "True" : "False";
  }
  return out + ')';
}

void Recorder::Note(std::string_view line) {
  if (transcript_) *transcript_ << "    " << line << '\n';
}

void Recorder::RecordEvent(RecordedEvent event) {
  Note("event " + event.ToText());
  events_.push_back(std::move(event));
}

void Recorder::RecordMessage(RecordedMessage message) {
  Note("message " + Quote(message.text) + " title " + Quote(message.title) +
       " icon " + MessageIconName(message.icon) + " buttons " +
       MessageButtonsName(message.buttons));
  messages_.push_back(std::move(message));
}

void Recorder::RecordSetting(RecordedSetting setting) {
  Note("setting " + Quote(setting.application) + " " + Quote(setting.section) +
       " " + Quote(setting.key) + " = " + Quote(setting.value));
  settings_.push_back(std::move(setting));
}

void Recorder::StartAction() {
  action_events_ = events_.size();
  action_messages_ = messages_.size();
}

std::vector<RecordedEvent> Recorder::ActionEvents() const {
  return {events_.begin() + static_cast<std::ptrdiff_t>(action_events_),
          events_.end()};
}

std::vector<RecordedMessage> Recorder::ActionMessages() const {
  return {messages_.begin() + static_cast<std::ptrdiff_t>(action_messages_),
          messages_.end()};
}

void Recorder::Clear() {
  events_.clear();
  messages_.clear();
  settings_.clear();
  action_events_ = action_messages_ = 0;
}

void RecordingEvents::Record(const char* name,
                             std::vector<EventArgument> arguments) {
  RecordedEvent event{name, std::move(arguments)};
  if (recorder_) recorder_->RecordEvent(event);
  if (on_event) on_event(event);
}

void RecordingEvents::evtShapeHidden8() {
  Record("evtShapeHidden8");
  if (forward_) forward_->evtShapeHidden8();
}
void RecordingEvents::evtLightHidden8() {
  Record("evtLightHidden8");
  if (forward_) forward_->evtLightHidden8();
}
void RecordingEvents::evtBoneHidden8() {
  Record("evtBoneHidden8");
  if (forward_) forward_->evtBoneHidden8();
}
void RecordingEvents::evtGroupHidden8() {
  Record("evtGroupHidden8");
  if (forward_) forward_->evtGroupHidden8();
}
void RecordingEvents::evtCameraHidden8() {
  Record("evtCameraHidden8");
  if (forward_) forward_->evtCameraHidden8();
}
void RecordingEvents::evtReqPrepareForSceneChanges(std::string& LayerSource) {
  Record("evtReqPrepareForSceneChanges", {LayerSource});
  if (forward_) forward_->evtReqPrepareForSceneChanges(LayerSource);
}
void RecordingEvents::evtReqApplySceneChanges(bool& HierarchyChanged) {
  Record("evtReqApplySceneChanges", {HierarchyChanged});
  if (forward_) forward_->evtReqApplySceneChanges(HierarchyChanged);
}
void RecordingEvents::evtReqOpenSource() {
  Record("evtReqOpenSource");
  if (forward_) forward_->evtReqOpenSource();
}
void RecordingEvents::evtReqApplyOperation(std::string& Operation) {
  Record("evtReqApplyOperation", {Operation});
  if (forward_) forward_->evtReqApplyOperation(Operation);
}
void RecordingEvents::evtReqWarn(std::string& ApplicationRegistryKey,
                                 std::string& Warning,
                                 std::string& WarningRegistryEntry) {
  Record("evtReqWarn", {ApplicationRegistryKey, Warning, WarningRegistryEntry});
  if (forward_)
    forward_->evtReqWarn(ApplicationRegistryKey, Warning, WarningRegistryEntry);
}

void RecordingMessageService::Show(const std::string& text,
                                   const std::string& title, MessageIcon icon,
                                   MessageButtons buttons) {
  if (recorder_) recorder_->RecordMessage({text, title, icon, buttons});
  if (forward_) forward_->Show(text, title, icon, buttons);
}

void RecordingSettingsStore::SaveSetting(const std::string& application,
                                         const std::string& section,
                                         const std::string& key,
                                         const std::string& value) {
  inner_.SaveSetting(application, section, key, value);
  if (recorder_) recorder_->RecordSetting({application, section, key, value});
}

std::optional<std::string> RecordingSettingsStore::GetSetting(
    const std::string& application, const std::string& section,
    const std::string& key) {
  return inner_.GetSetting(application, section, key);
}

}  // namespace morvel::scenario

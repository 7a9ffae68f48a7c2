#include "scenario/scenario_services.h"

#include <utility>

namespace morvel::scenario {

ScenarioServices::ScenarioServices(Clipboard& clipboard,
                                   MessageBoxService* message_box,
                                   PropertiesEvents* events)
    : clipboard_(clipboard),
      message_box_(message_box),
      events_(events),
      store_(std::make_unique<MemorySettingsStore>()),
      settings_(std::make_unique<RecordingSettingsStore>(*store_)) {}

void ScenarioServices::Begin(Recorder* recorder) {
  settings_.reset();
  store_ = std::make_unique<MemorySettingsStore>();
  settings_ = std::make_unique<RecordingSettingsStore>(*store_);
  settings_->Attach(recorder);
  events_.Attach(recorder);
  messages_.Attach(recorder);
  clipboard_.fail_clear.reset();
  clipboard_.fail_set.reset();
  clipboard_.fail_get.reset();
  message_box_.fail.reset();
  clipboard_.Clear();
}

bool ScenarioServices::Fault(const std::string& operation, const Error& error) {
  std::optional<Error> fault;
  if (error.Number() != 0) fault = error;
  // The memory store fails reads and writes together.
  if (operation == "Settings.SaveSetting" ||
      operation == "Settings.GetSetting") {
    store_->FailWith(std::move(fault));
    return true;
  }
  const std::pair<const char*, std::optional<Error>*> kSlots[] = {
      {"Clipboard.Clear", &clipboard_.fail_clear},
      {"Clipboard.SetText", &clipboard_.fail_set},
      {"Clipboard.GetText", &clipboard_.fail_get},
      {"MessageBox.Show", &message_box_.fail}};
  for (const auto& [name, slot] : kSlots) {
    if (operation != name) continue;
    *slot = std::move(fault);
    return true;
  }
  return false;
}

PlatformServices ScenarioServices::Platform(ScreenMetrics* metrics) {
  PlatformServices services;
  services.clipboard = &clipboard_;
  services.message_box = &messages_;
  services.settings = settings_.get();
  services.metrics = metrics;
  return services;
}

void ScenarioServices::FaultingClipboard::Clear() {
  if (fail_clear) throw *fail_clear;
  inner_.Clear();
}

void ScenarioServices::FaultingClipboard::SetText(const std::string& text) {
  if (fail_set) throw *fail_set;
  inner_.SetText(text);
}

std::string ScenarioServices::FaultingClipboard::GetText() {
  if (fail_get) throw *fail_get;
  return inner_.GetText();
}

void ScenarioServices::FaultingMessageBox::Show(const std::string& text,
                                                const std::string& title,
                                                MessageIcon icon,
                                                MessageButtons buttons) {
  if (fail) throw *fail;
  if (inner_) inner_->Show(text, title, icon, buttons);
}

}  // namespace morvel::scenario

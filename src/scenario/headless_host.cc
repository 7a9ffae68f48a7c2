#include "scenario/headless_host.h"

#include <optional>

#include "platform/headless.h"
#include "platform/settings_store.h"
#include "scenario/recorder.h"
#include "scenario/scenario_services.h"
#include "scenario/scene_state.h"
#include "warn/frm_warn.h"

namespace morvel::scenario {
namespace {

// The host's own answers to the panel's requests.
class HostEvents : public PropertiesEvents {
 public:
  void SetScene(SceneState* scene) { scene_ = scene; }

  // As the demo host does: the operation runs at once, reading the
  // parameters the panel has just stored.
  void evtReqApplyOperation(std::string& Operation) override {
    if (scene_ && scene_->Loaded()) SceneApplyOperation(*scene_, Operation);
  }

 private:
  SceneState* scene_ = nullptr;
};

}  // namespace

struct HeadlessHost::Session {
  MemoryClipboard clipboard;
  HostEvents host_events;
  // Messages are recorded and need no answer.
  ScenarioServices services{clipboard, nullptr, &host_events};
  FixedScreenMetrics metrics{15, 15};
  FixedContainer container;
  std::unique_ptr<Properties> panel;
  std::optional<frmWarn> warning;

  explicit Session(Recorder* recorder) { services.Begin(recorder); }
};

HeadlessHost::HeadlessHost() = default;
HeadlessHost::~HeadlessHost() = default;

void HeadlessHost::BeginScenario(Recorder& recorder) {
  session_.reset();
  session_ = std::make_unique<Session>(&recorder);
  session_->panel = std::make_unique<Properties>(
      session_->services.Platform(&session_->metrics),
      session_->services.Events(), session_->container);
  session_->panel->ReadProperties();
}

void HeadlessHost::EndScenario() {
  // The panel goes before the scene it may still hold; nothing of one
  // scenario reaches the next.
  if (session_) {
    session_->warning.reset();
    session_->panel.reset();
    session_->host_events.SetScene(nullptr);
  }
}

Properties* HeadlessHost::Panel() {
  return session_ ? session_->panel.get() : nullptr;
}

Clipboard& HeadlessHost::GetClipboard() {
  if (!session_) session_ = std::make_unique<Session>(nullptr);
  return session_->services.GetClipboard();
}

SettingsStore& HeadlessHost::Settings() {
  if (!session_) session_ = std::make_unique<Session>(nullptr);
  return session_->services.Settings();
}

FixedContainer& HeadlessHost::Container() {
  if (!session_) session_ = std::make_unique<Session>(nullptr);
  return session_->container;
}

PropertiesEvents& HeadlessHost::Events() {
  if (!session_) session_ = std::make_unique<Session>(nullptr);
  return session_->services.Events();
}

void HeadlessHost::SetScene(SceneState& scene,
                            const std::shared_ptr<SceneGraph>& graph,
                            const std::shared_ptr<Applier>& applier) {
  if (!session_) return;
  session_->host_events.SetScene(&scene);
  if (session_->panel) session_->panel->SetSceneGraph(graph, applier);
}

void HeadlessHost::Resize(Long inner_height, Long outer_height, Long width) {
  if (!session_) return;
  session_->container.inner_height = inner_height;
  session_->container.outer_height = outer_height;
  session_->container.width = width;
  if (session_->panel) session_->panel->Resize();
}

void HeadlessHost::Terminate() {
  if (!session_ || !session_->panel) return;
  // The container destroys the panel whatever the notification did.
  std::unique_ptr<Properties> panel = std::move(session_->panel);
  panel->Terminate();
}

void HeadlessHost::LoadWarning(const std::string& application_key,
                               const std::string& warning,
                               const std::string& registry_entry) {
  if (!session_) return;
  // A new load is a new window; an open one is closed first, as a host
  // that shows one tip at a time would.
  if (session_->warning) session_->warning->Unload();
  session_->warning.emplace(&session_->services.Settings());
  session_->warning->SetsApplicationRegistryKey(application_key);
  session_->warning->SetsWarning(warning);
  session_->warning->SetsWarningRegistryEntry(registry_entry);
  session_->warning->Load();
}

void HeadlessHost::UnloadWarning() {
  if (session_ && session_->warning) session_->warning->Unload();
}

WidgetTree* HeadlessHost::WarningWidgets() {
  if (!session_ || !session_->warning || !session_->warning->IsLoaded())
    return nullptr;
  return &session_->warning->Widgets();
}

bool HeadlessHost::FaultPlatform(const std::string& operation,
                                 const Error& error) {
  return session_ && session_->services.Fault(operation, error);
}

}  // namespace morvel::scenario

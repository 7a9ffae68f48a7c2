#ifndef MORVEL_RANDOM_USER_RANDOM_USER_IMPL_H_
#define MORVEL_RANDOM_USER_RANDOM_USER_IMPL_H_

// The random user's insides, shared by its three source files:
// random_user.cc (steps and invariants), host_actions.cc (what the host
// does) and user_actions.cc (what the person does).

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "base/error.h"
#include "base/numbers_testing.h"
#include "memscene/mem_applier.h"
#include "memscene/mem_scene_graph.h"
#include "platform/headless.h"
#include "random_user/random_user.h"
#include "random_user/transaction_monitor.h"

namespace morvel::random_user {

// Planned failures carry numbers from these ranges, so that a failure that
// reaches the host can be told apart from the panel's own.
inline constexpr Long kFirstSceneFault = 40000;
inline constexpr Long kFirstPlatformFault = 50000;
inline constexpr Long kFaultNumbers = 10000;

// The longest error description a host should have to show.
inline constexpr std::size_t kMaxDescription = 512;

// The host's services. Each can be made to fail, and none keeps a record
// that grows with the run, so a long run's heap stays flat.
class HostClipboard final : public Clipboard {
 public:
  void Clear() override { text = (Check(), std::string()); }
  void SetText(const std::string& value) override { text = (Check(), value); }
  std::string GetText() override { return Check(), text; }
  std::string text;
  std::optional<Error> fail;

 private:
  void Check() const {
    if (fail) throw *fail;
  }
};

class HostSettings final : public SettingsStore {
 public:
  void SaveSetting(const std::string& application, const std::string& section,
                   const std::string& key, const std::string& value) override {
    if (fail) throw *fail;
    values[{application, section, key}] = value;
  }
  std::optional<std::string> GetSetting(const std::string& application,
                                        const std::string& section,
                                        const std::string& key) override {
    if (fail) throw *fail;
    auto it = values.find({application, section, key});
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  std::map<std::tuple<std::string, std::string, std::string>, std::string>
      values;
  std::optional<Error> fail;
};

// Checks that every message is one the panel shows; counts them.
class HostMessageBox final : public MessageBoxService {
 public:
  void Show(const std::string& text, const std::string& title, MessageIcon icon,
            MessageButtons buttons) override;
  long long shown = 0;
  // The first message that was not the panel's own.
  std::string problem;
  std::optional<Error> fail;
};

struct RandomUser::Impl {
  Impl(Options options, Choices& choices);
  ~Impl();

  // --- random_user.cc: steps and invariants ---
  bool Step();
  void Finish();
  // Runs one call into the panel (or through UserInput) as part of the
  // current step, and checks the invariants after it. Returns the error
  // that reached the host from the panel; refusals of UserInput, checked
  // here, are not returned.
  std::optional<Error> Play(StepContext context,
                            const std::function<void()>& body);
  std::optional<Error> HostCall(const std::function<void()>& body) {
    return Play(StepContext{true, {}, Notification::kNone, {}}, body);
  }
  void CheckError(const StepContext& context, const Error& error,
                  bool nothing_happened);
  void CheckScene();
  // A set-up after an error, with every fault cleared.
  void Recover();
  // The error number a fresh panel, over a copy of the scene the panel
  // holds, gives the same set-up (0: none).
  Long FreshSetupError(const std::optional<nlohmann::json>& copy,
                       const SetupArguments& arguments);
  // Scenes the host and the panel have let go must be gone.
  void CheckFreed();
  // Records the first breach; Play throws it when the call returns.
  void Problem(const std::string& what);
  [[noreturn]] void Throw(const std::string& what);
  // Adds to the current step's line of the history.
  void Say(const std::string& text);

  // --- host_actions.cc ---
  std::optional<Error> HostStep();
  std::optional<Error> FaultStep();
  std::optional<Error> Setup(Long tab, bool hostile_arguments);
  void SelectAtRandom();
  SetupArguments HostArguments(Long tab) const;
  // Loads scene `index` of the options (a scene the reference graph
  // refuses is skipped) and makes it the host's scene.
  bool LoadScene(std::size_t index);
  std::optional<Error> GiveScene(std::shared_ptr<SceneGraph> graph,
                                 std::shared_ptr<Applier> applier);
  std::optional<Error> MakePanel();
  std::optional<Error> DropPanel(bool terminate);
  void ClearFaults();
  // What the host does when the panel asks: run a mesh operation, show a
  // warning.
  void RunOperation(const std::string& operation);
  // Sets the panel up again from inside one of its events.
  void Refresh();
  void ShowWarning(const std::string& application, const std::string& text,
                   const std::string& entry);

  // --- scene_changes.cc ---
  // Another part of the application changes a value in the scene.
  void ChangeSceneValue();
  // Another part of the application rebuilds part of the scene.
  void RestructureScene();

  // --- user_actions.cc ---
  std::optional<Error> UserStep();
  void ScriptChoosers();

  Options options;
  Choices& choices;
  Stats stats;
  bool finished = false;

  HostClipboard clipboard;
  HostSettings settings;
  HostMessageBox message_box;
  FixedScreenMetrics metrics;
  FixedContainer container;
  struct HostAnswers;
  std::unique_ptr<PropertiesEvents> host_answers;
  TransactionMonitor monitor;
  std::optional<ScopedDecimalSeparatorForTesting> separator;

  // The host's scene, and what the panel was last given.
  std::shared_ptr<MemSceneGraph> scene;
  std::shared_ptr<MemApplier> applier;
  std::shared_ptr<SceneGraph> held_scene;
  std::shared_ptr<Applier> held_applier;
  // Scenes the host let go, which must be freed once no panel holds them.
  std::vector<std::weak_ptr<void>> retired;
  std::optional<nlohmann::json> snapshot;  // for the host's undo
  Long tab = 3;
  bool refreshing = false;

  // The planned scene fault and platform fault, by number.
  Long scene_fault = 0;
  std::string scene_fault_description;
  Long platform_fault = 0;
  std::string platform_fault_description;
  long long faults_made = 0;

  std::string problem;
  std::string step_line;
  std::array<std::string, 16> history;
  long long history_next = 0;
  std::vector<Widget*> candidates;

  std::unique_ptr<Properties> panel;
};

}  // namespace morvel::random_user

#endif  // MORVEL_RANDOM_USER_RANDOM_USER_IMPL_H_

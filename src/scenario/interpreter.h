#ifndef MORVEL_SCENARIO_INTERPRETER_H_
#define MORVEL_SCENARIO_INTERPRETER_H_

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "base/types.h"
#include "memscene/host_rules.h"
#include "panel/properties.h"
#include "platform/platform.h"
#include "scenario/input_driver.h"
#include "scenario/recorder.h"
#include "scenario/script.h"
#include "widgets/widget.h"

// The scenario interpreter: plays a scenario file (see
// docs/scenario-language.md) against a panel and reports PASS or FAIL with
// the line, what was expected and what was found.
//
// HOW A HOST PLUGS IN
//
// The interpreter owns the language: parsing, the scene (it loads the scene
// files itself, into the reference in-memory scene graph), the selection,
// the host rules that turn a selection into SetupPropertiesPanel arguments,
// faults, chooser answers, the journal, every expectation and the
// transcript. Everything that depends on how the panel is hosted goes
// through a ScenarioHost:
//
//   - Panel(): the panel under test. The headless runner makes a fresh one
//     per scenario in BeginScenario(); the Qt demo hands out the panel it
//     already shows.
//   - Input(): how a person's actions reach the widgets. ModelInputDriver
//     (input_driver.h) calls UserInput on the model; the Qt demo implements
//     its own driver that clicks, types and drags on the real QWidgets. A
//     driver must let the panel's morvel::Error out of the action (the Qt
//     adapter catches errors at the event-loop boundary; its driver rethrows
//     the caught error once the synthetic input has been processed), because
//     `expect error` and the "unexpected error" rule rely on it.
//   - GetClipboard() / Settings(): the services the panel was given, read by
//     `clipboard`, `expect clipboard` and `expect setting`.
//   - Events, message boxes and settings writes: wrap the panel's services
//     in RecordingEvents, RecordingMessageService and RecordingSettingsStore
//     (recorder.h) and attach them to the Recorder handed to BeginScenario();
//     the interpreter reads what they recorded. RecordingEvents forwards to
//     your own handler, so the demo's event log and undo stack keep working.
//   - SetScene(), SelectionChanged(), Setup(), Resize(), Terminate(): the
//     host-side steps of the commands `scene`, `select`, `setup`, `size` and
//     `terminate`. SetScene, SelectionChanged and Setup have defaults that
//     call the panel directly; the demo overrides them to refresh its
//     outliner and tabs as well.
//   - LoadWarning() / UnloadWarning() / WarningWidgets(): the warning dialog
//     of the `warn` and `unload` commands.
//   - FaultPlatform(): optional; lets `fault Clipboard.Clear ...` and the
//     like make the host's services fail.
//
// A host answers the panel's requests as a host does: evtReqApplyOperation
// runs the operation through the applier (SceneApplyOperation() below does
// that for the reference scene), evtReqWarn and evtReqOpenSource are recorded.
//
// Minimal use (what morvel-panel does):
//
//   morvel::scenario::HeadlessHost host;          // headless_host.h
//   morvel::scenario::Interpreter interpreter(host, verbose ? &std::cout
//                                                           : nullptr);
//   morvel::scenario::ScenarioResult r = interpreter.RunFile("a.scn");
//   std::cout << r.Summary("a.scn") << "\n";
//
// or, for several files with the closing "N passed, N failed" line,
// RunScenarioFiles() below.
namespace morvel {
class SceneGraph;
class Applier;
}  // namespace morvel

namespace morvel::scenario {

class SceneState;  // the interpreter's scene: memscene behind it

// The eleven arguments of SetupPropertiesPanel, the panel's own record (the
// host rules of the reference scene compute them).
using SetupArguments = ::morvel::SetupArguments;

// Where the panel under test lives. See the comment block above.
class ScenarioHost {
 public:
  virtual ~ScenarioHost() = default;

  // Called before the first command of every scenario. From now on every
  // event, message box and settings write of the panel must reach
  // `recorder`. The headless host creates a fresh panel (created, read
  // properties in user mode, container 4000 wide and 9735 high, 15 twips a
  // pixel), an empty settings store and an empty clipboard.
  virtual void BeginScenario(Recorder& recorder) = 0;
  // Called after the last command (also after a failure).
  virtual void EndScenario() {}

  // The panel under test; null once `terminate` has destroyed it.
  virtual Properties* Panel() = 0;
  virtual InputDriver& Input() = 0;
  virtual Clipboard& GetClipboard() = 0;
  virtual SettingsStore& Settings() = 0;

  // `scene FILE`: the interpreter has loaded the file; hand it to the panel.
  // `scene` gives access to the loaded scene (selection, applier runs) for
  // hosts that answer evtReqApplyOperation through it.
  virtual void SetScene(SceneState& scene,
                        const std::shared_ptr<SceneGraph>& graph,
                        const std::shared_ptr<Applier>& applier);
  // `select`: the interpreter has changed the scene's selection.
  virtual void SelectionChanged() {}
  // `setup`: call SetupPropertiesPanel (a host with tabs may switch them).
  virtual void Setup(const SetupArguments& arguments);
  // `size INNER OUTER WIDTH`: set the container's facts, then send the
  // resize notification.
  virtual void Resize(Long inner_height, Long outer_height, Long width) = 0;
  // `terminate`: the container's terminate notification, then the panel is
  // destroyed (Panel() returns null afterwards).
  virtual void Terminate() = 0;

  // `warn APP "TEXT" ENTRY`: set the warning dialog's three properties and
  // load it. `unload`: close it other than by its OK button. While it is
  // loaded its widgets are addressable by name.
  virtual void LoadWarning(const std::string& application_key,
                           const std::string& warning,
                           const std::string& registry_entry) = 0;
  virtual void UnloadWarning() = 0;
  // Null while the dialog is not loaded.
  virtual WidgetTree* WarningWidgets() = 0;

  // `fault Clipboard.Clear 521 "..."` and the like: from now on until the
  // scenario ends, the named platform operation raises `error` (error
  // number 0: it works again). Operations:
  // Clipboard.Clear, Clipboard.SetText, Clipboard.GetText, MessageBox.Show,
  // Settings.SaveSetting, Settings.GetSetting. Returns false when this host
  // cannot make that operation fail (the default).
  virtual bool FaultPlatform(const std::string& operation, const Error& error) {
    (void)operation;
    (void)error;
    return false;
  }
};

// Runs operation `operation` through the applier of `scene` as the demo
// host does: the applier reads the parameters back from the settings store
// the host gave the scenario, and the scene journals what it read
// ("Mirror Teapot Axis=2"). For hosts' evtReqApplyOperation handlers.
void SceneApplyOperation(SceneState& scene, const std::string& operation);

// The outcome of one scenario.
struct ScenarioResult {
  bool passed = false;
  // The line of the command that failed (0 for a file that cannot be read).
  int line = 0;
  // "expected ..., found ..." or what is wrong with the scenario.
  std::string message;

  // "PASS name" or "FAIL name: line N: message".
  std::string Summary(std::string_view name) const;
};

class Interpreter {
 public:
  // `transcript` (may be null) receives the transcript: each command, each
  // event with its arguments, each message box, settings write, journal line
  // and error.
  explicit Interpreter(ScenarioHost& host, std::ostream* transcript = nullptr);
  ~Interpreter();
  Interpreter(const Interpreter&) = delete;
  Interpreter& operator=(const Interpreter&) = delete;

  // Reads, parses and plays a file; scene paths are relative to its folder.
  ScenarioResult RunFile(const std::string& path);
  // Plays scenario text. `name` names it in errors, `base_dir` is where
  // scene paths are looked up.
  ScenarioResult RunText(std::string_view text, const std::string& name,
                         const std::string& base_dir);

 private:
  class Run;
  ScenarioHost& host_;
  std::ostream* transcript_;
};

// Plays each file with `host` and writes "PASS name" / "FAIL name: ..."
// per file to `out`, then "N passed, N failed". With `verbose` the
// transcript goes to `out` too. Returns 0 when every scenario passed, else 1.
int RunScenarioFiles(ScenarioHost& host, const std::vector<std::string>& files,
                     std::ostream& out, bool verbose);

}  // namespace morvel::scenario

#endif  // MORVEL_SCENARIO_INTERPRETER_H_

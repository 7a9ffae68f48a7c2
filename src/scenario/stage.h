#ifndef MORVEL_SCENARIO_STAGE_H_
#define MORVEL_SCENARIO_STAGE_H_

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "base/error.h"
#include "scenario/interpreter.h"
#include "scenario/recorder.h"
#include "scenario/scene_state.h"
#include "scenario/script.h"
#include "scenario/syntax.h"

// What the commands of a playing scenario work with: the host and its
// panel, the scene, the recorder, and what the last action left behind for
// the expectations to look at. The interpreter owns one Stage per playing;
// each command of the command table (commands.h) acts on it.
namespace morvel::scenario {

struct Stage {
  Stage(ScenarioHost& host, std::ostream* transcript, std::string base_dir)
      : host(host), transcript(transcript), base_dir(std::move(base_dir)) {
    recorder.SetTranscript(transcript);
  }

  ScenarioHost& host;
  std::ostream* transcript;  // null: nothing is written
  std::string base_dir;      // scene files are found relative to it
  Recorder recorder;
  SceneState scene;
  // Where the last action began in the journal and the debug messages.
  std::size_t journal_mark = 0;
  std::size_t debug_mark = 0;
  // The last action's error, and whether an `expect error` still owes it.
  std::optional<Error> last_error;
  bool error_pending = false;

  // The panel under test; a scenario mistake once it was terminated.
  Properties& Panel(int line);
  void RequireScene(int line) const;
  std::string ScenePath(const std::string& file) const;
  // The scene writes of the last action.
  std::vector<std::string> ActionJournal() const;

  // A widget of the panel or of the loaded warning dialog, by its name as
  // the scenario writes it ("txtNumClones(0)"); a scenario mistake naming
  // the problem when there is none.
  Widget& FindWidget(const Token& token, int line);
  template <class T>
  T& FindWidgetOf(const Token& token, int line, const char* command,
                  const char* kind_name) {
    Widget& w = FindWidget(token, line);
    T* typed = dynamic_cast<T*>(&w);
    if (!typed)
      throw ScenarioError(line, Quote(command) + " needs a " + kind_name +
                                    ", and " + w.DisplayName() + " is a " +
                                    std::string(KindName(w.Kind())));
    return *typed;
  }
  // The panel's material grid.
  FlexGrid& MaterialGrid(int line);
};

}  // namespace morvel::scenario

#endif  // MORVEL_SCENARIO_STAGE_H_

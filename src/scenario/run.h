#ifndef MORVEL_SCENARIO_RUN_H_
#define MORVEL_SCENARIO_RUN_H_

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/interpreter.h"
#include "scenario/scene_state.h"
#include "scenario/syntax.h"

// One playing of one scenario. The command families live in their own
// files: validate.cc (the forms, checked before anything runs), stage.cc
// (the host's side: scene, selection, set-up, faults, print), actions.cc
// (what a person does to the widgets) and expectations.cc.
namespace morvel::scenario {

class Interpreter::Run {
 public:
  Run(ScenarioHost& host, std::ostream* transcript, std::string name,
      std::string base_dir)
      : host_(host),
        transcript_(transcript),
        name_(std::move(name)),
        base_dir_(std::move(base_dir)) {
    recorder_.SetTranscript(transcript);
  }

  ScenarioResult Play(std::string_view text);

 private:
  // validate.cc
  void Validate(const Line& line);
  void ValidateSetup(const Line& line);
  void ValidateExpect(const Line& line);

  // interpreter.cc
  void Execute(const Line& line);
  void NoteJournal();
  void CheckNoPendingError();
  Properties& Panel(int line);

  // stage.cc: the commands a host carries out.
  bool ActOnStage(const Line& line);
  void Configure(const Line& line);
  void Print(const Line& line);
  void RequireScene(int line) const;
  std::string ScenePath(const std::string& file) const;

  // actions.cc: what a person does.
  void ActAsPerson(const Line& line);
  void SetAsCode(Widget& w, const Token& value, int line);
  // Finds a widget of the panel or of the loaded warning dialog.
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

  // expectations.cc
  void Expect(const Line& line);
  std::vector<std::string> ActionJournal() const;

  ScenarioHost& host_;
  std::ostream* transcript_;
  std::string name_;
  std::string base_dir_;
  Recorder recorder_;
  SceneState scene_;
  int current_line_ = 0;
  int action_line_ = 0;
  std::size_t journal_mark_ = 0;
  std::size_t debug_mark_ = 0;
  std::optional<Error> last_error_;
  bool error_pending_ = false;
};

}  // namespace morvel::scenario

#endif  // MORVEL_SCENARIO_RUN_H_

#ifndef MORVEL_SCENARIO_RUN_H_
#define MORVEL_SCENARIO_RUN_H_

#include <ostream>
#include <string>
#include <string_view>

#include "scenario/interpreter.h"
#include "scenario/stage.h"

// One playing of one scenario: every line checked against the command
// table (commands.h), then each played on the stage.
namespace morvel::scenario {

class Interpreter::Run {
 public:
  Run(ScenarioHost& host, std::ostream* transcript, std::string name,
      std::string base_dir)
      : stage_(host, transcript, std::move(base_dir)), name_(std::move(name)) {}

  ScenarioResult Play(std::string_view text);

 private:
  void Execute(const Line& line);
  void NoteJournal();
  void CheckNoPendingError();

  Stage stage_;
  std::string name_;
  int current_line_ = 0;
  int action_line_ = 0;
};

}  // namespace morvel::scenario

#endif  // MORVEL_SCENARIO_RUN_H_

#ifndef MORVEL_SCENARIO_COMMANDS_H_
#define MORVEL_SCENARIO_COMMANDS_H_

#include <span>
#include <string_view>

#include "scenario/script.h"
#include "scenario/stage.h"

// The scenario language's commands, each declared once: one entry carries
// its name, how many arguments it takes, whether it is an action, its row
// in docs/scenario-language.md, what it checks before anything runs and
// what it does. A test reads the document and checks that its command rows
// and this table agree (command_table_test.cc).
//
// Adding a command: one entry in the family file it belongs to
// (stage_commands.cc for the host's side, person_commands.cc for what a
// person does, expect_commands.cc for an expectation) and its row in the
// document. A person's action of a new kind also needs a method of
// InputDriver, which every front end's driver implements.
namespace morvel::scenario {

struct Command {
  const char* name;
  // Arguments after the name; max -1: any number. Checked before
  // `validate` unless `counts_itself`.
  int min_args = 0;
  int max_args = -1;
  // An action starts a new "last action" for `expect events`, `expect
  // journal`, `expect message` and `expect error`; its failure is the
  // action's error, which an `expect error` must claim.
  bool action = false;
  // Its row (or rows, one a line) in the document's command tables.
  const char* doc = "";
  // The forms it accepts, checked for every line before anything runs:
  // raises ScenarioError. Null: the count is all there is to check.
  void (*validate)(const Line& line) = nullptr;
  // What it does.
  void (*run)(Stage& stage, const Line& line) = nullptr;
  // The command counts its own arguments (its message says more than a
  // count would).
  bool counts_itself = false;
};

// An `expect` kind, declared the same way. `forms` are the words after
// `expect` that select it ("message" and "no message").
struct Expectation {
  const char* forms[2] = {nullptr, nullptr};
  const char* doc = "";
  void (*validate)(const Line& line) = nullptr;
  void (*check)(Stage& stage, const Line& line) = nullptr;
};

// Every command and expectation, in the document's order.
std::span<const Command> CommandTable();
std::span<const Expectation> ExpectationTable();

// The families the table is made of.
std::span<const Command> StageCommands();
std::span<const Command> PersonCommands();
std::span<const Command> ExpectCommands();

// Null for a word that names no command / no expectation.
const Command* FindCommand(std::string_view name);
const Expectation* FindExpectation(const Line& line);

// The checks every line gets before the scenario runs: a known command,
// its argument count, its own validation.
void ValidateLine(const Line& line);

}  // namespace morvel::scenario

#endif  // MORVEL_SCENARIO_COMMANDS_H_

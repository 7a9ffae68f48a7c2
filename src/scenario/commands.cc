#include "scenario/commands.h"

#include <vector>

namespace morvel::scenario {

std::span<const Command> CommandTable() {
  static const std::vector<Command> kTable = [] {
    std::vector<Command> table;
    for (auto family : {StageCommands(), PersonCommands(), ExpectCommands()})
      table.insert(table.end(), family.begin(), family.end());
    return table;
  }();
  return kTable;
}

const Command* FindCommand(std::string_view name) {
  for (const Command& command : CommandTable()) {
    if (name == command.name) return &command;
  }
  return nullptr;
}

// Mistakes of form (unknown command, bad value, argument count,
// unterminated string) are found before anything runs: a scenario never
// fails half-way for a typo on its last line.
void ValidateLine(const Line& line) {
  const Token& word = line.tokens[0];
  const Command* command =
      word.kind == Token::Kind::kWord ? FindCommand(word.text) : nullptr;
  if (!command)
    throw ScenarioError(line.number, "unknown command " + Quoted(word.text));
  if (!command->counts_itself)
    CheckCount(line, command->name, command->min_args, command->max_args);
  if (command->validate) command->validate(line);
}

}  // namespace morvel::scenario

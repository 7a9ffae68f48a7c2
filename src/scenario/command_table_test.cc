#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "scenario/commands.h"

// The command table and docs/scenario-language.md say the same: every row
// of the document's command tables belongs to exactly one command or
// expectation of the table, word for word, and every command and
// expectation has its rows there.
namespace morvel::scenario {
namespace {

std::vector<std::string> Rows(const char* doc) {
  std::vector<std::string> rows;
  std::istringstream in(doc);
  for (std::string row; std::getline(in, row);) rows.push_back(row);
  return rows;
}

// The document's rows that name a command: "| `click WIDGET` | ...".
std::vector<std::string> DocumentRows() {
  std::ifstream in(MORVEL_SOURCE_DIR "/docs/scenario-language.md");
  EXPECT_TRUE(in) << "cannot read docs/scenario-language.md";
  std::vector<std::string> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("| `", 0) == 0) rows.push_back(line);
  }
  return rows;
}

TEST(CommandTableTest, TheDocumentAndTheTableAgree) {
  // Each row of the table, with who declares it; each row starts with the
  // form it documents, so a row cannot sit with the wrong entry.
  std::map<std::string, std::string> declared;
  auto declare = [&](const char* doc, const std::string& form,
                     const std::string& owner) {
    EXPECT_STRNE(doc, "") << owner << " has no row in the document";
    for (const std::string& row : Rows(doc)) {
      EXPECT_EQ(row.rfind("| `" + form, 0), 0u)
          << owner << "'s row does not start with its form: " << row;
      EXPECT_TRUE(declared.emplace(row, owner).second)
          << "two entries declare " << row;
    }
  };
  for (const Command& command : CommandTable()) {
    // `expect` is documented by its expectations.
    if (std::string(command.name) == "expect") continue;
    declare(command.doc, command.name, command.name);
  }
  for (const Expectation& expectation : ExpectationTable()) {
    declare(expectation.doc, std::string("expect ") + expectation.forms[0],
            std::string("expect ") + expectation.forms[0]);
  }

  std::vector<std::string> document = DocumentRows();
  for (const std::string& row : document) {
    EXPECT_TRUE(declared.count(row))
        << "the document has a row no command declares:\n" << row;
  }
  for (const auto& [row, owner] : declared) {
    EXPECT_THAT(document, ::testing::Contains(row))
        << owner << "'s row is not in the document:\n" << row;
  }
  EXPECT_EQ(document.size(), declared.size());
}

TEST(CommandTableTest, EveryCommandCanBeFoundAndRuns) {
  for (const Command& command : CommandTable()) {
    SCOPED_TRACE(command.name);
    EXPECT_EQ(FindCommand(command.name), &command);
    EXPECT_NE(command.run, nullptr);
    EXPECT_TRUE(command.max_args < 0 || command.max_args >= command.min_args);
  }
  for (const Expectation& expectation : ExpectationTable()) {
    SCOPED_TRACE(expectation.forms[0]);
    EXPECT_NE(expectation.validate, nullptr);
    EXPECT_NE(expectation.check, nullptr);
  }
}

}  // namespace
}  // namespace morvel::scenario

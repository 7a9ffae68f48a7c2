// Scenario files from nobody in particular. The tokenizer takes any bytes
// and either gives lines of tokens, numbered in order, or refuses with a
// line inside the text. Whatever tokenizes is then played against a real
// headless panel: the answer is always PASS or FAIL at a line of the file
// with a message, and nothing escapes the interpreter.
//
// Scene files are looked up in a scratch folder holding the project's
// example scenes under the names the seed scenarios use; a scenario that
// names a file outside it is not played (the fuzzer would otherwise read
// whatever the machine holds, /dev/stdin included).

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/error.h"
#include "fuzz_check.h"
#include "scenario/headless_host.h"
#include "scenario/interpreter.h"
#include "scenario/script.h"

namespace fs = std::filesystem;
using morvel::scenario::Line;
using morvel::scenario::ScenarioError;

namespace {

// <scratch>/scenarios is where the scenarios play; scenes/ beside and
// below it, and studio.json in it, as the tests and examples name them.
const fs::path& Scratch() {
  static const fs::path root = [] {
    fs::path dir = fs::temp_directory_path() /
                   ("morvel-scenario-fuzz-" + std::to_string(::getpid()));
    const fs::path source = MORVEL_SOURCE_DIR;
    for (const char* sub : {"scenes", "scenarios/scenes"})
      fs::create_directories(dir / sub);
    for (const char* scene : {"studio.json", "editing.json"}) {
      const fs::path from = source / "tests/scenarios/scenes" / scene;
      for (const char* sub : {"scenes", "scenarios/scenes"})
        fs::copy_file(from, dir / sub / scene,
                      fs::copy_options::overwrite_existing);
    }
    fs::copy_file(source / "examples/studio.json",
                  dir / "scenarios/studio.json",
                  fs::copy_options::overwrite_existing);
    // The refused scenes of tests/scenarios/bad, beside the scenarios.
    for (const auto& entry :
         fs::directory_iterator(source / "tests/scenarios/bad")) {
      if (entry.path().extension() == ".json")
        fs::copy_file(entry.path(), dir / "scenarios" / entry.path().filename(),
                      fs::copy_options::overwrite_existing);
    }
    return fs::weakly_canonical(dir);
  }();
  return root;
}

bool InsideScratch(const std::string& file) {
  std::error_code error;
  const fs::path p =
      fs::weakly_canonical(Scratch() / "scenarios" / file, error);
  if (error) return false;
  const std::string text = p.string();
  const std::string root = Scratch().string() + "/";
  return text.compare(0, root.size(), root) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const int text_lines =
      1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));

  std::vector<Line> lines;
  try {
    lines = morvel::scenario::Tokenize(text);
  } catch (const ScenarioError& e) {
    MORVEL_FUZZ_CHECK(e.Line() >= 1 && e.Line() <= text_lines,
                      "line %d of %d: %s", e.Line(), text_lines,
                      e.Message().c_str());
    return 0;
  }
  int previous = 0;
  for (const Line& line : lines) {
    MORVEL_FUZZ_CHECK(line.number > previous && line.number <= text_lines,
                      "line %d after line %d", line.number, previous);
    MORVEL_FUZZ_CHECK(!line.tokens.empty(), "an empty line %d", line.number);
    previous = line.number;
    if (line.tokens[0].IsWord("scene") && line.tokens.size() == 2 &&
        !line.tokens[1].IsWord("none") && !InsideScratch(line.tokens[1].text))
      return 0;
  }

  morvel::scenario::HeadlessHost host;
  morvel::scenario::Interpreter interpreter(host);
  const morvel::scenario::ScenarioResult result =
      interpreter.RunText(text, "fuzz.scn", (Scratch() / "scenarios").string());
  if (result.passed) return 0;
  MORVEL_FUZZ_CHECK(result.line >= 1 && result.line <= text_lines,
                    "FAIL at line %d of %d: %s", result.line, text_lines,
                    result.message.c_str());
  MORVEL_FUZZ_CHECK(!result.message.empty(), "FAIL without a reason");
  // The interpreter words an exception it did not expect (a fault of its
  // own or of the panel) as "internal failure: ..."; a scenario's own text
  // can appear inside a message, never at its start.
  MORVEL_FUZZ_CHECK(
      result.message.rfind("internal failure", 0) == std::string::npos,
      "line %d: %s", result.line, result.message.c_str());
  return 0;
}

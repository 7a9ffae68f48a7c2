#include "scenario/interpreter.h"

#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

#include "base/error.h"
#include "scenario/commands.h"
#include "scenario/run.h"
#include "scenario/scene_state.h"

namespace morvel::scenario {

std::string ScenarioResult::Summary(std::string_view name) const {
  if (passed) return "PASS " + std::string(name);
  return "FAIL " + std::string(name) + ": line " + std::to_string(line) + ": " +
         message;
}

void ScenarioHost::SetScene(SceneState& scene,
                            const std::shared_ptr<SceneGraph>& graph,
                            const std::shared_ptr<Applier>& applier) {
  (void)scene;
  Properties* panel = Panel();
  if (panel) panel->SetSceneGraph(graph, applier);
}

void ScenarioHost::Setup(const SetupArguments& a) {
  Properties* panel = Panel();
  if (!panel) return;
  panel->SetupPropertiesPanel(a);
}

void SceneApplyOperation(SceneState& scene, const std::string& operation) {
  scene.RunOperation(operation);
}

ScenarioResult Interpreter::Run::Play(std::string_view text) {
  ScenarioResult result;
  std::vector<Line> lines;
  try {
    lines = Tokenize(text);
    for (const Line& line : lines) ValidateLine(line);
    // A file without a command checks nothing; passing it would hide a
    // mistake (a wrong file, an emptied one).
    if (lines.empty()) throw ScenarioError(1, "the scenario has no commands");
  } catch (const ScenarioError& e) {
    result.line = e.Line();
    result.message = e.Message();
    return result;
  }
  std::ostream* transcript = stage_.transcript;
  if (transcript) *transcript << "scenario " << name_ << "\n";
  bool begun = false;
  try {
    stage_.host.BeginScenario(stage_.recorder);
    begun = true;
    for (const Line& line : lines) {
      current_line_ = line.number;
      Execute(line);
    }
    CheckNoPendingError();
    result.passed = true;
  } catch (const ScenarioError& e) {
    result.line = e.Line();
    result.message = e.Message();
  } catch (const ExpectationFailure& e) {
    result.line = current_line_;
    result.message = e.Message();
  } catch (const Error& e) {
    result.line = current_line_;
    result.message = "expected no error, found " + ErrorText(e);
  } catch (const std::exception& e) {
    result.line = current_line_;
    result.message = std::string("internal failure: ") + e.what();
  }
  if (begun) Quietly([&] { stage_.host.EndScenario(); });
  if (!begun && result.message.empty()) result.message = "host failed";
  return result;
}

void Interpreter::Run::Execute(const Line& line) {
  const Command& command = *FindCommand(line.tokens[0].text);
  if (stage_.transcript)
    *stage_.transcript << "  " << line.number << ": " << line.source << "\n";
  if (!command.action) {
    command.run(stage_, line);
    return;
  }
  CheckNoPendingError();
  stage_.recorder.StartAction();
  stage_.journal_mark = stage_.scene.JournalSize();
  stage_.debug_mark = stage_.scene.DebugMessages().size();
  action_line_ = line.number;
  stage_.last_error.reset();
  try {
    command.run(stage_, line);
  } catch (const Error& e) {
    stage_.last_error = e;
    stage_.error_pending = true;
    stage_.recorder.Note(ErrorText(e));
  } catch (const ScenarioError&) {
    NoteJournal();
    throw;
  }
  NoteJournal();
}

void Interpreter::Run::NoteJournal() {
  if (!stage_.transcript) return;
  for (const std::string& line : stage_.scene.Journal(stage_.journal_mark))
    stage_.recorder.Note("journal " + line);
}

void Interpreter::Run::CheckNoPendingError() {
  if (stage_.error_pending && stage_.last_error) {
    current_line_ = action_line_;
    throw ExpectationFailure("expected no error, found " +
                             ErrorText(*stage_.last_error));
  }
}

Interpreter::Interpreter(ScenarioHost& host, std::ostream* transcript)
    : host_(host), transcript_(transcript) {}

Interpreter::~Interpreter() = default;

ScenarioResult Interpreter::RunText(std::string_view text,
                                    const std::string& name,
                                    const std::string& base_dir) {
  Run run(host_, transcript_, name, base_dir);
  return run.Play(text);
}

ScenarioResult Interpreter::RunFile(const std::string& path) {
  ScenarioResult unreadable;
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    unreadable.message = "this is a folder, not a scenario file";
    return unreadable;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    unreadable.message = "cannot read the scenario file";
    return unreadable;
  }
  // One byte past the limit is enough for the tokenizer to say at which
  // line the scenario became too long; the rest is never read.
  std::string text;
  char chunk[1 << 16];
  while (text.size() <= kMaxScenarioBytes &&
         in.read(chunk, sizeof chunk).gcount() > 0) {
    text.append(chunk, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) {
    unreadable.message = "cannot read the scenario file";
    return unreadable;
  }
  std::string base = std::filesystem::path(path).parent_path().string();
  return RunText(text, path, base);
}

int RunScenarioFiles(ScenarioHost& host, const std::vector<std::string>& files,
                     std::ostream& out, bool verbose) {
  Interpreter interpreter(host, verbose ? &out : nullptr);
  int passed = 0, failed = 0;
  for (const std::string& file : files) {
    ScenarioResult result = interpreter.RunFile(file);
    out << result.Summary(file) << std::endl;
    (result.passed ? passed : failed)++;
  }
  out << passed << " passed, " << failed << " failed" << std::endl;
  return failed == 0 ? 0 : 1;
}

}  // namespace morvel::scenario

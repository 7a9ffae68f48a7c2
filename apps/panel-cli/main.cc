// morvel-panel: plays scenario files against a headless panel, or shows
// what the panel looks like for a scene and a selection.
//
//   morvel-panel run [-v] FILE...
//   morvel-panel show SCENE [--select NAMES] [--tab common|object]
//   morvel-panel random [--steps N] [--seed S] [--comma] [--heap] SCENE...
//   morvel-panel widgets [--markdown]
//   morvel-panel corpus [--shard I/N] [--limit SECONDS] [-v] FOLDER

#include <malloc.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "panel-cli/corpus.h"
#include "panel-cli/widget_list.h"
#include "panel/panel_layout.h"
#include "panel/properties.h"
#include "random_user/random_user.h"
#include "scenario/headless_host.h"
#include "scenario/interpreter.h"
#include "scenario/scene_state.h"
#include "widgets/widget.h"

namespace {

using morvel::scenario::HeadlessHost;

constexpr const char kUsage[] =
    "usage:\n"
    "  morvel-panel run [-v] FILE...\n"
    "      Plays each scenario with a fresh panel; prints PASS or FAIL per\n"
    "      file and \"N passed, N failed\". -v prints the transcript.\n"
    "  morvel-panel show SCENE [--select NAMES] [--tab common|object]\n"
    "      Loads a scene, sets up the panel and prints the widgets a person\n"
    "      would see. NAMES are node names, separated by commas; without\n"
    "      --select the scene file's own selection is used. The tab is\n"
    "      \"object\" for a single selected node, else \"common\".\n"
    "  morvel-panel random [--steps N] [--seed S] [--comma] [--heap] [-v]\n"
    "                      SCENE...\n"
    "      Plays N random steps (default 100000) of a host and a person\n"
    "      against a panel over the scenes, with faults, checking the\n"
    "      panel's invariants after every step; prints what it did and PASS,\n"
    "      or FAIL with the broken invariant and the last steps. --seed picks\n"
    "      the run (default 1); --comma types numbers with a decimal comma;\n"
    "      --heap samples the heap in use every 1,000 steps and fails when\n"
    "      the last tenth of the run used more than the second (+64 KiB);\n"
    "      -v prints each step.\n"
    "  morvel-panel widgets [--markdown]\n"
    "      Prints every widget of the panel as designed, one line each;\n"
    "      --markdown prints the page docs/widgets.md instead.\n"
    "  morvel-panel corpus [--shard I/N] [--limit SECONDS] [-v] FOLDER\n"
    "      Opens every model file under FOLDER, shows each node of each\n"
    "      scene on both tabs, and checks that no file crashes, hangs past\n"
    "      the limit (default 10 s) or puts a number that is not finite\n"
    "      into the scene, and that every file that fails does so with a\n"
    "      numbered error. Prints files opened, refused (and why), nodes\n"
    "      shown, and PASS or FAIL with what broke. --shard I/N takes every\n"
    "      Nth file from the Ith (0-based), to share a corpus out.\n"
    "  morvel-panel help\n";

int Usage(const std::string& problem) {
  std::cerr << "morvel-panel: " << problem << "\n" << kUsage;
  return 2;
}

bool IsOption(const std::string& arg) { return !arg.empty() && arg[0] == '-'; }

// What the run and random commands take besides their own options: -v and
// the files. False for any other option.
bool TakeVerboseOrFile(const std::string& arg, bool& verbose,
                       std::vector<std::string>& files) {
  if (arg == "-v" || arg == "--verbose") {
    verbose = true;
  } else if (IsOption(arg)) {
    return false;
  } else {
    files.push_back(arg);
  }
  return true;
}

// The one operand of the show and corpus commands, into `operand`; the
// problem (`second` for a second operand), or empty once it is taken.
std::string TakeOperand(const std::string& arg, std::string& operand,
                        const std::string& second) {
  if (IsOption(arg)) return "unknown option " + arg;
  if (!operand.empty()) return second;
  operand = arg;
  return "";
}

// Reads a command's arguments one at a time: an option named in `valued`
// takes the next word as its value (a problem when there is none), and
// `take` answers each option or operand with its problem, or "" once it is
// taken. The first problem, or "".
std::string ReadArguments(
    const std::vector<std::string>& args,
    std::initializer_list<std::string_view> valued,
    const std::function<std::string(const std::string& arg,
                                    const std::string* value)>& take) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const std::string* value = nullptr;
    if (std::find(valued.begin(), valued.end(), arg) != valued.end()) {
      if (i + 1 >= args.size()) return arg + " needs a value";
      value = &args[++i];
    }
    if (std::string problem = take(arg, value); !problem.empty()) {
      return problem;
    }
  }
  return "";
}

int RunCommand(const std::vector<std::string>& args) {
  bool verbose = false;
  std::vector<std::string> files;
  for (const std::string& arg : args) {
    if (!TakeVerboseOrFile(arg, verbose, files))
      return Usage("unknown option " + arg);
  }
  if (files.empty()) return Usage("run needs at least one scenario file");
  HeadlessHost host;
  return morvel::scenario::RunScenarioFiles(host, files, std::cout, verbose);
}

std::vector<std::string> SplitNames(const std::string& text) {
  std::vector<std::string> names;
  std::stringstream in(text);
  std::string name;
  while (std::getline(in, name, ',')) {
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

int ShowCommand(const std::vector<std::string>& args) {
  std::string scene_path, tab;
  std::optional<std::vector<std::string>> selection;
  std::string problem = ReadArguments(
      args, {"--select", "--tab"},
      [&](const std::string& arg, const std::string* value) -> std::string {
        if (arg == "--tab") {
          if (*value != "common" && *value != "object")
            return "--tab is common or object, not " + *value;
          tab = *value;
        } else if (arg == "--select") {
          selection = SplitNames(*value);
        } else {
          return TakeOperand(arg, scene_path, "show takes one scene file");
        }
        return "";
      });
  if (!problem.empty()) return Usage(problem);
  if (scene_path.empty()) return Usage("show needs a scene file");

  HeadlessHost host;
  morvel::scenario::Recorder recorder;
  morvel::scenario::SceneState scene;
  try {
    // The settings store the scene's applier reads belongs to the host's
    // session, so the session starts first.
    host.BeginScenario(recorder);
    scene.Load(scene_path, &host.Settings());
    if (selection) scene.Select(*selection);
    host.SetScene(scene, scene.Graph(), scene.Applier());
    morvel::SetupArguments one = scene.HostRules(3);
    long long count = 0LL + one.ShapesSelectedCount + one.LightsSelectedCount +
                      one.BonesSelectedCount + one.CamerasSelectedCount +
                      one.GroupsSelectedCount;
    if (tab.empty()) tab = count == 1 ? "object" : "common";
    host.Setup(scene.HostRules(tab == "common" ? 2 : 3));
    morvel::Properties& panel = *host.Panel();
    std::cout << panel.Widgets().Dump(*panel.Widgets().Root(), true);
    host.EndScenario();
  } catch (const morvel::Error& e) {
    std::cerr << "morvel-panel: " << e.ToString() << "\n";
    return 1;
  }
  return 0;
}

// Bytes of heap in use now: the sanitizer's count when its allocator runs,
// else the C library's.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVEL_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define MORVEL_ASAN 1
#endif
#ifdef MORVEL_ASAN
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
std::size_t HeapInUse() { return __sanitizer_get_current_allocated_bytes(); }
#else
std::size_t HeapInUse() { return mallinfo2().uordblks; }
#endif

std::optional<long long> WholeNumber(const std::string& text) {
  long long value = 0;
  auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0)
    return std::nullopt;
  return value;
}

int RandomCommand(const std::vector<std::string>& args) {
  long long steps = 100000;
  std::uint64_t seed = 1;
  bool heap = false;
  bool verbose = false;
  morvel::random_user::Options options;
  std::vector<std::string> files;
  std::string problem = ReadArguments(
      args, {"--steps", "--seed"},
      [&](const std::string& arg, const std::string* value) -> std::string {
        if (value) {
          std::optional<long long> number = WholeNumber(*value);
          if (!number) return arg + " takes a whole number, not " + *value;
          if (arg == "--steps") {
            steps = *number;
          } else {
            seed = static_cast<std::uint64_t>(*number);
          }
        } else if (arg == "--comma") {
          options.decimal_separator = ',';
        } else if (arg == "--heap") {
          heap = true;
        } else if (!TakeVerboseOrFile(arg, verbose, files)) {
          return "unknown option " + arg;
        }
        return "";
      });
  if (!problem.empty()) return Usage(problem);
  if (files.empty()) return Usage("random needs at least one scene file");
  if (heap && steps < 20000) return Usage("--heap needs at least 20000 steps");

  std::vector<std::size_t> samples;  // heap in use every 1,000 steps
  morvel::random_user::SeededChoices choices(seed);
  try {
    options.scenes = morvel::random_user::ReadSceneFiles(files);
    morvel::random_user::RandomUser user(options, choices);
    for (long long step = 1; step <= steps; ++step) {
      user.Step();
      if (verbose) std::cout << user.History().back() << "\n";
      if (heap && step % 1000 == 0) samples.push_back(HeapInUse());
    }
    user.Finish();
    const morvel::random_user::Stats& s = user.stats();
    const auto& p = s.protocol;
    std::cout << "random user, seed " << seed << ": " << s.steps << " steps\n"
              << "  host calls " << s.host_calls << ", user actions "
              << s.user_actions << " (" << s.refusals << " refused), "
              << s.panels_made << " panels, " << s.scenes_loaded
              << " scenes loaded\n"
              << "  faults planned " << s.faults_planned << " ("
              << s.faults_raised << " reached the host), platform faults "
              << s.platform_faults << "\n"
              << "  errors to the host " << s.errors << ", set-ups after them "
              << s.recoveries << " (" << s.recoveries_failing_as_fresh
              << " failing as on a fresh panel)\n"
              << "  transactions " << p.prepares << " (" << p.applies
              << " applied, " << p.closed_by_error << " closed by an error, "
              << p.quiet_ends << " ended quietly), writes " << p.writes_inside
              << " inside and " << p.writes_outside << " outside\n"
              << "  warnings " << p.warnings << " (" << s.warnings_shown
              << " shown), operations " << p.operations << ", message boxes "
              << s.messages << "\n";
  } catch (const morvel::random_user::Violation& v) {
    std::cout << "FAIL seed " << seed << ": " << v.what() << "\n";
    return 1;
  } catch (const morvel::Error& e) {
    std::cerr << "morvel-panel: " << e.ToString() << "\n";
    return 1;
  }
  if (heap) {
    // The tenth tenth of the run against the last: a run whose heap is flat
    // uses no more at its end than early on, once every kind of scene and
    // section has been seen.
    const std::size_t tenth = samples.size() / 10;
    const std::size_t early =
        *std::max_element(samples.begin() + static_cast<long>(tenth),
                          samples.begin() + static_cast<long>(2 * tenth));
    const std::size_t late = *std::max_element(
        samples.end() - static_cast<long>(tenth), samples.end());
    std::cout << "  heap in use: " << samples[9] << " bytes at step 10000, "
              << samples.back() << " at step " << samples.size() * 1000
              << "; most from step " << tenth * 1000 + 1000 << " to "
              << 2 * tenth * 1000 << ": " << early
              << ", in the last tenth: " << late << "\n";
    if (late > early + 64 * 1024) {
      std::cout << "FAIL: the heap grew by " << late - early << " bytes\n";
      return 1;
    }
  }
  std::cout << "PASS\n";
  return 0;
}

int WidgetsCommand(const std::vector<std::string>& args) {
  if (args.size() > 1 || (args.size() == 1 && args[0] != "--markdown"))
    return Usage("widgets takes only --markdown");
  if (!args.empty()) {
    std::cout << morvel::WidgetListMarkdown();
    return 0;
  }
  morvel::WithDesignedPanel([](const morvel::WidgetTree& tree) {
    std::cout << tree.Dump(*tree.Root());
  });
  return 0;
}

int CorpusCommand(const std::vector<std::string>& args) {
  morvel::cli::CorpusOptions options;
  std::string problem = ReadArguments(
      args, {"--shard", "--limit"},
      [&](const std::string& arg, const std::string* value) -> std::string {
        if (arg == "--limit") {
          std::optional<long long> seconds = WholeNumber(*value);
          if (!seconds || *seconds == 0)
            return "--limit takes whole seconds, not " + *value;
          options.limit = std::chrono::seconds(*seconds);
        } else if (arg == "--shard") {
          std::size_t slash = value->find('/');
          std::optional<long long> shard =
              WholeNumber(value->substr(0, slash));
          std::optional<long long> shards =
              slash == std::string::npos
                  ? std::nullopt
                  : WholeNumber(value->substr(slash + 1));
          if (!shard || !shards || *shards == 0 || *shard >= *shards)
            return "--shard takes I/N with I below N, not " + *value;
          options.shard = static_cast<std::size_t>(*shard);
          options.shards = static_cast<std::size_t>(*shards);
        } else if (arg == "-v" || arg == "--verbose") {
          options.verbose = true;
        } else {
          return TakeOperand(arg, options.folder, "corpus takes one folder");
        }
        return "";
      });
  if (!problem.empty()) return Usage(problem);
  if (options.folder.empty()) return Usage("corpus needs a folder");
  morvel::cli::CorpusSummary s = morvel::cli::RunCorpus(options, std::cout);
  std::cout << "corpus " << options.folder;
  if (options.shards > 1)
    std::cout << " (shard " << options.shard << "/" << options.shards << ")";
  std::cout << ": " << s.files << " files, " << s.opened << " opened, "
            << s.refused << " refused, " << s.nodes_shown << " nodes shown\n"
            << "  slowest: " << s.slowest_file << " (" << s.slowest_seconds
            << " s)\n";
  for (const std::string& refusal : s.refusals)
    std::cout << "  refused " << refusal << "\n";
  for (const std::string& problem : s.problems)
    std::cout << "  PROBLEM " << problem << "\n";
  std::cout << (s.problems.empty() ? "PASS" : "FAIL") << "\n";
  return s.problems.empty() && s.files > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage("no command given");
  std::string command = args.front();
  args.erase(args.begin());
  if (command == "run") return RunCommand(args);
  if (command == "show") return ShowCommand(args);
  if (command == "random") return RandomCommand(args);
  if (command == "widgets") return WidgetsCommand(args);
  if (command == "corpus") return CorpusCommand(args);
  if (command == "help" || command == "--help" || command == "-h") {
    std::cout << kUsage;
    return 0;
  }
  return Usage("unknown command " + command);
}

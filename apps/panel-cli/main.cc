// morvel-panel: plays scenario files against a headless panel, or shows
// what the panel looks like for a scene and a selection.
//
//   morvel-panel run [-v] FILE...
//   morvel-panel show SCENE [--select NAMES] [--tab common|object]

#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "base/error.h"
#include "panel/properties.h"
#include "scenario/headless_host.h"
#include "scenario/interpreter.h"
#include "scenario/scene_state.h"

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
    "  morvel-panel help\n";

int Usage(const std::string& problem) {
  std::cerr << "morvel-panel: " << problem << "\n" << kUsage;
  return 2;
}

int RunCommand(const std::vector<std::string>& args) {
  bool verbose = false;
  std::vector<std::string> files;
  for (const std::string& arg : args) {
    if (arg == "-v" || arg == "--verbose") {
      verbose = true;
    } else if (!arg.empty() && arg[0] == '-') {
      return Usage("unknown option " + arg);
    } else {
      files.push_back(arg);
    }
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
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--select" || arg == "--tab") {
      if (i + 1 >= args.size()) return Usage(arg + " needs a value");
      const std::string& value = args[++i];
      if (arg == "--tab") {
        if (value != "common" && value != "object")
          return Usage("--tab is common or object, not " + value);
        tab = value;
      } else {
        selection = SplitNames(value);
      }
    } else if (!arg.empty() && arg[0] == '-') {
      return Usage("unknown option " + arg);
    } else if (scene_path.empty()) {
      scene_path = arg;
    } else {
      return Usage("show takes one scene file");
    }
  }
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

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage("no command given");
  std::string command = args.front();
  args.erase(args.begin());
  if (command == "run") return RunCommand(args);
  if (command == "show") return ShowCommand(args);
  if (command == "help" || command == "--help" || command == "-h") {
    std::cout << kUsage;
    return 0;
  }
  return Usage("unknown command " + command);
}

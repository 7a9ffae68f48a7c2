#ifndef MORVEL_APPS_COMMON_DEMO_ARGUMENTS_H_
#define MORVEL_APPS_COMMON_DEMO_ARGUMENTS_H_

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/types.h"

// The command line the demo hosts share (morvel-demo, the Qt host, and
// morvel-imgui-demo, the ImGui host):
//
//   PROGRAM [SCENE] [--select NAMES] [--tab common|object]
//           [--screenshot PNG] [--play SCENARIO... [-v]]
namespace morvel::demo {

struct DemoArguments {
  std::string scene;
  std::vector<std::string> select;  // --select, comma-separated
  bool select_given = false;
  std::string tab;  // "common", "object" or empty
  std::string screenshot;
  std::vector<std::string> play;
  bool verbose = false;
  bool help = false;

  // 2 for the Common tab, 3 for the Object tab, 0 when none was asked for.
  Long Tab() const;
};

// Parses the command line; false, after writing why to `errors`, for
// arguments the demos do not understand.
bool ParseDemoArguments(int argc, char** argv, DemoArguments& out,
                        std::ostream& errors);

// The usage text, with what this host's screenshot and play modes do.
std::string DemoUsage(std::string_view program, std::string_view screenshot,
                      std::string_view play);

// Reads the command line of a demo whose usage text says `screenshot` and
// `play` (as DemoUsage). The program's exit status when it ends here: 2,
// with the usage on standard error, for arguments the demos do not
// understand; 0, with the usage on standard output, for --help. Otherwise
// nothing, and `args` holds what was asked for.
std::optional<int> ReadDemoCommandLine(int argc, char** argv,
                                       std::string_view program,
                                       std::string_view screenshot,
                                       std::string_view play,
                                       DemoArguments& args);

// examples/studio.json in the working folder, beside the program (up to four
// folders up) or in the sources; empty when there is none.
std::string DefaultSceneFile(const char* argv0, const std::string& sources);

}  // namespace morvel::demo

#endif  // MORVEL_APPS_COMMON_DEMO_ARGUMENTS_H_

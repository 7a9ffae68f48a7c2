#include "common/demo_arguments.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <ostream>
#include <sstream>

namespace morvel::demo {
namespace {

std::vector<std::string> SplitNames(const std::string& text) {
  std::vector<std::string> names;
  std::stringstream in(text);
  for (std::string name; std::getline(in, name, ',');) {
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

}  // namespace

Long DemoArguments::Tab() const {
  return tab.empty() ? 0 : tab == "object" ? 3 : 2;
}

bool ParseDemoArguments(int argc, char** argv, DemoArguments& out,
                        std::ostream& errors) {
  const std::string program =
      std::filesystem::path(argc > 0 ? argv[0] : "demo").filename().string();
  auto fail = [&](const std::string& why) {
    errors << program << ": " << why << "\n";
    return false;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    // The value after an option, or null (after saying so) at the end.
    auto value = [&]() -> const char* {
      if (i + 1 < argc) return argv[++i];
      fail(a + " needs a value");
      return nullptr;
    };
    if (a == "-h" || a == "--help") {
      out.help = true;
    } else if (a == "-v" || a == "--verbose") {
      out.verbose = true;
    } else if (a == "--select" || a == "--tab" || a == "--screenshot") {
      const char* v = value();
      if (!v) return false;
      if (a == "--select") {
        out.select = SplitNames(v);
        out.select_given = true;
      } else if (a == "--screenshot") {
        out.screenshot = v;
      } else if (std::string(v) != "common" && std::string(v) != "object") {
        return fail(std::string("--tab is common or object, not ") + v);
      } else {
        out.tab = v;
      }
    } else if (a == "--play") {
      while (i + 1 < argc && argv[i + 1][0] != '-') out.play.push_back(argv[++i]);
      if (out.play.empty()) return fail("--play needs at least one scenario file");
    } else if (!a.empty() && a[0] == '-') {
      return fail("unknown option " + a);
    } else if (out.scene.empty()) {
      out.scene = a;
    } else {
      return fail("one scene at a time (" + out.scene + " and " + a + ")");
    }
  }
  return true;
}

std::string DemoUsage(std::string_view program, std::string_view screenshot,
                      std::string_view play) {
  std::string indent(program.size(), ' ');
  std::ostringstream out;
  out << "usage: " << program
      << " [SCENE] [--select NAMES] [--tab common|object]\n"
      << "       " << indent << " [--screenshot PNG] [--play SCENARIO... [-v]]\n"
      << "\n"
      << "  SCENE              scene file to open (default: "
         "examples/studio.json)\n"
      << "  --select NAMES     select these nodes, comma-separated "
         "(\"Teapot,Cups\")\n"
      << "  --tab TAB          show the common or the object tab\n"
      << "  --screenshot PNG   " << screenshot << "\n"
      << "  --play SCENARIO... " << play << "\n"
      << "  -v                 with --play: print the transcript\n";
  return out.str();
}

std::optional<int> ReadDemoCommandLine(int argc, char** argv,
                                       std::string_view program,
                                       std::string_view screenshot,
                                       std::string_view play,
                                       DemoArguments& args) {
  const std::string usage = DemoUsage(program, screenshot, play);
  if (!ParseDemoArguments(argc, argv, args, std::cerr)) {
    std::fputs(usage.c_str(), stderr);
    return 2;
  }
  if (args.help) {
    std::fputs(usage.c_str(), stdout);
    return 0;
  }
  return std::nullopt;
}

std::string DefaultSceneFile(const char* argv0, const std::string& sources) {
  namespace fs = std::filesystem;
  const fs::path scene = "examples/studio.json";
  std::vector<fs::path> candidates = {scene};
  std::error_code error;
  fs::path dir = fs::absolute(argv0, error).parent_path();
  for (int up = 0; up < 4 && !dir.empty(); ++up, dir = dir.parent_path())
    candidates.push_back(dir / scene);
  candidates.push_back(fs::path(sources) / scene);
  for (const fs::path& c : candidates) {
    if (fs::exists(c, error)) return fs::absolute(c, error).string();
  }
  return {};
}

}  // namespace morvel::demo

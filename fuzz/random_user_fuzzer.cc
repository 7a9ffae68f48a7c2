// Random action sequences against a real panel: the input's bytes are the
// random user's choices (random_user/choices.h), one byte for most
// decisions, so a mutation of the input is a mutation of the sequence:
// another widget, another text, a fault one call later. Every step is
// checked against the invariants of random_user/random_user.h; a breach
// stops the run with the broken invariant and the steps that led to it.
//
// The scenes are the project's example and test scenes, read once.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "random_user/random_user.h"

namespace {

namespace ru = morvel::random_user;

// Enough steps to reach deep into a panel's states; an input longer than
// that is cut.
constexpr int kMaxSteps = 2000;

const std::vector<ru::SceneSource>& Scenes() {
  static const std::vector<ru::SceneSource> scenes = [] {
    const std::filesystem::path source = MORVEL_SOURCE_DIR;
    std::vector<std::string> paths = {
        (source / "examples/studio.json").string()};
    for (const auto& entry : std::filesystem::directory_iterator(
             source / "tests/scenarios/scenes")) {
      paths.push_back(entry.path().string());
    }
    std::sort(paths.begin() + 1, paths.end());
    return ru::ReadSceneFiles(paths);
  }();
  return scenes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  ru::ByteChoices choices(data, size);
  ru::Options options;
  options.scenes = Scenes();
  // One run in four types its numbers with a decimal comma.
  options.decimal_separator = choices.OneIn(4) ? ',' : '.';
  try {
    ru::RandomUser user(options, choices);
    for (int step = 0; step < kMaxSteps && user.Step(); ++step) {
    }
    user.Finish();
  } catch (const ru::Violation& violation) {
    MORVEL_FUZZ_CHECK(false, "%s", violation.what());
  }
  return 0;
}

#pragma once

// For the random user's tests: the scenes a run picks from. Every test
// target that includes this defines MORVEL_SOURCE_DIR.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "random_user/random_user.h"

namespace morvel::random_user {

// The studio scene of the examples and every test scene, in a fixed order so
// that a seed plays the same run on every machine.
inline std::vector<SceneSource> ProjectScenes() {
  const std::filesystem::path source = MORVEL_SOURCE_DIR;
  std::vector<std::string> paths = {(source / "examples/studio.json").string()};
  for (const auto& entry :
       std::filesystem::directory_iterator(source / "tests/scenarios/scenes")) {
    paths.push_back(entry.path().string());
  }
  std::sort(paths.begin() + 1, paths.end());
  return ReadSceneFiles(paths);
}

// Plays this many steps and finishes the run: the broken invariant, or
// empty when every step kept them all.
inline std::string PlaySteps(RandomUser& user, int steps) {
  try {
    for (int i = 0; i < steps; ++i) user.Step();
    user.Finish();
  } catch (const Violation& v) {
    return v.what();
  }
  return "";
}

}  // namespace morvel::random_user

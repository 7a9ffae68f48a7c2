#ifndef MORVEL_SCENARIO_SCENE_STATE_H_
#define MORVEL_SCENARIO_SCENE_STATE_H_

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/types.h"
#include "memscene/host_rules.h"
#include "platform/platform.h"

namespace morvel {
class MemSceneGraph;
}  // namespace morvel

namespace morvel {
class SceneGraph;
class Applier;
}  // namespace morvel

namespace morvel::scenario {

// The scene a scenario plays in: a scene file loaded into the reference
// in-memory scene graph, with its selection, journal, faults and chooser
// answers. Empty until `scene` loads a file; the commands that need a scene
// say so when there is none.
class SceneState {
 public:
  SceneState();
  ~SceneState();
  SceneState(const SceneState&) = delete;
  SceneState& operator=(const SceneState&) = delete;

  // Loads a scene file (replacing any earlier scene) with an applier that
  // reads the operations' parameters from `settings` (may be null: the
  // defaults). Raises morvel::Error for a file that cannot be read or is
  // not a scene.
  void Load(const std::string& path, SettingsStore* settings);
  // Forgets the scene (what a host hands the panel to take its scene away).
  void Clear();
  bool Loaded() const;
  std::shared_ptr<SceneGraph> Graph() const;
  std::shared_ptr<morvel::Applier> Applier() const;
  // The reference scene itself, for hosts that show it (null before Load).
  std::shared_ptr<MemSceneGraph> Scene() const;

  // Sets the host selection by node names. Raises error 5 naming the
  // problem (an unknown or repeated name) and then changes nothing.
  void Select(const std::vector<std::string>& names);

  // The SetupPropertiesPanel arguments the host rules give the selection.
  SetupArguments HostRules(Long tab) const;

  // A value by its scene-file key path ("Teapot.Materials[0].Diffuse"), as
  // the scene prints it; nullopt when the path names nothing.
  std::optional<std::string> Value(std::string_view path) const;

  // The journal lines from line `from` on (0: every line so far), and how
  // many lines there are.
  std::vector<std::string> Journal(std::size_t from = 0) const;
  std::size_t JournalSize() const;

  // `operation` fails with `number` and `description`: the next `after`
  // calls succeed, then `times` calls fail (-1: every call from then on).
  void Fault(const std::string& operation, Long number,
             const std::string& description, Long after, Long times);
  // What the next colour / map-file chooser answers.
  void AnswerColour(Long result, Colour colour);
  void AnswerMapFile(const std::string& path);

  // Every text the panel passed to the debug sink (WriteDebugMessage) so
  // far in this scenario.
  std::vector<std::string> DebugMessages() const;

  // The scene as text, for `print scene`.
  std::string Dump() const;

  // Runs a mesh operation through the applier, which reads its parameters
  // from the settings store it was loaded with.
  void RunOperation(const std::string& operation);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace morvel::scenario

#endif  // MORVEL_SCENARIO_SCENE_STATE_H_

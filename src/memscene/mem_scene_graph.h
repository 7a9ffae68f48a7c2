#ifndef MORVEL_MEMSCENE_MEM_SCENE_GRAPH_H_
#define MORVEL_MEMSCENE_MEM_SCENE_GRAPH_H_

#include <cstddef>
#include <memory>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/types.h"
#include "scene/scene_graph.h"

// The reference scene graph: the whole scene in memory, loaded from and saved
// to the JSON scene file format (docs/scene-format.md). Besides answering the
// panel through SceneGraph, it gives hosts and tests what they need around
// it: lookups by name, the selection, any value by its key path, a journal of
// every write the scene received, planned failures of any operation, and
// snapshots for undo.
namespace morvel {

namespace mem {
class State;
struct SceneContent;
}

class MemSceneGraph final : public SceneGraph {
 public:
  // An empty scene. Creating a scene installs the reference shared
  // utilities when the host has not installed any, and makes this scene the
  // thread's current one (see MakeCurrent).
  explicit MemSceneGraph(std::string origin = "new scene");
  ~MemSceneGraph() override;
  MemSceneGraph(const MemSceneGraph&) = delete;
  MemSceneGraph& operator=(const MemSceneGraph&) = delete;

  // Loading refuses a file it cannot read (error 53 for a missing file, 75
  // otherwise) and any content that is not a valid scene (error 321, naming
  // the file, the node and the key). Nothing is handed out half-loaded.
  static std::shared_ptr<MemSceneGraph> Load(const std::string& path);
  static std::shared_ptr<MemSceneGraph> FromText(
      const std::string& text, const std::string& origin = "scene text");
  static std::shared_ptr<MemSceneGraph> FromJson(
      const nlohmann::json& json, const std::string& origin = "scene");
  // A scene of content made elsewhere (an imported model); `folder` is the
  // one its relative map paths start from.
  static std::shared_ptr<MemSceneGraph> FromContent(mem::SceneContent content,
                                                    const std::string& origin,
                                                    const std::string& folder);

  // Writes the scene file (values at their defaults left out). The file is
  // replaced whole or not at all; error 75 when it cannot be written. Map
  // paths relative to the folder the scene came from are written relative
  // to the new file's folder; the scene itself keeps them as they were.
  void Save(const std::string& path) const;
  std::string ToText() const;
  nlohmann::ordered_json ToJson() const;
  // Undo support: ToJson() is a snapshot, Restore puts one back (checked
  // like a load; on error nothing changes). Objects the host or panel holds
  // stay valid for the nodes whose names are in the snapshot; the others
  // report error 91.
  void Restore(const nlohmann::json& snapshot);
  // The file (or description) the scene came from, as messages name it.
  const std::string& Origin() const;

  // Nodes. AddNode appends a node with neutral values (error 5 for a used
  // name, an unknown kind or a parent that is not a group or bone).
  Long NodeCount() const;
  std::vector<std::string> NodeNames() const;
  std::shared_ptr<SceneNode> FindNode(
      const std::string& name) const;                              // or null
  std::shared_ptr<SceneNode> Node(const std::string& name) const;  // error 5
  std::shared_ptr<SceneNode> AddNode(const std::string& name, Long kind,
                                     const std::string& parent = "");
  // The parent of a node ("" at the top).
  std::string ParentOf(const std::string& name) const;

  // The selection, in order. Select refuses (error 5) an unknown or repeated
  // name and then changes nothing.
  void Select(const std::vector<std::string>& names);
  void SelectAll();
  std::vector<std::string> SelectedNames() const;

  // A value by its scene-file key path: "Teapot.SmoothingLevel",
  // "Teapot.Materials[0].Diffuse", "Teapot.Clones.Counts[0]",
  // "ApplicationRegistryKey". Error 5 for a path that names nothing, 9 for
  // an index outside its list.
  nlohmann::ordered_json Value(const std::string& path) const;
  // The same as text: numbers in their shortest exact form, True/False,
  // strings as they are, lists and objects as compact JSON.
  std::string ValueText(const std::string& path) const;

  // The journal: one line per scene write, `Operation object arguments`
  // ("SetSmoothingLevel Teapot 2"), in order. Lines from `from` on.
  std::vector<std::string> JournalLines(std::size_t from = 0) const;
  std::vector<std::string> JournalOperations(std::size_t from = 0) const;
  std::size_t JournalSize() const;
  void ClearJournal();
  // A host that makes millions of writes may switch the journal off.
  void SetJournalEnabled(bool enabled);

  // Makes `operation` (a method's name, a property's name for a read, Set
  // and the name for a write) fail with error `number` and `description`:
  // the next `after_n` calls succeed, then `times` calls fail (-1: every
  // call), then it works again. `times` 0 or error number 0 removes the
  // plan. Error 5 for a name no operation has (a typo would otherwise plan
  // a failure that never comes).
  void Fault(const std::string& operation, Long number,
             const std::string& description, Long after_n = 0, Long times = 1);
  // Whether `name` is an operation that Fault can make fail.
  static bool HasOperation(std::string_view name);
  // Every name Fault accepts, sorted.
  static std::span<const std::string_view> OperationNames();
  void ClearFaults();

  // The shared utilities' helpers that concern no scene (MakeVector,
  // Remainder, the choosers...) check the faults of the thread's current
  // scene: the last one made or made current.
  void MakeCurrent();

  // Did the viewports get asked to redraw the selection (Display as Box)?
  bool SelectionNeedsRedraw() const;

  // The data behind the scene, for the reference library's own utilities,
  // its tests and the benchmarks.
  mem::State& state() const { return *state_; }

  // SceneGraph.
  std::shared_ptr<Scene> GetActiveScene() override;
  Long GetSelectionCount(Long list) override;
  std::shared_ptr<SceneNode> GetSelectedNode(Long list, Long index) override;
  std::shared_ptr<Group> GetSelectedGroup(Long list, Long index) override;
  std::shared_ptr<Group> GetSelectedBone(Long list, Long index) override;
  std::shared_ptr<Light> GetSelectedLight(Long list, Long index) override;
  std::shared_ptr<Camera> GetSelectedCamera(Long list, Long index) override;
  std::shared_ptr<Light> GetLightOfNode(
      const std::shared_ptr<Hierarchy>& hierarchy,
      const std::shared_ptr<SceneNode>& reference) override;
  Long SelectionNeedsRefresh(Long list) override;
  void RefreshSelection(Long list) override;

 private:
  mem::State& ListOwner(Long list) const;
  std::int32_t SelectedIndex(const char* operation, Long list, Long index,
                             mem::State*& owner) const;

  std::unique_ptr<mem::State> state_;
};

}  // namespace morvel

#endif  // MORVEL_MEMSCENE_MEM_SCENE_GRAPH_H_

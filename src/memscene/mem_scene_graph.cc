#include "memscene/mem_scene_graph.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

#include "base/error.h"
#include "memscene/handles.h"
#include "memscene/mem_utilities.h"
#include "memscene/scene_file.h"
#include "memscene/state.h"

namespace morvel {
namespace {

std::shared_ptr<MemSceneGraph> Made(mem::SceneContent content,
                                    const std::string& origin) {
  auto graph = std::make_shared<MemSceneGraph>(origin);
  graph->state().ReplaceContent(std::move(content));
  return graph;
}

[[noreturn]] void KindMismatch(const mem::NodeData& node, const char* wanted) {
  RaiseError(kErrTypeMismatch, "Type mismatch: the selected " +
                                   std::string(mem::KindName(node.kind)) +
                                   " \"" + Excerpt(node.name) + "\" is not " +
                                   wanted);
}

}  // namespace

MemSceneGraph::MemSceneGraph(std::string origin)
    : state_(std::make_unique<mem::State>(std::move(origin))) {
  InstallReferenceUtilities(/*replace=*/false);
  state_->MakeCurrent();
}

MemSceneGraph::~MemSceneGraph() = default;

std::shared_ptr<MemSceneGraph> MemSceneGraph::Load(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    RaiseError(kErrFileNotFound, "File not found: " + path);
  }
  if (std::filesystem::is_directory(path, error)) {
    RaiseError(kErrPathFileAccess,
               "Path/File access error: " + path + " is a folder");
  }
  // Read a chunk at a time: a big scene file is never held whole.
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(
      std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) RaiseError(kErrPathFileAccess, "Path/File access error: " + path);
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  auto graph = Made(mem::ReadSceneFile(file.get(), path, error ? 0 : size), path);
  graph->state().folder =
      std::filesystem::absolute(path, error).parent_path().string();
  return graph;
}

std::shared_ptr<MemSceneGraph> MemSceneGraph::FromContent(
    mem::SceneContent content, const std::string& origin,
    const std::string& folder) {
  auto graph = Made(std::move(content), origin);
  graph->state().folder = folder;
  return graph;
}

std::shared_ptr<MemSceneGraph> MemSceneGraph::FromText(
    const std::string& text, const std::string& origin) {
  return Made(mem::ReadSceneText(text, origin), origin);
}

std::shared_ptr<MemSceneGraph> MemSceneGraph::FromJson(
    const nlohmann::json& json, const std::string& origin) {
  return Made(mem::ReadScene(json, origin), origin);
}

void MemSceneGraph::Save(const std::string& path) const {
  std::error_code error;
  const mem::PathMap rebase = mem::Rebase(
      state_->folder,
      std::filesystem::absolute(path, error).parent_path().string());
  std::string text =
      mem::WriteScene(state_->content, true, mem::MeshForm::kInline, &rebase)
          .dump(2, ' ', false,
                nlohmann::ordered_json::error_handler_t::replace) +
      "\n";
  // Write beside the target and rename over it, so a failure half-way never
  // leaves a truncated scene file behind.
  std::string temporary = path + ".saving";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    out.flush();
    if (!out) {
      std::remove(temporary.c_str());
      RaiseError(kErrPathFileAccess,
                 "Path/File access error: cannot write " + path);
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    RaiseError(kErrPathFileAccess,
               "Path/File access error: cannot write " + path);
  }
}

std::string MemSceneGraph::ToText() const {
  // Text that is not UTF-8 (only code can put it there; files and typing
  // cannot) is written with replacement characters rather than failing the
  // whole save.
  return mem::WriteScene(state_->content, true, mem::MeshForm::kInline)
             .dump(2, ' ', false,
                   nlohmann::ordered_json::error_handler_t::replace) +
         "\n";
}

nlohmann::ordered_json MemSceneGraph::ToJson() const {
  return mem::WriteScene(state_->content, true);
}

void MemSceneGraph::Restore(const nlohmann::json& snapshot) {
  mem::SceneContent content = mem::ReadScene(snapshot, state_->origin);
  // A snapshot leaves the geometry out (it never changes): each shape
  // keeps its own, found by its name.
  const mem::SceneContent& now = state_->content;
  const auto base = static_cast<std::int32_t>(content.meshes.size());
  content.meshes.insert(content.meshes.end(), now.meshes.begin(),
                        now.meshes.end());
  for (mem::NodeData& node : content.nodes) {
    if (node.kind != kNodeTypeShape) continue;
    std::int32_t before = now.Find(node.name);
    if (before < 0) continue;
    const mem::NodeData& old = now.nodes[static_cast<std::size_t>(before)];
    std::int32_t& mesh = content.shapes[static_cast<std::size_t>(node.ext)].mesh;
    if (old.kind == kNodeTypeShape && mesh < 0) {
      std::int32_t had = now.shapes[static_cast<std::size_t>(old.ext)].mesh;
      if (had >= 0) mesh = base + had;
    }
  }
  state_->ReplaceContent(std::move(content));
}

const std::string& MemSceneGraph::Origin() const { return state_->origin; }

Long MemSceneGraph::NodeCount() const {
  return static_cast<Long>(state_->content.nodes.size());
}

std::vector<std::string> MemSceneGraph::NodeNames() const {
  std::vector<std::string> names;
  names.reserve(state_->content.nodes.size());
  for (const auto& node : state_->content.nodes) names.push_back(node.name);
  return names;
}

std::shared_ptr<SceneNode> MemSceneGraph::FindNode(
    const std::string& name) const {
  std::int32_t index = state_->content.Find(name);
  if (index < 0) return nullptr;
  return state_->Handle(index);
}

std::shared_ptr<SceneNode> MemSceneGraph::Node(const std::string& name) const {
  auto node = FindNode(name);
  if (!node) {
    RaiseError(kErrInvalidProcedureCall,
               "Invalid procedure call or argument: no node is named \"" +
                   Excerpt(name) + "\"");
  }
  return node;
}

std::shared_ptr<SceneNode> MemSceneGraph::AddNode(const std::string& name,
                                                  Long kind,
                                                  const std::string& parent) {
  std::int32_t parent_index = -1;
  if (!parent.empty()) {
    parent_index = state_->content.Find(parent);
    if (parent_index < 0) {
      RaiseError(kErrInvalidProcedureCall,
                 "Invalid procedure call or argument: no node is named \"" +
                     Excerpt(parent) + "\"");
    }
  }
  std::int32_t index = state_->content.AddNode(name, kind, parent_index);
  return state_->Handle(index);
}

std::string MemSceneGraph::ParentOf(const std::string& name) const {
  std::int32_t index = state_->content.Find(name);
  if (index < 0) Node(name);  // raises
  std::int32_t parent =
      state_->content.nodes[static_cast<std::size_t>(index)].parent;
  return parent < 0
             ? std::string()
             : state_->content.nodes[static_cast<std::size_t>(parent)].name;
}

void MemSceneGraph::Select(const std::vector<std::string>& names) {
  std::vector<std::int32_t> selection;
  selection.reserve(names.size());
  std::set<std::int32_t> seen;
  for (const std::string& name : names) {
    std::int32_t index = state_->content.Find(name);
    if (index < 0) {
      RaiseError(kErrInvalidProcedureCall,
                 "Invalid procedure call or argument: no node is named \"" +
                     Excerpt(name) + "\"");
    }
    if (!seen.insert(index).second) {
      RaiseError(kErrInvalidProcedureCall,
                 "Invalid procedure call or argument: \"" + Excerpt(name) +
                     "\" is selected twice");
    }
    selection.push_back(index);
  }
  state_->content.selection = std::move(selection);
}

void MemSceneGraph::SelectAll() {
  auto& selection = state_->content.selection;
  selection.resize(state_->content.nodes.size());
  for (std::size_t i = 0; i < selection.size(); ++i) {
    selection[i] = static_cast<std::int32_t>(i);
  }
}

std::vector<std::string> MemSceneGraph::SelectedNames() const {
  std::vector<std::string> names;
  for (std::int32_t i : state_->content.selection) {
    names.push_back(state_->content.nodes[static_cast<std::size_t>(i)].name);
  }
  return names;
}

nlohmann::ordered_json MemSceneGraph::Value(const std::string& path) const {
  return mem::ValueAt(state_->content, path);
}

std::string MemSceneGraph::ValueText(const std::string& path) const {
  return mem::ValueText(Value(path));
}

std::vector<std::string> MemSceneGraph::JournalLines(std::size_t from) const {
  std::vector<std::string> lines;
  for (std::size_t i = from; i < state_->journal.size(); ++i) {
    lines.push_back(state_->journal[i].Line());
  }
  return lines;
}

std::vector<std::string> MemSceneGraph::JournalOperations(
    std::size_t from) const {
  std::vector<std::string> operations;
  for (std::size_t i = from; i < state_->journal.size(); ++i) {
    operations.push_back(state_->journal[i].operation);
  }
  return operations;
}

std::size_t MemSceneGraph::JournalSize() const {
  return state_->journal.size();
}
void MemSceneGraph::ClearJournal() { state_->journal.clear(); }
void MemSceneGraph::SetJournalEnabled(bool enabled) {
  state_->journal_enabled = enabled;
}

void MemSceneGraph::Fault(const std::string& operation, Long number,
                          const std::string& description, Long after_n,
                          Long times) {
  if (operation.empty() || after_n < 0 || times < -1) {
    RaiseError(
        kErrInvalidProcedureCall,
        "Invalid procedure call or argument: a fault needs an operation, "
        "after_n >= 0 and times >= -1");
  }
  if (!HasOperation(operation)) {
    RaiseError(kErrInvalidProcedureCall,
               "Invalid procedure call or argument: no operation is named \"" +
                   Excerpt(operation) + "\"");
  }
  // Error 0 is no error: the plan is taken away, as for the host services.
  state_->AddFault(operation, mem::FaultPlan{number, description, after_n,
                                             number == 0 ? 0 : times});
}

void MemSceneGraph::ClearFaults() { state_->ClearFaults(); }
void MemSceneGraph::MakeCurrent() { state_->MakeCurrent(); }
bool MemSceneGraph::SelectionNeedsRedraw() const {
  return state_->selection_needs_refresh;
}

// ---- SceneGraph ------------------------------------------------------------

mem::State& MemSceneGraph::ListOwner(Long list) const {
  // The usual case, a list of this very scene, needs no registry lookup.
  if (list == state_->selection_handle()) return *state_;
  return mem::State::Resolve(list);
}

std::shared_ptr<Scene> MemSceneGraph::GetActiveScene() {
  state_->CheckFault("GetActiveScene");
  if (!state_->scene_object) {
    state_->scene_object = std::make_shared<mem::SceneHandle>(state_->anchor());
  }
  return std::static_pointer_cast<mem::SceneHandle>(state_->scene_object);
}

Long MemSceneGraph::GetSelectionCount(Long list) {
  state_->CheckFault("GetSelectionCount");
  return static_cast<Long>(ListOwner(list).content.selection.size());
}

std::int32_t MemSceneGraph::SelectedIndex(const char* operation, Long list,
                                          Long index,
                                          mem::State*& owner) const {
  state_->CheckFault(operation);
  owner = &ListOwner(list);
  const auto& selection = owner->content.selection;
  if (index < 0 || static_cast<std::size_t>(index) >= selection.size()) {
    RaiseError(kErrSubscriptOutOfRange);
  }
  return selection[static_cast<std::size_t>(index)];
}

std::shared_ptr<SceneNode> MemSceneGraph::GetSelectedNode(Long list,
                                                          Long index) {
  mem::State* owner = nullptr;
  std::int32_t node = SelectedIndex("GetSelectedNode", list, index, owner);
  // Straight to the interface type: one shared owner to count, nothing else.
  return std::shared_ptr<SceneNode>(owner->pool(), owner->RawHandle(node));
}

std::shared_ptr<Group> MemSceneGraph::GetSelectedGroup(Long list, Long index) {
  mem::State* owner = nullptr;
  std::int32_t node = SelectedIndex("GetSelectedGroup", list, index, owner);
  const mem::NodeData& data =
      owner->content.nodes[static_cast<std::size_t>(node)];
  if (data.kind != kNodeTypeGroup && data.kind != kNodeTypeBone)
    KindMismatch(data, "a group");
  return owner->Handle(node);
}

std::shared_ptr<Group> MemSceneGraph::GetSelectedBone(Long list, Long index) {
  mem::State* owner = nullptr;
  std::int32_t node = SelectedIndex("GetSelectedBone", list, index, owner);
  const mem::NodeData& data =
      owner->content.nodes[static_cast<std::size_t>(node)];
  if (data.kind != kNodeTypeBone) KindMismatch(data, "a bone");
  return owner->Handle(node);
}

std::shared_ptr<Light> MemSceneGraph::GetSelectedLight(Long list, Long index) {
  mem::State* owner = nullptr;
  std::int32_t node = SelectedIndex("GetSelectedLight", list, index, owner);
  const mem::NodeData& data =
      owner->content.nodes[static_cast<std::size_t>(node)];
  if (data.kind != kNodeTypeLight) KindMismatch(data, "a light");
  return owner->Handle(node);
}

std::shared_ptr<Camera> MemSceneGraph::GetSelectedCamera(Long list,
                                                         Long index) {
  mem::State* owner = nullptr;
  std::int32_t node = SelectedIndex("GetSelectedCamera", list, index, owner);
  const mem::NodeData& data =
      owner->content.nodes[static_cast<std::size_t>(node)];
  if (data.kind != kNodeTypeCamera) KindMismatch(data, "a camera");
  return owner->Handle(node);
}

std::shared_ptr<Light> MemSceneGraph::GetLightOfNode(
    const std::shared_ptr<Hierarchy>& hierarchy,
    const std::shared_ptr<SceneNode>& reference) {
  state_->CheckFault("GetLightOfNode");
  Required(hierarchy);
  auto* tree = dynamic_cast<mem::HierarchyHandle*>(hierarchy.get());
  mem::NodeHandle& node = mem::AsNode(reference);
  if (tree == nullptr || tree->anchor() != node.anchor()) {
    RaiseError(kErrInvalidProcedureCall,
               "Invalid procedure call or argument: the node is not in this "
               "hierarchy");
  }
  const mem::NodeData& data = node.node();
  if (data.kind != kNodeTypeLight) {
    RaiseError(kErrTypeMismatch,
               "Type mismatch: the " + std::string(mem::KindName(data.kind)) +
                   " \"" + Excerpt(data.name) + "\" is not a light");
  }
  return node.Self();
}

Long MemSceneGraph::SelectionNeedsRefresh(Long list) {
  state_->CheckFault("SelectionNeedsRefresh");
  return ListOwner(list).selection_needs_refresh ? 1 : 0;
}

void MemSceneGraph::RefreshSelection(Long list) {
  state_->CheckFault("RefreshSelection");
  mem::State& owner = ListOwner(list);
  owner.selection_needs_refresh = false;
  owner.Record("RefreshSelection", "", "");
}

}  // namespace morvel

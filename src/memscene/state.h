#ifndef MORVEL_MEMSCENE_STATE_H_
#define MORVEL_MEMSCENE_STATE_H_

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/types.h"
#include "memscene/compact.h"
#include "memscene/mesh.h"
#include "scene/scene_bases.h"
#include "scene/types.h"

// The data of the reference scene graph. Everything the scene file describes
// is plain data here; the interface objects handed to the panel (handles.h)
// are thin views onto it. Nodes live in one vector so that the selection
// queries walk memory in order, and the flags those queries read sit in the
// node record itself.
namespace morvel::mem {

// 2 pi as the panel writes it: the neutral joint limits are a full turn.
inline constexpr Single kFullTurn = 6.283186f;

// The caption and detail of a shape's Source button, packed: most shapes
// name a short caption and no detail.
struct ShapeSource {
  std::optional<std::string> caption;  // the node's name when absent
  std::string detail;
};
class SourceTexts {
 public:
  // A copy, for reading (a reference to it lives as long as the statement
  // that took it, or the reference).
  ShapeSource get() const;
  void SetCaption(std::string_view caption);
  void SetDetail(std::string_view detail);
  bool HasCaption() const { return has_caption_; }
  friend bool operator==(const SourceTexts&, const SourceTexts&) = default;

 private:
  PackedStrings texts_;  // caption, detail
  bool has_caption_ = false;
};

struct MapsData {
  SixStrings paths;
  Long setting_a = 0;
  Integer setting_b = 0;
  Single blend = 0;
  friend bool operator==(const MapsData&, const MapsData&) = default;
};

// What a material imported from a model file had besides what the panel
// shows, so that saving it back loses nothing: the file's own ambient and
// specular colours (the panel shows their strength as a level) and the
// levels read from them, which tell whether the user changed a level.
struct MaterialSource {
  ColourValue ambient{0, 0, 0, 1};
  ColourValue specular{0, 0, 0, 1};
  ColourValue emissive{0, 0, 0, 1};
  Single shininess = 0;
  Long ambient_level = -1;   // -1: the file had no ambient colour
  Long specular_level = -1;  // -1: the file had no specular colour
  bool two_sided = false;
  friend bool operator==(const MaterialSource&,
                         const MaterialSource&) = default;
};

struct MaterialData {
  ColourValue colour{1, 1, 1, 1};
  Long diffuse = 80;
  Long ambient = 20;
  Long specular = 0;
  PackedStrings fields;
  Boxed<MapsData> maps;
  Lazy<MaterialSource> source;
  friend bool operator==(const MaterialData& a, const MaterialData& b) {
    return a.colour == b.colour && a.diffuse == b.diffuse &&
           a.ambient == b.ambient && a.specular == b.specular &&
           a.fields == b.fields && a.maps == b.maps &&
           a.source.get() == b.source.get();
  }
};
// A shape's materials.
using MaterialList = FirstInPlace<MaterialData>;

// Bits of NodeData::flags.
enum NodeFlag : std::uint16_t {
  kHidden = 1 << 0,
  kLocked = 1 << 1,
  kCastsShadows = 1 << 2,
  kDrawPoints = 1 << 3,
  kDrawNormals = 1 << 4,
  kDrawTranslucent = 1 << 5,
  kEnabled = 1 << 6,
};

// What every node has. `ext` indexes the vector of its kind (shapes, groups
// for groups and bones, lights, cameras).
struct NodeData {
  std::string name;
  std::int32_t parent = -1;
  std::int32_t ext = -1;
  Long kind = 0;
  Long draw_style = 0;
  Long display_as_box = 0;
  std::uint16_t flags = kCastsShadows | kEnabled;

  bool Has(NodeFlag flag) const { return (flags & flag) != 0; }
  void Set(NodeFlag flag, bool on) {
    flags = on ? static_cast<std::uint16_t>(flags | flag)
               : static_cast<std::uint16_t>(flags & ~flag);
  }
};

struct ShapeData {
  SourceTexts source;
  Lazy<Clones> clones;
  Single creasing_factor = 0;
  Long smoothing_level = 0;
  Single smoothing_tension = 0;
  Long smoothing_condition = 0;
  Single smooth_angle = 30;
  Single index_of_refraction = 0;
  Long mirror_axis = 0;
  Long shape_kind = 0;
  // The shape's geometry: an index into SceneContent::meshes, -1 for none
  // (a shape the viewport draws as what its caption names).
  std::int32_t mesh = -1;
  SixStrings custom_fields;
  MaterialList materials;
};

// The matrix a group had in the model file it was imported from, by rows
// (the translation in the last column). Saving writes it back as it was
// while the position, orientation and scale still make it, so a matrix
// with shear, which those three cannot hold, survives a round trip. All
// zero: none.
using SourceMatrix = std::array<Single, 16>;

struct GroupData {
  SingleVector3 position;
  Orientation orientation;
  // Not shown by the panel: kept so that an imported model keeps its size.
  SingleVector3 scale{1, 1, 1};
  RotationalVelocity rotational_velocity;
  Long ik_joint_mode = 0;
  IKJointLimits ik_joint_limits{-kFullTurn, -kFullTurn, -kFullTurn,
                                kFullTurn,  kFullTurn,  kFullTurn};
  SixStrings custom_fields;
  Lazy<SourceMatrix> matrix;
  // Bones only.
  Single bone_weight = 100;
  Single bone_origin_effect_range = 0.5f;
  Single bone_end_effect_range = 0.5f;
  Single bone_effect_extent = 1;
  Single bone_irregular_extent = 0;
  SingleVector3 bone_irregular_offset;
  Long bone_kind = 0;
  Long set_bone_enabled_result = 0;
};

// Where an imported light stands and points within its group, and what the
// panel does not show of it: kept for saving back.
struct LightPlacement {
  SingleVector3 position;
  SingleVector3 direction{0, 0, -1};
  SingleVector3 up{0, 1, 0};
  ColourValue ambient{0, 0, 0, 1};
  ColourValue specular{1, 1, 1, 1};
  friend bool operator==(const LightPlacement&,
                         const LightPlacement&) = default;
};

// Lights and cameras keep what the base classes a host derives from keep,
// with the same neutral values, and what an import brings besides.
struct LightData : LightValues {
  Lazy<LightPlacement> placement;
};

// The lens of an imported camera, beyond its field of view.
struct CameraLens {
  SingleVector3 position;
  SingleVector3 look_at{0, 0, -1};
  SingleVector3 up{0, 1, 0};
  Single near_plane = 0.1f;
  Single far_plane = 1000;
  Single aspect = 0;
  friend bool operator==(const CameraLens&, const CameraLens&) = default;
};

struct CameraData : CameraValues {
  Lazy<CameraLens> lens;
};

struct NodeData;

// Node indexes by name: an open-addressing table of 4-byte indexes into the
// node vector, whose names are the keys. A map of strings would keep every
// name twice, and a million-node scene would carry the second copy.
class NameIndex {
 public:
  // -1 when no node has the name.
  std::int32_t Find(std::string_view name,
                    const std::vector<NodeData>& nodes) const;
  // Adds node `index` under its name: -1, or (nothing added) the index of
  // the node that has the name already.
  std::int32_t Insert(std::int32_t index, const std::vector<NodeData>& nodes);
  // Starts fetching the place of `name` into the cache: a loader that is
  // about to add it does other work meanwhile.
  void Prefetch(std::string_view name) const {
    if (slots_.empty()) return;
    const std::size_t hash = std::hash<std::string_view>{}(name);
    __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]);
  }
  // Makes room for `count` names in all, so that adding them rehashes
  // nothing.
  void Reserve(std::size_t count, const std::vector<NodeData>& nodes);

 private:
  std::size_t SlotOf(std::string_view name, std::size_t hash,
                     const std::vector<NodeData>& nodes) const;
  void Rehash(std::size_t slots, const std::vector<NodeData>& nodes);
  // A node's index beside 32 bits of its name's hash, in one slot: a probe
  // reads one place in memory, and most probes that would miss are settled
  // there without reading the node's name.
  struct Slot {
    std::int32_t index = -1;  // -1: empty
    std::uint32_t tag = 0;
  };
  std::vector<Slot> slots_;  // the size is a power of 2
  std::size_t used_ = 0;
};

// Everything a scene file describes.
struct SceneContent {
  std::string application_registry_key = "Morvel";
  Long edit_mode = 0;
  Long dialog_owner = 0;
  std::vector<std::string> custom_shape_field_names;
  std::vector<std::string> custom_group_field_names;
  std::vector<std::string> material_field_names;

  std::vector<NodeData> nodes;
  // What only some kinds have grows in blocks: loading a big scene never
  // holds the old and the new copy of a doubled array at once.
  BlockVector<ShapeData> shapes;
  BlockVector<GroupData> groups;
  BlockVector<LightData> lights;
  BlockVector<CameraData> cameras;
  // The geometry of the shapes that have their own (imported ones), shared
  // by the copies a snapshot makes and never changed once made.
  std::vector<std::shared_ptr<const MeshData>> meshes;
  NameIndex index_by_name;
  std::vector<std::int32_t> selection;

  // Appends a node of `kind` with neutral values; the name must be new and
  // the parent (or -1) must be a group or a bone. Raises error 5 otherwise.
  // With `taken_by`, a name in use is not an error: -1 is returned and
  // *taken_by is the node that has it (one lookup for a loader that words
  // its own message).
  std::int32_t AddNode(std::string name, Long kind, std::int32_t parent,
                       std::int32_t* taken_by = nullptr);
  std::int32_t Find(std::string_view name) const;  // -1 when absent
};

// The name of a kind as the scene file writes it ("shape"), and back
// (0 for an unknown name).
const char* KindName(Long kind);
Long KindFromName(std::string_view name);

// One scene write: `Operation object arguments`.
struct JournalEntry {
  std::string operation;
  std::string object;
  std::string arguments;
  std::string Line() const;
};

struct FaultPlan {
  Long number = 0;
  std::string description;
  Long succeed_first = 0;  // calls still to let through
  Long times = 1;          // failures still to give; -1 for every call
};

class State;

// The handles' link to their scene: cleared when the scene goes away, so a
// handle the panel still holds fails cleanly instead of touching freed data.
struct Anchor {
  State* state = nullptr;
};

class NodeHandle;

// The node handles of a scene, owned together. Every handle handed out
// shares this one owner, so handing a handle out touches no memory of the
// handle's own (a million-node selection stays cheap to walk), and a handle
// the panel keeps stays valid as long as it is held.
struct HandlePool {
  std::shared_ptr<Anchor> anchor;
  std::weak_ptr<HandlePool> self;
  std::vector<std::unique_ptr<NodeHandle>> live;     // by node index
  std::vector<std::unique_ptr<NodeHandle>> retired;  // of deleted nodes
  HandlePool();
  ~HandlePool();
};

// A scene graph's data and its runtime: the interface objects handed out,
// the selection handle, the journal and the planned faults.
class State {
 public:
  explicit State(std::string origin);
  ~State();
  State(const State&) = delete;
  State& operator=(const State&) = delete;

  SceneContent content;
  std::string origin;  // the file the scene came from, for messages
  // The folder of that file, which relative map paths start from; empty for
  // a scene made in memory.
  std::string folder;

  const std::shared_ptr<Anchor>& anchor() const { return anchor_; }
  Long selection_handle() const { return selection_handle_; }

  // Replaces the content, keeping this scene's identity: handles of nodes
  // whose name survives now show the new node, the others report that their
  // node was deleted.
  void ReplaceContent(SceneContent content);

  std::shared_ptr<NodeHandle> Handle(std::int32_t index) const {
    return std::shared_ptr<NodeHandle>(pool_, RawHandle(index));
  }
  // Handles are made the first time a node is asked for, then kept; a
  // scene nobody asks about (a file being loaded) keeps no slots for them.
  NodeHandle* RawHandle(std::int32_t index) const {
    const auto i = static_cast<std::size_t>(index);
    const auto& live = pool_->live;
    return i < live.size() && live[i] ? live[i].get() : MakeHandle(index);
  }
  const std::shared_ptr<HandlePool>& pool() const { return pool_; }

  // Fault injection: every operation calls CheckFault with its name first.
  void CheckFault(std::string_view operation) {
    if (!faults_.empty()) CheckFaultSlow(operation);
  }
  void AddFault(std::string operation, FaultPlan plan);
  void ClearFaults() { faults_.clear(); }
  // Sets the planned faults aside for its lifetime: the host reading the
  // scene for itself (its selection rules) must not spend the failures and
  // the calls to let through that were planned for the panel.
  class FaultPause {
   public:
    explicit FaultPause(State& state) : state_(state) {
      std::swap(saved_, state_.faults_);
    }
    ~FaultPause() { std::swap(saved_, state_.faults_); }
    FaultPause(const FaultPause&) = delete;
    FaultPause& operator=(const FaultPause&) = delete;

   private:
    State& state_;
    std::unordered_map<std::string, FaultPlan> saved_;
  };

  void Record(std::string_view operation, std::string object,
              std::string arguments);
  bool journal_enabled = true;
  std::vector<JournalEntry> journal;

  // Display as Box changed since the viewports last redrew the selection.
  bool selection_needs_refresh = false;
  std::map<std::pair<std::string, Long>, Picture> thumbnails;
  Long thumbnails_made = 0;

  // The scene graph's own handle of the active scene and its services,
  // made once.
  std::shared_ptr<void> scene_object;
  std::shared_ptr<void> hierarchy_object;
  std::shared_ptr<void> map_builder_object;
  std::shared_ptr<void> thumbnail_cache_object;

  // The scene that owns a selection list handle (error 5 for a handle that
  // names no list).
  static State& Resolve(Long list);
  // The scene whose faults apply to the shared utilities' scene-free
  // helpers: the last one made current on this thread (may be null).
  static State* Current();
  void MakeCurrent();

 private:
  void CheckFaultSlow(std::string_view operation);
  NodeHandle* MakeHandle(std::int32_t index) const;

  std::shared_ptr<Anchor> anchor_;
  Long selection_handle_;
  std::shared_ptr<HandlePool> pool_;
  std::unordered_map<std::string, FaultPlan> faults_;
};

// The state behind a handle; error 91 when its scene is gone.
State& Live(const std::shared_ptr<Anchor>& anchor);

// Texts of journal arguments.
std::string Arg(Long value);
std::string Arg(Single value);
std::string Arg(bool value);
std::string Arg(const std::string& value);  // quoted
std::string Arg(const SingleVector3& value);
std::string Arg(const LongVector3& value);
std::string Arg(const ColourValue& value);
std::string Arg(const IKJointLimits& value);

// The shortest decimal text that reads back as exactly the same Single, in
// the C locale ("0.3", "30", "1e-07").
std::string ShortestText(Single value);

}  // namespace morvel::mem

#endif  // MORVEL_MEMSCENE_STATE_H_

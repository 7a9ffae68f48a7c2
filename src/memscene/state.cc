#include "memscene/state.h"

#include <atomic>
#include <charconv>
#include <cmath>
#include <mutex>

#include "base/error.h"
#include "base/numbers.h"
#include "memscene/handles.h"

namespace morvel::mem {
namespace {

// Selection list handles are process-wide, so that the shared utilities,
// which belong to no scene, can find the scene of a list. Handles start well
// above 0 so that an unset handle never names a list.
struct Registry {
  std::mutex mutex;
  std::unordered_map<Long, State*> scenes;
  std::atomic<Long> next{0x5E1};
};

Registry& TheRegistry() {
  static Registry* registry = new Registry;  // outlives every scene
  return *registry;
}

thread_local std::shared_ptr<Anchor> current_anchor;

}  // namespace

const char* KindName(Long kind) {
  switch (kind) {
    case kNodeTypeGroup:
      return "group";
    case kNodeTypeShape:
      return "shape";
    case kNodeTypeBone:
      return "bone";
    case kNodeTypeCamera:
      return "camera";
    case kNodeTypeLight:
      return "light";
    default:
      return "unknown";
  }
}

Long KindFromName(std::string_view name) {
  if (name == "group") return kNodeTypeGroup;
  if (name == "shape") return kNodeTypeShape;
  if (name == "bone") return kNodeTypeBone;
  if (name == "camera") return kNodeTypeCamera;
  if (name == "light") return kNodeTypeLight;
  return 0;
}

namespace {
std::uint32_t Tag(std::size_t hash) {
  return static_cast<std::uint32_t>(hash >> (8 * sizeof(std::size_t) - 32));
}
}  // namespace

std::size_t NameIndex::SlotOf(std::string_view name, std::size_t hash,
                              const std::vector<NodeData>& nodes) const {
  const std::size_t mask = slots_.size() - 1;
  const std::uint32_t tag = Tag(hash);
  std::size_t slot = hash & mask;
  while (slots_[slot].index >= 0 &&
         (slots_[slot].tag != tag ||
          nodes[static_cast<std::size_t>(slots_[slot].index)].name != name)) {
    slot = (slot + 1) & mask;
  }
  return slot;
}

std::int32_t NameIndex::Find(std::string_view name,
                             const std::vector<NodeData>& nodes) const {
  if (slots_.empty()) return -1;
  return slots_[SlotOf(name, std::hash<std::string_view>{}(name), nodes)]
      .index;
}

std::int32_t NameIndex::Insert(std::int32_t index,
                               const std::vector<NodeData>& nodes) {
  // At most three quarters full, so that probes stay short.
  if (4 * (used_ + 1) > 3 * slots_.size())
    Rehash(slots_.empty() ? 16 : 2 * slots_.size(), nodes);
  const std::string& name = nodes[static_cast<std::size_t>(index)].name;
  std::size_t hash = std::hash<std::string_view>{}(name);
  std::size_t slot = SlotOf(name, hash, nodes);
  if (slots_[slot].index >= 0) return slots_[slot].index;
  slots_[slot] = Slot{index, Tag(hash)};
  ++used_;
  return -1;
}

void NameIndex::Reserve(std::size_t count,
                        const std::vector<NodeData>& nodes) {
  // Room laid out ahead may be filled to three quarters: the tags settle
  // most probes in the slot they start at, and a million names then cost
  // 16 MiB of slots instead of 32.
  std::size_t slots = 16;
  while (3 * slots < 4 * count) slots *= 2;
  if (slots > slots_.size()) Rehash(slots, nodes);
}

void NameIndex::Rehash(std::size_t slots, const std::vector<NodeData>& nodes) {
  std::vector<Slot> old = std::move(slots_);
  slots_ = {};
  slots_.reserve(slots);
  AdviseHugePages(slots_.data(), slots * sizeof(Slot));
  slots_.assign(slots, Slot{});
  for (const Slot& s : old) {
    if (s.index < 0) continue;
    const std::string& name = nodes[static_cast<std::size_t>(s.index)].name;
    std::size_t hash = std::hash<std::string_view>{}(name);
    slots_[SlotOf(name, hash, nodes)] = Slot{s.index, Tag(hash)};
  }
}

std::int32_t SceneContent::Find(std::string_view name) const {
  return index_by_name.Find(name, nodes);
}

std::int32_t SceneContent::AddNode(std::string name, Long kind,
                                   std::int32_t parent,
                                   std::int32_t* taken_by) {
  if (name.empty()) RaiseError(kErrInvalidProcedureCall, "A node needs a name");
  if (KindFromName(KindName(kind)) == 0) {
    RaiseError(
        kErrInvalidProcedureCall,
        "Node \"" + Excerpt(name) + "\": unknown kind " + std::to_string(kind));
  }
  if (parent >= 0) {
    if (static_cast<std::size_t>(parent) >= nodes.size()) {
      RaiseError(kErrSubscriptOutOfRange);
    }
    Long parent_kind = nodes[static_cast<std::size_t>(parent)].kind;
    if (parent_kind != kNodeTypeGroup && parent_kind != kNodeTypeBone) {
      RaiseError(kErrInvalidProcedureCall,
                 "Node \"" + Excerpt(name) + "\": its parent \"" +
                     Excerpt(nodes[static_cast<std::size_t>(parent)].name) +
                     "\" is a " + KindName(parent_kind) +
                     ", not a group or a bone");
    }
  }
  NodeData node;
  node.name = std::move(name);
  node.kind = kind;
  node.parent = parent;
  switch (kind) {
    case kNodeTypeShape:
      node.ext = static_cast<std::int32_t>(shapes.size());
      shapes.emplace_back();
      break;
    case kNodeTypeGroup:
    case kNodeTypeBone:
      node.ext = static_cast<std::int32_t>(groups.size());
      groups.emplace_back();
      break;
    case kNodeTypeLight:
      node.ext = static_cast<std::int32_t>(lights.size());
      lights.emplace_back();
      break;
    case kNodeTypeCamera:
      node.ext = static_cast<std::int32_t>(cameras.size());
      cameras.emplace_back();
      break;
  }
  nodes.push_back(std::move(node));
  const auto index = static_cast<std::int32_t>(nodes.size() - 1);
  if (std::int32_t other = index_by_name.Insert(index, nodes); other >= 0) {
    std::string taken = std::move(nodes.back().name);
    switch (kind) {
      case kNodeTypeShape:
        shapes.pop_back();
        break;
      case kNodeTypeGroup:
      case kNodeTypeBone:
        groups.pop_back();
        break;
      case kNodeTypeLight:
        lights.pop_back();
        break;
      case kNodeTypeCamera:
        cameras.pop_back();
        break;
    }
    nodes.pop_back();
    if (taken_by != nullptr) {
      *taken_by = other;
      return -1;
    }
    RaiseError(kErrInvalidProcedureCall,
               "There is already a node named \"" + Excerpt(taken) + "\"");
  }
  return index;
}

ShapeSource SourceTexts::get() const {
  ShapeSource source;
  if (has_caption_) source.caption = std::string(texts_[0]);
  source.detail = std::string(texts_[1]);
  return source;
}

void SourceTexts::SetCaption(std::string_view caption) {
  texts_.Set(0, caption);
  // Kept as SetDetail keeps it, so that the bytes do not depend on which
  // of the two was set first (a file may name them in either order).
  if (caption.empty()) texts_.TrimEmpty();
  has_caption_ = true;
}

void SourceTexts::SetDetail(std::string_view detail) {
  texts_.Set(1, detail);
  texts_.TrimEmpty();
}

std::string JournalEntry::Line() const {
  std::string line = operation;
  if (!object.empty()) line += " " + object;
  if (!arguments.empty()) line += " " + arguments;
  return line;
}

State::State(std::string origin_name)
    : origin(std::move(origin_name)),
      anchor_(std::make_shared<Anchor>(Anchor{this})),
      pool_(std::make_shared<HandlePool>()) {
  pool_->anchor = anchor_;
  pool_->self = pool_;
  Registry& registry = TheRegistry();
  selection_handle_ = registry.next.fetch_add(1);
  std::lock_guard<std::mutex> lock(registry.mutex);
  registry.scenes[selection_handle_] = this;
}

State::~State() {
  anchor_->state = nullptr;
  Registry& registry = TheRegistry();
  std::lock_guard<std::mutex> lock(registry.mutex);
  registry.scenes.erase(selection_handle_);
}

State& State::Resolve(Long list) {
  Registry& registry = TheRegistry();
  {
    std::lock_guard<std::mutex> lock(registry.mutex);
    auto it = registry.scenes.find(list);
    if (it != registry.scenes.end()) return *it->second;
  }
  RaiseError(kErrInvalidProcedureCall,
             "Invalid procedure call or argument: " + std::to_string(list) +
                 " is not a selection list");
}

State* State::Current() {
  return current_anchor ? current_anchor->state : nullptr;
}

void State::MakeCurrent() { current_anchor = anchor_; }

HandlePool::HandlePool() = default;
HandlePool::~HandlePool() = default;

NodeHandle* State::MakeHandle(std::int32_t index) const {
  auto& live = pool_->live;
  // Growing by doubling keeps adding nodes one at a time linear.
  if (live.size() < content.nodes.size()) live.resize(content.nodes.size());
  auto& slot = live[static_cast<std::size_t>(index)];
  slot = std::make_unique<NodeHandle>(pool_.get(), index);
  return slot.get();
}

void State::ReplaceContent(SceneContent replacement) {
  std::vector<std::unique_ptr<NodeHandle>> old_handles = std::move(pool_->live);
  std::vector<std::string> old_names;
  old_names.reserve(content.nodes.size());
  for (const NodeData& node : content.nodes) old_names.push_back(node.name);
  content = std::move(replacement);
  auto& live = pool_->live;
  live.clear();
  if (!old_handles.empty()) live.resize(content.nodes.size());
  for (std::size_t i = 0; i < old_handles.size(); ++i) {
    std::int32_t now = content.Find(old_names[i]);
    if (!old_handles[i]) continue;  // never handed out
    if (now >= 0 && !live[static_cast<std::size_t>(now)]) {
      old_handles[i]->set_index(now);
      live[static_cast<std::size_t>(now)] = std::move(old_handles[i]);
    } else {
      // Someone may still hold it: keep it, answering that its node is gone.
      old_handles[i]->set_index(-1);
      pool_->retired.push_back(std::move(old_handles[i]));
    }
  }
  selection_needs_refresh = false;
}

void State::AddFault(std::string operation, FaultPlan plan) {
  if (plan.times == 0) {
    faults_.erase(operation);
    return;
  }
  faults_[std::move(operation)] = std::move(plan);
}

void State::CheckFaultSlow(std::string_view operation) {
  auto it = faults_.find(std::string(operation));
  if (it == faults_.end()) return;
  FaultPlan& plan = it->second;
  if (plan.succeed_first > 0) {
    --plan.succeed_first;
    return;
  }
  Error error(plan.number, plan.description);
  if (plan.times > 0 && --plan.times == 0) faults_.erase(it);
  throw error;
}

void State::Record(std::string_view operation, std::string object,
                   std::string arguments) {
  if (!journal_enabled) return;
  journal.push_back(JournalEntry{std::string(operation), std::move(object),
                                 std::move(arguments)});
}

State& Live(const std::shared_ptr<Anchor>& anchor) {
  if (!anchor || !anchor->state) {
    RaiseError(kErrObjectNotSet,
               "Object variable or With block variable not set: the scene "
               "this object belongs to was closed");
  }
  return *anchor->state;
}

std::string Arg(Long value) { return LongToText(value); }
std::string Arg(Single value) { return SingleToText(value); }
std::string Arg(bool value) { return value ? "True" : "False"; }

std::string Arg(const std::string& value) {
  std::string text = "\"";
  for (char c : value) {
    if (c == '"' || c == '\\') text += '\\';
    text += c;
  }
  return text + "\"";
}

std::string Arg(const SingleVector3& v) {
  return "[" + Arg(v.X) + ", " + Arg(v.Y) + ", " + Arg(v.Z) + "]";
}
std::string Arg(const LongVector3& v) {
  return "[" + Arg(v.X) + ", " + Arg(v.Y) + ", " + Arg(v.Z) + "]";
}
std::string Arg(const ColourValue& c) {
  return "[" + Arg(c.Red) + ", " + Arg(c.Green) + ", " + Arg(c.Blue) + ", " +
         Arg(c.Alpha) + "]";
}
std::string Arg(const IKJointLimits& l) {
  return "[" + Arg(l.MinX) + ", " + Arg(l.MinY) + ", " + Arg(l.MinZ) + ", " +
         Arg(l.MaxX) + ", " + Arg(l.MaxY) + ", " + Arg(l.MaxZ) + "]";
}

std::string ShortestText(Single value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace morvel::mem

#include "memscene/scene_keys.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "memscene/mem_scene_graph.h"
#include "memscene/quick_node.h"
#include "memscene/scene_file.h"

namespace morvel::mem {
namespace {

// Gives every key of `table` in `record` a value other than its default, so
// that a writer must write it and a reader must read it back.
void Alter(const KeyTable& table, void* record, int seed);

void AlterKey(const Key& key, void* record, int seed) {
  if (key.put == nullptr) return;
  void* v = key.put(record);
  const Single f = 0.5f + static_cast<Single>(seed);
  switch (key.type) {
    case KeyType::kFlag:
      *static_cast<std::uint16_t*>(v) ^= key.flag;
      break;
    case KeyType::kBool:
      *static_cast<bool*>(v) = !*static_cast<bool*>(v);
      break;
    case KeyType::kLong: {
      Long& l = *static_cast<Long*>(v);
      l = key.range != nullptr ? (l + 1) % static_cast<Long>(key.hi + 1)
                               : l + 7 + seed;
      break;
    }
    case KeyType::kInteger:
      *static_cast<Integer*>(v) += 3;
      break;
    case KeyType::kSingle:
      *static_cast<Single*>(v) += f;
      break;
    case KeyType::kVector: {
      auto& x = *static_cast<SingleVector3*>(v);
      x = {x.X + f, x.Y + 2 * f, x.Z - f};
      break;
    }
    case KeyType::kLongVector:
      *static_cast<LongVector3*>(v) = {1, 2, 3 + seed};
      break;
    case KeyType::kColour:
      *static_cast<ColourValue*>(v) = {0.25f, 0.5f, 0.75f, 0.125f};
      break;
    case KeyType::kIKJointLimits:
      *static_cast<IKJointLimits*>(v) = {-1, -2, -3, 1, 2, f};
      break;
    case KeyType::kMatrix:
      (*static_cast<SourceMatrix*>(v))[3] = f;
      break;
    case KeyType::kString:
      *static_cast<std::string*>(v) = "text " + std::to_string(seed);
      break;
    case KeyType::kCaption:
      static_cast<SourceTexts*>(v)->SetCaption("Caption");
      break;
    case KeyType::kDetail:
      static_cast<SourceTexts*>(v)->SetDetail("detail.obj");
      break;
    case KeyType::kSixStrings:
    case KeyType::kPaths:
      static_cast<SixStrings*>(v)->Set(4, "fifth");
      break;
    case KeyType::kFields:
      static_cast<PackedStrings*>(v)->Set(2, "third");
      break;
    case KeyType::kNames:
      *static_cast<std::vector<std::string>*>(v) = {"A", "", "C"};
      break;
    case KeyType::kRecord:
      Alter(*key.table, v, seed + 1);
      break;
    case KeyType::kMaps:
      Alter(*key.table, &static_cast<Boxed<MapsData>*>(v)->emplace(), seed);
      break;
    case KeyType::kMaterials: {
      auto& list = *static_cast<MaterialList*>(v);
      list.resize(2);
      Alter(*key.table, &list[1], seed + 2);
      break;
    }
    case KeyType::kName:
    case KeyType::kKind:
    case KeyType::kParent:
    case KeyType::kMesh:
      break;
  }
}

void Alter(const KeyTable& table, void* record, int seed) {
  for (const Key& key : table.keys) AlterKey(key, record, seed++);
}

// One node of each kind, every value changed, written and read back: the
// second writing is the first, and every key of the tables was written. A
// table line whose reader and writer disagree, or that the writer skips,
// fails here.
TEST(SceneKeysTest, EveryKeyOfEveryKindWritesAndReadsBack) {
  SceneContent content;
  const Long kinds[] = {kNodeTypeGroup, kNodeTypeShape, kNodeTypeBone,
                        kNodeTypeLight, kNodeTypeCamera};
  for (Long kind : kinds) {
    std::int32_t i = content.AddNode(std::string(KindName(kind)), kind,
                                     kind == kNodeTypeGroup ? -1 : 0);
    NodeRecord record = RecordOf(content, i);
    int seed = 0;
    for (const KeyTable* table : NodeKeys(kind)) {
      for (const Key& key : table->keys) AlterKey(key, &record, seed++);
    }
  }
  auto mesh = std::make_shared<MeshData>();
  mesh->positions = {0, 0, 0, 1, 0, 0, 0, 1, 0};
  mesh->triangles = {0, 1, 2};
  content.meshes.push_back(mesh);
  content.shapes[0].mesh = 0;
  Alter(SceneKeys(), &content, 0);

  const std::string first = WriteScene(content, true, MeshForm::kInline).dump();
  SceneContent again = ReadSceneText(first, "keys.json");
  EXPECT_EQ(WriteScene(again, true, MeshForm::kInline).dump(), first);
  ASSERT_EQ(again.meshes.size(), 1u);
  EXPECT_EQ(*again.meshes[0], *mesh);

  auto written = nlohmann::json::parse(first);
  for (const auto& node : written["nodes"]) {
    Long kind = KindFromName(node["kind"].get<std::string>());
    for (const KeyTable* table : NodeKeys(kind)) {
      for (const Key& key : table->keys) {
        if (key.type == KeyType::kParent && kind == kNodeTypeGroup) continue;
        EXPECT_TRUE(node.contains(std::string(key.name)))
            << node["name"] << " lacks " << key.name;
      }
    }
  }
}

// The quick reader takes a node with every key of its kind set, and reads
// it exactly as the full reader does: a key type it stores differently, or
// gives back when it need not, fails here.
TEST(SceneKeysTest, TheQuickReaderTakesEveryKeyAsTheFullReaderDoes) {
  SceneContent content;
  for (Long kind : {kNodeTypeGroup, kNodeTypeShape, kNodeTypeBone,
                    kNodeTypeLight, kNodeTypeCamera}) {
    std::int32_t i = content.AddNode(std::string(KindName(kind)), kind,
                                     kind == kNodeTypeGroup ? -1 : 0);
    NodeRecord record = RecordOf(content, i);
    int seed = 3;
    for (const KeyTable* table : NodeKeys(kind)) {
      for (const Key& key : table->keys) AlterKey(key, &record, seed++);
    }
  }
  // Pretty-printed, so that nodes span lines as hand-written files do.
  const std::string text = WriteScene(content, true).dump(1);
  const auto parsed = nlohmann::ordered_json::parse(text);
  for (const auto& node : parsed["nodes"]) {
    QuickNode quick;
    EXPECT_TRUE(ReadQuickNode(node.dump(2), quick)) << node.dump();
  }
  const std::string quick =
      WriteScene(ReadSceneText(text, "keys.json", NodeReading::kQuick), false)
          .dump();
  EXPECT_EQ(quick, WriteScene(ReadSceneText(text, "keys.json",
                                            NodeReading::kFull),
                              false)
                       .dump());
  EXPECT_EQ(quick, WriteScene(content, false).dump());
}

// The random user's check that the panel never put a number that is not
// finite into the scene: it finds one anywhere the tables reach, and names
// it by its key path.
TEST(SceneKeysTest, FirstNonFiniteNamesThePlace) {
  SceneContent content;
  content.AddNode("Stage", kNodeTypeGroup, -1);
  std::int32_t pot = content.AddNode("Pot", kNodeTypeShape, 0);
  content.shapes[0].materials.resize(2);
  EXPECT_EQ(FirstNonFinite(content), "");

  const Single inf = std::numeric_limits<Single>::infinity();
  content.shapes[0].materials[1].maps.emplace().blend = inf;
  EXPECT_EQ(FirstNonFinite(content), "Pot.Materials[1].Maps.Blend");
  content.shapes[0].materials[1].maps.reset();
  content.groups[0].orientation.Up.Y = std::nanf("");
  EXPECT_EQ(FirstNonFinite(content), "Stage.Orientation.Up");
  content.groups[0].orientation.Up.Y = 1;
  content.shapes[0].clones.Mutable().Rotations.Z = -inf;
  EXPECT_EQ(FirstNonFinite(content), "Pot.Clones.Rotations");
  (void)pot;
}

// Every read and write of a property can be made to fail by the name the
// journal gives it.
TEST(SceneKeysTest, EveryTableOperationCanBePlannedToFail) {
  for (std::string_view name : KeyOperations()) {
    EXPECT_TRUE(MemSceneGraph::HasOperation(name)) << name;
  }
  EXPECT_TRUE(MemSceneGraph::HasOperation("SetSmoothingLevel"));
  EXPECT_FALSE(MemSceneGraph::HasOperation("SetScale"));
}

// Short texts live in the string's own bytes; the counts and empties of a
// list survive, and six-string lists compare by what they hold.
TEST(CompactTest, PackedStringsKeepCountsAndCompareByValue) {
  PackedStrings fields;
  EXPECT_EQ(fields.size(), 0u);
  fields.Set(2, "c");
  EXPECT_EQ(fields.size(), 3u);
  EXPECT_EQ(fields[0], "");
  EXPECT_EQ(fields[2], "c");
  EXPECT_EQ(fields[7], "");
  fields.Set(0, std::string(300, 'x'));  // a length of two varint bytes
  EXPECT_EQ(fields[0].size(), 300u);
  EXPECT_EQ(fields[2], "c");
  fields.Set(3, "d");
  EXPECT_EQ(fields.ToVector(),
            (std::vector<std::string>{std::string(300, 'x'), "", "c", "d"}));

  // Packed lists of 15 bytes and less are kept in place, longer ones on the
  // heap: each survives a copy, a move and an overwrite by the other kind.
  for (std::size_t length : {0u, 12u, 13u, 14u, 300u}) {
    const std::string text(length, 't');
    PackedStrings one(std::vector<std::string>{text, "u"});
    PackedStrings copy = one;
    PackedStrings moved = std::move(copy);
    EXPECT_EQ(moved, one) << length;
    EXPECT_EQ(moved[0], text) << length;
    EXPECT_EQ(moved[1], "u") << length;
    moved = PackedStrings(std::vector<std::string>{"v"});
    EXPECT_EQ(moved.ToVector(), std::vector<std::string>{"v"}) << length;
    moved = one;
    EXPECT_EQ(moved.ToVector(), (std::vector<std::string>{text, "u"}))
        << length;
    moved.Set(1, moved[0]);  // a view into the list itself
    EXPECT_EQ(moved.ToVector(), (std::vector<std::string>{text, text}))
        << length;
  }

  // Past the entries a short list gathers on the stack.
  PackedStrings many(std::vector<std::string>{"a", "b"});
  many.Set(10, "k");
  EXPECT_EQ(many.ToVector(), (std::vector<std::string>{
                                 "a", "b", "", "", "", "", "", "", "", "", "k"}));

  SixStrings a, b({"", "x", "", "", "", ""});
  a.Set(1, "x");
  EXPECT_EQ(a, b);
  a.Set(1, "");
  EXPECT_TRUE(a.AllEmpty());
  EXPECT_EQ(a, SixStrings());

  // A file may name a shape's caption and detail in either order: both
  // orders, empty texts or not, keep the same bytes.
  const std::pair<const char*, const char*> sources[] = {
      {"", ""}, {"Box", ""}, {"", "box.obj"}, {"Box", "box.obj"}};
  for (auto [caption, detail] : sources) {
    SourceTexts first, second;
    first.SetCaption(caption);
    first.SetDetail(detail);
    second.SetDetail(detail);
    second.SetCaption(caption);
    EXPECT_EQ(first, second) << caption << " / " << detail;
    EXPECT_EQ(second.get().caption, caption);
    EXPECT_EQ(second.get().detail, detail);
  }
}

// A shape's materials keep the first in place and the rest beside it: the
// list grows, shrinks, copies deeply and walks in order, and a material
// added after it emptied starts from the defaults.
TEST(CompactTest, MaterialListsKeepOrderAndDefaults) {
  auto diffuse = [](const MaterialList& list) {
    std::vector<Long> out;
    for (const MaterialData& m : list) out.push_back(m.diffuse);
    return out;
  };
  MaterialList list;
  EXPECT_TRUE(list.empty());
  list.resize(3);
  for (std::size_t i = 0; i < 3; ++i)
    list[i].diffuse = static_cast<Long>(10 * (i + 1));
  MaterialList copy = list;
  list[0].diffuse = 5;
  list[2].diffuse = 6;
  EXPECT_EQ(diffuse(copy), (std::vector<Long>{10, 20, 30}));
  EXPECT_EQ(diffuse(list), (std::vector<Long>{5, 20, 6}));
  EXPECT_FALSE(copy == list);
  list.resize(0);
  EXPECT_TRUE(list.empty());
  list.resize(2);
  MaterialData added;
  added.diffuse = 7;
  list.push_back(added);
  EXPECT_EQ(diffuse(list), (std::vector<Long>{80, 80, 7}));
  EXPECT_EQ(list.front().diffuse, 80);
}

}  // namespace
}  // namespace morvel::mem

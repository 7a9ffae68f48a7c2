#include "memscene/scene_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

#include "base/error.h"
#include "base/error_testing.h"
#include "memscene/mem_scene_graph.h"
#include "memscene/test_scene.h"

namespace morvel {
namespace {

using ::morvel::testing::ErrorOf;
using testing::kTestScene;

// Refused as error 321, exactly this description after "Invalid file
// format: bad.json: ". One row for each check the reader makes.
struct Refusal {
  std::string text;
  std::string message;
  bool text_only = false;  // a fault of the text, not of a parsed document
};

std::vector<Refusal> Refusals() {
  auto node = [](const std::string& inside) {
    return R"({"nodes": [{"name": "T", "kind": "shape", )" + inside + "}]}";
  };
  std::string keys;
  for (int i = 0; i < 65; ++i) keys += "\"k" + std::to_string(i) + "\": 0, ";
  return {
      // The shape of the scene and its nodes.
      {"[]", "the scene: expected a JSON object, got []"},
      {R"({"nodez": []})", "the scene: key \"nodez\": not a key of a scene"},
      {R"({"nodes": {}})",
       "the scene: key \"nodes\": expected an array of nodes, got {}"},
      {R"({"nodes": [], "nodes": []})",
       "the scene: key \"nodes\": the key appears twice"},
      {R"({"nodes": [3]})", "nodes[0]: expected a node object, got 3"},
      {R"({"nodes": [{"kind": "shape"}]})",
       "nodes[0]: key \"name\": missing: every node needs a name"},
      {R"({"nodes": [{"name": "", "kind": "shape"}]})",
       "nodes[0]: key \"name\": a node's name must not be empty"},
      {R"({"nodes": [{"name": "A"}]})",
       "node \"A\": key \"kind\": missing: every node needs a kind"},
      {R"({"nodes": [{"name": "A", "kind": "mesh"}]})",
       "node \"A\": key \"kind\": unknown kind \"mesh\" (expected group, "
       "shape, bone, camera or light)"},
      {R"({"nodes": [{"name": "A", "kind": "shape"}, {"name": "A", "kind": "light"}]})",
       "node \"A\": key \"name\": there is another node with this name "
       "(nodes[0])"},
      // Parents and the selection.
      {node(R"("parent": "Ghost")"),
       "node \"T\": key \"parent\": \"Ghost\" names no node"},
      {R"({"nodes": [{"name": "A", "kind": "shape"},
                     {"name": "B", "kind": "shape", "parent": "A"}]})",
       "node \"B\": key \"parent\": \"A\" is a shape; only groups and bones "
       "have children"},
      {R"({"nodes": [{"name": "A", "kind": "group", "parent": "B"},
                     {"name": "B", "kind": "group", "parent": "A"}]})",
       "node \"A\": key \"parent\": the node would be its own ancestor"},
      {R"({"selection": ["A", "Ghost"], "nodes": [{"name": "A", "kind": "shape"}]})",
       "the scene: key \"selection[1]\": \"Ghost\" names no node"},
      {R"({"selection": ["A", "A"], "nodes": [{"name": "A", "kind": "shape"}]})",
       "the scene: key \"selection[1]\": \"A\" is selected twice"},
      // Values of the wrong type or range.
      {node(R"("SmoothingLevel": 2.5)"),
       "node \"T\": key \"SmoothingLevel\": expected a whole number, got 2.5"},
      {node(R"("MirrorAxis": 3000000000)"),
       "node \"T\": key \"MirrorAxis\": the number 3000000000 is out of range"},
      {node(R"("SmoothAngle": 1e+39)"),
       "node \"T\": key \"SmoothAngle\": the number 1e+39 is too large"},
      {R"({"nodes": [{"name": "L", "kind": "light", "SmoothingLevel": 1}]})",
       "node \"L\": key \"SmoothingLevel\": not a key of a light"},
      {R"({"nodes": [{"name": "G", "kind": "group", "Position": [1, 2]}]})",
       "node \"G\": key \"Position\": expected an array of 3 numbers, got "
       "[1,2]"},
      {R"({"nodes": [{"name": "G", "kind": "group",
           "Orientation": {"Forward": [0, 1, 0], "Up": [0, 2, 0]}}]})",
       "node \"G\": key \"Orientation\": Forward and Up must be non-zero and "
       "not parallel"},
      {R"({"nodes": [{"name": "G", "kind": "group",
           "Orientation": {"Front": [0, 0, 1]}}]})",
       "node \"G\": key \"Orientation.Front\": not a key of an orientation"},
      {node(R"("Materials": [{}, {"Diffuse": "80"}])"),
       "node \"T\": key \"Materials[1].Diffuse\": expected a whole number, "
       "got \"80\""},
      {node(
           R"("Materials": [{"Maps": {"Paths": ["a", "b", "c", "d", "e", "f", "g"]}}])"),
       "node \"T\": key \"Materials[0].Maps.Paths\": at most 6 entries, got 7"},
      {R"({"nodes": [{"name": "L", "kind": "light", "LightType": 5}]})",
       "node \"L\": key \"LightType\": expected 0 (ambient), 1 (directional), "
       "2 (spot) or 3 (point), got 5"},
      {node(R"("Materials": [{"Maps": {"MapSettingB": 40000}}])"),
       "node \"T\": key \"Materials[0].Maps.MapSettingB\": expected a whole "
       "number from -32768 to 32767, got 40000"},
      {R"({"nodes": [{"name": "L", "kind": "light", "Colour": [1, 1]}]})",
       "node \"L\": key \"Colour\": expected an array of 3 or 4 numbers (red, "
       "green, blue, alpha), got [1,1]"},
      {node(R"("MirrorAxis": 99999999999999999999)"),
       "node \"T\": key \"MirrorAxis\": the number 99999999999999999999 is "
       "out of range",
       true},
      // Files nobody vouches for: bounded sizes and numbers, the place
      // named. (Nesting and long names have scenarios in bad/.)
      {R"({"nodes": [})", "line 1, column 12: expected a value, found \"}\"",
       true},
      {R"({"nodes": [{"name": ")" + std::string(10 << 20, 'x') + "\"}]}",
       "line 1, column 21: a string longer than 65536 bytes", true},
      {node(R"("SmoothAngle": 1e400)"),
       "line 1, column 58: the number 1e400 is not finite", true},
      {node(R"("MirrorAxis": 01)"), "line 1, column 57: \"01\" is not a number",
       true},
      {node(R"("SmoothAngle": )" + std::string(101, '1')),
       "line 1, column 58: a number longer than 100 characters", true},
      {"{\n  \"nodes\": [\n    {\"name\": \"A\xff\"}]}",
       "line 3, column 16: invalid UTF-8 (byte 0xFF) in a string", true},
      {R"({"nodes": [{"name": ")"
       "\xED\xA0\x80\"}]}",
       "line 1, column 23: invalid UTF-8 (byte 0xA0) in a string", true},
      {R"({"nodes": [{"name": "\udc00"}]})",
       "line 1, column 27: a \\u escape of half a character (a lone low "
       "surrogate)",
       true},
      {"{\"nodes\": [{\"name\": \"A\tB\"}]}",
       "line 1, column 23: a control character (byte 0x09) in a string; "
       "write it as an escape such as \\n",
       true},
      {node(R"("Hidden": true, "Hidden": false)"),
       "line 1, column 59: the key \"Hidden\" appears twice in one object",
       true},
      {"{\"nodes\": [{" + keys + "}]}",
       "line 1, column 643: an object with more than 64 keys", true},
      {"{} x", "line 1, column 4: expected the end of the file, found \"x\"",
       true},
      {"", "line 1, column 1: expected a value, found the end of the file",
       true},
      {std::string("{\"nodes\": [\0\1\2]}", 16),
       "line 1, column 12: expected a value, found byte 0x00", true},
  };
}

TEST(RefusalTest, NamesTheFileThePlaceAndTheKey) {
  for (const Refusal& c : Refusals()) {
    SCOPED_TRACE(c.message);
    const Error e =
        ErrorOf([&] { MemSceneGraph::FromText(c.text, "bad.json"); });
    EXPECT_EQ(e.Number(), 321);
    EXPECT_EQ(e.Description(), "Invalid file format: bad.json: " + c.message);
    // A snapshot (already parsed) is checked exactly as a file is.
    nlohmann::json parsed =
        nlohmann::json::parse(c.text, nullptr, /*allow_exceptions=*/false);
    if (c.text_only || parsed.is_discarded() ||
        c.message.find("twice") != std::string::npos) {
      continue;  // not a JSON document of its own
    }
    EXPECT_EQ(ErrorOf([&] {
                MemSceneGraph::FromJson(parsed, "bad.json");
              }).Description(),
              e.Description());
  }
}

TEST(RefusalTest, AByteOrderMarkAndEscapesAreFine) {
  auto scene = MemSceneGraph::FromText(
      "\xEF\xBB\xBF"
      R"({"nodes": [{"name": "Tea\u00e9\ud83d\ude00\n", "kind": "shape"}]})");
  EXPECT_EQ(scene->NodeNames(),
            std::vector<std::string>{"Tea\xC3\xA9\xF0\x9F\x98\x80\n"});
}

TEST(RefusalTest, TheScenesOwnErrorsQuoteLongNamesInPart) {
  auto scene = MemSceneGraph::FromText(kTestScene);
  const std::string name(10000, 'x');
  for (auto call : std::initializer_list<std::function<void()>>{
           [&] { scene->Node(name); }, [&] { scene->Select({name}); },
           [&] { scene->AddNode("A", kNodeTypeShape, name); }}) {
    EXPECT_EQ(ErrorOf(call).Description(),
              "Invalid procedure call or argument: no node is named \"" +
                  name.substr(0, 64) + "...\"");
  }
}

// Scenarios read the scene by these key paths; one row for each shape of
// path.
TEST(ValueTest, ReadsTheValueByItsKeyPathOrRefusesIt) {
  auto scene = MemSceneGraph::FromText(kTestScene);
  const struct {
    const char* path;
    const char* text;
  } values[] = {{"Teapot.Materials[1].Colour[3]", "0.333"},
                {"Teapot.Materials[1].Colour", "[0,0,1,0.333]"},
                {"Teapot.Materials[0].Maps.Paths[5]", "bump.png"},
                {"Teapot.parent", "Stage"},
                {"Cup.Locked", "True"},
                {"Cup.SmoothAngle", "30"},  // a default
                {"Stage.Orientation.Up", "[0,1,0]"},
                {"selection[0]", "Teapot"}};
  for (const auto& v : values) {
    EXPECT_EQ(scene->ValueText(v.path), v.text) << v.path;
  }
  const struct {
    const char* path;
    Long number;
  } refused[] = {{"Teapot.Nope", 5},         {"Nobody.SmoothingLevel", 5},
                 {"Teapot.Materials[5]", 9}, {"Teapot.Materials[x]", 5},
                 {"Teapot.Materials[0", 5},  {"Teapot.SmoothingLevel[0]", 5}};
  for (const auto& r : refused) {
    EXPECT_EQ(ErrorOf([&] { scene->Value(r.path); }).Number(), r.number)
        << r.path;
  }
  // A node name may contain dots.
  auto dotted = MemSceneGraph::FromText(R"({"nodes": [
      {"name": "Teapot", "kind": "shape", "SmoothingLevel": 1},
      {"name": "Teapot.001", "kind": "shape", "SmoothingLevel": 2}]})");
  EXPECT_EQ(dotted->ValueText("Teapot.001.SmoothingLevel"), "2");
  EXPECT_EQ(dotted->ValueText("Teapot.SmoothingLevel"), "1");
}

// (scene_file_fuzzer loads, saves and loads again every scene it makes.)
TEST(RoundTripTest, SinglesKeepEveryBit) {
  auto scene =
      MemSceneGraph::FromText(R"({"nodes": [{"name": "T", "kind": "shape"}]})");
  auto node = scene->Node("T");
  for (Single v : {0.1f, 1.0f / 3.0f, 1e-7f, 3.4e38f}) {
    node->SetSmoothAngle(kCurrentKey, v);
    auto again = MemSceneGraph::FromText(scene->ToText());
    EXPECT_EQ(again->Node("T")->SmoothAngle(kCurrentKey), v);
  }
}

TEST(SaveTest, TextThatIsNotUtf8IsSavedWithReplacementCharacters) {
  auto scene =
      MemSceneGraph::FromText(R"({"nodes": [{"name": "A", "kind": "shape"}]})");
  scene->Node("A")->SetCustomFieldValue(0, "ok\xff");
  auto again = MemSceneGraph::FromText(scene->ToText());
  EXPECT_EQ(again->ValueText("A.CustomFields[0]"), "ok\xef\xbf\xbd");
  EXPECT_EQ(scene->ValueText("A.CustomFields"),
            "[\"ok\xef\xbf\xbd\",\"\",\"\",\"\",\"\",\"\"]");
}

TEST(SaveTest, LeavesOutWhatEqualsTheDefaults) {
  auto scene = MemSceneGraph::FromText(R"({"nodes": [
      {"name": "A", "kind": "shape", "SmoothingLevel": 2, "SmoothAngle": 30}]})");
  EXPECT_EQ(scene->ToText(),
            "{\n"
            "  \"ApplicationRegistryKey\": \"Morvel\",\n"
            "  \"EditMode\": 0,\n"
            "  \"DialogOwner\": 0,\n"
            "  \"CustomShapeFieldNames\": [],\n"
            "  \"CustomGroupFieldNames\": [],\n"
            "  \"MaterialFieldNames\": [],\n"
            "  \"selection\": [],\n"
            "  \"nodes\": [\n"
            "    {\n"
            "      \"name\": \"A\",\n"
            "      \"kind\": \"shape\",\n"
            "      \"SmoothingLevel\": 2\n"
            "    }\n"
            "  ]\n"
            "}\n");
}

class FileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        std::filesystem::temp_directory_path() /
        ("memscene_test_" +
         std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

// The file is read a chunk at a time: names, numbers and escapes that
// straddle two chunks read as they were written.
TEST_F(FileTest, ABigSceneReadsBackWhole) {
  auto scene = std::make_shared<MemSceneGraph>("big");
  for (int i = 0; i < 20000; ++i) {
    auto node =
        scene->AddNode("N\xC3\xA9\"" + std::to_string(i), kNodeTypeShape);
    node->SetSmoothAngle(kCurrentKey, 0.1f * static_cast<Single>(i));
  }
  std::string path = (dir_ / "big.json").string();
  scene->Save(path);
  ASSERT_GT(std::filesystem::file_size(path), 3u << 18);
  EXPECT_FALSE(std::filesystem::exists(path + ".saving"));
  auto loaded = MemSceneGraph::Load(path);
  EXPECT_EQ(loaded->ToJson(), scene->ToJson());
  EXPECT_EQ(loaded->Origin(), path);
}

// More groups than a loader can keep at hand, each named as the parent of
// several shapes in a scattered order, and some named before they come:
// every shape ends up under the group it names.
TEST(ParentTest, EveryShapeIsUnderTheGroupItNames) {
  constexpr int kGroups = 6000, kShapes = 24000;
  auto group_of = [](int shape) { return shape * 7919 % kGroups; };
  std::string text = R"({"nodes": [)";
  for (int s = 0; s < kShapes; ++s) {
    text += R"({"name": "S)" + std::to_string(s) +
            R"(", "kind": "shape", "parent": "G)" +
            std::to_string(group_of(s)) + R"("}, )";
    // The first groups follow the shapes that name them.
    if (s == 100) {
      for (int g = kGroups / 2; g < kGroups; ++g)
        text += R"({"name": "G)" + std::to_string(g) + R"(", "kind": "group"}, )";
    }
  }
  for (int g = 0; g < kGroups / 2; ++g)
    text += R"({"name": "G)" + std::to_string(g) + R"(", "kind": "group"}, )";
  text += R"({"name": "last", "kind": "light"}]})";
  mem::SceneContent content = mem::ReadSceneText(text, "parents.json");
  ASSERT_EQ(content.nodes.size(), std::size_t{kGroups + kShapes + 1});
  int wrong = 0;
  for (int s = 0; s < kShapes; ++s) {
    const mem::NodeData& shape = content.nodes[static_cast<std::size_t>(
        content.Find("S" + std::to_string(s)))];
    ASSERT_GE(shape.parent, 0) << s;
    if (content.nodes[static_cast<std::size_t>(shape.parent)].name !=
        "G" + std::to_string(group_of(s)))
      ++wrong;
  }
  EXPECT_EQ(wrong, 0);
}

// (A missing file, error 53, is bad/missing_scene.scn.)
TEST_F(FileTest, AFolderOrABadFileIsRefusedNamingIt) {
  const Error folder = ErrorOf([&] { MemSceneGraph::Load(dir_.string()); });
  EXPECT_EQ(folder.Number(), 75);
  EXPECT_EQ(folder.Description(),
            "Path/File access error: " + dir_.string() + " is a folder");
  std::string path = (dir_ / "broken.json").string();
  std::ofstream(path)
      << R"({"nodes": [{"name": "A", "kind": "shape", "Locked": "yes"}]})";
  const Error bad = ErrorOf([&] { MemSceneGraph::Load(path); });
  EXPECT_EQ(bad.Number(), 321);
  EXPECT_EQ(bad.Description(),
            "Invalid file format: " + path +
                ": node \"A\": key \"Locked\": expected true or false, got "
                "\"yes\"");
}

TEST_F(FileTest, SavingIntoAMissingFolderIsError75AndLeavesNothing) {
  auto scene = MemSceneGraph::FromText(kTestScene);
  std::string path = (dir_ / "no" / "such" / "folder.json").string();
  EXPECT_EQ(ErrorOf([&] { scene->Save(path); }).Number(), 75);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "no"));
}

TEST(RestoreTest, PutsASnapshotBackAndRefusesABadOneWhole) {
  auto scene = MemSceneGraph::FromText(kTestScene);
  auto snapshot = scene->ToJson();
  auto teapot = scene->Node("Teapot");
  teapot->SetSmoothingLevel(4);
  scene->Restore(snapshot);
  EXPECT_EQ(teapot->SmoothingLevel(), 1);  // the handle follows the node

  auto bad = nlohmann::json::parse(scene->ToText());
  bad["nodes"][2]["SmoothingLevel"] = 3;
  bad["nodes"][3]["Locked"] = "no";
  EXPECT_THROW(scene->Restore(bad), Error);
  EXPECT_EQ(scene->ToJson(), snapshot);
}

}  // namespace
}  // namespace morvel

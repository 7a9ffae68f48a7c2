#include "memscene/scene_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

#include "base/error.h"
#include "memscene/mem_scene_graph.h"
#include "memscene/test_scene.h"

namespace morvel {
namespace {

using testing::kTestScene;

struct Refusal {
  const char* name;
  const char* text;
  const char* message;  // the description, exactly
};

class RefusalTest : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusalTest, NamesTheFileTheNodeAndTheKey) {
  const Refusal& c = GetParam();
  try {
    MemSceneGraph::FromText(c.text, "bad.json");
    ADD_FAILURE() << "loaded";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 321);
    EXPECT_EQ(e.Description(), c.message);
  }
}

// A snapshot (already parsed) is checked exactly as a file is.
TEST_P(RefusalTest, ASnapshotIsRefusedTheSameWay) {
  const Refusal& c = GetParam();
  nlohmann::json parsed =
      nlohmann::json::parse(c.text, nullptr, /*allow_exceptions=*/false);
  if (parsed.is_discarded() || std::string(c.name) == "NodesTwice") {
    GTEST_SKIP() << "not a JSON document of its own";
  }
  try {
    MemSceneGraph::FromJson(parsed, "bad.json");
    ADD_FAILURE() << "loaded";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 321);
    EXPECT_EQ(e.Description(), c.message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    BadFiles, RefusalTest,
    ::testing::Values(
        Refusal{"NotJson", R"({"nodes": [})",
                "Invalid file format: bad.json: line 1, column 12: expected a "
                "value, found \"}\""},
        Refusal{"NotAnObject", "[]",
                "Invalid file format: bad.json: the scene: expected a JSON "
                "object, got []"},
        Refusal{"UnknownSceneKey", R"({"nodez": []})",
                "Invalid file format: bad.json: the scene: key \"nodez\": not "
                "a key of a "
                "scene"},
        Refusal{"NodesNotAList", R"({"nodes": {}})",
                "Invalid file format: bad.json: the scene: key \"nodes\": "
                "expected an array "
                "of nodes, got {}"},
        Refusal{"NodesTwice", R"({"nodes": [], "nodes": []})",
                "Invalid file format: bad.json: the scene: key \"nodes\": the "
                "key appears "
                "twice"},
        Refusal{"NodeNotAnObject", R"({"nodes": [3]})",
                "Invalid file format: bad.json: nodes[0]: expected a node "
                "object, got 3"},
        Refusal{"MissingName", R"({"nodes": [{"kind": "shape"}]})",
                "Invalid file format: bad.json: nodes[0]: key \"name\": "
                "missing: every node "
                "needs a name"},
        Refusal{"NameNotAString",
                R"({"nodes": [{"name": 5, "kind": "shape"}]})",
                "Invalid file format: bad.json: nodes[0]: key \"name\": "
                "expected a string, "
                "got 5"},
        Refusal{"EmptyName", R"({"nodes": [{"name": "", "kind": "shape"}]})",
                "Invalid file format: bad.json: nodes[0]: key \"name\": a "
                "node's name must "
                "not be empty"},
        Refusal{"MissingKind", R"({"nodes": [{"name": "A"}]})",
                "Invalid file format: bad.json: node \"A\": key \"kind\": "
                "missing: every "
                "node needs a kind"},
        Refusal{"UnknownKind", R"({"nodes": [{"name": "A", "kind": "mesh"}]})",
                "Invalid file format: bad.json: node \"A\": key \"kind\": "
                "unknown kind "
                "\"mesh\" (expected group, shape, bone, camera or light)"},
        Refusal{
            "DuplicateName",
            R"({"nodes": [{"name": "A", "kind": "shape"}, {"name": "A", "kind": "light"}]})",
            "Invalid file format: bad.json: node \"A\": key \"name\": there is "
            "another "
            "node with this name (nodes[0])"},
        Refusal{
            "ParentNamesNoNode",
            R"({"nodes": [{"name": "A", "kind": "shape", "parent": "Ghost"}]})",
            "Invalid file format: bad.json: node \"A\": key \"parent\": "
            "\"Ghost\" names "
            "no node"},
        Refusal{"ParentIsAShape",
                R"({"nodes": [{"name": "A", "kind": "shape"},
                              {"name": "B", "kind": "shape", "parent": "A"}]})",
                "Invalid file format: bad.json: node \"B\": key \"parent\": "
                "\"A\" is a "
                "shape; only groups and bones have children"},
        Refusal{"ParentLoop",
                R"({"nodes": [{"name": "A", "kind": "group", "parent": "B"},
                              {"name": "B", "kind": "group", "parent": "A"}]})",
                "Invalid file format: bad.json: node \"A\": key \"parent\": "
                "the node would "
                "be its own ancestor"},
        Refusal{
            "SelectionNamesNoNode",
            R"({"selection": ["A", "Ghost"], "nodes": [{"name": "A", "kind": "shape"}]})",
            "Invalid file format: bad.json: the scene: key \"selection[1]\": "
            "\"Ghost\" "
            "names no node"},
        Refusal{
            "SelectedTwice",
            R"({"selection": ["A", "A"], "nodes": [{"name": "A", "kind": "shape"}]})",
            "Invalid file format: bad.json: the scene: key \"selection[1]\": "
            "\"A\" is "
            "selected twice"},
        Refusal{
            "TextForAWholeNumber",
            R"({"nodes": [{"name": "T", "kind": "shape", "SmoothingLevel": "2"}]})",
            "Invalid file format: bad.json: node \"T\": key "
            "\"SmoothingLevel\": "
            "expected a whole number, got \"2\""},
        Refusal{
            "FractionForAWholeNumber",
            R"({"nodes": [{"name": "T", "kind": "shape", "SmoothingLevel": 2.5}]})",
            "Invalid file format: bad.json: node \"T\": key "
            "\"SmoothingLevel\": "
            "expected a whole number, got 2.5"},
        Refusal{
            "WholeNumberOutOfRange",
            R"({"nodes": [{"name": "T", "kind": "shape", "MirrorAxis": 3000000000}]})",
            "Invalid file format: bad.json: node \"T\": key \"MirrorAxis\": "
            "the number "
            "3000000000 is out of range"},
        Refusal{"NumberForABoolean",
                R"({"nodes": [{"name": "T", "kind": "shape", "Hidden": 1}]})",
                "Invalid file format: bad.json: node \"T\": key \"Hidden\": "
                "expected true "
                "or false, got 1"},
        Refusal{
            "SingleTooLarge",
            R"({"nodes": [{"name": "T", "kind": "shape", "SmoothAngle": 1e+39}]})",
            "Invalid file format: bad.json: node \"T\": key \"SmoothAngle\": "
            "the number "
            "1e+39 is too large"},
        Refusal{
            "KeyOfAnotherKind",
            R"({"nodes": [{"name": "Lamp", "kind": "light", "SmoothingLevel": 1}]})",
            "Invalid file format: bad.json: node \"Lamp\": key "
            "\"SmoothingLevel\": not "
            "a key of a light"},
        Refusal{
            "BoneKeyOnAGroup",
            R"({"nodes": [{"name": "G", "kind": "group", "BoneWeight": 1}]})",
            "Invalid file format: bad.json: node \"G\": key \"BoneWeight\": "
            "not a key "
            "of a group"},
        Refusal{
            "ShortVector",
            R"({"nodes": [{"name": "G", "kind": "group", "Position": [1, 2]}]})",
            "Invalid file format: bad.json: node \"G\": key \"Position\": "
            "expected an "
            "array of 3 numbers, got [1,2]"},
        Refusal{"ParallelOrientation",
                R"({"nodes": [{"name": "G", "kind": "group",
                               "Orientation": {"Forward": [0, 1, 0], "Up": [0, 2, 0]}}]})",
                "Invalid file format: bad.json: node \"G\": key "
                "\"Orientation\": Forward "
                "and Up must be non-zero and not parallel"},
        Refusal{"UnknownOrientationKey",
                R"({"nodes": [{"name": "G", "kind": "group",
                               "Orientation": {"Front": [0, 0, 1]}}]})",
                "Invalid file format: bad.json: node \"G\": key "
                "\"Orientation.Front\": not "
                "a key of an orientation"},
        Refusal{"MaterialLevelAsText",
                R"({"nodes": [{"name": "T", "kind": "shape",
                               "Materials": [{}, {"Diffuse": "80"}]}]})",
                "Invalid file format: bad.json: node \"T\": key "
                "\"Materials[1].Diffuse\": "
                "expected a whole number, got \"80\""},
        Refusal{
            "SevenMapPaths",
            R"({"nodes": [{"name": "T", "kind": "shape", "Materials": [{"Maps":
                    {"Paths": ["a", "b", "c", "d", "e", "f", "g"]}}]}]})",
            "Invalid file format: bad.json: node \"T\": key "
            "\"Materials[0].Maps.Paths\": "
            "at most 6 entries, got 7"},
        Refusal{"SevenCustomFields",
                R"({"nodes": [{"name": "T", "kind": "shape",
                               "CustomFields": ["", "", "", "", "", "", ""]}]})",
                "Invalid file format: bad.json: node \"T\": key "
                "\"CustomFields\": at most 6 "
                "entries, got 7"},
        Refusal{
            "UnknownLightType",
            R"({"nodes": [{"name": "L", "kind": "light", "LightType": 5}]})",
            "Invalid file format: bad.json: node \"L\": key \"LightType\": "
            "expected 0 "
            "(ambient), 1 (directional), 2 (spot) or 3 (point), got 5"},
        Refusal{
            "MapSettingBBeyondAnInteger",
            R"({"nodes": [{"name": "T", "kind": "shape", "Materials": [{"Maps":
                    {"MapSettingB": 40000}}]}]})",
            "Invalid file format: bad.json: node \"T\": key "
            "\"Materials[0].Maps.MapSettingB\": expected a whole number from "
            "-32768 to "
            "32767, got 40000"},
        Refusal{
            "ColourOfTwo",
            R"({"nodes": [{"name": "L", "kind": "light", "Colour": [1, 1]}]})",
            "Invalid file format: bad.json: node \"L\": key \"Colour\": "
            "expected an "
            "array of 3 or 4 numbers (red, green, blue, alpha), got [1,1]"}),
    [](const ::testing::TestParamInfo<Refusal>& info) {
      return info.param.name;
    });

// Files nobody vouches for: whatever they hold, the load ends in error 321
// naming the place, and quotes at most a readable excerpt.
struct Hostile {
  std::string name;
  std::string text;
  std::string message;  // after "Invalid file format: bad.json: "
};

std::vector<Hostile> HostileFiles() {
  auto node = [](const std::string& inside) {
    return R"({"nodes": [{"name": "T", "kind": "shape", )" + inside + "}]}";
  };
  std::string long_name(100, 'N');
  std::string keys;
  for (int i = 0; i < 65; ++i) keys += "\"k" + std::to_string(i) + "\": 0, ";
  return {
      {"DeepNesting", "{\"nodes\": " + std::string(200000, '['),
       "line 1, column 42: nesting deeper than 32 levels"},
      {"HugeName",
       R"({"nodes": [{"name": ")" + std::string(10 << 20, 'x') + "\"}]}",
       "line 1, column 21: a string longer than 65536 bytes"},
      {"LongNameIsQuotedInPart",
       R"({"nodes": [{"name": ")" + long_name +
           R"(", "kind": "shape", "parent": "Ghost"}]})",
       "node \"" + long_name.substr(0, 64) +
           "...\": key \"parent\": \"Ghost\" names no node"},
      {"NumberBeyondADouble", node(R"("SmoothAngle": 1e400)"),
       "line 1, column 58: the number 1e400 is not finite"},
      {"CountBeyondALong", node(R"("ShapeKind": 1e10)"),
       "node \"T\": key \"ShapeKind\": the number 1e10 is out of range"},
      {"WholeNumberBeyond64Bits", node(R"("MirrorAxis": 99999999999999999999)"),
       "node \"T\": key \"MirrorAxis\": the number 99999999999999999999 is "
       "out of range"},
      {"LeadingZero", node(R"("MirrorAxis": 01)"),
       "line 1, column 57: \"01\" is not a number"},
      {"LongNumber", node(R"("SmoothAngle": )" + std::string(101, '1')),
       "line 1, column 58: a number longer than 100 characters"},
      {"InvalidUtf8", "{\n  \"nodes\": [\n    {\"name\": \"A\xff\"}]}",
       "line 3, column 16: invalid UTF-8 (byte 0xFF) in a string"},
      {"OverlongUtf8",
       R"({"nodes": [{"name": ")"
       "\xC0\xAF\"}]}",
       "line 1, column 22: invalid UTF-8 (byte 0xC0) in a string"},
      {"EncodedSurrogate",
       R"({"nodes": [{"name": ")"
       "\xED\xA0\x80\"}]}",
       "line 1, column 23: invalid UTF-8 (byte 0xA0) in a string"},
      {"LoneSurrogateEscape", R"({"nodes": [{"name": "\udc00"}]})",
       "line 1, column 27: a \\u escape of half a character (a lone low "
       "surrogate)"},
      {"ControlCharacter", "{\"nodes\": [{\"name\": \"A\tB\"}]}",
       "line 1, column 23: a control character (byte 0x09) in a string; write "
       "it as an escape such as \\n"},
      {"DuplicateKey", node(R"("Hidden": true, "Hidden": false)"),
       "line 1, column 59: the key \"Hidden\" appears twice in one object"},
      {"TooManyKeys", "{\"nodes\": [{" + keys + "}]}",
       "line 1, column 643: an object with more than 64 keys"},
      {"TextAfterTheScene", "{} x",
       "line 1, column 4: expected the end of "
       "the file, found \"x\""},
      {"Empty", "",
       "line 1, column 1: expected a value, found the end of "
       "the file"},
      {"Binary", std::string("{\"nodes\": [\0\1\2]}", 16),
       "line 1, column 12: expected a value, found byte 0x00"},
  };
}

class HostileFileTest : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostileFileTest, IsRefusedWithThePlace) {
  try {
    MemSceneGraph::FromText(GetParam().text, "bad.json");
    ADD_FAILURE() << "loaded";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 321);
    EXPECT_EQ(e.Description(),
              "Invalid file format: bad.json: " + GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(Limits, HostileFileTest,
                         ::testing::ValuesIn(HostileFiles()),
                         [](const ::testing::TestParamInfo<Hostile>& info) {
                           return info.param.name;
                         });

TEST(HostileFileTest, AByteOrderMarkAndEscapesAreFine) {
  auto scene = MemSceneGraph::FromText(
      "\xEF\xBB\xBF"
      R"({"nodes": [{"name": "Tea\u00e9\ud83d\ude00\n", "kind": "shape"}]})");
  EXPECT_EQ(scene->NodeNames(),
            std::vector<std::string>{"Tea\xC3\xA9\xF0\x9F\x98\x80\n"});
}

TEST(HostileFileTest, TheScenesOwnErrorsQuoteLongNamesInPart) {
  auto scene = MemSceneGraph::FromText(kTestScene);
  const std::string name(10000, 'x');
  for (auto call : std::initializer_list<std::function<void()>>{
           [&] { scene->Node(name); }, [&] { scene->Select({name}); },
           [&] { scene->AddNode("A", kNodeTypeShape, name); }}) {
    try {
      call();
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.Description(),
                "Invalid procedure call or argument: no node is named \"" +
                    name.substr(0, 64) + "...\"");
    }
  }
}

struct ValueCase {
  const char* path;
  const char* text;
};

class ValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ValueTest, ReadsTheValueByItsKeyPath) {
  auto scene = MemSceneGraph::FromText(kTestScene);
  EXPECT_EQ(scene->ValueText(GetParam().path), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ValueTest,
    ::testing::Values(
        ValueCase{"Teapot.SmoothingLevel", "1"},
        ValueCase{"Teapot.SmoothingTension", "0.25"},
        ValueCase{"Teapot.Materials[0].Diffuse", "80"},
        ValueCase{"Teapot.Materials[1].Colour[3]", "0.333"},
        ValueCase{"Teapot.Materials[1].Colour", "[0,0,1,0.333]"},
        ValueCase{"Teapot.Clones.Counts[0]", "3"},
        ValueCase{"Teapot.Clones.Offsets", "[2.5,0,0]"},
        ValueCase{"Teapot.Materials[0].Maps.Paths[5]", "bump.png"},
        ValueCase{"Teapot.Materials[0].Maps.Blend", "0.25"},
        ValueCase{"Teapot.CustomFields[0]", "T-100"},
        ValueCase{"Teapot.parent", "Stage"}, ValueCase{"Cup.Locked", "True"},
        ValueCase{"Cup.SmoothAngle", "30"},
        ValueCase{"Cup.SourceCaption", "Cup"}, ValueCase{"Cup.Materials", "[]"},
        ValueCase{"Key.SpotlightUmbra", "0.3"},
        ValueCase{"Key.SpotlightPenumbra", "0.5"},
        ValueCase{"Sun.Colour", "[1,1,1,1]"},
        ValueCase{"Cam.FocalPoint", "2.5"},
        ValueCase{"Cam.FieldOfView", "0.05"},
        ValueCase{"Arm.BoneWeight", "37.5"},
        ValueCase{"Arm.IKJointLimits[3]", "6.283186"},
        ValueCase{"Stage.Orientation.Up", "[0,1,0]"},
        ValueCase{"Hand.Enabled", "False"}, ValueCase{"Hand.Hidden", "True"},
        ValueCase{"ApplicationRegistryKey", "Morvel"},
        ValueCase{"DialogOwner", "7"}, ValueCase{"selection[0]", "Teapot"},
        ValueCase{"MaterialFieldNames[1]", "Notes"}));

struct BadPath {
  const char* path;
  Long number;
};

class BadPathTest : public ::testing::TestWithParam<BadPath> {};

TEST_P(BadPathTest, IsRefusedWithItsNumber) {
  auto scene = MemSceneGraph::FromText(kTestScene);
  try {
    scene->Value(GetParam().path);
    ADD_FAILURE() << "found a value";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), GetParam().number);
  }
}

INSTANTIATE_TEST_SUITE_P(Paths, BadPathTest,
                         ::testing::Values(BadPath{"Teapot.Nope", 5},
                                           BadPath{"Nobody.SmoothingLevel", 5},
                                           BadPath{"Teapot.Materials[5]", 9},
                                           BadPath{"Teapot.Materials[x]", 5},
                                           BadPath{"Teapot.Materials[0", 5},
                                           BadPath{"Teapot.SmoothingLevel[0]",
                                                   5},
                                           BadPath{"selection[1]", 9}));

TEST(ValueTest, ANodeNameMayContainDots) {
  auto scene = MemSceneGraph::FromText(R"({"nodes": [
      {"name": "Teapot", "kind": "shape", "SmoothingLevel": 1},
      {"name": "Teapot.001", "kind": "shape", "SmoothingLevel": 2}]})");
  EXPECT_EQ(scene->ValueText("Teapot.001.SmoothingLevel"), "2");
  EXPECT_EQ(scene->ValueText("Teapot.SmoothingLevel"), "1");
  EXPECT_EQ(scene->ValueText("Teapot.001.name"), "Teapot.001");
}

TEST(RoundTripTest, LoadSaveLoadGivesTheSameScene) {
  auto first = MemSceneGraph::FromText(kTestScene);
  std::string saved = first->ToText();
  auto second = MemSceneGraph::FromText(saved);
  EXPECT_EQ(second->ToJson(), first->ToJson());
  EXPECT_EQ(second->ToText(), saved);
  // Every value, defaults included, survives.
  for (const std::string& name : first->NodeNames()) {
    EXPECT_EQ(second->Value(name), first->Value(name)) << name;
  }
  EXPECT_EQ(second->SelectedNames(), first->SelectedNames());
}

TEST(RoundTripTest, TextAndParsedDocumentGiveTheSameScene) {
  auto from_text = MemSceneGraph::FromText(kTestScene);
  auto from_json = MemSceneGraph::FromJson(nlohmann::json::parse(kTestScene));
  EXPECT_EQ(from_json->ToJson(), from_text->ToJson());
}

TEST(RoundTripTest, SinglesKeepEveryBit) {
  auto scene =
      MemSceneGraph::FromText(R"({"nodes": [{"name": "T", "kind": "shape"}]})");
  auto node = scene->Node("T");
  for (Single v :
       {0.1f, -0.3f, 1.0f / 3.0f, 6.283186f, 1e-7f, 3.4e38f, 123456.789f}) {
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

TEST_F(FileTest, SaveThenLoadFromAFile) {
  auto scene = MemSceneGraph::FromText(kTestScene);
  std::string path = (dir_ / "studio.json").string();
  scene->Save(path);
  auto loaded = MemSceneGraph::Load(path);
  EXPECT_EQ(loaded->ToJson(), scene->ToJson());
  EXPECT_EQ(loaded->Origin(), path);
  EXPECT_FALSE(std::filesystem::exists(path + ".saving"));
}

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
  auto loaded = MemSceneGraph::Load(path);
  EXPECT_EQ(loaded->ToJson(), scene->ToJson());
}

TEST_F(FileTest, AMissingFileIsError53) {
  std::string path = (dir_ / "absent.json").string();
  try {
    MemSceneGraph::Load(path);
    ADD_FAILURE() << "loaded";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 53);
    EXPECT_EQ(e.Description(), "File not found: " + path);
  }
}

TEST_F(FileTest, AFolderIsNoSceneFile) {
  try {
    MemSceneGraph::Load(dir_.string());
    ADD_FAILURE() << "loaded";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 75);
    EXPECT_EQ(e.Description(),
              "Path/File access error: " + dir_.string() + " is a folder");
  }
}

TEST_F(FileTest, ABadFileIsNamedInTheMessage) {
  std::string path = (dir_ / "broken.json").string();
  std::ofstream(path)
      << R"({"nodes": [{"name": "A", "kind": "shape", "Locked": "yes"}]})";
  try {
    MemSceneGraph::Load(path);
    ADD_FAILURE() << "loaded";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 321);
    EXPECT_EQ(e.Description(),
              "Invalid file format: " + path +
                  ": node \"A\": key \"Locked\": expected true or false, "
                  "got \"yes\"");
  }
}

TEST_F(FileTest, SavingIntoAMissingFolderIsError75AndLeavesNothing) {
  auto scene = MemSceneGraph::FromText(kTestScene);
  std::string path = (dir_ / "no" / "such" / "folder.json").string();
  try {
    scene->Save(path);
    ADD_FAILURE() << "saved";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 75);
  }
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

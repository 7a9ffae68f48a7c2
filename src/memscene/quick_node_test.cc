#include "memscene/quick_node.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/error.h"
#include "memscene/scene_file.h"

namespace morvel::mem {
namespace {

// What a reading of `text` comes to: the scene as written out whole, or
// the error.
std::string Outcome(const std::string& text, NodeReading reading) {
  try {
    return WriteScene(ReadSceneText(text, "q.json", reading), false,
                      MeshForm::kInline)
        .dump();
  } catch (const Error& e) {
    return "error " + std::to_string(e.Number()) + ": " + e.Description();
  }
}

// The same for a file read a chunk at a time.
std::string FileOutcome(const std::string& text, NodeReading reading) {
  const auto path =
      std::filesystem::temp_directory_path() / "morvel_quick_node_test.json";
  std::ofstream(path, std::ios::binary) << text;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  std::string outcome;
  try {
    outcome = WriteScene(ReadSceneFile(file, "q.json", text.size(), reading),
                         false, MeshForm::kInline)
                  .dump();
  } catch (const Error& e) {
    outcome = "error " + std::to_string(e.Number()) + ": " + e.Description();
  }
  std::fclose(file);
  std::filesystem::remove(path);
  return outcome;
}

std::string Scene(const std::string& nodes) {
  return R"({"nodes": [{"name": "G", "kind": "group"}, )" + nodes + "]}";
}

struct NodeCase {
  std::string node;
  bool taken;  // by the quick reader
  // The reading's outcome starts so: an error's text, or "{" for a scene.
  std::string outcome;
};

// Nodes at the edges of what the quick reader takes. Whichever way a node
// goes, both readings give the same scene or the same message; and the
// quick reader takes exactly the plain ones.
TEST(QuickNodeTest, TakesThePlainNodesAndBothReadingsAgree) {
  const std::string bad = "error 321: Invalid file format: q.json: ";
  const NodeCase cases[] = {
      // Taken.
      {R"({"name": "S", "kind": "shape", "parent": "G", "DrawStyle": 2,
           "Materials": [{"Colour": [1, 0.5, 0], "Fields": ["a", "", "b"],
           "Maps": {"Paths": ["m.png"], "Blend": 0.25}}]})",
       true, "{"},
      {R"({"kind": "light", "name": "L", "Colour": [0.1, 0.2, 0.3, 0.4],
           "LightType": 3, "Placement": {"Position": [1, 2, 3]}})",
       true, "{"},
      {R"({"name": "B", "kind": "bone", "parent": "G", "Enabled": false,
           "BoneIrregularOffset": [-0, 1e2, 2.5E-3], "IKJointMode": 1})",
       true, "{"},
      {R"({"name": "C", "kind": "camera", "FieldOfView": 0.75})", true, "{"},
      {"{\"name\":\"T\",\r\n\t\"kind\":\"group\",\n\"Scale\":[1,2,3]}", true,
       "{"},
      {R"({"name": "U", "kind": "shape", "SmoothAngle": 1e-400})", true, "{"},
      {R"({"name": "E", "kind": "shape", "Materials": [], "Clones": {}})", true,
       "{"},
      // Given back, and read in full.
      {R"({"name": "S\u0031", "kind": "shape"})", false, "{"},
      {"{\"name\": \"Stra\xC3\x9F" "e\", \"kind\": \"shape\"}", false, "{"},
      {R"({"Hidden": true, "name": "H", "kind": "shape"})", false, "{"},
      {R"({"name": "M", "kind": "shape", "Mesh": {"Positions": [0, 0, 0],
           "Triangles": [0, 0, 0]}})",
       false, "{"},
      {R"({"name": "N", "kind": "shape", "DrawStyle": 2.0})", true, "{"},
      {R"({"name": "N", "kind": "shape", "DrawStyle": 12345678901234567890})",
       false, bad + "node \"N\": key \"DrawStyle\": the number "
                    "12345678901234567890 is out of range"},
      {R"({"name": "N", "kind": "shape", "DrawStyle": 2.5})", false,
       bad + "node \"N\": key \"DrawStyle\": expected a whole number, got 2.5"},
      {R"({"name": "N", "kind": "shape", "SmoothAngle": 1e39})", false,
       bad + "node \"N\": key \"SmoothAngle\": the number 1e39 is too large"},
      {R"({"name": "N", "kind": "light", "LightType": 4})", false,
       bad + "node \"N\": key \"LightType\": expected 0 (ambient), 1 "
             "(directional), 2 (spot) or 3 (point), got 4"},
      {R"({"name": "N", "kind": "shape", "Locked": 1})", false,
       bad + "node \"N\": key \"Locked\": expected true or false, got 1"},
      {R"({"name": "N", "kind": "shape", "Locked": tru})", false,
       bad + "line 1, column 88: expected a value, found \"}\""},
      {R"({"name": "N", "kind": "shape", "Locked": true, "Locked": false})",
       false,
       bad + "line 1, column 91: the key \"Locked\" appears twice in one "
             "object"},
      {R"({"name": "N", "kind": "shape", "name": "O"})", false,
       bad + "line 1, column 75: the key \"name\" appears twice in one "
             "object"},
      {R"({"name": "N", "kind": "shape", "Colour": [1, 1, 1]})", false,
       bad + "node \"N\": key \"Colour\": not a key of a shape"},
      {R"({"name": "N", "kind": "shape", "Materials": [{"Colour": [1, 1]}]})",
       false,
       bad + "node \"N\": key \"Materials[0].Colour\": expected an array of "
             "3 or 4 numbers (red, green, blue, alpha), got [1,1]"},
      {R"({"name": "N", "kind": "shape", "CustomFields": ["1", "2", "3", "4",
           "5", "6", "7"]})",
       false,
       bad + "node \"N\": key \"CustomFields\": at most 6 entries, got 7"},
      {R"({"name": "N", "kind": "group", "Orientation": {"Forward": [1, 0, 0],
           "Up": [2, 0, 0]}})",
       false,
       bad + "node \"N\": key \"Orientation\": Forward and Up must be "
             "non-zero and not parallel"},
      {R"({"name": "N", "kind": "shape", "Clones": {"Counts": [1, 2]}})",
       false,
       bad + "node \"N\": key \"Clones.Counts\": expected an array of 3 whole "
             "numbers, got [1,2]"},
      {R"({"name": "N", "kind": "shape", "Materials": [{"Maps":
           {"MapSettingB": 40000}}]})",
       false,
       bad + "node \"N\": key \"Materials[0].Maps.MapSettingB\": expected a "
             "whole number from -32768 to 32767, got 40000"},
      // A fault on a line that began within a node read quickly.
      {"{\"name\": \"X\", \"kind\": \"shape\",\n \"DrawStyle\": 2}, "
       "{\"name\": \"Y\" \"kind\": \"shape\"}",
       true, bad + "line 2, column 32: expected \",\" or \"}\", found \"\"\""},
      {R"({"name": "", "kind": "shape"})", false,
       bad + "nodes[1]: key \"name\": a node's name must not be empty"},
      {R"({"name": "N", "kind": "mesh"})", false,
       bad + "node \"N\": key \"kind\": unknown kind \"mesh\" (expected "
             "group, shape, bone, camera or light)"},
      // Taken by the reader, given back by the scene, whose name it is.
      {R"({"name": "G", "kind": "shape"})", true,
       bad + "node \"G\": key \"name\": there is another node with this "
             "name (nodes[0])"},
      {R"({"name": "N", "kind": "shape" "DrawStyle": 2})", false,
       bad + "line 1, column 74: expected \",\" or \"}\", found \"\"\""},
  };
  for (const NodeCase& c : cases) {
    SCOPED_TRACE(c.node);
    QuickNode node;
    EXPECT_EQ(ReadQuickNode(c.node, node), c.taken);
    const std::string scene = Scene(c.node);
    const std::string quick = Outcome(scene, NodeReading::kQuick);
    EXPECT_EQ(quick.substr(0, c.outcome.size()), c.outcome);
    EXPECT_EQ(quick, Outcome(scene, NodeReading::kFull));
  }
}

// A node cut short anywhere (the end of the bytes in memory) is given back
// whole, never taken with what it has so far.
TEST(QuickNodeTest, ANodeCutShortAnywhereIsGivenBack) {
  const std::string node =
      R"({"name": "Shape12", "kind": "shape", "parent": "Group3",)"
      R"( "SourceCaption": "Box", "DrawStyle": 2, "CustomFields": ["TP-12"],)"
      R"( "Materials": [{"Colour": [1, 0.5, 0, 1], "Diffuse": 80}]})";
  QuickNode quick;
  for (std::size_t cut = 0; cut < node.size(); ++cut) {
    EXPECT_FALSE(ReadQuickNode(std::string_view(node).substr(0, cut), quick))
        << "taken when cut at " << cut << ": " << node.substr(0, cut);
  }
  const std::string followed = node + ",";
  ASSERT_TRUE(ReadQuickNode(followed, quick));
  EXPECT_EQ(quick.bytes, node.size());
  EXPECT_EQ(quick.name, "Shape12");
  ASSERT_TRUE(quick.parent.has_value());
  EXPECT_EQ(*quick.parent, "Group3");
  EXPECT_EQ(quick.shape.materials[0].colour.Green, 0.5f);
}

// A file of many nodes, read a chunk at a time: nodes fall across the ends
// of chunks and of what the quick reader is shown at once, and nodes that
// span lines are followed by a fault whose line and column must be right.
TEST(QuickNodeTest, ABigFileReadsTheSameAndPlacesFaultsTheSame) {
  std::string nodes = R"({"name": "Group0", "kind": "group"})";
  for (int i = 0; i < 12000; ++i) {
    nodes += ",\n    {\"name\": \"Shape" + std::to_string(i) +
             "\", \"kind\": \"shape\", \"parent\": \"Group0\",";
    // Nodes of many lengths, some over two lines.
    if (i % 3 == 0) nodes += "\n     ";
    nodes += " \"SourceCaption\": \"" + std::string(i % 97, 'x') +
             "\", \"Materials\": [{\"Colour\": [" + std::to_string(i % 7) +
             ", 0.5, 0.25]}]}";
  }
  const std::string good = "{\"nodes\": [\n    " + nodes + "\n]}";
  // The last node's line: a fault there is placed by line and column.
  const std::size_t lines = static_cast<std::size_t>(
      std::count(good.begin(), good.end(), '\n'));
  const std::string value_fault = good.substr(0, good.size() - 4) +
                                  ", \"DrawStyle\": true}\n]}";
  const std::string syntax_fault =
      good.substr(0, good.size() - 4) + " \"DrawStyle\": 2}\n]}";
  const std::string expected_syntax =
      "error 321: Invalid file format: q.json: line " + std::to_string(lines) +
      ", column " +
      std::to_string(good.size() - 3 - good.rfind('\n', good.size() - 5)) +
      ": expected \",\" or \"}\", found \"\"\"";
  for (const std::string* text : {&good, &value_fault, &syntax_fault}) {
    const std::string quick = FileOutcome(*text, NodeReading::kQuick);
    EXPECT_EQ(quick, FileOutcome(*text, NodeReading::kFull));
    EXPECT_EQ(quick, Outcome(*text, NodeReading::kQuick));
    EXPECT_EQ(quick[0] == '{', text == &good) << quick;
  }
  EXPECT_EQ(FileOutcome(syntax_fault, NodeReading::kQuick), expected_syntax);
  EXPECT_EQ(FileOutcome(value_fault, NodeReading::kQuick),
            "error 321: Invalid file format: q.json: node \"Shape11999\": key "
            "\"DrawStyle\": expected a whole number, got true");
}

}  // namespace
}  // namespace morvel::mem

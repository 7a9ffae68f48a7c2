#include "imgui-demo/demo_ui.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/settings_store.h"

namespace morvel::imgui_demo {
namespace {

namespace fs = std::filesystem;

using Lines = std::vector<std::string>;

// The lines of a text file that start with `prefix`.
int CountLines(const fs::path& path, const std::string& prefix) {
  std::ifstream in(path);
  int count = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(prefix, 0) == 0) ++count;
  }
  return count;
}

// The demo's Open and Save As take model files by their extension as the
// other hosts do: a Wavefront box opens as its objects and is set up in the
// panel, saved under .obj it is written as a model again (not as our scene
// file under a model's name), a file no reader takes is an error that
// leaves the open scene alone, and the saved copy opens again.
TEST(DemoUiOpenTest, OpensAndSavesModelFilesByTheirExtension) {
  const fs::path box = fs::path(MORVEL_CORPUS_DIR) / "OBJ" / "box.obj";
  if (!fs::exists(box)) GTEST_SKIP() << "no model corpus";
  const fs::path folder =
      fs::temp_directory_path() /
      ("morvel_imgui_open_" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  MemorySettingsStore settings;
  DemoUi ui(settings, {.scripted = true});

  ASSERT_TRUE(ui.OpenScene(box.string()));
  // The file's object "1", its mesh picked, under a root named for the file.
  EXPECT_EQ(ui.Scene()->NodeNames(), (Lines{"box.obj", "1", "1 (mesh)"}));
  EXPECT_EQ(ui.Scene()->SelectedNames(), (Lines{"1 (mesh)"}));
  EXPECT_EQ(ui.LogLines(),
            (Lines{"# scene box.obj",
                   "> SetupPropertiesPanel(2, 11, 1, 0, 0, 0, 0, False, "
                   "False, False, 0)"}));

  const fs::path copy = folder / "copy.obj";
  ASSERT_TRUE(ui.SaveScene(copy.string()));
  EXPECT_EQ(CountLines(copy, "v "), 8);
  // The six quads, as the import triangulates them.
  EXPECT_EQ(CountLines(copy, "f "), 12);
  EXPECT_EQ(CountLines(copy, "{"), 0);

  const fs::path bad = folder / "bad.glb";
  std::ofstream(bad) << "not a model";
  std::shared_ptr<MemSceneGraph> before = ui.Scene();
  EXPECT_FALSE(ui.OpenScene(bad.string()));
  EXPECT_EQ(ui.Scene(), before);
  ASSERT_EQ(ui.LogLines().size(), 4u);
  EXPECT_EQ(ui.LogLines()[2], "# saved copy.obj");
  EXPECT_EQ(ui.LogLines()[3].rfind("!! Error 321: ", 0), 0u)
      << ui.LogLines()[3];

  ASSERT_TRUE(ui.OpenScene(copy.string()));
  EXPECT_EQ(ui.Scene()->NodeNames(), (Lines{"copy.obj", "1", "1 (mesh)"}));
  fs::remove_all(folder);
}

}  // namespace
}  // namespace morvel::imgui_demo

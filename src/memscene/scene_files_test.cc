#include "memscene/scene_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "base/error.h"
#include "memscene/scene_file.h"
#include "memscene/state.h"

namespace morvel {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const fs::path kCorpus = MORVEL_CORPUS_DIR;

// A fresh folder of its own for each test.
class FolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() /
              ("morvel_files_" + std::string(info->name()) + "_" +
               std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Write(const std::string& name, const std::string& bytes) {
    fs::path path = folder_ / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }

  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  fs::path folder_;
};

// The error a call raised; 0 when it raised none.
Long ErrorNumber(const std::function<void()>& body, std::string* text = nullptr) {
  try {
    body();
  } catch (const Error& e) {
    if (text) *text = e.Description();
    return e.Number();
  }
  return 0;
}

bool Documented(Long number) {
  return number == 0 || number == kErrInvalidFileFormat ||
         number == kErrOutOfMemory;
}

// ---- opening by extension ---------------------------------------------------

TEST_F(FolderTest, OpensEachKindOfFileByItsExtensionOrSaysWhyNot) {
  Write("scene.json", R"({"nodes": [{"name": "A", "kind": "group"}]})");
  Write("scene.sce", R"({"nodes": [{"name": "B", "kind": "group"}]})");
  Write("garbage.obj", "f 1 2 3\nthis is no model\n");
  fs::create_directories(folder_ / "folder.gltf");
  struct Row {
    const char* file;
    Long error;
    const char* words;  // in the description
  };
  const Row rows[] = {
      {"scene.json", 0, ""},
      {"scene.sce", 0, ""},  // not a model extension: our own format
      {"missing.gltf", kErrFileNotFound, "File not found"},
      {"folder.gltf", kErrPathFileAccess, "is not a file"},
      {"garbage.obj", kErrInvalidFileFormat, "garbage.obj"},
  };
  for (const Row& row : rows) {
    std::string text;
    Long number = ErrorNumber(
        [&] { OpenSceneFile((folder_ / row.file).string()); }, &text);
    EXPECT_EQ(number, row.error) << row.file << ": " << text;
    EXPECT_NE(text.find(row.words), std::string::npos) << text;
  }
  EXPECT_TRUE(IsModelFile("a/Duck.GLTF"));
  EXPECT_FALSE(IsModelFile("a/studio.json"));
}

// ---- files nobody vouches for ----------------------------------------------

// The corpus's own invalid files: each a scene or a numbered error, the one
// that makes the library take memory without end included, in time.
TEST_F(FolderTest, TheCorpusInvalidFilesEndInASceneOrANumberedError) {
  if (!fs::exists(kCorpus / "invalid")) GTEST_SKIP() << "no corpus";
  for (const auto& entry : fs::directory_iterator(kCorpus / "invalid")) {
    if (!IsModelFile(entry.path().string())) continue;
    const auto start = Clock::now();
    std::string text;
    Long number =
        ErrorNumber([&] { OpenSceneFile(entry.path().string()); }, &text);
    const double seconds =
        std::chrono::duration<double>(Clock::now() - start).count();
    EXPECT_TRUE(Documented(number)) << entry.path() << ": " << number << text;
    EXPECT_LT(seconds, 11) << entry.path();
  }
}

// Cut short and bit-flipped copies of models in several formats.
TEST_F(FolderTest, DamagedModelsEndInASceneOrANumberedError) {
  if (!fs::exists(kCorpus)) GTEST_SKIP() << "no corpus";
  const char* models[] = {"glTF2/BoxTextured-glTF-Binary/BoxTextured.glb",
                          "Collada/duck.dae", "OBJ/spider.obj", "FBX/box.fbx",
                          "3DS/test1.3ds", "BLEND/BlenderDefault_276.blend"};
  std::mt19937 random(21);
  int opened = 0, refused = 0;
  for (const char* model : models) {
    const std::string bytes = Read(kCorpus / model);
    ASSERT_FALSE(bytes.empty()) << model;
    const std::string extension = fs::path(model).extension().string();
    std::vector<std::string> damaged = {bytes.substr(0, 17),
                                        bytes.substr(0, bytes.size() / 3),
                                        bytes.substr(0, bytes.size() * 2 / 3)};
    for (int copy = 0; copy < 4; ++copy) {
      std::string flipped = bytes;
      for (int flip = 0; flip < 24; ++flip) {
        flipped[random() % flipped.size()] ^=
            static_cast<char>(1 << (random() % 8));
      }
      damaged.push_back(flipped);
    }
    for (std::size_t d = 0; d < damaged.size(); ++d) {
      std::string path = Write("damaged" + std::to_string(d) + extension, damaged[d]);
      std::string text;
      Long number = ErrorNumber([&] { OpenSceneFile(path); }, &text);
      EXPECT_TRUE(Documented(number)) << model << " copy " << d << ": " << text;
      (number == 0 ? opened : refused) += 1;
    }
  }
  // Cut-short files are refused; some flipped ones still read.
  EXPECT_GT(refused, 12);
  std::printf("damaged copies: %d opened, %d refused\n", opened, refused);
}

// A texture path out of the scene's folder is kept as the file says; one
// naming a device or a folder, which no picture reader should open, is
// left out.
TEST_F(FolderTest, TexturePathsOutsideTheFolderStayDevicesGo) {
  Write("room/model.mtl",
        "newmtl Wall\nKd 0.5 0.25 1\n"
        "map_Kd ../../../../../../../etc/passwd\n"
        "map_Ks /dev/zero\n"
        "map_d /dev\n");
  std::string obj = Write("room/model.obj",
                          "mtllib model.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\n"
                          "usemtl Wall\nf 1 2 3\n");
  std::shared_ptr<MemSceneGraph> scene = OpenSceneFile(obj);
  const mem::SceneContent& content = scene->state().content;
  const mem::MaterialData* wall = nullptr;
  for (std::size_t s = 0; s < content.shapes.size(); ++s) {
    for (const auto& m : content.shapes[s].materials) wall = &m;
  }
  ASSERT_NE(wall, nullptr);
  EXPECT_EQ(wall->colour, (ColourValue{0.5f, 0.25f, 1, 1}));
  ASSERT_TRUE(wall->maps.has_value());
  EXPECT_EQ(wall->maps->paths[0], "../../../../../../../etc/passwd");
  EXPECT_EQ(wall->maps->paths[1], "");  // the device
  EXPECT_EQ(wall->maps->paths[2], "");  // the folder
}

// A 100 MB model: a scene, or a numbered error, within the limits.
TEST_F(FolderTest, AHundredMegabyteModelOpensWithinTheLimits) {
  // A binary STL of two million triangles: 84 + 50 bytes each.
  constexpr std::uint32_t kTriangles = 2000000;
  {
    std::ofstream out(folder_ / "big.stl", std::ios::binary);
    char header[80] = "morvel big model";
    out.write(header, sizeof header);
    out.write(reinterpret_cast<const char*>(&kTriangles), 4);
    std::vector<char> record(50, 0);
    for (std::uint32_t t = 0; t < kTriangles; ++t) {
      float v[12] = {0, 0, 1,
                     static_cast<float>(t % 1000), static_cast<float>(t / 1000), 0,
                     static_cast<float>(t % 1000 + 1), static_cast<float>(t / 1000), 0,
                     static_cast<float>(t % 1000), static_cast<float>(t / 1000 + 1), 0};
      std::memcpy(record.data(), v, sizeof v);
      out.write(record.data(), 50);
    }
  }
  ASSERT_EQ(fs::file_size(folder_ / "big.stl"), 84u + 50u * kTriangles);
  const auto start = Clock::now();
  std::shared_ptr<MemSceneGraph> scene;
  std::string text;
  Long number = ErrorNumber(
      [&] { scene = OpenSceneFile((folder_ / "big.stl").string()); }, &text);
  const double seconds =
      std::chrono::duration<double>(Clock::now() - start).count();
  EXPECT_TRUE(Documented(number)) << text;
  EXPECT_LT(seconds, 15);
  if (scene) {
    std::size_t triangles = 0;
    for (const auto& mesh : scene->state().content.meshes)
      triangles += mesh ? mesh->TriangleCount() : 0;
    EXPECT_EQ(triangles, kTriangles);
  }
  std::printf("100 MB model: %s in %.2f s\n",
              number == 0 ? "opened" : text.c_str(), seconds);
}

// ---- saving where the textures are ------------------------------------------

// A copy saved in another folder finds the same texture files; the scene
// itself keeps its paths as they were.
TEST_F(FolderTest, SavedCopiesElsewhereKeepTheirTextures) {
  std::string path =
      Write("a/scene.json",
            R"({"nodes": [{"name": "Pot", "kind": "shape", "Materials": [
                 {"Maps": {"Paths": ["maps/wood.png", "", "/abs/glow.png",
                                     "", "", ""]}}]}]})");
  std::shared_ptr<MemSceneGraph> scene = OpenSceneFile(path);
  for (const char* copy : {"b/c/copy.json", "a/same.json", "copy.json"}) {
    std::string target = (folder_ / copy).string();
    fs::create_directories(fs::path(target).parent_path());
    SaveSceneFile(*scene, target);
    std::shared_ptr<MemSceneGraph> again = OpenSceneFile(target);
    std::string wood = again->ValueText("Pot.Materials[0].Maps.Paths[0]");
    EXPECT_EQ(fs::weakly_canonical(fs::path(target).parent_path() / wood),
              fs::weakly_canonical(folder_ / "a/maps/wood.png"))
        << copy << ": " << wood;
    EXPECT_EQ(again->ValueText("Pot.Materials[0].Maps.Paths[2]"),
              "/abs/glow.png");
  }
  EXPECT_EQ(scene->ValueText("Pot.Materials[0].Maps.Paths[0]"), "maps/wood.png");
}

}  // namespace
}  // namespace morvel

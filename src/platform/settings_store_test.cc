#include "platform/settings_store.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/error_testing.h"
#include "platform/test_folder.h"

namespace morvel {
namespace {

using ::morvel::testing::ErrorOf;
namespace fs = std::filesystem;
using test::ReadWholeFile;
using test::TestFolder;
using test::WriteWholeFile;
using ::testing::HasSubstr;

// Every path below `folder`, relative to it.
std::set<std::string> Listing(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    names.insert(fs::relative(entry.path(), folder).string());
  }
  return names;
}

TEST(FileSettingsStoreTest, ReadingAMissingStoreFindsNothingAndCreatesNothing) {
  TestFolder folder;
  FileSettingsStore store(folder.path() / "morvel");
  EXPECT_EQ(store.GetSetting("App", "Tips", "Refraction"), std::nullopt);
  EXPECT_FALSE(fs::exists(folder.path() / "morvel"));
}

TEST(FileSettingsStoreTest, WritesOneReadableFilePerApplication) {
  TestFolder folder;
  FileSettingsStore store(folder.path() / "morvel");
  store.SaveSetting("Studio", "Tips", "Refraction", "1");
  store.SaveSetting("Studio", "DivideSmooth", "Level", "2");
  store.SaveSetting("Studio", "Tips", "FocalBlur", "0");
  store.SaveSetting("Studio", "Tips", "Refraction", "0");
  store.SaveSetting("Other app", "Tips", "Refraction", "1");

  EXPECT_EQ(ReadWholeFile(folder.path() / "morvel" / "Studio.ini"),
            "[Tips]\n"
            "Refraction=0\n"
            "FocalBlur=0\n"
            "\n"
            "[DivideSmooth]\n"
            "Level=2\n");
  EXPECT_EQ(ReadWholeFile(folder.path() / "morvel" / "Other app.ini"),
            "[Tips]\nRefraction=1\n");
  EXPECT_EQ(store.GetSetting("Studio", "DivideSmooth", "Tension"),
            std::nullopt);
  // Names are compared exactly.
  EXPECT_EQ(store.GetSetting("Studio", "tips", "Refraction"), std::nullopt);
  // The lock files stay; no temporary file is left behind.
  EXPECT_EQ(Listing(folder.path() / "morvel"),
            (std::set<std::string>{"Other app.ini", "Other app.lock",
                                   "Studio.ini", "Studio.lock"}));
}

// What each name and value is written as, and that it reads back; a second
// entry after the tricky one is not swallowed by it.
TEST(FileSettingsStoreTest, WritesEscapedAndReadsBack) {
  const struct {
    std::string section, key, value;
    std::string file;  // the whole file after saving into an empty store
  } cases[] = {
      {"S", "k", "", "[S]\nk=\n"},
      {"S", "k", "one\ntwo\r\n", "[S]\nk=one\\ntwo\\r\\n\n"},
      {"S", "a=b", "v", "[S]\na\\=b=v\n"},
      {"S", "[Tips]", "v", "[S]\n\\[Tips]=v\n"},
      {"a]b[c", "k", "v", "[a\\]b\\[c]\nk=v\n"},
      {"S", ";not a comment", "v", "[S]\n\\;not a comment=v\n"},
      {"S\\", "k\\n", "C:\\new\\x41", "[S\\\\]\nk\\\\n=C:\\\\new\\\\x41\n"},
      {"S", "k", std::string("a\0b\x01\x7f\t", 6),
       "[S]\nk=a\\x00b\\x01\\x7F\\t\n"},
      {" S ", " k ", "  v  ", "[ S ]\n k =  v  \n"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    TestFolder folder;
    FileSettingsStore store(folder.path());
    store.SaveSetting("App", c.section, c.key, c.value);
    EXPECT_EQ(ReadWholeFile(folder.path() / "App.ini"), c.file);
    EXPECT_EQ(store.GetSetting("App", c.section, c.key), c.value);
    store.SaveSetting("App", c.section, "after", "x");
    EXPECT_EQ(store.GetSetting("App", c.section, "after"), "x");
    EXPECT_EQ(store.GetSetting("App", c.section, c.key), c.value);
  }
}

TEST(FileSettingsStoreTest, LargeValuesRoundTrip) {
  TestFolder folder;
  FileSettingsStore store(folder.path());
  std::string value;
  for (int i = 0; i < 100000; ++i) value.push_back(static_cast<char>(i * 7));
  store.SaveSetting("App", "S", "big", value);
  EXPECT_EQ(store.GetSetting("App", "S", "big"), value);
}

TEST(FileSettingsStoreTest, KeepsLinesItDoesNotUnderstand) {
  TestFolder folder;
  WriteWholeFile(folder.path() / "App.ini",
                 "; written by hand\r\n"
                 "[Tips]\r\n"
                 "Refraction=1\r\n"
                 "garbage without equals\r\n"
                 "=no key\r\n"
                 "[broken header\r\n"
                 "bad=escape\\\r\n"
                 "# another comment\r\n");
  FileSettingsStore store(folder.path());
  EXPECT_EQ(store.GetSetting("App", "Tips", "Refraction"), "1");
  EXPECT_EQ(store.GetSetting("App", "Tips", "bad"), std::nullopt);
  store.SaveSetting("App", "Tips", "FocalBlur", "0");
  EXPECT_EQ(ReadWholeFile(folder.path() / "App.ini"),
            "; written by hand\n"
            "[Tips]\n"
            "Refraction=1\n"
            "FocalBlur=0\n"
            "garbage without equals\n"
            "=no key\n"
            "[broken header\n"
            "bad=escape\\\n"
            "# another comment\n");
}

TEST(FileSettingsStoreTest, SavingTheSameValueAgainLeavesTheFileAlone) {
  TestFolder folder;
  FileSettingsStore store(folder.path());
  store.SaveSetting("App", "Tips", "Refraction", "1");
  const fs::path file = folder.path() / "App.ini";
  struct stat before, after;
  ASSERT_EQ(::stat(file.c_str(), &before), 0);
  store.SaveSetting("App", "Tips", "Refraction", "1");
  ASSERT_EQ(::stat(file.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  store.SaveSetting("App", "Tips", "Refraction", "0");
  ASSERT_EQ(::stat(file.c_str(), &after), 0);
  // A change arrives as a new file renamed into place.
  EXPECT_NE(after.st_ino, before.st_ino);
}

TEST(FileSettingsStoreTest, NewFilesAreForTheUserOnlyAndModesAreKept) {
  TestFolder parent;
  const fs::path folder = parent.path() / "morvel";
  FileSettingsStore store(folder);
  store.SaveSetting("App", "Tips", "Refraction", "1");
  const fs::path file = folder / "App.ini";
  EXPECT_EQ(fs::status(file).permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all);
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write |
                            fs::perms::group_read);
  store.SaveSetting("App", "Tips", "Refraction", "0");
  EXPECT_EQ(fs::status(file).permissions(),
            fs::perms::owner_read | fs::perms::owner_write |
                fs::perms::group_read);
}

// How an application name becomes a file name (escapes, the cut and hash
// of long names) is checked by settings_name_fuzzer over many names.
TEST(FileStemTest, TheFileIsTheEscapedNameInTheRoot) {
  EXPECT_EQ(FileSettingsStore::FileStem("../x"), "%2E%2E%2Fx");
  FileSettingsStore store("/some/where");
  EXPECT_EQ(store.FileFor("a/b"), fs::path("/some/where/a%2Fb.ini"));
}

// Names that try to leave the folder, or make odd file names, only ever make
// files directly inside it, and read back what was saved under them.
TEST(FileSettingsStoreTest, EvilNamesStayInsideTheFolderAndRoundTrip) {
  TestFolder folder;
  const fs::path root = folder.path() / "morvel";
  FileSettingsStore store(root);
  const std::vector<std::string> names = {
      "..", ".", "../../escape", "/etc/passwd", "a/b/c", "\\..\\x",
      "con", "\n\r\t", std::string("\0", 1), "\x01\x1f\x7f",
      std::string(1000, 'L'), std::string(1000, '/'), std::string(999, 'L') + "M",
      "Ünïcödé 日本", "%2E%2E", "A", "%41", "App.ini", "App.lock", "*?<>|\"'",
      "-rf", " ", "~"};
  for (const std::string& name : names) {
    store.SaveSetting(name, name, name, name + "=value");
  }
  for (const std::string& name : names) {
    EXPECT_EQ(store.GetSetting(name, name, name), name + "=value") << name;
  }
  // Nothing outside the folder, nothing below it, and one file per name.
  EXPECT_EQ(Listing(folder.path()).count("escape"), 0u);
  std::set<std::string> ini_files;
  for (const auto& entry : fs::directory_iterator(root)) {
    EXPECT_TRUE(entry.is_regular_file()) << entry.path();
    EXPECT_LE(entry.path().filename().string().size(), 255u);
    if (entry.path().extension() == ".ini") {
      ini_files.insert(entry.path().filename().string());
    }
  }
  EXPECT_EQ(ini_files.size(), names.size());
  EXPECT_EQ(Listing(folder.path()).size(), 1 + 2 * names.size());
}

TEST(FileSettingsStoreTest, EmptyNamesAreRefusedWithError5) {
  TestFolder folder;
  FileSettingsStore store(folder.path());
  for (const std::vector<std::string>& n :
       std::vector<std::vector<std::string>>{
           {"", "S", "k"}, {"App", "", "k"}, {"App", "S", ""}}) {
    const Error save =
        ErrorOf([&] { store.SaveSetting(n[0], n[1], n[2], "v"); });
    EXPECT_EQ(save.Number(), kErrInvalidProcedureCall);
    EXPECT_THAT(save.Description(), HasSubstr("empty"));
    EXPECT_EQ(ErrorOf([&] { store.GetSetting(n[0], n[1], n[2]); }).Number(),
              kErrInvalidProcedureCall);
  }
  EXPECT_TRUE(fs::is_empty(folder.path()));
}

TEST(FileSettingsStoreTest, AFileInPlaceOfTheFolderIsError75NamingIt) {
  TestFolder folder;
  WriteWholeFile(folder.path() / "config", "not a folder");
  FileSettingsStore store(folder.path() / "config" / "morvel");
  const Error save = ErrorOf([&] { store.SaveSetting("App", "S", "k", "v"); });
  EXPECT_EQ(save.Number(), kErrPathFileAccess);
  EXPECT_THAT(save.Description(), HasSubstr("Path/File access error"));
  EXPECT_THAT(save.Description(),
              HasSubstr((folder.path() / "config" / "morvel").string()));
  const Error read = ErrorOf([&] { store.GetSetting("App", "S", "k"); });
  EXPECT_EQ(read.Number(), kErrPathFileAccess);
  EXPECT_THAT(read.Description(),
              HasSubstr((folder.path() / "config" / "morvel" / "App.ini").string()));
  EXPECT_EQ(ReadWholeFile(folder.path() / "config"), "not a folder");
}

TEST(FileSettingsStoreTest, AFolderInPlaceOfTheFileIsError75AndStays) {
  TestFolder folder;
  fs::create_directory(folder.path() / "App.ini");
  WriteWholeFile(folder.path() / "App.ini" / "inside", "x");
  FileSettingsStore store(folder.path());
  const Error save = ErrorOf([&] { store.SaveSetting("App", "S", "k", "v"); });
  EXPECT_EQ(save.Number(), kErrPathFileAccess);
  EXPECT_THAT(save.Description(),
              HasSubstr("'" + (folder.path() / "App.ini").string() + "'"));
  EXPECT_EQ(ErrorOf([&] { store.GetSetting("App", "S", "k"); }).Number(),
            kErrPathFileAccess);
  EXPECT_EQ(ReadWholeFile(folder.path() / "App.ini" / "inside"), "x");
  // No temporary file is left behind by the failed save.
  EXPECT_EQ(Listing(folder.path()),
            (std::set<std::string>{"App.ini", "App.ini/inside", "App.lock"}));
}

TEST(FileSettingsStoreTest, AnUnusableLockLeavesTheFileIntact) {
  TestFolder folder;
  FileSettingsStore store(folder.path());
  store.SaveSetting("App", "Tips", "Refraction", "1");
  const std::string before = ReadWholeFile(folder.path() / "App.ini");
  fs::remove(folder.path() / "App.lock");
  fs::create_directory(folder.path() / "App.lock");
  const Error save =
      ErrorOf([&] { store.SaveSetting("App", "Tips", "Refraction", "0"); });
  EXPECT_EQ(save.Number(), kErrPathFileAccess);
  EXPECT_THAT(save.Description(), HasSubstr("App.lock"));
  EXPECT_EQ(ReadWholeFile(folder.path() / "App.ini"), before);
  // Reading does not need the lock.
  EXPECT_EQ(store.GetSetting("App", "Tips", "Refraction"), "1");
}

TEST(FileSettingsStoreTest, RefusedAccessIsError70) {
  if (::geteuid() == 0) {
    GTEST_SKIP() << "file permissions do not stop the superuser";
  }
  TestFolder folder;
  FileSettingsStore store(folder.path());
  store.SaveSetting("App", "Tips", "Refraction", "1");
  fs::permissions(folder.path() / "App.ini", fs::perms::none);
  const Error read = ErrorOf([&] { store.GetSetting("App", "Tips", "Refraction"); });
  EXPECT_EQ(read.Number(), kErrPermissionDenied);
  EXPECT_THAT(read.Description(), HasSubstr("App.ini"));
  fs::permissions(folder.path() / "App.ini",
                  fs::perms::owner_read | fs::perms::owner_write);
  fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
  const Error save =
      ErrorOf([&] { store.SaveSetting("App", "Tips", "Refraction", "0"); });
  EXPECT_EQ(save.Number(), kErrPermissionDenied);
  fs::permissions(folder.path(), fs::perms::owner_all);
  EXPECT_EQ(store.GetSetting("App", "Tips", "Refraction"), "1");
}

TEST(FileSettingsStoreTest, RefusesFilesTooLargeToBeSettings) {
  TestFolder folder;
  {
    std::ofstream out(folder.path() / "App.ini", std::ios::binary);
    out.seekp(65 * 1024 * 1024);
    out.put('x');
  }
  FileSettingsStore store(folder.path());
  const Error read = ErrorOf([&] { store.GetSetting("App", "S", "k"); });
  EXPECT_EQ(read.Number(), kErrPathFileAccess);
  EXPECT_THAT(read.Description(), HasSubstr("64 MiB"));
}

// Sets an environment variable for the life of the object.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = ::getenv(name)) old_ = old;
    if (value != nullptr) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnvironment() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(FileSettingsStoreTest, DefaultRootFollowsTheUsersConfigurationFolder) {
  // A relative or empty XDG_CONFIG_HOME is ignored, as the convention says.
  for (const auto& [config, root] :
       std::vector<std::pair<const char*, const char*>>{
           {"/cfg", "/cfg/morvel"},
           {"relative/cfg", "/home/u/.config/morvel"},
           {"", "/home/u/.config/morvel"}}) {
    ScopedEnvironment xdg("XDG_CONFIG_HOME", config);
    ScopedEnvironment home("HOME", "/home/u");
    EXPECT_EQ(FileSettingsStore::DefaultRoot(), fs::path(root)) << config;
  }
  TestFolder folder;
  ScopedEnvironment config("XDG_CONFIG_HOME", folder.path().c_str());
  FileSettingsStore().SaveSetting("Studio", "Tips", "FocalBlur", "0");
  EXPECT_EQ(ReadWholeFile(folder.path() / "morvel" / "Studio.ini"),
            "[Tips]\nFocalBlur=0\n");
}

}  // namespace
}  // namespace morvel

#ifndef MORVEL_PLATFORM_SETTINGS_STORE_H_
#define MORVEL_PLATFORM_SETTINGS_STORE_H_

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "base/error.h"
#include "platform/platform.h"

namespace morvel {

// Settings kept in memory: for tests and for hosts that must not touch the
// user's files. Records every save in order.
class MemorySettingsStore : public SettingsStore {
 public:
  struct Entry {
    std::string application;
    std::string section;
    std::string key;
    std::string value;
    bool operator==(const Entry&) const = default;
  };

  void SaveSetting(const std::string& application, const std::string& section,
                   const std::string& key, const std::string& value) override;
  std::optional<std::string> GetSetting(const std::string& application,
                                        const std::string& section,
                                        const std::string& key) override;

  // From now on every save and read raises `error` and changes nothing;
  // std::nullopt makes the store work again.
  void FailWith(std::optional<Error> error) { fail_ = std::move(error); }

  // Every successful save, oldest first.
  const std::vector<Entry>& Saves() const { return saves_; }

 private:
  std::map<std::tuple<std::string, std::string, std::string>, std::string>
      values_;
  std::vector<Entry> saves_;
  std::optional<Error> fail_;
};

// The default per-user store: one INI-style file per application,
// "<root>/<application>.ini", where root is $XDG_CONFIG_HOME/morvel (or
// ~/.config/morvel).
//
// Application names of any content become safe file names: every byte outside
// [A-Za-z0-9 _-] is written as %XX, and a name longer than fits is cut and
// given a hash of the whole name ("~" and 16 hex digits), so no name can reach
// outside the folder or collide with another. Sections, keys and values may
// hold anything, newlines and '=' and '[' included; they are escaped in the
// file with backslashes. Lines the store does not understand (comments, hand
// edits) are kept as they are.
//
// A save reads, changes and rewrites the file while holding an exclusive lock
// on "<application>.lock" (flock), so two processes saving different keys of
// one application lose nothing; the new content goes to a temporary file in
// the same folder, is flushed to disk and then renamed over the old file, so a
// crash at any moment leaves either the old or the new file. Reads take no
// lock: a renamed file is always complete.
//
// Failures raise Error 70 "Permission denied" (access refused) or 75
// "Path/File access error" (anything else) with a description naming the
// file; the existing file is left as it was. Empty application, section or
// key names raise error 5.
class FileSettingsStore : public SettingsStore {
 public:
  // The store under the user's configuration folder. Finding that folder is
  // left to the first use, so that a missing home folder fails a save (with
  // an error) rather than the host's start-up.
  FileSettingsStore();
  // The store in `root` (created on the first save when missing).
  explicit FileSettingsStore(std::filesystem::path root);

  void SaveSetting(const std::string& application, const std::string& section,
                   const std::string& key, const std::string& value) override;
  std::optional<std::string> GetSetting(const std::string& application,
                                        const std::string& section,
                                        const std::string& key) override;

  // The folder the files live in.
  std::filesystem::path Root() const;
  // The file that holds `application`'s settings.
  std::filesystem::path FileFor(const std::string& application) const;

  // $XDG_CONFIG_HOME/morvel when that is an absolute path, else
  // $HOME/.config/morvel (the password database's home folder when HOME is
  // unset). Raises error 75 when there is no home folder at all.
  static std::filesystem::path DefaultRoot();

  // The file-name stem that stands for `application` (no extension).
  static std::string FileStem(const std::string& application);

 private:
  std::optional<std::filesystem::path> root_;
};

}  // namespace morvel

#endif  // MORVEL_PLATFORM_SETTINGS_STORE_H_

#include "platform/settings_store.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <utility>

namespace morvel {

// ---------------------------------------------------------------------------
// MemorySettingsStore

void MemorySettingsStore::SaveSetting(const std::string& application,
                                      const std::string& section,
                                      const std::string& key,
                                      const std::string& value) {
  if (fail_) throw *fail_;
  values_[{application, section, key}] = value;
  saves_.push_back(Entry{application, section, key, value});
}

std::optional<std::string> MemorySettingsStore::GetSetting(
    const std::string& application, const std::string& section,
    const std::string& key) {
  if (fail_) throw *fail_;
  const auto found = values_.find({application, section, key});
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

// ---------------------------------------------------------------------------
// FileSettingsStore

namespace {

namespace fs = std::filesystem;

// Longest file-name stem we write. Leaves room for ".ini.tmp-XXXXXX" within
// the 255 bytes most file systems allow.
constexpr std::size_t kMaxStem = 120;
// A settings file larger than this is not ours: refuse rather than read it.
constexpr off_t kMaxFileSize = 64 * 1024 * 1024;

constexpr char kHex[] = "0123456789ABCDEF";

[[noreturn]] void RaiseFileError(int error_number, const char* action,
                                 const fs::path& path) {
  const Long number = (error_number == EACCES || error_number == EPERM ||
                       error_number == EROFS)
                          ? kErrPermissionDenied
                          : kErrPathFileAccess;
  RaiseError(number, StandardDescription(number) + ": cannot " + action +
                         " '" + path.string() + "' (" +
                         std::strerror(error_number) + ")");
}

void RequireName(const std::string& name, const char* what) {
  if (name.empty()) {
    RaiseError(kErrInvalidProcedureCall,
               std::string("Invalid procedure call or argument: the settings ") +
                   what + " name is empty");
  }
}

bool IsPlainNameByte(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
         (c >= '0' && c <= '9') || c == ' ' || c == '_' || c == '-';
}

std::uint64_t Fnv1a64(const std::string& text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash;
}

// Closes a descriptor on every path out of a function.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes now and reports whether the close succeeded (it can report a
  // delayed write error).
  bool Close() {
    const int fd = std::exchange(fd_, -1);
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

// ----- The file format -----------------------------------------------------

// Backslash escapes: \\ \n \r \t \xHH for the other control bytes, and a
// backslash before any character in `special` (which otherwise would end a
// section name or a key, or make a key look like a header or a comment).
std::string Escape(const std::string& text, std::string_view special) {
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20 || c == 0x7f) {
          out += "\\x";
          out.push_back(kHex[c >> 4]);
          out.push_back(kHex[c & 15]);
        } else {
          if (special.find(static_cast<char>(c)) != std::string_view::npos) {
            out.push_back('\\');
          }
          out.push_back(static_cast<char>(c));
        }
    }
  }
  return out;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::string> Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out.push_back(text[i]);
      continue;
    }
    if (++i >= text.size()) return std::nullopt;
    switch (text[i]) {
      case 'n': out.push_back('\n'); break;
      case 'r': out.push_back('\r'); break;
      case 't': out.push_back('\t'); break;
      case 'x': {
        if (i + 2 >= text.size()) return std::nullopt;
        const int high = HexValue(text[i + 1]);
        const int low = HexValue(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out.push_back(static_cast<char>(high * 16 + low));
        i += 2;
        break;
      }
      default: out.push_back(text[i]);
    }
  }
  return out;
}

// Position of the first `wanted` not preceded by an escaping backslash.
std::size_t FindUnescaped(std::string_view text, char wanted) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\') {
      ++i;
    } else if (text[i] == wanted) {
      return i;
    }
  }
  return std::string_view::npos;
}

constexpr std::string_view kSectionSpecial = "[]";
constexpr std::string_view kKeySpecial = "=[;#";

struct Line {
  bool is_entry = false;
  std::string raw;  // a line kept as it was (comment, blank, hand edit)
  std::string key;
  std::string value;
};

struct Section {
  std::optional<std::string> name;  // none for the lines before any header
  std::vector<Line> lines;
};

struct IniFile {
  std::vector<Section> sections{Section{}};

  Section* FindSection(const std::string& name) {
    for (Section& section : sections) {
      if (section.name == name) return &section;
    }
    return nullptr;
  }
};

IniFile Parse(std::string_view content) {
  IniFile file;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string_view::npos) end = content.size();
    std::string_view line = content.substr(start, end - start);
    start = end + 1;
    // Our own writer escapes carriage returns, so one at the end of a line
    // comes from an editor that writes CRLF.
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    if (!line.empty() && line.front() == '[') {
      const std::size_t close = FindUnescaped(line.substr(1), ']');
      if (close != std::string_view::npos && close + 2 == line.size()) {
        if (auto name = Unescape(line.substr(1, close))) {
          file.sections.push_back(Section{std::move(*name), {}});
          continue;
        }
      }
    } else if (!line.empty() && line.front() != ';' && line.front() != '#') {
      const std::size_t equals = FindUnescaped(line, '=');
      if (equals != std::string_view::npos && equals > 0) {
        auto key = Unescape(line.substr(0, equals));
        auto value = Unescape(line.substr(equals + 1));
        if (key && value) {
          file.sections.back().lines.push_back(
              Line{true, {}, std::move(*key), std::move(*value)});
          continue;
        }
      }
    }
    file.sections.back().lines.push_back(Line{false, std::string(line), {}, {}});
  }
  return file;
}

std::string Serialise(const IniFile& file) {
  std::string out;
  for (const Section& section : file.sections) {
    if (section.name) {
      out += '[' + Escape(*section.name, kSectionSpecial) + "]\n";
    }
    for (const Line& line : section.lines) {
      if (line.is_entry) {
        out += Escape(line.key, kKeySpecial) + '=' + Escape(line.value, {}) +
               '\n';
      } else {
        out += line.raw + '\n';
      }
    }
  }
  return out;
}

std::optional<std::string> Lookup(IniFile& file, const std::string& section,
                                  const std::string& key) {
  Section* found = file.FindSection(section);
  if (found == nullptr) return std::nullopt;
  for (const Line& line : found->lines) {
    if (line.is_entry && line.key == key) return line.value;
  }
  return std::nullopt;
}

// Returns false when the value was already there (nothing to write).
bool Store(IniFile& file, const std::string& section_name,
           const std::string& key, const std::string& value) {
  Section* section = file.FindSection(section_name);
  if (section == nullptr) {
    // A blank line between sections, kept as an ordinary line so that
    // reading and rewriting the file does not add another each time.
    Section& last = file.sections.back();
    if (last.name || !last.lines.empty()) last.lines.push_back(Line{});
    file.sections.push_back(Section{section_name, {}});
    section = &file.sections.back();
  }
  for (Line& line : section->lines) {
    if (line.is_entry && line.key == key) {
      if (line.value == value) return false;
      line.value = value;
      return true;
    }
  }
  // New keys go right after the section's last entry; in a section without
  // entries, before the blank lines that separate it from the next one.
  auto position = section->lines.end();
  while (position != section->lines.begin() && !(position - 1)->is_entry &&
         (position - 1)->raw.empty()) {
    --position;
  }
  for (auto it = section->lines.end(); it != section->lines.begin(); --it) {
    if ((it - 1)->is_entry) {
      position = it;
      break;
    }
  }
  section->lines.insert(position, Line{true, {}, key, value});
  return true;
}

// ----- File access -----------------------------------------------------------

// The file's content, or nullopt when it does not exist.
std::optional<std::string> ReadFile(const fs::path& path, struct stat* info) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) {
    if (errno == ENOENT) return std::nullopt;
    RaiseFileError(errno, "read the settings file", path);
  }
  struct stat status;
  if (::fstat(fd.get(), &status) != 0) {
    RaiseFileError(errno, "read the settings file", path);
  }
  if (!S_ISREG(status.st_mode)) {
    RaiseError(kErrPathFileAccess,
               StandardDescription(kErrPathFileAccess) +
                   ": cannot read the settings file '" + path.string() +
                   "' (not a regular file)");
  }
  if (status.st_size > kMaxFileSize) {
    RaiseError(kErrPathFileAccess,
               StandardDescription(kErrPathFileAccess) +
                   ": cannot read the settings file '" + path.string() +
                   "' (larger than 64 MiB)");
  }
  if (info != nullptr) *info = status;
  std::string content;
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      RaiseFileError(errno, "read the settings file", path);
    }
    if (got == 0) break;
    content.append(buffer, static_cast<std::size_t>(got));
    if (static_cast<off_t>(content.size()) > kMaxFileSize) {
      RaiseError(kErrPathFileAccess,
                 StandardDescription(kErrPathFileAccess) +
                     ": cannot read the settings file '" + path.string() +
                     "' (larger than 64 MiB)");
    }
  }
  return content;
}

void WriteAll(int fd, const std::string& content, const fs::path& path) {
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t wrote =
        ::write(fd, content.data() + done, content.size() - done);
    if (wrote < 0) {
      if (errno == EINTR) continue;
      RaiseFileError(errno, "write the settings file", path);
    }
    done += static_cast<std::size_t>(wrote);
  }
}

void EnsureFolder(const fs::path& root) {
  std::error_code error;
  if (fs::is_directory(root, error)) return;
  // Settings are the user's own business: a folder we create is theirs only.
  if (fs::create_directories(root, error)) {
    fs::permissions(root, fs::perms::owner_all, error);
  }
  if (error) {
    RaiseFileError(error.value(), "create the settings folder", root);
  }
  if (!fs::is_directory(root, error)) {
    RaiseFileError(ENOTDIR, "create the settings folder", root);
  }
}

// Holds the exclusive lock of one application's file while it lives.
class FileLock {
 public:
  explicit FileLock(const fs::path& path)
      : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY,
                   0600)) {
    if (fd_.get() < 0) RaiseFileError(errno, "lock the settings file", path);
    while (::flock(fd_.get(), LOCK_EX) != 0) {
      if (errno != EINTR) RaiseFileError(errno, "lock the settings file", path);
    }
  }

 private:
  FileDescriptor fd_;  // closing it releases the lock
};

// Temporary files of writers that were killed before their rename. Only
// called under the lock, when no other writer of this file can be running.
void RemoveStaleTemporaries(const fs::path& root, const std::string& prefix) {
  std::error_code error;
  for (fs::directory_iterator it(root, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.compare(0, prefix.size(), prefix) == 0) {
      std::error_code ignored;
      fs::remove(it->path(), ignored);
    }
  }
}

void ReplaceFile(const fs::path& root, const std::string& stem,
                 const fs::path& path, const std::string& content,
                 std::optional<mode_t> mode) {
  const std::string prefix = stem + ".ini.tmp-";
  RemoveStaleTemporaries(root, prefix);
  std::string temporary = (root / (prefix + "XXXXXX")).string();
  FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
  if (fd.get() < 0) RaiseFileError(errno, "write the settings file", path);
  try {
    if (mode) ::fchmod(fd.get(), *mode & 07777);
    WriteAll(fd.get(), content, path);
    if (::fsync(fd.get()) != 0) {
      RaiseFileError(errno, "write the settings file", path);
    }
    if (!fd.Close()) RaiseFileError(errno, "write the settings file", path);
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
      RaiseFileError(errno, "replace the settings file", path);
    }
  } catch (...) {
    ::unlink(temporary.c_str());
    throw;
  }
  // Make the rename itself durable. A folder that cannot be synced (some
  // file systems refuse) still holds a complete file, so this is best effort.
  FileDescriptor folder(::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) ::fsync(folder.get());
}

}  // namespace

FileSettingsStore::FileSettingsStore() = default;

FileSettingsStore::FileSettingsStore(std::filesystem::path root)
    : root_(std::move(root)) {}

std::filesystem::path FileSettingsStore::DefaultRoot() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') {
    return fs::path(config) / "morvel";
  }
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] != '/') {
    const struct passwd* user = ::getpwuid(::getuid());
    home = user != nullptr ? user->pw_dir : nullptr;
  }
  if (home == nullptr || home[0] != '/') {
    RaiseError(kErrPathFileAccess,
               StandardDescription(kErrPathFileAccess) +
                   ": no home folder to keep the settings in (set HOME or "
                   "XDG_CONFIG_HOME)");
  }
  return fs::path(home) / ".config" / "morvel";
}

std::filesystem::path FileSettingsStore::Root() const {
  return root_ ? *root_ : DefaultRoot();
}

std::string FileSettingsStore::FileStem(const std::string& application) {
  std::string stem;
  for (unsigned char c : application) {
    if (IsPlainNameByte(c)) {
      stem.push_back(static_cast<char>(c));
    } else {
      stem.push_back('%');
      stem.push_back(kHex[c >> 4]);
      stem.push_back(kHex[c & 15]);
    }
  }
  if (stem.size() <= kMaxStem) return stem;
  // Cut on a whole character of the encoding, then tell long names apart by
  // a hash of the whole name. '~' never comes out of the encoding above, so a
  // cut name cannot collide with a short one.
  std::size_t cut = kMaxStem - 17;
  if (stem[cut - 1] == '%') {
    cut -= 1;
  } else if (stem[cut - 2] == '%') {
    cut -= 2;
  }
  stem.resize(cut);
  stem.push_back('~');
  const std::uint64_t hash = Fnv1a64(application);
  for (int shift = 60; shift >= 0; shift -= 4) {
    stem.push_back(kHex[(hash >> shift) & 15]);
  }
  return stem;
}

std::filesystem::path FileSettingsStore::FileFor(
    const std::string& application) const {
  RequireName(application, "application");
  return Root() / (FileStem(application) + ".ini");
}

void FileSettingsStore::SaveSetting(const std::string& application,
                                    const std::string& section,
                                    const std::string& key,
                                    const std::string& value) {
  RequireName(application, "application");
  RequireName(section, "section");
  RequireName(key, "key");
  const fs::path root = Root();
  const std::string stem = FileStem(application);
  const fs::path path = root / (stem + ".ini");

  EnsureFolder(root);
  FileLock lock(root / (stem + ".lock"));
  struct stat status;
  const std::optional<std::string> content = ReadFile(path, &status);
  IniFile file = content ? Parse(*content) : IniFile{};
  if (!Store(file, section, key, value)) return;
  ReplaceFile(root, stem, path, Serialise(file),
              content ? std::optional<mode_t>(status.st_mode) : std::nullopt);
}

std::optional<std::string> FileSettingsStore::GetSetting(
    const std::string& application, const std::string& section,
    const std::string& key) {
  RequireName(application, "application");
  RequireName(section, "section");
  RequireName(key, "key");
  const std::optional<std::string> content =
      ReadFile(FileFor(application), nullptr);
  if (!content) return std::nullopt;
  IniFile file = Parse(*content);
  return Lookup(file, section, key);
}

}  // namespace morvel

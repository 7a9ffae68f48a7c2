// Application names become file names of the settings store: whatever the
// name, its stem stays inside the folder (only letters, digits, blank, _,
// - and %XX escapes, or a cut name and ~ with a hash), is short enough for
// any file system, and names one application only. Now and then a whole
// setting also goes through a real store in a scratch folder and must read
// back exactly, whatever bytes its section, key and value hold.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/error.h"
#include "fuzz_check.h"
#include "platform/settings_store.h"

namespace {

using morvel::FileSettingsStore;

bool IsStemByte(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
         (c >= '0' && c <= '9') || c == ' ' || c == '_' || c == '-' ||
         c == '%' || c == '~';
}

int Hex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The name a short stem stands for (the escapes undone).
std::string Decoded(std::string_view stem) {
  std::string name;
  for (std::size_t i = 0; i < stem.size(); ++i) {
    if (stem[i] != '%') {
      name += stem[i];
      continue;
    }
    MORVEL_FUZZ_CHECK(
        i + 2 < stem.size() && Hex(stem[i + 1]) >= 0 && Hex(stem[i + 2]) >= 0,
        "a broken escape in %s", std::string(stem).c_str());
    name += static_cast<char>(Hex(stem[i + 1]) * 16 + Hex(stem[i + 2]));
    i += 2;
  }
  return name;
}

void CheckStem(const std::string& name) {
  const std::string stem = FileSettingsStore::FileStem(name);
  MORVEL_FUZZ_CHECK(!stem.empty() || name.empty(), "an empty stem");
  MORVEL_FUZZ_CHECK(stem.size() <= 120, "a stem of %zu bytes", stem.size());
  MORVEL_FUZZ_CHECK(stem != "." && stem != "..", "the stem %s", stem.c_str());
  for (char c : stem) {
    MORVEL_FUZZ_CHECK(IsStemByte(c), "byte 0x%02X in the stem %s",
                      static_cast<unsigned char>(c), stem.c_str());
  }
  const std::size_t tilde = stem.find('~');
  if (tilde == std::string::npos) {
    MORVEL_FUZZ_CHECK(Decoded(stem) == name, "the stem %s is not the name",
                      stem.c_str());
  } else {
    // A cut name keeps a prefix of the escaped name, cut between escapes,
    // and 16 hex digits of a hash of the whole name.
    MORVEL_FUZZ_CHECK(stem.size() == tilde + 17, "the hash of %s",
                      stem.c_str());
    const std::string prefix = Decoded(std::string_view(stem).substr(0, tilde));
    MORVEL_FUZZ_CHECK(name.compare(0, prefix.size(), prefix) == 0,
                      "the stem %s does not begin the name", stem.c_str());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  if (size < 3) return 0;
  // Byte 0: options; bytes 1 and 2: where the input is cut into parts.
  const std::string_view rest(reinterpret_cast<const char*>(data + 3),
                              size - 3);
  const std::size_t cut1 = data[1] % (rest.size() + 1);
  const std::size_t cut2 = cut1 + data[2] % (rest.size() - cut1 + 1);
  const std::string first(rest.substr(0, cut1));
  const std::string second(rest.substr(cut1, cut2 - cut1));
  const std::string third(rest.substr(cut2));

  CheckStem(first);
  CheckStem(second);
  if (first != second) {
    MORVEL_FUZZ_CHECK(FileSettingsStore::FileStem(first) !=
                          FileSettingsStore::FileStem(second),
                      "two names share a file");
  }

  // A real store, for one input in sixteen: files are slow.
  if ((data[0] & 15) != 0 || first.empty() || second.empty() || third.empty())
    return 0;
  static const std::filesystem::path root =
      std::filesystem::temp_directory_path() /
      ("morvel-settings-fuzz-" + std::to_string(::getpid()));
  FileSettingsStore store(root);
  const std::string value = first + second + third;
  store.SaveSetting(first, second, third, value);
  const auto read = store.GetSetting(first, second, third);
  MORVEL_FUZZ_CHECK(read && *read == value, "the setting read back as %s",
                    read ? read->c_str() : "nothing");
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
  return 0;
}

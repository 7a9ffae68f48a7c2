// Values by their key path, for tests and tools: the node's value as the
// writer would write it, followed key by key.
#include <charconv>

#include "base/error.h"
#include "memscene/scene_file.h"

namespace morvel::mem {

using ojson = nlohmann::ordered_json;

namespace {

[[noreturn]] void NoValue(const std::string& path, const std::string& why) {
  // The path may carry a node name of any length: quote its start.
  RaiseError(kErrInvalidProcedureCall,
             "Invalid procedure call or argument: the scene has no value \"" +
                 Excerpt(path) + "\" (" + why + ")");
}

// Follows "Key[1][2].Other" from `value`.
ojson Walk(ojson value, const std::string& rest, const std::string& path) {
  std::size_t i = 0;
  while (i < rest.size()) {
    std::size_t end = rest.find_first_of(".[", i);
    std::string key =
        rest.substr(i, end == std::string::npos ? std::string::npos : end - i);
    if (!key.empty()) {
      if (!value.is_object() || !value.contains(key))
        NoValue(path, "no key \"" + Excerpt(key) + "\"");
      ojson next = value[key];
      value = std::move(next);
    }
    i = end == std::string::npos ? rest.size() : end;
    while (i < rest.size() && rest[i] == '[') {
      std::size_t close = rest.find(']', i);
      if (close == std::string::npos) NoValue(path, "an index is not closed");
      std::string digits = rest.substr(i + 1, close - i - 1);
      std::size_t index = 0;
      auto [ptr, ec] =
          std::from_chars(digits.data(), digits.data() + digits.size(), index);
      if (ec != std::errc() || ptr != digits.data() + digits.size() ||
          digits.empty()) {
        NoValue(path, "\"" + Excerpt(digits) + "\" is not an index");
      }
      if (!value.is_array())
        NoValue(path, "indexing something that is not a list");
      if (index >= value.size()) {
        RaiseError(kErrSubscriptOutOfRange,
                   "Subscript out of range: \"" + Excerpt(path) +
                       "\" (the list has " + std::to_string(value.size()) +
                       " entries)");
      }
      ojson next = value[index];
      value = std::move(next);
      i = close + 1;
    }
    if (i < rest.size()) {
      if (rest[i] != '.')
        NoValue(path, "unexpected \"" + rest.substr(i, 1) + "\"");
      ++i;
    }
  }
  return value;
}

}  // namespace

ojson ValueAt(const SceneContent& content, const std::string& path) {
  // The longest node name that is a prefix of the path (up to a dot or the
  // end) names the node: node names may contain dots themselves.
  std::vector<std::size_t> ends{path.size()};
  for (std::size_t i = path.size(); i-- > 0;) {
    if (path[i] == '.') ends.push_back(i);
  }
  for (std::size_t end : ends) {
    std::int32_t index = content.Find(std::string_view(path).substr(0, end));
    if (index < 0) continue;
    ojson node = WriteNode(content, index, false);
    return end == path.size()
               ? node
               : Walk(std::move(node), path.substr(end + 1), path);
  }
  ojson scene = WriteScene(content, true);
  scene.erase("nodes");
  return Walk(std::move(scene), path, path);
}

std::string ValueText(const ojson& value) {
  if (value.is_boolean()) return value.get<bool>() ? "True" : "False";
  if (value.is_string()) return value.get<std::string>();
  return value.dump(-1, ' ', false, ojson::error_handler_t::replace);
}

}  // namespace morvel::mem

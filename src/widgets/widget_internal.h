#pragma once

// What the widget kinds' own files share: the errors a bad property value
// raises and the rules of the property printer (names without case, indexed
// properties). Not part of the widget interface.

#include <optional>
#include <string>
#include <string_view>

#include "base/error.h"
#include "base/types.h"

namespace morvel::widget_internal {

[[noreturn]] inline void RaiseInvalidValue() { RaiseError(kErrInvalidPropertyValue); }
[[noreturn]] inline void RaiseSubscript() { RaiseError(kErrSubscriptOutOfRange); }

inline std::string BoolText(bool value) { return value ? "True" : "False"; }

inline bool NameIs(std::string_view name, std::string_view wanted) {
  if (name.size() != wanted.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    char a = name[i], b = wanted[i];
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
    if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
    if (a != b) return false;
  }
  return true;
}

// An indexed property (List(I), ColWidth(C)) needs its index; a plain one
// takes none.
inline Long NeedArg(std::string_view name, std::optional<Long> arg) {
  if (!arg) {
    RaiseError(kErrWrongArgumentCount, "Wrong number of arguments: " + std::string(name) +
                        " needs an index");
  }
  return *arg;
}

}  // namespace morvel::widget_internal

#ifndef MORVEL_BASE_ERROR_H_
#define MORVEL_BASE_ERROR_H_

#include <cstddef>
#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "base/types.h"

namespace morvel {

// Error numbers as the host's platform raises them. Hosts written against the
// original component compare these numbers, so they are kept as they were.
// Every number the panel, its widgets, the reference scene graph and the
// reference utilities raise is here; StandardDescription gives its text.
inline constexpr Long kErrInvalidProcedureCall = 5;  // a bad argument
inline constexpr Long kErrOverflow = 6;              // a number out of range
inline constexpr Long kErrOutOfMemory = 7;
inline constexpr Long kErrSubscriptOutOfRange = 9;  // an index outside a list
inline constexpr Long kErrDivisionByZero = 11;      // MathUtility::Remainder
inline constexpr Long kErrTypeMismatch = 13;  // not a number, not that kind
inline constexpr Long kErrFileNotFound = 53;
inline constexpr Long kErrPermissionDenied = 70;
inline constexpr Long kErrPathFileAccess = 75;
inline constexpr Long kErrObjectNotSet = 91;  // a null object where one is due
inline constexpr Long kErrInvalidFileFormat = 321;  // a scene or scenario file
inline constexpr Long kErrInvalidPropertyValue = 380;
inline constexpr Long kErrObjectRequired = 424;
// No scene-graph utilities to create (no factory installed, or it made none).
inline constexpr Long kErrCannotCreateObject = 429;
// An object asked for a value its kind has not (a light's smoothing level).
inline constexpr Long kErrNotSupported = 438;
// A grid or list operation given the wrong number of arguments.
inline constexpr Long kErrWrongArgumentCount = 450;
// The image list asked for a picture it has not.
inline constexpr Long kErrIndexOutOfBounds = 35600;

// The one exception type of the library: a number, a description, and the
// source that raised it ("Properties" once it has passed through the panel).
class Error : public std::exception {
 public:
  Error(Long number, std::string description, std::string source = {})
      : number_(number),
        description_(std::move(description)),
        source_(std::move(source)) {}

  Long Number() const noexcept { return number_; }
  const std::string& Description() const noexcept { return description_; }
  const std::string& Source() const noexcept { return source_; }
  const char* what() const noexcept override { return description_.c_str(); }

  // "Error 6: Overflow (Properties)": how hosts and tools print an error.
  std::string ToString() const;

 private:
  Long number_;
  std::string description_;
  std::string source_;
};

// The standard errors, with the descriptions the platform gives them.
[[noreturn]] void RaiseError(Long number);
[[noreturn]] void RaiseError(Long number, std::string description);
// The description the platform gives a standard error number ("Overflow").
std::string StandardDescription(Long number);
// Raises error 91 when a required object reference is null.
template <class Ptr>
const Ptr& Required(const Ptr& object) {
  if (!object) RaiseError(kErrObjectNotSet);
  return object;
}

// User text (a node name, a typed value, a line of a file) as an error
// message quotes it: whole when short, else its first `limit` bytes, cut
// between characters, and "...". A message must stay readable on a terminal
// and in a message box, whatever a file or a user handed in.
inline constexpr std::size_t kExcerptBytes = 64;
std::string Excerpt(std::string_view text, std::size_t limit = kExcerptBytes);

// The panel's source name: every failure that leaves a public member, loader
// or editor carries it.
inline constexpr const char* kPropertiesSource = "Properties";

// Converts whatever is in flight (an Error, a standard exception, anything)
// into an Error with the same number and description and the given source.
Error CurrentAsError(const char* source = kPropertiesSource);

// Runs `body`; any failure leaves as an Error with source "Properties" and
// its own number and description. Nothing done before the failure is undone.
template <class F>
decltype(auto) WithPropertiesSource(F&& body) {
  try {
    return std::forward<F>(body)();
  } catch (...) {
    throw CurrentAsError();
  }
}

// Runs `body`; any failure ends it quietly. For the routines that must not
// bother the user or the host with their failures (enable rules, the warning
// dialog). Returns false when it ended on a failure.
template <class F>
bool Quietly(F&& body) noexcept {
  try {
    std::forward<F>(body)();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace morvel

#endif  // MORVEL_BASE_ERROR_H_

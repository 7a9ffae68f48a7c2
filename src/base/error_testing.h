#ifndef MORVEL_BASE_ERROR_TESTING_H_
#define MORVEL_BASE_ERROR_TESTING_H_

#include <string>
#include <utility>

#include "base/error.h"
#include "base/types.h"

// What a call raised, for tests: every layer's tests ask the same question
// (which error, with which number and description), so they ask it here.
// Header-only and free of any test framework, so tests of any folder may
// include it.
namespace morvel::testing {

// The morvel::Error `body` raised, or Error(0, "") when it raised none: a
// test that expects a failure compares the number (or the description) and
// so fails on its own when nothing was raised.
template <class F>
Error ErrorOf(F&& body) {
  try {
    std::forward<F>(body)();
  } catch (const Error& e) {
    return e;
  }
  return Error(0, "");
}

// The number of the error `body` raised; 0 when it raised none.
template <class F>
Long ErrorNumberOf(F&& body) {
  return ErrorOf(std::forward<F>(body)).Number();
}

// The description of the error `body` raised; empty when it raised none.
template <class F>
std::string ErrorDescriptionOf(F&& body) {
  return ErrorOf(std::forward<F>(body)).Description();
}

}  // namespace morvel::testing

#endif  // MORVEL_BASE_ERROR_TESTING_H_

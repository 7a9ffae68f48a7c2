#ifndef MORVEL_FUZZ_FUZZ_CHECK_H_
#define MORVEL_FUZZ_FUZZ_CHECK_H_

#include <cstdio>
#include <cstdlib>

// A property of the code under test that failed: say which, and stop, so the
// fuzzer keeps the input that broke it.
#define MORVEL_FUZZ_CHECK(condition, ...)                                  \
  do {                                                                     \
    if (!(condition)) {                                                    \
      std::fprintf(stderr, "%s:%d: property failed: %s\n  ", __FILE__,     \
                   __LINE__, #condition);                                  \
      std::fprintf(stderr, __VA_ARGS__);                                   \
      std::fprintf(stderr, "\n");                                          \
      std::abort();                                                        \
    }                                                                      \
  } while (false)

#endif  // MORVEL_FUZZ_FUZZ_CHECK_H_

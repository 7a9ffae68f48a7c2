#ifndef MORVEL_BENCH_BENCH_SUPPORT_H_
#define MORVEL_BENCH_BENCH_SUPPORT_H_

// What every benchmark of the library shares: a clock that counts this
// thread's CPU time, and the heap the whole binary has taken so far.

#include <time.h>

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace morvel::bench {

// The ratios compare this thread's CPU time: the machines we measure on are
// shared, and wall time would charge other processes' work to one side.
struct Clock {
  using duration = std::chrono::nanoseconds;
  struct time_point {
    std::int64_t ns;
    duration operator-(const time_point& other) const {
      return duration(ns - other.ns);
    }
  };
  static time_point now() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return {static_cast<std::int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec};
  }
};

inline double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// The CPU seconds two pieces of work took over all of a benchmark's
// iterations, timed one after the other within each iteration so that both
// see the same machine state.
struct SideBySideSeconds {
  double first = 0;
  double second = 0;
};

template <class State, class First, class Second>
SideBySideSeconds TimeSideBySide(State& state, First&& first, Second&& second) {
  SideBySideSeconds seconds;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    first();
    const auto t1 = Clock::now();
    second();
    const auto t2 = Clock::now();
    seconds.first += Seconds(t1 - t0);
    seconds.second += Seconds(t2 - t1);
  }
  return seconds;
}

// Heap accounting for the whole binary (bench_support.cc replaces the global
// operator new and delete): bytes handed out, bytes given back, and the
// number of allocations, since the process started. Benchmarks run on one
// thread; plain counters suffice.
struct HeapCounters {
  std::size_t allocated;
  std::size_t freed;
  std::size_t allocations;
};
HeapCounters Heap();

// The most heap in use at any one moment since the last ResetHeapPeak (or
// the start): what a step really needs, transient buffers included.
std::size_t HeapPeak();
void ResetHeapPeak();

}  // namespace morvel::bench

#endif  // MORVEL_BENCH_BENCH_SUPPORT_H_

#include "bench_support.h"

#include <malloc.h>

#include <cstdlib>
#include <new>

namespace {
std::size_t g_heap_allocated = 0;
std::size_t g_heap_freed = 0;
std::size_t g_heap_allocations = 0;
std::size_t g_heap_peak = 0;

void* CountedAlloc(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (!p) throw std::bad_alloc();
  g_heap_allocated += malloc_usable_size(p);
  ++g_heap_allocations;
  if (g_heap_allocated - g_heap_freed > g_heap_peak)
    g_heap_peak = g_heap_allocated - g_heap_freed;
  return p;
}
void CountedFree(void* p) noexcept {
  if (!p) return;
  g_heap_freed += malloc_usable_size(p);
  std::free(p);
}
}  // namespace

void* operator new(std::size_t size) { return CountedAlloc(size); }
void* operator new[](std::size_t size) { return CountedAlloc(size); }
void operator delete(void* p) noexcept { CountedFree(p); }
void operator delete[](void* p) noexcept { CountedFree(p); }
void operator delete(void* p, std::size_t) noexcept { CountedFree(p); }
void operator delete[](void* p, std::size_t) noexcept { CountedFree(p); }

namespace morvel::bench {

HeapCounters Heap() {
  return {g_heap_allocated, g_heap_freed, g_heap_allocations};
}

std::size_t HeapPeak() { return g_heap_peak; }
void ResetHeapPeak() { g_heap_peak = g_heap_allocated - g_heap_freed; }

}  // namespace morvel::bench

#include "platform/results/scratchmemory.h"

#include <cstdlib>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

void *allocateScratch(std::size_t bytes) {
#ifdef __linux__
  // Large pages of 2 MB, for a block of at least two of them, aligned so
  // that each of its pages can be one.
  constexpr std::size_t LargePage = std::size_t(2) << 20;
  if (bytes >= 2 * LargePage) {
    const std::size_t whole = (bytes + LargePage - 1) / LargePage * LargePage;
    void *memory = std::aligned_alloc(LargePage, whole);
    if (!memory)
      throw std::bad_alloc();
    madvise(memory, whole, MADV_HUGEPAGE); // only a hint: fine if refused
    return memory;
  }
#endif
  if (void *memory = std::malloc(bytes ? bytes : 1))
    return memory;
  throw std::bad_alloc();
}

void freeScratch(void *memory) noexcept { std::free(memory); }

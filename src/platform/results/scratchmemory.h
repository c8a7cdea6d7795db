#pragma once

#include <cstddef>
#include <vector>

// Memory for the large working arrays of a sort. A sort of a million rows
// fills tens of megabytes of fresh memory, and with ordinary 4 KB pages the
// system stops the sort at each page to map it, which on some machines
// costs more than the sort itself; where the system offers large pages, a
// block of several megabytes asks for them. Throws std::bad_alloc.
void *allocateScratch(std::size_t bytes);
void freeScratch(void *memory) noexcept;

template <typename T> struct ScratchAllocator {
  using value_type = T;

  ScratchAllocator() = default;
  template <typename U> ScratchAllocator(const ScratchAllocator<U> &) {}

  T *allocate(std::size_t count) {
    return static_cast<T *>(allocateScratch(count * sizeof(T)));
  }
  void deallocate(T *memory, std::size_t) noexcept { freeScratch(memory); }

  template <typename U>
  bool operator==(const ScratchAllocator<U> &) const noexcept {
    return true;
  }
};

template <typename T> using ScratchVector = std::vector<T, ScratchAllocator<T>>;

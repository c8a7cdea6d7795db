#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

// A growable array of plain values kept in one block that grows by
// realloc. A fetched result is appended value by value into such blocks; the
// C library can grow and shrink a large block in place by remapping its
// pages, where a vector would copy every value on each doubling and again to
// release its spare capacity.
template <typename T> class PodBuffer {
  static_assert(std::is_trivially_copyable_v<T>);

public:
  PodBuffer() = default;
  PodBuffer(const PodBuffer &other) { *this = other; }
  PodBuffer(PodBuffer &&other) noexcept { swap(other); }
  PodBuffer &operator=(const PodBuffer &other) {
    if (this != &other) {
      m_size = 0;
      append(other.m_data, other.m_size);
    }
    return *this;
  }
  PodBuffer &operator=(PodBuffer &&other) noexcept {
    swap(other);
    return *this;
  }
  ~PodBuffer() { std::free(m_data); }

  size_t size() const { return m_size; }
  const T *data() const { return m_data; }
  const T &operator[](size_t index) const { return m_data[index]; }

  void push_back(T value) {
    if (m_size == m_capacity)
      reallocate(m_capacity ? 2 * m_capacity : 64);
    m_data[m_size++] = value;
  }

  void append(const T *values, size_t count) {
    if (m_size + count > m_capacity)
      reallocate(std::max(2 * m_capacity, m_size + count));
    if (count)
      std::memcpy(m_data + m_size, values, count * sizeof(T));
    m_size += count;
  }

  void shrink_to_fit() {
    if (m_size < m_capacity)
      reallocate(m_size);
  }

private:
  void swap(PodBuffer &other) noexcept {
    std::swap(m_data, other.m_data);
    std::swap(m_size, other.m_size);
    std::swap(m_capacity, other.m_capacity);
  }

  void reallocate(size_t capacity) {
    if (capacity == 0) {
      std::free(m_data);
      m_data = nullptr;
      m_capacity = 0;
      return;
    }
    void *grown = std::realloc(m_data, capacity * sizeof(T));
    if (!grown)
      throw std::bad_alloc();
    m_data = static_cast<T *>(grown);
    m_capacity = capacity;
  }

  T *m_data = nullptr;
  size_t m_size = 0;
  size_t m_capacity = 0;
};

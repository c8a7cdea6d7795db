#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Reads a fuzzer's bytes as a stream of choices; past the end every choice
// is zero, so any input decodes to something.
class FuzzInput {
public:
  FuzzInput(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

  bool empty() const { return m_at >= m_size; }
  uint8_t byte() { return m_at < m_size ? m_data[m_at++] : 0; }
  // A number from 0 to `bound` − 1 (bound ≥ 1).
  unsigned below(unsigned bound) {
    unsigned value = byte();
    if (bound > 256)
      value = value << 8 | byte();
    return value % bound;
  }
  int64_t int64() {
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i)
      value = value << 8 | byte();
    return int64_t(value);
  }
  double real() {
    const int64_t bits = int64();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  // UTF-16 code units taken two bytes at a time, `units` at the most.
  QString utf16(int units) {
    QString text;
    for (int i = 0; i < units && !empty(); ++i)
      text += QChar(char16_t(byte() | byte() << 8));
    return text;
  }

private:
  const uint8_t *m_data;
  size_t m_size;
  size_t m_at = 0;
};

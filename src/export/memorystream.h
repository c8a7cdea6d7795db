#pragma once

#include "export/outputstream.h"

#include <QByteArray>
#include <algorithm>
#include <cstring>

// Bytes kept in memory, for a document part that must be complete before
// what precedes it in the file can be written.
class MemoryStream : public OutputStream {
public:
  void write(QByteArrayView bytes) override {
    if (bytes.isEmpty())
      return;
    const qsizetype at = m_bytes.size();
    if (at + bytes.size() > m_bytes.capacity())
      m_bytes.reserve(std::max(2 * m_bytes.capacity(), at + bytes.size()));
    m_bytes.resize(at + bytes.size());
    std::memcpy(m_bytes.data() + at, bytes.data(), size_t(bytes.size()));
  }
  void flush() override {}

  const QByteArray &bytes() const { return m_bytes; }

private:
  QByteArray m_bytes;
};

#pragma once

#include "export/outputstream.h"

#include <QByteArray>

// Bytes kept in memory, for a document part that must be complete before
// what precedes it in the file can be written.
class MemoryStream : public OutputStream {
public:
  void write(QByteArrayView bytes) override { m_bytes.append(bytes); }
  void flush() override {}

  const QByteArray &bytes() const { return m_bytes; }

private:
  QByteArray m_bytes;
};

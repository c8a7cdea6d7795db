#pragma once

#include "export/memorystream.h"
#include "export/outputstream.h"

#include <QtGlobal>
#include <functional>
#include <memory>

class QTemporaryFile;
class DeviceStream;

// Bytes of a document part that must be complete before what precedes it
// can be written. They are kept in memory up to `memoryLimit` bytes; past
// that everything moves to a temporary file, so a document of any length
// costs at most about that much memory. The temporary file is closed with the
// stream and removed on another thread (removeFileInBackground). Every failure
// raises "Stream write error".
class SpillStream : public OutputStream {
public:
  static constexpr qsizetype DefaultMemoryLimit = 4 * 1024 * 1024;

  explicit SpillStream(qsizetype memoryLimit = DefaultMemoryLimit);
  ~SpillStream() override;
  SpillStream(const SpillStream &) = delete;
  SpillStream &operator=(const SpillStream &) = delete;

  void write(QByteArrayView bytes) override;
  void flush() override;

  // Writes every byte stored so far to `out`, in order, calling
  // `afterBlock` (when given) after each block copied from the temporary
  // file; it may throw to stop the copy.
  void copyTo(OutputStream &out, const std::function<void()> &afterBlock = {});
  // Whether the bytes went to the temporary file.
  bool spilled() const { return m_file != nullptr; }

private:
  void spill();

  qsizetype m_memoryLimit;
  MemoryStream m_memory;
  std::unique_ptr<QTemporaryFile> m_file;
  std::unique_ptr<DeviceStream> m_fileStream;
};

#pragma once

#include "export/outputstream.h"

#include <QtGlobal>
#include <memory>

class QIODevice;

// Writes to an open device through a buffer of its own, so that the many
// small pieces of a document reach the device in large blocks. A block the
// device does not take whole raises "Stream write error". The device is not
// owned; bytes still buffered when the stream is destroyed are dropped, so
// call flush() at the end.
class DeviceStream : public OutputStream {
public:
  explicit DeviceStream(QIODevice &device);

  void write(QByteArrayView bytes) override;
  void flush() override;

private:
  void writeToDevice(const char *data, qsizetype size);

  QIODevice &m_device;
  std::unique_ptr<char[]> m_buffer;
  qsizetype m_used = 0;
};

#include "export/devicestream.h"

#include "platform/errors.h"

#include <QFileDevice>
#include <cstring>
#include <utility>

namespace {
constexpr qsizetype kBufferSize = 64 * 1024;
}

void raiseStreamWriteError() {
  throw StreamError(QStringLiteral("Stream write error"));
}

DeviceStream::DeviceStream(QIODevice &device)
    : m_device(device), m_buffer(new char[kBufferSize]) {}

void DeviceStream::write(QByteArrayView bytes) {
  // An empty view may carry no address at all, which memcpy must not see.
  if (bytes.isEmpty())
    return;
  if (m_used + bytes.size() > kBufferSize)
    flush();
  if (bytes.size() >= kBufferSize) {
    writeToDevice(bytes.data(), bytes.size());
    return;
  }
  std::memcpy(m_buffer.get() + m_used, bytes.data(), size_t(bytes.size()));
  m_used += bytes.size();
}

void DeviceStream::flush() {
  // The buffer counts as emptied even when the device refuses it, so a
  // failed write cannot resurface with a later one.
  const qsizetype pending = std::exchange(m_used, 0);
  if (pending > 0)
    writeToDevice(m_buffer.get(), pending);
  // A file opened with buffering keeps bytes of its own; they must be
  // stored now, not at a close whose failure nobody would see.
  if (auto *file = qobject_cast<QFileDevice *>(&m_device);
      file && !file->flush())
    raiseStreamWriteError();
}

void DeviceStream::writeToDevice(const char *data, qsizetype size) {
  if (m_device.write(data, size) != size)
    raiseStreamWriteError();
}

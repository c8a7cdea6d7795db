#include "export/spillstream.h"

#include "export/devicestream.h"
#include "platform/longwork/backgroundrelease.h"

#include <QTemporaryFile>

namespace {
constexpr qsizetype kCopyBlock = 1024 * 1024;
}

SpillStream::SpillStream(qsizetype memoryLimit) : m_memoryLimit(memoryLimit) {}

SpillStream::~SpillStream() {
  m_fileStream.reset();
  if (!m_file)
    return;
  // Removing a temporary file of many megabytes takes the disk a while:
  // the file is closed here, on the thread that made it, and removed on
  // another.
  const QString path = m_file->fileName();
  m_file->setAutoRemove(false);
  m_file.reset();
  removeFileInBackground(path);
}

void SpillStream::write(QByteArrayView bytes) {
  if (m_fileStream) {
    m_fileStream->write(bytes);
    return;
  }
  if (m_memory.bytes().size() + bytes.size() > m_memoryLimit) {
    spill();
    m_fileStream->write(bytes);
    return;
  }
  m_memory.write(bytes);
}

void SpillStream::flush() {
  if (m_fileStream)
    m_fileStream->flush();
}

void SpillStream::spill() {
  auto file = std::make_unique<QTemporaryFile>();
  if (!file->open())
    raiseStreamWriteError();
  m_file = std::move(file);
  m_fileStream = std::make_unique<DeviceStream>(*m_file);
  m_fileStream->write(m_memory.bytes());
  m_memory = MemoryStream();
}

void SpillStream::copyTo(OutputStream &out,
                         const std::function<void()> &afterBlock) {
  if (!m_file) {
    out.write(m_memory.bytes());
    return;
  }
  m_fileStream->flush();
  const qint64 size = m_file->size();
  if (!m_file->seek(0))
    raiseStreamWriteError();
  QByteArray block(qsizetype(std::min<qint64>(size, kCopyBlock)),
                   Qt::Uninitialized);
  for (qint64 done = 0; done < size;) {
    const qint64 want = std::min<qint64>(size - done, block.size());
    if (m_file->read(block.data(), want) != want)
      raiseStreamWriteError();
    out.write(QByteArrayView(block.constData(), want));
    done += want;
    if (afterBlock)
      afterBlock();
  }
  // Later writes append after what was copied.
  if (!m_file->seek(size))
    raiseStreamWriteError();
}

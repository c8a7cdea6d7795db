#include "export/safefile.h"

#include "platform/desktop/devicefile.h"
#include "platform/errors.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

std::unique_ptr<QFileDevice> targetFile(const QString &fileName) {
  const QFileInfo target(fileName);
  if (target.exists() && !target.isFile() && !target.isDir())
    return std::make_unique<QFile>(fileName);
  auto file = std::make_unique<QSaveFile>(fileName);
  file->setDirectWriteFallback(true);
  return file;
}

} // namespace

SafeFile::SafeFile(const QString &fileName)
    : m_fileName(fileName), m_file(targetFile(fileName)), m_stream(*m_file) {
  // Unbuffered: the stream buffers, and a second buffer in the file would
  // only report a full disk when it is closed.
  const QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Unbuffered;
  auto *device = qobject_cast<QFile *>(m_file.get());
  if (!(device ? openDeviceForWriting(*device, mode) : m_file->open(mode)))
    raiseCannotCreate();
}

void SafeFile::commit() {
  m_stream.flush();
  auto *file = qobject_cast<QSaveFile *>(m_file.get());
  if (!file)
    return; // a device: the flush stored everything
  if (file->commit())
    return;
  if (file->error() == QFileDevice::RenameError)
    raiseCannotCreate();
  raiseStreamWriteError();
}

void SafeFile::raiseCannotCreate() const {
  throw StreamError(QStringLiteral("Cannot create file %1").arg(m_fileName));
}

#include "export/safefile.h"

#include "platform/errors.h"

SafeFile::SafeFile(const QString &fileName)
    : m_fileName(fileName), m_file(fileName), m_stream(m_file) {
  m_file.setDirectWriteFallback(true);
  // Unbuffered: the stream buffers, and a second buffer in the file would
  // only report a full disk when it is closed.
  if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    raiseCannotCreate();
}

void SafeFile::commit() {
  m_stream.flush();
  if (m_file.commit())
    return;
  if (m_file.error() == QFileDevice::RenameError)
    raiseCannotCreate();
  raiseStreamWriteError();
}

void SafeFile::raiseCannotCreate() const {
  throw StreamError(QStringLiteral("Cannot create file %1").arg(m_fileName));
}

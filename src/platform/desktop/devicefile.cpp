#include "platform/desktop/devicefile.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

bool openDeviceForWriting(QFile &file, QIODevice::OpenMode mode) {
#ifdef Q_OS_UNIX
  const int descriptor = ::open(QFile::encodeName(file.fileName()).constData(),
                                O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0)
    return false;
  const int flags = ::fcntl(descriptor, F_GETFL);
  if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) < 0 ||
      !file.open(descriptor, mode, QFileDevice::AutoCloseHandle)) {
    ::close(descriptor);
    return false;
  }
  return true;
#else
  return file.open(mode);
#endif
}

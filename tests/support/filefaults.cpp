#include "support/filefaults.h"

#include <QFile>

QByteArray contentOf(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>";
}

bool writeFile(const QString &path, const QByteArray &bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

#ifdef Q_OS_UNIX
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>
#include <csignal>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t Nobody = 65534;

// The files of `folder` not named in `writable`.
QStringList readOnlyFiles(const QString &folder, const QStringList &writable) {
  QStringList files;
  for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
    if (!writable.contains(QDir(folder).filePath(name)))
      files.append(QDir(folder).filePath(name));
  return files;
}

bool asNobody(const QString &folder, const QStringList &writable,
              const std::function<bool()> &action) {
  chmod(QFile::encodeName(folder).constData(), 0755);
  for (const QString &file : writable)
    if (chown(QFile::encodeName(file).constData(), Nobody, Nobody) != 0)
      return false;
  for (const QString &file : readOnlyFiles(folder, writable))
    chmod(QFile::encodeName(file).constData(), 0644);
  const pid_t child = fork();
  if (child == 0) {
    if (setgid(Nobody) != 0 || setuid(Nobody) != 0)
      _exit(2);
    _exit(action() ? 0 : 1);
  }
  QDeadlineTimer deadline(20000);
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (deadline.hasExpired()) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      return false;
    }
    QThread::msleep(10);
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

bool whereFolderRefusesNewFiles(const QString &folder,
                                const QStringList &writable,
                                const std::function<bool()> &action) {
  if (geteuid() == 0)
    return asNobody(folder, writable, action);
  const QStringList readOnly = readOnlyFiles(folder, writable);
  for (const QString &file : readOnly)
    chmod(QFile::encodeName(file).constData(), 0444);
  chmod(QFile::encodeName(folder).constData(), 0555);
  const bool result = action();
  chmod(QFile::encodeName(folder).constData(), 0755);
  for (const QString &file : readOnly)
    chmod(QFile::encodeName(file).constData(), 0644);
  return result;
}

bool makeFullDevice(const QString &path) {
  return mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666,
               makedev(1, 7)) == 0;
}

#else

bool whereFolderRefusesNewFiles(const QString &, const QStringList &,
                                const std::function<bool()> &) {
  return false;
}

bool makeFullDevice(const QString &) { return false; }

#endif

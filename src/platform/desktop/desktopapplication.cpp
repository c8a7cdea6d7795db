#include "platform/desktop/desktopapplication.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>

bool hasDesktopApplicationFor(const QString &path, int timeoutMs) {
  if (!QFileInfo(path).isFile())
    return false;
  const QString type = QMimeDatabase().mimeTypeForFile(path).name();
  QProcess query;
  query.start(QStringLiteral("xdg-mime"),
              {QStringLiteral("query"), QStringLiteral("default"), type});
  if (!query.waitForFinished(timeoutMs)) {
    query.kill();
    query.waitForFinished(1000);
    return false;
  }
  return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0 &&
         !query.readAllStandardOutput().trimmed().isEmpty();
}

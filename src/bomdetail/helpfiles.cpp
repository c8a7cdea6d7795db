#include "bomdetail/helpfiles.h"

#include <QCoreApplication>
#include <QDir>

QStringList componentHelpFiles() {
  const QDir programFolder(QCoreApplication::applicationDirPath());
  QStringList files;
  for (const char *name : {"hlp/bomdetail_hlp.chm", "hlp/bomdetail_hlp.html"})
    files.append(QDir::toNativeSeparators(
        programFolder.filePath(QString::fromLatin1(name))));
  return files;
}

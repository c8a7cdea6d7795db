#include "support/generateddatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

namespace {

bool generate(const QString &path, int headers, int components) {
  QProcess generator;
  generator.start(
      QStringLiteral(BOMQUERY_BINARY_DIR "/db/generate_bomdb"),
      {path, QString::number(headers), QString::number(components)});
  if (!generator.waitForFinished(60000)) {
    generator.kill();
    generator.waitForFinished();
    return false;
  }
  return generator.exitStatus() == QProcess::NormalExit &&
         generator.exitCode() == 0;
}

} // namespace

QString generatedBomDatabase(int headers, int components) {
  const QString folder = QStringLiteral(BOMQUERY_BINARY_DIR "/tests/generated");
  QDir().mkpath(folder);
  const QString path = QStringLiteral("%1/bom-%2-%3.sqlite3")
                           .arg(folder)
                           .arg(headers)
                           .arg(components);
  if (QFile::exists(path))
    return path;
  // Made under a name of this process and renamed, so neither a run cut
  // short nor a test program running beside this one sees a half-filled
  // file.
  const QString partial = QStringLiteral("%1.%2.partial")
                              .arg(path)
                              .arg(QCoreApplication::applicationPid());
  const bool made = generate(partial, headers, components);
  if (made && (QFile::rename(partial, path) || QFile::exists(path))) {
    QFile::remove(partial);
    return path;
  }
  QFile::remove(partial);
  return QString();
}

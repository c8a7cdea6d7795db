#include "platform/desktop/fontsubstitution.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMutex>
#include <QMutexLocker>
#include <optional>

namespace {

const QString songTi = QStringLiteral("宋体");
constexpr int characterHeight = 12;

bool hasTwelvePixelLines(const QString &family) {
  QFont font(family);
  font.setPixelSize(characterHeight);
  return QFontMetrics(font).height() == characterHeight;
}

QString findSubstitute() {
  const QStringList families =
      QFontDatabase::families(QFontDatabase::SimplifiedChinese);
  for (const QString &family : families)
    if (hasTwelvePixelLines(family))
      return family;
  return families.isEmpty() ? QString() : families.first();
}

} // namespace

QString mapMissingSongTi() {
  static QMutex lock;
  static std::optional<QString> resolved;
  const QMutexLocker locker(&lock);
  if (resolved)
    return *resolved;
  if (!qGuiApp)
    return QString();
  if (QFontDatabase::hasFamily(songTi)) {
    resolved = songTi;
  } else {
    resolved = findSubstitute();
    if (!resolved->isEmpty())
      QFont::insertSubstitution(songTi, *resolved);
  }
  return *resolved;
}

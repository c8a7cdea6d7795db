#include "app/windowfonts.h"

#include <QStringList>

namespace {

QFont fontWithStandIns(const QString &face, int points) {
  QFont font;
  font.setFamilies({face, QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                    QStringLiteral("WenQuanYi Zen Hei"),
                    QStringLiteral("Noto Sans CJK SC")});
  font.setPointSize(points);
  return font;
}

} // namespace

QFont songTiFont(int points) {
  return fontWithStandIns(QStringLiteral("宋体"), points);
}

QFont sansSerifFont(int points) {
  return fontWithStandIns(QStringLiteral("MS Sans Serif"), points);
}

#pragma once

#include <QCollator>
#include <QLocale>

// Whether the system's Chinese collation orders by pinyin, as ICU and
// Windows do; Wine's has no pinyin order, so tests of that order are
// skipped there.
inline bool systemCollatesChineseByPinyin() {
  const QCollator chinese(QLocale(QLocale::Chinese, QLocale::China));
  // 北 bei before 长 chang, although its code point is lower.
  return chinese.compare(QStringLiteral("北"), QStringLiteral("长")) < 0 &&
         chinese.compare(QStringLiteral("长"), QStringLiteral("钻")) < 0;
}

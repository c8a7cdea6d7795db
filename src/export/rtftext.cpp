#include "export/rtftext.h"

QString rtfEscaped(const QString &text) {
  qsizetype specials = 0;
  for (const QChar c : text)
    if (c == u'\\' || c == u'{' || c == u'}')
      ++specials;
  if (specials == 0)
    return text;
  QString escaped;
  escaped.reserve(text.size() + specials);
  for (const QChar c : text) {
    if (c == u'\\' || c == u'{' || c == u'}')
      escaped += u'\\';
    escaped += c;
  }
  return escaped;
}

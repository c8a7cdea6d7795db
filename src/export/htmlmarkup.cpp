#include "export/htmlmarkup.h"

#include "grid/tfont.h"

namespace {

bool needsEscaping(const QString &text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u == u'&' || u == u'<' || u == u'>' || u == u'"')
      return true;
  }
  return false;
}

} // namespace

QString htmlEscaped(const QString &text) {
  if (!needsEscaping(text))
    return text;
  QString escaped = text;
  escaped.replace(u'&', QStringLiteral("&amp"));
  escaped.replace(u'<', QStringLiteral("&lt"));
  escaped.replace(u'>', QStringLiteral("&gt"));
  escaped.replace(u'"', QStringLiteral("&quot"));
  return escaped;
}

QString htmlColorHex(TColor color) {
  if (color == clNone)
    return QStringLiteral("000000");
  const QString digits = QStringLiteral("%1")
                             .arg(resolveColor(color), 6, 16, QLatin1Char('0'))
                             .toUpper();
  return digits.mid(4, 2) + digits.mid(2, 2) + digits.mid(0, 2);
}

QString htmlFontedText(const TFont &font, const QString &text) {
  const TFontStyles style = font.Style();
  QString tags;
  if (style & fsBold)
    tags += QStringLiteral("<B>");
  if (style & fsItalic)
    tags += QStringLiteral("<I>");
  if (style & fsUnderline)
    tags += QStringLiteral("<U>");
  if (style & fsStrikeOut)
    tags += QStringLiteral("<STRIKE>");
  QString closing = tags;
  closing.replace(u'<', QStringLiteral("</"));
  return QStringLiteral("<FONT STYLE=\"font-family: ") + font.Name() +
         QStringLiteral("; font-size: ") + QString::number(font.Size()) +
         QStringLiteral("pt; color: #") + htmlColorHex(font.Color()) +
         QStringLiteral("\">") + tags +
         (text.isEmpty() ? QStringLiteral("&nbsp") : htmlEscaped(text)) +
         closing + QStringLiteral("</FONT>");
}

QString htmlAlignmentKeyword(TAlignment alignment) {
  switch (alignment) {
  case taRightJustify:
    return QStringLiteral("RIGHT");
  case taCenter:
    return QStringLiteral("CENTER");
  case taLeftJustify:
    break;
  }
  return QStringLiteral("LEFT");
}

#include "grid/qttextmetrics.h"

#include "grid/tfont.h"

#include <QFontMetrics>
#include <algorithm>

FontLineMetrics QtTextMetrics::lineMetrics(const TFont &font) const {
  const QFont qfont = font.toQFont();
  const QFontMetrics metrics(qfont);
  FontLineMetrics result;
  result.height = metrics.height();
  result.externalLeading = std::max(0, metrics.leading());
  // The part of the line height above the character height asked for.
  const int characterHeight =
      qfont.pixelSize() > 0 ? qfont.pixelSize() : metrics.height();
  result.internalLeading = std::max(0, metrics.height() - characterHeight);
  result.overhang = 0;
  return result;
}

int QtTextMetrics::textWidth(const TFont &font, QStringView text) const {
  return QFontMetrics(font.toQFont()).horizontalAdvance(text.toString());
}

int QtTextMetrics::textHeight(const TFont &font, QStringView) const {
  return QFontMetrics(font.toQFont()).height();
}

int QtTextMetrics::wrappedTextHeight(const TFont &font, QStringView text,
                                     int width) const {
  const QFontMetrics metrics(font.toQFont());
  const QRect bounds = metrics.boundingRect(
      QRect(0, 0, std::max(1, width), 0x7FFF),
      Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs,
      text.toString());
  return std::max(bounds.height(), metrics.height());
}

#include "export/htmlmarkup.h"

#include "export/markupbuffer.h"
#include "grid/tfont.h"

namespace {

// The entity a markup character is written as; empty for other characters.
QByteArrayView entityOf(char16_t c) {
  switch (c) {
  case u'&':
    return "&amp";
  case u'<':
    return "&lt";
  case u'>':
    return "&gt";
  case u'"':
    return "&quot";
  default:
    return {};
  }
}

} // namespace

void appendHtmlEscaped(MarkupBuffer &out, const QString &text) {
  // Markup characters are ASCII, and code page 936 writes ASCII as it is and
  // no other character with a byte below 0x40: replacing them before the
  // conversion gives the bytes replacing them after it would.
  qsizetype plain = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QByteArrayView entity = entityOf(text[i].unicode());
    if (entity.isEmpty())
      continue;
    out.appendText(QStringView(text).sliced(plain, i - plain));
    out.append(entity);
    plain = i + 1;
  }
  out.appendText(QStringView(text).sliced(plain));
}

void appendHtmlColorHex(MarkupBuffer &out, TColor color) {
  const quint32 value = color == clNone ? 0 : resolveColor(color);
  // The value's upper-case hexadecimal text, at least six digits.
  char text[8];
  int length = 0;
  for (int shift = 28; shift >= 0; shift -= 4) {
    const int digit = (value >> shift) & 0xF;
    if (length > 0 || digit != 0 || shift < 24)
      text[length++] = "0123456789ABCDEF"[digit];
  }
  // Its digits 5-6, 3-4 and 1-2: red, green, blue for a 24-bit value.
  const char pairs[6] = {text[4], text[5], text[2], text[3], text[0], text[1]};
  out.append(QByteArrayView(pairs, 6));
}

void appendHtmlFontStart(MarkupBuffer &out, const TFont &font) {
  const TFontStyles style = font.Style();
  out.append("<FONT STYLE=\"font-family: ");
  out.appendName(font.Name());
  out.append("; font-size: ");
  out.appendNumber(font.Size());
  out.append("pt; color: #");
  appendHtmlColorHex(out, font.Color());
  out.append("\">");
  if (style & fsBold)
    out.append("<B>");
  if (style & fsItalic)
    out.append("<I>");
  if (style & fsUnderline)
    out.append("<U>");
  if (style & fsStrikeOut)
    out.append("<STRIKE>");
}

void appendHtmlCellText(MarkupBuffer &out, const QString &text) {
  if (text.isEmpty())
    out.append("&nbsp");
  else
    appendHtmlEscaped(out, text);
}

void appendHtmlFontEnd(MarkupBuffer &out, const TFont &font) {
  const TFontStyles style = font.Style();
  if (style & fsBold)
    out.append("</B>");
  if (style & fsItalic)
    out.append("</I>");
  if (style & fsUnderline)
    out.append("</U>");
  if (style & fsStrikeOut)
    out.append("</STRIKE>");
  out.append("</FONT>");
}

void appendHtmlFontedText(MarkupBuffer &out, const TFont &font,
                          const QString &text) {
  appendHtmlFontStart(out, font);
  appendHtmlCellText(out, text);
  appendHtmlFontEnd(out, font);
}

QByteArrayView htmlAlignmentKeyword(TAlignment alignment) {
  switch (alignment) {
  case taRightJustify:
    return "RIGHT";
  case taCenter:
    return "CENTER";
  case taLeftJustify:
    break;
  }
  return "LEFT";
}

#include "export/htmlmarkup.h"

#include "export/markupbuffer.h"
#include "grid/tfont.h"
#include "platform/codepage936.h"

namespace {

// Markup characters are all below 0x40, the lowest second byte of a
// double-byte character in code page 936, so they can be replaced in the
// bytes.
bool needsEscaping(QByteArrayView bytes) {
  for (const char c : bytes)
    if (c == '&' || c == '<' || c == '>' || c == '"')
      return true;
  return false;
}

} // namespace

void appendHtmlEscaped(MarkupBuffer &out, const QString &text) {
  const QByteArray bytes = toCodePage936(text);
  if (!needsEscaping(bytes)) {
    out.append(bytes);
    return;
  }
  for (const char c : bytes) {
    switch (c) {
    case '&':
      out.append("&amp");
      break;
    case '<':
      out.append("&lt");
      break;
    case '>':
      out.append("&gt");
      break;
    case '"':
      out.append("&quot");
      break;
    default:
      out.append(c);
    }
  }
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

void appendHtmlFontedText(MarkupBuffer &out, const TFont &font,
                          const QString &text) {
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
  if (text.isEmpty())
    out.append("&nbsp");
  else
    appendHtmlEscaped(out, text);
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

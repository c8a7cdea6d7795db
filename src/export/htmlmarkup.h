#pragma once

#include "grid/color.h"
#include "platform/dataset/alignment.h"

#include <QByteArrayView>
#include <QString>

class MarkupBuffer;
class TFont;

// Pieces of the HTML documents, appended as code page 936 bytes.

// `text` with "&", "<", ">" and '"' replaced, in that order, by "&amp",
// "&lt", "&gt" and "&quot", written without closing semicolons. Everything
// else passes unchanged.
void appendHtmlEscaped(MarkupBuffer &out, const QString &text);

// Six hexadecimal digits RRGGBB of a colour, system colours resolved; clNone
// gives "000000". The digits are taken by position from the value's
// upper-case hexadecimal text of at least six digits, so a value wider than
// 24 bits keeps those positions (0x20000000 gives "000020").
void appendHtmlColorHex(MarkupBuffer &out, TColor color);

// The escaped text ("&nbsp" when empty) inside a FONT element carrying the
// font's face, size in points and colour, with B, I, U and STRIKE elements
// for its style (closed in the order they were opened).
void appendHtmlFontedText(MarkupBuffer &out, const TFont &font,
                          const QString &text);
// Its three parts: the FONT and style start tags, the escaped text or
// "&nbsp", the end tags.
void appendHtmlFontStart(MarkupBuffer &out, const TFont &font);
void appendHtmlCellText(MarkupBuffer &out, const QString &text);
void appendHtmlFontEnd(MarkupBuffer &out, const TFont &font);

// "LEFT", "RIGHT" or "CENTER".
QByteArrayView htmlAlignmentKeyword(TAlignment alignment);

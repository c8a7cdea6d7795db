#pragma once

#include <QByteArray>
#include <QString>

// Structural checks of exported files: each returns an empty text when
// `bytes` is well formed, else what is wrong.

// XLS: a record stream starting with BOF, whose record lengths add up to the
// file's size exactly, ending with EOF.
QString checkXlsRecords(const QByteArray &bytes);
// HTML: every HTML, HEAD, TITLE, TABLE, TR, TD, TH, FONT, B, I, U and STRIKE
// element closes in the order it opened (the document closes a BODY it never
// opens, so BODY is not counted), every TR opens inside the TABLE, and no
// raw "<" or ">" stands outside a tag.
QString checkHtmlTags(const QByteArray &bytes);
// RTF: braces balance (escaped "\{", "\}" and "\\" aside, and a double-byte
// character's second byte is never read as markup), the document is one
// group.
QString checkRtfGroups(const QByteArray &bytes);
// Plain text: the file has `lines` lines (CR LF count + 1) and `tabs` tabs.
QString checkTextShape(const QByteArray &bytes, int lines, int tabs);

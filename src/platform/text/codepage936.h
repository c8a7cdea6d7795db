#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The one place where text meets code page 936, the page the program's users
// read and every export file is written in. Characters the page cannot hold
// become one "?" each (a surrogate pair counts as one character).

// Bytes of `text` in code page 936.
QByteArray toCodePage936(QStringView text);
// The same bytes appended to `out`: writers assembling many pieces convert
// straight into their buffer.
void appendCodePage936(QByteArray &out, QStringView text);
// The same bytes written at `out`, which must have room for
// 2 × text.size() bytes (no code unit takes more); returns the end of the
// bytes written.
char *writeCodePage936(char *out, QStringView text);

// Text of code page 936 bytes.
QString fromCodePage936(QByteArrayView bytes);

// `text` as it reads after a pass through the page: what the screen and every
// export show for a value read from the database. Fast for the common case
// (ASCII and Chinese text), since every wide text read passes through it.
QString passThroughCodePage936(QStringView text);
// The same; returns `text` itself, without a copy, when the page leaves it
// unchanged.
QString passThroughCodePage936(const QString &text);

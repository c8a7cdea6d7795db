#pragma once

#include <QString>

// `text` with "\", "{" and "}" written as "\\", "\{" and "\}", so that no
// text can end a rich-text group or start a control word. Done on characters
// before the conversion to code page 936, whose double-byte characters may
// have any of the three as their second byte: those stay as they are.
QString rtfEscaped(const QString &text);

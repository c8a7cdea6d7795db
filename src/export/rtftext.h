#pragma once

#include <QStringView>

class MarkupBuffer;

// Appends the code page 936 bytes of `text` with "\", "{" and "}" written as
// "\\", "\{" and "\}", so that no text can end a rich-text group or start a
// control word. Escaped by characters, not bytes: a double-byte character
// may have any of the three as its second byte, and stays as it is.
void appendRtfText(MarkupBuffer &out, QStringView text);

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// One line or cell of a text document being assembled as code page 936
// bytes, in a buffer that keeps its memory from one use to the next, so that
// writing millions of cells allocates next to nothing.
class MarkupBuffer {
public:
  const QByteArray &bytes() const { return m_bytes; }
  // Empties the buffer, keeping its memory.
  void clear() { m_bytes.resize(0); }

  void append(QByteArrayView ascii) { m_bytes.append(ascii); }
  void append(char c) { m_bytes.append(c); }
  // Decimal digits, with "-" for negatives.
  void appendNumber(qint64 value);
  // The code page 936 bytes of `text`.
  void appendText(const QString &text);
  // As appendText, for a name that mostly repeats from one call to the next
  // (a font face): converted once.
  void appendName(const QString &name);

private:
  QByteArray m_bytes;
  QString m_name;
  QByteArray m_nameBytes;
};

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// One line or cell of a text document being assembled as code page 936
// bytes, in a buffer that keeps its memory from one use to the next, so that
// writing millions of cells allocates next to nothing.
class MarkupBuffer {
public:
  const QByteArray &bytes() const { return m_bytes; }
  // Empties the buffer, keeping its memory.
  void clear() { m_bytes.resize(0); }

  void append(QByteArrayView ascii) { append(ascii.data(), ascii.size()); }
  void append(char c) { append(&c, 1); }
  // Decimal digits, with "-" for negatives.
  void appendNumber(qint64 value);
  // The code page 936 bytes of `text`.
  void appendText(QStringView text);
  // As appendText, for a name that mostly repeats from one call to the next
  // (a font face): converted once.
  void appendName(const QString &name);

private:
  // Plain copying: QByteArray's own append is several times slower for the
  // short pieces markup is made of.
  void append(const char *data, qsizetype size);

  QByteArray m_bytes;
  QString m_name;
  QByteArray m_nameBytes;
};

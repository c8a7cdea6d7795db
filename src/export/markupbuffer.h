#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstring>
#include <memory>

// One line, cell or row of a text document being assembled as code page 936
// bytes, in a buffer that keeps its memory from one use to the next, so that
// writing millions of cells allocates next to nothing. The appends are
// inline: a cell of markup is made of a dozen or more short pieces.
class MarkupBuffer {
public:
  MarkupBuffer();
  // The moved-from buffer is empty and holds no memory.
  MarkupBuffer(MarkupBuffer &&other) noexcept;
  MarkupBuffer &operator=(MarkupBuffer &&other) noexcept;

  QByteArrayView bytes() const { return {m_data.get(), m_size}; }
  // Empties the buffer, keeping its memory.
  void clear() { m_size = 0; }

  void append(QByteArrayView ascii) {
    std::memcpy(room(ascii.size()), ascii.data(), size_t(ascii.size()));
    m_size += ascii.size();
  }
  void append(char c) {
    *room(1) = c;
    ++m_size;
  }
  // Decimal digits, with "-" for negatives.
  void appendNumber(qint64 value);
  // The code page 936 bytes of `text`.
  void appendText(QStringView text);
  // As appendText, for a name that mostly repeats from one call to the next
  // (a font face): converted once.
  void appendName(const QString &name);

private:
  // Where `size` more bytes go.
  char *room(qsizetype size) {
    if (size > m_capacity - m_size)
      grow(size);
    return m_data.get() + m_size;
  }
  void grow(qsizetype size);

  std::unique_ptr<char[]> m_data;
  qsizetype m_size = 0;
  qsizetype m_capacity = 0;
  QString m_name;
  QByteArray m_nameBytes;
};

#include "export/markupbuffer.h"

#include "platform/codepage936.h"

void MarkupBuffer::appendNumber(qint64 value) {
  char digits[24];
  int at = int(sizeof digits);
  const bool negative = value < 0;
  quint64 magnitude = negative ? quint64(0) - quint64(value) : quint64(value);
  do {
    digits[--at] = char('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (negative)
    digits[--at] = '-';
  m_bytes.append(digits + at, qsizetype(sizeof digits) - at);
}

void MarkupBuffer::appendText(const QString &text) {
  if (!text.isEmpty())
    m_bytes.append(toCodePage936(text));
}

void MarkupBuffer::appendName(const QString &name) {
  if (name != m_name || (m_nameBytes.isEmpty() && !name.isEmpty())) {
    m_name = name;
    m_nameBytes = toCodePage936(name);
  }
  m_bytes.append(m_nameBytes);
}

#include "export/markupbuffer.h"

#include "platform/codepage936.h"

#include <algorithm>
#include <cstring>

void MarkupBuffer::append(const char *data, qsizetype size) {
  if (size == 0)
    return;
  const qsizetype at = m_bytes.size();
  if (at + size > m_bytes.capacity())
    m_bytes.reserve(std::max(2 * m_bytes.capacity(), at + size));
  m_bytes.resize(at + size);
  std::memcpy(m_bytes.data() + at, data, size_t(size));
}

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
  append(digits + at, qsizetype(sizeof digits) - at);
}

void MarkupBuffer::appendText(QStringView text) {
  appendCodePage936(m_bytes, text);
}

void MarkupBuffer::appendName(const QString &name) {
  if (name != m_name || (m_nameBytes.isEmpty() && !name.isEmpty())) {
    m_name = name;
    m_nameBytes = toCodePage936(name);
  }
  append(m_nameBytes);
}

#include "export/markupbuffer.h"

#include "platform/text/codepage936.h"

#include <algorithm>
#include <utility>

namespace {
constexpr qsizetype kInitialCapacity = 1024;
}

MarkupBuffer::MarkupBuffer()
    : m_data(new char[kInitialCapacity]), m_capacity(kInitialCapacity) {}

MarkupBuffer::MarkupBuffer(MarkupBuffer &&other) noexcept
    : m_data(std::move(other.m_data)), m_size(std::exchange(other.m_size, 0)),
      m_capacity(std::exchange(other.m_capacity, 0)),
      m_name(std::move(other.m_name)),
      m_nameBytes(std::move(other.m_nameBytes)) {}

MarkupBuffer &MarkupBuffer::operator=(MarkupBuffer &&other) noexcept {
  m_data = std::move(other.m_data);
  m_size = std::exchange(other.m_size, 0);
  m_capacity = std::exchange(other.m_capacity, 0);
  m_name = std::move(other.m_name);
  m_nameBytes = std::move(other.m_nameBytes);
  return *this;
}

void MarkupBuffer::grow(qsizetype size) {
  const qsizetype capacity = std::max(2 * m_capacity, m_size + size);
  std::unique_ptr<char[]> data(new char[size_t(capacity)]);
  std::memcpy(data.get(), m_data.get(), size_t(m_size));
  m_data = std::move(data);
  m_capacity = capacity;
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
  append(QByteArrayView(digits + at, qsizetype(sizeof digits) - at));
}

void MarkupBuffer::appendText(QStringView text) {
  char *const at = room(2 * text.size());
  m_size += writeCodePage936(at, text) - at;
}

void MarkupBuffer::appendName(const QString &name) {
  if (name != m_name || (m_nameBytes.isEmpty() && !name.isEmpty())) {
    m_name = name;
    m_nameBytes = toCodePage936(name);
  }
  append(m_nameBytes);
}

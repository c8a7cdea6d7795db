#include "platform/results/resultcolumn.h"

ResultColumn::ResultColumn(QString name, FieldType type, int size,
                           int precision)
    : m_name(std::move(name)), m_type(type), m_size(size),
      m_precision(precision) {}

QStringView ResultColumn::text(int row) const {
  const quint32 begin = row == 0 ? 0 : m_textEnds[row - 1];
  return QStringView(m_chars.data() + begin, m_textEnds[row] - begin);
}

void ResultColumn::appendNull() { appendPlaceholder(Null); }

void ResultColumn::appendOverflow() { appendPlaceholder(Overflow); }

void ResultColumn::appendPlaceholder(Mark mark) {
  m_null.push_back(mark);
  switch (storageKindOf(m_type)) {
  case StorageKind::Text:
    m_textEnds.push_back(quint32(m_chars.size()));
    break;
  case StorageKind::Integer:
    m_integers.push_back(0);
    break;
  case StorageKind::Real:
    m_reals.push_back(0);
    break;
  }
}

void ResultColumn::appendInteger(qint64 value) {
  m_null.push_back(Value);
  m_integers.push_back(value);
}

void ResultColumn::appendReal(double value) {
  m_null.push_back(Value);
  m_reals.push_back(value);
}

void ResultColumn::appendText(QStringView value) {
  m_null.push_back(Value);
  m_chars.append(reinterpret_cast<const char16_t *>(value.utf16()),
                 size_t(value.size()));
  m_textEnds.push_back(quint32(m_chars.size()));
}

void ResultColumn::squeeze() {
  m_null.shrink_to_fit();
  m_integers.shrink_to_fit();
  m_reals.shrink_to_fit();
  m_chars.shrink_to_fit();
  m_textEnds.shrink_to_fit();
}

#include "platform/results/resulttable.h"

int ResultTable::indexOf(const QString &name) const {
  for (int i = 0; i < columnCount(); ++i)
    if (m_columns[i].name().compare(name, Qt::CaseInsensitive) == 0)
      return i;
  return -1;
}

ResultColumn &ResultTable::addColumn(QString name, FieldType type, int size,
                                     int precision) {
  return m_columns.emplace_back(std::move(name), type, size, precision);
}

void ResultTable::squeeze() {
  for (auto &column : m_columns)
    column.squeeze();
}

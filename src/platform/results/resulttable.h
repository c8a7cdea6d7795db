#pragma once

#include "platform/results/resultcolumn.h"

#include <memory>
#include <vector>

// A whole fetched result: its columns in result order, all of one length.
class ResultTable {
public:
  int rowCount() const {
    return m_columns.empty() ? 0 : m_columns[0].rowCount();
  }
  int columnCount() const { return int(m_columns.size()); }
  ResultColumn &column(int index) { return m_columns[index]; }
  const ResultColumn &column(int index) const { return m_columns[index]; }
  // Index of the column named `name` ignoring case, or -1.
  int indexOf(const QString &name) const;

  ResultColumn &addColumn(QString name, FieldType type, int size = 0,
                          int precision = 0);
  void squeeze();

private:
  std::vector<ResultColumn> m_columns;
};

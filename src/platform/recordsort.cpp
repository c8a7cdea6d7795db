#include "platform/recordsort.h"

#include "platform/errors.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <numeric>
#include <optional>

std::vector<SortKey> parseSortExpression(const ResultTable &table,
                                         QStringView expression) {
  std::vector<SortKey> keys;
  for (QStringView part : expression.split(QLatin1Char(','))) {
    const QStringList words =
        part.toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
      continue;
    SortKey key;
    key.column = table.indexOf(words[0]);
    if (key.column < 0)
      throw DatabaseError(
          QStringLiteral("Sort field '%1' is not in the result").arg(words[0]));
    if (words.size() > 2)
      throw DatabaseError(
          QStringLiteral("Invalid sort expression '%1'").arg(part));
    if (words.size() == 2) {
      if (words[1].compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0)
        key.descending = true;
      else if (words[1].compare(QLatin1String("ASC"), Qt::CaseInsensitive) != 0)
        throw DatabaseError(
            QStringLiteral("Invalid sort expression '%1'").arg(part));
    }
    keys.push_back(key);
  }
  return keys;
}

namespace {

// Compares two rows of one column: negative, zero or positive. Text columns
// compare precomputed collation keys, so each comparison is a byte compare.
class ColumnComparer {
public:
  ColumnComparer(const ResultColumn &column, const QCollator &collator)
      : m_column(column), m_kind(storageKindOf(column.type())) {
    if (m_kind != StorageKind::Text)
      return;
    m_keys.reserve(column.rowCount());
    for (int row = 0; row < column.rowCount(); ++row)
      m_keys.push_back(column.isNull(row)
                           ? std::nullopt
                           : std::optional(collator.sortKey(
                                 column.text(row).toString())));
  }

  int compare(int a, int b) const {
    const bool nullA = m_column.isNull(a), nullB = m_column.isNull(b);
    if (nullA || nullB)
      return int(nullB) - int(nullA);
    switch (m_kind) {
    case StorageKind::Text:
      return m_keys[a]->compare(*m_keys[b]);
    case StorageKind::Integer:
      return threeWay(m_column.integer(a), m_column.integer(b));
    case StorageKind::Real:
      return threeWay(m_column.real(a), m_column.real(b));
    }
    return 0;
  }

private:
  template <typename T> static int threeWay(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
  }

  const ResultColumn &m_column;
  StorageKind m_kind;
  std::vector<std::optional<QCollatorSortKey>> m_keys;
};

} // namespace

std::vector<int> sortedRows(const ResultTable &table,
                            const std::vector<SortKey> &keys) {
  std::vector<int> rows(table.rowCount());
  std::iota(rows.begin(), rows.end(), 0);
  if (keys.empty())
    return rows;

  QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
  std::vector<ColumnComparer> comparers;
  comparers.reserve(keys.size());
  for (const SortKey &key : keys)
    comparers.emplace_back(table.column(key.column), collator);

  std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
    for (size_t i = 0; i < keys.size(); ++i) {
      const int order = comparers[i].compare(a, b);
      if (order != 0)
        return keys[i].descending ? order > 0 : order < 0;
    }
    return false;
  });
  return rows;
}

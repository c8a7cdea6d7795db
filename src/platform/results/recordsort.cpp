#include "platform/results/recordsort.h"

#include "platform/errors.h"
#include "platform/results/collationranks.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <numeric>

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

// Compares two rows of one column: negative, zero or positive. A text
// column compares the rank of each row's text in collation order, so each
// comparison of the sort is between two integers.
class ColumnComparer {
public:
  ColumnComparer(const ResultColumn &column, const QCollator &collator)
      : m_column(column), m_kind(storageKindOf(column.type())) {
    if (m_kind == StorageKind::Text)
      m_ranks = collationRanks(column, collator);
  }

  int compare(int a, int b) const {
    const bool nullA = m_column.isNull(a), nullB = m_column.isNull(b);
    if (nullA || nullB)
      return int(nullB) - int(nullA);
    switch (m_kind) {
    case StorageKind::Text:
      return threeWay(m_ranks[a], m_ranks[b]);
    case StorageKind::Integer:
      return threeWay(m_column.integer(a), m_column.integer(b));
    case StorageKind::Real:
      return threeWay(m_column.real(a), m_column.real(b));
    }
    return 0;
  }

  const std::vector<int> &ranks() const { return m_ranks; }

private:
  template <typename T> static int threeWay(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
  }

  const ResultColumn &m_column;
  StorageKind m_kind;
  std::vector<int> m_ranks; // text columns: rank of each row's text, -1 null
};

// Rows in order of their ranks (-1 for null), stable in both directions:
// one pass to count the rows of each rank, one to place them.
std::vector<int> rowsByRank(const std::vector<int> &ranks, bool descending) {
  const int top =
      ranks.empty() ? 0 : *std::max_element(ranks.begin(), ranks.end());
  // Slot of each rank: null first ascending, last descending.
  const auto slotOf = [&](int rank) {
    return descending ? (rank < 0 ? top + 1 : top - rank) : rank + 1;
  };
  std::vector<int> start(size_t(top) + 3, 0);
  for (const int rank : ranks)
    ++start[size_t(slotOf(rank)) + 1];
  std::partial_sum(start.begin(), start.end(), start.begin());
  std::vector<int> rows(ranks.size());
  for (int row = 0; row < int(ranks.size()); ++row)
    rows[size_t(start[size_t(slotOf(ranks[row]))]++)] = row;
  return rows;
}

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
  // A title click sorts by one text column: its ranks give the order.
  if (keys.size() == 1 &&
      storageKindOf(table.column(keys[0].column).type()) == StorageKind::Text)
    return rowsByRank(comparers[0].ranks(), keys[0].descending);

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

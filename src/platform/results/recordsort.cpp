#include "platform/results/recordsort.h"

#include "platform/errors.h"
#include "platform/longwork/workprogress.h"
#include "platform/results/collationranks.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <array>
#include <bit>
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
  ColumnComparer(const ResultColumn &column, const QCollator &collator,
                 const WorkProgress *progress)
      : m_column(column), m_kind(storageKindOf(column.type())) {
    if (m_kind == StorageKind::Text)
      m_ranks = collationRanks(column, collator, progress);
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

  const ScratchVector<int> &ranks() const { return m_ranks; }

private:
  template <typename T> static int threeWay(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
  }

  const ResultColumn &m_column;
  StorageKind m_kind;
  ScratchVector<int> m_ranks; // text columns: rank of each row's text, -1 null
};

// Rows in order of their ranks (-1 for null), stable in both directions:
// one pass to count the rows of each rank, one to place them.
std::vector<int> rowsByRank(const ScratchVector<int> &ranks, bool descending) {
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

// A row with its value as an unsigned integer that orders as the value.
struct KeyedRow {
  quint64 key;
  int row;
};

constexpr quint64 SignBit = quint64(1) << 63;

quint64 integerKey(qint64 value) { return quint64(value) ^ SignBit; }

quint64 realKey(double value) {
  if (value == 0)
    value = 0; // -0 and +0 are equal
  const quint64 bits = std::bit_cast<quint64>(value);
  return bits & SignBit ? ~bits : bits | SignBit;
}

// Sorts `items` by key, stable: a radix sort from the lowest byte to the
// highest, each pass counting the rows of each byte value and placing them,
// leaving out every byte in which all keys agree (most of them, for the
// quantities and dates of a grid).
void sortByKey(std::vector<KeyedRow> &items, const WorkProgress *progress) {
  if (items.size() < 2)
    return;
  quint64 varying = 0;
  for (const KeyedRow &item : items)
    varying |= item.key ^ items[0].key;
  std::vector<KeyedRow> placed(items.size());
  for (int shift = 0; shift < 64; shift += 8) {
    if (((varying >> shift) & 0xff) == 0)
      continue;
    if (progress)
      progress->throwIfCancelled();
    std::array<size_t, 257> start{};
    for (const KeyedRow &item : items)
      ++start[((item.key >> shift) & 0xff) + 1];
    std::partial_sum(start.begin(), start.end(), start.begin());
    for (const KeyedRow &item : items)
      placed[start[(item.key >> shift) & 0xff]++] = item;
    items.swap(placed);
  }
}

// Rows in order of one number column: nulls first ascending, last
// descending, the others by value, stable in both directions (descending
// sorts the inverted keys, so equal values keep their order).
std::vector<int> rowsByNumber(const ResultColumn &column, bool descending,
                              const WorkProgress *progress) {
  const bool real = storageKindOf(column.type()) == StorageKind::Real;
  const quint64 flip = descending ? ~quint64(0) : 0;
  std::vector<int> nulls;
  std::vector<KeyedRow> items;
  items.reserve(size_t(column.rowCount()));
  for (int row = 0; row < column.rowCount(); ++row) {
    if (column.isNull(row))
      nulls.push_back(row);
    else
      items.push_back({(real ? realKey(column.real(row))
                             : integerKey(column.integer(row))) ^
                           flip,
                       row});
  }
  sortByKey(items, progress);
  std::vector<int> rows;
  rows.reserve(size_t(column.rowCount()));
  if (!descending)
    rows.insert(rows.end(), nulls.begin(), nulls.end());
  for (const KeyedRow &item : items)
    rows.push_back(item.row);
  if (descending)
    rows.insert(rows.end(), nulls.begin(), nulls.end());
  return rows;
}

} // namespace

std::vector<int> sortedRows(const ResultTable &table,
                            const std::vector<SortKey> &keys,
                            const WorkProgress *progress) {
  if (keys.empty()) {
    std::vector<int> rows(table.rowCount());
    std::iota(rows.begin(), rows.end(), 0);
    return rows;
  }
  // A title click sorts by one column: a number column by its values, a
  // text column by the ranks of its texts, each in a few passes over the
  // rows instead of comparisons.
  if (keys.size() == 1) {
    const ResultColumn &column = table.column(keys[0].column);
    if (storageKindOf(column.type()) != StorageKind::Text)
      return rowsByNumber(column, keys[0].descending, progress);
  }
  QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
  std::vector<ColumnComparer> comparers;
  comparers.reserve(keys.size());
  for (const SortKey &key : keys)
    comparers.emplace_back(table.column(key.column), collator, progress);
  if (progress)
    progress->throwIfCancelled();
  if (keys.size() == 1)
    return rowsByRank(comparers[0].ranks(), keys[0].descending);

  std::vector<int> rows(table.rowCount());
  std::iota(rows.begin(), rows.end(), 0);
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

#include "platform/recordsort.h"

#include "platform/errors.h"

#include <QCollator>
#include <QHash>
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
// column compares the rank of each row's text among the column's distinct
// texts in collation order: a column repeats its texts a lot, so collation
// keys are made once per distinct text, and each comparison of the sort is
// between two integers.
class ColumnComparer {
public:
  ColumnComparer(const ResultColumn &column, const QCollator &collator)
      : m_column(column), m_kind(storageKindOf(column.type())) {
    if (m_kind == StorageKind::Text)
      rankTexts(collator);
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

private:
  template <typename T> static int threeWay(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
  }

  void rankTexts(const QCollator &collator) {
    QHash<QStringView, int> indexOfText;
    indexOfText.reserve(m_column.rowCount());
    std::vector<QStringView> texts;
    std::vector<int> textOfRow(m_column.rowCount(), -1);
    for (int row = 0; row < m_column.rowCount(); ++row) {
      if (m_column.isNull(row))
        continue;
      const QStringView text = m_column.text(row);
      auto found = indexOfText.constFind(text);
      if (found == indexOfText.constEnd()) {
        found = indexOfText.insert(text, int(texts.size()));
        texts.push_back(text);
      }
      textOfRow[row] = *found;
    }

    std::vector<QCollatorSortKey> keys;
    keys.reserve(texts.size());
    for (QStringView text : texts)
      keys.push_back(collator.sortKey(text.toString()));
    std::vector<int> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return keys[a].compare(keys[b]) < 0; });
    std::vector<int> rankOfText(texts.size());
    for (size_t i = 0, rank = 0; i < order.size(); ++i) {
      if (i > 0 && keys[order[i - 1]].compare(keys[order[i]]) != 0)
        ++rank;
      rankOfText[order[i]] = int(rank);
    }

    m_ranks.resize(m_column.rowCount());
    for (int row = 0; row < m_column.rowCount(); ++row)
      if (textOfRow[row] >= 0)
        m_ranks[row] = rankOfText[textOfRow[row]];
  }

  const ResultColumn &m_column;
  StorageKind m_kind;
  std::vector<int> m_ranks; // text columns: rank of each row's text
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

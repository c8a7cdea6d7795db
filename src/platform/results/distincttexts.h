#pragma once

#include "platform/results/scratchmemory.h"

#include <QStringView>
#include <vector>

class ResultColumn;

// The distinct texts of a text column that repeats its texts a lot (units,
// states, types, classes): each row's text as an index into them, so that a
// sort ranks the few texts once instead of going over every row's text.
class DistinctTexts {
public:
  // Collects the distinct texts of `column`, giving up (found() false) as
  // soon as there are more than `limit` of them.
  DistinctTexts(const ResultColumn &column, int limit);

  bool found() const { return m_found; }
  // The distinct texts, in the order of their first row.
  const std::vector<QStringView> &texts() const { return m_texts; }
  // The index of each row's text in texts(), -1 for null; taken once.
  ScratchVector<int> takeIndexOfRow() { return std::move(m_indexOfRow); }

private:
  // The index of `text` among the texts, added if new; -1 when adding
  // would go past the limit.
  int indexOf(QStringView text);

  int m_limit;
  std::vector<int> m_table;      // open addressing: text indexes, -1 empty
  std::vector<quint64> m_hashes; // of each distinct text
  std::vector<QStringView> m_texts;
  ScratchVector<int> m_indexOfRow;
  bool m_found = true;
};

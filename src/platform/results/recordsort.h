#pragma once

#include "platform/results/resulttable.h"

#include <QStringView>
#include <vector>

struct SortKey {
  int column = 0;
  bool descending = false;
};

// Reads a sort expression: "<field>[ ASC| DESC]", several joined by ",".
// Field names are matched ignoring case. Throws DatabaseError for a field
// the result lacks or a word that is neither ASC nor DESC. An empty
// expression gives no keys.
std::vector<SortKey> parseSortExpression(const ResultTable &table,
                                         QStringView expression);

class WorkProgress;

// Row numbers of `table` in sorted order. The sort is stable (equal rows keep
// their order, also when descending); nulls come first ascending and last
// descending; text compares as the user's language orders it (for Chinese,
// by pinyin). With `progress`, a cancel made there throws WorkCancelled
// within a few milliseconds.
std::vector<int> sortedRows(const ResultTable &table,
                            const std::vector<SortKey> &keys,
                            const WorkProgress *progress = nullptr);

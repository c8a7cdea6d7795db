#pragma once

#include "platform/results/scratchmemory.h"

#include <QCollator>

class ResultColumn;
class WorkProgress;

// The rank of each row's text among the column's texts in `collator`'s
// order: 0 for the first, equal texts (and texts the collator holds equal)
// the same rank, -1 for null. Exactly the collator's order, made fast for a
// title click on a large column. With `progress`, a cancel made there
// throws WorkCancelled between the steps of the work.
ScratchVector<int> collationRanks(const ResultColumn &column,
                                  const QCollator &collator,
                                  const WorkProgress *progress = nullptr);

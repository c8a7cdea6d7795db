#pragma once

#include "export/columnsehlist.h"

#include <vector>

class TDBGridEh;
class THeadTreeNode;

// Multi-level titles as table rows, shared by the HTML and rich-text
// writers. Level 0 holds the leaves; each level has one entry per export
// column, in export order: the title node standing over that column at that
// level, or null once a span has absorbed the entry.
using TitleLevels = std::vector<std::vector<const THeadTreeNode *>>;

// The levels of the grid's title tree over `columns`: climbing from the
// leaves, the nodes of least height move up to their parents level by level
// until only the root is left (it is never part of the table). A leaf that
// reaches over several levels stands in each of them. Always holds level 0.
TitleLevels BuildTitleLevels(const TDBGridEh &grid,
                             const TColumnsEhList &columns);

struct TitleSpan {
  int rowSpan = 1;
  int colSpan = 1;
};

// The span of the entry at (`level`, `position`): the same node repeated
// downward gives the row span, to the right the column span. Every other
// entry of the block it covers is emptied, so later cells skip them. An
// empty entry gives 1 × 1.
TitleSpan ComputeTitleSpan(TitleLevels &levels, int level, int position);

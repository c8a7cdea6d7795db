#include "export/titlelevels.h"

#include "grid/columneh.h"
#include "grid/dbgrideh.h"
#include "grid/headtreenode.h"

#include <algorithm>

TitleLevels BuildTitleLevels(const TDBGridEh &grid,
                             const TColumnsEhList &columns) {
  std::vector<const THeadTreeNode *> nodes;
  std::vector<int> heights;
  for (const TColumnEh *column : columns) {
    const THeadTreeNode *leaf = grid.LeafNode(column->Index());
    nodes.push_back(leaf);
    heights.push_back(leaf != nullptr ? leaf->Height : 0);
  }
  TitleLevels levels;
  // The tree gives every chain from leaf to root the same total height, so
  // the nodes climbing together at the least height form one level.
  bool moved = true;
  while (true) {
    const int least =
        heights.empty() ? 0 : *std::min_element(heights.begin(), heights.end());
    std::vector<const THeadTreeNode *> row = nodes;
    for (size_t i = 0; i < nodes.size(); ++i) {
      if (heights[i] == least && nodes[i] != nullptr &&
          nodes[i]->Parent() != nullptr) {
        nodes[i] = nodes[i]->Parent();
        heights[i] += nodes[i]->Height;
        moved = true;
      }
    }
    if (!moved)
      break;
    levels.push_back(std::move(row));
    moved = false;
  }
  return levels;
}

TitleSpan ComputeTitleSpan(TitleLevels &levels, int level, int position) {
  TitleSpan span;
  const THeadTreeNode *node = levels[size_t(level)][size_t(position)];
  if (node == nullptr)
    return span;
  for (int lower = level - 1; lower >= 0; --lower) {
    const THeadTreeNode *&entry = levels[size_t(lower)][size_t(position)];
    if (entry != node)
      break;
    ++span.rowSpan;
    entry = nullptr;
  }
  std::vector<const THeadTreeNode *> &row = levels[size_t(level)];
  for (size_t right = size_t(position) + 1; right < row.size(); ++right) {
    if (row[right] != node)
      break;
    ++span.colSpan;
    row[right] = nullptr;
  }
  for (int lower = level - span.rowSpan + 1; lower <= level - 1; ++lower)
    for (int right = position + 1; right <= position + span.colSpan - 1;
         ++right)
      levels[size_t(lower)][size_t(right)] = nullptr;
  return span;
}

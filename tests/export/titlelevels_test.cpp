#include "support/exportgrid.h"

#include "export/titlelevels.h"
#include "grid/headtreenode.h"

#include <gtest/gtest.h>

namespace {

struct LevelsCase {
  const char *name;
  std::vector<QString> captions;
  int hiddenColumn; // -1: none
  // From the top level down: each cell as "text rows×cols".
  std::vector<std::vector<std::string>> rows;
};

// The title cells the writers emit: levels from the top, entries left to
// right, each entry a span whose block is skipped afterwards.
std::vector<std::vector<std::string>> titleCells(const TDBGridEh &grid) {
  TColumnsEhList columns;
  for (TColumnEh *column : grid.VisibleColumns())
    columns.push_back(column);
  TitleLevels levels = BuildTitleLevels(grid, columns);
  std::vector<std::vector<std::string>> rows;
  for (int level = int(levels.size()) - 1; level >= 0; --level) {
    std::vector<std::string> row;
    for (int position = 0; position < int(columns.size()); ++position) {
      const THeadTreeNode *node = levels[size_t(level)][size_t(position)];
      if (!node)
        continue;
      const TitleSpan span = ComputeTitleSpan(levels, level, position);
      row.push_back(node->Text.toStdString() + " " +
                    std::to_string(span.rowSpan) + "x" +
                    std::to_string(span.colSpan));
    }
    rows.push_back(row);
  }
  return rows;
}

class TitleLevelsTest : public testing::TestWithParam<LevelsCase> {};

TEST_P(TitleLevelsTest, EachTitleCellIsWrittenOnce) {
  ExportGrid grid;
  const LevelsCase &c = GetParam();
  for (size_t i = 0; i < c.captions.size(); ++i)
    grid.addColumn(QStringLiteral("f%1").arg(i), c.captions[i], 40)
        .setVisible(int(i) != c.hiddenColumn);
  EXPECT_EQ(titleCells(grid.grid), c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, TitleLevelsTest,
    testing::Values(
        LevelsCase{"Plain", {"P", "Q"}, -1, {{"P 1x1", "Q 1x1"}}},
        // A spans two levels and two columns: the rest of its block
        // (second level, second column) must not be written again.
        LevelsCase{
            "GroupBesideThreeLevels",
            {"A|B", "A|C", "X|Y|Z"},
            -1,
            {{"A 2x2", "X 1x1"}, {"Y 1x1"}, {"B 1x1", "C 1x1", "Z 1x1"}}},
        LevelsCase{"ThreeLevelsNested",
                   {"P|Q|R", "P|Q|S", "P|T"},
                   -1,
                   {{"P 1x3"}, {"Q 1x2", "T 2x1"}, {"R 1x1", "S 1x1"}}},
        LevelsCase{"HiddenColumnInsideAGroup",
                   {"A|B", "A|H", "A|C", "D"},
                   1,
                   {{"A 1x2", "D 2x1"}, {"B 1x1", "C 1x1"}}}),
    [](const testing::TestParamInfo<LevelsCase> &info) {
      return std::string(info.param.name);
    });

} // namespace

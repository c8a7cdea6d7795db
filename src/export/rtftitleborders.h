#pragma once

#include <set>
#include <utility>

// Which of a cell's four borders a rich-text table draws.
struct CellBorders {
  bool left = true;
  bool top = true;
  bool bottom = true;
  bool right = true;
};

// Rich text has no spanning cells here: a multi-level title defines one cell
// per column at every level and draws a span by leaving out the borders
// inside it. These sets remember, per cell (export position, title level),
// which borders a span has taken away; a span registered at an upper level
// also covers the cells of the levels below it.
class RtfTitleBorders {
public:
  // The span whose top-left cell is (`position`, `level`) and which reaches
  // `colSpan` positions to the right and `rowSpan` levels down.
  void RegisterSpanBorders(int position, int level, int colSpan, int rowSpan);
  // All four borders unless a registered span took some away.
  CellBorders LookupCellBorders(int position, int level) const;

private:
  using CellKey = std::pair<int, int>;
  std::set<CellKey> NoLeftBorder;
  std::set<CellKey> NoRightBorder;
  std::set<CellKey> NoTopBorder;
  std::set<CellKey> NoBottomBorder;
};

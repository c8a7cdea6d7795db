#include "export/rtftitleborders.h"

void RtfTitleBorders::RegisterSpanBorders(int position, int level, int colSpan,
                                          int rowSpan) {
  const int last = position + colSpan - 1;
  const int bottom = level - rowSpan + 1;
  for (int k = position; k <= last; ++k) {
    for (int l = level; l >= bottom; --l) {
      if (k != position)
        NoLeftBorder.insert({k, l});
      if (k != last)
        NoRightBorder.insert({k, l});
      if (l != level)
        NoTopBorder.insert({k, l});
      if (l != bottom)
        NoBottomBorder.insert({k, l});
    }
  }
}

CellBorders RtfTitleBorders::LookupCellBorders(int position, int level) const {
  const CellKey key{position, level};
  CellBorders borders;
  borders.left = !NoLeftBorder.contains(key);
  borders.right = !NoRightBorder.contains(key);
  borders.top = !NoTopBorder.contains(key);
  borders.bottom = !NoBottomBorder.contains(key);
  return borders;
}

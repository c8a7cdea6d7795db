#pragma once

class TDBGridEh;

// The six columns of the component window's grid (dbg_bomdetail), with
// their fields, titles and widths; CQty1 shows "0.00" and carries a sum
// footer in the same pattern. Replaces any columns the grid had.
void setupBomDetailColumns(TDBGridEh &grid);

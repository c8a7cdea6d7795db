#pragma once

class TDBGridEh;

// The eleven columns of the main window's header grid (dbg_bominfomain),
// with their fields, titles and widths, and the static "合计" footer on
// InvCode. Replaces any columns the grid had.
void setupBomInfoMainColumns(TDBGridEh &grid);

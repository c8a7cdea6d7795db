#pragma once

class TDBGridEh;

// The settings both windows give their grid: "宋体" 12-pixel fonts, white
// cells, active-border fixed cells, indicator, lines, title buttons,
// multi-level titles, read-only, no footer rows.
void applyBomGridSettings(TDBGridEh &grid);

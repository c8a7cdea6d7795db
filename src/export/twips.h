#pragma once

// Rich-text geometry. Both are defined by extended arithmetic (see
// ExtendedReal) and give the same result on every compiler.

// Twips of a width in pixels at `dpi` pixels per inch: pixels ÷ dpi × 1440,
// each step rounded to extended precision, then truncated toward zero. 145
// pixels at 96 dpi are 2175; 156 pixels at 120 dpi are 1871, not 1872.
int twipsOf(int pixels, int dpi);

// The "\sb" and "\sa" spacing of multi-level title cells: the absolute value
// of margin ÷ 2 ÷ dpi × 1440 − 20, truncated toward zero before the absolute
// value is taken. A margin of 10 gives 55 at 96 dpi and 40 at 120 dpi.
int titleSpacingOf(int vTitleMargin, int dpi);

#pragma once

#include <vector>

class TFont;
class TextMetrics;

// Height of a data row in pixels: RowHeight + (character height + external
// leading) × RowLines when either is above 0, else the height of "Wg" plus
// 3 (1 when flat) plus the row line width.
int dataRowHeight(const TextMetrics &metrics, const TFont &font, bool flat,
                  int rowLineWidth, int rowHeight, int rowLines);

// Whether a data row is taller than one text line plus its leadings and 4
// pixels, so that word-wrapping columns may wrap.
bool rowWrapCondition(const TextMetrics &metrics, const TFont &font,
                      int dataRowHeight);

// Height of a one-level title row: the tallest "Wg" + 4 over the title
// fonts (the grid's title font without columns); with TitleLines or
// TitleHeight above 0, TitleLines × character height + external leading + 2
// + TitleHeight (+ 1 with row lines) in the first font of that tallest
// height.
int plainTitleRowHeight(const TextMetrics &metrics,
                        const std::vector<const TFont *> &titleFonts,
                        const TFont &gridTitleFont, int titleLines,
                        int titleHeight, int rowLineWidth);

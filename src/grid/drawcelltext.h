#pragma once

#include "platform/dataset/alignment.h"

#include <QFontMetrics>
#include <QRect>
#include <QString>

struct TCanvas;

enum TTextLayout { tlTop, tlCenter, tlBottom };

// Writes `text` into `rect` of the canvas with the canvas's font, filling
// the rectangle with its brush (unless the brush is clear). dx and dy are
// pixels from the left and top edge; right-aligned text ends 3 pixels before
// the right edge. Single lines on a colour the device shows as it is are
// written straight onto the canvas; word-wrapped text and dithered colours
// go through one off-screen bitmap that all grids share, held under a lock
// for each use.
void DrawCellText(TCanvas &canvas, const QRect &rect, int dx, int dy,
                  const QString &text, TAlignment alignment, TTextLayout layout,
                  bool wordWrap, bool endEllipsis, int leftMargin,
                  int rightMargin, bool rightToLeft);

// `text` cut at its end, one character at a time, with "..." appended until
// it is at most `width` pixels wide; unchanged when it fits.
QString endEllipsisText(const QFontMetrics &metrics, const QString &text,
                        int width);

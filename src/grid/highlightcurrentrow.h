#pragma once

#include "grid/gridoptions.h"

#include <QRect>

class TDBGridEh;
class TColumnEh;

// The cell-drawing handler of both windows' grids (OnDrawColumnCell): every
// cell of the current record white on navy, every other data cell black on
// white, the text written by the grid's own PaintDataCell in the column's
// font face, size and style.
void HighlightCurrentRow(TDBGridEh &Sender, const QRect &Rect, int DataCol,
                         TColumnEh &Column, TGridDrawState State);

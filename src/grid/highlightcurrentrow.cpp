#include "grid/highlightcurrentrow.h"

#include "grid/dbgrideh.h"

void HighlightCurrentRow(TDBGridEh &Sender, const QRect &Rect, int DataCol,
                         TColumnEh &Column, TGridDrawState State) {
  TCanvas &canvas = Sender.Canvas();
  // While the grid draws a row, its active record is the row's record.
  if (Sender.ActiveRecord() == Sender.Row() - Sender.TitleRowCount()) {
    canvas.Brush.Color = clNavy;
    canvas.Font.setColor(clWhite);
  } else {
    canvas.Brush.Color = clWhite;
    canvas.Font.setColor(clBlack);
  }
  Sender.PaintDataCell(Rect, DataCol, Column, State);
}

#pragma once

class TDBGridEh;
class TColumnEh;
class Query;

// The title-click handler of the component grid: sorts `DataSet` on the
// client by the clicked column, ascending unless its current sort
// expression is exactly "<field> ASC", in which case descending. The
// sorted column's caption gets "▲" or "▼" in front and a bold title font;
// every other title loses its marker and is plain in the window-text
// colour. Does nothing while the dataset is closed. The sort runs as long
// work of the grid's window (LongWork): off the window's thread, with its
// progress window once it takes a while; a cancel (Esc) leaves the rows'
// order and every title as they were.
void ApplyTitleSort(TDBGridEh &Grid, Query *DataSet, TColumnEh &Column);

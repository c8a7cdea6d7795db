#pragma once

class TDBGridEh;
class TColumnEh;
class Query;

// The title-click handler of the component grid: sorts `DataSet` on the
// client by the clicked column, ascending unless its current sort
// expression is exactly "<field> ASC", in which case descending. The
// sorted column's caption gets "▲" or "▼" in front and a bold title font;
// every other title loses its marker and is plain in the window-text
// colour. Does nothing while the dataset is closed.
void ApplyTitleSort(TDBGridEh &Grid, Query *DataSet, TColumnEh &Column);

#include "grid/columnlayout.h"

#include "grid/dbgrideh.h"

void addLayoutColumns(TDBGridEh &grid, std::span<const ColumnLayout> layouts) {
  grid.Columns().Clear();
  for (const ColumnLayout &layout : layouts) {
    TColumnEh &column = grid.Columns().Add();
    column.setFieldName(QString::fromUtf8(layout.fieldName));
    column.Title().setCaption(QString::fromUtf8(layout.title));
    column.setWidth(layout.width);
  }
}

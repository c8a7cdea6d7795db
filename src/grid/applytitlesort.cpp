#include "grid/applytitlesort.h"

#include "grid/dbgrideh.h"
#include "platform/dataset/query.h"

namespace {

const QString ascendingMarker = QStringLiteral("▲");
const QString descendingMarker = QStringLiteral("▼");

} // namespace

void ApplyTitleSort(TDBGridEh &Grid, Query *DataSet, TColumnEh &Column) {
  if (!DataSet || !DataSet->active())
    return;
  TDBGridColumnsEh &columns = Grid.Columns();
  for (int i = 0; i < columns.Count(); ++i) {
    TColumnTitleEh &title = columns[i].Title();
    const QString caption = title.Caption();
    if (caption.startsWith(ascendingMarker) ||
        caption.startsWith(descendingMarker))
      title.setCaption(caption.mid(ascendingMarker.size()));
  }
  for (int i = 0; i < columns.Count(); ++i) {
    TFont &font = columns[i].Title().Font();
    font.setColor(clWindowText);
    font.setStyle(TFontStyles());
  }
  const QString field = Column.FieldName();
  const bool ascending = DataSet->sort() != field + QStringLiteral(" ASC");
  DataSet->setSort(
      field + (ascending ? QStringLiteral(" ASC") : QStringLiteral(" DESC")));
  Column.Title().Font().setStyle(fsBold);
  Column.Title().setCaption((ascending ? ascendingMarker : descendingMarker) +
                            Column.Title().Caption());
}

#include "grid/applytitlesort.h"

#include "grid/dbgrideh.h"
#include "platform/dataset/query.h"
#include "platform/desktop/waitcursor.h"
#include "platform/longwork/longwork.h"

namespace {

const QString ascendingMarker = QStringLiteral("▲");
const QString descendingMarker = QStringLiteral("▼");

} // namespace

void ApplyTitleSort(TDBGridEh &Grid, Query *DataSet, TColumnEh &Column) {
  if (!DataSet || !DataSet->active())
    return;
  const QString field = Column.FieldName();
  const bool ascending = DataSet->sort() != field + QStringLiteral(" ASC");
  {
    // Sorting many rows takes a while: the grid shows the old order, with
    // its markers, until the new one is complete, and keeps it when the
    // user cancels.
    LongWork work(Grid.window(), WorkKind::Sort);
    const WaitCursor busy;
    try {
      DataSet->setSort(field + (ascending ? QStringLiteral(" ASC")
                                          : QStringLiteral(" DESC")),
                       &work);
    } catch (const WorkCancelled &) {
      return;
    }
  }
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
  Column.Title().Font().setStyle(fsBold);
  Column.Title().setCaption((ascending ? ascendingMarker : descendingMarker) +
                            Column.Title().Caption());
}

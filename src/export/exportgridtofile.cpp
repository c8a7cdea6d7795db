#include "export/exportgridtofile.h"

#include "export/dbgridehexport.h"
#include "export/exporterclass.h"
#include "grid/dbgrideh.h"
#include "platform/desktop/savedialog.h"
#include "platform/desktop/waitcursor.h"
#include "platform/errors.h"
#include "platform/longwork/longwork.h"

#include <QScopeGuard>

QString datedFileName(const QString &prefix, const QDate &today) {
  return prefix + today.toString(QStringLiteral("yyyyMMdd"));
}

bool ExportGridToFile(TDBGridEh *grid, const QString &defaultName,
                      int preferredType, SaveDialog &dialog, QWidget *owner) {
  if (!grid)
    return false;
  const std::optional<SaveDialogChoice> choice =
      dialog.execute(owner, {ExportDialogFilter, QStringLiteral("xls"),
                             defaultName, preferredType + 1});
  if (!choice || choice->fileName.isEmpty())
    return false;
  const TDBGridEhExportClass writerClass =
      exporterClassOfFilterIndex(choice->filterIndex);
  // Writing some other type than the one chosen would pass for success.
  if (!writerClass)
    throw Error(QStringLiteral("无法确定所选的文件类型，未输出文件"));
  const std::unique_ptr<TDBGridEhExport> writer = writerClass();
  writer->setGrid(grid);
  // The walk reads the grid and its query, which belong to this thread: it
  // runs here, returning to the event loop between rows.
  LongWork work(owner, WorkKind::Export);
  const WaitCursor busy;
  // The grid shows what it showed before the export until the export ends,
  // though the walk moves the query's current record under it.
  grid->viewport()->setUpdatesEnabled(false);
  const auto thaw =
      qScopeGuard([grid] { grid->viewport()->setUpdatesEnabled(true); });
  try {
    writer->WriteGridToFile(choice->fileName, true, &work);
  } catch (const WorkCancelled &) {
    // Nothing was stored: a file of that name keeps what it held (unless
    // its folder made the export write in place, see SafeFile).
    return false;
  }
  return true;
}

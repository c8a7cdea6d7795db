#include "export/exportgridtofile.h"

#include "export/dbgridehexport.h"
#include "export/exporterclass.h"
#include "platform/errors.h"
#include "platform/savedialog.h"
#include "platform/waitcursor.h"

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
  const WaitCursor busy;
  writer->WriteGridToFile(choice->fileName, true);
  return true;
}

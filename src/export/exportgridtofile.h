#pragma once

#include <QDate>
#include <QString>

class QWidget;
class SaveDialog;
class TDBGridEh;

// The file types the save dialog offers for an export, in filter-index
// order: spreadsheet, rich text, HTML, plain text, Excel workbook.
inline const QString ExportDialogFilter = QStringLiteral(
    "Excel 文档( *.xls)|*.xls|Word 文档(*.RTF)|*.rtf|Html 网页(*.html)|*.html|"
    "纯文本  文档 (*.txt)|*.TXT|Excel 工作簿(*.xlsx)|*.xlsx");

// `prefix` followed by `today` as "yyyymmdd", the name an export proposes
// ("BOM查询-20240305").
QString datedFileName(const QString &prefix, const QDate &today);

// The export command of both windows: asks for a file in the save dialog
// (the file types above, a name typed without an extension completed with
// the one of the type chosen, `defaultName` proposed, `preferredType` 0..3
// preselecting types 1..4) and
// writes every row of `grid` with the writer of the file type left
// selected, whatever extension was typed. False when no grid was given or
// the dialog or the export was cancelled (a cancelled export leaves the
// file as it was). Throws Error, writing nothing, when the dialog cannot
// tell which file type was selected. The export runs as long work
// (LongWork) of `owner`; errors while writing are not caught.
bool ExportGridToFile(TDBGridEh *grid, const QString &defaultName,
                      int preferredType, SaveDialog &dialog, QWidget *owner);

#include "export/dbgridehexportastext.h"

#include "grid/columneh.h"

void TDBGridEhExportAsText::WriteGridToStream(OutputStream &stream,
                                              bool exportAll) {
  IsFirstLine = true;
  TDBGridEhExport::WriteGridToStream(stream, exportAll);
}

void TDBGridEhExportAsText::BeginLine() {
  if (IsFirstLine)
    IsFirstLine = false;
  else
    WriteBytes("\r\n");
}

void TDBGridEhExportAsText::BeginCell() {
  if (IsFirstCell)
    IsFirstCell = false;
  else
    WriteBytes("\t");
}

void TDBGridEhExportAsText::EmitTitleRows(const TColumnsEhList &columns) {
  BeginLine();
  QString line;
  for (size_t i = 0; i < columns.size(); ++i) {
    if (i > 0)
      line += u'\t';
    line += columns[i]->Title().Caption();
  }
  WriteText(line);
}

void TDBGridEhExportAsText::EmitDataRow(const TColumnsEhList &columns) {
  BeginLine();
  IsFirstCell = true;
  TDBGridEhExport::EmitDataRow(columns);
}

void TDBGridEhExportAsText::EmitDataCell(TColumnEh &,
                                         TColCellParamsEh &params) {
  BeginCell();
  WriteText(params.Text);
}

void TDBGridEhExportAsText::EmitFooterRow(const TColumnsEhList &columns,
                                          int footerRow) {
  BeginLine();
  IsFirstCell = true;
  TDBGridEhExport::EmitFooterRow(columns, footerRow);
}

void TDBGridEhExportAsText::EmitFooterCell(int, int, TColumnEh &, TFont &,
                                           TColor, TAlignment,
                                           const QString &text) {
  BeginCell();
  WriteText(text);
}

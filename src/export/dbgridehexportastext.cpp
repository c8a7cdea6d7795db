#include "export/dbgridehexportastext.h"

#include "grid/columneh.h"

void TDBGridEhExportAsText::WriteGridToStream(OutputStream &stream,
                                              bool exportAll) {
  IsFirstLine = true;
  // A line left over from an export that failed in mid-line.
  m_line.clear();
  TDBGridEhExport::WriteGridToStream(stream, exportAll);
}

void TDBGridEhExportAsText::BeginLine() {
  IsFirstCell = true;
  if (IsFirstLine)
    IsFirstLine = false;
  else
    m_line.append("\r\n");
}

void TDBGridEhExportAsText::BeginCell() {
  if (IsFirstCell)
    IsFirstCell = false;
  else
    m_line.append('\t');
}

void TDBGridEhExportAsText::EndLine() {
  WriteBytes(m_line.bytes());
  m_line.clear();
}

void TDBGridEhExportAsText::EmitTitleRows(const TColumnsEhList &columns) {
  BeginLine();
  for (const TColumnEh *column : columns) {
    BeginCell();
    m_line.appendText(column->Title().Caption());
  }
  EndLine();
}

void TDBGridEhExportAsText::EmitDataRow(const TColumnsEhList &columns) {
  BeginLine();
  TDBGridEhExport::EmitDataRow(columns);
  EndLine();
}

void TDBGridEhExportAsText::EmitDataCell(TColumnEh &,
                                         TColCellParamsEh &params) {
  BeginCell();
  m_line.appendText(params.Text);
}

void TDBGridEhExportAsText::EmitFooterRow(const TColumnsEhList &columns,
                                          int footerRow) {
  BeginLine();
  TDBGridEhExport::EmitFooterRow(columns, footerRow);
  EndLine();
}

void TDBGridEhExportAsText::EmitFooterCell(int, int, TColumnEh &, TFont &,
                                           TColor, TAlignment,
                                           const QString &text) {
  BeginCell();
  m_line.appendText(text);
}

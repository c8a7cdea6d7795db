#include "export/dbgridehexportasxls.h"

#include "export/extendedreal.h"
#include "export/outputstream.h"
#include "export/xlsrecords.h"
#include "grid/columneh.h"
#include "grid/dbgrideh.h"
#include "platform/dataset/field.h"
#include "platform/dataset/numericfield.h"
#include "platform/dataset/query.h"
#include "platform/errors.h"

void TDBGridEhExportAsXLS::WriteGridToStream(OutputStream &stream,
                                             bool exportAll) {
  CurrentColumn = 0;
  CurrentRow = 0;
  // Records left over from an export that failed in mid-row.
  m_records.clear();
  if (exportAll)
    checkRowCount();
  TDBGridEhExport::WriteGridToStream(stream, exportAll);
}

void TDBGridEhExportAsXLS::checkRowCount() const {
  // Without a visible column no cell record is written, whatever the rows.
  if (grid().VisibleColumns().empty() || grid().DataSet() == nullptr)
    return;
  const qint64 rows = ((grid().Options() & dgTitles) ? 1 : 0) +
                      qint64(grid().DataSet()->recordCount()) +
                      grid().FooterRowCount();
  if (rows > xls::kMaxRows)
    throw FormatError(
        QStringLiteral("XLS 文件最多只能容纳 %1 行，本次输出需要 %2 行。"
                       "请改用“Excel 工作簿(*.xlsx)”类型输出。")
            .arg(xls::kMaxRows)
            .arg(rows));
}

void TDBGridEhExportAsXLS::BeginDocument() {
  WriteBytes(xls::bytesOf(xls::bofRecord()));
}

void TDBGridEhExportAsXLS::EndDocument() {
  WriteBytes(xls::bytesOf(xls::eofRecord()));
}

void TDBGridEhExportAsXLS::EmitTitleRows(const TColumnsEhList &columns) {
  for (const TColumnEh *column : columns)
    WriteLabelRecord(column->Title().Caption());
  writeRecords();
}

void TDBGridEhExportAsXLS::EmitDataRow(const TColumnsEhList &columns) {
  TDBGridEhExport::EmitDataRow(columns);
  writeRecords();
}

void TDBGridEhExportAsXLS::EmitFooterRow(const TColumnsEhList &columns,
                                         int footerRow) {
  TDBGridEhExport::EmitFooterRow(columns, footerRow);
  writeRecords();
}

void TDBGridEhExportAsXLS::writeRecords() {
  WriteBytes(m_records.bytes());
  m_records.clear();
}

void TDBGridEhExportAsXLS::EmitDataCell(TColumnEh &column,
                                        TColCellParamsEh &params) {
  const TField *field = column.Field();
  if (field == nullptr || field->IsNull()) {
    WriteBlankRecord();
    return;
  }
  // Numbers are written as the field holds them: the cell text, a column
  // pattern and whatever a handler changed in the text play no part.
  switch (field->DataType()) {
  case FieldType::Integer:
  case FieldType::Word:
    WriteIntegerRecord(field->AsInteger());
    return;
  case FieldType::BCD:
    // A value beyond the fixed-point storage has no number to write; the
    // cell holds what the grid shows for it.
    if (static_cast<const TBCDField *>(field)->IsOverflow()) {
      WriteLabelRecord(params.Text);
      return;
    }
    WriteNumberRecord(field->AsFloat());
    return;
  case FieldType::Float:
    WriteNumberRecord(field->AsFloat());
    return;
  default:
    WriteLabelRecord(params.Text);
  }
}

void TDBGridEhExportAsXLS::EmitFooterCell(int position, int footerRow,
                                          TColumnEh &column, TFont &, TColor,
                                          TAlignment, const QString &text) {
  const TFooterValueType type = column.UsedFooter(footerRow).ValueType();
  if (type == fvtSum || type == fvtCount)
    WriteNumberRecord(
        ExtendedReal::quotient(FooterSum(footerRow, position), 10000)
            .toDouble());
  else
    WriteLabelRecord(text);
}

void TDBGridEhExportAsXLS::WriteBlankRecord() {
  const xls::Blank record = xls::blankRecord(CurrentRow, CurrentColumn);
  m_records.append(xls::bytesOf(record));
  AdvanceCell();
}

void TDBGridEhExportAsXLS::WriteIntegerRecord(qint32 value) {
  if (value < xls::kMinRk || value > xls::kMaxRk) {
    WriteNumberRecord(value);
    return;
  }
  const xls::Rk record = xls::rkRecord(CurrentRow, CurrentColumn, value);
  m_records.append(xls::bytesOf(record));
  AdvanceCell();
}

void TDBGridEhExportAsXLS::WriteNumberRecord(double value) {
  const xls::Number record =
      xls::numberRecord(CurrentRow, CurrentColumn, value);
  m_records.append(xls::bytesOf(record));
  AdvanceCell();
}

void TDBGridEhExportAsXLS::WriteLabelRecord(const QString &text) {
  m_labelText.clear();
  m_labelText.appendText(text);
  const QByteArrayView fitting = xls::labelText(m_labelText.bytes());
  const xls::LabelHeader header =
      xls::labelHeader(CurrentRow, CurrentColumn, quint16(fitting.size()));
  m_records.append(xls::bytesOf(header));
  m_records.append(fitting);
  AdvanceCell();
}

void TDBGridEhExportAsXLS::AdvanceCell() {
  if (CurrentColumn + 1 == int(ExportColumns().size())) {
    ++CurrentRow;
    CurrentColumn = 0;
  } else {
    ++CurrentColumn;
  }
}

#pragma once

#include "export/dbgridehexport.h"
#include "export/markupbuffer.h"

#include <QByteArrayView>

// A bare spreadsheet worksheet record stream: BOF, one cell record per
// title, data and footer cell, EOF. Integer cells are RK records (NUMBER
// beyond the RK range), decimal and floating-point cells NUMBER records
// holding the field's full value, nulls BLANK records, everything else LABEL
// records of the cell text in code page 936.
//
// An export that would need more rows than a worksheet holds is refused
// before anything is written (row numbers are 16-bit and would wrap round),
// and a text too long for one label is cut at a character boundary.
class TDBGridEhExportAsXLS : public TDBGridEhExport {
public:
  // Throws FormatError when titles, records and footer rows together exceed
  // the 65,536 rows of a worksheet (nothing is written then).
  void WriteGridToStream(OutputStream &stream, bool exportAll) override;

protected:
  void BeginDocument() override;
  void EndDocument() override;
  void EmitTitleRows(const TColumnsEhList &columns) override;
  void EmitDataRow(const TColumnsEhList &columns) override;
  void EmitDataCell(TColumnEh &column, TColCellParamsEh &params) override;
  void EmitFooterRow(const TColumnsEhList &columns, int footerRow) override;
  void EmitFooterCell(int position, int footerRow, TColumnEh &column,
                      TFont &font, TColor background, TAlignment alignment,
                      const QString &text) override;

private:
  void checkRowCount() const;
  // Each writes one record at (CurrentRow, CurrentColumn) and advances.
  void WriteBlankRecord();
  void WriteIntegerRecord(qint32 value);
  void WriteNumberRecord(double value);
  void WriteLabelRecord(const QString &text);
  void AdvanceCell();
  // Writes the records of a row and empties the buffer.
  void writeRecords();

  quint16 CurrentColumn = 0;
  quint16 CurrentRow = 0;
  // A row's records, written whole at its end.
  MarkupBuffer m_records;
  // A label's text bytes.
  MarkupBuffer m_labelText;
};

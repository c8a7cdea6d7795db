#pragma once

#include "export/dbgridehexport.h"

#include <QHash>
#include <QString>
#include <memory>
#include <optional>

struct lxw_format;
class TDateTimeField;
class XlsxWorkbook;

// An Excel workbook (.xlsx) of one worksheet holding the grid as it shows:
// the title row(s) in bold and frozen, multi-level titles as merged cells;
// numbers as numbers in a format that shows exactly the grid's text for
// that value (xlsxCellNumberFormat); date-times as Excel dates in the
// pattern the grid shows them with; text, booleans and whatever Excel
// cannot show the same way as the grid's text (codes keep their leading
// zeros), a text that a column's handler gave a cell included; nulls empty;
// column widths as on screen. Footer sums and counts are numbers where a
// format shows their text, other footers text.
//
// The worksheet is written row by row with memory flat in the row count; an
// export larger than a worksheet is refused before anything is written.
class TDBGridEhExportAsXLSX : public TDBGridEhExport {
public:
  TDBGridEhExportAsXLSX();
  ~TDBGridEhExportAsXLSX() override;

  // Throws FormatError when titles, records and footer rows together exceed
  // the 1,048,576 rows of a worksheet, or the columns its 16,384 columns
  // (nothing is written then).
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
  void checkSize() const;
  int titleRowCount() const;
  void emitTitleLevels(const TColumnsEhList &columns);
  // `value` as a number where a format shows it as `text`, the grid's text
  // of it with `pattern`, else `text`.
  void writeNumber(int column, double value, const QString &pattern,
                   const QString &text);
  void writeDateTime(int column, const TDateTimeField &field,
                     const QString &columnPattern, const QString &text);
  // The number format of a grid pattern (xlsxNumberFormat), empty for no
  // pattern; none where Excel has none.
  std::optional<QString> patternFormatOf(const QString &pattern);
  // Null when Excel has no date format that shows what the pattern shows.
  lxw_format *dateTimeFormatOf(const QString &pattern);

  std::unique_ptr<XlsxWorkbook> m_book;
  int m_row = 0;
  int m_column = 0;
  QHash<QString, std::optional<QString>> m_patternFormats;
  QHash<QString, lxw_format *> m_dateTimeFormats;
};

#include "export/dbgridehexportasxlsx.h"

#include "export/extendedreal.h"
#include "export/titlelevels.h"
#include "export/xlsxformats.h"
#include "export/xlsxnumbercell.h"
#include "export/xlsxworkbook.h"
#include "grid/celldisplaytext.h"
#include "grid/columneh.h"
#include "grid/dbgrideh.h"
#include "grid/headtreenode.h"
#include "platform/dataset/datetimefield.h"
#include "platform/dataset/numericfield.h"
#include "platform/dataset/query.h"
#include "platform/errors.h"
#include "platform/text/datetimeformat.h"
#include "platform/text/regionalformats.h"

namespace {

// The pattern a number or date-time cell is shown with: the column's, else
// the field's own.
QString patternOf(const TField &field, const QString &columnPattern) {
  if (!columnPattern.isEmpty())
    return columnPattern;
  if (const auto *numeric = dynamic_cast<const TNumericField *>(&field))
    return numeric->DisplayFormat();
  if (const auto *dateTime = dynamic_cast<const TDateTimeField *>(&field))
    return dateTime->DisplayFormat();
  return QString();
}

} // namespace

TDBGridEhExportAsXLSX::TDBGridEhExportAsXLSX() = default;
TDBGridEhExportAsXLSX::~TDBGridEhExportAsXLSX() = default;

void TDBGridEhExportAsXLSX::WriteGridToStream(OutputStream &stream,
                                              bool exportAll) {
  if (exportAll)
    checkSize();
  m_row = 0;
  m_patternFormats.clear();
  m_dateTimeFormats.clear();
  try {
    TDBGridEhExport::WriteGridToStream(stream, exportAll);
  } catch (...) {
    m_book.reset();
    throw;
  }
  m_book.reset();
}

int TDBGridEhExportAsXLSX::titleRowCount() const {
  if (!(grid().Options() & dgTitles) || grid().VisibleColumns().empty())
    return 0;
  if (!grid().UseMultiTitle())
    return 1;
  return int(BuildTitleLevels(grid(), grid().VisibleColumns()).size());
}

void TDBGridEhExportAsXLSX::checkSize() const {
  const qsizetype columns = grid().VisibleColumns().size();
  if (columns == 0 || grid().DataSet() == nullptr)
    return;
  if (columns > XlsxWorkbook::kMaxColumns)
    throw FormatError(
        QStringLiteral("XLSX 文件最多只能容纳 %1 列，本次输出需要 %2 列。")
            .arg(XlsxWorkbook::kMaxColumns)
            .arg(columns));
  const qint64 rows = titleRowCount() +
                      qint64(grid().DataSet()->recordCount()) +
                      grid().FooterRowCount();
  if (rows > XlsxWorkbook::kMaxRows)
    throw FormatError(
        QStringLiteral("XLSX 文件最多只能容纳 %1 行，本次输出需要 %2 行。")
            .arg(XlsxWorkbook::kMaxRows)
            .arg(rows));
}

void TDBGridEhExportAsXLSX::BeginDocument() {
  m_book = std::make_unique<XlsxWorkbook>();
  const TColumnsEhList &columns = ExportColumns();
  for (int position = 0; position < int(columns.size()); ++position)
    m_book->setColumnWidth(position, columns[size_t(position)]->Width());
}

void TDBGridEhExportAsXLSX::EndDocument() { m_book->close(Output()); }

void TDBGridEhExportAsXLSX::EmitTitleRows(const TColumnsEhList &columns) {
  if (columns.empty())
    return;
  if (grid().UseMultiTitle()) {
    emitTitleLevels(columns);
  } else {
    for (int position = 0; position < int(columns.size()); ++position)
      m_book->writeText(m_row, position,
                        columns[size_t(position)]->Title().Caption(),
                        m_book->boldFormat());
    ++m_row;
  }
  m_book->freezeRows(m_row);
}

void TDBGridEhExportAsXLSX::emitTitleLevels(const TColumnsEhList &columns) {
  struct Merge {
    int firstRow, firstColumn, lastRow, lastColumn;
    QString text;
  };
  std::vector<Merge> merges;
  lxw_format *bold = m_book->boldFormat();
  TitleLevels levels = BuildTitleLevels(grid(), columns);
  for (int level = int(levels.size()) - 1; level >= 0; --level, ++m_row) {
    for (int position = 0; position < int(columns.size()); ++position) {
      const THeadTreeNode *node = levels[size_t(level)][size_t(position)];
      if (node == nullptr) {
        m_book->writeBlank(m_row, position, bold);
        continue;
      }
      const TitleSpan span = ComputeTitleSpan(levels, level, position);
      m_book->writeText(m_row, position, node->Text, bold);
      if (span.rowSpan > 1 || span.colSpan > 1)
        merges.push_back({m_row, position, m_row + span.rowSpan - 1,
                          position + span.colSpan - 1, node->Text});
    }
    // A block is merged in its last row, once all of its cells exist: the
    // worksheet takes no cell of a row above the one being written.
    for (const Merge &merge : merges)
      if (merge.lastRow == m_row)
        m_book->mergeCells(merge.firstRow, merge.firstColumn, merge.lastRow,
                           merge.lastColumn, merge.text, bold);
  }
}

void TDBGridEhExportAsXLSX::EmitDataRow(const TColumnsEhList &columns) {
  m_column = 0;
  TDBGridEhExport::EmitDataRow(columns);
  ++m_row;
}

void TDBGridEhExportAsXLSX::EmitDataCell(TColumnEh &column,
                                         TColCellParamsEh &params) {
  const int position = m_column++;
  const TField *field = column.Field();
  if (field == nullptr || field->IsNull())
    return;
  switch (field->DataType()) {
  case FieldType::Integer:
  case FieldType::Word:
    writeNumber(position, field->AsInteger(),
                patternOf(*field, column.DisplayFormat()), params.Text);
    return;
  case FieldType::BCD:
    // A value beyond the fixed-point storage has no number to write.
    if (static_cast<const TBCDField *>(field)->IsOverflow())
      break;
    writeNumber(position, field->AsFloat(),
                patternOf(*field, column.DisplayFormat()), params.Text);
    return;
  case FieldType::Float:
    writeNumber(position, field->AsFloat(),
                patternOf(*field, column.DisplayFormat()), params.Text);
    return;
  case FieldType::DateTime:
    // A text that a column's handler gave the cell is what the grid shows.
    if (column.OnGetCellParams && params.Text != CellDisplayText(column))
      break;
    writeDateTime(position, static_cast<const TDateTimeField &>(*field),
                  column.DisplayFormat(), params.Text);
    return;
  default:
    break;
  }
  m_book->writeText(m_row, position, params.Text);
}

void TDBGridEhExportAsXLSX::writeNumber(int column, double value,
                                        const QString &pattern,
                                        const QString &text) {
  const std::optional<QString> patternFormat = patternFormatOf(pattern);
  const std::optional<QString> format =
      patternFormat ? xlsxCellNumberFormat(*patternFormat, value, text,
                                           RegionalFormats::current())
                    : std::nullopt;
  lxw_format *cellFormat = nullptr;
  if (format && *format != QLatin1String("General")) {
    cellFormat = m_book->numberFormat(*format);
    if (cellFormat == nullptr) {
      m_book->writeText(m_row, column, text);
      return;
    }
  }
  if (format)
    m_book->writeNumber(m_row, column, value, cellFormat);
  else
    m_book->writeText(m_row, column, text);
}

void TDBGridEhExportAsXLSX::writeDateTime(int column,
                                          const TDateTimeField &field,
                                          const QString &columnPattern,
                                          const QString &text) {
  const double days = field.Value();
  QString pattern = patternOf(field, columnPattern);
  if (pattern.isEmpty()) {
    // The grid shows the short date, and the long time when there is one.
    const RegionalFormats &formats = RegionalFormats::current();
    pattern = formats.shortDateFormat;
    const QTime time = daysToDateTime(days).time();
    if (time.hour() != 0 || time.minute() != 0 || time.second() != 0)
      pattern += u' ' + formats.longTimeFormat;
  }
  const std::optional<double> serial = xlsxDateSerial(days);
  lxw_format *format = serial ? dateTimeFormatOf(pattern) : nullptr;
  if (format == nullptr)
    m_book->writeText(m_row, column, text);
  else
    m_book->writeNumber(m_row, column, *serial, format);
}

std::optional<QString>
TDBGridEhExportAsXLSX::patternFormatOf(const QString &pattern) {
  if (pattern.isEmpty())
    return QString();
  const auto found = m_patternFormats.constFind(pattern);
  if (found != m_patternFormats.constEnd())
    return *found;
  const std::optional<QString> format = xlsxNumberFormat(pattern);
  m_patternFormats.insert(pattern, format);
  return format;
}

lxw_format *TDBGridEhExportAsXLSX::dateTimeFormatOf(const QString &pattern) {
  const auto found = m_dateTimeFormats.constFind(pattern);
  if (found != m_dateTimeFormats.constEnd())
    return *found;
  const std::optional<QString> format =
      xlsxDateTimeFormat(pattern, RegionalFormats::current());
  lxw_format *cellFormat = format ? m_book->numberFormat(*format) : nullptr;
  m_dateTimeFormats.insert(pattern, cellFormat);
  return cellFormat;
}

void TDBGridEhExportAsXLSX::EmitFooterRow(const TColumnsEhList &columns,
                                          int footerRow) {
  TDBGridEhExport::EmitFooterRow(columns, footerRow);
  ++m_row;
}

void TDBGridEhExportAsXLSX::EmitFooterCell(int position, int footerRow,
                                           TColumnEh &column, TFont &, TColor,
                                           TAlignment, const QString &text) {
  const TColumnFooterEh &footer = column.UsedFooter(footerRow);
  if (footer.ValueType() != fvtSum && footer.ValueType() != fvtCount) {
    m_book->writeText(m_row, position, text);
    return;
  }
  const double value =
      ExtendedReal::quotient(FooterSum(footerRow, position), 10000).toDouble();
  const TField *field = FooterField(footer, column);
  writeNumber(position, value,
              footer.ValueType() == fvtSum && field != nullptr
                  ? patternOf(*field, QString())
                  : QString(),
              text);
}

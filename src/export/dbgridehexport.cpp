#include "export/dbgridehexport.h"

#include "export/extendedreal.h"
#include "export/outputstream.h"
#include "export/safefile.h"
#include "grid/cellcheckboxstate.h"
#include "grid/celldisplaytext.h"
#include "grid/cellimageindex.h"
#include "grid/dbgrideh.h"
#include "grid/tfont.h"
#include "platform/dataset/numericfield.h"
#include "platform/dataset/query.h"
#include "platform/errors.h"
#include "platform/longwork/longwork.h"
#include "platform/results/bcd.h"
#include "platform/text/codepage936.h"
#include "platform/text/numberformat.h"
#include "platform/text/regionalformats.h"

#include <QScopeGuard>
#include <cmath>

namespace {

constexpr qint64 kFooterScale = 10000;

// A footer sum or count in ten-thousandths as a double, rounded as the
// extended type rounds the division, then to double.
double footerValue(qint64 tenThousandths) {
  return ExtendedReal::quotient(tenThousandths, kFooterScale).toDouble();
}

[[noreturn]] void raiseInvalidFloat() {
  throw FieldError(QStringLiteral("Invalid floating point operation"));
}

} // namespace

TDBGridEhExport::TDBGridEhExport() = default;
TDBGridEhExport::~TDBGridEhExport() = default;

void TDBGridEhExport::WriteGridToFile(const QString &fileName, bool exportAll,
                                      LongWork *work) {
  m_work = work;
  const auto unwatched = qScopeGuard([this] { m_work = nullptr; });
  SafeFile file(fileName);
  WriteGridToStream(file.stream(), exportAll);
  if (!work) {
    file.commit();
    return;
  }
  // Storing a large file waits for the disk for a while; the window's
  // thread waits in its event loop instead. The rows are all written by
  // then, so a cancel no longer stops the export.
  work->runWhole<bool>(
      [&file](WorkProgress &) {
        file.commit();
        return true;
      },
      false);
}

void TDBGridEhExport::keepPace() {
  if (m_work)
    m_work->pace(m_rowsWritten, m_rowsToWrite);
}

void TDBGridEhExport::runOffThread(
    const std::function<void(WorkProgress *)> &step) {
  if (!m_work) {
    step(nullptr);
    return;
  }
  m_work->runWhole<bool>([&](WorkProgress &progress) {
    progress.setDone(m_rowsWritten);
    progress.setTotal(m_rowsToWrite);
    step(&progress);
    return true;
  });
}

void TDBGridEhExport::WriteGridToStream(OutputStream &stream, bool exportAll) {
  m_output = &stream;
  // The grid has no selection, so an export of the selection is empty.
  if (!exportAll)
    return;
  Query *dataSet = m_grid->DataSet();
  if (dataSet == nullptr)
    throw DatabaseError(
        QStringLiteral("%1: Missing DataSource").arg(m_grid->Name()));
  // The grid neither repaints nor follows the cursor while the walk moves it.
  dataSet->disableControls();
  try {
    walkKeepingGridPosition();
  } catch (...) {
    endWalk(*dataSet);
    throw;
  }
  endWalk(*dataSet);
  EndDocument();
  stream.flush();
}

void TDBGridEhExport::walkKeepingGridPosition() {
  m_grid->SaveGridPosition();
  try {
    walkRecords();
  } catch (...) {
    // The walk's error is the one to report; bringing the grid back is only
    // tidying up after it.
    try {
      m_grid->RestoreGridPosition();
    } catch (...) {
    }
    throw;
  }
  m_grid->RestoreGridPosition();
}

void TDBGridEhExport::endWalk(Query &dataSet) {
  dataSet.enableControls();
  m_footerSums.clear();
  m_exportColumns.clear();
}

void TDBGridEhExport::walkRecords() {
  // A copy: an event handler that changes a column's visibility re-lays out
  // the grid, which must not pull the list from under the walk.
  m_exportColumns = m_grid->VisibleColumns();
  m_footerSums.assign(size_t(m_grid->FooterRowCount()) * m_exportColumns.size(),
                      0);
  BeginDocument();
  if (m_grid->Options() & dgTitles)
    EmitTitleRows(m_exportColumns);
  Query &dataSet = *m_grid->DataSet();
  dataSet.first();
  m_rowsWritten = 0;
  m_rowsToWrite = dataSet.recordCount();
  while (!dataSet.eof()) {
    EmitDataRow(m_exportColumns);
    AccumulateFooterSums();
    dataSet.next();
    ++m_rowsWritten;
    keepPace();
  }
  for (int row = 0; row < m_grid->FooterRowCount(); ++row)
    EmitFooterRow(m_exportColumns, row);
}

void TDBGridEhExport::EmitTitleRows(const TColumnsEhList &) {}

void TDBGridEhExport::EmitDataRow(const TColumnsEhList &columns) {
  TFont rowFont;
  for (TColumnEh *column : columns) {
    rowFont.Assign(column->Font());
    TColCellParamsEh &params = m_cellParams;
    params.Row = -1;
    params.Col = -1;
    params.State = {};
    params.Font = &rowFont;
    params.Background = column->Color();
    params.Alignment = column->Alignment();
    params.ImageIndex = cellImageIndex(*column);
    assignCellDisplayText(params.Text, *column);
    params.CheckboxState = cellCheckboxState(*column);
    if (m_grid->OnGetCellParams)
      m_grid->OnGetCellParams(*m_grid, *column, rowFont, params.Background, {});
    if (column->OnGetCellParams)
      column->OnGetCellParams(*column, false, params);
    EmitDataCell(*column, params);
  }
}

void TDBGridEhExport::EmitDataCell(TColumnEh &, TColCellParamsEh &) {}

void TDBGridEhExport::EmitFooterRow(const TColumnsEhList &columns,
                                    int footerRow) {
  TFont rowFont;
  for (int position = 0; position < int(columns.size()); ++position) {
    TColumnEh &column = *columns[size_t(position)];
    const TColumnFooterEh &footer = column.UsedFooter(footerRow);
    rowFont.Assign(footer.Font());
    TColor background = footer.Color();
    TAlignment alignment = footer.Alignment();
    QString text = FooterCellText(footerRow, position);
    if (m_grid->OnGetFooterParams)
      m_grid->OnGetFooterParams(*m_grid, column.Index(), footerRow, column,
                                rowFont, background, alignment, text, {});
    EmitFooterCell(position, footerRow, column, rowFont, background, alignment,
                   text);
  }
}

void TDBGridEhExport::EmitFooterCell(int, int, TColumnEh &, TFont &, TColor,
                                     TAlignment, const QString &) {}

void TDBGridEhExport::WriteBytes(QByteArrayView bytes) {
  m_output->write(bytes);
}

void TDBGridEhExport::WriteText(QStringView text) {
  if (text.isEmpty())
    return;
  m_textBytes.resize(0);
  appendCodePage936(m_textBytes, text);
  m_output->write(m_textBytes);
}

void TDBGridEhExport::WriteLine(QByteArrayView bytes) {
  m_output->write(bytes);
  m_output->write("\r\n");
}

void TDBGridEhExport::WriteLine(QStringView text) {
  WriteText(text);
  m_output->write("\r\n");
}

TField *TDBGridEhExport::FooterField(const TColumnFooterEh &footer,
                                     const TColumnEh &column) const {
  const QString &name =
      footer.FieldName().isEmpty() ? column.FieldName() : footer.FieldName();
  return m_grid->DataSet()->FindField(name);
}

void TDBGridEhExport::AccumulateFooterSums() {
  const size_t columnCount = m_exportColumns.size();
  for (int row = 0; row < m_grid->FooterRowCount(); ++row) {
    for (size_t position = 0; position < columnCount; ++position) {
      const TColumnEh &column = *m_exportColumns[position];
      const TColumnFooterEh &footer = column.UsedFooter(row);
      const TFooterValueType type = footer.ValueType();
      if (type != fvtSum && type != fvtCount)
        continue;
      const TField *field = FooterField(footer, column);
      if (field == nullptr)
        continue;
      qint64 &entry = m_footerSums[position + size_t(row) * columnCount];
      if (type == fvtCount) {
        entry += kFooterScale;
        continue;
      }
      if (field->IsNull())
        continue;
      // value × 10000 + entry in extended arithmetic, then the nearest
      // integer, ties to even. Sums are defined so; a double would round
      // some values differently (see ExtendedReal).
      const double value = field->AsFloat();
      if (!std::isfinite(value))
        raiseInvalidFloat();
      const std::optional<qint64> sum =
          (ExtendedReal::fromDouble(value) *
               ExtendedReal::fromInteger(kFooterScale) +
           ExtendedReal::fromInteger(entry))
              .rounded();
      if (!sum)
        raiseInvalidFloat();
      entry = *sum;
    }
  }
}

qint64 TDBGridEhExport::FooterSum(int footerRow, int position) const {
  return m_footerSums[size_t(position) +
                      size_t(footerRow) * m_exportColumns.size()];
}

QString TDBGridEhExport::FormatFooterSum(int footerRow, int position) const {
  const TColumnEh &column = *m_exportColumns[size_t(position)];
  const TColumnFooterEh &footer = column.UsedFooter(footerRow);
  const qint64 entry = FooterSum(footerRow, position);
  const RegionalFormats &formats = RegionalFormats::current();
  if (footer.ValueType() == fvtCount)
    return formatGeneral(footerValue(entry), 15, formats);
  if (footer.ValueType() != fvtSum)
    return QString();
  const TField *field = FooterField(footer, column);
  if (field == nullptr)
    return QString();
  switch (field->DataType()) {
  case FieldType::Integer:
  case FieldType::Word: {
    const auto &numeric = static_cast<const TNumericField &>(*field);
    if (!numeric.DisplayFormat().isEmpty())
      return formatFloat(numeric.DisplayFormat(), footerValue(entry), formats);
    const std::optional<qint64> whole =
        ExtendedReal::quotient(entry, kFooterScale).rounded();
    return QString::number(*whole);
  }
  case FieldType::Float: {
    const auto &floatField = static_cast<const TFloatField &>(*field);
    if (!floatField.DisplayFormat().isEmpty())
      return formatFloat(floatField.DisplayFormat(), footerValue(entry),
                         formats);
    if (floatField.currency())
      return formatCurrency(entry, formats);
    return formatGeneral(footerValue(entry), floatField.Precision(), formats);
  }
  case FieldType::BCD: {
    const auto &bcdField = static_cast<const TBCDField &>(*field);
    if (!bcdField.DisplayFormat().isEmpty())
      return formatBcd(bcdField.DisplayFormat(), entry, formats);
    if (bcdField.currency())
      return formatCurrency(entry, formats);
    return bcdToText(entry, formats.decimalSeparator);
  }
  default:
    return QString();
  }
}

QString TDBGridEhExport::FooterCellText(int footerRow, int position) const {
  const TColumnEh &column = *m_exportColumns[size_t(position)];
  const TFooterValueType type = column.UsedFooter(footerRow).ValueType();
  if (type == fvtSum || type == fvtCount)
    return FormatFooterSum(footerRow, position);
  return m_grid->FooterText(footerRow, column);
}

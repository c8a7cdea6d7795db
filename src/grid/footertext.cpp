#include "grid/footertext.h"

#include "grid/celldisplaytext.h"
#include "grid/columneh.h"
#include "grid/dbgrideh.h"
#include "platform/dataset/numericfield.h"
#include "platform/dataset/query.h"
#include "platform/results/bcd.h"
#include "platform/text/numberformat.h"

#include <algorithm>

namespace {

// Sum and count of the non-null values of a number column over all
// records. Integer and fixed-point sums stay exact (fixed point in
// ten-thousandths); only floating-point columns add up doubles.
struct ColumnSum {
  qint64 exact = 0;
  double real = 0;
  int count = 0;
};

bool isSummable(FieldType type) {
  return type == FieldType::Integer || type == FieldType::Word ||
         type == FieldType::BCD || type == FieldType::Float;
}

ColumnSum sumOf(const Query &dataSet, const TField &field) {
  ColumnSum sum;
  const ResultTable &table = dataSet.result();
  const int index = table.indexOf(field.FieldName());
  if (index < 0)
    return sum;
  const ResultColumn &column = table.column(index);
  for (int row = 0; row < column.rowCount(); ++row) {
    if (column.isNull(row) || column.isOverflow(row))
      continue;
    if (field.DataType() == FieldType::Float)
      sum.real += column.real(row);
    else
      sum.exact += column.integer(row);
    ++sum.count;
  }
  return sum;
}

// `numerator` ÷ `denominator` rounded half away from zero.
qint64 roundedQuotient(qint64 numerator, qint64 denominator) {
  const qint64 half = denominator / 2;
  return numerator >= 0 ? (numerator + half) / denominator
                        : (numerator - half) / denominator;
}

QString fieldPattern(const TField &field) {
  const auto *numeric = dynamic_cast<const TNumericField *>(&field);
  return numeric ? numeric->DisplayFormat() : QString();
}

QString sumText(const Query &dataSet, const TField &field,
                const QString &footerPattern, bool average) {
  const RegionalFormats &formats = RegionalFormats::current();
  const ColumnSum sum = sumOf(dataSet, field);
  const QString pattern =
      footerPattern.isEmpty() ? fieldPattern(field) : footerPattern;
  const int divisor = average ? std::max(sum.count, 1) : 1;
  switch (field.DataType()) {
  case FieldType::Float: {
    const double value = sum.real / divisor;
    const auto &floatField = static_cast<const TFloatField &>(field);
    return pattern.isEmpty()
               ? formatGeneral(value, floatField.Precision(), formats)
               : formatFloat(pattern, value, formats);
  }
  case FieldType::BCD: {
    const qint64 value = roundedQuotient(sum.exact, divisor);
    return pattern.isEmpty() ? bcdToText(value, formats.decimalSeparator)
                             : formatBcd(pattern, value, formats);
  }
  default: {
    if (!pattern.isEmpty())
      return formatFloat(pattern, double(sum.exact) / divisor, formats);
    return QString::number(roundedQuotient(sum.exact, divisor));
  }
  }
}

} // namespace

QString gridFooterText(const TDBGridEh &grid, const TColumnEh &column,
                       int row) {
  const TColumnFooterEh &footer = column.UsedFooter(row);
  const Query *dataSet = grid.DataSet();
  const TField *field = nullptr;
  if (!footer.FieldName().isEmpty())
    field = dataSet ? dataSet->FindField(footer.FieldName()) : nullptr;
  else
    field = column.Field();

  switch (footer.ValueType()) {
  case fvtNon:
    return QString();
  case fvtStaticText:
    return footer.Value();
  case fvtFieldValue:
    return field ? formattedFieldText(*field, footer.DisplayFormat())
                 : QString();
  case fvtCount: {
    const int count = dataSet ? dataSet->recordCount() : 0;
    return footer.DisplayFormat().isEmpty()
               ? QString::number(count)
               : formatFloat(footer.DisplayFormat(), count,
                             RegionalFormats::current());
  }
  case fvtSum:
  case fvtAvg:
    if (!field || !isSummable(field->DataType()))
      return QStringLiteral("0");
    return sumText(*dataSet, *field, footer.DisplayFormat(),
                   footer.ValueType() == fvtAvg);
  }
  return QString();
}

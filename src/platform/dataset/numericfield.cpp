#include "platform/dataset/numericfield.h"

#include "platform/results/bcd.h"
#include "platform/results/resultcolumn.h"
#include "platform/text/numberformat.h"

#include <cmath>
#include <limits>

TNumericField::TNumericField(const Query &dataSet, int columnIndex)
    : TField(dataSet, columnIndex) {
  setAlignment(taRightJustify);
}

const QString &TNumericField::textPattern(bool displayText) const {
  return displayText || m_editFormat.isEmpty() ? m_displayFormat : m_editFormat;
}

qint32 TIntegerField::Value() const {
  return IsNull() ? 0 : qint32(column().integer(row()));
}

QString TIntegerField::GetText(bool displayText) const {
  const QString &pattern = textPattern(displayText);
  if (pattern.isEmpty())
    return QString::number(Value());
  return formatFloat(pattern, Value(), RegionalFormats::current());
}

qint64 TBCDField::Value() const {
  return IsNull() ? 0 : column().integer(row());
}

bool TBCDField::IsOverflow() const {
  return !IsNull() && column().isOverflow(row());
}

int TBCDField::Precision() const { return column().precision(); }

qint32 TBCDField::AsInteger() const {
  if (IsOverflow())
    raiseCannotAccess("Integer");
  // Rounds half away from zero, as a fixed-point value converts to integer.
  const qint64 v = Value();
  const qint64 whole = (v >= 0 ? v + 5000 : v - 5000) / 10000;
  if (whole < std::numeric_limits<qint32>::min() ||
      whole > std::numeric_limits<qint32>::max())
    raiseCannotAccess("Integer");
  return qint32(whole);
}

double TBCDField::AsFloat() const {
  if (IsOverflow())
    raiseCannotAccess("Float");
  return bcdToDouble(Value());
}

QString TBCDField::GetText(bool displayText) const {
  if (column().isOverflow(row()))
    return QStringLiteral("(Overflow)");
  const RegionalFormats &formats = RegionalFormats::current();
  const QString &pattern = textPattern(displayText);
  if (!pattern.isEmpty())
    return formatBcd(pattern, Value(), formats);
  if (m_currency)
    return displayText ? formatCurrency(Value(), formats)
                       : formatCurrencyPlain(Value(), formats);
  return bcdToText(Value(), formats.decimalSeparator);
}

double TFloatField::Value() const {
  return IsNull() ? 0 : column().real(row());
}

qint32 TFloatField::AsInteger() const {
  const double rounded = std::round(Value());
  if (!(rounded >= std::numeric_limits<qint32>::min() &&
        rounded <= std::numeric_limits<qint32>::max()))
    raiseCannotAccess("Integer");
  return qint32(rounded);
}

QString TFloatField::GetText(bool displayText) const {
  const RegionalFormats &formats = RegionalFormats::current();
  const QString &pattern = textPattern(displayText);
  if (!pattern.isEmpty())
    return formatFloat(pattern, Value(), formats);
  return formatGeneral(Value(), m_precision, formats);
}

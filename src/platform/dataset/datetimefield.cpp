#include "platform/dataset/datetimefield.h"

#include "platform/results/resultcolumn.h"
#include "platform/text/datetimeformat.h"

double TDateTimeField::Value() const {
  return IsNull() ? 0 : column().real(row());
}

QString TDateTimeField::GetText(bool displayText) const {
  const QString pattern = displayText ? m_displayFormat : QString();
  return formatDateTime(pattern, Value(), RegionalFormats::current());
}

#include "platform/dataset/booleanfield.h"

#include "platform/results/resultcolumn.h"

bool TBooleanField::Value() const {
  return !IsNull() && column().integer(row()) != 0;
}

QString TBooleanField::GetText(bool) const {
  const bool value = Value();
  const qsizetype split = m_displayValues.indexOf(QLatin1Char(';'));
  if (split >= 0)
    return value ? m_displayValues.left(split) : m_displayValues.mid(split + 1);
  return value ? QStringLiteral("True") : QStringLiteral("False");
}

#pragma once

#include "platform/dataset/field.h"

// Date-time column: days since 30 December 1899 plus the fraction of the day.
class TDateTimeField : public TField {
public:
  using TField::TField;

  double Value() const;
  double AsFloat() const override { return Value(); }

  const QString &DisplayFormat() const { return m_displayFormat; }
  void setDisplayFormat(const QString &pattern) { m_displayFormat = pattern; }

protected:
  QString GetText(bool displayText) const override;

private:
  QString m_displayFormat;
};

#pragma once

#include "platform/dataset/field.h"

class TBooleanField : public TField {
public:
  using TField::TField;

  bool Value() const;
  bool AsBoolean() const override { return Value(); }
  qint32 AsInteger() const override { return Value() ? 1 : 0; }

  // "yes;no" replaces "True" and "False" by the parts before and after ";".
  const QString &DisplayValues() const { return m_displayValues; }
  void setDisplayValues(const QString &values) { m_displayValues = values; }

protected:
  QString GetText(bool displayText) const override;

private:
  QString m_displayValues;
};

#pragma once

#include "platform/dataset/field.h"

// Base of the number columns: right-aligned, with display and edit patterns.
class TNumericField : public TField {
public:
  TNumericField(const Query &dataSet, int columnIndex);

  const QString &DisplayFormat() const { return m_displayFormat; }
  void setDisplayFormat(const QString &pattern) { m_displayFormat = pattern; }
  const QString &EditFormat() const { return m_editFormat; }
  void setEditFormat(const QString &pattern) { m_editFormat = pattern; }

protected:
  // DisplayFormat for display text or while EditFormat is empty, else
  // EditFormat.
  const QString &textPattern(bool displayText) const;

private:
  QString m_displayFormat;
  QString m_editFormat;
};

class TIntegerField : public TNumericField {
public:
  using TNumericField::TNumericField;
  qint32 Value() const;
  qint32 AsInteger() const override { return Value(); }
  double AsFloat() const override { return Value(); }

protected:
  QString GetText(bool displayText) const override;
};

// Unsigned 16-bit column; its values are 0 to 65535.
class TWordField : public TIntegerField {
public:
  using TIntegerField::TIntegerField;
};

// Fixed-point column held as a signed 64-bit count of ten-thousandths.
class TBCDField : public TNumericField {
public:
  using TNumericField::TNumericField;

  qint64 Value() const; // ten-thousandths
  // The database held a value too large for the fixed-point storage: it
  // has no number, and its text is "(Overflow)".
  bool IsOverflow() const;
  qint32 AsInteger() const override;
  double AsFloat() const override;

  bool currency() const { return m_currency; }
  void setCurrency(bool on) { m_currency = on; }
  int Precision() const;

protected:
  QString GetText(bool displayText) const override;

private:
  bool m_currency = false;
};

// Floating-point column.
class TFloatField : public TNumericField {
public:
  using TNumericField::TNumericField;

  double Value() const;
  qint32 AsInteger() const override;
  double AsFloat() const override { return Value(); }

  bool currency() const { return m_currency; }
  void setCurrency(bool on) { m_currency = on; }
  // Significant digits of the plain text.
  int Precision() const { return m_precision; }
  void setPrecision(int digits) { m_precision = digits; }

protected:
  QString GetText(bool displayText) const override;

private:
  bool m_currency = false;
  int m_precision = 15;
};

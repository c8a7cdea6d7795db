#pragma once

#include "platform/field.h"

// Text column. Values are held as read, already passed through code page
// 936, so they show the same characters everywhere.
class TStringField : public TField {
public:
  using TField::TField;

  QString Value() const;
  qint32 AsInteger() const override;
  double AsFloat() const override;

  const QString &EditMask() const { return m_editMask; }
  void setEditMask(const QString &mask) { m_editMask = mask; }

protected:
  QString GetText(bool displayText) const override;

private:
  QString m_editMask;
};

class TWideStringField : public TStringField {
public:
  using TStringField::TStringField;
};

#pragma once

#include "platform/dataset/field.h"

#include <QStringView>
#include <optional>

// Text column. Values are held as read, already passed through code page
// 936, so they show the same characters everywhere.
class TStringField : public TField {
public:
  using TField::TField;

  QString Value() const;
  // The display text in the field's own storage, without a copy, when it is
  // the stored value as it is (no OnGetText handler, no edit mask; null
  // reads as empty); nothing otherwise. Valid until the query changes.
  std::optional<QStringView> StoredDisplayText() const;
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

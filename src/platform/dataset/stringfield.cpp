#include "platform/dataset/stringfield.h"

#include "platform/results/resultcolumn.h"
#include "platform/text/maskformat.h"

QString TStringField::Value() const {
  return IsNull() ? QString() : column().text(row()).toString();
}

std::optional<QStringView> TStringField::StoredDisplayText() const {
  if (OnGetText || !m_editMask.isEmpty())
    return std::nullopt;
  // IsNull() spelt out: the row and column are looked up once.
  const int r = row();
  if (r < 0)
    return QStringView();
  const ResultColumn &values = column();
  return values.isNull(r) ? QStringView() : values.text(r);
}

QString TStringField::GetText(bool displayText) const {
  const QStringView text = column().text(row());
  if (displayText && !m_editMask.isEmpty())
    return formatMaskText(m_editMask, text);
  return text.toString();
}

qint32 TStringField::AsInteger() const {
  if (IsNull())
    return 0;
  bool ok = false;
  const qint32 value = column().text(row()).trimmed().toInt(&ok);
  if (!ok)
    raiseCannotAccess("Integer");
  return value;
}

double TStringField::AsFloat() const {
  if (IsNull())
    return 0;
  bool ok = false;
  const double value = column().text(row()).trimmed().toDouble(&ok);
  if (!ok)
    raiseCannotAccess("Float");
  return value;
}

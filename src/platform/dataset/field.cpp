#include "platform/dataset/field.h"

#include "platform/dataset/query.h"
#include "platform/errors.h"

TField::TField(const Query &dataSet, int columnIndex)
    : m_dataSet(dataSet), m_columnIndex(columnIndex) {}

const ResultColumn &TField::column() const {
  return m_dataSet.result().column(m_columnIndex);
}

int TField::row() const { return m_dataSet.activeRow(); }

const QString &TField::FieldName() const { return column().name(); }
FieldType TField::DataType() const { return column().type(); }
int TField::Size() const { return column().size(); }

bool TField::IsNull() const {
  const int r = row();
  return r < 0 || column().isNull(r);
}

QString TField::GetFieldText(bool displayText) const {
  if (OnGetText) {
    QString text;
    OnGetText(const_cast<TField &>(*this), text, displayText);
    return text;
  }
  return IsNull() ? QString() : GetText(displayText);
}

QString TField::DisplayLabel() const {
  return m_displayLabel.isEmpty() ? FieldName() : m_displayLabel;
}

void TField::raiseCannotAccess(const char *asType) const {
  throw FieldError(QStringLiteral("Cannot access field '%1' as type %2")
                       .arg(FieldName(), QLatin1String(asType)));
}

qint32 TField::AsInteger() const { raiseCannotAccess("Integer"); }
double TField::AsFloat() const { raiseCannotAccess("Float"); }
bool TField::AsBoolean() const { raiseCannotAccess("Boolean"); }

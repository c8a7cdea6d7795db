#include "grid/cellcheckboxstate.h"

#include "grid/columneh.h"
#include "platform/dataset/booleanfield.h"

namespace {

// Whether `text` is one of the ";"-separated values of a KeyList entry,
// letter case ignored.
bool inKeyEntry(const QString &entry, const QString &text) {
  const QStringList values = entry.split(QLatin1Char(';'));
  return values.contains(text, Qt::CaseInsensitive);
}

} // namespace

TCheckBoxState cellCheckboxState(const TColumnEh &column) {
  const TField *field = column.Field();
  if (!field)
    return cbUnchecked;
  // Fields are made by their column's type (createField).
  const bool boolean = field->DataType() == FieldType::Boolean;
  const QStringList &keys = column.KeyList();
  // No text matches an empty key list, so a null value and any other are
  // grayed alike; the text is only made when an OnGetText handler expects
  // to be asked for it.
  if (!boolean && keys.isEmpty() && !field->OnGetText)
    return cbGrayed;
  if (field->IsNull())
    return cbGrayed;
  if (boolean)
    return static_cast<const TBooleanField *>(field)->Value() ? cbChecked
                                                              : cbUnchecked;
  const QString text = field->GetFieldText(false);
  if (!keys.isEmpty() && inKeyEntry(keys[0], text))
    return cbChecked;
  if (keys.size() >= 2 && inKeyEntry(keys[1], text))
    return cbUnchecked;
  return cbGrayed;
}

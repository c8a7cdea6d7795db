#include "grid/cellcheckboxstate.h"

#include "grid/columneh.h"
#include "platform/booleanfield.h"

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
  if (field->IsNull())
    return cbGrayed;
  if (const auto *boolean = dynamic_cast<const TBooleanField *>(field))
    return boolean->Value() ? cbChecked : cbUnchecked;
  const QString text = field->GetFieldText(false);
  const QStringList &keys = column.KeyList();
  if (!keys.isEmpty() && inKeyEntry(keys[0], text))
    return cbChecked;
  if (keys.size() >= 2 && inKeyEntry(keys[1], text))
    return cbUnchecked;
  return cbGrayed;
}

#include "grid/celldisplaytext.h"

#include "grid/columneh.h"
#include "platform/dataset/datetimefield.h"
#include "platform/dataset/numericfield.h"
#include "platform/dataset/stringfield.h"
#include "platform/errors.h"
#include "platform/text/datetimeformat.h"
#include "platform/text/numberformat.h"

#include <algorithm>

namespace {

// A fixed-point value too large for the fixed-point storage has no number
// to format; it shows as "(Overflow)", as the field's own text does.
double numericValue(const TNumericField &field, bool &overflow) {
  try {
    return field.AsFloat();
  } catch (const FieldError &) {
    if (!dynamic_cast<const TBCDField *>(&field))
      throw;
    overflow = true;
    return 0;
  }
}

} // namespace

QString formattedFieldText(const TField &field, const QString &pattern) {
  if (pattern.isEmpty())
    return field.GetFieldText(true);
  if (field.IsNull())
    return QString();
  const RegionalFormats &formats = RegionalFormats::current();
  if (const auto *numeric = dynamic_cast<const TNumericField *>(&field)) {
    bool overflow = false;
    const double value = numericValue(*numeric, overflow);
    return overflow ? QStringLiteral("(Overflow)")
                    : formatFloat(pattern, value, formats);
  }
  if (const auto *dateTime = dynamic_cast<const TDateTimeField *>(&field))
    return formatDateTime(pattern, dateTime->Value(), formats);
  // A column pattern on a text or boolean column blanks its cells.
  return QString();
}

QString CellDisplayText(const TColumnEh &column) {
  const TField *field = column.Field();
  return field ? formattedFieldText(*field, column.DisplayFormat()) : QString();
}

void assignCellDisplayText(QString &text, const TColumnEh &column) {
  const TField *field = column.Field();
  // Fields are made by their column's type (createField).
  if (field && column.DisplayFormat().isEmpty() &&
      (field->DataType() == FieldType::String ||
       field->DataType() == FieldType::WideString)) {
    const auto &stringField = static_cast<const TStringField &>(*field);
    if (const std::optional<QStringView> stored =
            stringField.StoredDisplayText()) {
      text.resize(stored->size());
      std::copy(stored->begin(), stored->end(), text.data());
      return;
    }
  }
  text = CellDisplayText(column);
}

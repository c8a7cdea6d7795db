#pragma once

#include <QString>

class TColumnEh;
class TField;

// The text of the column's data cell for the dataset's active record: the
// field's display text, or with a column DisplayFormat the value written
// with that pattern (numbers and date-times; empty for null values and for
// other fields). Empty without a field. The one rule the screen and every
// writer share. Throws FormatError for a pattern of 225 characters or more.
QString CellDisplayText(const TColumnEh &column);
// CellDisplayText into `text`, reusing its memory for text stored as it is
// shown, so that a walk over every record does not allocate per cell. A
// text that is empty may come out empty rather than null.
void assignCellDisplayText(QString &text, const TColumnEh &column);

// `field`'s text at the active record with `pattern` as CellDisplayText
// writes it: the display text for an empty pattern, otherwise the value in
// the pattern (numbers and date-times), empty for null and other fields.
QString formattedFieldText(const TField &field, const QString &pattern);

#pragma once

#include "platform/text/regionalformats.h"

#include <QString>
#include <QStringView>
#include <optional>

// Translations of the grid's number and date-time patterns into the number
// formats of an Excel workbook, so that a cell holding the value shows the
// text the grid shows. Each gives no format where Excel has no pattern that
// shows the same text. A number format may still show some values
// otherwise than the grid (Excel picks a section before rounding, writes a
// point without decimals): xlsxCellNumberFormat decides for each value.

// The number format of a number pattern (numberformat.h): "0.00" stays
// "0.00", a "," anywhere in a section groups thousands as "#,##0" does, and
// every other character is a literal. None for an empty pattern or section
// and for more than one decimal point in a section.
std::optional<QString> xlsxNumberFormat(QStringView pattern);

// The number format of a date-time pattern (datetimeformat.h), with the
// regional separators written as literals. None for names of months and
// days (Excel writes its own), milliseconds, AM/PM markers other than "AM"
// and "PM", and minutes that Excel would read as a month (neither after an
// hour nor before seconds).
std::optional<QString> xlsxDateTimeFormat(QStringView pattern,
                                          const RegionalFormats &formats);

// Excel's serial number of a date-time held as days since 30 December 1899:
// the same number, from 1 March 1900 to 31 December 9999. None outside:
// Excel has no dates after 9999 nor before 1900, and before 1 March 1900
// readers disagree by a day (Excel counts a 29 February 1900 that never
// was, others do not).
std::optional<double> xlsxDateSerial(double days);

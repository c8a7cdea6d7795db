#pragma once

#include "platform/text/regionalformats.h"

#include <QString>
#include <QStringView>
#include <optional>

// Whether a workbook number cell shows what the grid shows. A number goes
// into a workbook as a number only under a format in which Excel shows
// exactly the grid's text for that value; otherwise the cell holds the text.

// The largest number Excel holds; beyond it a reader takes the number for
// infinity or refuses it.
inline constexpr double XlsxLargestNumber = 9.99999999999999e307;

// The text Excel shows for `value` in the number format `format`, with the
// regional separators: "General" or a format that xlsxNumberFormat gives
// (digits "0" and "#", one ".", "," between integer digits, "E+"/"E-"
// exponents, literals escaped with "\", up to three sections). Taken on the
// value as the workbook holds it (16 significant digits), rounded as Excel
// rounds (on 15 of them) and as a reader that rounds on all 16 does; none
// where the two differ, where the format asks for more than this knows of
// Excel's formatting, and for "General" anything but a whole number of at
// most 11 digits.
std::optional<QString> xlsxShownNumber(QStringView format, double value,
                                       const RegionalFormats &formats);

// The number format of a workbook cell holding `value` that shows `text`,
// the grid's text of it: `patternFormat`, the format of the grid's pattern
// (xlsxNumberFormat), or for a cell without pattern (`patternFormat`
// empty) "General" or the plain format ("0", "0.000") of as many decimals
// as `text` has, whichever Excel shows as `text` (xlsxShownNumber). None
// when it shows neither, and for a value Excel cannot hold (beyond
// XlsxLargestNumber, below the smallest normal double, not finite): the
// cell then holds `text`.
std::optional<QString> xlsxCellNumberFormat(QStringView patternFormat,
                                            double value, QStringView text,
                                            const RegionalFormats &formats);

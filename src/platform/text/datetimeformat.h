#pragma once

#include "platform/text/regionalformats.h"

#include <QDateTime>
#include <QString>
#include <QStringView>

// Date-times are held as the number of days since 30 December 1899 plus the
// fraction of the day (negative values count the days back, the fraction
// still forward).

double dateTimeToDays(const QDateTime &dateTime);
QDateTime daysToDateTime(double days);

// `days` written with a date-time pattern: d, dd, m, mm, yy, yyyy, h, hh,
// n, nn, s, ss, z, zzz, "/" and ":" (the regional separators), text in single
// or double quotes. "m" right after "h"/"hh" means minutes. ddd and dddd
// write the short and long weekday name, mmm and mmmm the month name;
// "ampm" writes the regional AM or PM marker, "am/pm" and "a/p" their own
// letters in the pattern's case, and any of them puts the pattern's hours on
// the 12-hour clock. The empty pattern writes the short date, then, only
// when the time of day is not zero, one blank and the long time.
QString formatDateTime(QStringView pattern, double days,
                       const RegionalFormats &formats);

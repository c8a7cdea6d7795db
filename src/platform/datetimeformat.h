#pragma once

#include "platform/regionalformats.h"

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
// or double quotes. "m" right after "h"/"hh" means minutes. The empty
// pattern writes the short date, then, only when the time of day is not
// zero, one blank and the long time.
QString formatDateTime(QStringView pattern, double days,
                       const RegionalFormats &formats);

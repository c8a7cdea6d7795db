#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <optional>

// Fixed-point numbers held as a signed 64-bit count of ten-thousandths (four
// decimal places), the storage of decimal database columns.

// Parses decimal text ("12", "-0.5", "1.234567", "+3.") exactly, without a
// double in between; digits past the fourth decimal round half away from
// zero. Empty when the text is not a plain decimal number or out of range.
std::optional<qint64> bcdFromText(QStringView text);

// Shortest text: up to four decimals, no trailing zeros, no grouping
// (25000 gives "2.5", 30000 "3", 1234 "0.1234").
QString bcdToText(qint64 tenThousandths, QChar decimalSeparator);

double bcdToDouble(qint64 tenThousandths);

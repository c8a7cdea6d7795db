#pragma once

#include "platform/text/regionalformats.h"

#include <QString>
#include <QStringView>
#include <vector>

// Number patterns: "0" a digit always written, "#" a digit written only when
// significant, "." the decimal separator (written as the regional one), ","
// thousands grouping, up to three sections split by ";" (positive; negative;
// zero), text in single or double quotes written as it stands. The value is
// rounded half away from zero on its decimal value to the decimals the
// pattern shows; a negative value gets a leading "-" unless a negative
// section is given. Patterns of 225 characters or more raise
// FormatError("Format string too long").

// The pattern cut at the ";" outside quotes into at most `most` sections
// (positive; negative; zero), the last taking the rest, its ";" included.
std::vector<QStringView> numberPatternSections(QStringView pattern,
                                               std::size_t most = 3);

// `value` written with `pattern`.
QString formatFloat(QStringView pattern, double value,
                    const RegionalFormats &formats);

// An exact fixed-point value (ten-thousandths) written with `pattern`.
QString formatBcd(QStringView pattern, qint64 tenThousandths,
                  const RegionalFormats &formats);

// General format with at most `precision` significant digits: no trailing
// zeros, no grouping, exponent form only where fixed form would need more
// digits than that (12 gives "12", 0.1 gives "0.1").
QString formatGeneral(double value, int precision,
                      const RegionalFormats &formats);

// A fixed-point value in the regional currency format with the regional
// currency decimals (display text of a currency field).
QString formatCurrency(qint64 tenThousandths, const RegionalFormats &formats);

// A fixed-point value in plain fixed form with the regional currency
// decimals and no symbol (edit text of a currency field).
QString formatCurrencyPlain(qint64 tenThousandths,
                            const RegionalFormats &formats);

#pragma once

#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <array>

// The user's regional settings that numbers and dates follow. The program
// reads them from the system once; tests install fixed values with
// setCurrent() and never depend on the machine's locale.
struct RegionalFormats {
  QChar decimalSeparator = QLatin1Char('.');
  QChar thousandSeparator = QLatin1Char(',');
  QChar dateSeparator = QLatin1Char('/');
  QChar timeSeparator = QLatin1Char(':');
  // Date-time patterns in the letters of formatDateTime (datetimeformat.h).
  QString shortDateFormat = QStringLiteral("yyyy-m-d");
  QString longTimeFormat = QStringLiteral("h:nn:ss");
  // Names the patterns write: months January first, weekdays Sunday first;
  // the markers of the 12-hour clock.
  std::array<QString, 12> shortMonthNames = {"Jan", "Feb", "Mar", "Apr",
                                             "May", "Jun", "Jul", "Aug",
                                             "Sep", "Oct", "Nov", "Dec"};
  std::array<QString, 12> longMonthNames = {
      "January", "February", "March",     "April",   "May",      "June",
      "July",    "August",   "September", "October", "November", "December"};
  std::array<QString, 7> shortDayNames = {"Sun", "Mon", "Tue", "Wed",
                                          "Thu", "Fri", "Sat"};
  std::array<QString, 7> longDayNames = {"Sunday",    "Monday",   "Tuesday",
                                         "Wednesday", "Thursday", "Friday",
                                         "Saturday"};
  QString timeAMString = QStringLiteral("AM");
  QString timePMString = QStringLiteral("PM");
  // Currency: symbol, decimals, and the position of the symbol for positive
  // values (0 "¤1", 1 "1¤", 2 "¤ 1", 3 "1 ¤") and negative values
  // (0 "(¤1)", 1 "-¤1", 2 "¤-1", 3 "¤1-", ... as the system numbers them).
  QString currencyString = QStringLiteral("¥");
  int currencyDecimals = 2;
  int currencyFormat = 0;
  int negCurrencyFormat = 1;

  // currencyFormat and negCurrencyFormat as layouts in which "¤" stands for
  // the currency symbol and "1" for the digits ("-¤1" for negative format 1).
  // A format number out of range gives the layout of format 0 (positive) or
  // 1 (negative).
  QStringView positiveCurrencyLayout() const;
  QStringView negativeCurrencyLayout() const;

  // The formats of the machine's user locale.
  static RegionalFormats fromSystem();
  // The formats of `systemLocale` as the machine's user locale: the plain C
  // locale of a machine without regional settings stands for none chosen,
  // and the program's users then get the Chinese (China) formats.
  static RegionalFormats fromSystemLocale(const QLocale &systemLocale);
  // The formats of `locale`, its patterns turned into the letters of
  // formatDateTime whole: the AM/PM marker with its 12-hour clock, month and
  // weekday names are kept; only time zones, which a stored date-time does
  // not have, are dropped.
  static RegionalFormats fromLocale(const QLocale &locale);
  // The formats in force for field texts; fromSystem() until setCurrent().
  static const RegionalFormats &current();
  static void setCurrent(const RegionalFormats &formats);
};

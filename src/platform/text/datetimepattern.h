#pragma once

#include <QStringView>
#include <QtGlobal>
#include <vector>

// A date-time pattern (the letters of formatDateTime, datetimeformat.h) read
// into its pieces, for the writers of values and for translating a pattern
// into another program's notation.

// One piece of a pattern: a value with its least number of digits, a name,
// a regional separator, or a character written as it is.
struct PatternPiece {
  enum Kind : quint8 {
    Character,
    DateSeparator,
    TimeSeparator,
    Day,
    Month,
    ShortYear,
    Year,
    Hour,
    Minute,
    Second,
    Millisecond,
    ShortDayName,
    LongDayName,
    ShortMonthName,
    LongMonthName,
    AmPm,       // "ampm": the regional markers
    AmPmLetters // "am/pm" or "a/p": the pattern's own letters
  };
  Kind kind;
  quint8 digits;      // digits of a number; letters of each AmPmLetters half
  char16_t character; // Character; AmPmLetters: the first of the "am" half
  char16_t second;    // AmPmLetters: the second of the "am" half
  char16_t pm[2];     // AmPmLetters: the "pm" half
};
struct PatternPieces {
  std::vector<PatternPiece> pieces;
  // A pattern with an AM/PM marker writes its hours on the 12-hour clock.
  bool twelveHour = false;
};

// The pieces of `pattern`, read from left to right.
PatternPieces dateTimePatternPieces(QStringView pattern);

#include "platform/text/datetimeformat.h"

#include "platform/text/datetimepattern.h"

#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace {

constexpr qint64 MSecsPerDay = 24 * 60 * 60 * 1000;
// 1 January 0001 and the day after 31 December 9999: the calendar range a
// day count can stand for.
constexpr double FirstDay = -693593;
constexpr double EndDay = 2958466;

QDate dayZero() { return QDate(1899, 12, 30); }

struct DateAndTime {
  int year, month, day;
  int hour, minute, second, msec;
  int weekday; // Sunday 0
};

// The calendar date of a day count, counted on the proleptic Gregorian
// calendar in whole 400-year cycles (146,097 days each), which starts on 1
// March so that the leap day closes the year. The same dates QDate gives,
// without building one per value.
void setDate(DateAndTime &value, qint64 day) {
  // Days since 1 March of year 0; day zero is 30 December 1899.
  const qint64 fromMarch = day + 693899;
  const qint64 cycle =
      (fromMarch >= 0 ? fromMarch : fromMarch - 146096) / 146097;
  const int dayOfCycle = int(fromMarch - cycle * 146097);
  const int yearOfCycle = (dayOfCycle - dayOfCycle / 1460 + dayOfCycle / 36524 -
                           dayOfCycle / 146096) /
                          365;
  const int dayOfYear =
      dayOfCycle - (365 * yearOfCycle + yearOfCycle / 4 - yearOfCycle / 100);
  const int monthFromMarch = (5 * dayOfYear + 2) / 153;
  value.day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
  value.month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
  value.year = int(cycle * 400 + yearOfCycle) + (value.month <= 2 ? 1 : 0);
}

// The calendar date and time of day of a day count, to the millisecond;
// empty outside the calendar range.
std::optional<DateAndTime> splitDays(double days) {
  if (!(days >= FirstDay && days < EndDay))
    return std::nullopt;
  qint64 day = qint64(days); // towards zero
  // The milliseconds of the fraction, rounded half away from zero: the part
  // after the point of a double this small is exact, so no library call.
  const double exact = std::abs(days - double(day)) * MSecsPerDay;
  qint64 msecs = qint64(exact);
  if (exact - double(msecs) >= 0.5)
    ++msecs;
  if (msecs >= MSecsPerDay) {
    msecs -= MSecsPerDay;
    ++day;
  }
  DateAndTime value;
  setDate(value, day);
  // Day zero, 30 December 1899, was a Saturday.
  value.weekday = int(((day + 6) % 7 + 7) % 7);
  const int ms = int(msecs);
  value.hour = ms / 3600000;
  value.minute = ms / 60000 % 60;
  value.second = ms / 1000 % 60;
  value.msec = ms % 1000;
  return value;
}

// The decimal digits of a value of 0 or more, zero-padded to `width`;
// returns the end of what was written.
char16_t *writeNumber(char16_t *out, int value, int width) {
  // Days, months, hours, minutes and seconds: two digits at most.
  if (value < 100 && width <= 2) {
    if (value >= 10 || width == 2)
      *out++ = char16_t(u'0' + value / 10);
    *out++ = char16_t(u'0' + value % 10);
    return out;
  }
  char16_t digits[10];
  int count = 0;
  do {
    digits[count++] = char16_t(u'0' + value % 10);
    value /= 10;
  } while (value != 0);
  for (int pad = count; pad < width; ++pad)
    *out++ = u'0';
  while (count > 0)
    *out++ = digits[--count];
  return out;
}

// The pieces of `pattern`, read once for the last few patterns: a grid
// writes thousands of values with the same one or two. The result stays
// valid until the next call.
const PatternPieces &piecesOfPattern(QStringView pattern) {
  struct Read {
    QString pattern;
    PatternPieces pieces;
  };
  thread_local std::array<Read, 4> read;
  thread_local size_t next = 0;
  for (const Read &entry : read)
    if (QStringView(entry.pattern) == pattern)
      return entry.pieces;
  Read &entry = read[next];
  next = (next + 1) % read.size();
  entry.pattern = pattern.toString();
  entry.pieces = dateTimePatternPieces(pattern);
  return entry.pieces;
}

// The longest text `pieces` write for `value`: names at their own length,
// numbers at their widest (a year of four digits, milliseconds of three).
qsizetype writtenLimit(const PatternPieces &read, const DateAndTime &value,
                       const RegionalFormats &formats) {
  qsizetype limit = 0;
  for (const PatternPiece &piece : read.pieces) {
    switch (piece.kind) {
    case PatternPiece::ShortDayName:
      limit += formats.shortDayNames[value.weekday].size();
      break;
    case PatternPiece::LongDayName:
      limit += formats.longDayNames[value.weekday].size();
      break;
    case PatternPiece::ShortMonthName:
      limit += formats.shortMonthNames[value.month - 1].size();
      break;
    case PatternPiece::LongMonthName:
      limit += formats.longMonthNames[value.month - 1].size();
      break;
    case PatternPiece::AmPm:
      limit += qMax(formats.timeAMString.size(), formats.timePMString.size());
      break;
    default:
      limit += 4;
    }
  }
  return limit;
}

char16_t *writeText(char16_t *out, const QString &text) {
  std::copy(text.utf16(), text.utf16() + text.size(), out);
  return out + text.size();
}

// Writes `value` with `read` at `out`, which has room for writtenLimit()
// characters; returns the end of what was written.
char16_t *writeDateTime(char16_t *out, const PatternPieces &read,
                        const DateAndTime &value,
                        const RegionalFormats &formats) {
  const DateAndTime &at = value;
  const bool pm = at.hour >= 12;
  const int hour =
      read.twelveHour ? (at.hour % 12 == 0 ? 12 : at.hour % 12) : at.hour;
  for (const PatternPiece &piece : read.pieces) {
    switch (piece.kind) {
    case PatternPiece::Character:
      *out++ = piece.character;
      break;
    case PatternPiece::DateSeparator:
      *out++ = formats.dateSeparator.unicode();
      break;
    case PatternPiece::TimeSeparator:
      *out++ = formats.timeSeparator.unicode();
      break;
    case PatternPiece::Day:
      out = writeNumber(out, at.day, piece.digits);
      break;
    case PatternPiece::Month:
      out = writeNumber(out, at.month, piece.digits);
      break;
    case PatternPiece::ShortYear:
      out = writeNumber(out, at.year % 100, piece.digits);
      break;
    case PatternPiece::Year:
      out = writeNumber(out, at.year, piece.digits);
      break;
    case PatternPiece::Hour:
      out = writeNumber(out, hour, piece.digits);
      break;
    case PatternPiece::Minute:
      out = writeNumber(out, at.minute, piece.digits);
      break;
    case PatternPiece::Second:
      out = writeNumber(out, at.second, piece.digits);
      break;
    case PatternPiece::Millisecond:
      out = writeNumber(out, at.msec, piece.digits);
      break;
    case PatternPiece::ShortDayName:
      out = writeText(out, formats.shortDayNames[value.weekday]);
      break;
    case PatternPiece::LongDayName:
      out = writeText(out, formats.longDayNames[value.weekday]);
      break;
    case PatternPiece::ShortMonthName:
      out = writeText(out, formats.shortMonthNames[at.month - 1]);
      break;
    case PatternPiece::LongMonthName:
      out = writeText(out, formats.longMonthNames[at.month - 1]);
      break;
    case PatternPiece::AmPm:
      out = writeText(out, pm ? formats.timePMString : formats.timeAMString);
      break;
    case PatternPiece::AmPmLetters:
      *out++ = pm ? piece.pm[0] : piece.character;
      if (piece.digits == 2)
        *out++ = pm ? piece.pm[1] : piece.second;
      break;
    }
  }
  return out;
}

} // namespace

double dateTimeToDays(const QDateTime &dateTime) {
  const qint64 day = dayZero().daysTo(dateTime.date());
  const double fraction =
      double(dateTime.time().msecsSinceStartOfDay()) / MSecsPerDay;
  return day < 0 ? double(day) - fraction : double(day) + fraction;
}

QDateTime daysToDateTime(double days) {
  const std::optional<DateAndTime> value = splitDays(days);
  if (!value)
    return QDateTime();
  return QDateTime(
      QDate(value->year, value->month, value->day),
      QTime(value->hour, value->minute, value->second, value->msec));
}

QString formatDateTime(QStringView pattern, double days,
                       const RegionalFormats &formats) {
  const std::optional<DateAndTime> at = splitDays(days);
  if (!at)
    return {};
  const DateAndTime &value = *at;
  // The empty pattern: the short date, and the long time when there is one.
  const bool withTime = pattern.isEmpty() &&
                        (at->hour != 0 || at->minute != 0 || at->second != 0);
  const PatternPieces &first = piecesOfPattern(
      pattern.isEmpty() ? QStringView(formats.shortDateFormat) : pattern);
  const PatternPieces *time =
      withTime ? &piecesOfPattern(formats.longTimeFormat) : nullptr;
  QString text(writtenLimit(first, value, formats) +
                   (time ? 1 + writtenLimit(*time, value, formats) : 0),
               Qt::Uninitialized);
  char16_t *const begin = reinterpret_cast<char16_t *>(text.data());
  char16_t *end = writeDateTime(begin, first, value, formats);
  if (time) {
    *end++ = u' ';
    end = writeDateTime(end, *time, value, formats);
  }
  text.truncate(end - begin);
  return text;
}

#include "platform/datetimeformat.h"

#include <algorithm>
#include <cmath>
#include <optional>

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
  qint64 day = qint64(std::trunc(days));
  qint64 msecs = std::llround(std::abs(days - double(day)) * MSecsPerDay);
  if (msecs >= MSecsPerDay) {
    msecs -= MSecsPerDay;
    ++day;
  }
  DateAndTime value;
  setDate(value, day);
  const int ms = int(msecs);
  value.hour = ms / 3600000;
  value.minute = ms / 60000 % 60;
  value.second = ms / 1000 % 60;
  value.msec = ms % 1000;
  return value;
}

// The decimal digits of a value of 0 or more, zero-padded to `width`;
// returns the end of what was written.
char16_t *writeNumber(char16_t *out, int value, qsizetype width) {
  char16_t digits[10];
  int count = 0;
  do {
    digits[count++] = char16_t(u'0' + value % 10);
    value /= 10;
  } while (value != 0);
  for (qsizetype pad = count; pad < width; ++pad)
    *out++ = u'0';
  while (count > 0)
    *out++ = digits[--count];
  return out;
}

QChar lower(QChar c) {
  const char16_t unit = c.unicode();
  if (unit < 0x80)
    return QChar(unit >= u'A' && unit <= u'Z' ? char16_t(unit + 32) : unit);
  return c.toLower();
}

// How many times the letter at `i` repeats, the case ignored.
qsizetype runLength(QStringView pattern, qsizetype i) {
  const QChar letter = lower(pattern[i]);
  qsizetype run = 1;
  while (i + run < pattern.size() && lower(pattern[i + run]) == letter)
    ++run;
  return run;
}

// No letter writes more than three characters (a lone "z" the
// milliseconds), quoted text and separators one each.
qsizetype writtenLimit(QStringView pattern) { return 3 * pattern.size(); }

// Writes `value` with `pattern` at `out`, which has room for
// writtenLimit(pattern) characters; returns the end of what was written.
char16_t *writeDateTime(char16_t *out, QStringView pattern,
                        const DateAndTime &value,
                        const RegionalFormats &formats) {
  // "m" after an hour means minutes, elsewhere the month.
  bool afterHour = false;
  for (qsizetype i = 0; i < pattern.size();) {
    const QChar c = pattern[i];
    if (c == u'"' || c == u'\'') {
      qsizetype end = pattern.indexOf(c, i + 1);
      if (end < 0)
        end = pattern.size();
      const QStringView quoted = pattern.sliced(i + 1, end - i - 1);
      out = std::copy(quoted.utf16(), quoted.utf16() + quoted.size(), out);
      i = end + 1;
      continue;
    }
    const qsizetype run = runLength(pattern, i);
    qsizetype taken = run >= 2 ? 2 : 1;
    bool hour = false;
    switch (lower(c).unicode()) {
    case u'd':
      out = writeNumber(out, value.day, taken);
      break;
    case u'm':
      out = writeNumber(out, afterHour ? value.minute : value.month, taken);
      break;
    case u'y':
      taken = run;
      out = run <= 2 ? writeNumber(out, value.year % 100, 2)
                     : writeNumber(out, value.year, 4);
      break;
    case u'h':
      out = writeNumber(out, value.hour, taken);
      hour = true;
      break;
    case u'n':
      out = writeNumber(out, value.minute, taken);
      break;
    case u's':
      out = writeNumber(out, value.second, taken);
      break;
    case u'z':
      taken = run >= 3 ? 3 : 1;
      out = writeNumber(out, value.msec, taken);
      break;
    default:
      // Separators and literal text leave the hour in force ("hh:mm").
      if (c == u'/')
        *out++ = formats.dateSeparator.unicode();
      else if (c == u':')
        *out++ = formats.timeSeparator.unicode();
      else
        *out++ = c.unicode();
      ++i;
      continue;
    }
    afterHour = hour;
    i += taken;
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
  const std::optional<DateAndTime> value = splitDays(days);
  if (!value)
    return {};
  // The empty pattern: the short date, and the long time when there is one.
  const bool withTime =
      pattern.isEmpty() &&
      (value->hour != 0 || value->minute != 0 || value->second != 0);
  const QStringView first =
      pattern.isEmpty() ? QStringView(formats.shortDateFormat) : pattern;
  const QStringView time(formats.longTimeFormat);
  QString text(writtenLimit(first) + (withTime ? 1 + writtenLimit(time) : 0),
               Qt::Uninitialized);
  char16_t *const begin = reinterpret_cast<char16_t *>(text.data());
  char16_t *end = writeDateTime(begin, first, *value, formats);
  if (withTime) {
    *end++ = u' ';
    end = writeDateTime(end, time, *value, formats);
  }
  text.truncate(end - begin);
  return text;
}

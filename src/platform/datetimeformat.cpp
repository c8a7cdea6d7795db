#include "platform/datetimeformat.h"

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

// One piece of a pattern: a value with its least number of digits, a
// regional separator, or a character written as it is.
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
    Millisecond
  };
  Kind kind;
  quint8 digits;
  char16_t character;
};
using PatternPieces = std::vector<PatternPiece>;

PatternPieces piecesOf(QStringView pattern) {
  PatternPieces pieces;
  const auto add = [&pieces](PatternPiece::Kind kind, qsizetype digits,
                             char16_t character = 0) {
    pieces.push_back({kind, quint8(digits), character});
  };
  // "m" after an hour means minutes, elsewhere the month.
  bool afterHour = false;
  for (qsizetype i = 0; i < pattern.size();) {
    const QChar c = pattern[i];
    if (c == u'"' || c == u'\'') {
      qsizetype end = pattern.indexOf(c, i + 1);
      if (end < 0)
        end = pattern.size();
      for (const QChar quoted : pattern.sliced(i + 1, end - i - 1))
        add(PatternPiece::Character, 0, quoted.unicode());
      i = end + 1;
      continue;
    }
    const qsizetype run = runLength(pattern, i);
    qsizetype taken = run >= 2 ? 2 : 1;
    bool hour = false;
    switch (lower(c).unicode()) {
    case u'd':
      add(PatternPiece::Day, taken);
      break;
    case u'm':
      add(afterHour ? PatternPiece::Minute : PatternPiece::Month, taken);
      break;
    case u'y':
      taken = run;
      add(run <= 2 ? PatternPiece::ShortYear : PatternPiece::Year,
          run <= 2 ? 2 : 4);
      break;
    case u'h':
      add(PatternPiece::Hour, taken);
      hour = true;
      break;
    case u'n':
      add(PatternPiece::Minute, taken);
      break;
    case u's':
      add(PatternPiece::Second, taken);
      break;
    case u'z':
      taken = run >= 3 ? 3 : 1;
      add(PatternPiece::Millisecond, taken);
      break;
    default:
      // Separators and literal text leave the hour in force ("hh:mm").
      if (c == u'/')
        add(PatternPiece::DateSeparator, 0);
      else if (c == u':')
        add(PatternPiece::TimeSeparator, 0);
      else
        add(PatternPiece::Character, 0, c.unicode());
      ++i;
      continue;
    }
    afterHour = hour;
    i += taken;
  }
  return pieces;
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
  entry.pieces = piecesOf(pattern);
  return entry.pieces;
}

// No letter writes more than three characters (a lone "z" the
// milliseconds), quoted text and separators one each.
qsizetype writtenLimit(QStringView pattern) { return 3 * pattern.size(); }

// Writes `value` with `pattern` at `out`, which has room for
// writtenLimit(pattern) characters; returns the end of what was written.
char16_t *writeDateTime(char16_t *out, QStringView pattern,
                        const DateAndTime &value,
                        const RegionalFormats &formats) {
  for (const PatternPiece &piece : piecesOfPattern(pattern)) {
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
      out = writeNumber(out, value.day, piece.digits);
      break;
    case PatternPiece::Month:
      out = writeNumber(out, value.month, piece.digits);
      break;
    case PatternPiece::ShortYear:
      out = writeNumber(out, value.year % 100, piece.digits);
      break;
    case PatternPiece::Year:
      out = writeNumber(out, value.year, piece.digits);
      break;
    case PatternPiece::Hour:
      out = writeNumber(out, value.hour, piece.digits);
      break;
    case PatternPiece::Minute:
      out = writeNumber(out, value.minute, piece.digits);
      break;
    case PatternPiece::Second:
      out = writeNumber(out, value.second, piece.digits);
      break;
    case PatternPiece::Millisecond:
      out = writeNumber(out, value.msec, piece.digits);
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

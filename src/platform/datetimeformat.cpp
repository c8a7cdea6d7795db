#include "platform/datetimeformat.h"

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
  QDate date;
  QTime time;
};

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
  return DateAndTime{dayZero().addDays(day),
                     QTime::fromMSecsSinceStartOfDay(int(msecs))};
}

QString number(int value, qsizetype width) {
  return QString::number(value).rightJustified(width, u'0');
}

// How many times the letter at `i` repeats, the case ignored.
qsizetype runLength(QStringView pattern, qsizetype i) {
  const QChar letter = pattern[i].toLower();
  qsizetype run = 1;
  while (i + run < pattern.size() && pattern[i + run].toLower() == letter)
    ++run;
  return run;
}

QString writeDateTime(QStringView pattern, const DateAndTime &value,
                      const RegionalFormats &formats) {
  const QDate &date = value.date;
  const QTime &time = value.time;
  QString out;
  // "m" after an hour means minutes, elsewhere the month.
  bool afterHour = false;
  for (qsizetype i = 0; i < pattern.size();) {
    const QChar c = pattern[i];
    if (c == u'"' || c == u'\'') {
      qsizetype end = pattern.indexOf(c, i + 1);
      if (end < 0)
        end = pattern.size();
      out += pattern.sliced(i + 1, end - i - 1);
      i = end + 1;
      continue;
    }
    const qsizetype run = runLength(pattern, i);
    qsizetype taken = run >= 2 ? 2 : 1;
    bool hour = false;
    switch (c.toLower().unicode()) {
    case u'd':
      out += number(date.day(), taken);
      break;
    case u'm':
      out += number(afterHour ? time.minute() : date.month(), taken);
      break;
    case u'y':
      taken = run;
      out += run <= 2 ? number(date.year() % 100, 2) : number(date.year(), 4);
      break;
    case u'h':
      out += number(time.hour(), taken);
      hour = true;
      break;
    case u'n':
      out += number(time.minute(), taken);
      break;
    case u's':
      out += number(time.second(), taken);
      break;
    case u'z':
      taken = run >= 3 ? 3 : 1;
      out += number(time.msec(), taken);
      break;
    default:
      // Separators and literal text leave the hour in force ("hh:mm").
      if (c == u'/')
        out += formats.dateSeparator;
      else if (c == u':')
        out += formats.timeSeparator;
      else
        out += c;
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
  return value ? QDateTime(value->date, value->time) : QDateTime();
}

QString formatDateTime(QStringView pattern, double days,
                       const RegionalFormats &formats) {
  const std::optional<DateAndTime> value = splitDays(days);
  if (!value)
    return {};
  if (!pattern.isEmpty())
    return writeDateTime(pattern, *value, formats);
  QString text = writeDateTime(formats.shortDateFormat, *value, formats);
  const QTime &time = value->time;
  if (time.hour() != 0 || time.minute() != 0 || time.second() != 0)
    text += u' ' + writeDateTime(formats.longTimeFormat, *value, formats);
  return text;
}

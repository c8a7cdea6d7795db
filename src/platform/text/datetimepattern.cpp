#include "platform/text/datetimepattern.h"

#include <QChar>

namespace {

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

// The marker at `i` ("ampm", "am/pm" or "a/p", any case) as a piece;
// its length, or 0 when no marker starts there.
qsizetype amPmAt(QStringView pattern, qsizetype i, PatternPiece &piece) {
  const QStringView rest = pattern.sliced(i);
  if (rest.startsWith(u"ampm", Qt::CaseInsensitive)) {
    piece = {PatternPiece::AmPm, 0, 0, 0, {}};
    return 4;
  }
  if (rest.startsWith(u"am/pm", Qt::CaseInsensitive)) {
    piece = {PatternPiece::AmPmLetters,
             2,
             rest[0].unicode(),
             rest[1].unicode(),
             {rest[3].unicode(), rest[4].unicode()}};
    return 5;
  }
  if (rest.startsWith(u"a/p", Qt::CaseInsensitive)) {
    piece = {PatternPiece::AmPmLetters,
             1,
             rest[0].unicode(),
             0,
             {rest[2].unicode(), 0}};
    return 3;
  }
  return 0;
}

} // namespace

PatternPieces dateTimePatternPieces(QStringView pattern) {
  PatternPieces read;
  std::vector<PatternPiece> &pieces = read.pieces;
  const auto add = [&pieces](PatternPiece::Kind kind, qsizetype digits,
                             char16_t character = 0) {
    pieces.push_back({kind, quint8(digits), character, 0, {}});
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
    PatternPiece marker;
    if (const qsizetype length = amPmAt(pattern, i, marker)) {
      pieces.push_back(marker);
      read.twelveHour = true;
      i += length;
      continue;
    }
    const qsizetype run = runLength(pattern, i);
    qsizetype taken = run >= 2 ? 2 : 1;
    bool hour = false;
    switch (lower(c).unicode()) {
    case u'd':
      if (run >= 3) {
        taken = run >= 4 ? 4 : 3;
        add(run >= 4 ? PatternPiece::LongDayName : PatternPiece::ShortDayName,
            0);
      } else {
        add(PatternPiece::Day, taken);
      }
      break;
    case u'm':
      if (!afterHour && run >= 3) {
        taken = run >= 4 ? 4 : 3;
        add(run >= 4 ? PatternPiece::LongMonthName
                     : PatternPiece::ShortMonthName,
            0);
      } else {
        add(afterHour ? PatternPiece::Minute : PatternPiece::Month, taken);
      }
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
  return read;
}

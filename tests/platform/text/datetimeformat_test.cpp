#include "platform/text/datetimeformat.h"

#include <gtest/gtest.h>

namespace {

RegionalFormats fixedFormats() {
  RegionalFormats formats;
  formats.dateSeparator = u'/';
  formats.timeSeparator = u':';
  formats.shortDateFormat = QStringLiteral("yyyy-mm-dd");
  formats.longTimeFormat = QStringLiteral("hh:nn:ss");
  return formats;
}

QDateTime at(int year, int month, int day, int hour = 0, int minute = 0,
             int second = 0, int msec = 0) {
  return QDateTime(QDate(year, month, day), QTime(hour, minute, second, msec));
}

// 5 March 2024 08:30:00.
const double Morning = 45356 + 8.5 / 24;

TEST(DateTimeDays, CountFromTheLastDaysOf1899) {
  const struct {
    QDateTime dateTime;
    double days;
  } cases[] = {
      {at(1899, 12, 30), 0},
      {at(1900, 1, 1), 2},
      {at(2024, 3, 5), 45356},
      {at(2024, 3, 5, 8, 30), Morning},
      {at(1899, 12, 30, 18), 0.75},
      // Before day zero the days count back and the time still forward.
      {at(1899, 12, 29, 6), -1.25},
      {at(1899, 12, 20, 12), -10.5},
  };
  for (const auto &c : cases) {
    EXPECT_DOUBLE_EQ(dateTimeToDays(c.dateTime), c.days) << c.days;
    EXPECT_EQ(daysToDateTime(c.days), c.dateTime) << c.days;
  }
}

TEST(DateTimeDays, RoundToTheMillisecond) {
  const double halfMsec = 0.5 / 86400000;
  EXPECT_EQ(daysToDateTime(0.5 + 0.8 * halfMsec), at(1899, 12, 30, 12));
  EXPECT_EQ(daysToDateTime(0.5 + 2.6 * halfMsec),
            at(1899, 12, 30, 12, 0, 0, 1));
  EXPECT_EQ(daysToDateTime(2 - 0.5 * halfMsec), at(1900, 1, 1));
  // Day -1 at nearly midnight: the time runs on into day zero.
  EXPECT_EQ(daysToDateTime(-2 + 0.5 * halfMsec), at(1899, 12, 30));
}

TEST(DateTimeDays, MonthBoundariesOfTheWholeCalendarAreTheDatesQDateCounts) {
  const RegionalFormats formats = fixedFormats();
  const QDate zero(1899, 12, 30);
  for (int year = 1; year <= 9999; ++year) {
    for (int month = 1; month <= 12; ++month) {
      // The first of the month and the last day before it.
      const QDate first(year, month, 1);
      for (const QDate &date : {first, first.addDays(-1)}) {
        if (date.year() < 1)
          continue;
        ASSERT_EQ(formatDateTime(u"yyyy-mm-dd", zero.daysTo(date), formats),
                  date.toString(Qt::ISODate));
      }
    }
  }
  EXPECT_EQ(daysToDateTime(-693593), at(1, 1, 1));
  EXPECT_EQ(daysToDateTime(2958465.5), at(9999, 12, 31, 12));
}

TEST(DateTimeDays, OutsideTheCalendarGiveNoDate) {
  EXPECT_FALSE(daysToDateTime(1e12).isValid());
  EXPECT_FALSE(daysToDateTime(std::nan("")).isValid());
  EXPECT_EQ(formatDateTime(u"yyyy", 1e12, fixedFormats()), "");
}

TEST(FormatDateTime, EmptyPatternAddsTheTimeOnlyWhenThereIsOne) {
  const RegionalFormats formats = fixedFormats();
  EXPECT_EQ(formatDateTime(u"", 45356, formats), "2024-03-05");
  EXPECT_EQ(formatDateTime(u"", Morning, formats), "2024-03-05 08:30:00");
  EXPECT_EQ(formatDateTime(u"", 45356 + 0.001 / 86400, formats), "2024-03-05");
  EXPECT_EQ(formatDateTime(u"", 45356.5, RegionalFormats()),
            "2024-3-5 12:00:00");
  // The longest texts the letters write, from the shortest patterns.
  EXPECT_EQ(formatDateTime(u"z", Morning + 0.25 / 86400, formats), "250");
  EXPECT_EQ(formatDateTime(u"y", Morning, formats), "24");
  EXPECT_EQ(formatDateTime(u"yyy/m", 2958465, formats), "9999/12");
}

// Patterns are read once and remembered; reused in any order, with other
// separators, each still writes what it wrote the first time.
TEST(FormatDateTime, PatternsReusedInAnyOrderWriteTheSame) {
  RegionalFormats dots = fixedFormats();
  dots.dateSeparator = u'.';
  const struct {
    const char16_t *pattern;
    const RegionalFormats formats;
    const char *expected;
  } cases[] = {
      {u"d/m/yy", fixedFormats(), "5/3/24"},
      {u"d/m/yy", dots, "5.3.24"},
      {u"hh:mm", fixedFormats(), "08:30"},
      {u"mm", fixedFormats(), "03"},
      {u"yyyy", fixedFormats(), "2024"},
      {u"'h' h", fixedFormats(), "h 8"},
      {u"", fixedFormats(), "2024-03-05 08:30:00"},
      {u"z", fixedFormats(), "0"},
  };
  for (int round = 0; round < 3; ++round)
    for (const auto &c : cases)
      EXPECT_EQ(formatDateTime(c.pattern, Morning, c.formats), c.expected)
          << QString::fromUtf16(c.pattern).toStdString() << " round " << round;
}

TEST(FormatDateTime, WritesPatternLetters) {
  RegionalFormats formats = fixedFormats();
  formats.dateSeparator = u'.';
  formats.timeSeparator = u'h';
  const double value = Morning + 7.25 / 86400; // 08:30:07.250
  const struct {
    const char *pattern;
    const char *expected;
  } cases[] = {
      {"d/m/yy", "5.3.24"},
      {"dd/mm/yyyy", "05.03.2024"},
      {"YYYY-MM-DD", "2024-03-05"},
      {"h:n:s", "8h30h7"},
      {"hh nn ss zzz z", "08 30 07 250 250"},
      // "m" after an hour is the minute, also across separators.
      {"hh:mm dd-mm", "08h30 05-03"},
      {"yyyy年m月d日", "2024年3月5日"},
      {"'day' d \"mm\" mm", "day 5 mm 03"},
      {"ddd d mmm yyyy", "Tue 5 Mar 2024"},
      {"dddd, mmmm d", "Tuesday, March 5"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(formatDateTime(QString::fromUtf8(c.pattern), value, formats),
              QString::fromUtf8(c.expected))
        << c.pattern;
}

// A marker puts the pattern's hours on the 12-hour clock; the regional one
// writes the regional texts, the others the pattern's own letters.
TEST(FormatDateTime, AmPmMarkersTurnToThe12HourClock) {
  RegionalFormats formats = fixedFormats();
  formats.timeAMString = QStringLiteral("上午");
  formats.timePMString = QStringLiteral("下午");
  const double day = 45356;
  const struct {
    const char *pattern;
    double hours;
    const char *expected;
  } cases[] = {
      {"h:nn:ss ampm", 17.5, "5:30:00 下午"},
      {"h:nn:ss AMPM", 0.25, "12:15:00 上午"},
      {"ampm hh:nn", 12, "下午 12:00"},
      {"h am/pm", 9, "9 am"},
      {"h AM/PM", 21, "9 PM"},
      {"hh a/p", 23, "11 p"},
      {"h:nn", 17.5, "17:30"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(formatDateTime(QString::fromUtf8(c.pattern), day + c.hours / 24,
                             formats),
              QString::fromUtf8(c.expected))
        << c.pattern;
}

} // namespace

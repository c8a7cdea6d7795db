#include "platform/text/regionalformats.h"

#include "platform/text/datetimeformat.h"
#include "support/qtprint.h"

#include <gtest/gtest.h>

namespace {

TEST(RegionalFormats, ReadsALocale) {
  const RegionalFormats china =
      RegionalFormats::fromLocale(QLocale(QLocale::Chinese, QLocale::China));
  EXPECT_EQ(china.decimalSeparator, u'.');
  EXPECT_EQ(china.thousandSeparator, u',');
  EXPECT_EQ(china.dateSeparator, u'/');
  EXPECT_EQ(china.timeSeparator, u':');
  EXPECT_EQ(china.shortDateFormat, "yyyy/m/d");
  EXPECT_EQ(china.longTimeFormat, "hh:nn:ss");
  EXPECT_EQ(china.currencyString, "¥");
  EXPECT_EQ(china.currencyDecimals, 2);

  const RegionalFormats germany =
      RegionalFormats::fromLocale(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(germany.decimalSeparator, u',');
  EXPECT_EQ(germany.thousandSeparator, u'.');
  EXPECT_EQ(germany.dateSeparator, u'.');
  EXPECT_EQ(germany.shortDateFormat, "dd.mm.yy");
  EXPECT_EQ(germany.longTimeFormat, "hh:nn:ss");
  EXPECT_EQ(germany.currencyString, "€");
  EXPECT_EQ(germany.positiveCurrencyLayout(), u"1 ¤");
  EXPECT_EQ(germany.negativeCurrencyLayout(), u"-1 ¤");

  const RegionalFormats us = RegionalFormats::fromLocale(
      QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(us.shortDateFormat, "m/d/yy");
  EXPECT_EQ(us.longTimeFormat, "h:nn:ss ampm");
  EXPECT_EQ(us.positiveCurrencyLayout(), u"¤1");

  const RegionalFormats japan =
      RegionalFormats::fromLocale(QLocale(QLocale::Japanese, QLocale::Japan));
  EXPECT_EQ(japan.currencyDecimals, 0);
}

// A date-time field's text under a locale's formats: the zh-CN formats
// write what they always did; others keep their 12-hour clock and names.
TEST(RegionalFormats, DateTimeTextsFollowTheLocaleWhole) {
  const double evening = 45356 + 17.5 / 24; // Tuesday 5 March 2024 17:30
  const struct {
    QLocale locale;
    const char *expected;
  } cases[] = {
      {QLocale(QLocale::Chinese, QLocale::China), "2024/3/5 17:30:00"},
      {QLocale(QLocale::English, QLocale::UnitedStates), "3/5/24 5:30:00 PM"},
      {QLocale(QLocale::German, QLocale::Germany), "05.03.24 17:30:00"},
      {QLocale(QLocale::Korean, QLocale::SouthKorea),
       "24. 3. 5. 오후 5시 30분 0초"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(
        formatDateTime(u"", evening, RegionalFormats::fromLocale(c.locale)),
        QString::fromUtf8(c.expected))
        << c.locale.name().toStdString();

  const RegionalFormats china =
      RegionalFormats::fromLocale(QLocale(QLocale::Chinese, QLocale::China));
  EXPECT_EQ(china.longMonthNames[2], "三月");
  EXPECT_EQ(china.longDayNames[0], "星期日");
  EXPECT_EQ(formatDateTime(u"dddd mmm", evening, china), "星期二 3月");
}

TEST(RegionalFormats, CurrencyLayoutsFollowTheFormatNumbers) {
  RegionalFormats formats;
  formats.currencyFormat = 2;
  formats.negCurrencyFormat = 15;
  EXPECT_EQ(formats.positiveCurrencyLayout(), u"¤ 1");
  EXPECT_EQ(formats.negativeCurrencyLayout(), u"(1 ¤)");
  formats.currencyFormat = 4;
  formats.negCurrencyFormat = -1;
  EXPECT_EQ(formats.positiveCurrencyLayout(), u"¤1");
  EXPECT_EQ(formats.negativeCurrencyLayout(), u"-¤1");
}

TEST(RegionalFormats, CurrentIsWhatWasSet) {
  const RegionalFormats saved = RegionalFormats::current();
  RegionalFormats formats;
  formats.shortDateFormat = QStringLiteral("dd.mm.yyyy");
  RegionalFormats::setCurrent(formats);
  EXPECT_EQ(RegionalFormats::current().shortDateFormat, "dd.mm.yyyy");
  RegionalFormats::setCurrent(saved);
}

} // namespace

// A machine whose locale is plain C has no regional settings: the user gets
// the Chinese formats, not C's "d MMM yyyy"; a chosen locale is kept.
TEST(RegionalFormats, PlainCLocaleStandsForChina) {
  const double evening = 45356 + 17.5 / 24;
  EXPECT_EQ(formatDateTime(u"", evening,
                           RegionalFormats::fromSystemLocale(QLocale::c())),
            "2024/3/5 17:30:00");
  EXPECT_EQ(formatDateTime(u"", evening,
                           RegionalFormats::fromSystemLocale(
                               QLocale(QLocale::German, QLocale::Germany))),
            "05.03.24 17:30:00");
}

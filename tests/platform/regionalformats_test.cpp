#include "platform/regionalformats.h"

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
  EXPECT_EQ(us.longTimeFormat, "h:nn:ss");
  EXPECT_EQ(us.positiveCurrencyLayout(), u"¤1");

  const RegionalFormats japan =
      RegionalFormats::fromLocale(QLocale(QLocale::Japanese, QLocale::Japan));
  EXPECT_EQ(japan.currencyDecimals, 0);
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

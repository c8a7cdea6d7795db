#include "platform/errors.h"
#include "platform/text/numberformat.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

RegionalFormats dotFormats() {
  RegionalFormats formats;
  formats.decimalSeparator = u'.';
  formats.thousandSeparator = u',';
  formats.currencyString = QStringLiteral("¥");
  formats.currencyDecimals = 2;
  formats.currencyFormat = 0;
  formats.negCurrencyFormat = 1;
  return formats;
}

struct FloatCase {
  const char *pattern;
  double value;
  const char *expected;
};

TEST(FormatFloat, WritesPatterns) {
  const FloatCase cases[] = {
      // The only pattern of the grids.
      {"0.00", 2.5, "2.50"},
      {"0.00", 1234.5, "1234.50"},
      {"0.00", -1.25, "-1.25"},
      {"0.00", 0, "0.00"},
      {"0.00", -0.001, "0.00"},
      // Half away from zero on the decimal value, not on the binary double.
      {"0.00", 1.005, "1.01"},
      {"0.00", 2.675, "2.68"},
      {"0.00", -2.675, "-2.68"},
      {"0.00", 0.125, "0.13"},
      {"0", 2.5, "3"},
      {"0", -2.5, "-3"},
      {"0", -0.4, "0"},
      {"0", 1234.4, "1234"},
      {"000", 7, "007"},
      {"000", 12345, "12345"},
      {"#,##0.00", 1234567.891, "1,234,567.89"},
      {"#,##0.00", 999.995, "1,000.00"},
      {"#,##0.00", -1234.5, "-1,234.50"},
      {"#,##0", 123, "123"},
      {"#,##0", 1e15, "1,000,000,000,000,000"},
      {"#.##", 1.5, "1.5"},
      {"#.##", 1, "1"},
      {"#.##", 0.256, ".26"},
      {"#.##", 0, "0"},
      {"0.0#", 1, "1.0"},
      {"0.0#", 1.25, "1.25"},
      {"0.0#", 1.256, "1.26"},
      {"00-00", 1234, "12-34"},
      {"00-00", 5, "00-05"},
      // Sections: positive; negative; zero.
      {"0.00;(0.00);zero", 1.5, "1.50"},
      {"0.00;(0.00);zero", -1.5, "(1.50)"},
      {"0.00;(0.00);zero", 0, "zero"},
      {"0.00;(0.00);zero", -0.001, "zero"},
      {"0.00;(0.00)", -0.001, "0.00"},
      {"0.00;;zero", -1.5, "-1.50"},
      // Quoted text, with characters that would otherwise be pattern.
      {"'Qty: '0.0\" pcs\"", 3, "Qty: 3.0 pcs"},
      {"\"0;#,.\"0", 5, "0;#,.5"},
      {"0.00E+00", 12345, "1.23E+04"},
      {"0.00E+00", 0.000123, "1.23E-04"},
      {"0.00E+00", 0, "0.00E+00"},
      {"0.00E+00", 999900, "1.00E+06"},
      {"0.0e-0", 12345, "1.2e4"},
      {"0.0e-0", 0.05, "5.0e-2"},
      {".00", 12.5, "12.50"},
      {"abc", 5, "abc"},
      {"", 2.5, "2.5"},
  };
  for (const FloatCase &c : cases)
    EXPECT_EQ(formatFloat(QString::fromUtf8(c.pattern), c.value, dotFormats()),
              QString::fromUtf8(c.expected))
        << c.pattern << " " << c.value;
}

TEST(FormatFloat, UsesTheRegionalSeparators) {
  RegionalFormats formats = dotFormats();
  formats.decimalSeparator = u',';
  formats.thousandSeparator = u'.';
  EXPECT_EQ(formatFloat(u"#,##0.00", 1234.5, formats), "1.234,50");
  EXPECT_EQ(formatFloat(u"0.00", 2.5, formats), "2,50");
}

TEST(FormatFloat, RefusesPatternsOf225CharactersOrMore) {
  const QString longest(224, u'0');
  EXPECT_EQ(formatFloat(longest, 1, dotFormats()).size(), 224);
  try {
    formatFloat(longest + u'0', 1, dotFormats());
    FAIL() << "no error";
  } catch (const FormatError &e) {
    EXPECT_EQ(e.message(), "Format string too long");
  }
  EXPECT_THROW(formatBcd(longest + u'0', 1, dotFormats()), FormatError);
}

TEST(FormatFloat, WritesValuesNoPatternCanHold) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(formatFloat(u"0.00", inf, dotFormats()), "INF");
  EXPECT_EQ(formatFloat(u"0.00", -inf, dotFormats()), "-INF");
  EXPECT_EQ(formatFloat(u"0.00", std::nan(""), dotFormats()), "NAN");
}

TEST(FormatBcd, WritesTheExactValue) {
  constexpr qint64 max = std::numeric_limits<qint64>::max();
  constexpr qint64 min = std::numeric_limits<qint64>::min();
  const RegionalFormats formats = dotFormats();
  EXPECT_EQ(formatBcd(u"0.00", 25000, formats), "2.50");
  EXPECT_EQ(formatBcd(u"0.00", 12345, formats), "1.23");
  EXPECT_EQ(formatBcd(u"0.00", 12350, formats), "1.24");
  EXPECT_EQ(formatBcd(u"0.00", -12350, formats), "-1.24");
  EXPECT_EQ(formatBcd(u"0", -4999, formats), "0");
  EXPECT_EQ(formatBcd(u"#,##0.0000", max, formats), "922,337,203,685,477.5807");
  EXPECT_EQ(formatBcd(u"#,##0.0000", min, formats),
            "-922,337,203,685,477.5808");
  EXPECT_EQ(formatBcd(u"0", min, formats), "-922337203685478");
}

TEST(FormatGeneral, WritesSignificantDigitsWithoutTrailingZeros) {
  const struct {
    double value;
    int precision;
    const char *expected;
  } cases[] = {
      {12, 15, "12"},
      {0.1, 15, "0.1"},
      {0.1 + 0.2, 15, "0.3"},
      {-2.5, 15, "-2.5"},
      {0, 15, "0"},
      {1.0 / 3, 15, "0.333333333333333"},
      {2.0 / 3, 15, "0.666666666666667"},
      {123456789012345, 15, "123456789012345"},
      {1e15, 15, "1E15"},
      {1e20, 15, "1E20"},
      {0.00001, 15, "0.00001"},
      {0.000001, 15, "1E-6"},
      {-1.5e-7, 15, "-1.5E-7"},
      {1234.5678, 4, "1235"},
      {12345.678, 2, "1.2E4"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(formatGeneral(c.value, c.precision, dotFormats()), c.expected)
        << c.value << " " << c.precision;
  RegionalFormats comma = dotFormats();
  comma.decimalSeparator = u',';
  EXPECT_EQ(formatGeneral(2.5, 15, comma), "2,5");
}

TEST(FormatCurrency, FollowsTheRegionalLayout) {
  RegionalFormats formats = dotFormats();
  EXPECT_EQ(formatCurrency(12345000, formats), "¥1,234.50");
  EXPECT_EQ(formatCurrency(-12345000, formats), "-¥1,234.50");
  EXPECT_EQ(formatCurrency(-1, formats), "¥0.00");
  formats.currencyString = QStringLiteral("€");
  formats.currencyFormat = 3;
  formats.negCurrencyFormat = 8;
  EXPECT_EQ(formatCurrency(12345000, formats), "1,234.50 €");
  EXPECT_EQ(formatCurrency(-12345000, formats), "-1,234.50 €");
  formats.negCurrencyFormat = 0;
  formats.currencyDecimals = 0;
  EXPECT_EQ(formatCurrency(-12345000, formats), "(€1,235)");
}

TEST(FormatCurrency, PlainFormHasNoSymbolAndNoGrouping) {
  RegionalFormats formats = dotFormats();
  EXPECT_EQ(formatCurrencyPlain(12345000, formats), "1234.50");
  EXPECT_EQ(formatCurrencyPlain(-12345000, formats), "-1234.50");
  formats.currencyDecimals = 3;
  EXPECT_EQ(formatCurrencyPlain(12345, formats), "1.235");
}

} // namespace

#include "export/xlsxformats.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

struct FormatCase {
  const char *pattern;
  std::optional<QString> format; // none: Excel shows no such text
};

void PrintTo(const FormatCase &c, std::ostream *out) { *out << c.pattern; }

class NumberFormatTest : public testing::TestWithParam<FormatCase> {};

TEST_P(NumberFormatTest, ShowsWhatTheGridShows) {
  EXPECT_EQ(xlsxNumberFormat(QString::fromUtf8(GetParam().pattern)),
            GetParam().format);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, NumberFormatTest,
    testing::Values(
        FormatCase{"0.00", "0.00"}, FormatCase{"#,##0.00", "#,##0.00"},
        // The grid groups for a "," anywhere; Excel only between digits and
        // divides by a thousand for one elsewhere.
        FormatCase{"0.00,", "#,0.00"}, FormatCase{"##0,.0", "#,#0.0"},
        FormatCase{"0#0,", "0,#0"}, FormatCase{"0-00,", std::nullopt},
        // Excel would multiply by 100 for "%" and read other letters.
        FormatCase{"0%", "0\\%"}, FormatCase{"'kg' 0", "\\k\\g\\ 0"},
        FormatCase{"0.00;(0.00);-", "0.00;\\(0.00\\);\\-"},
        FormatCase{"0.00E+00", "0.00E+00"}, FormatCase{"", std::nullopt},
        FormatCase{"0;;0", std::nullopt}, FormatCase{"0.0.0", std::nullopt},
        FormatCase{"0;0;0;0", std::nullopt}));

class DateTimeFormatTest : public testing::TestWithParam<FormatCase> {};

TEST_P(DateTimeFormatTest, ShowsWhatTheGridShows) {
  RegionalFormats formats;
  formats.dateSeparator = u'.';
  EXPECT_EQ(xlsxDateTimeFormat(QString::fromUtf8(GetParam().pattern), formats),
            GetParam().format);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, DateTimeFormatTest,
    testing::Values(
        FormatCase{"yyyy-m-d", "yyyy\\-m\\-d"},
        // "/" is the regional date separator.
        FormatCase{"yyyy/mm/dd", "yyyy\\.mm\\.dd"},
        FormatCase{"yy年m月d日", "yy\\年m\\月d\\日"},
        FormatCase{"h:nn:ss", "h\\:mm\\:ss"}, FormatCase{"hh:mm", "hh\\:mm"},
        FormatCase{"nn:ss", "mm\\:ss"},
        FormatCase{"h:nn ampm", "h\\:mm\\ AM/PM"},
        FormatCase{"h AM/PM", "h\\ AM/PM"}, FormatCase{"h a/p", std::nullopt},
        // Excel would read these minutes as a month, this month as minutes.
        FormatCase{"nn", std::nullopt}, FormatCase{"m:ss", std::nullopt},
        // Names and milliseconds Excel writes its own way.
        FormatCase{"d mmm yyyy", std::nullopt},
        FormatCase{"dddd", std::nullopt}, FormatCase{"ss.zzz", std::nullopt}));

// Before 1 March 1900 Excel counts a 29 February 1900 that never was and
// other readers do not: such dates are left to the grid's text.
TEST(DateSerialTest, FromMarch1900ToTheEndOf9999) {
  const struct {
    double days;
    std::optional<double> serial;
  } cases[] = {
      {2, std::nullopt},    // 1 January 1900
      {60.5, std::nullopt}, // 28 February 1900, noon
      {61, 61},             // 1 March 1900
      {45356.75, 45356.75},
      {2958465, 2958465}, // 31 December 9999
      {1.5, std::nullopt},
      {-10, std::nullopt},
      {2958466, std::nullopt},
      {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
  };
  for (const auto &c : cases)
    EXPECT_EQ(xlsxDateSerial(c.days), c.serial) << c.days;
}

} // namespace

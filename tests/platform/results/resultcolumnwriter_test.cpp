#include "platform/errors.h"
#include "platform/results/resultcolumn.h"
#include "platform/results/resultcolumnwriter.h"
#include "platform/text/datetimeformat.h"

#include "support/qtprint.h"

#include <gtest/gtest.h>

namespace {

TEST(ResultColumnWriterTest, DecimalTextIsReadExactly) {
  const struct {
    const char *text;
    qint64 tenThousandths;
  } cases[] = {
      {"2", 20000},
      {"0.1", 1000},
      {"-0.5", -5000},
      {"1.234567", 12346},
      {"0.00005", 1},
      {"-0.00005", -1},
      {"0.000049999999", 0},
      {"2.35000000000000008882", 23500},
      {"922337203685477.5807", 9223372036854775807LL},
      {"1.0e-05", 0},
      {"4.7e+2", 4700000},
      {"1.5E-4", 2},
  };
  for (const auto &c : cases) {
    ResultColumn column("q", FieldType::BCD, 6, 28);
    ResultColumnWriter(column).appendText(QString::fromLatin1(c.text));
    ASSERT_FALSE(column.isOverflow(0)) << c.text;
    EXPECT_EQ(column.integer(0), c.tenThousandths) << c.text;
  }
}

TEST(ResultColumnWriterTest, DecimalsTooLargeAreStoredAsOverflow) {
  ResultColumn column("q", FieldType::BCD, 6, 28);
  ResultColumnWriter writer(column);
  writer.appendText(u"922337203685477.5808");
  writer.appendText(u"1.0e+20");
  writer.appendText(u"-12345678901234567890.5");
  writer.appendInteger(std::numeric_limits<qint64>::max() / 1000);
  writer.appendReal(1e300);
  for (int row = 0; row < column.rowCount(); ++row) {
    EXPECT_TRUE(column.isOverflow(row)) << row;
    EXPECT_FALSE(column.isNull(row)) << row;
  }
}

TEST(ResultColumnWriterTest, NumbersConvertIntoEachNumericType) {
  ResultColumn decimal("q", FieldType::BCD);
  ResultColumnWriter(decimal).appendInteger(-12);
  EXPECT_EQ(decimal.integer(0), -120000);
  // A double reads as its shortest decimal text, not its binary expansion.
  ResultColumnWriter(decimal).appendReal(0.1 * 3);
  EXPECT_EQ(decimal.integer(1), 3000);

  ResultColumn real("r", FieldType::Float);
  ResultColumnWriter writer(real);
  writer.appendInteger(3);
  writer.appendText(u"2.5");
  EXPECT_EQ(real.real(0), 3.0);
  EXPECT_EQ(real.real(1), 2.5);

  ResultColumn flag("b", FieldType::Boolean);
  ResultColumnWriter flags(flag);
  for (const char16_t *text : {u"1", u"TRUE", u"0", u"false"})
    flags.appendText(text);
  flags.appendInteger(7);
  EXPECT_EQ(flag.integer(0) + flag.integer(1), 2);
  EXPECT_EQ(flag.integer(2) + flag.integer(3), 0);
  EXPECT_EQ(flag.integer(4), 1);
}

TEST(ResultColumnWriterTest, ValuesThatDoNotFitAreRefused) {
  const struct {
    FieldType type;
    std::function<void(ResultColumnWriter &)> append;
  } cases[] = {
      {FieldType::Integer, [](auto &w) { w.appendInteger(1LL << 31); }},
      {FieldType::Integer, [](auto &w) { w.appendReal(1.5); }},
      {FieldType::Integer, [](auto &w) { w.appendText(u"12a"); }},
      {FieldType::Word, [](auto &w) { w.appendInteger(-1); }},
      {FieldType::Word, [](auto &w) { w.appendInteger(65536); }},
      {FieldType::BCD, [](auto &w) { w.appendText(u"1,5"); }},
      {FieldType::BCD, [](auto &w) { w.appendText(u""); }},
      {FieldType::Float, [](auto &w) { w.appendText(u"x"); }},
      {FieldType::DateTime, [](auto &w) { w.appendText(u"2024-02-30"); }},
      {FieldType::DateTime, [](auto &w) { w.appendText(u"2024-01-01 25:00"); }},
      {FieldType::DateTime, [](auto &w) { w.appendText(u"2024-01-01x"); }},
      {FieldType::DateTime, [](auto &w) { w.appendInteger(45000); }},
      {FieldType::Boolean, [](auto &w) { w.appendText(u"yes"); }},
  };
  for (const auto &c : cases) {
    ResultColumn column("c", c.type);
    ResultColumnWriter writer(column);
    EXPECT_THROW(c.append(writer), DatabaseError) << fieldTypeName(c.type);
  }
  ResultColumn word("w", FieldType::Word);
  ResultColumnWriter(word).appendInteger(65535);
  EXPECT_EQ(word.integer(0), 65535);
}

TEST(ResultColumnWriterTest, DateTimesReadFromText) {
  const struct {
    const char16_t *text;
    QDateTime expected;
  } cases[] = {
      {u"2021-03-01", QDateTime(QDate(2021, 3, 1), QTime(0, 0))},
      {u"2021-03-01 00:00:00", QDateTime(QDate(2021, 3, 1), QTime(0, 0))},
      {u"2022-12-31 17:30:00", QDateTime(QDate(2022, 12, 31), QTime(17, 30))},
      {u"2023-05-18 09:30:15.250",
       QDateTime(QDate(2023, 5, 18), QTime(9, 30, 15, 250))},
      {u"1899-12-29T06:00:00", QDateTime(QDate(1899, 12, 29), QTime(6, 0))},
  };
  for (const auto &c : cases) {
    ResultColumn column("d", FieldType::DateTime);
    ResultColumnWriter(column).appendText(c.text);
    EXPECT_DOUBLE_EQ(column.real(0), dateTimeToDays(c.expected))
        << QString::fromUtf16(c.text);
  }
  ResultColumn column("d", FieldType::DateTime);
  ResultColumnWriter(column).appendDateTime(QDate(1900, 1, 1), QTime(12, 0));
  EXPECT_DOUBLE_EQ(column.real(0), 2.5);
}

TEST(ResultColumnWriterTest, TextPassesThroughCodePage936) {
  ResultColumn column("t", FieldType::WideString, 60);
  ResultColumnWriter writer(column);
  writer.appendText(u"笑脸贴纸😀 ก");
  writer.appendInteger(42);
  writer.appendNull();
  EXPECT_EQ(column.text(0), u"笑脸贴纸? ?");
  EXPECT_EQ(column.text(1), u"42");
  EXPECT_TRUE(column.isNull(2));
}

} // namespace

#include "gridfixture.h"

#include "grid/celldisplaytext.h"
#include "platform/dataset/stringfield.h"
#include "platform/errors.h"
#include "platform/text/datetimeformat.h"

namespace {

// 2024-03-05 at midnight and at 08:30.
const double march5 = dateTimeToDays(QDateTime(QDate(2024, 3, 5), QTime(0, 0)));
const double march5At0830 = march5 + 8.5 / 24;

struct CellCase {
  const char *name;
  FieldType type;
  QVariant value;
  const char *format;
  const char *expected;
};

class CellDisplayTextTest : public GridFixture,
                            public ::testing::WithParamInterface<CellCase> {};

TEST_P(CellDisplayTextTest, WritesTheCell) {
  const CellCase &c = GetParam();
  open(makeTable({{"V", c.type}}, {{c.value}}));
  TColumnEh &column = addColumn("V");
  column.setDisplayFormat(QString::fromUtf8(c.format));
  EXPECT_EQ(CellDisplayText(column), QString::fromUtf8(c.expected));
  // The same text into a text that had a longer one before.
  QString reused = QStringLiteral("the text of an earlier cell");
  assignCellDisplayText(reused, column);
  EXPECT_EQ(reused, QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cells, CellDisplayTextTest,
    ::testing::Values(
        // The component grid's quantity pattern.
        CellCase{"Bcd2_5", FieldType::BCD, qint64(25000), "0.00", "2.50"},
        CellCase{"Bcd1234_5", FieldType::BCD, qint64(12345000), "0.00",
                 "1234.50"},
        CellCase{"BcdMinus1_25", FieldType::BCD, qint64(-12500), "0.00",
                 "-1.25"},
        CellCase{"BcdZero", FieldType::BCD, qint64(0), "0.00", "0.00"},
        CellCase{"BcdNull", FieldType::BCD, QVariant(), "0.00", ""},
        // Without a column pattern the field's own text.
        CellCase{"BcdPlain", FieldType::BCD, qint64(25000), "", "2.5"},
        CellCase{"BcdNullPlain", FieldType::BCD, QVariant(), "", ""},
        CellCase{"Integer", FieldType::Integer, 1234, "#,##0.0", "1,234.0"},
        CellCase{"IntegerPlain", FieldType::Integer, -7, "", "-7"},
        CellCase{"Word", FieldType::Word, 65535, "0", "65535"},
        CellCase{"Float", FieldType::Float, 0.125, "0.00", "0.13"},
        // Date-times: the short date, the long time only with a time of day.
        CellCase{"DateMidnight", FieldType::DateTime, march5, "", "2024-3-5"},
        CellCase{"DateMorning", FieldType::DateTime, march5At0830, "",
                 "2024-3-5 8:30:00"},
        CellCase{"DatePattern", FieldType::DateTime, march5At0830,
                 "yyyy/mm/dd hh:nn", "2024/03/05 08:30"},
        CellCase{"DateNull", FieldType::DateTime, QVariant(), "yyyy", ""},
        // A pattern on a text or boolean column blanks the cell.
        CellCase{"TextPlain", FieldType::WideString, QStringLiteral("螺栓"), "",
                 "螺栓"},
        CellCase{"TextNull", FieldType::WideString, QVariant(), "", ""},
        CellCase{"TextWithPattern", FieldType::String, QStringLiteral("A1"),
                 "0.00", ""},
        CellCase{"BooleanPlain", FieldType::Boolean, 1, "", "True"},
        CellCase{"BooleanWithPattern", FieldType::Boolean, 1, "0", ""}),
    [](const auto &info) { return std::string(info.param.name); });

class CellTextRulesTest : public GridFixture {};

TEST_F(CellTextRulesTest, ColumnWithoutFieldIsEmpty) {
  open(makeTable({{"V", FieldType::Integer}}, {{1}}));
  TColumnEh &column = addColumn("Other");
  column.setDisplayFormat(QStringLiteral("0.00"));
  EXPECT_EQ(CellDisplayText(column), QString());
}

TEST_F(CellTextRulesTest, FieldEventSuppliesTheTextWithoutAPattern) {
  open(makeTable({{"V", FieldType::Integer}}, {{5}}));
  TColumnEh &column = addColumn("V");
  query.FindField("V")->OnGetText = [](TField &, QString &text, bool display) {
    text = display ? QStringLiteral("five") : QStringLiteral("5");
  };
  EXPECT_EQ(CellDisplayText(column), QStringLiteral("five"));
  column.setDisplayFormat(QStringLiteral("0.0"));
  EXPECT_EQ(CellDisplayText(column), QStringLiteral("5.0"));
}

TEST_F(CellTextRulesTest, ReusedTextFollowsMasksHandlersAndKeptCopies) {
  open(makeTable({{"V", FieldType::String}},
                 {{QStringLiteral("1234567")}, {QStringLiteral("89")}}));
  TColumnEh &column = addColumn("V");
  auto &field = static_cast<TStringField &>(*query.FindField("V"));
  QString text;
  assignCellDisplayText(text, column);
  const QString kept = text;
  query.setActiveRecord(1);
  assignCellDisplayText(text, column);
  EXPECT_EQ(text, QStringLiteral("89"));
  EXPECT_EQ(kept, QStringLiteral("1234567"));
  query.clearActiveRecord();

  field.setEditMask(QStringLiteral("000-0000"));
  assignCellDisplayText(text, column);
  EXPECT_EQ(text, QStringLiteral("123-4567"));
  field.OnGetText = [](TField &, QString &text, bool) { text = "own"; };
  assignCellDisplayText(text, column);
  EXPECT_EQ(text, QStringLiteral("own"));
}

TEST_F(CellTextRulesTest, TextFollowsTheActiveRecord) {
  open(makeTable({{"V", FieldType::Integer}}, {{1}, {2}, {3}}));
  TColumnEh &column = addColumn("V");
  query.setActiveRecord(2);
  EXPECT_EQ(CellDisplayText(column), QStringLiteral("3"));
  query.clearActiveRecord();
  EXPECT_EQ(CellDisplayText(column), QStringLiteral("1"));
}

TEST_F(CellTextRulesTest, OverflowingFixedPointShowsOverflowUnderAPattern) {
  ResultTable table;
  table.addColumn(QStringLiteral("Q"), FieldType::BCD).appendOverflow();
  open(std::move(table));
  TColumnEh &column = addColumn("Q");
  column.setDisplayFormat(QStringLiteral("0.00"));
  EXPECT_EQ(CellDisplayText(column), QStringLiteral("(Overflow)"));
}

TEST_F(CellTextRulesTest, PatternTooLongIsRefused) {
  open(makeTable({{"V", FieldType::Integer}}, {{1}}));
  TColumnEh &column = addColumn("V");
  column.setDisplayFormat(QString(225, QLatin1Char('0')));
  try {
    CellDisplayText(column);
    FAIL() << "no error";
  } catch (const FormatError &error) {
    EXPECT_EQ(error.message(), QStringLiteral("Format string too long"));
  }
}

} // namespace

#include "gridfixture.h"

#include "platform/dataset/numericfield.h"

namespace {

class FooterTextTest : public GridFixture {
protected:
  void SetUp() override {
    open(makeTable({{"Code", FieldType::String},
                    {"Qty", FieldType::BCD},
                    {"N", FieldType::Integer},
                    {"F", FieldType::Float}},
                   {{"A", qint64(25000), 1, 0.5},
                    {"B", QVariant(), 2, QVariant()},
                    {"C", qint64(-10000), 4, 0.25}}));
    query.last();
  }

  QString footer(TColumnEh &column, TFooterValueType type,
                 const QString &format = QString()) {
    column.Footer().setValueType(type);
    column.Footer().setDisplayFormat(format);
    return grid.FooterText(0, column);
  }
};

TEST_F(FooterTextTest, StaticNoneAndFieldValue) {
  TColumnEh &code = addColumn("Code");
  code.Footer().setValue(QStringLiteral("合计"));
  EXPECT_EQ(footer(code, fvtNon), QString());
  EXPECT_EQ(footer(code, fvtStaticText), QStringLiteral("合计"));
  EXPECT_EQ(footer(code, fvtFieldValue), QStringLiteral("C"));

  code.Footer().setFieldName(QStringLiteral("qty"));
  EXPECT_EQ(footer(code, fvtFieldValue), QStringLiteral("-1"));
  EXPECT_EQ(footer(code, fvtFieldValue, QStringLiteral("0.00")),
            QStringLiteral("-1.00"));
}

TEST_F(FooterTextTest, SumsAndAveragesSkipNulls) {
  TColumnEh &qty = addColumn("Qty");
  TColumnEh &n = addColumn("N");
  TColumnEh &f = addColumn("F");
  EXPECT_EQ(footer(qty, fvtSum), QStringLiteral("1.5"));
  EXPECT_EQ(footer(qty, fvtSum, QStringLiteral("0.00")),
            QStringLiteral("1.50"));
  EXPECT_EQ(footer(qty, fvtAvg), QStringLiteral("0.75"));
  EXPECT_EQ(footer(n, fvtSum), QStringLiteral("7"));
  EXPECT_EQ(footer(n, fvtAvg), QStringLiteral("2")); // 2.33 as an integer
  EXPECT_EQ(footer(n, fvtAvg, QStringLiteral("0.00")), QStringLiteral("2.33"));
  EXPECT_EQ(footer(f, fvtSum), QStringLiteral("0.75"));
  EXPECT_EQ(footer(f, fvtAvg), QStringLiteral("0.375"));
}

TEST_F(FooterTextTest, FieldPatternServesWhenTheFooterHasNone) {
  TColumnEh &qty = addColumn("Qty");
  static_cast<TBCDField *>(query.FindField("Qty"))
      ->setDisplayFormat(QStringLiteral("0.000"));
  EXPECT_EQ(footer(qty, fvtSum), QStringLiteral("1.500"));
}

TEST_F(FooterTextTest, SumWithoutSuchFieldIsZero) {
  TColumnEh &missing = addColumn("Missing");
  EXPECT_EQ(footer(missing, fvtSum), QStringLiteral("0"));
  TColumnEh &code = addColumn("Code");
  EXPECT_EQ(footer(code, fvtSum), QStringLiteral("0"));
  query.close();
  TColumnEh &qty = addColumn("Qty");
  EXPECT_EQ(footer(qty, fvtSum), QStringLiteral("0"));
  EXPECT_EQ(footer(qty, fvtCount), QStringLiteral("0"));
}

TEST_F(FooterTextTest, CountIsTheRecordCount) {
  TColumnEh &code = addColumn("Code");
  EXPECT_EQ(footer(code, fvtCount), QStringLiteral("3"));
  EXPECT_EQ(footer(code, fvtCount, QStringLiteral("0.0")),
            QStringLiteral("3.0"));
}

TEST_F(FooterTextTest, FooterRowPicksTheFootersItem) {
  TColumnEh &code = addColumn("Code");
  code.Footer().setValueType(fvtStaticText);
  code.Footer().setValue(QStringLiteral("single"));
  TColumnFooterEh &first = code.Footers().Add();
  first.setValueType(fvtCount);
  EXPECT_EQ(grid.FooterText(0, code), QStringLiteral("3"));
  EXPECT_EQ(grid.FooterText(1, code), QStringLiteral("single"));
}

TEST_F(FooterTextTest, SumsLeaveTheCursorAlone) {
  TColumnEh &qty = addColumn("Qty");
  query.setRecNo(2);
  footer(qty, fvtSum);
  EXPECT_EQ(query.recNo(), 2);
}

} // namespace

#include "platform/dataset/booleanfield.h"
#include "platform/dataset/datetimefield.h"
#include "platform/dataset/numericfield.h"
#include "platform/dataset/query.h"
#include "platform/dataset/stringfield.h"
#include "platform/errors.h"
#include "platform/text/regionalformats.h"
#include "support/fakeengine.h"

#include <gtest/gtest.h>

namespace {

// One open query with a single column of `type` holding `values`; the
// fields are read record by record.
class FieldTest : public ::testing::Test {
protected:
  FieldTest() : connection(fakeEngineFactory(database)) {
    connection.setConnectionString(QStringLiteral("test"), DbLinkInfo());
    query.setConnection(&connection);
    RegionalFormats formats;
    formats.decimalSeparator = QLatin1Char('.');
    formats.shortDateFormat = QStringLiteral("yyyy-mm-dd");
    formats.longTimeFormat = QStringLiteral("hh:nn:ss");
    RegionalFormats::setCurrent(formats);
  }
  ~FieldTest() override {
    RegionalFormats::setCurrent(RegionalFormats::fromSystem());
  }

  TField *open(FieldType type, const std::vector<QVariant> &values) {
    std::vector<std::vector<QVariant>> rows;
    for (const QVariant &v : values)
      rows.push_back({v});
    database->table = makeTable({{"f", type}}, rows);
    query.open();
    return query.FieldByName("f");
  }

  // Display (or edit) texts of every record.
  QStringList texts(TField *field, bool display = true) {
    QStringList out;
    for (query.first(); !query.eof(); query.next())
      out << field->GetFieldText(display);
    return out;
  }

  std::shared_ptr<FakeDatabase> database = std::make_shared<FakeDatabase>();
  DbConnection connection;
  Query query{QStringLiteral("ado_test")};
};

TEST_F(FieldTest, BcdTextIsTheShortestDecimal) {
  TField *f = open(FieldType::BCD, {25000, 30000, 1234, -12500, QVariant()});
  EXPECT_EQ(texts(f), (QStringList{"2.5", "3", "0.1234", "-1.25", ""}));
  EXPECT_EQ(f->Alignment(), taRightJustify);
}

TEST_F(FieldTest, BcdPatternIsAppliedToTheExactValue) {
  auto *f = static_cast<TBCDField *>(
      open(FieldType::BCD, {25000, 12345000, -12500, 0, QVariant()}));
  f->setDisplayFormat(QStringLiteral("0.00"));
  EXPECT_EQ(texts(f), (QStringList{"2.50", "1234.50", "-1.25", "0.00", ""}));
  EXPECT_EQ(texts(f, false),
            (QStringList{"2.50", "1234.50", "-1.25", "0.00", ""}))
      << "edit text falls back to the display pattern";
  f->setEditFormat(QStringLiteral("0.0000"));
  EXPECT_EQ(texts(f, false)[0], QStringLiteral("2.5000"));
}

TEST_F(FieldTest, BcdValueTooLargeForTheFieldShowsOverflow) {
  ResultTable table;
  table.addColumn(QStringLiteral("f"), FieldType::BCD).appendOverflow();
  database->table = table;
  query.open();
  TField *f = query.FieldByName("f");
  EXPECT_FALSE(f->IsNull());
  EXPECT_EQ(f->DisplayText(), QStringLiteral("(Overflow)"));
  EXPECT_THROW(f->AsFloat(), FieldError);
}

TEST_F(FieldTest, BcdCurrencyUsesTheRegionalCurrency) {
  RegionalFormats formats = RegionalFormats::current();
  formats.currencyString = QStringLiteral("$");
  formats.currencyDecimals = 2;
  formats.currencyFormat = 0;
  RegionalFormats::setCurrent(formats);
  auto *f = static_cast<TBCDField *>(open(FieldType::BCD, {25000}));
  f->setCurrency(true);
  EXPECT_EQ(f->DisplayText(), QStringLiteral("$2.50"));
  EXPECT_EQ(f->AsString(), QStringLiteral("2.50"));
}

TEST_F(FieldTest, IntegersAreWrittenPlainUnlessAPatternIsSet) {
  auto *f = static_cast<TIntegerField *>(
      open(FieldType::Integer, {0, -42, 1234567, QVariant()}));
  EXPECT_EQ(texts(f), (QStringList{"0", "-42", "1234567", ""}));
  f->setDisplayFormat(QStringLiteral("#,##0"));
  EXPECT_EQ(texts(f)[2], QStringLiteral("1,234,567"));
}

TEST_F(FieldTest, DateTimeShowsTheTimeOnlyWhenItIsNotMidnight) {
  // 45356 is 2024-03-05; 0.3541666... is 08:30:00.
  TField *f =
      open(FieldType::DateTime, {45356.0, 45356.0 + 8.5 / 24, QVariant()});
  EXPECT_EQ(texts(f), (QStringList{"2024-03-05", "2024-03-05 08:30:00", ""}));
  EXPECT_EQ(f->Alignment(), taLeftJustify);
  static_cast<TDateTimeField *>(f)->setDisplayFormat(
      QStringLiteral("yyyymmdd"));
  EXPECT_EQ(texts(f)[1], QStringLiteral("20240305"));
  EXPECT_EQ(texts(f, false)[1], QStringLiteral("2024-03-05 08:30:00"))
      << "the display format is not the edit text";
}

TEST_F(FieldTest, BooleansSayTrueOrFalseOrTheirDisplayValues) {
  auto *f = static_cast<TBooleanField *>(
      open(FieldType::Boolean, {1, 0, QVariant()}));
  EXPECT_EQ(texts(f), (QStringList{"True", "False", ""}));
  f->setDisplayValues(QStringLiteral("是;否"));
  EXPECT_EQ(texts(f), (QStringList{"是", "否", ""}));
}

TEST_F(FieldTest, StringsAreHeldAsReadAndMaskedOnlyForDisplay) {
  auto *f = static_cast<TStringField *>(
      open(FieldType::WideString, {"存货编码", "", QVariant()}));
  EXPECT_EQ(texts(f), (QStringList{"存货编码", "", ""}));
  query.first();
  EXPECT_FALSE(f->IsNull());
  query.last();
  EXPECT_TRUE(f->IsNull());
}

TEST_F(FieldTest, EditMaskFormatsOnlyTheDisplayText) {
  auto *f = static_cast<TStringField *>(open(FieldType::String, {"1234"}));
  f->setEditMask(QStringLiteral("00-00"));
  EXPECT_EQ(f->DisplayText(), QStringLiteral("12-34"));
  EXPECT_EQ(f->AsString(), QStringLiteral("1234"));
}

TEST_F(FieldTest, OnGetTextReplacesTheFieldsOwnText) {
  TField *f = open(FieldType::Integer, {7, QVariant()});
  f->OnGetText = [](TField &sender, QString &text, bool display) {
    text = (display ? QStringLiteral("d") : QStringLiteral("e")) +
           QString::number(sender.IsNull());
  };
  EXPECT_EQ(texts(f), (QStringList{"d0", "d1"}));
  EXPECT_EQ(texts(f, false), (QStringList{"e0", "e1"}));
}

TEST_F(FieldTest, NumbersOutOfTextRaiseAFieldError) {
  TField *f = open(FieldType::WideString, {"abc"});
  EXPECT_THROW(f->AsInteger(), FieldError);
  EXPECT_THROW(f->AsBoolean(), FieldError);
}

TEST_F(FieldTest, DisplayLabelDefaultsToTheFieldName) {
  TField *f = open(FieldType::Integer, {1});
  EXPECT_EQ(f->DisplayLabel(), QStringLiteral("f"));
  f->setDisplayLabel(QStringLiteral("数量"));
  EXPECT_EQ(f->DisplayLabel(), QStringLiteral("数量"));
}

} // namespace

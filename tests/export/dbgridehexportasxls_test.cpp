#include "export/dbgridehexportasxls.h"

#include "bomdetail/bomdetailcolumns.h"
#include "export/xlsrecords.h"
#include "grid/columneh.h"
#include "platform/errors.h"
#include "support/exportgrid.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const QByteArray kBof = hexBytes("09 08 08 00 00 00 10 00 00 00 00 00");
const QByteArray kEof = hexBytes("0A 00 00 00");

QByteArray label(quint16 row, quint16 column, const QByteArray &text) {
  return xls::bytesOf(xls::labelHeader(row, column, quint16(text.size())))
             .toByteArray() +
         text;
}

QByteArray number(quint16 row, quint16 column, double value) {
  return xls::bytesOf(xls::numberRecord(row, column, value)).toByteArray();
}

QByteArray blank(quint16 row, quint16 column) {
  return xls::bytesOf(xls::blankRecord(row, column)).toByteArray();
}

QByteArray rk(quint16 row, quint16 column, qint32 value) {
  return xls::bytesOf(xls::rkRecord(row, column, value)).toByteArray();
}

class XlsExportTest : public testing::Test {
protected:
  QByteArray xlsBytes() {
    TDBGridEhExportAsXLS writer;
    return grid.exportWith(writer);
  }
  ExportGrid grid;
};

TEST_F(XlsExportTest, WorkedExample) {
  grid.addColumn(QStringLiteral("a"), QStringLiteral("A"));
  grid.addColumn(QStringLiteral("b"), QStringLiteral("B"));
  grid.open(makeTable({{"a", FieldType::Integer}, {"b", FieldType::String}},
                      {{7, "x"}}));
  const QByteArray bytes = xlsBytes();
  EXPECT_EQ(bytes.size(), 69);
  EXPECT_EQ(bytes, hexBytes("09 08 08 00 00 00 10 00 00 00 00 00"
                            "04 02 09 00 00 00 00 00 00 00 01 00 41"
                            "04 02 09 00 00 00 01 00 00 00 01 00 42"
                            "7E 02 0A 00 01 00 00 00 00 00 1E 00 00 00"
                            "04 02 09 00 01 00 01 00 00 00 01 00 78"
                            "0A 00 00 00"));
}

TEST_F(XlsExportTest, EmptyDataset) {
  grid.addColumn(QStringLiteral("a"), QStringLiteral("存货编码"));
  grid.open(makeTable({{"a", FieldType::Integer}}, {}));
  EXPECT_EQ(xlsBytes(),
            kBof + label(0, 0, gbk(QStringLiteral("存货编码"))) + kEof);
  grid.grid.setOptions(grid.grid.Options() & ~dgTitles);
  EXPECT_EQ(xlsBytes(), kBof + kEof);
}

TEST_F(XlsExportTest, NoVisibleColumn) {
  grid.addColumn(QStringLiteral("a"), QStringLiteral("A")).setVisible(false);
  grid.open(makeTable({{"a", FieldType::Integer}}, {{1}, {2}}));
  EXPECT_EQ(xlsBytes(), kBof + kEof);
}

TEST_F(XlsExportTest, CellRecordByFieldType) {
  grid.grid.setOptions(grid.grid.Options() & ~dgTitles);
  grid.addColumn(QStringLiteral("i"), QStringLiteral("I"));
  grid.addColumn(QStringLiteral("q"), QStringLiteral("Q"))
      .setDisplayFormat(QStringLiteral("0.00"));
  grid.addColumn(QStringLiteral("f"), QStringLiteral("F"));
  grid.addColumn(QStringLiteral("s"), QStringLiteral("S"));
  grid.addColumn(QStringLiteral("d"), QStringLiteral("D"));
  grid.addColumn(QStringLiteral("b"), QStringLiteral("B"));
  grid.addColumn(QStringLiteral("missing"), QStringLiteral("M"));
  grid.open(makeTable({{"i", FieldType::Integer},
                       {"q", FieldType::BCD},
                       {"f", FieldType::Float},
                       {"s", FieldType::WideString},
                       {"d", FieldType::DateTime},
                       {"b", FieldType::Boolean}},
                      {{-1, qint64(12345), 0.125, "", 45356.0, 1},
                       {QVariant(), QVariant(), QVariant(), QVariant(),
                        QVariant(), QVariant()}}));
  EXPECT_EQ(xlsBytes(), kBof + rk(0, 0, -1) + number(0, 1, 1.2345) +
                            number(0, 2, 0.125) + label(0, 3, "") +
                            label(0, 4, "2024-3-5") + label(0, 5, "True") +
                            blank(0, 6) + blank(1, 0) + blank(1, 1) +
                            blank(1, 2) + blank(1, 3) + blank(1, 4) +
                            blank(1, 5) + blank(1, 6) + kEof);
  EXPECT_EQ(rk(0, 0, -1).right(4), hexBytes("FE FF FF FF"));
}

// A decimal the grid shows as "(Overflow)" has no number: its cell is that
// text, and the export goes on to the next cell.
TEST_F(XlsExportTest, AnOverflowingDecimalIsTheTextTheGridShows) {
  grid.grid.setOptions(grid.grid.Options() & ~dgTitles);
  grid.addColumn(QStringLiteral("q"), QStringLiteral("Q"))
      .setDisplayFormat(QStringLiteral("0.00"));
  grid.addColumn(QStringLiteral("r"), QStringLiteral("R"));
  ResultTable table;
  table.addColumn("q", FieldType::BCD);
  table.addColumn("r", FieldType::BCD);
  ResultColumn &q = table.column(0), &r = table.column(1);
  q.appendOverflow();
  r.appendOverflow();
  q.appendInteger(25000);
  r.appendNull();
  grid.open(std::move(table));
  EXPECT_EQ(xlsBytes(), kBof + label(0, 0, "(Overflow)") +
                            label(0, 1, "(Overflow)") + number(1, 0, 2.5) +
                            blank(1, 1) + kEof);
}

TEST_F(XlsExportTest, IntegersBeyondTheRkRangeAreNumbers) {
  grid.grid.setOptions(grid.grid.Options() & ~dgTitles);
  grid.addColumn(QStringLiteral("i"), QStringLiteral("I"));
  grid.open(makeTable({{"i", FieldType::Integer}},
                      {{536870911}, {536870912}, {-536870912}, {-536870913}}));
  EXPECT_EQ(xlsBytes(), kBof + rk(0, 0, 536870911) + number(1, 0, 536870912) +
                            rk(2, 0, -536870912) + number(3, 0, -536870913) +
                            kEof);
}

TEST_F(XlsExportTest, SortedChineseCaptionCountsBytes) {
  grid.addColumn(QStringLiteral("q"), QStringLiteral("▲单件用量"));
  grid.open(makeTable({{"q", FieldType::Integer}}, {}));
  const QByteArray bytes = xlsBytes();
  EXPECT_EQ(bytes.mid(12, 2), hexBytes("04 02"));
  EXPECT_EQ(bytes.mid(22, 2), hexBytes("0A 00"));
  EXPECT_EQ(bytes.mid(24, 10), gbk(QStringLiteral("▲单件用量")));
}

TEST_F(XlsExportTest, LongTextIsCutToFitOneLabel) {
  grid.grid.setOptions(grid.grid.Options() & ~dgTitles);
  grid.addColumn(QStringLiteral("s"), QStringLiteral("S"));
  const QString text = QStringLiteral("x") + QString(40000, QChar(u'汉'));
  grid.open(makeTable({{"s", FieldType::WideString}}, {{text}}));
  const QByteArray bytes = xlsBytes();
  const QByteArray kept = gbk(text).left(xls::kMaxLabelBytes);
  EXPECT_EQ(bytes, kBof + label(0, 0, kept) + kEof);
  EXPECT_EQ(kept.size(), xls::kMaxLabelBytes);
}

TEST_F(XlsExportTest, TooManyRowsAreRefusedBeforeWriting) {
  grid.addColumn(QStringLiteral("i"), QStringLiteral("I"));
  std::vector<std::vector<QVariant>> rows(65535, {QVariant(1)});
  grid.open(makeTable({{"i", FieldType::Integer}}, rows));
  EXPECT_EQ(xlsBytes().size(), 12 + 13 + 65535 * 14 + 4);

  grid.grid.setFooterRowCount(1);
  try {
    xlsBytes();
    FAIL() << "exported";
  } catch (const FormatError &error) {
    EXPECT_EQ(
        error.message(),
        QStringLiteral("XLS 文件最多只能容纳 65536 行，本次输出需要 65537 行。"
                       "请改用“Excel 工作簿(*.xlsx)”类型输出。"));
  }
  EXPECT_FALSE(grid.query.controlsDisabled());
}

TEST_F(XlsExportTest, FootersAreNumbersOrLabels) {
  grid.grid.setOptions(grid.grid.Options() & ~dgTitles);
  grid.addColumn(QStringLiteral("q"), QStringLiteral("Q"));
  grid.addColumn(QStringLiteral("q"), QStringLiteral("N"));
  grid.addColumn(QStringLiteral("q"), QStringLiteral("T"));
  grid.grid.setFooterRowCount(1);
  grid.grid.Columns()[0].Footer().setValueType(fvtSum);
  grid.grid.Columns()[1].Footer().setValueType(fvtCount);
  grid.grid.Columns()[2].Footer().setValueType(fvtStaticText);
  grid.grid.Columns()[2].Footer().setValue(QStringLiteral("合计"));
  grid.open(
      makeTable({{"q", FieldType::BCD}}, {{qint64(12500)}, {QVariant()}}));
  EXPECT_EQ(xlsBytes(), kBof + number(0, 0, 1.25) + number(0, 1, 1.25) +
                            number(0, 2, 1.25) + blank(1, 0) + blank(1, 1) +
                            blank(1, 2) + number(2, 0, 1.25) + number(2, 1, 2) +
                            label(2, 2, gbk(QStringLiteral("合计"))) + kEof);
}

// The component window's columns over records shaped like the expansion
// result: the quantity is a NUMBER of its full value, every text a LABEL in
// code page 936, nulls BLANKs.
TEST_F(XlsExportTest, ComponentGridColumnSet) {
  setupBomDetailColumns(grid.grid);
  grid.open(makeTable({{"InvCode", FieldType::String},
                       {"cInvAddCode", FieldType::WideString},
                       {"cInvName", FieldType::WideString},
                       {"cInvStd", FieldType::WideString},
                       {"cComUnitName", FieldType::WideString},
                       {"CQty1", FieldType::BCD}},
                      {{"0101", "A-1", "螺钉", "M3×8", "个", qint64(25000)},
                       {"0102", QVariant(), "垫圈", "Φ3", "个", QVariant()}}));
  QByteArray expected = kBof;
  const char *captions[] = {"存货编码", "存货代码", "存货名称",
                            "规格型号", "单位",     "单件用量"};
  for (quint16 c = 0; c < 6; ++c)
    expected += label(0, c, gbk(QString::fromUtf8(captions[c])));
  expected += label(1, 0, "0101") + label(1, 1, "A-1") +
              label(1, 2, gbk(QStringLiteral("螺钉"))) +
              label(1, 3, gbk(QStringLiteral("M3×8"))) +
              label(1, 4, gbk(QStringLiteral("个"))) + number(1, 5, 2.5);
  expected += label(2, 0, "0102") + blank(2, 1) +
              label(2, 2, gbk(QStringLiteral("垫圈"))) +
              label(2, 3, gbk(QStringLiteral("Φ3"))) +
              label(2, 4, gbk(QStringLiteral("个"))) + blank(2, 5);
  EXPECT_EQ(xlsBytes(), expected + kEof);
}

} // namespace

#include "export/dbgridehexportastext.h"

#include "app/bominfomaincolumns.h"
#include "grid/columneh.h"
#include "support/exportgrid.h"

#include <gtest/gtest.h>

namespace {

class TextExportTest : public testing::Test {
protected:
  void twoColumns() {
    grid.addColumn(QStringLiteral("a"), QStringLiteral("A"));
    grid.addColumn(QStringLiteral("b"), QStringLiteral("B"));
  }
  void openRows(const std::vector<std::vector<QVariant>> &rows) {
    grid.open(
        makeTable({{"a", FieldType::Integer}, {"b", FieldType::String}}, rows));
  }
  QByteArray text() {
    TDBGridEhExportAsText writer;
    return grid.exportWith(writer);
  }
  void withoutTitles() {
    grid.grid.setOptions(grid.grid.Options() & ~dgTitles);
  }
  ExportGrid grid;
};

TEST_F(TextExportTest, TitleLineAndOneRecord) {
  twoColumns();
  openRows({{1, "x"}});
  EXPECT_EQ(text(), hexBytes("41 09 42 0D 0A 31 09 78"));
}

TEST_F(TextExportTest, EmptyDataset) {
  twoColumns();
  openRows({});
  EXPECT_EQ(text(), QByteArray("A\tB"));
  withoutTitles();
  EXPECT_EQ(text(), QByteArray());
}

TEST_F(TextExportTest, OneRecordWithoutTitlesHasNoLineEnd) {
  twoColumns();
  openRows({{1, "x"}});
  withoutTitles();
  EXPECT_EQ(text(), QByteArray("1\tx"));
}

TEST_F(TextExportTest, NullsAndEmptyTextsGiveEmptyCells) {
  twoColumns();
  grid.addColumn(QStringLiteral("b"), QStringLiteral("C"));
  openRows({{QVariant(), "x"}, {2, QVariant()}, {3, ""}});
  EXPECT_EQ(text(), QByteArray("A\tB\tC\r\n\tx\tx\r\n2\t\t\r\n3\t\t"));
}

TEST_F(TextExportTest, NoVisibleColumnGivesOnlyLineEnds) {
  twoColumns();
  for (int i = 0; i < 2; ++i)
    grid.grid.Columns()[i].setVisible(false);
  openRows({{1, "x"}, {2, "y"}});
  EXPECT_EQ(text(), QByteArray("\r\n\r\n"));
}

TEST_F(TextExportTest, HiddenAndMovedColumns) {
  twoColumns();
  grid.addColumn(QStringLiteral("a"), QStringLiteral("hidden"))
      .setVisible(false);
  grid.grid.Columns().Move(1, 0);
  openRows({{1, "x"}});
  EXPECT_EQ(text(), QByteArray("B\tA\r\nx\t1"));
}

TEST_F(TextExportTest, TextsAreWrittenUnquoted) {
  twoColumns();
  grid.grid.Columns()[1].Title().setCaption(QStringLiteral("组|B"));
  openRows({{1, "tab\there\r\nline"}});
  EXPECT_EQ(text(), QByteArray("A\t") + gbk(QStringLiteral("组|B")) +
                        "\r\n1\ttab\there\r\nline");
}

TEST_F(TextExportTest, SortedCaptionCarriesItsMarker) {
  grid.addColumn(QStringLiteral("q"), QStringLiteral("▲单件用量"));
  grid.open(makeTable({{"q", FieldType::Integer}}, {{2}, {1}}));
  grid.query.setSort(QStringLiteral("q ASC"));
  EXPECT_EQ(text(), gbk(QStringLiteral("▲单件用量")) + "\r\n1\r\n2");
  EXPECT_EQ(gbk(QStringLiteral("▲单件用量")).size(), 10);
}

TEST_F(TextExportTest, FooterLinesFollowTheRecords) {
  twoColumns();
  grid.grid.setFooterRowCount(1);
  grid.grid.Columns()[0].Footer().setValueType(fvtSum);
  grid.grid.Columns()[1].Footer().setValueType(fvtStaticText);
  grid.grid.Columns()[1].Footer().setValue(QStringLiteral("合计"));
  openRows({{1, "x"}, {QVariant(), "y"}, {41, "z"}});
  EXPECT_EQ(text(), QByteArray("A\tB\r\n1\tx\r\n\ty\r\n41\tz\r\n42\t") +
                        gbk(QStringLiteral("合计")));
}

TEST_F(TextExportTest, MainGridColumnSet) {
  setupBomInfoMainColumns(grid.grid);
  grid.open(makeTable({{"cInvCName", FieldType::WideString},
                       {"InvCode", FieldType::WideString},
                       {"cInvName", FieldType::WideString},
                       {"cInvAddCode", FieldType::WideString},
                       {"cInvStd", FieldType::WideString},
                       {"bomtype", FieldType::String},
                       {"status", FieldType::String},
                       {"VersionDesc", FieldType::WideString},
                       {"IdentDesc", FieldType::WideString},
                       {"VersionEffDate", FieldType::DateTime},
                       {"VersionEndDate", FieldType::DateTime}},
                      {{"成品", "01001", "主板", "A1", "100x80", "主BOM",
                        "审核", "1.0", QVariant(), 45356.0, 45356.5}}));
  EXPECT_EQ(text(), gbk(QStringLiteral(
                        "存货大类\t存货编码\t存货名称\t存货代码\t规格型号\t"
                        "类型\t状态\t版本\t替代BOM\t生效日期\t结束日期\r\n"
                        "成品\t01001\t主板\tA1\t100x80\t主BOM\t审核\t1.0\t\t"
                        "2024-3-5\t2024-3-5 12:00:00")));
}

} // namespace

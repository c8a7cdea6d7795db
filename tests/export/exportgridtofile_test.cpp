#include "export/exportgridtofile.h"
#include "platform/errors.h"
#include "support/exportgrid.h"
#include "support/fakeplatform.h"
#include "support/qtprint.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ExportCommandTest : public ::testing::Test {
protected:
  void SetUp() override {
    grid.addColumn("InvCode", "存货编码", 98);
    grid.addColumn("cInvName", "存货名称", 156);
    grid.open(makeTable(
        {{"InvCode", FieldType::String}, {"cInvName", FieldType::String}},
        {{"B-2", "轴"}, {"A-1", "壳体"}, {"C-3", "齿轮"}}));
  }

  QByteArray exportAs(int filterIndex, const QString &typedName) {
    const QString path = folder.filePath(typedName);
    dialog.choice = SaveDialogChoice{path, filterIndex};
    EXPECT_TRUE(
        ExportGridToFile(&grid.grid, "BOM查询-20240305", 0, dialog, nullptr));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
  }

  ExportGrid grid;
  FakeSaveDialog dialog;
  QTemporaryDir folder;
};

TEST_F(ExportCommandTest, OpensTheDialogWithTheFileTypesAndTheProposedName) {
  EXPECT_FALSE(
      ExportGridToFile(&grid.grid, "BOM查询-20240305", 0, dialog, nullptr));
  ASSERT_EQ(dialog.opened.size(), 1);
  const SaveDialogOptions &options = dialog.opened[0];
  EXPECT_EQ(options.filter,
            "Excel 文档( *.xls)|*.xls|Word 文档(*.RTF)|*.rtf|Html "
            "网页(*.html)|*.html|纯文本  文档 (*.txt)|*.TXT|Excel "
            "工作簿(*.xlsx)|*.xlsx");
  EXPECT_EQ(options.defaultExt, "xls");
  EXPECT_EQ(options.fileName, "BOM查询-20240305");
  EXPECT_EQ(options.filterIndex, 1);

  // The preferred type 0..3 preselects entries 1..4; no grid, no dialog.
  ExportGridToFile(&grid.grid, "x", 3, dialog, nullptr);
  EXPECT_EQ(dialog.opened.last().filterIndex, 4);
  EXPECT_FALSE(ExportGridToFile(nullptr, "x", 0, dialog, nullptr));
  EXPECT_EQ(dialog.opened.size(), 2);
}

TEST_F(ExportCommandTest, TheSelectedTypeDecidesTheWriterNotTheExtension) {
  struct Case {
    int filterIndex;
    QByteArray start;
  };
  const Case cases[] = {
      {1, QByteArray::fromHex("0908")},
      {2, "{\\rtf0\\ansi"},
      {3, "<!DOCTYPE HTML"},
      {4, gbk("存货编码\t存货名称\r\nB-2\t")},
      {5, QByteArray("PK\x03\x04", 4)},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.filterIndex);
    const QByteArray bytes = exportAs(
        c.filterIndex, QStringLiteral("typed%1.xls").arg(c.filterIndex));
    EXPECT_TRUE(bytes.startsWith(c.start)) << bytes.left(24).toHex(' ').data();
  }
}

TEST_F(ExportCommandTest, AnUnknownTypeIsAnErrorAndWritesNothing) {
  const QString path = folder.filePath("unknown.xls");
  dialog.choice = SaveDialogChoice{path, 0};
  EXPECT_THROW(ExportGridToFile(&grid.grid, "x", 0, dialog, nullptr), Error);
  EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(ExportCommandTest, AnExportFollowsTheSortedOrder) {
  grid.query.setSort("InvCode DESC");
  const QByteArray text = exportAs(4, "sorted.txt");
  EXPECT_TRUE(text.contains(gbk("C-3\t齿轮\r\nB-2\t轴\r\nA-1\t壳体")))
      << text.data();
}

TEST_F(ExportCommandTest, AWriteErrorPassesOnAndTheCursorComesBack) {
  grid.query.close();
  dialog.choice = SaveDialogChoice{folder.filePath("closed.xls"), 1};
  EXPECT_THROW(ExportGridToFile(&grid.grid, "x", 0, dialog, nullptr),
               DatabaseError);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(DatedFileNameTest, AppendsTheDateAsYearMonthDay) {
  EXPECT_EQ(datedFileName("BOM查询-", QDate(2024, 3, 5)), "BOM查询-20240305");
  EXPECT_EQ(datedFileName("BOM信息查询明细-", QDate(1999, 12, 31)),
            "BOM信息查询明细-19991231");
}

} // namespace

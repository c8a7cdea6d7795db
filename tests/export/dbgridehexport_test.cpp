#include "export/dbgridehexport.h"

#include "export/devicestream.h"
#include "export/exporterclass.h"
#include "export/memorystream.h"
#include "grid/columneh.h"
#include "grid/tfont.h"
#include "platform/dataset/numericfield.h"
#include "platform/errors.h"
#include "support/exportgrid.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Writes one line per hook call, so tests see the order of the walk and what
// each hook was handed.
class RecordingExport : public TDBGridEhExport {
public:
  QStringList calls;
  int failAtRecord = -1; // EmitDataRow of that record throws

protected:
  void BeginDocument() override { calls << QStringLiteral("begin"); }
  void EndDocument() override { calls << QStringLiteral("end"); }
  void EmitTitleRows(const TColumnsEhList &columns) override {
    QStringList captions;
    for (const TColumnEh *column : columns)
      captions << column->Title().Caption();
    calls << QStringLiteral("titles ") + captions.join(u',');
  }
  void EmitDataRow(const TColumnsEhList &columns) override {
    if (failAtRecord == m_records++)
      throw FieldError(QStringLiteral("walk failed"));
    calls << QStringLiteral("row");
    TDBGridEhExport::EmitDataRow(columns);
  }
  void EmitDataCell(TColumnEh &column, TColCellParamsEh &params) override {
    calls << QStringLiteral("cell %1=%2 bg%3 cb%4 img%5 font%6")
                 .arg(column.FieldName(), params.Text)
                 .arg(params.Background, 0, 16)
                 .arg(params.CheckboxState)
                 .arg(params.ImageIndex)
                 .arg(params.Font->Color(), 0, 16);
  }
  void EmitFooterRow(const TColumnsEhList &columns, int footerRow) override {
    calls << QStringLiteral("footer %1").arg(footerRow);
    TDBGridEhExport::EmitFooterRow(columns, footerRow);
  }
  void EmitFooterCell(int position, int footerRow, TColumnEh &, TFont &,
                      TColor background, TAlignment alignment,
                      const QString &text) override {
    calls << QStringLiteral("fcell %1/%2=%3 bg%4 al%5")
                 .arg(position)
                 .arg(footerRow)
                 .arg(text)
                 .arg(background, 0, 16)
                 .arg(alignment);
  }

private:
  int m_records = 0;
};

ResultTable twoRecords() {
  return makeTable({{"code", FieldType::String}, {"qty", FieldType::Integer}},
                   {{"a", 1}, {"b", QVariant()}});
}

class ExportWalkTest : public testing::Test {
protected:
  ExportWalkTest() {
    grid.addColumn(QStringLiteral("code"), QStringLiteral("编码"));
    grid.addColumn(QStringLiteral("qty"), QStringLiteral("数量"));
  }
  QStringList walk(bool exportAll = true) {
    RecordingExport writer;
    grid.exportWith(writer, exportAll);
    return writer.calls;
  }
  ExportGrid grid;
};

TEST_F(ExportWalkTest, EmptyDatasetGivesTitlesAndFooters) {
  grid.open(makeTable(
      {{"code", FieldType::String}, {"qty", FieldType::Integer}}, {}));
  EXPECT_EQ(walk(), (QStringList{"begin", "titles 编码,数量", "end"}));
  grid.grid.setFooterRowCount(2);
  grid.grid.Columns()[1].Footer().setValueType(fvtSum);
  EXPECT_EQ(walk(), (QStringList{"begin", "titles 编码,数量", "footer 0",
                                 "fcell 0/0= bg80000018 al0",
                                 "fcell 1/0=0 bg80000018 al1", "footer 1",
                                 "fcell 0/1= bg80000018 al0",
                                 "fcell 1/1=0 bg80000018 al1", "end"}));
}

TEST_F(ExportWalkTest, RecordsInOrderWithTheirCellParameters) {
  grid.open(twoRecords());
  EXPECT_EQ(walk(), (QStringList{"begin", "titles 编码,数量", "row",
                                 "cell code=a bgffffff cb2 img-1 font0",
                                 "cell qty=1 bgffffff cb2 img-1 font0", "row",
                                 "cell code=b bgffffff cb2 img-1 font0",
                                 "cell qty= bgffffff cb2 img-1 font0", "end"}));
}

TEST_F(ExportWalkTest, WithoutTitlesTheFirstRowFollowsBegin) {
  grid.open(twoRecords());
  grid.grid.setOptions(grid.grid.Options() & ~dgTitles);
  EXPECT_EQ(walk().mid(0, 2), (QStringList{"begin", "row"}));
}

TEST_F(ExportWalkTest, HiddenColumnsAreLeftOutAndMovedOnesFollowTheScreen) {
  grid.addColumn(QStringLiteral("code"), QStringLiteral("隐藏"))
      .setVisible(false);
  grid.grid.Columns().Move(1, 0);
  grid.open(twoRecords());
  const QStringList calls = walk();
  EXPECT_EQ(calls[1], QStringLiteral("titles 数量,编码"));
  EXPECT_EQ(calls[3], QStringLiteral("cell qty=1 bgffffff cb2 img-1 font0"));
  EXPECT_EQ(calls.size(), 9);
}

TEST_F(ExportWalkTest, SortedRecordsAndTheMarkedCaption) {
  grid.open(twoRecords());
  grid.query.setSort(QStringLiteral("code DESC"));
  grid.grid.Columns()[0].Title().setCaption(QStringLiteral("▼编码"));
  const QStringList calls = walk();
  EXPECT_EQ(calls[1], QStringLiteral("titles ▼编码,数量"));
  EXPECT_TRUE(calls[3].startsWith(u"cell code=b"));
  EXPECT_TRUE(calls[6].startsWith(u"cell code=a"));
}

TEST_F(ExportWalkTest, EventsChangeWhatTheWriterReceives) {
  grid.open(twoRecords());
  grid.grid.OnGetCellParams = [](TDBGridEh &, TColumnEh &column, TFont &font,
                                 TColor &background, TGridDrawState) {
    if (column.FieldName() == QLatin1String("qty")) {
      background = clYellow;
      font.setColor(clRed);
    }
  };
  grid.grid.Columns()[0].OnGetCellParams = [](TColumnEh &, bool editMode,
                                              TColCellParamsEh &params) {
    EXPECT_FALSE(editMode);
    params.Text = params.Text.toUpper();
  };
  const QStringList calls = walk();
  EXPECT_EQ(calls[3], QStringLiteral("cell code=A bgffffff cb2 img-1 font0"));
  EXPECT_EQ(calls[4], QStringLiteral("cell qty=1 bgffff cb2 img-1 fontff"));
}

TEST_F(ExportWalkTest, NothingWithoutExportAll) {
  grid.open(twoRecords());
  EXPECT_TRUE(walk(false).isEmpty());
}

TEST_F(ExportWalkTest, ClosedDatasetFailsBeforeAnyHook) {
  RecordingExport writer;
  try {
    grid.exportWith(writer);
    FAIL() << "exported";
  } catch (const DatabaseError &error) {
    EXPECT_EQ(error.message(),
              QStringLiteral("ado_bomdetail: Cannot perform this operation on "
                             "a closed dataset"));
  }
  EXPECT_TRUE(writer.calls.isEmpty());
  EXPECT_FALSE(grid.query.controlsDisabled());
}

TEST_F(ExportWalkTest, CurrentRecordAndNotificationsComeBack) {
  std::vector<std::vector<QVariant>> rows;
  for (int i = 0; i < 50; ++i)
    rows.push_back({QString::number(i), i});
  grid.open(makeTable(
      {{"code", FieldType::String}, {"qty", FieldType::Integer}}, rows));
  grid.query.setRecNo(30);
  const int top = grid.grid.TopRecord();
  walk();
  EXPECT_EQ(grid.query.recNo(), 30);
  EXPECT_EQ(grid.grid.TopRecord(), top);
  EXPECT_FALSE(grid.query.controlsDisabled());
}

TEST_F(ExportWalkTest, ErrorDuringTheWalkPassesOnAfterTidyingUp) {
  grid.open(twoRecords());
  grid.query.setRecNo(2);
  RecordingExport writer;
  writer.failAtRecord = 1;
  try {
    grid.exportWith(writer);
    FAIL() << "exported";
  } catch (const FieldError &error) {
    EXPECT_EQ(error.message(), QStringLiteral("walk failed"));
  }
  EXPECT_FALSE(writer.calls.contains(QStringLiteral("end")));
  EXPECT_EQ(grid.query.recNo(), 2);
  EXPECT_FALSE(grid.query.controlsDisabled());
}

struct FooterCase {
  FieldType type;
  std::vector<QVariant> values;
  TFooterValueType footerType;
  QString fieldFormat;
  QString expected;
};

class FooterSumTest : public testing::TestWithParam<FooterCase> {};

TEST_P(FooterSumTest, FormatsTheExportedSum) {
  const FooterCase &c = GetParam();
  ExportGrid grid;
  grid.addColumn(QStringLiteral("v"), QStringLiteral("V"));
  grid.grid.setFooterRowCount(1);
  grid.grid.Columns()[0].Footer().setValueType(c.footerType);
  std::vector<std::vector<QVariant>> rows;
  for (const QVariant &value : c.values)
    rows.push_back({value});
  grid.open(makeTable({{"v", c.type}}, rows));
  if (auto *numeric = dynamic_cast<TNumericField *>(grid.query.FindField("v")))
    numeric->setDisplayFormat(c.fieldFormat);
  RecordingExport writer;
  grid.exportWith(writer);
  EXPECT_EQ(writer.calls.at(writer.calls.size() - 2)
                .section(u'=', 1)
                .section(u' ', 0, 0),
            c.expected);
}

// BCD values are ten-thousandths, so 12345 is 1.2345.
INSTANTIATE_TEST_SUITE_P(
    Types, FooterSumTest,
    testing::Values(
        FooterCase{FieldType::Integer, {1, QVariant(), 2}, fvtSum, {}, "3"},
        FooterCase{FieldType::Integer, {1, QVariant(), 2}, fvtCount, {}, "3"},
        FooterCase{FieldType::Integer, {}, fvtCount, {}, "0"},
        FooterCase{FieldType::Integer,
                   {7, 5},
                   fvtSum,
                   QStringLiteral("0.00"),
                   "12.00"},
        FooterCase{FieldType::BCD,
                   {qint64(12345), qint64(10000)},
                   fvtSum,
                   {},
                   "2.2345"},
        FooterCase{FieldType::BCD,
                   {qint64(25000), QVariant()},
                   fvtSum,
                   QStringLiteral("0.00"),
                   "2.50"},
        FooterCase{FieldType::Float, {0.1, 0.2}, fvtSum, {}, "0.3"},
        FooterCase{
            FieldType::Float, {2.5}, fvtSum, QStringLiteral("#.0"), "2.5"},
        FooterCase{FieldType::String, {QStringLiteral("12")}, fvtSum, {}, ""},
        FooterCase{FieldType::String,
                   {QStringLiteral("x"), QVariant()},
                   fvtCount,
                   {},
                   "2"}));

TEST(FooterFieldTest, FooterFieldNameNamesTheSummedField) {
  ExportGrid grid;
  grid.addColumn(QStringLiteral("v"), QStringLiteral("V"));
  grid.addColumn(QStringLiteral("w"), QStringLiteral("W"));
  grid.grid.setFooterRowCount(1);
  grid.grid.Columns()[0].Footer().setValueType(fvtSum);
  // A footer of the first column that sums the second column's field.
  grid.grid.Columns()[0].Footer().setFieldName(QStringLiteral("w"));
  grid.open(makeTable({{"v", FieldType::Integer}, {"w", FieldType::BCD}},
                      {{1, qint64(25000)}}));
  RecordingExport writer;
  grid.exportWith(writer);
  EXPECT_TRUE(
      writer.calls.contains(QStringLiteral("fcell 0/0=2.5 bg80000018 al1")))
      << writer.calls.join(u'\n').toStdString();
}

// A device that takes nothing: every writer must notice.
class RefusingDevice : public QIODevice {
public:
  RefusingDevice() { open(QIODevice::WriteOnly); }

protected:
  qint64 readData(char *, qint64) override { return -1; }
  qint64 writeData(const char *, qint64) override { return 0; }
};

class WriterFailureTest : public testing::TestWithParam<int> {
protected:
  WriterFailureTest() {
    grid.addColumn(QStringLiteral("code"), QStringLiteral("编码"));
    grid.open(twoRecords());
  }
  std::unique_ptr<TDBGridEhExport> writer() {
    auto writer = exporterClassOfFilterIndex(GetParam())();
    writer->setGrid(&grid.grid);
    return writer;
  }
  ExportGrid grid;
};

void expectWriteError(const std::function<void()> &action) {
  try {
    action();
    ADD_FAILURE() << "no error";
  } catch (const StreamError &error) {
    EXPECT_EQ(error.message(), QStringLiteral("Stream write error"));
  }
}

TEST_P(WriterFailureTest, StreamThatRefusesWritesIsAnError) {
  RefusingDevice device;
  DeviceStream stream(device);
  expectWriteError([&] { writer()->WriteGridToStream(stream, true); });
  EXPECT_FALSE(grid.query.controlsDisabled());
}

TEST_P(WriterFailureTest, FullDeviceIsAnError) {
  if (!QFile::exists(QStringLiteral("/dev/full")))
    GTEST_SKIP() << "no full device here";
  QFile file(QStringLiteral("/dev/full"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  DeviceStream stream(file);
  expectWriteError([&] { writer()->WriteGridToStream(stream, true); });
}

TEST_P(WriterFailureTest, FailedExportLeavesTheExistingFile) {
  QTemporaryDir folder;
  const QString name =
      folder.filePath(QStringLiteral("BOM信息查询明细-20240305.xls"));
  {
    QFile old(name);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous export");
  }
  grid.query.close();
  try {
    writer()->WriteGridToFile(name, true);
    ADD_FAILURE() << "exported";
  } catch (const DatabaseError &) {
  }
  grid.open(twoRecords());
  grid.grid.OnGetCellParams = [](TDBGridEh &, TColumnEh &, TFont &, TColor &,
                                 TGridDrawState) {
    throw FieldError(QStringLiteral("handler failed"));
  };
  try {
    writer()->WriteGridToFile(name, true);
    ADD_FAILURE() << "exported";
  } catch (const FieldError &error) {
    EXPECT_EQ(error.message(), QStringLiteral("handler failed"));
  }
  QFile file(name);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("previous export"));
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(),
            1);
}

TEST_P(WriterFailureTest, FinishedExportReplacesTheFile) {
  // A workbook carries the second it was made in, so two exports of the
  // same grid may differ; the workbook tests read the replaced file back.
  if (GetParam() == 5)
    GTEST_SKIP() << "workbooks are stamped with their creation time";
  QTemporaryDir folder;
  const QString name = folder.filePath(QStringLiteral("out.txt"));
  {
    QFile old(name);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'o'));
  }
  MemoryStream expected;
  writer()->WriteGridToStream(expected, true);
  writer()->WriteGridToFile(name, true);
  QFile file(name);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), expected.bytes());
}

// Save-dialog filter indexes 1 XLS, 2 RTF, 3 HTML, 4 text, 5 XLSX.
INSTANTIATE_TEST_SUITE_P(EveryWriter, WriterFailureTest,
                         testing::Values(1, 2, 3, 4, 5));

TEST(ExporterClassTest, OnlyTheFiveFilterIndexesHaveWriters) {
  EXPECT_EQ(exporterClassOfFilterIndex(0), nullptr);
  EXPECT_EQ(exporterClassOfFilterIndex(6), nullptr);
  for (int index = 1; index <= 5; ++index)
    EXPECT_NE(exporterClassOfFilterIndex(index)(), nullptr);
}

} // namespace

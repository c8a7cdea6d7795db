#include "export/dbgridehexportasxlsx.h"

#include "export/memorystream.h"
#include "grid/celldisplaytext.h"
#include "grid/columneh.h"
#include "platform/errors.h"
#include "support/exportgrid.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Reads a workbook with openpyxl, an independent reader, and prints the
// first sheet as JSON: every cell that holds something with its value (a
// date as ISO text), openpyxl's type letter, number format and boldness,
// the merged blocks, the frozen cell, the column widths and the extent.
const char *kReader = R"(
import datetime, json, sys
import openpyxl
sheet = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
cells = {}
for row in sheet.iter_rows():
    for cell in row:
        if cell.value is None:
            continue
        value = cell.value
        if isinstance(value, (datetime.datetime, datetime.date)):
            value = value.isoformat()
        cells[cell.coordinate] = {"value": value, "type": cell.data_type,
                                  "format": cell.number_format,
                                  "bold": bool(cell.font.b)}
print(json.dumps({
    "cells": cells,
    "merged": sorted(str(r) for r in sheet.merged_cells.ranges),
    "freeze": sheet.freeze_panes,
    "widths": {k: d.width for k, d in sheet.column_dimensions.items()},
    "rows": sheet.max_row, "columns": sheet.max_column}))
)";

// A Python interpreter that has openpyxl: the one on the PATH, else the
// system's own (a PATH may lead to an interpreter of a version manager
// without the system's packages).
QString readerInterpreter() {
  static const QString found = [] {
    QStringList candidates = {
        QStandardPaths::findExecutable(QStringLiteral("python3")),
        QStringLiteral("/usr/bin/python3")};
    for (const QString &candidate : candidates) {
      if (candidate.isEmpty())
        continue;
      QProcess probe;
      probe.start(candidate, {"-c", "import openpyxl"});
      if (probe.waitForFinished(30000) &&
          probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0)
        return candidate;
      probe.kill();
      probe.waitForFinished(1000);
    }
    return QString();
  }();
  return found;
}

// The sheet of the workbook at `path` as kReader prints it; an empty object
// (and a test failure) when it cannot be read.
QJsonObject readWorkbook(const QString &path) {
  const QString python = readerInterpreter();
  if (python.isEmpty()) {
    ADD_FAILURE() << "no python3 with openpyxl (scripts/install-deps.sh "
                     "installs python3-openpyxl)";
    return {};
  }
  QProcess reader;
  reader.start(python, {"-c", kReader, path});
  if (!reader.waitForFinished(120000)) {
    reader.kill();
    reader.waitForFinished(1000);
    ADD_FAILURE() << "the reader did not finish within 120 s";
    return {};
  }
  if (reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0) {
    ADD_FAILURE() << "the reader failed: "
                  << reader.readAllStandardError().toStdString();
    return {};
  }
  return QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
}

// Under Wine a Windows program cannot start the machine's python3 and its
// readers; there the workbooks of the Windows build are checked against
// the Linux build's instead, byte for byte (scripts/windows/test.sh).
#ifdef Q_OS_WIN
#define SKIP_WHERE_NO_READER_STARTS()                                          \
  GTEST_SKIP() << "python3 cannot be started from a Windows program"
#else
#define SKIP_WHERE_NO_READER_STARTS() (void)0
#endif

class XlsxExportTest : public testing::Test {
protected:
  // Exports the grid into a file and reads it back.
  QJsonObject exportAndRead() {
    const QString path = folder.filePath(QStringLiteral("导出.xlsx"));
    TDBGridEhExportAsXLSX writer;
    writer.setGrid(&grid.grid);
    writer.WriteGridToFile(path, true);
    return readWorkbook(path);
  }
  QJsonObject cell(const QJsonObject &sheet, const char *coordinate) {
    return sheet["cells"].toObject()[coordinate].toObject();
  }

  ExportGrid grid;
  QTemporaryDir folder;
};

struct CellCase {
  const char *name;
  FieldType type;
  QVariant value;
  QString columnPattern;
  // What the reader finds: no value (null), or the value, its type letter
  // ("s" text, "n" number, "d" date) and number format.
  QJsonValue expected;
  const char *cellType;
  const char *format;
  // The text a column handler gives the cell, if any.
  const char *handlerText = nullptr;
};

// One column per case, one record: every cell holds what the grid shows in
// the type a user of Excel expects, and a number only where its format
// shows exactly the grid's text for that value.
const CellCase kCellCases[] = {
    {"code", FieldType::String, "0201010001", "", "0201010001", "s", "General"},
    {"name", FieldType::WideString, "螺钉 M3×8", "", "螺钉 M3×8", "s",
     "General"},
    {"empty text", FieldType::WideString, "", "", QJsonValue(), "", ""},
    {"null", FieldType::WideString, QVariant(), "", QJsonValue(), "", ""},
    {"quantity", FieldType::BCD, qint64(12345), "0.00", 1.2345, "n", "0.00"},
    {"grouped", FieldType::BCD, qint64(123456789), "#,##0.00", 12345.6789, "n",
     "#,##0.00"},
    {"integer", FieldType::Integer, -1, "", -1, "n", "General"},
    {"float", FieldType::Float, 0.125, "", 0.125, "n", "0.000"},
    {"null number", FieldType::BCD, QVariant(), "0.00", QJsonValue(), "", ""},
    {"date", FieldType::DateTime, 45356.0, "", "2024-03-05T00:00:00", "d",
     "yyyy\\-m\\-d"},
    {"date and time", FieldType::DateTime, 45356.75, "", "2024-03-05T18:00:00",
     "d", "yyyy\\-m\\-d\\ h\\:mm\\:ss"},
    {"first of March 1900", FieldType::DateTime, 61.5, "",
     "1900-03-01T12:00:00", "d", "yyyy\\-m\\-d\\ h\\:mm\\:ss"},
    {"after 2038", FieldType::DateTime, 73051.0, "yyyy/mm/dd",
     "2100-01-01T00:00:00", "d", "yyyy\\/mm\\/dd"},
    // Excel has no dates before 1900 and no month names of ours, and
    // readers disagree on the days before March 1900: the grid's text.
    {"before 1900", FieldType::DateTime, -10.0, "", "1899-12-20", "s",
     "General"},
    {"before March 1900", FieldType::DateTime, 60.5, "", "1900-2-28 12:00:00",
     "s", "General"},
    {"month name", FieldType::DateTime, 45356.0, "d mmm yyyy", "5 Mar 2024",
     "s", "General"},
    {"boolean", FieldType::Boolean, 1, "", "True", "s", "General"},
    // What XML cannot hold becomes U+FFFD; text that reads as an escape is
    // escaped; control characters arrive.
    {"U+FFFE and U+FFFF", FieldType::WideString,
     QString::fromUtf16(u"a\uFFFEb\uFFFF"), "", "a\uFFFDb\uFFFD", "s",
     "General"},
    {"lone surrogate", FieldType::WideString,
     QString(QChar(0xD800)) + QStringLiteral("x"), "", "\uFFFDx", "s",
     "General"},
    // openpyxl reads such text as it is stored, escapes included;
    // LibreOffice (below) shows it as the grid does.
    {"escape-like text", FieldType::WideString, "_x0041_ _X0042_", "",
     "_x005F_x0041_ _x005F_X0042_", "s", "General"},
    {"control characters", FieldType::WideString, "a\x01\tb\r\nc", "",
     "a_x0001_\tb_x000D_\nc", "s", "General"},
    // Where Excel shows something else than the grid for the value, the
    // grid's text.
    {"# for zero", FieldType::Float, 0.0, "#", "0", "s", "General"},
    {"# for five", FieldType::Float, 5.0, "#", 5, "n", "#"},
    {"zero section, tiny", FieldType::Float, 1e-20, "0.00;(0.00);零", "零", "s",
     "General"},
    {"zero section, small negative", FieldType::Float, -0.001, "0.00;(0.00);零",
     "零", "s", "General"},
    {"zero section, zero", FieldType::Float, 0.0, "0.00;(0.00);零", 0, "n",
     "0.00;\\(0.00\\);\\零"},
    {"negative section", FieldType::Float, -2.5, "0.00;(0.00);零", -2.5, "n",
     "0.00;\\(0.00\\);\\零"},
    {"half on the decimal value", FieldType::Float, 2.675, "0.00", 2.675, "n",
     "0.00"},
    {"exponent", FieldType::Float, 0.00012345, "0.00E+00", 0.00012345, "n",
     "0.00E+00"},
    {"no integer digit", FieldType::Float, 0.5, "#.00", 0.5, "n", "#.00"},
    {"literals and leading zeros", FieldType::Float, -7.0, "'kg' 000%", -7, "n",
     "\\k\\g\\ 000\\%"},
    {"point without decimals", FieldType::Float, 1.0, "0.##", "1", "s",
     "General"},
    {"point with decimals", FieldType::Float, 1.5, "0.##", 1.5, "n", "0.##"},
    {"grouped, no decimals", FieldType::BCD, qint64(10000), "#,##0.###", "1",
     "s", "General"},
    {"negative rounding to zero", FieldType::Float, -0.001, "0.00", "0.00", "s",
     "General"},
    {"no such format", FieldType::Float, 1.0, "0;;0", "1", "s", "General"},
    {"largest double", FieldType::Float, 1.7976931348623157e308, "",
     "1.79769313486232E308", "s", "General"},
    {"beyond Excel", FieldType::Float, 9.999999999999995e307, "0.00E+00",
     "1.00E+308", "s", "General"},
    {"Excel's largest", FieldType::Float, 9.99999999999999e307, "0.00E+00",
     9.99999999999999e307, "n", "0.00E+00"},
    {"fifteen digits", FieldType::Float, 1.0 / 3, "", 1.0 / 3, "n",
     "0.000000000000000"},
    {"twelve-digit integer", FieldType::Float, 123456789012.0, "",
     123456789012.0, "n", "0"},
    // The text a column's handler gives is what the grid shows.
    {"handler on a number", FieldType::BCD, qint64(50000), "0.00", "约 5", "s",
     "General", "约 5"},
    {"handler on a date", FieldType::DateTime, 45356.0, "", "今天", "s",
     "General", "今天"},
};

// The grid's text of case `i` (column i, its one record).
QString gridText(const ExportGrid &grid, size_t i) {
  if (kCellCases[i].handlerText)
    return QString::fromUtf8(kCellCases[i].handlerText);
  return CellDisplayText(grid.grid.Columns()[int(i)]);
}

// The cell of case `i`: row 2 below the title, column i.
QByteArray caseCell(size_t i) {
  QByteArray letters;
  for (size_t n = i + 1; n > 0; n = (n - 1) / 26)
    letters.prepend(char('A' + (n - 1) % 26));
  return letters + "2";
}

class XlsxCellTest : public XlsxExportTest {
protected:
  void SetUp() override {
    std::vector<FakeColumn> columns;
    std::vector<QVariant> record;
    for (size_t i = 0; i < std::size(kCellCases); ++i) {
      const CellCase &c = kCellCases[i];
      const QString name = QStringLiteral("c%1").arg(i);
      TColumnEh &column = grid.addColumn(name, QString::fromUtf8(c.name));
      column.setDisplayFormat(c.columnPattern);
      if (c.handlerText)
        column.OnGetCellParams = [text = QString::fromUtf8(c.handlerText)](
                                     TColumnEh &, bool,
                                     TColCellParamsEh &params) {
          params.Text = text;
        };
      columns.push_back({name, c.type});
      record.push_back(c.value);
    }
    grid.open(makeTable(columns, {record}));
  }
};

TEST_F(XlsxCellTest, CellValuesTypesAndFormatsReadByOpenpyxl) {
  SKIP_WHERE_NO_READER_STARTS();
  const QJsonObject sheet = exportAndRead();
  for (size_t i = 0; i < std::size(kCellCases); ++i) {
    const CellCase &c = kCellCases[i];
    SCOPED_TRACE(c.name);
    const QByteArray at = caseCell(i);
    if (c.expected.isNull()) {
      EXPECT_FALSE(sheet["cells"].toObject().contains(at));
      continue;
    }
    const QJsonObject found = cell(sheet, at.constData());
    EXPECT_EQ(found["value"], c.expected);
    EXPECT_EQ(found["type"].toString(), c.cellType);
    EXPECT_EQ(found["format"].toString(), QString::fromUtf8(c.format));
    EXPECT_FALSE(found["bold"].toBool());
    // A text cell is exactly the grid's text, but for what XML cannot hold
    // and escapes.
    const QString value = found["value"].toString();
    if (QByteArray(c.cellType) == "s" && !value.contains(QChar(0xFFFD)) &&
        !value.contains("_x")) {
      EXPECT_EQ(value, gridText(grid, i));
    }
  }
}

// LibreOffice shows every cell as the grid does. Skipped where LibreOffice
// is not installed (tests/export/shown_by_libreoffice.py).
TEST_F(XlsxCellTest, LibreOfficeShowsWhatTheGridShows) {
  SKIP_WHERE_NO_READER_STARTS();
  const QString path = folder.filePath(QStringLiteral("cells.xlsx"));
  TDBGridEhExportAsXLSX writer;
  writer.setGrid(&grid.grid);
  writer.WriteGridToFile(path, true);
  const QString python = readerInterpreter();
  ASSERT_FALSE(python.isEmpty());
  QProcess reader;
  reader.start(
      python,
      {BOMQUERY_SOURCE_DIR "/tests/export/shown_by_libreoffice.py", path});
  if (!reader.waitForFinished(110000)) {
    reader.kill();
    reader.waitForFinished(1000);
    FAIL() << "LibreOffice did not finish within 110 s";
  }
  if (reader.exitCode() == 77)
    GTEST_SKIP() << "LibreOffice is not installed";
  ASSERT_EQ(reader.exitCode(), 0)
      << reader.readAllStandardError().toStdString();
  const QJsonArray rows =
      QJsonDocument::fromJson(reader.readAllStandardOutput()).array();
  ASSERT_GE(rows.size(), 2);
  const QJsonArray shown = rows[1].toArray();
  for (size_t i = 0; i < std::size(kCellCases); ++i) {
    const CellCase &c = kCellCases[i];
    SCOPED_TRACE(c.name);
    const QString text = qsizetype(i) < shown.size()
                             ? shown[qsizetype(i)].toString()
                             : QString();
    // LibreOffice keeps a line break as a line feed alone.
    if (c.expected.toString().contains(QChar(0xFFFD)))
      EXPECT_EQ(text, c.expected.toString());
    else
      EXPECT_EQ(text, gridText(grid, i).replace("\r\n", "\n"));
  }
}

// Multi-level titles: a caption shared by two columns is one merged cell
// over both, a caption without a lower level reaches down over both title
// rows; the title rows are bold and frozen; widths follow the grid's.
TEST_F(XlsxExportTest, TitlesMergedBoldAndFrozenWidthsAsOnScreen) {
  SKIP_WHERE_NO_READER_STARTS();
  grid.addColumn("l", QStringLiteral("规格|长"), 70);
  grid.addColumn("w", QStringLiteral("规格|宽"), 40);
  grid.addColumn("c", QStringLiteral("存货编码"), 120);
  grid.open(makeTable({{"l", FieldType::Integer},
                       {"w", FieldType::Integer},
                       {"c", FieldType::String}},
                      {{3, 4, "0101"}}));
  const QJsonObject sheet = exportAndRead();
  EXPECT_EQ(sheet["merged"].toArray(), QJsonArray({"A1:B1", "C1:C2"}));
  EXPECT_EQ(sheet["freeze"].toString(), "A3");
  const struct {
    const char *at;
    const char *text;
  } titles[] = {{"A1", "规格"}, {"C1", "存货编码"}, {"A2", "长"}, {"B2", "宽"}};
  for (const auto &title : titles) {
    SCOPED_TRACE(title.at);
    EXPECT_EQ(cell(sheet, title.at)["value"].toString(),
              QString::fromUtf8(title.text));
    EXPECT_TRUE(cell(sheet, title.at)["bold"].toBool());
  }
  EXPECT_EQ(cell(sheet, "C3")["value"].toString(), "0101");
  EXPECT_EQ(sheet["rows"].toInt(), 3);
  // Excel keeps widths in characters of 7 pixels.
  const QJsonObject widths = sheet["widths"].toObject();
  EXPECT_EQ(qRound(widths["A"].toDouble() * 7), 70);
  EXPECT_EQ(qRound(widths["B"].toDouble() * 7), 40);
  EXPECT_EQ(qRound(widths["C"].toDouble() * 7), 120);
}

// One title row, footer sums as numbers, footer texts as text.
TEST_F(XlsxExportTest, SingleTitleRowAndFooters) {
  SKIP_WHERE_NO_READER_STARTS();
  grid.grid.setUseMultiTitle(false);
  grid.addColumn("q", QStringLiteral("单件用量"));
  grid.addColumn("q", QStringLiteral("N"));
  grid.addColumn("q", QStringLiteral("T"));
  grid.grid.setFooterRowCount(1);
  grid.grid.Columns()[0].Footer().setValueType(fvtSum);
  grid.grid.Columns()[1].Footer().setValueType(fvtCount);
  grid.grid.Columns()[2].Footer().setValueType(fvtStaticText);
  grid.grid.Columns()[2].Footer().setValue(QStringLiteral("合计"));
  grid.open(
      makeTable({{"q", FieldType::BCD}}, {{qint64(12500)}, {QVariant()}}));
  const QJsonObject sheet = exportAndRead();
  EXPECT_EQ(sheet["freeze"].toString(), "A2");
  EXPECT_EQ(cell(sheet, "A1")["value"].toString(), "单件用量");
  EXPECT_EQ(cell(sheet, "A4")["value"].toDouble(), 1.25);
  EXPECT_EQ(cell(sheet, "B4")["value"].toDouble(), 2);
  EXPECT_EQ(cell(sheet, "C4")["value"].toString(), "合计");
  EXPECT_EQ(sheet["rows"].toInt(), 4);
}

// More rows than the XLS writer can hold: every one arrives, the last one
// included.
TEST_F(XlsxExportTest, GridBeyondTheXlsLimitRoundTrips) {
  SKIP_WHERE_NO_READER_STARTS();
  grid.addColumn("i", QStringLiteral("I"));
  ResultTable table;
  table.addColumn("i", FieldType::Integer);
  for (int i = 1; i <= 65537; ++i)
    table.column(0).appendInteger(i);
  grid.open(std::move(table));
  const QJsonObject sheet = exportAndRead();
  EXPECT_EQ(sheet["rows"].toInt(), 65538);
  EXPECT_EQ(cell(sheet, "A2")["value"].toInt(), 1);
  EXPECT_EQ(cell(sheet, "A65538")["value"].toInt(), 65537);
  EXPECT_EQ(sheet["cells"].toObject().size(), 65538);
}

// 1,048,576 records and a title row are one row too many: refused with a
// message before a byte is written, and an existing file stays as it was.
TEST_F(XlsxExportTest, MoreRowsThanAWorksheetHoldsAreRefusedBeforeWriting) {
  grid.addColumn("i", QStringLiteral("I"));
  ResultTable table;
  table.addColumn("i", FieldType::Integer);
  for (int i = 0; i < 1048576; ++i)
    table.column(0).appendInteger(i);
  grid.open(std::move(table));
  const QString path = folder.filePath(QStringLiteral("old.xlsx"));
  {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous export");
  }
  TDBGridEhExportAsXLSX writer;
  writer.setGrid(&grid.grid);
  MemoryStream stream;
  for (const bool toFile : {false, true}) {
    try {
      if (toFile)
        writer.WriteGridToFile(path, true);
      else
        writer.WriteGridToStream(stream, true);
      ADD_FAILURE() << "exported";
    } catch (const FormatError &error) {
      EXPECT_EQ(error.message(),
                QStringLiteral("XLSX 文件最多只能容纳 1048576 行，本次输出需要 "
                               "1048577 行。"));
    }
  }
  EXPECT_TRUE(stream.bytes().isEmpty());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), "previous export");
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(),
            1);
  EXPECT_FALSE(grid.query.controlsDisabled());
}

} // namespace

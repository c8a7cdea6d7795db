#include "export/dbgridehexportashtml.h"

#include "grid/columneh.h"
#include "grid/tfont.h"
#include "support/exportgrid.h"

#include <gtest/gtest.h>

namespace {

// `text` with "<FONT…>" standing for the grids' 9-point black "宋体" font.
QString songTi(const QString &text) {
  return QStringLiteral("<FONT STYLE=\"font-family: 宋体; font-size: 9pt; "
                        "color: #000000\">") +
         text + QStringLiteral("</FONT>");
}

const QString kHead = QStringLiteral(
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2//EN\">\r\n"
    "<HTML>\r\n<HEAD>\r\n<TITLE>\r\ndbg_bomdetail\r\n</TITLE>\r\n"
    "</HEAD>\r\n");
const QString kTableStart = QStringLiteral(
    "<TABLE BORDER=1 CELLSPACING=0 CELLPADDING=2 BGCOLOR=#D4D0C8>\r\n\r\n");
const QString kEnd = QStringLiteral("</TABLE>\r\n</BODY>\r\n</HTML>\r\n");

class HtmlExportTest : public testing::Test {
protected:
  void twoColumns() {
    grid.addColumn(QStringLiteral("a"), QStringLiteral("A"), 50);
    grid.addColumn(QStringLiteral("b"), QStringLiteral("B"), 60);
  }
  void openRows(const std::vector<std::vector<QVariant>> &rows) {
    grid.open(
        makeTable({{"a", FieldType::Integer}, {"b", FieldType::String}}, rows));
  }
  QByteArray html() {
    TDBGridEhExportAsHTML writer;
    return grid.exportWith(writer);
  }
  ExportGrid grid;
};

TEST_F(HtmlExportTest, WholeDocument) {
  twoColumns();
  openRows({{7, "a<b & \"c\""}, {QVariant(), "&lt"}});
  EXPECT_EQ(
      html(),
      gbk(kHead + kTableStart + "<TR>\r\n" +
          "  <TD WIDTH=50 ALIGN=\"CENTER\">" + songTi("A") + "</TD>\r\n" +
          "  <TD WIDTH=60 ALIGN=\"CENTER\">" + songTi("B") + "</TD>\r\n" +
          "</TR>\r\n<TR>\r\n" +
          "  <TD WIDTH=50 ALIGN=\"RIGHT\" BGCOLOR=#FFFFFF>" + songTi("7") +
          "</TD>\r\n" + "  <TD WIDTH=60 ALIGN=\"LEFT\" BGCOLOR=#FFFFFF>" +
          songTi("a&ltb &amp &quotc&quot") + "</TD>\r\n" + "</TR>\r\n<TR>\r\n" +
          "  <TD WIDTH=50 ALIGN=\"RIGHT\" BGCOLOR=#FFFFFF>" + songTi("&nbsp") +
          "</TD>\r\n" + "  <TD WIDTH=60 ALIGN=\"LEFT\" BGCOLOR=#FFFFFF>" +
          songTi("&amplt") + "</TD>\r\n" + "</TR>\r\n" + kEnd));
}

TEST_F(HtmlExportTest, EmptyDatasetAndNoTitles) {
  twoColumns();
  openRows({});
  const QString titles =
      QStringLiteral("<TR>\r\n  <TD WIDTH=50 ALIGN=\"CENTER\">") + songTi("A") +
      "</TD>\r\n  <TD WIDTH=60 ALIGN=\"CENTER\">" + songTi("B") +
      "</TD>\r\n</TR>\r\n";
  EXPECT_EQ(html(), gbk(kHead + kTableStart + titles + kEnd));
  grid.grid.setOptions(grid.grid.Options() & ~dgTitles);
  EXPECT_EQ(html(), gbk(kHead + kTableStart + kEnd));
}

TEST_F(HtmlExportTest, NoVisibleColumnWritesNoTitleRow) {
  twoColumns();
  grid.grid.Columns()[0].setVisible(false);
  grid.grid.Columns()[1].setVisible(false);
  openRows({{1, "x"}});
  EXPECT_EQ(html(), gbk(kHead + kTableStart + "<TR>\r\n</TR>\r\n" + kEnd));
}

TEST_F(HtmlExportTest, GroupedCaptionsSpanColumnsAndLevels) {
  grid.addColumn(QStringLiteral("a"), QStringLiteral("A|B"), 50);
  grid.addColumn(QStringLiteral("a"), QStringLiteral("A|C"), 51);
  grid.addColumn(QStringLiteral("b"), QStringLiteral("D"), 52);
  // The second byte of 亅 in code page 936 is the byte of "|": no split.
  grid.addColumn(QStringLiteral("b"), QStringLiteral("亅E"), 53);
  openRows({});
  EXPECT_EQ(html(),
            gbk(kHead + kTableStart + "<TR>\r\n" +
                "  <TD ALIGN=\"CENTER\" COLSPAN = \"2\">" + songTi("A") +
                "</TD>\r\n" + "  <TD ALIGN=\"CENTER\" ROWSPAN = \"2\">" +
                songTi("D") + "</TD>\r\n" +
                "  <TD ALIGN=\"CENTER\" ROWSPAN = \"2\">" + songTi("亅E") +
                "</TD>\r\n" + "</TR>\r\n<TR>\r\n" +
                "  <TD WIDTH=50 ALIGN=\"CENTER\">" + songTi("B") + "</TD>\r\n" +
                "  <TD WIDTH=51 ALIGN=\"CENTER\">" + songTi("C") + "</TD>\r\n" +
                "</TR>\r\n" + kEnd));
}

TEST_F(HtmlExportTest, SingleTitleRowUsesTheTitleAlignment) {
  twoColumns();
  grid.grid.setUseMultiTitle(false);
  grid.grid.Columns()[1].Title().setAlignment(taRightJustify);
  openRows({});
  EXPECT_EQ(html(), gbk(kHead + kTableStart + "<TR>\r\n" +
                        "  <TD WIDTH=50 ALIGN=\"LEFT\">" + songTi("A") +
                        "</TD>\r\n" + "  <TD WIDTH=60 ALIGN=\"RIGHT\">" +
                        songTi("B") + "</TD>\r\n" + "</TR>\r\n" + kEnd));
}

TEST_F(HtmlExportTest, MultiLevelTitlesAreCentredWhateverTheAlignment) {
  twoColumns();
  grid.grid.Columns()[0].Title().setAlignment(taLeftJustify);
  openRows({});
  EXPECT_TRUE(html().contains("<TD WIDTH=50 ALIGN=\"CENTER\">"));
}

TEST_F(HtmlExportTest, CellColoursAndFonts) {
  twoColumns();
  grid.grid.Columns()[0].setColor(clNone);
  grid.grid.Columns()[1].setColor(clInfoBk);
  grid.grid.Columns()[1].Font().setStyle(fsBold | fsItalic | fsUnderline |
                                         fsStrikeOut);
  openRows({{1, "x"}});
  const QByteArray bytes = html();
  EXPECT_TRUE(
      bytes.contains("  <TD WIDTH=50 ALIGN=\"RIGHT\" BGCOLOR=#000000>"));
  EXPECT_TRUE(bytes.contains("  <TD WIDTH=60 ALIGN=\"LEFT\" BGCOLOR=#FFFFE1>"));
  EXPECT_TRUE(bytes.contains("<B><I><U><STRIKE>x</B></I></U></STRIKE></FONT>"));
}

// Rows repeat their columns' looks, and the writer makes a look's markup
// once; a look changed for some records must show in those cells alone.
TEST_F(HtmlExportTest, LooksChangedForSomeRecordsShowInThoseCellsAlone) {
  twoColumns();
  grid.grid.setOptions(grid.grid.Options() & ~dgTitles);
  grid.grid.OnGetCellParams = [this](TDBGridEh &, TColumnEh &, TFont &font,
                                     TColor &background, TGridDrawState) {
    if (grid.query.FindField(QStringLiteral("a"))->AsInteger() == 2) {
      background = clYellow;
      font.setColor(clRed);
      font.setStyle(fsBold);
    }
  };
  openRows({{1, "x"}, {2, "y"}, {3, "z"}});
  const auto row = [](const QString &a, const QString &b) {
    return QStringLiteral("<TR>\r\n") +
           "  <TD WIDTH=50 ALIGN=\"RIGHT\" BGCOLOR=#FFFFFF>" + songTi(a) +
           "</TD>\r\n" + "  <TD WIDTH=60 ALIGN=\"LEFT\" BGCOLOR=#FFFFFF>" +
           songTi(b) + "</TD>\r\n" + "</TR>\r\n";
  };
  const QString marked = QStringLiteral(
      "BGCOLOR=#FFFF00><FONT STYLE=\"font-family: 宋体; font-size: 9pt; "
      "color: #FF0000\"><B>");
  EXPECT_EQ(html(),
            gbk(kHead + kTableStart + row("1", "x") +
                "<TR>\r\n  <TD WIDTH=50 ALIGN=\"RIGHT\" " + marked +
                "2</B></FONT></TD>\r\n  <TD WIDTH=60 ALIGN=\"LEFT\" " + marked +
                "y</B></FONT></TD>\r\n</TR>\r\n" + row("3", "z") + kEnd));
}

struct TableStartCase {
  TGridOptions lines;
  bool ctl3D;
  bool flat;
  const char *start;
};

class HtmlTableStartTest : public testing::TestWithParam<TableStartCase> {};

TEST_P(HtmlTableStartTest, BorderAttributesFollowLinesAndLook) {
  const TableStartCase &c = GetParam();
  ExportGrid grid;
  grid.grid.setOptions((grid.grid.Options() & ~(dgColLines | dgRowLines)) |
                       c.lines);
  grid.grid.setCtl3D(c.ctl3D);
  grid.grid.setFlat(c.flat);
  grid.open(makeTable({{"a", FieldType::Integer}}, {}));
  TDBGridEhExportAsHTML writer;
  const QByteArray bytes = grid.exportWith(writer);
  EXPECT_EQ(bytes.mid(bytes.indexOf("<TABLE")),
            QByteArray(c.start) + " BGCOLOR=#D4D0C8>\r\n\r\n" + gbk(kEnd));
}

INSTANTIATE_TEST_SUITE_P(
    Options, HtmlTableStartTest,
    testing::Values(
        TableStartCase{
            {}, true, false, "<TABLE BORDER=0 CELLSPACING=0 CELLPADDING=2"},
        TableStartCase{
            {}, false, true, "<TABLE BORDER=0 CELLSPACING=0 CELLPADDING=1"},
        TableStartCase{dgColLines, true, false,
                       "<TABLE BORDER=1 CELLSPACING=0 CELLPADDING=2"},
        TableStartCase{dgRowLines, false, false,
                       "<TABLE BORDER=0 CELLSPACING=1 CELLPADDING=2"},
        TableStartCase{dgColLines | dgRowLines, true, true,
                       "<TABLE BORDER=1 CELLSPACING=0 CELLPADDING=1"}));

TEST_F(HtmlExportTest, FooterKeepsItsOwnAlignmentButTakesChangedText) {
  twoColumns();
  grid.grid.setOptions(grid.grid.Options() & ~dgTitles);
  grid.grid.setFooterRowCount(1);
  grid.grid.Columns()[0].Footer().setValueType(fvtSum);
  grid.grid.OnGetFooterParams = [](TDBGridEh &, int dataCol, int row,
                                   TColumnEh &, TFont &, TColor &background,
                                   TAlignment &alignment, QString &text,
                                   TGridDrawState) {
    EXPECT_EQ(row, 0);
    alignment = taCenter;
    if (dataCol == 0) {
      text = QStringLiteral("Σ") + text;
      background = clYellow;
    }
  };
  openRows({{2, "x"}, {3, "y"}});
  const QByteArray bytes = html();
  const QByteArray footer = bytes.mid(bytes.lastIndexOf("<TR>"));
  EXPECT_EQ(footer, gbk(QStringLiteral("<TR>\r\n") +
                        "  <TD WIDTH=50 ALIGN=\"RIGHT\" BGCOLOR=#FFFF00>" +
                        "<FONT STYLE=\"font-family: 宋体; font-size: 9pt; "
                        "color: #000000\">Σ5</FONT></TD>\r\n" +
                        "  <TD WIDTH=60 ALIGN=\"LEFT\" BGCOLOR=#FFFFE1>" +
                        "<FONT STYLE=\"font-family: 宋体; font-size: 9pt; "
                        "color: #000000\">&nbsp</FONT></TD>\r\n" +
                        "</TR>\r\n" + kEnd));
}

} // namespace

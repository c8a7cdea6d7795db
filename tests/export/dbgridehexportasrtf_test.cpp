#include "export/dbgridehexportasrtf.h"

#include "bomdetail/bomdetailcolumns.h"
#include "export/memorystream.h"
#include "grid/columneh.h"
#include "grid/tfont.h"
#include "platform/errors.h"
#include "support/exportgrid.h"

#include <gtest/gtest.h>

namespace {

// Lines joined by CR LF, each ended by one.
QByteArray lines(const QStringList &texts) {
  QByteArray bytes;
  for (const QString &text : texts)
    bytes += gbk(text) + "\r\n";
  return bytes;
}

const QByteArray kHead =
    lines({"{\\rtf0\\ansi",
           "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;"
           "\\red212\\green208\\blue200;}",
           "{\\fonttbl\\f0\\fnil 宋体;}"});

// Border lines of a cell, "ltbr" naming the borders it keeps.
QStringList borders(const char *kept) {
  QStringList result;
  for (const char *side = kept; *side; ++side)
    result
        << QStringLiteral("\\clbrdr%1\\brdrs\\brdrcf0").arg(QLatin1Char(*side));
  return result;
}

QString cellDefinition(int colour, int right) {
  return QStringLiteral("\\clshdng10000\\clcfpat%1\\cellx%2")
      .arg(colour)
      .arg(right);
}

class RtfExportTest : public testing::Test {
protected:
  QByteArray rtf() {
    TDBGridEhExportAsRTF writer;
    return grid.exportWith(writer);
  }
  void abc() {
    grid.addColumn(QStringLiteral("a"), QStringLiteral("A|B"), 50);
    grid.addColumn(QStringLiteral("a"), QStringLiteral("A|C"), 50);
    grid.addColumn(QStringLiteral("b"), QStringLiteral("D"), 50);
    grid.open(
        makeTable({{"a", FieldType::Integer}, {"b", FieldType::String}}, {}));
  }
  ExportGrid grid;
};

// The component window's grid at 96 dpi over one expansion record.
TEST_F(RtfExportTest, ComponentGridDocument) {
  setupBomDetailColumns(grid.grid);
  grid.open(
      makeTable({{"InvCode", FieldType::String},
                 {"cInvAddCode", FieldType::WideString},
                 {"cInvName", FieldType::WideString},
                 {"cInvStd", FieldType::WideString},
                 {"cComUnitName", FieldType::WideString},
                 {"CQty1", FieldType::BCD}},
                {{"0101", QVariant(), "螺钉", "M3", "个", qint64(25000)}}));
  const int rights[] = {2175, 4155, 8175, 10320, 11235, 12600};
  const char *captions[] = {"存货编码", "存货代码", "存货名称",
                            "规格型号", "单位",     "单件用量"};
  const char *texts[] = {"0101", "", "螺钉", "M3", "个", "2.50"};
  QStringList title{"\\trowd\\trgaph40"};
  QStringList data{"\\trowd\\trgaph40"};
  for (int right : rights) {
    title << borders("ltbr") << cellDefinition(2, right);
    data << borders("ltbr") << cellDefinition(1, right);
  }
  title << "{\\trrh0";
  data << "{\\trrh0";
  for (int c = 0; c < 6; ++c) {
    title << QStringLiteral(
                 "\\pard\\intbl{\\qc\\sb55\\sa55\\fs18\\f0\\cf0\\cb2 ") +
                 QString::fromUtf8(captions[c]) + "\\cell}";
    data << QStringLiteral("\\pard\\intbl{%1\\sb24\\sa24\\fs18\\f0\\cf0\\cb1 ")
                    .arg(c == 5 ? "\\qr" : "\\ql") +
                QString::fromUtf8(texts[c]) + "\\cell}";
  }
  title << "\\pard\\intbl\\row}";
  data << "\\pard\\intbl\\row}";
  EXPECT_EQ(rtf(), kHead + lines(title) + lines(data) + "}");
}

TEST_F(RtfExportTest, EmptyDatasetGivesHeadTitlesAndTheClosingBrace) {
  grid.addColumn(QStringLiteral("a"), QStringLiteral("A"), 10);
  grid.open(makeTable({{"a", FieldType::Integer}}, {}));
  EXPECT_EQ(rtf(),
            kHead +
                lines(QStringList{"\\trowd\\trgaph40"} + borders("ltbr") +
                      QStringList{cellDefinition(2, 150), "{\\trrh0",
                                  "\\pard\\intbl{\\qc\\sb55\\sa55\\fs18"
                                  "\\f0\\cf0\\cb2 A\\cell}",
                                  "\\pard\\intbl\\row}"}) +
                "}");
}

TEST_F(RtfExportTest, GroupedCaptionsLeaveOutInnerBorders) {
  abc();
  QStringList upper{"\\trowd\\trgaph40"};
  upper << borders("ltb") << cellDefinition(2, 750) << borders("tbr")
        << cellDefinition(2, 1500) << borders("ltr") << cellDefinition(2, 2250)
        << "{\\trrh0"
        << "\\pard\\intbl{\\qc\\sb55\\sa55\\fs18\\f0\\cf0\\cb2 A\\cell}"
        << "\\pard\\intbl{\\qc\\fs18\\f0\\cf0\\cb2 \\cell}"
        << "\\pard\\intbl{\\qc\\sb55\\sa55\\fs18\\f0\\cf0\\cb2 D\\cell}"
        << "\\pard\\intbl\\row}";
  QStringList leaves{"\\trowd\\trgaph40"};
  leaves << borders("ltbr") << cellDefinition(2, 750) << borders("ltbr")
         << cellDefinition(2, 1500) << borders("lbr") << cellDefinition(2, 2250)
         << "{\\trrh0"
         << "\\pard\\intbl{\\qc\\sb55\\sa55\\fs18\\f0\\cf0\\cb2 B\\cell}"
         << "\\pard\\intbl{\\qc\\sb55\\sa55\\fs18\\f0\\cf0\\cb2 C\\cell}"
         << "\\pard\\intbl{\\qc\\fs18\\f0\\cf0\\cb2 \\cell}"
         << "\\pard\\intbl\\row}";
  EXPECT_EQ(rtf(), kHead + lines(upper) + lines(leaves) + "}");
}

TEST_F(RtfExportTest, SingleTitleRowUsesTitleAlignmentAndFlatSpacing) {
  grid.addColumn(QStringLiteral("a"), QStringLiteral("A"), 10);
  grid.grid.setUseMultiTitle(false);
  grid.grid.setFlat(true);
  grid.open(makeTable({{"a", FieldType::Integer}}, {{5}}));
  const QByteArray bytes = rtf();
  EXPECT_TRUE(bytes.contains(
      "\\pard\\intbl{\\ql\\sb12\\sa12\\fs18\\f0\\cf0\\cb2 A\\cell}"));
  EXPECT_TRUE(bytes.contains(
      "\\pard\\intbl{\\qr\\sb12\\sa12\\fs18\\f0\\cf0\\cb1 5\\cell}"));
}

TEST_F(RtfExportTest, StylesFontsAndColoursAreNumberedByFirstUse) {
  grid.grid.setOptions(grid.grid.Options() & ~dgTitles);
  TColumnEh &first =
      grid.addColumn(QStringLiteral("a"), QStringLiteral("A"), 10);
  TColumnEh &second =
      grid.addColumn(QStringLiteral("a"), QStringLiteral("A"), 10);
  first.Font().setName(QStringLiteral("Arial"));
  first.Font().setSize(10);
  first.Font().setStyle(fsBold | fsItalic | fsUnderline | fsStrikeOut);
  first.Font().setColor(clRed);
  second.Font().setName(QStringLiteral("arial"));
  second.setColor(clNone);
  grid.open(makeTable({{"a", FieldType::Integer}}, {{5}}));
  const QByteArray bytes = rtf();
  EXPECT_TRUE(bytes.startsWith(
      "{\\rtf0\\ansi\r\n{\\colortbl\\red0\\green0\\blue0;\\red255\\green255"
      "\\blue255;\\red212\\green208\\blue200;\\red255\\green0\\blue0;}\r\n"
      "{\\fonttbl\\f0\\fnil Arial;}\r\n"));
  EXPECT_TRUE(bytes.contains(
      "{\\qr\\sb24\\sa24\\fs20\\b\\i\\strike\\ul\\f0\\cf3\\cb1 5"));
  EXPECT_TRUE(bytes.contains("{\\qr\\sb24\\sa24\\fs18\\f0\\cf0\\cb1 5"));
}

// Rows repeat their columns' looks, and the writer makes a look's markup
// once; a look changed for some records must show in those cells alone, its
// colours numbered where they are first used.
TEST_F(RtfExportTest, LooksChangedForSomeRecordsShowInThoseCellsAlone) {
  grid.grid.setOptions(grid.grid.Options() & ~dgTitles);
  grid.addColumn(QStringLiteral("a"), QStringLiteral("A"), 50);
  grid.addColumn(QStringLiteral("b"), QStringLiteral("B"), 50);
  grid.grid.OnGetCellParams = [this](TDBGridEh &, TColumnEh &, TFont &font,
                                     TColor &background, TGridDrawState) {
    if (grid.query.FindField(QStringLiteral("a"))->AsInteger() == 2) {
      background = clYellow;
      font.setColor(clRed);
      font.setStyle(fsBold);
    }
  };
  grid.open(makeTable({{"a", FieldType::Integer}, {"b", FieldType::String}},
                      {{1, "x"}, {2, "y"}, {3, "z"}}));
  const auto row = [](int shading, const QString &style, const QString &a,
                      const QString &b) {
    return lines(
        QStringList{"\\trowd\\trgaph40"}
        << borders("ltbr") << cellDefinition(shading, 750) << borders("ltbr")
        << cellDefinition(shading, 1500) << "{\\trrh0"
        << "\\pard\\intbl{\\qr\\sb24\\sa24\\fs18" + style + " " + a + "\\cell}"
        << "\\pard\\intbl{\\ql\\sb24\\sa24\\fs18" + style + " " + b + "\\cell}"
        << "\\pard\\intbl\\row}");
  };
  EXPECT_EQ(
      rtf(),
      lines({"{\\rtf0\\ansi",
             "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;"
             "\\red212\\green208\\blue200;\\red255\\green255\\blue0;"
             "\\red255\\green0\\blue0;}",
             "{\\fonttbl\\f0\\fnil 宋体;}"}) +
          row(1, "\\f0\\cf0\\cb1", "1", "x") +
          row(3, "\\b\\f0\\cf4\\cb3", "2", "y") +
          row(1, "\\f0\\cf0\\cb1", "3", "z") + "}");
}

TEST_F(RtfExportTest, SpecialCharactersAreEscapedButSecondBytesAreNot) {
  grid.grid.setOptions(grid.grid.Options() & ~dgTitles);
  grid.addColumn(QStringLiteral("s"), QStringLiteral("S"));
  // 乗, 亄 and 倉 end in the bytes of "\", "{" and "}" in code page 936.
  grid.open(makeTable({{"s", FieldType::WideString}},
                      {{QStringLiteral("a\\b{c}乗亄倉")}}));
  EXPECT_TRUE(rtf().contains("\\cb1 a\\\\b\\{c\\}" +
                             gbk(QStringLiteral("乗亄倉")) + "\\cell}"));
  EXPECT_EQ(gbk(QStringLiteral("乗亄倉")), hexBytes("815C 817B 827D"));
}

TEST_F(RtfExportTest, WidthsAndSpacingAt120Dpi) {
  grid.grid.setPixelsPerInchX(120);
  grid.addColumn(QStringLiteral("a"), QStringLiteral("A"), 156);
  grid.addColumn(QStringLiteral("a"), QStringLiteral("B"), 156);
  grid.open(makeTable({{"a", FieldType::Integer}}, {}));
  const QByteArray bytes = rtf();
  EXPECT_TRUE(bytes.contains("\\cellx1871\r\n"));
  EXPECT_TRUE(bytes.contains("\\cellx3742\r\n"));
  EXPECT_TRUE(bytes.contains("\\qc\\sb40\\sa40"));
}

TEST_F(RtfExportTest, FailedExportWritesNothing) {
  grid.addColumn(QStringLiteral("a"), QStringLiteral("A"));
  grid.open(makeTable({{"a", FieldType::Integer}}, {{1}, {2}}));
  int calls = 0;
  grid.grid.Columns()[0].OnGetCellParams = [&](TColumnEh &, bool,
                                               TColCellParamsEh &) {
    if (++calls == 2)
      throw FieldError(QStringLiteral("second record"));
  };
  MemoryStream stream;
  TDBGridEhExportAsRTF writer;
  writer.setGrid(&grid.grid);
  EXPECT_THROW(writer.WriteGridToStream(stream, true), FieldError);
  EXPECT_TRUE(stream.bytes().isEmpty());
}

TEST_F(RtfExportTest, FooterRowTakesTheChangedAlignment) {
  grid.grid.setOptions(grid.grid.Options() & ~dgTitles);
  grid.addColumn(QStringLiteral("a"), QStringLiteral("A"), 10);
  grid.grid.setFooterRowCount(1);
  grid.grid.Columns()[0].Footer().setValueType(fvtCount);
  grid.grid.OnGetFooterParams = [](TDBGridEh &, int, int, TColumnEh &, TFont &,
                                   TColor &background, TAlignment &alignment,
                                   QString &, TGridDrawState) {
    alignment = taCenter;
    background = clRed;
  };
  grid.open(makeTable({{"a", FieldType::Integer}}, {}));
  const QByteArray bytes = rtf();
  EXPECT_TRUE(bytes.endsWith(
      lines(QStringList{"\\trowd\\trgaph40"} + borders("ltbr") +
            QStringList{cellDefinition(3, 150), "{\\trrh0",
                        "\\pard\\intbl{\\qc\\sb24\\sa24\\fs18\\f0\\cf0\\cb3 "
                        "0\\cell}",
                        "\\pard\\intbl\\row}"}) +
      "}"))
      << bytes.toStdString();
}

} // namespace

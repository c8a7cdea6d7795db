#include "export/htmlmarkup.h"

#include "export/markupbuffer.h"
#include "grid/systemcolors.h"
#include "grid/tfont.h"
#include "platform/text/codepage936.h"

#include <gtest/gtest.h>

namespace {

template <class Append> QByteArray markup(Append append) {
  MarkupBuffer buffer;
  append(buffer);
  return buffer.bytes().toByteArray();
}

struct TextCase {
  QString input;
  QString expected;
};

class HtmlEscapedTest : public testing::TestWithParam<TextCase> {};

TEST_P(HtmlEscapedTest, ReplacesMarkupCharacters) {
  EXPECT_EQ(markup([](MarkupBuffer &out) {
              appendHtmlEscaped(out, GetParam().input);
            }),
            toCodePage936(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HtmlEscapedTest,
    testing::Values(TextCase{QStringLiteral("a<b & \"c\""),
                             QStringLiteral("a&ltb &amp &quotc&quot")},
                    TextCase{QStringLiteral("&lt"), QStringLiteral("&amplt")},
                    TextCase{QStringLiteral("x>y"), QStringLiteral("x&gty")},
                    TextCase{QStringLiteral("  两个  空格\r\n"),
                             QStringLiteral("  两个  空格\r\n")},
                    TextCase{QStringLiteral("乗亄倉<"),
                             QStringLiteral("乗亄倉&lt")},
                    TextCase{QString(), QString()}));

struct ColorCase {
  TColor color;
  const char *hex;
};

class HtmlColorHexTest : public testing::TestWithParam<ColorCase> {
protected:
  void SetUp() override {
    SystemColors colors;
    colors.setRgb(10, rgbColor(212, 208, 200));
    colors.setRgb(15, rgbColor(0x12, 0x34, 0x56));
    SystemColors::setCurrent(colors);
  }
  void TearDown() override { SystemColors::setCurrent(SystemColors()); }
};

TEST_P(HtmlColorHexTest, GivesRedGreenBlueDigits) {
  EXPECT_EQ(markup([](MarkupBuffer &out) {
              appendHtmlColorHex(out, GetParam().color);
            }),
            QByteArray(GetParam().hex));
}

INSTANTIATE_TEST_SUITE_P(
    Colors, HtmlColorHexTest,
    testing::Values(ColorCase{clWhite, "FFFFFF"}, ColorCase{clRed, "FF0000"},
                    ColorCase{clBlack, "000000"}, ColorCase{clNone, "000000"},
                    ColorCase{0x20000000, "000020"},
                    ColorCase{0x01FFFFFF, "FFFF1F"},
                    ColorCase{rgbColor(1, 0xAB, 0xC), "01AB0C"},
                    ColorCase{clActiveBorder, "D4D0C8"},
                    ColorCase{clBtnFace, "123456"}));

TFont songTi9() {
  TFont font;
  font.setName(QStringLiteral("宋体"));
  font.setSize(9);
  font.setColor(clBlack);
  font.setStyle({});
  return font;
}

QByteArray fonted(const TFont &font, const QString &text) {
  return markup(
      [&](MarkupBuffer &out) { appendHtmlFontedText(out, font, text); });
}

TEST(HtmlFontedTextTest, PlainFont) {
  EXPECT_EQ(fonted(songTi9(), QStringLiteral("合计")),
            toCodePage936(u"<FONT STYLE=\"font-family: 宋体; font-size: 9pt; "
                          u"color: #000000\">合计</FONT>"));
}

TEST(HtmlFontedTextTest, EmptyTextIsANonBreakingSpace) {
  EXPECT_EQ(fonted(songTi9(), QString()),
            toCodePage936(u"<FONT STYLE=\"font-family: 宋体; font-size: 9pt; "
                          u"color: #000000\">&nbsp</FONT>"));
}

TEST(HtmlFontedTextTest, StyleTagsCloseInOpeningOrder) {
  TFont font = songTi9();
  font.setStyle(fsBold | fsItalic | fsUnderline | fsStrikeOut);
  font.setColor(clRed);
  EXPECT_EQ(fonted(font, QStringLiteral("a&b")),
            toCodePage936(u"<FONT STYLE=\"font-family: 宋体; font-size: 9pt; "
                          u"color: #FF0000\"><B><I><U><STRIKE>a&ampb"
                          u"</B></I></U></STRIKE></FONT>"));
  font.setStyle(fsItalic | fsBold);
  EXPECT_TRUE(fonted(font, QStringLiteral("x")).contains("<B><I>x</B></I>"));
}

TEST(HtmlFontedTextTest, FontNameChangesBetweenCells) {
  MarkupBuffer out;
  TFont font = songTi9();
  appendHtmlFontedText(out, font, QStringLiteral("a"));
  font.setName(QStringLiteral("黑体"));
  appendHtmlFontedText(out, font, QStringLiteral("b"));
  EXPECT_TRUE(
      out.bytes().toByteArray().contains(toCodePage936(u"font-family: 黑体;")));
}

TEST(HtmlAlignmentKeywordTest, Keywords) {
  EXPECT_EQ(htmlAlignmentKeyword(taLeftJustify), "LEFT");
  EXPECT_EQ(htmlAlignmentKeyword(taRightJustify), "RIGHT");
  EXPECT_EQ(htmlAlignmentKeyword(taCenter), "CENTER");
}

TEST(MarkupBufferTest, NumbersAndClearing) {
  MarkupBuffer out;
  out.appendNumber(0);
  out.append(' ');
  out.appendNumber(-1234567890123LL);
  out.append(' ');
  out.appendNumber(std::numeric_limits<qint64>::min());
  EXPECT_EQ(out.bytes().toByteArray(),
            QByteArray("0 -1234567890123 -9223372036854775808"));
  out.clear();
  EXPECT_TRUE(out.bytes().isEmpty());
}

TEST(MarkupBufferTest, GrowsKeepingWhatItHolds) {
  MarkupBuffer out;
  QByteArray expected;
  const QString text = QStringLiteral("存货编码 BOM").repeated(300);
  for (int i = 0; i < 20; ++i) {
    out.append("<TD>");
    out.appendText(text);
    out.append('|');
    expected += "<TD>" + toCodePage936(text) + '|';
  }
  EXPECT_EQ(out.bytes().toByteArray(), expected);
}

} // namespace

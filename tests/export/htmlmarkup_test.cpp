#include "export/htmlmarkup.h"

#include "grid/systemcolors.h"
#include "grid/tfont.h"

#include <gtest/gtest.h>

namespace {

struct TextCase {
  QString input;
  QString expected;
};

class HtmlEscapedTest : public testing::TestWithParam<TextCase> {};

TEST_P(HtmlEscapedTest, ReplacesMarkupCharacters) {
  EXPECT_EQ(htmlEscaped(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HtmlEscapedTest,
    testing::Values(TextCase{QStringLiteral("a<b & \"c\""),
                             QStringLiteral("a&ltb &amp &quotc&quot")},
                    TextCase{QStringLiteral("&lt"), QStringLiteral("&amplt")},
                    TextCase{QStringLiteral("x>y"), QStringLiteral("x&gty")},
                    TextCase{QStringLiteral("  两个  空格\r\n"),
                             QStringLiteral("  两个  空格\r\n")},
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
  EXPECT_EQ(htmlColorHex(GetParam().color), QLatin1String(GetParam().hex));
}

INSTANTIATE_TEST_SUITE_P(
    Colors, HtmlColorHexTest,
    testing::Values(ColorCase{clWhite, "FFFFFF"}, ColorCase{clRed, "FF0000"},
                    ColorCase{clBlack, "000000"}, ColorCase{clNone, "000000"},
                    ColorCase{0x20000000, "000020"},
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

TEST(HtmlFontedTextTest, PlainFont) {
  EXPECT_EQ(htmlFontedText(songTi9(), QStringLiteral("合计")),
            QStringLiteral("<FONT STYLE=\"font-family: 宋体; font-size: 9pt; "
                           "color: #000000\">合计</FONT>"));
}

TEST(HtmlFontedTextTest, EmptyTextIsANonBreakingSpace) {
  EXPECT_EQ(htmlFontedText(songTi9(), QString()),
            QStringLiteral("<FONT STYLE=\"font-family: 宋体; font-size: 9pt; "
                           "color: #000000\">&nbsp</FONT>"));
}

TEST(HtmlFontedTextTest, StyleTagsCloseInOpeningOrder) {
  TFont font = songTi9();
  font.setStyle(fsBold | fsItalic | fsUnderline | fsStrikeOut);
  font.setColor(clRed);
  EXPECT_EQ(htmlFontedText(font, QStringLiteral("a&b")),
            QStringLiteral("<FONT STYLE=\"font-family: 宋体; font-size: 9pt; "
                           "color: #FF0000\"><B><I><U><STRIKE>a&ampb"
                           "</B></I></U></STRIKE></FONT>"));
  font.setStyle(fsItalic | fsBold);
  EXPECT_TRUE(
      htmlFontedText(font, QStringLiteral("x")).contains(u"<B><I>x</B></I>"));
}

TEST(HtmlAlignmentKeywordTest, Keywords) {
  EXPECT_EQ(htmlAlignmentKeyword(taLeftJustify), QStringLiteral("LEFT"));
  EXPECT_EQ(htmlAlignmentKeyword(taRightJustify), QStringLiteral("RIGHT"));
  EXPECT_EQ(htmlAlignmentKeyword(taCenter), QStringLiteral("CENTER"));
}

} // namespace

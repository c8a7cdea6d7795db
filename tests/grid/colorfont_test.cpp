#include "grid/color.h"
#include "grid/systemcolors.h"
#include "grid/tfont.h"

#include <gtest/gtest.h>

namespace {

class ColorTest : public ::testing::Test {
protected:
  void SetUp() override { SystemColors::setCurrent(SystemColors()); }
  void TearDown() override { SystemColors::setCurrent(SystemColors()); }
};

TEST_F(ColorTest, SystemColoursResolveThroughTheTable) {
  EXPECT_EQ(resolveColor(clBtnFace), rgbColor(212, 208, 200));
  EXPECT_EQ(resolveColor(clWindow), clWhite);
  SystemColors colors;
  colors.setRgb(10, rgbColor(1, 2, 3));
  SystemColors::setCurrent(colors);
  EXPECT_EQ(resolveColor(clActiveBorder), 0x030201u);
  EXPECT_EQ(toQColor(clActiveBorder), QColor(1, 2, 3));
}

TEST_F(ColorTest, OrdinaryValuesStayAsTheyAre) {
  EXPECT_EQ(resolveColor(clNavy), 0x800000u);
  EXPECT_EQ(toQColor(clNavy), QColor(0, 0, 128));
  EXPECT_EQ(resolveColor(clNone), 0x1FFFFFFFu);
  EXPECT_EQ(toQColor(clNone), QColor(255, 255, 255));
  EXPECT_EQ(rgbColor(255, 0, 0), clRed);
}

TEST(FontTest, SizeFollowsHeightAndResolution) {
  TFont font;
  font.setPixelsPerInch(96);
  font.setHeight(-12);
  EXPECT_EQ(font.Size(), 9);
  font.setPixelsPerInch(120);
  EXPECT_EQ(font.Size(), 7); // 7.2 rounded
  font.setSize(9);
  EXPECT_EQ(font.Height(), -15);
  font.setHeight(-13);
  font.setPixelsPerInch(96);
  EXPECT_EQ(font.Size(), 10); // 9.75 rounded
}

TEST(FontTest, EveryChangeNotifiesOnceAndRepeatsDoNot) {
  TFont font;
  int changes = 0;
  font.OnChange = [&] { ++changes; };
  font.setColor(font.Color());
  font.setName(font.Name());
  EXPECT_EQ(changes, 0);
  font.setStyle(fsBold | fsItalic);
  font.setColor(clRed);
  EXPECT_EQ(changes, 2);

  TFont other;
  other.setName(QStringLiteral("Arial"));
  other.setHeight(-20);
  font.Assign(other);
  EXPECT_EQ(changes, 3);
  EXPECT_TRUE(font.sameAs(other));
  font.Assign(other);
  EXPECT_EQ(changes, 3);
}

TEST(FontTest, QtFontCarriesFacePixelSizeAndStyle) {
  TFont font;
  font.setName(QStringLiteral("Arial"));
  font.setHeight(-12);
  font.setStyle(fsBold | fsUnderline | fsStrikeOut);
  const QFont qfont = font.toQFont();
  EXPECT_EQ(qfont.family(), QStringLiteral("Arial"));
  EXPECT_EQ(qfont.pixelSize(), 12);
  EXPECT_TRUE(qfont.bold());
  EXPECT_FALSE(qfont.italic());
  EXPECT_TRUE(qfont.underline());
  EXPECT_TRUE(qfont.strikeOut());
}

} // namespace

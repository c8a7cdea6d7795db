#include "export/rtfcolortable.h"
#include "export/rtffonttable.h"

#include "grid/systemcolors.h"

#include <gtest/gtest.h>

namespace {

class RtfColorTableTest : public testing::Test {
protected:
  void setButtonFace(TColor rgb) {
    SystemColors colors;
    colors.setRgb(15, rgb);
    colors.setRgb(5, clWhite);
    colors.setRgb(10, rgbColor(212, 208, 200));
    SystemColors::setCurrent(colors);
  }
  void TearDown() override { SystemColors::setCurrent(SystemColors()); }
};

TEST_F(RtfColorTableTest, SeededWithBlackWhiteAndButtonFace) {
  setButtonFace(rgbColor(212, 208, 200));
  RtfColorTable table;
  EXPECT_EQ(table.text(), QByteArray("{\\colortbl\\red0\\green0\\blue0;"
                                     "\\red255\\green255\\blue255;"
                                     "\\red212\\green208\\blue200;}"));
  EXPECT_EQ(table.index(clBlack), 0);
  EXPECT_EQ(table.index(clWhite), 1);
  EXPECT_EQ(table.index(clBtnFace), 2);
}

TEST_F(RtfColorTableTest, WhiteButtonFaceAddsNoSeedEntry) {
  setButtonFace(clWhite);
  RtfColorTable table;
  EXPECT_EQ(table.index(clRed), 2);
  EXPECT_EQ(table.text(), QByteArray("{\\colortbl\\red0\\green0\\blue0;"
                                     "\\red255\\green255\\blue255;"
                                     "\\red255\\green0\\blue0;}"));
}

TEST_F(RtfColorTableTest, ColoursAreToldApartByRgbAlone) {
  setButtonFace(rgbColor(212, 208, 200));
  RtfColorTable table;
  // clNone is white by its low bytes; system colours by their current RGB.
  EXPECT_EQ(table.index(clNone), 1);
  EXPECT_EQ(table.index(clWindow), 1);
  EXPECT_EQ(table.index(clActiveBorder), 2);
  EXPECT_EQ(table.index(0x05010203), 3);
  EXPECT_EQ(table.index(rgbColor(3, 2, 1)), 3);
  EXPECT_EQ(table.index(clNavy), 4);
  EXPECT_TRUE(
      table.text().endsWith("\\red3\\green2\\blue1;\\red0\\green0\\blue128;}"));
}

TEST(RtfFontTableTest, NamesDifferingInCaseShareANumber) {
  RtfFontTable table;
  EXPECT_EQ(table.index(QStringLiteral("宋体")), 0);
  EXPECT_EQ(table.index(QStringLiteral("Arial")), 1);
  EXPECT_EQ(table.index(QStringLiteral("arial")), 1);
  EXPECT_EQ(table.index(QStringLiteral("宋体")), 0);
  EXPECT_EQ(table.index(QStringLiteral("ARIAL")), 1);
  EXPECT_EQ(table.text(), QByteArray("{\\fonttbl\\f0\\fnil \xcb\xce\xcc\xe5;"
                                     "\\f1\\fnil Arial;}"));
}

} // namespace

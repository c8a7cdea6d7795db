#include "app/contactstrip.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(ContactStripTest, ColoursCycleRedYellowBlueBlackAndOthersTurnRed) {
  const struct {
    TColor from, to;
  } cases[] = {
      {clRed, clYellow}, {clYellow, clBlue},    {clBlue, clBlack},
      {clBlack, clRed},  {clWindowText, clRed}, {clNavy, clRed},
  };
  for (const auto &c : cases)
    EXPECT_EQ(nextContactColor(c.from), c.to) << std::hex << c.from;
}

TEST(ContactStripTest, EachFieldCyclesFromItsOwnColourAndShowsIt) {
  ContactStrip strip(programContactDetails(), 9, Qt::Horizontal);
  strip.setFieldColor(2, clBlue);
  strip.cycleColors();
  EXPECT_EQ(strip.fieldColor(0), clRed);
  EXPECT_EQ(strip.fieldColor(2), clBlack);
  EXPECT_EQ(strip.fields()[0]->palette().color(QPalette::Text),
            QColor(255, 0, 0));
  EXPECT_EQ(strip.fields()[0]->text(), programContactDetails().webAddress);
  EXPECT_TRUE(strip.fields()[1]->isReadOnly());
  EXPECT_FALSE(strip.fields()[2]->hasFrame());
}

TEST(ContactStripTest, OnlyTheWebAddressReactsToAPress) {
  ContactStrip strip(programContactDetails(), 12, Qt::Vertical);
  int pressed = 0;
  strip.OnWebAddressPressed = [&] { ++pressed; };
  QTest::mousePress(strip.fields()[1], Qt::LeftButton);
  EXPECT_EQ(pressed, 0);
  EXPECT_EQ(strip.fieldColor(1), clBlack);
  QTest::mousePress(strip.webAddressField(), Qt::LeftButton);
  EXPECT_EQ(pressed, 1);
  EXPECT_EQ(strip.fieldColor(0), clRed);
}

} // namespace

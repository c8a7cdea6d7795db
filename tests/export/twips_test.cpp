#include "export/twips.h"

#include "haveextended.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>

namespace {

struct TwipsCase {
  int pixels;
  int dpi;
  int twips;
};

class TwipsTest : public testing::TestWithParam<TwipsCase> {};

TEST_P(TwipsTest, ConvertsPixelsToTwips) {
  const TwipsCase c = GetParam();
  EXPECT_EQ(twipsOf(c.pixels, c.dpi), c.twips)
      << c.pixels << " px at " << c.dpi;
}

// At 120 dpi extended arithmetic falls one short of the exact value for some
// widths; a double would not.
INSTANTIATE_TEST_SUITE_P(
    KnownWidths, TwipsTest,
    testing::Values(TwipsCase{145, 96, 2175}, TwipsCase{132, 96, 1980},
                    TwipsCase{0, 96, 0}, TwipsCase{156, 120, 1871},
                    TwipsCase{1, 120, 12}, TwipsCase{5, 120, 60},
                    TwipsCase{12, 120, 144}, TwipsCase{39, 120, 467},
                    TwipsCase{100, 120, 1200}, TwipsCase{157, 120, 1883}));

TEST(TwipsTest, EveryWholeWidthAt96DpiIsFifteenTwipsPerPixel) {
  for (int pixels = 0; pixels <= 20000; ++pixels)
    ASSERT_EQ(twipsOf(pixels, 96), 15 * pixels) << pixels;
}

TEST(TwipsTest, AgreesWithExtendedArithmeticAtCommonResolutions) {
  if (!kHaveExtended)
    GTEST_SKIP() << "no 80-bit long double on this compiler";
  for (const int dpi : {72, 96, 100, 110, 120, 125, 144, 150, 192, 240}) {
    for (int pixels = 0; pixels <= 5000; ++pixels) {
      const volatile long double inches = (long double)pixels / dpi;
      const volatile long double twips = inches * 1440;
      ASSERT_EQ(twipsOf(pixels, dpi), int(twips)) << pixels << " px at " << dpi;
    }
  }
}

TEST(TitleSpacingTest, DefaultMarginAtStandardResolutions) {
  EXPECT_EQ(titleSpacingOf(10, 96), 55);
  EXPECT_EQ(titleSpacingOf(10, 120), 40);
}

TEST(TitleSpacingTest, AgreesWithExtendedArithmetic) {
  if (!kHaveExtended)
    GTEST_SKIP() << "no 80-bit long double on this compiler";
  for (const int dpi : {72, 96, 100, 110, 120, 125, 144, 150, 192, 240}) {
    for (int margin = -100; margin <= 400; ++margin) {
      const volatile long double half = (long double)margin / 2;
      const volatile long double inches = half / dpi;
      const volatile long double spacing = inches * 1440 - 20;
      ASSERT_EQ(titleSpacingOf(margin, dpi), std::abs(int(spacing)))
          << margin << " at " << dpi;
    }
  }
}

} // namespace

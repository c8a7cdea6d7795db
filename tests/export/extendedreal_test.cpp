#include "export/extendedreal.h"

#include "haveextended.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>

namespace {

TEST(ExtendedRealTest, RoundsQuotientsAndProductsAsTheExtendedTypeDoes) {
  if (!kHaveExtended)
    GTEST_SKIP() << "no 80-bit long double on this compiler";
  std::mt19937_64 random(20240305);
  std::uniform_int_distribution<qint64> numerators(-5'000'000'000LL,
                                                   5'000'000'000LL);
  std::uniform_int_distribution<qint64> denominators(1, 100'000);
  for (int i = 0; i < 20000; ++i) {
    const qint64 n = numerators(random);
    const qint64 d = denominators(random) * (i % 3 == 0 ? -1 : 1);
    const qint64 f = numerators(random) % 100000;
    const volatile long double q = (long double)n / (long double)d;
    const volatile long double p = q * (long double)f;
    const ExtendedReal eq = ExtendedReal::quotient(n, d);
    const ExtendedReal ep = eq * ExtendedReal::fromInteger(f);
    ASSERT_EQ(eq.truncated(), qint64(q)) << n << "/" << d;
    ASSERT_EQ(ep.truncated(), qint64(p)) << n << "/" << d << "*" << f;
    ASSERT_EQ(ep.rounded(), std::llrint(p)) << n << "/" << d << "*" << f;
    ASSERT_EQ(eq.toDouble(), double(q)) << n << "/" << d;
  }
}

TEST(ExtendedRealTest, RoundsSumsAndDifferencesAsTheExtendedTypeDoes) {
  if (!kHaveExtended)
    GTEST_SKIP() << "no 80-bit long double on this compiler";
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> doubles(-1e6, 1e6);
  std::uniform_int_distribution<qint64> integers(-(qint64(1) << 62), qint64(1)
                                                                         << 62);
  std::uniform_int_distribution<int> scales(-60, 30);
  for (int i = 0; i < 20000; ++i) {
    const double x = std::ldexp(doubles(random), scales(random));
    const qint64 k = i % 2 ? integers(random) : integers(random) >> 40;
    const volatile long double sum = (long double)x + (long double)k;
    const volatile long double difference = (long double)x - (long double)k;
    const ExtendedReal ex = ExtendedReal::fromDouble(x);
    const ExtendedReal ek = ExtendedReal::fromInteger(k);
    ASSERT_EQ((ex + ek).rounded(), std::llrint(sum)) << x << "+" << k;
    ASSERT_EQ((ex - ek).rounded(), std::llrint(difference)) << x << "-" << k;
    ASSERT_EQ((ex + ek).toDouble(), double(sum)) << x << "+" << k;
    ASSERT_EQ((ex - ek).toDouble(), double(difference)) << x << "-" << k;
  }
}

TEST(ExtendedRealTest, FooterSumStepsAgreeWithTheExtendedType) {
  if (!kHaveExtended)
    GTEST_SKIP() << "no 80-bit long double on this compiler";
  // value × 10000 + entry, then the nearest integer: the footer sum step.
  std::mt19937_64 random(11);
  std::uniform_int_distribution<qint64> cents(-10'000'000, 10'000'000);
  std::uniform_int_distribution<qint64> entries(-(qint64(1) << 50), qint64(1)
                                                                        << 50);
  const ExtendedReal scale = ExtendedReal::fromInteger(10000);
  for (int i = 0; i < 20000; ++i) {
    const double value = double(cents(random)) / 1000.0;
    const qint64 entry = entries(random);
    const volatile long double reference =
        (long double)value * 10000.0L + (long double)entry;
    const ExtendedReal result = ExtendedReal::fromDouble(value) * scale +
                                ExtendedReal::fromInteger(entry);
    ASSERT_EQ(result.rounded(), std::llrint(reference))
        << value << " " << entry;
  }
}

struct RoundingCase {
  qint64 numerator;
  qint64 denominator;
  qint64 truncated;
  qint64 rounded;
};

class ExtendedRealRoundingTest : public testing::TestWithParam<RoundingCase> {};

TEST_P(ExtendedRealRoundingTest, TruncatesAndRoundsTiesToEven) {
  const RoundingCase c = GetParam();
  const ExtendedReal value = ExtendedReal::quotient(c.numerator, c.denominator);
  EXPECT_EQ(value.truncated(), c.truncated);
  EXPECT_EQ(value.rounded(), c.rounded);
}

INSTANTIATE_TEST_SUITE_P(
    Halves, ExtendedRealRoundingTest,
    testing::Values(RoundingCase{1, 2, 0, 0}, RoundingCase{3, 2, 1, 2},
                    RoundingCase{5, 2, 2, 2}, RoundingCase{-5, 2, -2, -2},
                    RoundingCase{-7, 2, -3, -4}, RoundingCase{7, 3, 2, 2},
                    RoundingCase{-8, 3, -2, -3}, RoundingCase{0, 5, 0, 0},
                    RoundingCase{1, 3, 0, 0}));

TEST(ExtendedRealTest, ReportsResultsBeyond64Bits) {
  const ExtendedReal big =
      ExtendedReal::fromInteger(qint64(1) << 62) * ExtendedReal::fromInteger(4);
  EXPECT_FALSE(big.truncated().has_value());
  EXPECT_FALSE(big.rounded().has_value());
  const ExtendedReal lowest =
      ExtendedReal::fromInteger(std::numeric_limits<qint64>::min());
  EXPECT_EQ(lowest.truncated(), std::numeric_limits<qint64>::min());
  EXPECT_EQ(lowest.rounded(), std::numeric_limits<qint64>::min());
}

} // namespace

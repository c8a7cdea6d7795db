#include "platform/results/bcd.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr qint64 Max = std::numeric_limits<qint64>::max();
constexpr qint64 Min = std::numeric_limits<qint64>::min();

TEST(Bcd, ParsesDecimalTextExactly) {
  const struct {
    const char *text;
    qint64 expected;
  } cases[] = {
      {"12", 120000},
      {"-0.5", -5000},
      {"+3.", 30000},
      {".5", 5000},
      {"0001.2300", 12300},
      {"1.234567", 12346},
      // Half away from zero past the fourth decimal.
      {"0.00005", 1},
      {"-0.00005", -1},
      {"0.000049999", 0},
      {"-0.00004", 0},
      // Exponent forms, as the database may print real values.
      {"1.5E+2", 1500000},
      {"1e-5", 0},
      {"2.5e-4", 3},
      {"-12.5e-1", -12500},
      {"1e-400", 0},
      {"922337203685477.5807", Max},
      {"-922337203685477.5808", Min},
      {"922337203685477.58074", Max},
  };
  for (const auto &c : cases)
    EXPECT_EQ(bcdFromText(QString::fromLatin1(c.text)), c.expected) << c.text;
}

TEST(Bcd, RefusesWhatIsNoPlainNumberOrOutOfRange) {
  for (const char *text :
       {"", "-", ".", "+.", "1.2.3", "1e", "1e+", "e5", "abc", " 1", "1 ",
        "1,5", "0x10", "922337203685477.5808", "922337203685477.58075",
        "-922337203685477.58085", "1e400", "99999999999999999999"})
    EXPECT_EQ(bcdFromText(QString::fromLatin1(text)), std::nullopt) << text;
  EXPECT_EQ(bcdFromText(QStringLiteral("１")), std::nullopt);
}

TEST(Bcd, WritesTheShortestText) {
  const struct {
    qint64 value;
    const char *expected;
  } cases[] = {
      {25000, "2.5"},
      {30000, "3"},
      {1234, "0.1234"},
      {0, "0"},
      {-12500, "-1.25"},
      {-1, "-0.0001"},
      {1000000000, "100000"},
      {Max, "922337203685477.5807"},
      {Min, "-922337203685477.5808"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(bcdToText(c.value, u'.'), c.expected) << c.value;
  EXPECT_EQ(bcdToText(-12500, u','), "-1,25");
}

TEST(Bcd, ConvertsToDouble) {
  EXPECT_EQ(bcdToDouble(25000), 2.5);
  EXPECT_EQ(bcdToDouble(-1234), -0.1234);
}

} // namespace

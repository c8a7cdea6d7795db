#pragma once

#include <QtGlobal>
#include <optional>
#include <string>
#include <string_view>

// A decimal number held as its decimal digits, so that rounding works on the
// value a person reads and not on the nearest binary double: 1.005 is the
// digits "1005" and rounds to 1.01 at two places.
struct DecimalNumber {
  bool negative = false;
  // Significant digits without leading or trailing zeros; empty for zero.
  std::string digits;
  // Where the decimal point sits: the value is 0.digits × 10^pointPosition
  // (digits "125" with pointPosition 1 is 1.25, with -1 it is 0.0125).
  int pointPosition = 0;

  bool isZero() const { return digits.empty(); }

  // Parses "[+|-]digits[.digits][(e|E)[+|-]digits]" with at least one
  // mantissa digit on either side of the point ("12", "-0.5", "+3.", ".5",
  // "1.5E+2"). Empty for anything else.
  static std::optional<DecimalNumber> parse(std::string_view text);
  // The shortest decimal text that reads back as `value`; `value` must be
  // finite.
  static DecimalNumber fromDouble(double value);
  // `value` × 10^-decimals, exactly (decimals >= 0).
  static DecimalNumber fromScaled(qint64 value, int decimals);

  // Rounded half away from zero to `decimals` places after the point.
  DecimalNumber roundedToDecimals(int decimals) const;
  // Rounded half away from zero to `count` significant digits.
  DecimalNumber roundedToSignificant(int count) const;
  // The value × 10^decimals rounded half away from zero, as an integer; empty
  // when it does not fit in 64 bits.
  std::optional<qint64> toScaled(int decimals) const;

  // The digits before the point ("" below one) and all digits after it,
  // leading zeros included ("" for an integer).
  std::string integerDigits() const;
  std::string fractionDigits() const;

private:
  DecimalNumber roundedToLength(qint64 length) const;
};

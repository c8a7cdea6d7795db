#pragma once

#include <QtGlobal>
#include <optional>

// A real number as the 80-bit extended type holds it: a sign, a 64-bit
// significand and a binary exponent, every operation rounding its exact
// result to the nearest such value, ties to even.
//
// Twips, the title spacing of rich-text titles and footer sums are defined
// by that arithmetic. The Windows compiler has no such type (its long double
// is a plain double) and a double rounds differently often enough to matter
// (156 pixels at 120 dpi are 1871 twips in extended arithmetic, 1872 in
// double), so the arithmetic is done here in integers, with the same result
// on every compiler.
class ExtendedReal {
public:
  ExtendedReal() = default;

  static ExtendedReal fromInteger(qint64 value);
  // Exact for every finite double.
  static ExtendedReal fromDouble(double value);
  // numerator ÷ denominator, rounded; the denominator must not be 0.
  static ExtendedReal quotient(qint64 numerator, qint64 denominator);

  ExtendedReal operator*(const ExtendedReal &other) const;
  ExtendedReal operator+(const ExtendedReal &other) const;
  ExtendedReal operator-(const ExtendedReal &other) const;

  // Toward zero; empty when the result does not fit 64 bits.
  std::optional<qint64> truncated() const;
  // To the nearest integer, ties to even; empty when it does not fit.
  std::optional<qint64> rounded() const;

  // The nearest double (for tests and messages; ties to even).
  double toDouble() const;

private:
  ExtendedReal(bool negative, quint64 significand, int exponent)
      : m_negative(negative), m_significand(significand), m_exponent(exponent) {
  }
  friend class ExtendedRealBuilder;

  // Value = ±significand × 2^exponent; the significand's top bit is set
  // unless the value is zero.
  bool m_negative = false;
  quint64 m_significand = 0;
  int m_exponent = 0;
};

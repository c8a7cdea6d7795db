#include "export/extendedreal.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace {

// An unsigned 128-bit integer, enough to hold any exact intermediate result
// before it is rounded to 64 significant bits.
struct Wide {
  quint64 hi = 0;
  quint64 lo = 0;

  bool isZero() const { return hi == 0 && lo == 0; }
  int bitLength() const {
    if (hi != 0)
      return 128 - std::countl_zero(hi);
    return 64 - std::countl_zero(lo);
  }
  bool bit(int index) const {
    return index >= 64 ? (hi >> (index - 64)) & 1 : (lo >> index) & 1;
  }
  // True when any of the bits below `index` is set.
  bool anyBelow(int index) const {
    if (index <= 0)
      return false;
    if (index >= 128)
      return !isZero();
    if (index > 64)
      return lo != 0 || (hi & ((quint64(1) << (index - 64)) - 1)) != 0;
    if (index == 64)
      return lo != 0;
    return (lo & ((quint64(1) << index) - 1)) != 0;
  }
  Wide shiftedLeft(int n) const {
    if (n == 0)
      return *this;
    if (n >= 128)
      return {};
    if (n >= 64)
      return {lo << (n - 64), 0};
    return {(hi << n) | (lo >> (64 - n)), lo << n};
  }
  Wide shiftedRight(int n) const {
    if (n == 0)
      return *this;
    if (n >= 128)
      return {};
    if (n >= 64)
      return {0, hi >> (n - 64)};
    return {hi >> n, (lo >> n) | (hi << (64 - n))};
  }
  friend bool operator<(const Wide &a, const Wide &b) {
    return a.hi != b.hi ? a.hi < b.hi : a.lo < b.lo;
  }
  friend Wide operator+(const Wide &a, const Wide &b) {
    Wide sum{a.hi + b.hi, a.lo + b.lo};
    if (sum.lo < a.lo)
      ++sum.hi;
    return sum;
  }
  friend Wide operator-(const Wide &a, const Wide &b) {
    Wide difference{a.hi - b.hi, a.lo - b.lo};
    if (a.lo < b.lo)
      --difference.hi;
    return difference;
  }
  static Wide product(quint64 a, quint64 b) {
    const quint64 a0 = a & 0xFFFFFFFFu, a1 = a >> 32;
    const quint64 b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
    const quint64 p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const quint64 middle =
        (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
    return {p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32),
            (middle << 32) | (p00 & 0xFFFFFFFFu)};
  }
};

quint64 magnitude(qint64 value) {
  return value < 0 ? quint64(0) - quint64(value) : quint64(value);
}

} // namespace

// Rounds an exact value ±(mantissa + a sticky remainder below its lowest
// bit) × 2^exponent to 64 significant bits.
class ExtendedRealBuilder {
public:
  static ExtendedReal round(bool negative, Wide mantissa, int exponent,
                            bool sticky) {
    if (mantissa.isZero())
      return {};
    const int excess = mantissa.bitLength() - 64;
    if (excess <= 0)
      return {negative, mantissa.shiftedLeft(-excess).lo, exponent + excess};
    const bool guard = mantissa.bit(excess - 1);
    sticky = sticky || mantissa.anyBelow(excess - 1);
    quint64 significand = mantissa.shiftedRight(excess).lo;
    exponent += excess;
    if (guard && (sticky || (significand & 1))) {
      if (++significand == 0) {
        significand = quint64(1) << 63;
        ++exponent;
      }
    }
    return {negative, significand, exponent};
  }
};

ExtendedReal ExtendedReal::fromInteger(qint64 value) {
  return ExtendedRealBuilder::round(value < 0, {0, magnitude(value)}, 0, false);
}

ExtendedReal ExtendedReal::fromDouble(double value) {
  int exponent = 0;
  const double fraction = std::frexp(std::fabs(value), &exponent);
  // fraction × 2^64 is a whole number below 2^64: it has 53 bits at most.
  const auto significand = quint64(std::ldexp(fraction, 64));
  return ExtendedRealBuilder::round(value < 0, {0, significand}, exponent - 64,
                                    false);
}

ExtendedReal ExtendedReal::quotient(qint64 numerator, qint64 denominator) {
  const quint64 divisor = magnitude(denominator);
  const quint64 dividend = magnitude(numerator);
  // Long division, one bit at a time, until 65 significant bits (64 and the
  // rounding bit) are known; what is left over only decides ties.
  Wide bits{0, dividend / divisor};
  quint64 remainder = dividend % divisor;
  int exponent = 0;
  // The remainder stays below the divisor, at most 2^63, so doubling it
  // cannot overflow.
  while (remainder != 0 && bits.bitLength() < 65) {
    remainder <<= 1;
    const bool one = remainder >= divisor;
    if (one)
      remainder -= divisor;
    bits = bits.shiftedLeft(1) + Wide{0, one ? 1u : 0u};
    --exponent;
  }
  return ExtendedRealBuilder::round((numerator < 0) != (denominator < 0), bits,
                                    exponent, remainder != 0);
}

ExtendedReal ExtendedReal::operator*(const ExtendedReal &other) const {
  return ExtendedRealBuilder::round(
      m_negative != other.m_negative,
      Wide::product(m_significand, other.m_significand),
      m_exponent + other.m_exponent, false);
}

ExtendedReal ExtendedReal::operator-(const ExtendedReal &other) const {
  ExtendedReal negated = other;
  negated.m_negative = !other.m_negative;
  return *this + negated;
}

ExtendedReal ExtendedReal::operator+(const ExtendedReal &other) const {
  if (other.m_significand == 0)
    return *this;
  if (m_significand == 0)
    return other;
  const bool otherIsLarger =
      other.m_exponent > m_exponent ||
      (other.m_exponent == m_exponent && other.m_significand > m_significand);
  const ExtendedReal &large = otherIsLarger ? other : *this;
  const ExtendedReal &small = otherIsLarger ? *this : other;
  // The larger operand moves up by 62 bits, leaving room for a carry; the
  // smaller one is aligned below it. Bits of the smaller one that fall off
  // the end only count as a sticky bit, set in the lowest position, far
  // below the rounding position of the result.
  constexpr int kRoom = 62;
  const Wide top = Wide{0, large.m_significand}.shiftedLeft(kRoom);
  const int distance = large.m_exponent - small.m_exponent;
  Wide aligned = Wide{0, small.m_significand};
  if (distance <= kRoom) {
    aligned = aligned.shiftedLeft(kRoom - distance);
  } else {
    const int drop = distance - kRoom;
    const bool lost = aligned.anyBelow(std::min(drop, 128));
    aligned = aligned.shiftedRight(drop);
    if (lost)
      aligned.lo |= 1;
  }
  const Wide exact =
      large.m_negative == small.m_negative ? top + aligned : top - aligned;
  return ExtendedRealBuilder::round(large.m_negative, exact,
                                    large.m_exponent - kRoom, false);
}

std::optional<qint64> ExtendedReal::truncated() const {
  if (m_significand == 0 || m_exponent <= -64)
    return qint64(0);
  if (m_exponent >= 0)
    return m_negative && m_exponent == 0 && m_significand == quint64(1) << 63
               ? std::optional<qint64>(std::numeric_limits<qint64>::min())
               : std::nullopt;
  const quint64 whole = m_significand >> -m_exponent;
  if (whole > quint64(std::numeric_limits<qint64>::max()))
    return m_negative && whole == quint64(1) << 63
               ? std::optional<qint64>(std::numeric_limits<qint64>::min())
               : std::nullopt;
  return m_negative ? -qint64(whole) : qint64(whole);
}

std::optional<qint64> ExtendedReal::rounded() const {
  if (m_significand == 0 || m_exponent < -64)
    return qint64(0);
  if (m_exponent >= 0)
    return truncated();
  const int drop = -m_exponent;
  const Wide bits{0, m_significand};
  quint64 whole = drop == 64 ? 0 : m_significand >> drop;
  const bool half = bits.bit(drop - 1);
  const bool rest = bits.anyBelow(drop - 1);
  if (half && (rest || (whole & 1)))
    ++whole;
  if (whole > quint64(std::numeric_limits<qint64>::max()) &&
      !(m_negative && whole == quint64(1) << 63))
    return std::nullopt;
  return m_negative ? qint64(quint64(0) - whole) : qint64(whole);
}

double ExtendedReal::toDouble() const {
  if (m_significand == 0)
    return 0.0;
  // Keep the top 53 of the 64 bits, rounding on the 11 below.
  const quint64 low = m_significand & 0x7FF;
  quint64 top = m_significand >> 11;
  int exponent = m_exponent + 11;
  if (low > 0x400 || (low == 0x400 && (top & 1))) {
    if (++top == quint64(1) << 53) {
      top >>= 1;
      ++exponent;
    }
  }
  const double value = std::ldexp(double(top), exponent);
  return m_negative ? -value : value;
}

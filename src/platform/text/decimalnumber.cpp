#include "platform/text/decimalnumber.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Exponents beyond this are out of every range the program formats; holding
// them at the bound keeps the arithmetic on the point position in int.
constexpr qint64 ExponentBound = 100'000'000;

} // namespace

std::optional<DecimalNumber> DecimalNumber::parse(std::string_view text) {
  DecimalNumber number;
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    number.negative = text[i++] == '-';

  std::string mantissa;
  qint64 integerCount = 0;
  bool seenPoint = false;
  for (; i < text.size(); ++i) {
    if (isDigit(text[i])) {
      mantissa += text[i];
      if (!seenPoint)
        ++integerCount;
    } else if (text[i] == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
  }
  if (mantissa.empty())
    return std::nullopt;

  qint64 exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
      negativeExponent = text[i++] == '-';
    const size_t start = i;
    for (; i < text.size() && isDigit(text[i]); ++i)
      exponent = std::min(exponent * 10 + (text[i] - '0'), ExponentBound);
    if (i == start)
      return std::nullopt;
    if (negativeExponent)
      exponent = -exponent;
  }
  if (i != text.size())
    return std::nullopt;

  const size_t first = mantissa.find_first_not_of('0');
  if (first == std::string::npos)
    return DecimalNumber{};
  mantissa.erase(mantissa.find_last_not_of('0') + 1);
  mantissa.erase(0, first);
  number.digits = std::move(mantissa);
  number.pointPosition = int(std::clamp(integerCount - qint64(first) + exponent,
                                        -2 * ExponentBound, 2 * ExponentBound));
  return number;
}

DecimalNumber DecimalNumber::fromDouble(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::scientific);
  return parse(std::string_view(buffer, result.ptr - buffer))
      .value_or(DecimalNumber{});
}

DecimalNumber DecimalNumber::fromScaled(qint64 value, int decimals) {
  // The magnitude in unsigned arithmetic, so that the smallest qint64 works.
  const quint64 magnitude = value < 0 ? 0 - quint64(value) : quint64(value);
  std::string text = std::to_string(magnitude);
  DecimalNumber number;
  number.pointPosition = int(text.size()) - decimals;
  text.erase(text.find_last_not_of('0') + 1);
  if (text.empty())
    return DecimalNumber{};
  number.negative = value < 0;
  number.digits = std::move(text);
  return number;
}

DecimalNumber DecimalNumber::roundedToDecimals(int decimals) const {
  return roundedToLength(qint64(pointPosition) + decimals);
}

DecimalNumber DecimalNumber::roundedToSignificant(int count) const {
  return roundedToLength(count);
}

DecimalNumber DecimalNumber::roundedToLength(qint64 length) const {
  if (length >= qint64(digits.size()))
    return *this;
  if (length < 0)
    return DecimalNumber{};
  DecimalNumber rounded = *this;
  const bool roundUp = digits[size_t(length)] >= '5';
  rounded.digits.resize(size_t(length));
  if (roundUp) {
    while (!rounded.digits.empty() && rounded.digits.back() == '9')
      rounded.digits.pop_back();
    if (rounded.digits.empty()) {
      rounded.digits.push_back('1');
      ++rounded.pointPosition;
    } else {
      ++rounded.digits.back();
    }
  }
  rounded.digits.erase(rounded.digits.find_last_not_of('0') + 1);
  if (rounded.digits.empty())
    return DecimalNumber{};
  return rounded;
}

std::optional<qint64> DecimalNumber::toScaled(int decimals) const {
  const DecimalNumber rounded = roundedToDecimals(decimals);
  if (rounded.isZero())
    return 0;
  const qint64 length = qint64(rounded.pointPosition) + decimals;
  if (length > std::numeric_limits<quint64>::digits10 + 1)
    return std::nullopt;
  const quint64 limit = negative
                            ? quint64(std::numeric_limits<qint64>::max()) + 1
                            : quint64(std::numeric_limits<qint64>::max());
  quint64 magnitude = 0;
  for (qint64 i = 0; i < length; ++i) {
    const unsigned digit =
        i < qint64(rounded.digits.size()) ? rounded.digits[size_t(i)] - '0' : 0;
    if (magnitude > (limit - digit) / 10)
      return std::nullopt;
    magnitude = magnitude * 10 + digit;
  }
  return negative ? qint64(0 - magnitude) : qint64(magnitude);
}

std::string DecimalNumber::integerDigits() const {
  if (pointPosition <= 0)
    return {};
  std::string text = digits.substr(0, size_t(pointPosition));
  text.resize(size_t(pointPosition), '0');
  return text;
}

std::string DecimalNumber::fractionDigits() const {
  if (qint64(digits.size()) <= pointPosition)
    return {};
  if (pointPosition >= 0)
    return digits.substr(size_t(pointPosition));
  return std::string(size_t(-pointPosition), '0') + digits;
}

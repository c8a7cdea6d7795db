#include "platform/text/numberformat.h"

#include "platform/errors.h"
#include "platform/text/decimalnumber.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr qsizetype MaxPatternLength = 224;
// Significant digits of a value written in general form by an empty pattern.
constexpr int GeneralPrecision = 15;

bool isQuote(QChar c) { return c == u'"' || c == u'\''; }

bool isPlaceholder(QChar c) { return c == u'0' || c == u'#'; }

QString latin(const std::string &digits) {
  return QString::fromLatin1(digits.data(), qsizetype(digits.size()));
}

// A non-negative value rounded to `precision` significant digits, in fixed
// form without trailing zeros, or as d.dddE±x when fixed form would need more
// digits than that or the value is below 0.00001.
QString generalText(const DecimalNumber &magnitude, int precision,
                    const RegionalFormats &formats) {
  const DecimalNumber value = magnitude.roundedToSignificant(precision);
  if (value.isZero())
    return QStringLiteral("0");
  const int exponent = value.pointPosition - 1;
  const bool scientific = exponent >= precision || exponent < -5;
  DecimalNumber mantissa = value;
  if (scientific)
    mantissa.pointPosition = 1;
  const std::string integer = mantissa.integerDigits();
  const std::string fraction = mantissa.fractionDigits();
  QString text = integer.empty() ? QStringLiteral("0") : latin(integer);
  if (!fraction.empty())
    text += formats.decimalSeparator + latin(fraction);
  if (scientific)
    text += u'E' + QString::number(exponent);
  return text;
}

// One section of a number pattern: where its digits, separators and
// literals go. Writes non-negative values; the sign is the caller's.
class NumberSection {
public:
  explicit NumberSection(QStringView text);

  // `magnitude` rounded to what the section shows.
  DecimalNumber rounded(const DecimalNumber &magnitude) const;
  // The text of a value that rounded() gave.
  QString write(const DecimalNumber &value,
                const RegionalFormats &formats) const;

private:
  QString writeScientific(const DecimalNumber &value,
                          const RegionalFormats &formats) const;
  QString writeDigits(const DecimalNumber &value, int exponent,
                      const RegionalFormats &formats) const;

  QStringView m_text;
  int m_integerPlaceholders = 0;
  // Index of the first "0" among the integer placeholders, -1 for none.
  int m_firstIntegerZero = -1;
  int m_fractionPlaceholders = 0;
  // Index of the last "0" among the fraction placeholders, -1 for none.
  int m_lastFractionZero = -1;
  bool m_grouping = false;
  bool m_scientific = false;
};

// "E+" or "e-" and its kin at `i`: the start of an exponent.
bool isExponentAt(QStringView text, qsizetype i) {
  return (text[i] == u'E' || text[i] == u'e') && i + 1 < text.size() &&
         (text[i + 1] == u'+' || text[i + 1] == u'-');
}

NumberSection::NumberSection(QStringView text) : m_text(text) {
  bool inFraction = false;
  for (qsizetype i = 0; i < text.size() && !m_scientific; ++i) {
    const QChar c = text[i];
    if (isQuote(c)) {
      const qsizetype end = text.indexOf(c, i + 1);
      i = end < 0 ? text.size() : end;
    } else if (isPlaceholder(c) && inFraction) {
      if (c == u'0')
        m_lastFractionZero = m_fractionPlaceholders;
      ++m_fractionPlaceholders;
    } else if (isPlaceholder(c)) {
      if (c == u'0' && m_firstIntegerZero < 0)
        m_firstIntegerZero = m_integerPlaceholders;
      ++m_integerPlaceholders;
    } else if (c == u'.') {
      inFraction = true;
    } else if (c == u',') {
      m_grouping = true;
    } else if (isExponentAt(text, i)) {
      m_scientific = true;
    }
  }
}

DecimalNumber NumberSection::rounded(const DecimalNumber &magnitude) const {
  if (m_text.isEmpty())
    return magnitude.roundedToSignificant(GeneralPrecision);
  if (m_scientific)
    return magnitude.roundedToSignificant(
        std::max(1, m_integerPlaceholders + m_fractionPlaceholders));
  return magnitude.roundedToDecimals(m_fractionPlaceholders);
}

QString NumberSection::write(const DecimalNumber &value,
                             const RegionalFormats &formats) const {
  if (m_text.isEmpty())
    return generalText(value, GeneralPrecision, formats);
  if (!m_scientific || value.isZero())
    return writeDigits(value, 0, formats);
  // The exponent leaves as many integer digits as there are placeholders.
  DecimalNumber mantissa = value;
  mantissa.pointPosition = m_integerPlaceholders;
  return writeDigits(mantissa, value.pointPosition - m_integerPlaceholders,
                     formats);
}

QString NumberSection::writeDigits(const DecimalNumber &value, int exponent,
                                   const RegionalFormats &formats) const {
  // A section without digit placeholders ("zero") is text alone.
  const bool hasDigits = m_integerPlaceholders + m_fractionPlaceholders > 0;
  std::string integer = hasDigits ? value.integerDigits() : std::string();
  std::string fraction = hasDigits ? value.fractionDigits() : std::string();
  const qsizetype fractionShown =
      std::max(qsizetype(m_lastFractionZero) + 1, qsizetype(fraction.size()));
  fraction.resize(size_t(fractionShown), '0');
  qsizetype minimum =
      m_firstIntegerZero < 0 ? 0 : m_integerPlaceholders - m_firstIntegerZero;
  // A value never vanishes from a section with digits: "#.##" writes zero
  // as "0".
  if (hasDigits && integer.empty() && fractionShown == 0)
    minimum = std::max<qsizetype>(minimum, 1);
  if (qsizetype(integer.size()) < minimum)
    integer.insert(0, size_t(minimum - qsizetype(integer.size())), '0');

  QString out;
  const qsizetype count = qsizetype(integer.size());
  qsizetype written = 0;
  // Integer digits line up from the right with the placeholders; the first
  // placeholder takes all the digits the pattern has no place for.
  const auto writeIntegerUpTo = [&](qsizetype end) {
    for (end = std::min(end, count); written < end; ++written) {
      out += QLatin1Char(integer[size_t(written)]);
      const qsizetype left = count - written - 1;
      if (m_grouping && left > 0 && left % 3 == 0)
        out += formats.thousandSeparator;
    }
  };

  int integerIndex = 0;
  qsizetype fractionIndex = 0;
  bool inFraction = false;
  bool exponentWritten = false;
  for (qsizetype i = 0; i < m_text.size(); ++i) {
    const QChar c = m_text[i];
    if (isQuote(c)) {
      qsizetype end = m_text.indexOf(c, i + 1);
      if (end < 0)
        end = m_text.size();
      out += m_text.sliced(i + 1, end - i - 1);
      i = end;
    } else if (isPlaceholder(c) && !inFraction) {
      ++integerIndex;
      writeIntegerUpTo(count - (m_integerPlaceholders - integerIndex));
    } else if (isPlaceholder(c)) {
      if (fractionIndex < fractionShown)
        out += QLatin1Char(fraction[size_t(fractionIndex)]);
      ++fractionIndex;
    } else if (c == u'.' && !inFraction) {
      writeIntegerUpTo(count);
      inFraction = true;
      if (fractionShown > 0)
        out += formats.decimalSeparator;
    } else if (c == u',') {
      continue;
    } else if (m_scientific && !exponentWritten && isExponentAt(m_text, i)) {
      writeIntegerUpTo(count);
      out += c;
      if (exponent < 0)
        out += u'-';
      else if (m_text[i + 1] == u'+')
        out += u'+';
      i += 2;
      qsizetype zeros = 0;
      for (; i < m_text.size() && isPlaceholder(m_text[i]); ++i)
        zeros += m_text[i] == u'0';
      --i;
      out += QString::number(std::abs(exponent))
                 .rightJustified(std::max<qsizetype>(zeros, 1), u'0');
      exponentWritten = true;
    } else {
      out += c;
    }
  }
  writeIntegerUpTo(count);
  return out;
}

void requireShortPattern(QStringView pattern) {
  if (pattern.size() > MaxPatternLength)
    throw FormatError(QStringLiteral("Format string too long"));
}

QString formatDecimal(QStringView pattern, const DecimalNumber &value,
                      const RegionalFormats &formats) {
  requireShortPattern(pattern);
  const std::vector<QStringView> sections = numberPatternSections(pattern);
  const bool negativeSection =
      value.negative && sections.size() > 1 && !sections[1].isEmpty();
  DecimalNumber magnitude = value;
  magnitude.negative = false;

  const NumberSection section(negativeSection ? sections[1] : sections[0]);
  const DecimalNumber rounded = section.rounded(magnitude);
  // A value that rounds to zero is zero: no sign, and the zero section.
  if (rounded.isZero()) {
    const bool zeroSection = sections.size() > 2 && !sections[2].isEmpty();
    return NumberSection(zeroSection ? sections[2] : sections[0])
        .write(DecimalNumber{}, formats);
  }
  QString text = section.write(rounded, formats);
  if (value.negative && !negativeSection)
    text.prepend(u'-');
  return text;
}

// "INF", "-INF" or "NAN" for a value no pattern can write, else empty.
QString nonFiniteText(double value) {
  if (std::isnan(value))
    return QStringLiteral("NAN");
  if (std::isinf(value))
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
  return {};
}

// "0.00" or "#,##0.00" for the currency decimals.
QString currencyPattern(int decimals, bool grouping) {
  QString pattern = grouping ? QStringLiteral("#,##0") : QStringLiteral("0");
  if (decimals > 0)
    pattern += u'.' + QString(decimals, u'0');
  return pattern;
}

int currencyDecimalsOf(const RegionalFormats &formats) {
  return std::clamp(formats.currencyDecimals, 0, 9);
}

} // namespace

std::vector<QStringView> numberPatternSections(QStringView pattern,
                                               std::size_t most) {
  std::vector<QStringView> sections;
  qsizetype start = 0;
  QChar quote;
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    const QChar c = pattern[i];
    if (!quote.isNull()) {
      if (c == quote)
        quote = QChar();
    } else if (isQuote(c)) {
      quote = c;
    } else if (c == u';' && sections.size() + 1 < most) {
      sections.push_back(pattern.sliced(start, i - start));
      start = i + 1;
    }
  }
  sections.push_back(pattern.sliced(start));
  return sections;
}

QString formatFloat(QStringView pattern, double value,
                    const RegionalFormats &formats) {
  requireShortPattern(pattern);
  if (!std::isfinite(value))
    return nonFiniteText(value);
  return formatDecimal(pattern, DecimalNumber::fromDouble(value), formats);
}

QString formatBcd(QStringView pattern, qint64 tenThousandths,
                  const RegionalFormats &formats) {
  return formatDecimal(pattern, DecimalNumber::fromScaled(tenThousandths, 4),
                       formats);
}

QString formatGeneral(double value, int precision,
                      const RegionalFormats &formats) {
  if (!std::isfinite(value))
    return nonFiniteText(value);
  const DecimalNumber number = DecimalNumber::fromDouble(value);
  QString text = generalText(number, std::max(precision, 1), formats);
  if (number.negative)
    text.prepend(u'-');
  return text;
}

QString formatCurrency(qint64 tenThousandths, const RegionalFormats &formats) {
  const QString pattern =
      currencyPattern(currencyDecimalsOf(formats), /*grouping=*/true);
  const NumberSection section(pattern);
  DecimalNumber magnitude = DecimalNumber::fromScaled(tenThousandths, 4);
  magnitude.negative = false;
  const DecimalNumber rounded = section.rounded(magnitude);
  const QString digits = section.write(rounded, formats);
  const QStringView layout = tenThousandths < 0 && !rounded.isZero()
                                 ? formats.negativeCurrencyLayout()
                                 : formats.positiveCurrencyLayout();
  QString text;
  for (const QChar c : layout) {
    if (c == u'¤')
      text += formats.currencyString;
    else if (c == u'1')
      text += digits;
    else
      text += c;
  }
  return text;
}

QString formatCurrencyPlain(qint64 tenThousandths,
                            const RegionalFormats &formats) {
  return formatBcd(
      currencyPattern(currencyDecimalsOf(formats), /*grouping=*/false),
      tenThousandths, formats);
}

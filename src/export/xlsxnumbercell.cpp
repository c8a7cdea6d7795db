#include "export/xlsxnumbercell.h"

#include "platform/text/decimalnumber.h"

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <vector>

namespace {

// One piece of a format section.
struct FormatToken {
  enum Kind { Literal, IntegerDigit, FractionDigit, Point, Exponent } kind;
  QChar character; // the literal, the digit ("0" or "#"), the exponent sign
};

// A section of an Excel number format, in the shapes this knows how Excel
// shows: integer digits "#" before "0", fraction digits "0" before "#", no
// literal among the digits of either part, grouping only in a fixed-point
// section, an exponent only after a single "0" and with "0" digits.
struct FormatSection {
  std::vector<FormatToken> tokens;
  int integerZeros = 0;
  int integerDigits = 0;
  int fractionZeros = 0;
  int fractionDigits = 0;
  int exponentDigits = 0;
  bool grouping = false;
  bool scientific = false;
};

// A character the workbook can hold as it is in a format.
bool isPlainCharacter(QChar c) {
  return c.unicode() >= 0x20 && !c.isSurrogate() && c.unicode() < 0xFFFE;
}

std::optional<FormatSection> parseSection(QStringView text) {
  FormatSection section;
  enum Part { Integer, Fraction, ExponentPart } part = Integer;
  // Whether a literal came after a digit of the part being read: a digit
  // after it puts the literal among the digits.
  bool literalAfterDigit = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == u'\\' && i + 1 < text.size()) {
      const QChar literal = text[++i];
      if (!isPlainCharacter(literal))
        return std::nullopt;
      section.tokens.push_back({FormatToken::Literal, literal});
      literalAfterDigit = part == Integer    ? section.integerDigits > 0
                          : part == Fraction ? section.fractionDigits > 0
                                             : section.exponentDigits > 0;
    } else if (c == u'0' || c == u'#') {
      if (literalAfterDigit)
        return std::nullopt;
      if (part == Integer) {
        if (c == u'#' && section.integerZeros > 0)
          return std::nullopt;
        section.integerZeros += c == u'0';
        ++section.integerDigits;
        section.tokens.push_back({FormatToken::IntegerDigit, c});
      } else if (part == Fraction) {
        if (c == u'0' && section.fractionDigits > section.fractionZeros)
          return std::nullopt;
        section.fractionZeros += c == u'0';
        ++section.fractionDigits;
        section.tokens.push_back({FormatToken::FractionDigit, c});
      } else {
        if (c != u'0')
          return std::nullopt;
        ++section.exponentDigits;
      }
    } else if (c == u'.' && part == Integer) {
      part = Fraction;
      literalAfterDigit = false;
      section.tokens.push_back({FormatToken::Point, c});
    } else if (c == u',' && part == Integer && section.integerDigits > 0 &&
               i + 1 < text.size() &&
               (text[i + 1] == u'0' || text[i + 1] == u'#')) {
      section.grouping = true;
    } else if (c == u'E' && part != ExponentPart && i + 1 < text.size() &&
               (text[i + 1] == u'+' || text[i + 1] == u'-')) {
      part = ExponentPart;
      literalAfterDigit = false;
      section.scientific = true;
      section.tokens.push_back({FormatToken::Exponent, text[++i]});
    } else {
      return std::nullopt;
    }
  }
  if (section.scientific &&
      (section.integerDigits != 1 || section.integerZeros != 1 ||
       section.grouping || section.exponentDigits == 0))
    return std::nullopt;
  return section;
}

// The sections of `format`, split at the ";" that no "\" escapes.
std::vector<QStringView> formatSections(QStringView format) {
  std::vector<QStringView> sections;
  qsizetype start = 0;
  for (qsizetype i = 0; i < format.size(); ++i) {
    if (format[i] == u'\\')
      ++i;
    else if (format[i] == u';') {
      sections.push_back(format.sliced(start, i - start));
      start = i + 1;
    }
  }
  sections.push_back(format.sliced(start));
  return sections;
}

QString latin(const std::string &digits) {
  return QString::fromLatin1(digits.data(), qsizetype(digits.size()));
}

QString grouped(const std::string &digits, QChar separator) {
  QString text;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0)
      text += separator;
    text += QLatin1Char(digits[i]);
  }
  return text;
}

// `magnitude` (not negative) as Excel shows it in `section`.
std::optional<QString> showInSection(const FormatSection &section,
                                     const DecimalNumber &magnitude,
                                     const RegionalFormats &formats) {
  DecimalNumber shown;
  int exponent = 0;
  if (section.scientific) {
    if (!magnitude.isZero()) {
      shown = magnitude.roundedToSignificant(1 + section.fractionDigits);
      exponent = shown.pointPosition - 1;
      shown.pointPosition = 1;
    }
  } else {
    shown = magnitude.roundedToDecimals(section.fractionDigits);
  }
  std::string integer = shown.integerDigits();
  if (section.integerDigits == 0 && !integer.empty())
    return std::nullopt;
  if (int(integer.size()) < section.integerZeros)
    integer.insert(0, size_t(section.integerZeros) - integer.size(), '0');
  std::string fraction = shown.fractionDigits();
  fraction.resize(size_t(section.fractionDigits), '0');
  while (int(fraction.size()) > section.fractionZeros && fraction.back() == '0')
    fraction.pop_back();

  QString text;
  bool integerWritten = false;
  bool fractionWritten = false;
  for (const FormatToken &token : section.tokens) {
    switch (token.kind) {
    case FormatToken::Literal:
      text += token.character;
      break;
    case FormatToken::IntegerDigit:
      if (!integerWritten)
        text += section.grouping ? grouped(integer, formats.thousandSeparator)
                                 : latin(integer);
      integerWritten = true;
      break;
    case FormatToken::FractionDigit:
      if (!fractionWritten)
        text += latin(fraction);
      fractionWritten = true;
      break;
    case FormatToken::Point:
      // Excel writes the point also when no fraction digit follows it.
      text += formats.decimalSeparator;
      break;
    case FormatToken::Exponent:
      text += u'E';
      if (exponent < 0)
        text += u'-';
      else if (token.character == u'+')
        text += u'+';
      text += QString::number(std::abs(exponent))
                  .rightJustified(section.exponentDigits, u'0');
      break;
    }
  }
  return text;
}

// `value` as Excel shows it in `format`, taking its magnitude as each of
// `readings`; none unless all of them show the same.
std::optional<QString> showNumber(QStringView format, double value,
                                  std::initializer_list<DecimalNumber> readings,
                                  const RegionalFormats &formats) {
  std::optional<QString> shown;
  if (format == QLatin1String("General")) {
    if (!(std::abs(value) < 1e11) || value != std::trunc(value))
      return std::nullopt;
    shown = latin(readings.begin()->integerDigits());
    if (shown->isEmpty())
      return QStringLiteral("0");
    return value < 0 ? u'-' + *shown : *shown;
  }
  // A fourth section is for text.
  const std::vector<QStringView> sections = formatSections(format);
  if (sections.size() > 4)
    return std::nullopt;
  // Excel picks the section by the value as it is, before any rounding: a
  // single section takes every value, negative ones with a "-" in front; a
  // second takes the negative values, without it; a third zero.
  size_t chosen = 0;
  if (value < 0 && sections.size() > 1)
    chosen = 1;
  else if (value == 0 && sections.size() > 2)
    chosen = 2;
  const std::optional<FormatSection> section = parseSection(sections[chosen]);
  if (!section)
    return std::nullopt;
  for (const DecimalNumber &reading : readings) {
    const std::optional<QString> text =
        showInSection(*section, reading, formats);
    if (!text || (shown && *shown != *text))
      return std::nullopt;
    shown = text;
  }
  if (value < 0 && sections.size() == 1)
    shown->prepend(u'-');
  return shown;
}

} // namespace

std::optional<QString> xlsxShownNumber(QStringView format, double value,
                                       const RegionalFormats &formats) {
  if (!std::isfinite(value))
    return std::nullopt;
  // The workbook holds the value in 16 significant digits ("%.16G"); Excel
  // shows no more than 15 of them, other readers may round on all 16.
  char digits[32];
  const std::to_chars_result written =
      std::to_chars(digits, digits + sizeof digits, std::abs(value),
                    std::chars_format::scientific, 15);
  const std::optional<DecimalNumber> held =
      DecimalNumber::parse(std::string_view(digits, written.ptr - digits));
  if (!held)
    return std::nullopt;
  const DecimalNumber excel = held->roundedToSignificant(15);
  if (excel.digits == held->digits)
    return showNumber(format, value, {excel}, formats);
  return showNumber(format, value, {excel, *held}, formats);
}

std::optional<QString> xlsxCellNumberFormat(QStringView patternFormat,
                                            double value, QStringView text,
                                            const RegionalFormats &formats) {
  const double magnitude = std::abs(value);
  if (!std::isfinite(value) || magnitude > XlsxLargestNumber ||
      (value != 0 && magnitude < std::numeric_limits<double>::min()))
    return std::nullopt;
  std::vector<QString> candidates;
  if (!patternFormat.isEmpty()) {
    candidates.push_back(patternFormat.toString());
  } else {
    candidates.push_back(QStringLiteral("General"));
    const qsizetype point = text.indexOf(formats.decimalSeparator);
    const qsizetype decimals = point < 0 ? 0 : text.size() - point - 1;
    // Excel shows at most 30 decimals.
    if (decimals <= 30)
      candidates.push_back(decimals == 0 ? QStringLiteral("0")
                                         : QStringLiteral("0.") +
                                               QString(decimals, u'0'));
  }
  for (const QString &candidate : candidates)
    if (xlsxShownNumber(candidate, value, formats) == text)
      return candidate;
  return std::nullopt;
}

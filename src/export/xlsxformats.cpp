#include "export/xlsxformats.h"

#include "platform/text/datetimepattern.h"
#include "platform/text/numberformat.h"

#include <vector>

namespace {

bool isQuote(QChar c) { return c == u'"' || c == u'\''; }

// A character Excel shows as it is, whatever it means in a format.
void appendLiteral(QString &format, QChar c) {
  format += u'\\';
  format += c;
}

std::optional<QString> numberSectionFormat(QStringView section) {
  if (section.isEmpty())
    return std::nullopt;
  QString format;
  // Where the digits before the decimal point went, for the grouping mark.
  std::vector<qsizetype> integerDigits;
  bool grouping = false;
  bool afterPoint = false;
  for (qsizetype i = 0; i < section.size(); ++i) {
    const QChar c = section[i];
    if (isQuote(c)) {
      qsizetype end = section.indexOf(c, i + 1);
      if (end < 0)
        end = section.size();
      for (const QChar quoted : section.sliced(i + 1, end - i - 1))
        appendLiteral(format, quoted);
      i = end;
    } else if (c == u'0' || c == u'#') {
      if (!afterPoint)
        integerDigits.push_back(format.size());
      format += c;
    } else if (c == u'.') {
      if (afterPoint)
        return std::nullopt;
      afterPoint = true;
      format += c;
    } else if (c == u',') {
      grouping = true;
    } else if ((c == u'E' || c == u'e') && i + 1 < section.size() &&
               (section[i + 1] == u'+' || section[i + 1] == u'-')) {
      afterPoint = true;
      format += c;
      format += section[++i];
    } else {
      appendLiteral(format, c);
    }
  }
  if (!grouping)
    return format;
  // Excel groups when a "," stands between two digits of the integer part,
  // and divides by a thousand for one anywhere else.
  if (integerDigits.empty() || integerDigits.back() - integerDigits.front() !=
                                   qsizetype(integerDigits.size()) - 1)
    return std::nullopt;
  if (integerDigits.size() == 1)
    format.insert(integerDigits.front(), QStringLiteral("#,"));
  else
    format.insert(integerDigits.front() + 1, u',');
  return format;
}

// The next piece that stands for a value, skipping separators and literals.
const PatternPiece *valuePieceAfter(const std::vector<PatternPiece> &pieces,
                                    size_t index) {
  for (size_t i = index + 1; i < pieces.size(); ++i)
    if (pieces[i].kind != PatternPiece::Character &&
        pieces[i].kind != PatternPiece::DateSeparator &&
        pieces[i].kind != PatternPiece::TimeSeparator)
      return &pieces[i];
  return nullptr;
}

QString twoOrOne(QChar letter, int digits) {
  return QString(digits >= 2 ? 2 : 1, letter);
}

} // namespace

std::optional<QString> xlsxNumberFormat(QStringView pattern) {
  if (pattern.isEmpty())
    return std::nullopt;
  // A fourth section is text of the third to the grid, which Excel cannot
  // follow.
  const std::vector<QStringView> sections = numberPatternSections(pattern, 4);
  if (sections.size() > 3)
    return std::nullopt;
  QString format;
  for (const QStringView section : sections) {
    const std::optional<QString> sectionFormat = numberSectionFormat(section);
    if (!sectionFormat)
      return std::nullopt;
    if (!format.isEmpty())
      format += u';';
    format += *sectionFormat;
  }
  return format;
}

std::optional<QString> xlsxDateTimeFormat(QStringView pattern,
                                          const RegionalFormats &formats) {
  const std::vector<PatternPiece> pieces =
      dateTimePatternPieces(pattern).pieces;
  QString format;
  const PatternPiece *previousValue = nullptr;
  for (size_t i = 0; i < pieces.size(); ++i) {
    const PatternPiece &piece = pieces[i];
    const PatternPiece *next = valuePieceAfter(pieces, i);
    const bool beforeSecond = next && next->kind == PatternPiece::Second;
    switch (piece.kind) {
    case PatternPiece::Character:
      appendLiteral(format, QChar(piece.character));
      continue;
    case PatternPiece::DateSeparator:
      appendLiteral(format, formats.dateSeparator);
      continue;
    case PatternPiece::TimeSeparator:
      appendLiteral(format, formats.timeSeparator);
      continue;
    case PatternPiece::Day:
      format += twoOrOne(u'd', piece.digits);
      break;
    case PatternPiece::Month:
      // Excel reads "m" before seconds as minutes.
      if (beforeSecond)
        return std::nullopt;
      format += twoOrOne(u'm', piece.digits);
      break;
    case PatternPiece::Minute:
      if (!beforeSecond &&
          !(previousValue && previousValue->kind == PatternPiece::Hour))
        return std::nullopt;
      format += twoOrOne(u'm', piece.digits);
      break;
    case PatternPiece::ShortYear:
      format += QStringLiteral("yy");
      break;
    case PatternPiece::Year:
      format += QStringLiteral("yyyy");
      break;
    case PatternPiece::Hour:
      format += twoOrOne(u'h', piece.digits);
      break;
    case PatternPiece::Second:
      format += twoOrOne(u's', piece.digits);
      break;
    case PatternPiece::AmPm:
      if (formats.timeAMString != QLatin1String("AM") ||
          formats.timePMString != QLatin1String("PM"))
        return std::nullopt;
      format += QStringLiteral("AM/PM");
      break;
    case PatternPiece::AmPmLetters: {
      const char16_t twoLetters[] = {piece.character, piece.second, u'/',
                                     piece.pm[0], piece.pm[1]};
      const char16_t oneLetter[] = {piece.character, u'/', piece.pm[0]};
      const QStringView letters =
          piece.digits == 2 ? QStringView(twoLetters) : QStringView(oneLetter);
      if (letters != QLatin1String("AM/PM") && letters != QLatin1String("A/P"))
        return std::nullopt;
      format += letters;
      break;
    }
    case PatternPiece::Millisecond:
    case PatternPiece::ShortDayName:
    case PatternPiece::LongDayName:
    case PatternPiece::ShortMonthName:
    case PatternPiece::LongMonthName:
      return std::nullopt;
    }
    previousValue = &piece;
  }
  return format;
}

std::optional<double> xlsxDateSerial(double days) {
  // 61 is 1 March 1900, 2958466 is 1 January 10000.
  if (!(days >= 61) || !(days < 2958466))
    return std::nullopt;
  return days;
}

#include "platform/text/regionalformats.h"

#include <QLocale>
#include <optional>

namespace {

// The currency layouts in the order the system numbers them.
constexpr QStringView PositiveCurrencyLayouts[] = {u"¤1", u"1¤", u"¤ 1",
                                                   u"1 ¤"};
constexpr QStringView NegativeCurrencyLayouts[] = {
    u"(¤1)", u"-¤1",  u"¤-1",  u"¤1-",  u"(1¤)", u"-1¤",  u"1-¤",   u"1¤-",
    u"-1 ¤", u"-¤ 1", u"1 ¤-", u"¤ 1-", u"¤ -1", u"1- ¤", u"(¤ 1)", u"(1 ¤)"};

template <size_t N>
int layoutIndex(const QStringView (&layouts)[N], QStringView layout) {
  for (size_t i = 0; i < N; ++i)
    if (layouts[i] == layout)
      return int(i);
  return -1;
}

QChar firstCharOr(const QString &text, char16_t fallback) {
  return text.isEmpty() ? QChar(fallback) : text.front();
}

bool isDroppable(QChar c) { return c.isSpace() || c == u','; }

// Removes the blanks and commas that joined a dropped element to its
// neighbours: those before it, or else those after it.
void dropElement(QString &out, QStringView pattern, qsizetype &next) {
  const qsizetype size = out.size();
  while (!out.isEmpty() && isDroppable(out.back()))
    out.chop(1);
  if (out.size() == size)
    while (next < pattern.size() && isDroppable(pattern[next]))
      ++next;
}

// A date or time pattern of a locale in the letters of formatDateTime.
QString toDateTimeLetters(QStringView pattern) {
  QString out;
  qsizetype i = 0;
  while (i < pattern.size()) {
    const QChar c = pattern[i];
    if (c == u'\'') {
      QString literal;
      for (++i; i < pattern.size(); ++i) {
        if (pattern[i] != u'\'') {
          literal += pattern[i];
        } else if (i + 1 < pattern.size() && pattern[i + 1] == u'\'') {
          literal += pattern[++i];
        } else {
          break;
        }
      }
      ++i;
      if (!literal.isEmpty())
        out += QStringLiteral("\"%1\"").arg(literal);
      continue;
    }
    qsizetype run = 1;
    while (i + run < pattern.size() && pattern[i + run] == c)
      ++run;
    qsizetype next = i + run;
    switch (c.unicode()) {
    case u'd':
      out += QString(qMin<qsizetype>(run, 4), u'd');
      break;
    case u'M':
    case u'L':
      out += QString(qMin<qsizetype>(run, 4), u'm');
      break;
    case u'y':
      out += run <= 2 ? u"yy" : u"yyyy";
      break;
    case u'h':
    case u'H':
      out += run == 1 ? u"h" : u"hh";
      break;
    case u'm':
      out += run == 1 ? u"n" : u"nn";
      break;
    case u's':
      out += run == 1 ? u"s" : u"ss";
      break;
    case u'z':
      out += run < 3 ? u"z" : u"zzz";
      break;
    case u'a':
    case u'A':
      if (next < pattern.size() && pattern[next].toLower() == u'p')
        ++next;
      out += u"ampm";
      break;
    case u't':
      dropElement(out, pattern, next);
      break;
    default:
      if (c.isLetter() && c.unicode() < 0x80)
        out += QStringLiteral("\"%1\"").arg(pattern.mid(i, run));
      else
        out += pattern.mid(i, run);
    }
    i = next;
  }
  return out;
}

// The first separator between the elements of a locale pattern.
QChar separatorOf(QStringView pattern, char16_t fallback) {
  for (const QChar c : pattern)
    if (!c.isLetterOrNumber() && !c.isSpace() && c != u'\'')
      return c;
  return QChar(fallback);
}

// Reads the currency decimals and layouts from the locale's text of -1 and 1.
void readCurrency(const QLocale &locale, RegionalFormats &formats) {
  formats.currencyString = locale.currencySymbol();
  const auto layoutOf = [&](double value) {
    QString text = locale.toCurrencyString(value, formats.currencyString);
    const qsizetype point = text.indexOf(locale.decimalPoint());
    qsizetype first = 0;
    while (first < text.size() && !text[first].isDigit())
      ++first;
    qsizetype last = text.size() - 1;
    while (last > first && !text[last].isDigit())
      --last;
    if (value > 0)
      formats.currencyDecimals = point > first ? int(last - point) : 0;
    text.replace(first, last - first + 1, u'1');
    if (!formats.currencyString.isEmpty())
      text.replace(formats.currencyString, QStringLiteral("¤"));
    for (QChar &c : text)
      if (c.isSpace())
        c = u' ';
    return text;
  };
  const int positive = layoutIndex(PositiveCurrencyLayouts, layoutOf(1));
  const int negative = layoutIndex(NegativeCurrencyLayouts, layoutOf(-1));
  if (positive >= 0)
    formats.currencyFormat = positive;
  if (negative >= 0)
    formats.negCurrencyFormat = negative;
}

std::optional<RegionalFormats> &currentStorage() {
  static std::optional<RegionalFormats> formats;
  return formats;
}

} // namespace

QStringView RegionalFormats::positiveCurrencyLayout() const {
  return currencyFormat >= 0 && currencyFormat < 4
             ? PositiveCurrencyLayouts[currencyFormat]
             : PositiveCurrencyLayouts[0];
}

QStringView RegionalFormats::negativeCurrencyLayout() const {
  return negCurrencyFormat >= 0 && negCurrencyFormat < 16
             ? NegativeCurrencyLayouts[negCurrencyFormat]
             : NegativeCurrencyLayouts[1];
}

RegionalFormats RegionalFormats::fromSystem() {
  return fromSystemLocale(QLocale::system());
}

RegionalFormats RegionalFormats::fromSystemLocale(const QLocale &systemLocale) {
  if (systemLocale.language() == QLocale::C)
    return fromLocale(QLocale(QLocale::Chinese, QLocale::China));
  return fromLocale(systemLocale);
}

RegionalFormats RegionalFormats::fromLocale(const QLocale &locale) {
  RegionalFormats formats;
  formats.decimalSeparator = firstCharOr(locale.decimalPoint(), u'.');
  formats.thousandSeparator = firstCharOr(locale.groupSeparator(), u',');
  const QString date = locale.dateFormat(QLocale::ShortFormat);
  const QString time = locale.timeFormat(QLocale::LongFormat);
  formats.dateSeparator = separatorOf(date, u'/');
  formats.timeSeparator = separatorOf(time, u':');
  formats.shortDateFormat = toDateTimeLetters(date);
  formats.longTimeFormat = toDateTimeLetters(time);
  for (int month = 1; month <= 12; ++month) {
    formats.shortMonthNames[month - 1] =
        locale.monthName(month, QLocale::ShortFormat);
    formats.longMonthNames[month - 1] = locale.monthName(month);
  }
  // Qt counts the weekdays from Monday (1) to Sunday (7).
  for (int day = 1; day <= 7; ++day) {
    formats.shortDayNames[day % 7] = locale.dayName(day, QLocale::ShortFormat);
    formats.longDayNames[day % 7] = locale.dayName(day);
  }
  formats.timeAMString = locale.amText();
  formats.timePMString = locale.pmText();
  readCurrency(locale, formats);
  return formats;
}

const RegionalFormats &RegionalFormats::current() {
  std::optional<RegionalFormats> &formats = currentStorage();
  if (!formats)
    formats = fromSystem();
  return *formats;
}

void RegionalFormats::setCurrent(const RegionalFormats &formats) {
  currentStorage() = formats;
}

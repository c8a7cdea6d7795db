#include "platform/results/resultcolumnwriter.h"

#include "platform/errors.h"
#include "platform/results/bcd.h"
#include "platform/results/resultcolumn.h"
#include "platform/text/codepage936.h"
#include "platform/text/datetimeformat.h"
#include "platform/text/decimalnumber.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr qint64 TenThousand = 10000;

bool fitsColumn(FieldType type, qint64 value) {
  if (type == FieldType::Word)
    return value >= 0 && value <= std::numeric_limits<quint16>::max();
  return value >= std::numeric_limits<qint32>::min() &&
         value <= std::numeric_limits<qint32>::max();
}

// The number the `count` digits at `at` of `text` make; -1 when one of
// them is not a digit or the text is too short.
int digitsAt(QStringView text, qsizetype at, int count) {
  if (at + count > text.size())
    return -1;
  int number = 0;
  for (qsizetype i = at; i < at + count; ++i) {
    const char16_t c = text[i].unicode();
    if (c < u'0' || c > u'9')
      return -1;
    number = number * 10 + (c - u'0');
  }
  return number;
}

// "yyyy-MM-dd", optionally followed by " HH:mm", ":ss" and a fraction of
// a second (rounded to milliseconds); "T" may stand for the blank. Read
// by position, since every date-time value of a result passes through here.
std::optional<QDateTime> dateTimeFromText(QStringView text) {
  const auto at = [text](qsizetype i, char16_t c) {
    return i < text.size() && text[i] == c;
  };
  const int year = digitsAt(text, 0, 4), month = digitsAt(text, 5, 2),
            day = digitsAt(text, 8, 2);
  if (year < 0 || month < 0 || day < 0 || !at(4, u'-') || !at(7, u'-'))
    return std::nullopt;
  const QDate date(year, month, day);
  int hour = 0, minute = 0, second = 0, millisecond = 0;
  qsizetype end = 10;
  if (text.size() > end) {
    if (!at(10, u' ') && !at(10, u'T'))
      return std::nullopt;
    hour = digitsAt(text, 11, 2);
    minute = digitsAt(text, 14, 2);
    if (hour < 0 || minute < 0 || !at(13, u':'))
      return std::nullopt;
    end = 16;
    if (at(16, u':')) {
      second = digitsAt(text, 17, 2);
      if (second < 0)
        return std::nullopt;
      end = 19;
      if (at(19, u'.')) {
        end = 20;
        double fraction = 0, scale = 0.1;
        for (; digitsAt(text, end, 1) >= 0; ++end, scale /= 10)
          fraction += digitsAt(text, end, 1) * scale;
        if (end == 20)
          return std::nullopt;
        millisecond = qMin(int(fraction * 1000 + 0.5), 999);
      }
    }
  }
  const QTime time(hour, minute, second, millisecond);
  if (end != text.size() || !date.isValid() || !time.isValid())
    return std::nullopt;
  return QDateTime(date, time, Qt::UTC);
}

QString dateTimeText(QDate date, QTime time) {
  QString text = date.toString(QStringLiteral("yyyy-MM-dd"));
  if (time.msecsSinceStartOfDay() != 0)
    text += time.toString(time.msec() != 0 ? QStringLiteral(" HH:mm:ss.zzz")
                                           : QStringLiteral(" HH:mm:ss"));
  return text;
}

} // namespace

ResultColumnWriter::ResultColumnWriter(ResultColumn &column)
    : m_column(&column), m_type(column.type()) {}

void ResultColumnWriter::appendNull() { m_column->appendNull(); }

void ResultColumnWriter::appendInteger(qint64 value) {
  switch (m_type) {
  case FieldType::String:
  case FieldType::WideString:
    m_column->appendText(QString::number(value));
    return;
  case FieldType::Integer:
  case FieldType::Word:
    if (!fitsColumn(m_type, value))
      raiseCannotConvert(QString::number(value));
    m_column->appendInteger(value);
    return;
  case FieldType::BCD:
    if (value > std::numeric_limits<qint64>::max() / TenThousand ||
        value < std::numeric_limits<qint64>::min() / TenThousand)
      m_column->appendOverflow();
    else
      m_column->appendInteger(value * TenThousand);
    return;
  case FieldType::Float:
    m_column->appendReal(double(value));
    return;
  case FieldType::Boolean:
    m_column->appendInteger(value != 0);
    return;
  case FieldType::DateTime:
    break;
  }
  raiseCannotConvert(QString::number(value));
}

void ResultColumnWriter::appendReal(double value) {
  const auto text = [value] {
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
  };
  switch (m_type) {
  case FieldType::String:
  case FieldType::WideString:
    m_column->appendText(text());
    return;
  case FieldType::Integer:
  case FieldType::Word:
    // Only a whole number converts; anything else would lose its fraction.
    if (value == std::trunc(value) && std::abs(value) < 1e18 &&
        fitsColumn(m_type, qint64(value))) {
      m_column->appendInteger(qint64(value));
      return;
    }
    break;
  case FieldType::BCD:
    if (!std::isfinite(value)) {
      m_column->appendOverflow();
      return;
    }
    if (const auto scaled = DecimalNumber::fromDouble(value).toScaled(4))
      m_column->appendInteger(*scaled);
    else
      m_column->appendOverflow();
    return;
  case FieldType::Float:
    m_column->appendReal(value);
    return;
  case FieldType::Boolean:
    m_column->appendInteger(value != 0);
    return;
  case FieldType::DateTime:
    break;
  }
  raiseCannotConvert(text());
}

void ResultColumnWriter::appendText(QStringView value) {
  bool ok = false;
  switch (m_type) {
  case FieldType::String:
  case FieldType::WideString:
    m_column->appendText(passThroughCodePage936(value));
    return;
  case FieldType::Integer:
  case FieldType::Word: {
    const qint64 number = value.toLongLong(&ok);
    if (ok && fitsColumn(m_type, number)) {
      m_column->appendInteger(number);
      return;
    }
    break;
  }
  case FieldType::BCD:
    appendDecimal(value);
    return;
  case FieldType::Float: {
    const double number = value.toDouble(&ok);
    if (ok) {
      m_column->appendReal(number);
      return;
    }
    break;
  }
  case FieldType::DateTime:
    if (const auto dateTime = dateTimeFromText(value)) {
      m_column->appendReal(dateTimeToDays(*dateTime));
      return;
    }
    break;
  case FieldType::Boolean:
    if (value == QLatin1String("1") ||
        value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
      m_column->appendInteger(1);
      return;
    }
    if (value == QLatin1String("0") ||
        value.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
      m_column->appendInteger(0);
      return;
    }
    break;
  }
  raiseCannotConvert(value.toString());
}

void ResultColumnWriter::appendText(const QString &value) {
  if (storageKindOf(m_type) == StorageKind::Text)
    m_column->appendText(passThroughCodePage936(value));
  else
    appendText(QStringView(value));
}

void ResultColumnWriter::appendDecimal(QStringView value) {
  if (const auto tenThousandths = bcdFromText(value)) {
    m_column->appendInteger(*tenThousandths);
    return;
  }
  // Not plain decimal text, or too large: a number in exponent form, as some
  // engines write large and small values, is read exactly all the same.
  const QByteArray latin1 = value.toLatin1();
  const auto number =
      DecimalNumber::parse(std::string_view(latin1.data(), latin1.size()));
  if (!number)
    raiseCannotConvert(value.toString());
  if (const auto scaled = number->toScaled(4))
    m_column->appendInteger(*scaled);
  else
    m_column->appendOverflow();
}

void ResultColumnWriter::appendDateTime(QDate date, QTime time) {
  switch (m_type) {
  case FieldType::DateTime:
    m_column->appendReal(dateTimeToDays(QDateTime(date, time, Qt::UTC)));
    return;
  case FieldType::String:
  case FieldType::WideString:
    m_column->appendText(dateTimeText(date, time));
    return;
  default:
    raiseCannotConvert(dateTimeText(date, time));
  }
}

void ResultColumnWriter::raiseCannotConvert(const QString &value) const {
  throw DatabaseError(
      QStringLiteral("Cannot convert the value '%1' of column '%2' to %3")
          .arg(value, m_column->name(), fieldTypeName(m_type)));
}

const FieldDef *findDeclaredField(const std::vector<FieldDef> &declared,
                                  const QString &name) {
  for (const FieldDef &def : declared)
    if (def.name.compare(name, Qt::CaseInsensitive) == 0)
      return &def;
  return nullptr;
}

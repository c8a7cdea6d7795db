#include "platform/resultcolumnwriter.h"

#include "platform/bcd.h"
#include "platform/codepage936.h"
#include "platform/datetimeformat.h"
#include "platform/decimalnumber.h"
#include "platform/errors.h"
#include "platform/resultcolumn.h"

#include <cmath>
#include <limits>

namespace {

constexpr qint64 TenThousand = 10000;

bool fitsColumn(FieldType type, qint64 value) {
  if (type == FieldType::Word)
    return value >= 0 && value <= std::numeric_limits<quint16>::max();
  return value >= std::numeric_limits<qint32>::min() &&
         value <= std::numeric_limits<qint32>::max();
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
  case FieldType::DateTime: {
    const QDate date = QDate::fromString(value.left(10), Qt::ISODate);
    QTime time(0, 0);
    if (value.size() > 10 &&
        (value[10] == QLatin1Char(' ') || value[10] == QLatin1Char('T')))
      time = QTime::fromString(value.mid(11), Qt::ISODateWithMs);
    else if (value.size() > 10)
      time = QTime();
    if (date.isValid() && time.isValid()) {
      appendDateTime(date, time);
      return;
    }
    break;
  }
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

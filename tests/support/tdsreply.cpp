#include "support/tdsreply.h"

#include "platform/text/codepage936.h"

#include <QDateTime>
#include <QtEndian>

namespace {

// Bytes of a DECIMALN value of `precision` digits, sign byte included.
int decimalLength(int precision) {
  return precision <= 9 ? 5 : precision <= 19 ? 9 : precision <= 28 ? 13 : 17;
}

} // namespace

void TdsTokens::u16(quint16 v) {
  char b[2];
  qToLittleEndian(v, b);
  m_bytes.append(b, 2);
}

void TdsTokens::u32(quint32 v) {
  char b[4];
  qToLittleEndian(v, b);
  m_bytes.append(b, 4);
}

void TdsTokens::u64(quint64 v) {
  char b[8];
  qToLittleEndian(v, b);
  m_bytes.append(b, 8);
}

void TdsTokens::utf16(const QString &text) {
  for (const QChar c : text)
    u16(c.unicode());
}

void TdsTokens::shortText(const QString &text) {
  u8(quint8(text.size()));
  utf16(text);
}

// Chinese_PRC_CI_AS: locale 0x0804 (code page 936), case, kana and width
// insensitive, no sort id.
void TdsTokens::collation() { m_bytes.append("\x04\x08\xD0\x00\x00", 5); }

void TdsTokens::envChange(quint8 type, const QString &newValue,
                          const QString &oldValue) {
  u8(0xE3);
  u16(quint16(3 + 2 * (newValue.size() + oldValue.size())));
  u8(type);
  shortText(newValue);
  shortText(oldValue);
}

void TdsTokens::loginAcknowledgement(const QString &database,
                                     quint32 packetSize) {
  envChange(1, database, QStringLiteral("master"));
  if (m_version >= Tds71) {
    u8(0xE3); // the server's collation
    u16(8);
    u8(7);
    u8(5);
    collation();
    u8(0);
  }
  envChange(4, QString::number(packetSize), QString::number(packetSize));
  const QString program = QStringLiteral("Microsoft SQL Server");
  u8(0xAD);
  u16(quint16(1 + 4 + 1 + 2 * program.size() + 4));
  u8(1); // SQL interface
  char version[4];
  qToBigEndian(m_version, version);
  m_bytes.append(version, 4);
  shortText(program);
  m_bytes.append("\x0F\x00\x07\xD0", 4); // 15.0.2000
  done(Done, 0);
}

void TdsTokens::done(quint8 token, quint16 status, qint64 rows) {
  u8(token);
  u16(status);
  u16(0xC1); // current command: select
  if (wideRowCounts())
    u64(quint64(rows));
  else
    u32(quint32(rows));
}

void TdsTokens::columnMetadata(const std::vector<TdsColumn> &columns) {
  u8(0x81);
  u16(quint16(columns.size()));
  for (const TdsColumn &column : columns) {
    if (wideRowCounts())
      u32(0); // user type
    else
      u16(0);
    u16(column.type == TdsType::Int ? 0x0000 : 0x0001); // nullable
    switch (column.type) {
    case TdsType::Int:
      u8(0x38);
      break;
    case TdsType::NullableInt:
      u8(0x26);
      u8(4);
      break;
    case TdsType::SmallInt:
      u8(0x26);
      u8(2);
      break;
    case TdsType::Bit:
      u8(0x68);
      u8(1);
      break;
    case TdsType::Decimal:
      u8(0x6A);
      u8(quint8(decimalLength(column.precision)));
      u8(quint8(column.precision));
      u8(quint8(column.scale));
      break;
    case TdsType::DateTime:
      u8(0x6F);
      u8(8);
      break;
    case TdsType::NVarChar:
      u8(0xE7);
      u16(quint16(2 * column.size));
      collation();
      break;
    case TdsType::VarChar:
      u8(0xA7);
      u16(quint16(2 * column.size));
      collation();
      break;
    }
    shortText(column.name);
  }
}

void TdsTokens::row(const std::vector<TdsColumn> &columns,
                    const TdsRow &values) {
  u8(0xD1);
  for (size_t i = 0; i < columns.size(); ++i)
    value(columns[i], values[i]);
}

void TdsTokens::value(const TdsColumn &column, const QVariant &v) {
  const bool null = v.isNull();
  switch (column.type) {
  case TdsType::Int:
    u32(quint32(v.toInt()));
    return;
  case TdsType::NullableInt:
    u8(null ? 0 : 4);
    if (!null)
      u32(quint32(v.toInt()));
    return;
  case TdsType::SmallInt:
    u8(null ? 0 : 2);
    if (!null)
      u16(quint16(v.toInt()));
    return;
  case TdsType::Bit:
    u8(null ? 0 : 1);
    if (!null)
      u8(v.toInt() != 0);
    return;
  case TdsType::Decimal:
    if (null)
      u8(0);
    else
      decimal(column, v.toString());
    return;
  case TdsType::DateTime: {
    u8(null ? 0 : 8);
    if (null)
      return;
    // Days since 1 January 1900, then the time in 1/300 s.
    const QDateTime at = v.toDateTime();
    u32(quint32(QDate(1900, 1, 1).daysTo(at.date())));
    u32(quint32((qint64(at.time().msecsSinceStartOfDay()) * 3 + 5) / 10));
    return;
  }
  case TdsType::NVarChar:
    if (null) {
      u16(0xFFFF);
    } else {
      const QString text = v.toString();
      u16(quint16(2 * text.size()));
      utf16(text);
    }
    return;
  case TdsType::VarChar:
    if (null) {
      u16(0xFFFF);
    } else {
      const QByteArray bytes = toCodePage936(v.toString());
      u16(quint16(bytes.size()));
      m_bytes.append(bytes);
    }
    return;
  }
}

// The decimal text as a sign byte and the unscaled magnitude, little-endian,
// converted by long division of its decimal digits.
void TdsTokens::decimal(const TdsColumn &column, const QString &text) {
  const int length = decimalLength(column.precision);
  u8(quint8(length));
  QString digits = text;
  const bool negative = digits.startsWith(u'-');
  if (negative)
    digits.remove(0, 1);
  const qsizetype point = digits.indexOf(u'.');
  QString fraction = point < 0 ? QString() : digits.mid(point + 1);
  fraction = fraction.leftJustified(column.scale, u'0', true);
  digits = (point < 0 ? digits : digits.left(point)) + fraction;
  u8(negative ? 0 : 1);
  std::vector<int> number;
  for (const QChar c : digits)
    number.push_back(c.digitValue());
  for (int i = 1; i < length; ++i) {
    int remainder = 0;
    for (int &digit : number) {
      const int current = remainder * 10 + digit;
      digit = current / 256;
      remainder = current % 256;
    }
    u8(quint8(remainder));
  }
}

void TdsTokens::reply(const TdsReply &reply) {
  const bool procedure = reply.kind == TdsReply::Kind::Procedure;
  for (const qint64 count : reply.rowCountsBefore)
    done(DoneInProc, DoneMore | DoneCount, count);
  if (reply.result) {
    columnMetadata(reply.result->columns);
    for (const TdsRow &values : reply.result->rows)
      row(reply.result->columns, values);
  }
  const qint64 rows = reply.result ? qint64(reply.result->rows.size()) : 0;
  if (procedure) {
    if (reply.result)
      done(DoneInProc, DoneMore | DoneCount, rows);
    u8(0x79); // return status 0
    u32(0);
    done(DoneProc, 0);
  } else {
    done(Done, reply.result ? DoneCount : 0, rows);
  }
}

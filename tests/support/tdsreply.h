#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

// What the loopback TDS server sends: result sets in the wire types a SQL
// Server sends for the columns of the program's three statements, and how
// it answers (or fails to answer) one SQL batch.

enum class TdsType {
  Int,         // int NOT NULL: INT4 (0x38)
  NullableInt, // int: INTN (0x26), 4 bytes
  SmallInt,    // smallint: INTN (0x26), 2 bytes
  Bit,         // bit: BITN (0x68)
  Decimal,     // decimal(precision, scale): DECIMALN (0x6A)
  DateTime,    // datetime: DATETIMN (0x6F), 8 bytes
  NVarChar,    // nvarchar(size): NVARCHAR (0xE7), UTF-16
  VarChar,     // varchar(size): BIGVARCHR (0xA7), code page 936 bytes
};

struct TdsColumn {
  QString name;
  TdsType type;
  int size = 0; // characters of a text column
  int precision = 0;
  int scale = 0;
};

// Values of one row: a null QVariant is NULL; integers and bits as int,
// decimals as their text ("2.500000", the scale's digits after the point),
// date-times as QDateTime, texts as QString.
using TdsRow = std::vector<QVariant>;

struct TdsResultSet {
  std::vector<TdsColumn> columns;
  std::vector<TdsRow> rows;
};

struct TdsReply {
  enum class Kind {
    Statement,     // the result set if any, then DONE with the row count
    Procedure,     // the row counts, the result set, return status, DONEPROC
    Silent,        // no answer; a cancel is acknowledged
    Deaf,          // no answer, and no acknowledgement of a cancel either
    DropMidResult, // metadata and the first rows, then the connection closes
  };
  Kind kind = Kind::Statement;
  std::optional<TdsResultSet> result;
  std::vector<qint64> rowCountsBefore; // Procedure: counts before the result
  int rowsBeforeDrop = 0;              // DropMidResult
};

// TDS protocol versions as LOGIN7 carries them.
constexpr quint32 Tds71 = 0x71000001;
constexpr quint32 Tds72 = 0x72090002;
constexpr quint32 Tds74 = 0x74000004;

// Builds a token stream for one negotiated protocol version.
class TdsTokens {
public:
  explicit TdsTokens(quint32 version) : m_version(version) {}
  const QByteArray &bytes() const { return m_bytes; }

  // The whole answer to a batch, for the kinds that answer.
  void reply(const TdsReply &reply);
  void columnMetadata(const std::vector<TdsColumn> &columns);
  void row(const std::vector<TdsColumn> &columns, const TdsRow &values);
  // DONE (0xFD), DONEPROC (0xFE) or DONEINPROC (0xFF).
  void done(quint8 token, quint16 status, qint64 rows = 0);
  void loginAcknowledgement(const QString &database, quint32 packetSize);

  static constexpr quint8 Done = 0xFD, DoneProc = 0xFE, DoneInProc = 0xFF;
  static constexpr quint16 DoneMore = 0x01, DoneCount = 0x10,
                           DoneAttention = 0x20;

private:
  bool wideRowCounts() const { return m_version >= Tds72; }
  void u8(quint8 v) { m_bytes.append(char(v)); }
  void u16(quint16 v);
  void u32(quint32 v);
  void u64(quint64 v);
  void utf16(const QString &text);
  void shortText(const QString &text); // B_VARCHAR: length in characters
  void collation();
  void envChange(quint8 type, const QString &newValue, const QString &oldValue);
  void value(const TdsColumn &column, const QVariant &value);
  void decimal(const TdsColumn &column, const QString &text);

  quint32 m_version;
  QByteArray m_bytes;
};

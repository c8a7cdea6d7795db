#include "platform/database/odbcresultreader.h"

#include "platform/errors.h"
#include "platform/longwork/workprogress.h"
#include "platform/results/resultcolumnwriter.h"

#include <QDate>
#include <QTime>
#include <cmath>

namespace {

// How a column's values are asked of the driver.
enum class Transfer { Integer, Real, DateTime, Text };

struct OdbcColumn {
  Transfer transfer;
  FieldDef natural;
};

OdbcColumn describe(const QString &name, SQLSMALLINT sqlType, SQLULEN size) {
  switch (sqlType) {
  case SQL_BIT:
    return {Transfer::Integer, {name, FieldType::Boolean}};
  case SQL_TINYINT:
    return {Transfer::Integer, {name, FieldType::Word}};
  case SQL_SMALLINT:
  case SQL_INTEGER:
  case SQL_BIGINT:
    return {Transfer::Integer, {name, FieldType::Integer}};
  case SQL_DECIMAL:
  case SQL_NUMERIC:
    // Asked for as text, so the exact digits arrive, never a double.
    return {Transfer::Text, {name, FieldType::Float}};
  case SQL_REAL:
  case SQL_FLOAT:
  case SQL_DOUBLE:
    return {Transfer::Real, {name, FieldType::Float}};
  case SQL_TYPE_DATE:
  case SQL_TYPE_TIMESTAMP:
  case SQL_DATE:
  case SQL_TIMESTAMP:
    return {Transfer::DateTime, {name, FieldType::DateTime}};
  default:
    return {Transfer::Text,
            {name, FieldType::WideString, int(qMin<SQLULEN>(size, 8192))}};
  }
}

[[noreturn]] void raiseStatementError(SQLHSTMT statement) {
  throw DatabaseError(odbcDiagnostics(SQL_HANDLE_STMT, statement).message);
}

// Reads a text value in pieces, so a value of any length arrives whole.
// False for null.
bool readText(SQLHSTMT statement, SQLUSMALLINT column, QString &text) {
  text.clear();
  SQLWCHAR piece[2048];
  for (;;) {
    SQLLEN indicator = 0;
    const SQLRETURN rc = SQLGetData(statement, column, SQL_C_WCHAR, piece,
                                    sizeof piece, &indicator);
    if (rc == SQL_NO_DATA)
      return true;
    if (!SQL_SUCCEEDED(rc))
      raiseStatementError(statement);
    if (indicator == SQL_NULL_DATA)
      return false;
    // A piece that did not hold everything is full but for its terminator.
    const qsizetype room = qsizetype(std::size(piece)) - 1;
    const qsizetype units =
        indicator == SQL_NO_TOTAL ||
                indicator / qsizetype(sizeof(SQLWCHAR)) > room
            ? room
            : indicator / qsizetype(sizeof(SQLWCHAR));
    text.append(reinterpret_cast<const QChar *>(piece), units);
    if (rc == SQL_SUCCESS)
      return true;
  }
}

// Asks for one value of a fixed-size C type; false for null.
template <typename T>
bool readFixed(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT cType,
               T &value) {
  SQLLEN indicator = 0;
  const SQLRETURN rc =
      SQLGetData(statement, column, cType, &value, sizeof value, &indicator);
  if (!SQL_SUCCEEDED(rc))
    raiseStatementError(statement);
  return indicator != SQL_NULL_DATA;
}

void appendValue(SQLHSTMT statement, SQLUSMALLINT column, Transfer transfer,
                 ResultColumnWriter &writer, QString &text) {
  switch (transfer) {
  case Transfer::Integer: {
    SQLBIGINT value = 0;
    readFixed(statement, column, SQL_C_SBIGINT, value)
        ? writer.appendInteger(value)
        : writer.appendNull();
    return;
  }
  case Transfer::Real: {
    SQLDOUBLE value = 0;
    readFixed(statement, column, SQL_C_DOUBLE, value) ? writer.appendReal(value)
                                                      : writer.appendNull();
    return;
  }
  case Transfer::DateTime: {
    SQL_TIMESTAMP_STRUCT value = {};
    if (!readFixed(statement, column, SQL_C_TYPE_TIMESTAMP, value)) {
      writer.appendNull();
      return;
    }
    // The fraction counts nanoseconds.
    const int msec = qMin(int(std::lround(value.fraction / 1e6)), 999);
    writer.appendDateTime(QDate(value.year, value.month, value.day),
                          QTime(value.hour, value.minute, value.second, msec));
    return;
  }
  case Transfer::Text:
    if (readText(statement, column, text))
      writer.appendText(text);
    else
      writer.appendNull();
    return;
  }
}

} // namespace

ResultTable readOdbcResult(SQLHSTMT statement,
                           const std::vector<FieldDef> &declared,
                           WorkProgress *progress) {
  SQLSMALLINT columnCount = 0;
  if (!SQL_SUCCEEDED(SQLNumResultCols(statement, &columnCount)))
    raiseStatementError(statement);

  ResultTable table;
  std::vector<Transfer> transfers;
  for (SQLUSMALLINT i = 1; i <= SQLUSMALLINT(columnCount); ++i) {
    SQLWCHAR name[256] = {};
    SQLSMALLINT nameLength = 0, sqlType = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    if (!SQL_SUCCEEDED(
            SQLDescribeColW(statement, i, name, SQLSMALLINT(std::size(name)),
                            &nameLength, &sqlType, &size, &digits, &nullable)))
      raiseStatementError(statement);
    const QString columnName =
        QString::fromUtf16(reinterpret_cast<const char16_t *>(name),
                           qMin<qsizetype>(nameLength, std::size(name) - 1));
    const OdbcColumn column = describe(columnName, sqlType, size);
    const FieldDef *def = findDeclaredField(declared, columnName);
    const FieldDef &stored = def ? *def : column.natural;
    table.addColumn(columnName, stored.type, stored.size, stored.precision);
    transfers.push_back(column.transfer);
  }

  std::vector<ResultColumnWriter> writers;
  for (int i = 0; i < table.columnCount(); ++i)
    writers.emplace_back(table.column(i));
  QString text;
  for (qint64 rows = 0;; ++rows) {
    if (progress)
      progress->rowsDone(rows);
    const SQLRETURN rc = SQLFetch(statement);
    if (rc == SQL_NO_DATA)
      break;
    if (!SQL_SUCCEEDED(rc))
      raiseStatementError(statement);
    for (int i = 0; i < int(writers.size()); ++i)
      appendValue(statement, SQLUSMALLINT(i + 1), transfers[i], writers[i],
                  text);
  }
  table.squeeze();
  return table;
}

#include "platform/database/sqliteresultreader.h"

#include "platform/errors.h"
#include "platform/longwork/workprogress.h"
#include "platform/results/resultcolumnwriter.h"

#include <QStringDecoder>
#include <sqlite3.h>
#include <vector>

namespace {

[[noreturn]] void raiseSqliteError(sqlite3_stmt *statement) {
  throw DatabaseError(
      QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(statement))));
}

FieldType naturalType(int storageClass) {
  switch (storageClass) {
  case SQLITE_INTEGER:
    return FieldType::Integer;
  case SQLITE_FLOAT:
    return FieldType::Float;
  default:
    return FieldType::WideString;
  }
}

// Reads values as text: SQLite's own UTF-8 (no copy for a text value)
// decoded into one buffer reused for every value. ASCII, most of the codes
// and numbers, is widened directly. The text returned refers to the buffer
// and lasts until the next read.
class TextReader {
public:
  QString read(const unsigned char *text, int bytes) {
    const auto space = size_t(m_decoder.requiredSpace(bytes));
    if (m_buffer.size() < space)
      m_buffer.resize(space);
    QChar *begin = m_buffer.data();
    int ascii = 0;
    for (; ascii < bytes && text[ascii] < 0x80; ++ascii)
      begin[ascii] = QLatin1Char(char(text[ascii]));
    const QChar *end = m_decoder.appendToBuffer(
        begin + ascii, QByteArrayView(text + ascii, bytes - ascii));
    return QString::fromRawData(begin, end - begin);
  }

private:
  QStringDecoder m_decoder{QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless};
  std::vector<QChar> m_buffer;
};

} // namespace

ResultTable readSqliteStatement(sqlite3_stmt *statement,
                                const std::vector<FieldDef> &declared,
                                WorkProgress *progress) {
  int step = sqlite3_step(statement);
  if (step != SQLITE_ROW && step != SQLITE_DONE)
    raiseSqliteError(statement);

  ResultTable table;
  const int columnCount = sqlite3_column_count(statement);
  for (int i = 0; i < columnCount; ++i) {
    const QString name = QString::fromUtf8(sqlite3_column_name(statement, i));
    if (const FieldDef *def = findDeclaredField(declared, name))
      table.addColumn(name, def->type, def->size, def->precision);
    else
      table.addColumn(name, naturalType(step == SQLITE_ROW
                                            ? sqlite3_column_type(statement, i)
                                            : SQLITE_NULL));
  }
  // Columns of text, decimals and date-times read every value as SQLite's
  // own text of it: the exact decimal digits, not a binary double, and one
  // call fewer per value. The others read the value as SQLite holds it.
  std::vector<ResultColumnWriter> writers;
  std::vector<bool> readsText;
  for (int i = 0; i < columnCount; ++i) {
    writers.emplace_back(table.column(i));
    const FieldType type = table.column(i).type();
    readsText.push_back(type == FieldType::String ||
                        type == FieldType::WideString ||
                        type == FieldType::BCD || type == FieldType::DateTime);
  }

  TextReader reader;
  qint64 rows = 0;
  for (; step == SQLITE_ROW; step = sqlite3_step(statement)) {
    if (progress)
      progress->rowsDone(rows++);
    for (int i = 0; i < columnCount; ++i) {
      ResultColumnWriter &writer = writers[i];
      if (readsText[i]) {
        // Null text is no value, or an empty blob.
        if (const unsigned char *text = sqlite3_column_text(statement, i))
          writer.appendText(
              reader.read(text, sqlite3_column_bytes(statement, i)));
        else if (sqlite3_column_type(statement, i) == SQLITE_NULL)
          writer.appendNull();
        else
          writer.appendText(QString());
        continue;
      }
      switch (sqlite3_column_type(statement, i)) {
      case SQLITE_NULL:
        writer.appendNull();
        break;
      case SQLITE_INTEGER:
        writer.appendInteger(sqlite3_column_int64(statement, i));
        break;
      case SQLITE_FLOAT:
        writer.appendReal(sqlite3_column_double(statement, i));
        break;
      default:
        writer.appendText(reader.read(sqlite3_column_text(statement, i),
                                      sqlite3_column_bytes(statement, i)));
        break;
      }
    }
  }
  if (step != SQLITE_DONE)
    raiseSqliteError(statement);
  table.squeeze();
  return table;
}

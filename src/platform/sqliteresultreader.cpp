#include "platform/sqliteresultreader.h"

#include "platform/sqlitenative.h"

#ifdef BOMQUERY_SQLITE_NATIVE

#include "platform/errors.h"
#include "platform/resultcolumnwriter.h"

#include <sqlite3.h>

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

QStringView textOf(sqlite3_stmt *statement, int column) {
  const void *text = sqlite3_column_text16(statement, column);
  const int bytes = sqlite3_column_bytes16(statement, column);
  return QStringView(static_cast<const char16_t *>(text), bytes / 2);
}

} // namespace

ResultTable readSqliteStatement(sqlite3_stmt *statement,
                                const std::vector<FieldDef> &declared) {
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
  std::vector<ResultColumnWriter> writers;
  std::vector<bool> decimal;
  for (int i = 0; i < columnCount; ++i) {
    writers.emplace_back(table.column(i));
    decimal.push_back(table.column(i).type() == FieldType::BCD);
  }

  for (; step == SQLITE_ROW; step = sqlite3_step(statement)) {
    for (int i = 0; i < columnCount; ++i) {
      ResultColumnWriter &writer = writers[i];
      switch (sqlite3_column_type(statement, i)) {
      case SQLITE_NULL:
        writer.appendNull();
        break;
      case SQLITE_INTEGER:
        writer.appendInteger(sqlite3_column_int64(statement, i));
        break;
      case SQLITE_FLOAT:
        // A decimal column reads SQLite's own decimal text of the value
        // (15 significant digits), not the binary double.
        if (decimal[i])
          writer.appendText(textOf(statement, i));
        else
          writer.appendReal(sqlite3_column_double(statement, i));
        break;
      default:
        writer.appendText(textOf(statement, i));
        break;
      }
    }
  }
  if (step != SQLITE_DONE)
    raiseSqliteError(statement);
  table.squeeze();
  return table;
}

#endif

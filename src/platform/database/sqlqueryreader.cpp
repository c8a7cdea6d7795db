#include "platform/database/sqlqueryreader.h"

#include "platform/errors.h"
#include "platform/longwork/workprogress.h"
#include "platform/results/resultcolumnwriter.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

// The field class a column of the driver's type is read into when the
// query does not declare it.
FieldDef naturalField(const QSqlField &field) {
  FieldDef def{field.name()};
  switch (field.metaType().id()) {
  case QMetaType::Bool:
    def.type = FieldType::Boolean;
    break;
  case QMetaType::UShort:
  case QMetaType::UChar:
    def.type = FieldType::Word;
    break;
  case QMetaType::Short:
  case QMetaType::Int:
  case QMetaType::UInt:
  case QMetaType::Long:
  case QMetaType::LongLong:
  case QMetaType::ULongLong:
    def.type = FieldType::Integer;
    break;
  case QMetaType::Float:
  case QMetaType::Double:
    def.type = FieldType::Float;
    break;
  case QMetaType::QDate:
  case QMetaType::QDateTime:
    def.type = FieldType::DateTime;
    break;
  default:
    def.type = FieldType::WideString;
    def.size = qMax(field.length(), 0);
    break;
  }
  return def;
}

void appendValue(ResultColumnWriter &writer, const QVariant &value) {
  if (value.isNull()) {
    writer.appendNull();
    return;
  }
  switch (value.typeId()) {
  case QMetaType::Bool:
  case QMetaType::Short:
  case QMetaType::UShort:
  case QMetaType::Char:
  case QMetaType::UChar:
  case QMetaType::Int:
  case QMetaType::UInt:
  case QMetaType::Long:
  case QMetaType::LongLong:
    writer.appendInteger(value.toLongLong());
    break;
  case QMetaType::Float:
  case QMetaType::Double:
    writer.appendReal(value.toDouble());
    break;
  case QMetaType::QDate:
    writer.appendDateTime(value.toDate(), QTime(0, 0));
    break;
  case QMetaType::QDateTime: {
    const QDateTime dateTime = value.toDateTime();
    writer.appendDateTime(dateTime.date(), dateTime.time());
    break;
  }
  default:
    // Decimals arrive as their exact text (high-precision policy), unsigned
    // 64-bit values too, so that nothing passes through a double.
    writer.appendText(value.toString());
    break;
  }
}

} // namespace

ResultTable readSqlQuery(QSqlQuery &query,
                         const std::vector<FieldDef> &declared,
                         WorkProgress *progress) {
  const QSqlRecord record = query.record();
  ResultTable table;
  for (int i = 0; i < record.count(); ++i) {
    const FieldDef *def = findDeclaredField(declared, record.fieldName(i));
    const FieldDef column = def ? *def : naturalField(record.field(i));
    table.addColumn(record.fieldName(i), column.type, column.size,
                    column.precision);
  }
  std::vector<ResultColumnWriter> writers;
  for (int i = 0; i < table.columnCount(); ++i)
    writers.emplace_back(table.column(i));

  for (qint64 rows = 0; query.next(); ++rows) {
    if (progress)
      progress->rowsDone(rows);
    for (int i = 0; i < int(writers.size()); ++i)
      appendValue(writers[i], query.value(i));
  }
  if (query.lastError().type() != QSqlError::NoError)
    throw DatabaseError(query.lastError().text());
  table.squeeze();
  return table;
}

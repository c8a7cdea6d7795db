#include "generatedresult.h"

ResultTable componentRows(int count) {
  ResultTable table;
  table.addColumn("InvCode", FieldType::String, 20);
  table.addColumn("cInvAddCode", FieldType::WideString, 30);
  table.addColumn("cInvName", FieldType::WideString, 60);
  table.addColumn("cInvStd", FieldType::WideString, 60);
  table.addColumn("cComUnitName", FieldType::WideString, 20);
  table.addColumn("CQty1", FieldType::BCD, 6, 28);
  for (int i = 0; i < count; ++i) {
    table.column(0).appendText(
        QStringLiteral("%1").arg(100000 + i, 8, 10, QLatin1Char('0')));
    table.column(1).appendText(
        QStringLiteral("B%1").arg(i, 6, 10, QLatin1Char('0')));
    table.column(2).appendText(QStringLiteral("十字槽盘头螺钉%1").arg(i));
    table.column(3).appendText(
        QStringLiteral("M%1x%2").arg(i % 12 + 2).arg(i % 40 + 4));
    table.column(4).appendText(i % 3 ? QStringLiteral("个")
                                     : QStringLiteral("件"));
    if (i % 17 == 0)
      table.column(5).appendNull();
    else
      table.column(5).appendInteger(qint64(i % 1000) * 2500);
  }
  table.squeeze();
  return table;
}

namespace {

// The header row i, as the Python peer generates it too.
struct HeaderRow {
  QString className, code, name, addCode, standard, type, status, version,
      ident;
  double effective, end;
};

HeaderRow headerRow(int i) {
  static const QString statuses[] = {
      QStringLiteral("新增"), QStringLiteral("审核"), QStringLiteral("停用")};
  return {QStringLiteral("成品类%1").arg(i % 13),
          QStringLiteral("%1").arg(100000 + i, 8, 10, QLatin1Char('0')),
          QStringLiteral("主板组件-%1").arg(i),
          QStringLiteral("A%1").arg(i, 6, 10, QLatin1Char('0')),
          QStringLiteral("%1x%2 mm").arg(i % 500).arg(i % 300),
          i % 5 ? QStringLiteral("主BOM") : QStringLiteral("替代BOM"),
          statuses[i % 3],
          QStringLiteral("1.%1").arg(i % 10),
          i % 4 ? QString() : QStringLiteral("替代%1").arg(i % 7),
          45000.0 + i % 1000,
          45000.0 + i % 1000 + 0.5};
}

} // namespace

ResultTable headerRows(int count) {
  ResultTable table;
  const char *texts[] = {"cInvCName",   "InvCode",     "cInvName",
                         "cInvAddCode", "cInvStd",     "bomtype",
                         "status",      "VersionDesc", "IdentDesc"};
  for (const char *name : texts) {
    const bool computed =
        QByteArray(name) == "bomtype" || QByteArray(name) == "status";
    table.addColumn(name, computed ? FieldType::String : FieldType::WideString,
                    60);
  }
  table.addColumn("VersionEffDate", FieldType::DateTime);
  table.addColumn("VersionEndDate", FieldType::DateTime);
  for (int i = 0; i < count; ++i) {
    const HeaderRow row = headerRow(i);
    const QString values[] = {row.className, row.code,     row.name,
                              row.addCode,   row.standard, row.type,
                              row.status,    row.version,  row.ident};
    for (int c = 0; c < 9; ++c) {
      if (values[c].isEmpty())
        table.column(c).appendNull();
      else
        table.column(c).appendText(values[c]);
    }
    table.column(9).appendReal(row.effective);
    table.column(10).appendReal(row.end);
  }
  table.squeeze();
  return table;
}

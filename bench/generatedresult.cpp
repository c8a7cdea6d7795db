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

#include "bomdetail/expansionquery.h"

#include "platform/dataset/query.h"
#include "platform/errors.h"

QString expansionStatement(int bomId, int parentId, ExpandMode mode) {
  return QStringLiteral("exec Pellamar_ExpandCompQty  %1,%2,%3")
      .arg(bomId)
      .arg(parentId)
      .arg(int(mode));
}

void declareExpansionFields(Query &query) {
  // Decimals: precision 28, six decimal places, as the procedure declares.
  const auto decimal = [](const char *name) {
    return FieldDef{QLatin1String(name), FieldType::BCD, 6, 28};
  };
  query.declareField({QStringLiteral("BomId"), FieldType::Integer});
  query.declareField({QStringLiteral("ParentId"), FieldType::Integer});
  query.declareField({QStringLiteral("CompId"), FieldType::Integer});
  query.declareField(decimal("UseQty"));
  query.declareField({QStringLiteral("ByproductFlag"), FieldType::Boolean});
  query.declareField({QStringLiteral("Dept"), FieldType::WideString, 12});
  query.declareField({QStringLiteral("DepName"), FieldType::String, 20});
  query.declareField({QStringLiteral("WhCode"), FieldType::WideString, 10});
  query.declareField(decimal("AuxUseQty"));
  query.declareField({QStringLiteral("InvCode"), FieldType::String, 20});
  for (int i = 1; i <= 10; ++i)
    query.declareField(
        {QStringLiteral("Free%1").arg(i), FieldType::String, 20});
  query.declareField(decimal("CQty1"));
  query.declareField({QStringLiteral("FVQty"), FieldType::Word});
  query.declareField(
      {QStringLiteral("cInvAddCode"), FieldType::WideString, 30});
  query.declareField({QStringLiteral("cInvName"), FieldType::WideString, 60});
  query.declareField({QStringLiteral("cInvStd"), FieldType::WideString, 60});
  query.declareField(
      {QStringLiteral("cComUnitName"), FieldType::WideString, 20});
}

bool runExpansionQuery(Query &query, int bomId, int parentId, ExpandMode mode,
                       LongWork *work) {
  query.close();
  query.clearSql();
  query.addSqlLine(expansionStatement(bomId, parentId, mode));
  try {
    query.open(work);
  } catch (const Error &) {
    return false;
  }
  return true;
}

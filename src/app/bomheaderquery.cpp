#include "app/bomheaderquery.h"

#include "platform/dataset/query.h"
#include "platform/errors.h"

namespace {

// A filter as it goes inside a single-quoted SQL literal.
QString literal(const QString &filter) {
  QString text = filter.trimmed();
  text.replace(QLatin1Char('\''), QLatin1String("''"));
  return text;
}

} // namespace

QStringList bomHeaderSqlLines(const BomHeaderFilters &filters) {
  const QString c = literal(filters.code);
  const QString s = literal(filters.standard);
  const QString a = literal(filters.addCode);
  const QString n = literal(filters.name);
  const QString t = literal(filters.type);
  const QString u = literal(filters.status);
  const QString k = literal(filters.className);
  return {
      QStringLiteral(
          "select a.BomId,a.parentId,InvCode,cInvAddCode,cInvName,cInvStd,  "),
      QStringLiteral("      case           "),
      QStringLiteral("        when  bomtype=1 then '主BOM'  "),
      QStringLiteral("        else '替代BOM'   "),
      QStringLiteral("     end bomtype, Version, "),
      QStringLiteral("     VersionDesc,IdentCode,IdentDesc,  "),
      QStringLiteral("     case     "),
      QStringLiteral("       when Status=1 then '新增'     "),
      QStringLiteral("       when status=3 then '审核'     "),
      QStringLiteral("       when status=4 then '停用'     "),
      QStringLiteral(
          "     end status,b.VersionEffDate,VersionEndDate,d.cInvCName  "),
      QStringLiteral(
          "from v_bom_parent_rpt a join bom_bom b on(a.bomid=b.bomid)    "),
      QStringLiteral("    join inventory  c on(a.InvCode=c.cInvCode)  "),
      QStringLiteral("     join InventoryClass d on(c.cInvCCode=d.cInvCCode) "),
      QStringLiteral(" where ('") + c +
          QStringLiteral("'='' or Invcode like '%") + c +
          QStringLiteral("%') and "),
      QStringLiteral("       ('") + s +
          QStringLiteral("'='' or   cInvStd like '%") + s +
          QStringLiteral("%') and "),
      QStringLiteral("       ('") + a +
          QStringLiteral("'='' or cInvAddCode like '%") + a +
          QStringLiteral("%') and "),
      QStringLiteral("       ('") + n +
          QStringLiteral("'='' or cInvName like '%") + n +
          QStringLiteral("%') and "),
      QStringLiteral("       ('") + t + QStringLiteral("'='' or ('") + t +
          QStringLiteral("'='主BOM' and bomtype=1 ) or "),
      QStringLiteral("       ('") + t +
          QStringLiteral("'='替代BOM' and bomtype=2) ) and "),
      QStringLiteral("       ('") + u + QStringLiteral("'='' or ('") + u +
          QStringLiteral("'='新增' and status=1 ) or "),
      QStringLiteral("       ('") + u +
          QStringLiteral("'='审核' and status=3 ) or ('") + u +
          QStringLiteral("'='停用' and status=4) ) and  "),
      QStringLiteral("       ('") + k +
          QStringLiteral("'='' or  d.cInvCName = '") + k +
          QStringLiteral("') "),
  };
}

void declareBomHeaderFields(Query &query) {
  const FieldDef fields[] = {
      {QStringLiteral("BomId"), FieldType::Integer},
      {QStringLiteral("parentId"), FieldType::Integer},
      {QStringLiteral("InvCode"), FieldType::WideString, 20},
      {QStringLiteral("cInvAddCode"), FieldType::WideString, 30},
      {QStringLiteral("cInvName"), FieldType::WideString, 60},
      {QStringLiteral("cInvStd"), FieldType::WideString, 60},
      {QStringLiteral("bomtype"), FieldType::String, 7},
      {QStringLiteral("Version"), FieldType::Integer},
      {QStringLiteral("VersionDesc"), FieldType::WideString, 60},
      {QStringLiteral("IdentCode"), FieldType::WideString, 20},
      {QStringLiteral("IdentDesc"), FieldType::WideString, 60},
      {QStringLiteral("status"), FieldType::String, 4},
      {QStringLiteral("VersionEffDate"), FieldType::DateTime},
      {QStringLiteral("VersionEndDate"), FieldType::DateTime},
      {QStringLiteral("cInvCName"), FieldType::WideString, 100},
  };
  for (const FieldDef &field : fields)
    query.declareField(field);
}

bool runBomHeaderQuery(Query &query, const BomHeaderFilters &filters,
                       LongWork *work) {
  query.close();
  query.clearSql();
  for (const QString &line : bomHeaderSqlLines(filters))
    query.addSqlLine(line);
  try {
    query.open(work);
  } catch (const Error &) {
    return false;
  }
  return true;
}

#pragma once

#include <QString>
#include <QStringList>

class LongWork;
class Query;

// The seven filters of the main window, as the controls hold them.
struct BomHeaderFilters {
  QString code;      // edt_code: item code, contained
  QString standard;  // edt_std: model, contained
  QString addCode;   // edt_addcode: auxiliary code, contained
  QString name;      // edt_name: item name, contained
  QString type;      // cbb_type: "", "主BOM" or "替代BOM"
  QString status;    // cbb_status: "", "新增", "审核" or "停用"
  QString className; // edt_class: inventory class name, exact
};

// The 23 lines of the header query for `filters`. Each filter is trimmed
// and every single quote in it doubled, so it stays inside its SQL literal;
// "%" and "_" typed by the user remain wildcards of LIKE.
QStringList bomHeaderSqlLines(const BomHeaderFilters &filters);

// Declares the header query's result columns (BomId, parentId, InvCode,
// ..., cInvCName) with their types and sizes.
void declareBomHeaderFields(Query &query);

// The work of RunBomQuery: closes `query`, replaces its text by the lines
// for `filters` and opens it. False when opening failed; the query is then
// closed, and the window shows BomDataReadFailedText and keeps its record
// count text, unless `work` says the user cancelled it. The fetch runs as
// part of `work` when given (Query::open).
bool runBomHeaderQuery(Query &query, const BomHeaderFilters &filters,
                       LongWork *work = nullptr);

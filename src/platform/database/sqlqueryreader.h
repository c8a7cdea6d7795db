#pragma once

#include "platform/results/fieldtype.h"
#include "platform/results/resulttable.h"

#include <vector>

class QSqlQuery;
class WorkProgress;

// Fetches every row of `query`, which has just been executed, into a result
// table. A column named in `declared` is stored as the declared type, the
// others as the type the driver reports. Throws DatabaseError with the
// driver's message when fetching fails or a value does not convert.
// `progress`, when given, counts the rows, and a cancel ends the read with
// WorkCancelled.
ResultTable readSqlQuery(QSqlQuery &query,
                         const std::vector<FieldDef> &declared,
                         WorkProgress *progress = nullptr);

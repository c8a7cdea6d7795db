#pragma once

#include "platform/database/odbcapi.h"
#include "platform/results/fieldtype.h"
#include "platform/results/resulttable.h"

#include <vector>

class WorkProgress;

// Fetches every row of the result set that `statement` is positioned on
// into a result table. A column named in `declared` is stored as the
// declared type, the others as the type the driver describes. Throws
// DatabaseError with the driver's message when a fetch fails, also after
// some rows arrived (a connection lost mid-result never gives a partial
// table), or when a value does not convert. `progress`, when given, counts
// the rows, and a cancel ends the read with WorkCancelled.
ResultTable readOdbcResult(SQLHSTMT statement,
                           const std::vector<FieldDef> &declared,
                           WorkProgress *progress = nullptr);

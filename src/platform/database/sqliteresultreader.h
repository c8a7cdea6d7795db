#pragma once

#include "platform/results/fieldtype.h"
#include "platform/results/resulttable.h"

#include <vector>

class WorkProgress;
struct sqlite3_stmt;

// Steps through the prepared statement `statement` and fetches every row
// into a result table. A column named in `declared` is stored as the
// declared type; the others take the storage class of their first row
// (INTEGER as Integer, REAL as Float, anything else as WideString). Throws
// DatabaseError with SQLite's message. `progress`, when given, counts the
// rows, and a cancel ends the read with WorkCancelled.
ResultTable readSqliteStatement(sqlite3_stmt *statement,
                                const std::vector<FieldDef> &declared,
                                WorkProgress *progress = nullptr);

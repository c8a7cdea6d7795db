#pragma once

#include <QString>

class LongWork;
class Query;

// How far the component window expands a BOM.
enum class ExpandMode {
  ToLastLevel = 0,
  OneLevel = 1,
};

// "exec Pellamar_ExpandCompQty  " (two blanks) followed by
// "<bomId>,<parentId>,<mode>", for example
// "exec Pellamar_ExpandCompQty  9785,32221,0".
QString expansionStatement(int bomId, int parentId, ExpandMode mode);

// Declares the expansion query's result columns (BomId, ParentId, CompId,
// UseQty, ..., cComUnitName) with their types and sizes.
void declareExpansionFields(Query &query);

// Closes `query`, sets its text to the expansion statement and opens it.
// False when opening failed (the procedure failed, is missing, or its
// result lacks a declared column) or was cancelled; the query is then
// closed, and the window shows BomDetailReadFailedText (unless `work` says
// the user cancelled it) and keeps its record count text. The fetch runs as
// part of `work` when given (Query::open).
bool runExpansionQuery(Query &query, int bomId, int parentId, ExpandMode mode,
                       LongWork *work = nullptr);

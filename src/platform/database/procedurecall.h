#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

// A stored-procedure call written as "exec <name> <arg>,<arg>,...": one or
// more blanks after "exec" and after the name, integer arguments.
struct ProcedureCall {
  QString name;
  QList<qint64> arguments;
};

// The call `sql` makes; empty when `sql` is not such a call (any other
// statement, or arguments that are not integers).
std::optional<ProcedureCall> parseProcedureCall(QStringView sql);

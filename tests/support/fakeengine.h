#pragma once

#include "platform/database/dbconnection.h"

#include <QStringList>
#include <QVariant>
#include <memory>

// A database for tests: every statement returns the same table, built in
// code; the statements sent are recorded.
struct FakeDatabase {
  ResultTable table;
  QStringList statements;
  bool refuseLogin = false;
  QString failStatementsWith; // non-empty: every fetch throws this
  // How long each statement takes on the "server" before its answer; a
  // cancel ends the wait at once, as a server that honours it does.
  int answerAfterMs = 0;
  // How long a login takes; nothing ends it early.
  int loginAfterMs = 0;
};

DbEngineFactory fakeEngineFactory(std::shared_ptr<FakeDatabase> database);

struct FakeColumn {
  QString name;
  FieldType type;
};

// A table from rows of values: QVariant() is null, text goes to text
// columns, numbers to the others (a BCD column takes the value in
// ten-thousandths as qint64, a date-time column days as double).
ResultTable makeTable(const std::vector<FakeColumn> &columns,
                      const std::vector<std::vector<QVariant>> &rows);

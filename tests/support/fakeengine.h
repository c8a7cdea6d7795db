#pragma once

#include "platform/database/dbconnection.h"

#include <QStringList>
#include <QVariant>
#include <atomic>
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

// Statements held on the "server" until the test lets them go: a statement
// whose text starts with `prefix` waits until `open` is set, or until its
// work is cancelled or interrupted (it then fails as a cancelled one).
struct StatementGate {
  explicit StatementGate(QString prefix) : prefix(std::move(prefix)) {}
  const QString prefix;
  std::atomic<bool> open{false};
  std::atomic<int> started{0}; // statements that reached the gate so far
  std::atomic<int> waiting{0}; // statements waiting at it now
};

// The engines of `engines`, each statement passing `gate` first.
DbEngineFactory gatedEngineFactory(DbEngineFactory engines,
                                   std::shared_ptr<StatementGate> gate);

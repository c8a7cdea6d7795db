#pragma once

#include "platform/database/dbengine.h"

#include <QSqlDatabase>
#include <QVariantList>

struct sqlite3;

// The embedded engine: a SQLite file opened read-only through Qt's SQLite
// driver. Statements run as they stand, except a procedure call "exec
// <name> <arg>,..." (platform/database/procedurecall.h): the procedure's
// statement is looked up by name in the table sys_procedures(name, definition)
// of the database itself and run with the arguments bound to its numbered
// parameters ?1, ?2, ... Once the file has been deleted or replaced by
// another, every statement fails until the engine is made again. The
// engine may be made on one thread and used on another, one at a time;
// interrupt() stops a statement from any thread.
class SqliteEngine : public DbEngine {
public:
  // Opens the file at `path`. Throws DatabaseError when it does not exist
  // (a missing file is never created) or SQLite cannot open it.
  explicit SqliteEngine(const QString &path);
  ~SqliteEngine() override;
  SqliteEngine(const SqliteEngine &) = delete;
  SqliteEngine &operator=(const SqliteEngine &) = delete;

  ResultTable fetch(const QString &sql,
                    const std::vector<FieldDef> &declared) override;
  void interrupt() override;

private:
  // Runs the single statement `sql` with `arguments` bound to its
  // parameters in order.
  ResultTable run(const QString &sql, const QVariantList &arguments,
                  const std::vector<FieldDef> &declared);
  QString procedureDefinition(const QString &name);

  QString m_path;
  QString m_connectionName;
  // Held rather than looked up by name: Qt hands a named connection only to
  // the thread that made it.
  QSqlDatabase m_database;
  sqlite3 *m_handle = nullptr; // the driver's own: the program links the
                               // same SQLite library as Qt's driver
};

#include "platform/database/sqliteengine.h"

#include "platform/database/procedurecall.h"
#include "platform/errors.h"
#include "platform/longwork/workprogress.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>

#include "platform/database/sqliteresultreader.h"

#include <memory>
#include <sqlite3.h>

namespace {

QString nextConnectionName() {
  static QAtomicInteger<int> counter;
  return QStringLiteral("bomquery-sqlite-%1")
      .arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

SqliteEngine::SqliteEngine(const QString &path)
    : m_path(path), m_connectionName(nextConnectionName()) {
  if (!QFileInfo(path).isFile())
    throw DatabaseError(
        QStringLiteral("Cannot open database \"%1\": no such file").arg(path));
  m_database =
      QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
  m_database.setDatabaseName(path);
  m_database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
  if (!m_database.open()) {
    const QString message = m_database.lastError().text();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
    throw DatabaseError(message);
  }
  const QVariant handle = m_database.driver()->handle();
  if (qstrcmp(handle.typeName(), "sqlite3*") == 0)
    m_handle = *static_cast<sqlite3 *const *>(handle.constData());
}

SqliteEngine::~SqliteEngine() {
  m_database.close();
  m_database = QSqlDatabase();
  QSqlDatabase::removeDatabase(m_connectionName);
}

ResultTable SqliteEngine::fetch(const QString &sql,
                                const std::vector<FieldDef> &declared) {
  const std::optional<ProcedureCall> call = parseProcedureCall(sql);
  if (!call)
    return run(sql, {}, declared);
  QVariantList arguments;
  for (qint64 argument : call->arguments)
    arguments.append(argument);
  return run(procedureDefinition(call->name), arguments, declared);
}

QString SqliteEngine::procedureDefinition(const QString &name) {
  static const std::vector<FieldDef> declared{
      {QStringLiteral("definition"), FieldType::WideString}};
  const ResultTable found =
      run(QStringLiteral("select definition from sys_procedures "
                         "where name = ?1 collate nocase"),
          {name}, declared);
  if (found.rowCount() == 0 || found.column(0).isNull(0))
    throw DatabaseError(
        QStringLiteral("Could not find stored procedure '%1'.").arg(name));
  return found.column(0).text(0).toString();
}

void SqliteEngine::interrupt() {
  if (m_handle)
    sqlite3_interrupt(m_handle);
}

namespace {

// SQLite's progress callback: a cancel asked for before the statement
// started, which sqlite3_interrupt would miss, stops it here.
int cancelRequested(void *progress) {
  return static_cast<WorkProgress *>(progress)->cancelled() ? 1 : 0;
}

struct StatementDeleter {
  void operator()(sqlite3_stmt *statement) const {
    sqlite3_finalize(statement);
  }
};
using StatementPointer = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

[[noreturn]] void raiseSqliteError(sqlite3 *handle) {
  throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(handle)));
}

} // namespace

ResultTable SqliteEngine::run(const QString &sql, const QVariantList &arguments,
                              const std::vector<FieldDef> &declared) {
  if (!m_handle)
    throw DatabaseError(QStringLiteral("The SQLite driver gave no handle"));
  sqlite3 *database = m_handle;
  // SQLite goes on reading a file deleted or replaced after it was opened,
  // through the handle it holds: rows that no longer exist for anyone else.
  // Such a session fails instead, until the user connects again.
  int moved = 0;
  if (sqlite3_file_control(database, "main", SQLITE_FCNTL_HAS_MOVED, &moved) ==
          SQLITE_OK &&
      moved)
    throw DatabaseError(
        QStringLiteral("The database file \"%1\" was deleted or replaced")
            .arg(m_path));
  const QByteArray text = sql.toUtf8();

  sqlite3_stmt *prepared = nullptr;
  const char *tail = nullptr;
  if (sqlite3_prepare_v2(database, text.constData(), int(text.size()),
                         &prepared, &tail) != SQLITE_OK)
    raiseSqliteError(database);
  const StatementPointer statement(prepared);
  // SQLite compiles only the first statement of a text; a second one would
  // silently not run, so it is refused instead.
  sqlite3_stmt *second = nullptr;
  const int rest = sqlite3_prepare_v2(
      database, tail, int(text.constData() + text.size() - tail), &second,
      nullptr);
  sqlite3_finalize(second);
  if (rest != SQLITE_OK || second)
    throw DatabaseError(
        QStringLiteral("Only one statement can be run at a time"));
  if (!statement)
    throw DatabaseError(QStringLiteral("The statement is empty"));

  if (sqlite3_bind_parameter_count(statement.get()) != arguments.size())
    throw DatabaseError(
        QStringLiteral("The statement takes %1 arguments, %2 were given")
            .arg(sqlite3_bind_parameter_count(statement.get()))
            .arg(arguments.size()));
  for (int i = 0; i < arguments.size(); ++i) {
    const QVariant &argument = arguments[i];
    int bound = SQLITE_OK;
    if (argument.typeId() == QMetaType::LongLong)
      bound = sqlite3_bind_int64(statement.get(), i + 1, argument.toLongLong());
    else
      bound = sqlite3_bind_text16(statement.get(), i + 1,
                                  argument.toString().utf16(), -1,
                                  SQLITE_TRANSIENT);
    if (bound != SQLITE_OK)
      raiseSqliteError(database);
  }
  WorkProgress *const watched = progress();
  if (watched) {
    watched->rowsDone(0);
    // Every thousand virtual-machine steps: frequent enough to stop within
    // milliseconds, rare enough to cost nothing measurable.
    sqlite3_progress_handler(database, 1000, cancelRequested, watched);
  }
  const auto unwatch = qScopeGuard([&] {
    if (watched)
      sqlite3_progress_handler(database, 0, nullptr, nullptr);
  });
  try {
    return readSqliteStatement(statement.get(), declared, watched);
  } catch (const DatabaseError &) {
    // SQLite reports a stop as "interrupted": it is the user's cancel.
    if (watched && watched->cancelled())
      throw WorkCancelled();
    throw;
  }
}
